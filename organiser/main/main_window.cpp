#include "organiser/main/main_window.h"

#include "organiser/contracts/tables.h"
#include "platform/paths/data_folder.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcMain)

namespace dorrin::organiser {

MainWindow::MainWindow(OrganiserServices services) : services_(services) {
  form_ = std::make_unique<FrmStart>(MainServices{services.dialogs, services.desktop});
  auto &h = form_->hooks;
  h.OpenDatabases = [this] { openDatabases(); };
  h.Frm_load = [this] { Frm_load(); };
  h.Frm_Save = [this] { Frm_Save(); };
}

MainWindow::~MainWindow() {
  // Recordsets go before their databases.
  weekRs_.reset();
  linkRs_.reset();
  weekDb_.reset();
  linkDb_.reset();
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

void MainWindow::Frm_load() {}
void MainWindow::Frm_Save() {}

} // namespace dorrin::organiser
