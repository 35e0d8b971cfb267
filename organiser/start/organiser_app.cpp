#include "organiser/start/organiser_app.h"

#include "organiser/contracts/tables.h"
#include "organiser/start/startup_trace.h"
#include "platform/com/guid.h"
#include "platform/com/loader.h"
#include "platform/com/registry.h"
#include "platform/db/sqlite_engine.h"
#include "platform/desktop/desktop_icons.h"
#include "platform/forms/dialogs.h"
#include "platform/hotkeys/hot_key_source.h"
#include "platform/instance/instance_channel.h"
#include "platform/shell/clipboard.h"
#include "platform/shell/desktop_shell.h"
#include "platform/tray/system_tray_icon.h"
#include "platform/tray/tray_icon.h"

#include "platform/paths/data_folder.h"
#include "platform/spreadsheet/spreadsheet_app.h"
#include "resizer/ktresz30_ids.h"
#include "zelomm/zelomm_ids.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTimer>

Q_DECLARE_LOGGING_CATEGORY(lcStart)

namespace dorrin::organiser {

// The component libraries ship beside the program: the multimedia control,
// which the main window creates, the spreadsheet application the phone book
// exports to, and the resizer control, offered to other form containers (Qt
// Designer, ktresz-demo). Each is registered (or
// registered again, when the registered library has gone) before the first
// main window loads.
static void registerShippedComponents() {
  const struct {
    const char *file;
    com::CLSID clsid;
  } shipped[] = {{"libzelomm.so", zelomm::CLSID_Zelomm},
                 {"libdorrin_spreadsheet.so", spreadsheet::CLSID_Application},
                 {"libktresz30.so", resizer::CLSID_KtResizer}};
  for (const auto &c : shipped) {
    const QString library = paths::shippedFile(QString::fromLatin1(c.file));
    if (library.isEmpty()) continue;
    const std::string key = "CLSID\\" + com::formatGuid(c.clsid) + "\\InprocServer32";
    const auto registered = com::Registry().value(key);
    if (registered && QFileInfo::exists(QString::fromStdString(*registered))) continue;
    if (!com::succeeded(com::registerServer(library.toStdString())))
      qCWarning(lcStart) << "cannot register" << library;
  }
}

bool showNoticeOnce(forms::Dialogs &dialogs, const QString &marker, const QString &text) {
  if (QFileInfo::exists(marker)) return false;
  dialogs.msgBox(text, forms::vbInformation, QStringLiteral("Dorrin"));
  QFile file(marker);
  if (!file.open(QIODevice::WriteOnly))
    qCWarning(lcStart) << "cannot write" << marker << "- the notice will be shown again";
  return true;
}

OrganiserApp::OrganiserApp()
    : dialogs_(std::make_unique<forms::QtDialogs>()), desktop_(desktop::makeDesktopIcons()),
      engine_(std::make_unique<db::SqliteEngine>()),
      tray_(std::make_unique<tray::SystemTrayIcon>()),
      shell_(std::make_unique<shell::DesktopShell>()),
      clipboard_(std::make_unique<shell::QtClipboard>()) {
  checkDatabasesAhead();
  startupMark("services built");
  registerShippedComponents();
  startupMark("components registered");
  frmTime_ = std::make_unique<FrmTime>([this] {
    checkDatabasesAhead(); // a window loaded again (F11) checks the files again
    return std::make_unique<MainWindow>(services());
  });
  connect(frmTime_.get(), &FrmTime::mainLoaded, this,
          [this](MainWindow *w) { dialogs_->setParent(&w->form()); });
  connect(frmTime_.get(), &FrmTime::mainUnloading, this, [this] { dialogs_->setParent(nullptr); });
  connect(tray_.get(), &tray::TrayIcon::iconMessage, frmTime_.get(), &FrmTime::Tray_Message);

  hotKeys_ = hotkeys::createHotKeySource();
  auto onKey = [this](hotkeys::HotKey key) {
    if (key == hotkeys::HotKey::F11)
      frmTime_->F11_Pressed();
    else
      frmTime_->F10_Pressed();
  };
  connect(hotKeys_.get(), &hotkeys::HotKeySource::pressed, this, onKey);
  startupMark("hot keys");
}

void OrganiserApp::checkDatabasesAhead() {
  // The databases' damage checks run on worker threads while the services
  // and the window are built; opening the files takes their answers.
  engine_->checkAhead(paths::resolve(QString::fromUtf8(db::kWeekDatabase)), {db::weekTable()});
  engine_->checkAhead(paths::resolve(QString::fromUtf8(db::kLauncherDatabase)),
                      {db::launcherTable()});
}

OrganiserApp::~OrganiserApp() {
  frmTime_.reset();
  restoreDesktop();
}

OrganiserServices OrganiserApp::services() {
  OrganiserServices s;
  s.dialogs = dialogs_.get();
  s.desktop = desktop_.get();
  s.engine = engine_.get();
  s.tray = tray_.get();
  s.shell = shell_.get();
  s.clipboard = clipboard_.get();
  return s;
}

void OrganiserApp::start(const QString &commandLine) {
  frmTime_->Form_Load(commandLine);
  // Under Wayland F11/F10 cannot be seen outside the organiser: say so once,
  // once the start-up has painted.
  if (hotkeys::isWaylandSession())
    QTimer::singleShot(0, this, [this] {
      showNoticeOnce(*dialogs_, paths::resolve(QStringLiteral(".wayland-hotkeys-notice")),
                     hotkeys::waylandNotice());
    });
}

void OrganiserApp::command(const QString &word) {
  if (word == instance::kShow || word == instance::kRaise)
    frmTime_->F11_Pressed();
  else if (word == instance::kHide)
    frmTime_->F10_Pressed();
  else if (word == instance::kToggle)
    frmTime_->Toggle();
  else if (word == instance::kQuit)
    quit();
}

void OrganiserApp::quit() {
  // The main window and its databases close when the event loop has ended
  // and this object goes; the desktop comes back at once.
  restoreDesktop();
  QCoreApplication::quit();
}

void OrganiserApp::restoreDesktop() {
  if (desktop_) desktop_->restore();
}

void OrganiserApp::listen(instance::InstanceChannel &channel) {
  connect(&channel, &instance::InstanceChannel::command, this, &OrganiserApp::command);
}

} // namespace dorrin::organiser
