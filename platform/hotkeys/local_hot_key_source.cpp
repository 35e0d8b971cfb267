#include "platform/hotkeys/local_hot_key_source.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace dorrin::hotkeys {

LocalHotKeySource::LocalHotKeySource(QObject *parent) : HotKeySource(parent) {
  if (auto *app = QCoreApplication::instance()) app->installEventFilter(this);
}

bool LocalHotKeySource::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  auto *key = static_cast<QKeyEvent *>(event);
  if (key->modifiers() & ~Qt::KeypadModifier) return false;
  HotKey which;
  if (key->key() == Qt::Key_F11)
    which = HotKey::F11;
  else if (key->key() == Qt::Key_F10)
    which = HotKey::F10;
  else
    return false;
  if (!key->isAutoRepeat()) emit pressed(which);
  return true;
}

} // namespace dorrin::hotkeys
