#include "platform/tray/system_tray_icon.h"

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

SystemTrayIcon::SystemTrayIcon(QObject *parent) : TrayIcon(parent) {}

SystemTrayIcon::~SystemTrayIcon() {
  if (icon_) icon_->hide();
}

bool SystemTrayIcon::isAvailable() const {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

bool SystemTrayIcon::add(int, const QString &tip, const QIcon &icon) {
  if (!icon_) {
    icon_ = new QSystemTrayIcon(this);
    // Queued: the handler may remove the icon and delete its owner, which
    // must not happen inside QSystemTrayIcon's own signal.
    connect(
        icon_, &QSystemTrayIcon::activated, this,
        [this](QSystemTrayIcon::ActivationReason reason) {
          if (const int message = messageForActivation(reason)) emit iconMessage(message);
        },
        Qt::QueuedConnection);
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
