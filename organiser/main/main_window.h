#pragma once
// One load of the main window with everything it owns: the form, its
// databases and the units that fill its pages. Destroying it is unloading
// the window.
#include "organiser/contracts/database.h"
#include "organiser/main/frm_start.h"

#include <memory>

namespace dorrin::organiser {

struct OrganiserServices {
  forms::Dialogs *dialogs = nullptr;
  desktop::DesktopIcons *desktop = nullptr;
  db::Engine *engine = nullptr;
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

  // The databases and their recordsets, open for the window's lifetime.
  db::Database *Week_Db() { return weekDb_.get(); }
  db::Recordset *Week_Rs() { return weekRs_.get(); }
  db::Database *Link_Db() { return linkDb_.get(); }
  db::Recordset *Link_Rs() { return linkRs_.get(); }

  // Frm_load / Frm_Save: the settings line in "dorrat.txt".
  void Frm_load();
  void Frm_Save();

private:
  void openDatabases();

  OrganiserServices services_;
  std::unique_ptr<FrmStart> form_;
  std::unique_ptr<db::Database> weekDb_, linkDb_;
  std::unique_ptr<db::Recordset> weekRs_, linkRs_;
};

} // namespace dorrin::organiser
