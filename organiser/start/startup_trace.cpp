#include "organiser/start/startup_trace.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcStartTiming, "dorrin.start.timing", QtWarningMsg)

namespace dorrin::organiser {

namespace {
QElapsedTimer &clock() {
  static QElapsedTimer c;
  return c;
}
} // namespace

void startupClockStart() {
  clock().start();
}

const QElapsedTimer &startupClock() {
  return clock();
}

void startupMark(const char *step) {
  if (!lcStartTiming().isDebugEnabled() || !clock().isValid()) return;
  qCDebug(lcStartTiming, "%7.2f ms  %s", static_cast<double>(clock().nsecsElapsed()) / 1e6, step);
}

} // namespace dorrin::organiser
