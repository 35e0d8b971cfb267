#include "platform/tray/system_tray_icon.h"

#include <QApplication>
#include <QMouseEvent>

namespace dorrin::tray {

int messageForActivation(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
  case QSystemTrayIcon::Trigger:
    return WM_LBUTTONUP;
  case QSystemTrayIcon::Context:
    return WM_RBUTTONUP;
  case QSystemTrayIcon::DoubleClick:
    return WM_LBUTTONDBLCLK;
  case QSystemTrayIcon::MiddleClick:
    return WM_MBUTTONUP;
  default:
    return 0;
  }
}

void ClickOnRelease::press() {
  pressed_ = true;
  released_ = false;
  waiting_ = 0;
}

int ClickOnRelease::activated(int message) {
  if (!pressed_ || released_) {
    // No press of ours, or its release came first (both were queued).
    pressed_ = released_ = false;
    return message;
  }
  waiting_ = message;
  return 0;
}

int ClickOnRelease::release() {
  if (!pressed_) return 0;
  const int message = waiting_;
  waiting_ = 0;
  if (message) {
    pressed_ = false;
  } else {
    released_ = true; // the press's click may still be on its way
  }
  return message;
}

SystemTrayIcon::SystemTrayIcon(QObject *parent) : TrayIcon(parent) {}

SystemTrayIcon::~SystemTrayIcon() {
  if (qApp) qApp->removeEventFilter(this);
  if (icon_) icon_->hide();
}

void SystemTrayIcon::send(int message) {
  // Queued: the handler may remove the icon and delete its owner, which
  // must not happen inside Qt's own event or signal handling.
  if (message)
    QMetaObject::invokeMethod(
        this, [this, message] { emit iconMessage(message); }, Qt::QueuedConnection);
}

bool SystemTrayIcon::eventFilter(QObject *watched, QEvent *event) {
  const QEvent::Type type = event->type();
  if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) &&
      watched->inherits("QSystemTrayIconSys")) {
    if (type == QEvent::MouseButtonPress)
      clicks_.press();
    else
      send(clicks_.release());
  }
  return TrayIcon::eventFilter(watched, event);
}

bool SystemTrayIcon::isAvailable() const {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

bool SystemTrayIcon::add(int, const QString &tip, const QIcon &icon) {
  if (!icon_) {
    icon_ = new QSystemTrayIcon(this);
    // Qt's X11 icon is a window of the application: its presses and
    // releases pass through the application's event filters.
    if (qApp) qApp->installEventFilter(this);
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
              send(clicks_.activated(messageForActivation(reason)));
            });
  }
  icon_->setIcon(icon.isNull() ? dorrinIcon() : icon);
  icon_->setToolTip(tip);
  // Shown even without a tray host: one that starts later picks it up.
  icon_->show();
  if (isAvailable()) return true;
  static bool reported = false;
  if (!reported) {
    reported = true;
    qCWarning(lcTray) << "no notification area on this desktop; use F11 or 'dorrin --show'";
  }
  return false;
}

void SystemTrayIcon::remove() {
  if (icon_) icon_->hide();
}

bool SystemTrayIcon::isShown() const {
  return icon_ && icon_->isVisible();
}

} // namespace dorrin::tray
