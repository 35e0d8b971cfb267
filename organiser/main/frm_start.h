#pragma once
// The main window: title strip, nine tabs, one page panel at a time, the
// size grip, and the hidden pop-up panels. It owns the page state and runs
// the start-up sequence, the resize rules, page switching and moving and
// resizing by hand. The pages' own content (launcher, week planner, alarm
// page) is reached through the named procedures below.
#include "organiser/main/page_state.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/form.h"
#include "platform/forms/panel.h"
#include "platform/forms/splitter.h"
#include "platform/forms/textbox.h"
#include "platform/forms/timer.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <functional>

namespace dorrin::forms {
class Dialogs;
}
namespace dorrin::desktop {
class DesktopIcons;
}

namespace dorrin::organiser {

// What the main window needs from outside; tests pass fakes.
struct MainServices {
  forms::Dialogs *dialogs = nullptr;
  desktop::DesktopIcons *desktop = nullptr;
  // The clock; empty means the system clock.
  std::function<QDateTime()> now;
};

// The maker's web address, shown in the caption and the title strip.
inline constexpr const char *kMakerAddress = "www.tessivo.co.kr";

class FrmStart : public forms::Form {
  Q_OBJECT
public:
  explicit FrmStart(MainServices services, QWidget *parent = nullptr);
  ~FrmStart() override;

  // The start-up sequence; run once per load of the window.
  void Form_Load();
  // The resize rules; also run by the window's own resize events.
  void Form_Resize();
  // A mouse press on tab i with button b (1 left, 2 right, 0 none).
  void Menu_MouseDown(int i, int button);

  PageState &state() { return state_; }
  const PageState &state() const { return state_; }
  // Services for the units that fill the pages.
  forms::Dialogs *dialogs() const { return services_.dialogs; }
  QDateTime now() const;
  QDate today() const { return now().date(); }

  // Controls, by the names the procedures use.
  forms::KtPanel *Pan_Label0 = nullptr;
  forms::KtPanel *Pan_Menu = nullptr;
  std::array<forms::KtCommand *, kPageCount> Menu{};
  std::array<forms::KtPanel *, 8> Pan_Back{};
  forms::KtPanel *Pan_Move = nullptr;
  forms::KtPanel *Pan_Com = nullptr;
  forms::KtPanel *Pan_Dir = nullptr;
  forms::KtPanel *Pan_ColorSetting = nullptr;
  forms::KtPanel *Pan_Calendar = nullptr;
  // Launcher splitters Spilt(0..4) with panes PanA(0..19); Spilt(6) on the
  // alarm page.
  std::array<forms::KtSplitter *, 7> Spilt{};
  std::array<forms::KtPanel *, 24> PanA{};
  // The alarm page: schedule list above today's alarms, the list's editor,
  // the clock panel and its half-second timer.
  forms::FlexGrid *Grid_A = nullptr;
  forms::FlexGrid *Grid_C = nullptr;
  forms::TextBox *Text1 = nullptr;
  forms::KtPanel *Kttime = nullptr;
  forms::Timer *Time1 = nullptr;

  // Procedures of later units, called by the start-up and the tabs. Each is
  // a hook that the unit installs; an empty hook does nothing.
  struct Hooks {
    std::function<void()> GridB_Data_Open, FunPlusList, Frm_load, Frm_Save, Com_Load, Pan_Load_Week,
        Pan_Load_Time, OpenDatabases, ShowTelephone, OpenColorPanel, AddTrayIcon, DirBox_Reset,
        Set_Guide_Slot, Week_Grids, Time1_Timer;
    std::function<void(int)> Pan_Load, Com_List;
    // Resize of a page panel's children (pages 5 and 6 own their controls).
    std::function<void(int width)> Pan_Back5_Resize;
  } hooks;

  // Runs a hook under the runtime's resume-next rule: a failing step is
  // reported and skipped.
  static void call(const char *name, const std::function<void()> &f);

  int Drag_X = 0, Drag_Y = 0;
  // Smallest window a hand resize can make; a drag past the opposite edge
  // asks for a negative size, which would leave no grip to drag back.
  static constexpr int kMinHandSize = 600;

signals:
  void hideRequested();

private:
  void buildControls();
  void layoutMenu();
  void Page6_Grids();
  void onDragPress(const forms::MouseArgs &e);
  void onDragMove(const forms::MouseArgs &e);
  void onGripMove(const forms::MouseArgs &e);
  void toggleDesktop();
  void resizeEvent(QResizeEvent *e) override;
  void mousePressEvent(QMouseEvent *e) override;

  MainServices services_;
  PageState state_;
  bool inResize_ = false;
};

} // namespace dorrin::organiser
