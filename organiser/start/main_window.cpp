#include "organiser/start/main_window.h"

#include "organiser/alarms/alarm_page.h"
#include "organiser/contracts/tables.h"
#include "organiser/main/color_panel.h"
#include "organiser/main/launcher_pages.h"
#include "organiser/main/settings_file.h"
#include "organiser/planner/month_calendar.h"
#include "organiser/planner/notice_popup.h"
#include "organiser/planner/schedule_list.h"
#include "organiser/planner/week_planner.h"
#include "platform/com/host.h"
#include "platform/paths/data_folder.h"
#include "platform/tray/tray_icon.h"
#include "zelomm/zelomm_ids.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcStart)

namespace dorrin::organiser {

MainWindow::MainWindow(OrganiserServices services) : services_(services) {
  form_ =
      std::make_unique<FrmStart>(MainServices{services.dialogs, services.desktop, services.now});
  FrmStart &f = *form_;
  auto &h = f.hooks;
  h.OpenDatabases = [this] { openDatabases(); };
  h.Frm_load = [&f] { Frm_load(f); };
  h.Frm_Save = [&f] { Frm_Save(f); };
  h.AddTrayIcon = [this] { addTrayIcon(); };
  colorPanel_ = std::make_unique<ColorPanel>(f, [&f] { Frm_Save(f); });
  h.OpenColorPanel = [this] { colorPanel_->Open(); };
  if (services.shell && services.clipboard)
    launcher_ = std::make_unique<Launcher>(
        f, [this] { return linkRs_.get(); }, *services.shell, *services.clipboard);
  calendar_ = std::make_unique<MonthCalendar>(f);
  weekPlanner_ = std::make_unique<WeekPlanner>(
      f, [this] { return weekRs_.get(); }, *calendar_);
  alarms_ = std::make_unique<AlarmPage>(
      f, AlarmOutputs{[this](const QString &m) { showNotice(m); },
                      [this](const QString &s) { return PlayWave(s); }});
  h.Pan_Load_Time = [this] { Pan_Load_Time(); };
  scheduleList_ = std::make_unique<ScheduleList>(
      f, [this] { return weekRs_.get(); }, *calendar_);
  createZelomm();
}

void MainWindow::Pan_Load_Time() {
  // The alarm steps come first: the table from its store, today's alarms.
  FrmStart::call("Pan_Load_Time alarms", [this] { alarms_->Pan_Load_Time(); });
  // Then the schedule list's.
  FrmStart::call("Pan_Load_Time schedule", [this] { scheduleList_->Pan_Load_Time(); });
}

void MainWindow::showNotice(const QString &text) {
  if (!chang_) chang_ = std::make_unique<Chang>();
  chang_->showNotice(text);
}

void MainWindow::createZelomm() {
  const com::HRESULT hr = com::ControlHost::create(zelomm::kProgId, zelomm::DIID__DZelommEvents,
                                                   form_->Pan_Back[6], &zelomm1_);
  if (!com::succeeded(hr)) {
    qCWarning(lcStart) << "the multimedia control is not available; alarm sounds stay silent:"
                       << QString::fromStdString(com::errorText(hr));
    zelomm1_.reset();
    return;
  }
  // The control only plays alarm sounds: page 6 has no room for its bar (the
  // clock panel and the splitter fill the panel) and nothing there uses it.
  if (QWidget *bar = zelomm1_->widget()) bar->hide();
}

int MainWindow::PlayWave(const QString &sound) {
  if (!zelomm1_) return -1;
  zelomm1_->put(zelomm::dispidDeviceType, com::Variant("waveaudio"));
  zelomm1_->put(zelomm::dispidFileName,
                com::Variant((sound + QStringLiteral(".wav")).toStdString()));
  zelomm1_->put(zelomm::dispidCommand, com::Variant("open"));
  zelomm1_->put(zelomm::dispidCommand, com::Variant("play"));
  com::Variant error;
  if (!com::succeeded(zelomm1_->get(zelomm::dispidError, &error))) return -1;
  return error.i2();
}

MainWindow::~MainWindow() {
  chang_.reset();
  alarms_.reset();
  zelomm1_.reset();
  scheduleList_.reset();
  weekPlanner_.reset();
  calendar_.reset();
  launcher_.reset();
  colorPanel_.reset();
  // An unloaded window has no icon.
  if (services_.tray) tray::notifyIcon(*services_.tray, tray::NIM_DELETE, tray::NotifyIconData{});
  form_.reset();
  // Recordsets go before their databases.
  weekRs_.reset();
  linkRs_.reset();
  weekDb_.reset();
  linkDb_.reset();
}

void MainWindow::addTrayIcon() {
  if (!services_.tray) return;
  tray::NotifyIconData data;
  data.hIcon = tray::dorrinIcon();
  tray::notifyIcon(*services_.tray, tray::NIM_ADD, data);
}

void MainWindow::load() {
  form_->Form_Load();
}

void MainWindow::openDatabases() {
  if (!services_.engine) return;
  auto open = [this](const char *file, const db::TableDef &table,
                     std::unique_ptr<db::Database> &dbOut, std::unique_ptr<db::Recordset> &rsOut) {
    dbOut = services_.engine->OpenDatabase(paths::resolve(QString::fromUtf8(file)), {table});
    rsOut = dbOut->OpenRecordset(table.name, db::kDynaset);
    rsOut->MoveLast();
    rsOut->MoveFirst();
  };
  open(db::kWeekDatabase, db::weekTable(), weekDb_, weekRs_);
  open(db::kLauncherDatabase, db::launcherTable(), linkDb_, linkRs_);
}

} // namespace dorrin::organiser
