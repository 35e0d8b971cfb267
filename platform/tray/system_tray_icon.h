#pragma once
// The icon in the desktop's notification area (QSystemTrayIcon: the X11
// system tray or StatusNotifierItem). Where no tray host runs, the icon is
// simply not seen; that is reported once.
#include "platform/tray/tray_icon.h"

#include <QSystemTrayIcon>

namespace dorrin::tray {

class SystemTrayIcon : public TrayIcon {
  Q_OBJECT
public:
  explicit SystemTrayIcon(QObject *parent = nullptr);
  ~SystemTrayIcon() override;

  bool isAvailable() const override;
  bool add(int uid, const QString &tip, const QIcon &icon) override;
  void remove() override;
  bool isShown() const override;

private:
  QSystemTrayIcon *icon_ = nullptr;
};

// The classic message number of a Qt activation: Trigger (left click)
// WM_LBUTTONUP, Context (right click) WM_RBUTTONUP, DoubleClick
// WM_LBUTTONDBLCLK, MiddleClick WM_MBUTTONUP; 0 for anything else.
int messageForActivation(QSystemTrayIcon::ActivationReason reason);

} // namespace dorrin::tray
