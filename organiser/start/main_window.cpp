#include "organiser/start/main_window.h"

#include "organiser/alarms/alarm_page.h"
#include "organiser/contracts/tables.h"
#include "organiser/main/color_panel.h"
#include "organiser/main/launcher_pages.h"
#include "organiser/main/settings_file.h"
#include "organiser/phonebook/frm_telephone.h"
#include "organiser/planner/month_calendar.h"
#include "organiser/planner/notice_popup.h"
#include "organiser/planner/schedule_list.h"
#include "organiser/planner/week_planner.h"
#include "organiser/start/startup_trace.h"
#include "platform/com/host.h"
#include "platform/db/sqlite_engine.h"
#include "platform/forms/dialogs.h"
#include "platform/paths/data_folder.h"
#include "platform/tray/tray_icon.h"
#include "zelomm/zelomm_ids.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSet>

Q_DECLARE_LOGGING_CATEGORY(lcStart)

namespace dorrin::organiser {

MainWindow::MainWindow(OrganiserServices services) : services_(services) {
  form_ =
      std::make_unique<FrmStart>(MainServices{services.dialogs, services.desktop, services.now});
  startupMark("main form built");
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
  startupMark("colour panel, launcher");
  calendar_ = std::make_unique<MonthCalendar>(f);
  weekPlanner_ = std::make_unique<WeekPlanner>(
      f, [this] { return weekRs_.get(); }, *calendar_);
  alarms_ = std::make_unique<AlarmPage>(
      f, AlarmOutputs{[this](const QString &m) { showNotice(m); },
                      [this](const QString &s) { return PlayWave(s); }});
  startupMark("calendar, week planner, alarm page");
  h.Pan_Load_Time = [this] { Pan_Load_Time(); };
  scheduleList_ = std::make_unique<ScheduleList>(
      f, [this] { return weekRs_.get(); }, *calendar_);
  h.ShowTelephone = [this] {
    if (!telephone_)
      telephone_ = std::make_unique<FrmTelephone>(
          PhoneBookServices{services_.engine, services_.shell, nullptr, {}});
    telephone_->open();
  };
  startupMark("schedule list");
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

com::ControlHost *MainWindow::Zelomm1() {
  if (!zelommTried_) {
    zelommTried_ = true;
    createZelomm();
  }
  return zelomm1_.get();
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
  com::ControlHost *control = Zelomm1();
  if (!control) return -1;
  control->put(zelomm::dispidDeviceType, com::Variant("waveaudio"));
  control->put(zelomm::dispidFileName,
               com::Variant((sound + QStringLiteral(".wav")).toStdString()));
  control->put(zelomm::dispidCommand, com::Variant("open"));
  control->put(zelomm::dispidCommand, com::Variant("play"));
  com::Variant error;
  if (!com::succeeded(control->get(zelomm::dispidError, &error))) return -1;
  return error.i2();
}

MainWindow::~MainWindow() {
  telephone_.reset();
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
  startupMark("start-up sequence");
}

static QString damagedDatabaseMessage(const QString &path, const QString &reason,
                                      const QString &asideName) {
  return QStringLiteral("데이터 파일을 열 수 없습니다.\n\n%1\n(%2)\n\n"
                        "파일이 손상되었거나 이 프로그램의 파일이 아닙니다. "
                        "이 파일은 바꾸지 않고 그대로 둡니다.\n\n"
                        "이 파일을 \"%3\"(으)로 이름을 바꾸어 옆에 두고 "
                        "새 파일로 시작하시겠습니까?\n"
                        "[아니요]를 고르면 이번에는 이 파일의 내용을 보거나 "
                        "저장할 수 없습니다.")
      .arg(QDir::toNativeSeparators(path), reason, asideName);
}

void MainWindow::openDatabases() {
  if (!services_.engine) return;
  auto open = [this](const char *file, const db::TableDef &table,
                     std::unique_ptr<db::Database> &dbOut, std::unique_ptr<db::Recordset> &rsOut) {
    const QString path = paths::resolve(QString::fromUtf8(file));
    dbOut = services_.engine->OpenDatabase(path, {table});
    if (dbOut->Damaged()) offerSetAside(path, table, dbOut);
    rsOut = dbOut->OpenRecordset(table.name, db::kDynaset);
    rsOut->MoveLast();
    rsOut->MoveFirst();
  };
  open(db::kWeekDatabase, db::weekTable(), weekDb_, weekRs_);
  open(db::kLauncherDatabase, db::launcherTable(), linkDb_, linkRs_);
}

} // namespace dorrin::organiser

namespace dorrin::organiser {

// A damaged or foreign database is never written to. The user is asked once
// per process whether to move it aside (renamed with the date, nothing
// deleted) and start a new one; a refusal keeps the file closed.
void MainWindow::offerSetAside(const QString &path, const db::TableDef &table,
                               std::unique_ptr<db::Database> &database) {
  static QSet<QString> asked;
  if (asked.contains(path) || !services_.dialogs) return;
  asked.insert(path);
  const QDate today = form_->today();
  const QFileInfo info(path);
  const QString asideName = info.completeBaseName() + QStringLiteral("-damaged-") +
                            today.toString(u"yyyy-MM-dd") + u'.' + info.suffix();
  const int answer = services_.dialogs->msgBox(
      damagedDatabaseMessage(path, database->Error(), asideName),
      forms::vbYesNo | forms::vbExclamation, QStringLiteral("데이터 파일 손상"));
  if (answer != forms::vbYes) {
    qCWarning(lcStart) << "the damaged database" << path << "stays closed for this run";
    return;
  }
  QString error;
  const auto moved = db::setAsideDatabase(path, today, &error);
  if (!moved) {
    services_.dialogs->msgBox(QStringLiteral("파일의 이름을 바꾸지 못했습니다.\n\n%1\n(%2)")
                                  .arg(QDir::toNativeSeparators(path), error),
                              forms::vbOKOnly | forms::vbCritical,
                              QStringLiteral("데이터 파일 손상"));
    return;
  }
  database.reset();
  database = services_.engine->OpenDatabase(path, {table});
  asked.remove(path); // a new file that fails too is asked about again
}

} // namespace dorrin::organiser
