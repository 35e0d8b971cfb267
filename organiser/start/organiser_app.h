#pragma once
// The running organiser: the services every load of the main window uses
// (dialogs, desktop icons, database engine, tray icon), the hot keys, the
// single-instance channel and the start-up form that ties them together.
#include "organiser/start/frm_time.h"

#include <QObject>
#include <QStringList>
#include <memory>

namespace dorrin::desktop {
class DesktopIcons;
}
namespace dorrin::db {
class SqliteEngine;
}
namespace dorrin::forms {
class Dialogs;
class QtDialogs;
} // namespace dorrin::forms
namespace dorrin::hotkeys {
class HotKeySource;
}
namespace dorrin::instance {
class InstanceChannel;
}
namespace dorrin::tray {
class TrayIcon;
}
namespace dorrin::shell {
class Shell;
class Clipboard;
} // namespace dorrin::shell

namespace dorrin::organiser {

// Shows `text` in a message box unless the file `marker` exists, then
// creates it, so a notice is seen once per data folder. True when shown.
bool showNoticeOnce(forms::Dialogs &dialogs, const QString &marker, const QString &text);

class OrganiserApp : public QObject {
  Q_OBJECT
public:
  OrganiserApp();
  ~OrganiserApp() override;

  // Starts the organiser as the process's start-up form would.
  void start(const QString &commandLine);
  // Acts on a command word from another start ("show", "hide", "toggle",
  // "raise", "quit").
  void command(const QString &word);
  // Ends the run: desktop restored, then the event loop ends.
  void quit();
  // Shows again whatever the program hid on the desktop.
  void restoreDesktop();

  FrmTime &frmTime() { return *frmTime_; }
  OrganiserServices services();

  // Takes the commands that later starts send to this one.
  void listen(instance::InstanceChannel &channel);

private:
  void checkDatabasesAhead();

  std::unique_ptr<forms::QtDialogs> dialogs_;
  std::unique_ptr<desktop::DesktopIcons> desktop_;
  std::unique_ptr<db::SqliteEngine> engine_;
  std::unique_ptr<tray::TrayIcon> tray_;
  std::unique_ptr<shell::Shell> shell_;
  std::unique_ptr<shell::Clipboard> clipboard_;
  std::unique_ptr<hotkeys::HotKeySource> hotKeys_;
  std::unique_ptr<FrmTime> frmTime_;
};

} // namespace dorrin::organiser
