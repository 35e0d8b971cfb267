#include "zelomm/mci_trace.h"

namespace dorrin::zelomm {

Q_LOGGING_CATEGORY(lcZelommMci, "dorrin.zelomm.mci", QtInfoMsg)

mci::MCIERROR TracingApi::sendString(const char *command, char *reply, unsigned length,
                                     win::HWND callback) {
  const mci::MCIERROR r = inner_.sendString(command, reply, length, callback);
  if (lcZelommMci().isDebugEnabled()) {
    QString line = QStringLiteral("send \"%1\" -> %2").arg(QString::fromUtf8(command)).arg(r);
    if (reply && length && *reply) line += QStringLiteral(" \"%1\"").arg(QString::fromUtf8(reply));
    qCDebug(lcZelommMci).noquote() << line;
  }
  return r;
}

} // namespace dorrin::zelomm
