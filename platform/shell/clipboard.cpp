#include "platform/shell/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace dorrin::shell {

QString QtClipboard::text() const {
  const QClipboard *c = QGuiApplication::clipboard();
  return c ? c->text() : QString();
}

void QtClipboard::setText(const QString &text) {
  if (QClipboard *c = QGuiApplication::clipboard()) c->setText(text);
}

} // namespace dorrin::shell
