#pragma once
// One load of the main window with everything it owns: the form, its two
// databases and the units that fill its pages. Destroying it is unloading
// the window.
#include "organiser/contracts/database.h"
#include "organiser/main/frm_start.h"

#include <memory>

namespace dorrin::tray {
class TrayIcon;
}
namespace dorrin::com {
class ControlHost;
}
namespace dorrin::shell {
class Shell;
class Clipboard;
} // namespace dorrin::shell

namespace dorrin::organiser {

class AlarmPage;
class Chang;
class ColorPanel;
class FrmTelephone;
class Launcher;
class MonthCalendar;
class ScheduleList;
class WeekPlanner;

struct OrganiserServices {
  forms::Dialogs *dialogs = nullptr;
  desktop::DesktopIcons *desktop = nullptr;
  db::Engine *engine = nullptr;
  tray::TrayIcon *tray = nullptr;
  shell::Shell *shell = nullptr;
  shell::Clipboard *clipboard = nullptr;
  std::function<QDateTime()> now;
};

class MainWindow {
public:
  explicit MainWindow(OrganiserServices services);
  ~MainWindow();
  MainWindow(const MainWindow &) = delete;
  MainWindow &operator=(const MainWindow &) = delete;

  // Runs the start-up sequence.
  void load();
  FrmStart &form() { return *form_; }
  ColorPanel &colorPanel() { return *colorPanel_; }
  Launcher *launcher() { return launcher_.get(); }
  WeekPlanner *weekPlanner() { return weekPlanner_.get(); }
  MonthCalendar *calendar() { return calendar_.get(); }
  ScheduleList *scheduleList() { return scheduleList_.get(); }
  // The phone book window, created by the first click on its tab.
  FrmTelephone *telephone() { return telephone_.get(); }

  // The multimedia control of the alarm page, created through its registered
  // class on first use (the first sound), so loading its library does not
  // delay the window; null when the class is not registered (sounds are
  // then skipped).
  com::ControlHost *Zelomm1();
  // Plays "<sound>.wav" as the alarms do: device type, file name, open, play.
  // Returns the control's Error after play (0 when the sound started), -1
  // without a control; nothing else reports a failure.
  int PlayWave(const QString &sound);
  // The alarm table, clock and matcher of the alarm page.
  AlarmPage *alarms() { return alarms_.get(); }
  // The notice pop-up; null until the first notice.
  Chang *notice() { return chang_.get(); }
  // Puts a notice text into the pop-up and shows it (creating it on first use).
  void showNotice(const QString &text);
  // The alarm page's loader: the alarm steps, then the schedule list's.
  void Pan_Load_Time();

  // The databases and their recordsets, open for the window's lifetime.
  db::Database *Week_Db() { return weekDb_.get(); }
  db::Recordset *Week_Rs() { return weekRs_.get(); }
  db::Database *Link_Db() { return linkDb_.get(); }
  db::Recordset *Link_Rs() { return linkRs_.get(); }

private:
  void openDatabases();
  void offerSetAside(const QString &path, const db::TableDef &table,
                     std::unique_ptr<db::Database> &database);
  void addTrayIcon();
  void createZelomm();

  OrganiserServices services_;
  std::unique_ptr<db::Database> weekDb_, linkDb_;
  std::unique_ptr<db::Recordset> weekRs_, linkRs_;
  std::unique_ptr<FrmStart> form_;
  std::unique_ptr<com::ControlHost> zelomm1_;
  bool zelommTried_ = false;
  // The units go before the form whose controls they fill.
  std::unique_ptr<ColorPanel> colorPanel_;
  std::unique_ptr<Launcher> launcher_;
  std::unique_ptr<MonthCalendar> calendar_;
  std::unique_ptr<WeekPlanner> weekPlanner_;
  std::unique_ptr<AlarmPage> alarms_;
  std::unique_ptr<Chang> chang_;
  std::unique_ptr<ScheduleList> scheduleList_;
  std::unique_ptr<FrmTelephone> telephone_;
};

} // namespace dorrin::organiser
