#pragma once
// The icon in the desktop's notification area (QSystemTrayIcon: the X11
// system tray or StatusNotifierItem). Where no tray host runs, the icon is
// simply not seen; that is reported once.
#include "platform/tray/tray_icon.h"

#include <QSystemTrayIcon>

namespace dorrin::tray {

// Icon messages belong to the button's release, but Qt's X11 tray icon
// reports a click when the button goes down. This holds a click that came
// with a press until the press's release; clicks without a press seen (a
// StatusNotifierItem host reports whole clicks) pass at once.
class ClickOnRelease {
public:
  void press();
  // The message to send now, or 0 when it waits for the release.
  int activated(int message);
  // The message a release lets go, or 0.
  int release();

private:
  bool pressed_ = false;
  bool released_ = false;
  int waiting_ = 0;
};

class SystemTrayIcon : public TrayIcon {
  Q_OBJECT
public:
  explicit SystemTrayIcon(QObject *parent = nullptr);
  ~SystemTrayIcon() override;

  bool isAvailable() const override;
  bool add(int uid, const QString &tip, const QIcon &icon) override;
  void remove() override;
  bool isShown() const override;

protected:
  // Watches presses and releases on Qt's tray icon window.
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void send(int message);

  QSystemTrayIcon *icon_ = nullptr;
  ClickOnRelease clicks_;
};

// The classic message number of a Qt activation: Trigger (left click)
// WM_LBUTTONUP, Context (right click) WM_RBUTTONUP, DoubleClick
// WM_LBUTTONDBLCLK, MiddleClick WM_MBUTTONUP; 0 for anything else.
int messageForActivation(QSystemTrayIcon::ActivationReason reason);

} // namespace dorrin::tray
