#pragma once
// The notification-area icon. Icon events reach the organiser as the mouse
// message numbers of the classic icon callback, so its handler compares
// against WM_LBUTTONUP and WM_RBUTTONUP.
#include <QIcon>
#include <QLoggingCategory>
#include <QObject>
#include <QString>

namespace dorrin::tray {

Q_DECLARE_LOGGING_CATEGORY(lcTray)

// Mouse messages of the icon callback.
inline constexpr int WM_MOUSEMOVE = 512; // the callback message itself
inline constexpr int WM_LBUTTONDOWN = 513;
inline constexpr int WM_LBUTTONUP = 514;
inline constexpr int WM_LBUTTONDBLCLK = 515;
inline constexpr int WM_RBUTTONDOWN = 516;
inline constexpr int WM_RBUTTONUP = 517;
inline constexpr int WM_MBUTTONUP = 520;
// Icon requests and the record's flags.
inline constexpr int NIM_ADD = 0;
inline constexpr int NIM_MODIFY = 1;
inline constexpr int NIM_DELETE = 2;
inline constexpr int NIF_MESSAGE = 1;
inline constexpr int NIF_ICON = 2;
inline constexpr int NIF_TIP = 4;
// The organiser's one icon.
inline constexpr int kTrayIconUid = 1;
inline constexpr const char *kTrayIconTip = "Tessivo Dorrin";

class TrayIcon : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;
  ~TrayIcon() override = default;
  // False when the desktop has no notification area (no tray host).
  virtual bool isAvailable() const = 0;
  // Shows the icon; false when it cannot be seen (no tray host).
  virtual bool add(int uid, const QString &tip, const QIcon &icon) = 0;
  virtual void remove() = 0;
  virtual bool isShown() const = 0;

signals:
  // An icon event: WM_LBUTTONUP for a left click, WM_RBUTTONUP for a right
  // click (see messageForActivation). Delivered from the event loop, so a
  // handler may delete the icon's owner.
  void iconMessage(int message);
};

// The icon record the main window keeps.
struct NotifyIconData {
  int uID = kTrayIconUid;
  int uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  int uCallbackMessage = WM_MOUSEMOVE;
  QIcon hIcon;
  QString szTip = QString::fromLatin1(kTrayIconTip);
};

// NIM_ADD adds the icon, NIM_DELETE removes it; false for a failed add or
// any other request.
bool notifyIcon(TrayIcon &tray, int message, const NotifyIconData &data);

// What the organiser does for an icon message.
enum class TrayAction {
  Nothing,
  Raise,  // WM_LBUTTONUP: bring the main window to the front and focus it
  Unload, // WM_RBUTTONUP: remove the icon and unload the main window
};
TrayAction actionForMessage(int message);

// The program's icon (a desk calendar page with a marked day and an alarm
// clock), drawn from the scalable picture compiled into the program; the
// desktop entry installs the same picture.
inline constexpr const char *kIconResource = ":/dorrin/dorrin.svg";
QIcon dorrinIcon();

} // namespace dorrin::tray
