#include "organiser/phonebook/mail.h"

#include <QUrl>

namespace dorrin::organiser {

QString mailtoUrl(const QString &address) {
  QString a = address.trimmed();
  static const QString scheme = QStringLiteral("mailto:");
  if (a.startsWith(scheme, Qt::CaseInsensitive)) a = a.mid(scheme.size()).trimmed();
  return scheme + QString::fromLatin1(QUrl::toPercentEncoding(a, "@,!$'*+;=~"));
}

} // namespace dorrin::organiser
