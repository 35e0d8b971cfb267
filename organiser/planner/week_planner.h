#pragma once
// The week planner on page 5 ("일정"): eleven day strips from the day before
// Work_Date to nine days after it, each a header with the date and a grid of
// one-line entries from the week table "AWeek". A press on a line opens an
// in-place editor; Enter adds, changes or deletes the entry, the Delete key
// deletes it after a confirmation. "<<" / ">>" step ten days, "달력" opens
// the month pop-up.
#include <QDate>
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class QScrollArea;

namespace dorrin::db {
class Recordset;
}
namespace dorrin::forms {
class FlexGrid;
class KtCommand;
class KtPanel;
class KtSplitter;
class TextBox;
struct MouseArgs;
} // namespace dorrin::forms

namespace dorrin::organiser {

class FrmStart;
class MonthCalendar;

inline constexpr int kWeekStrips = 11;
// Lines of a strip's grid as built; a day with more entries grows it.
inline constexpr int kWeekGridRows = 21;
// Entries read for one day: the first match and 31 next ones.
inline constexpr int kWeekDayEntries = 32;

// Builds its controls inside form.Pan_Back[5] and installs the main window's
// hooks Pan_Load_Week, Pan_Back5_Resize and Week_Grids, and the month
// pop-up's week hooks. Destroy it before the form and the calendar.
class WeekPlanner : public QObject {
public:
  // weekRs hands out the week recordset, which opens during the start-up
  // sequence (after construction); it may return null.
  WeekPlanner(FrmStart &form, std::function<db::Recordset *()> weekRs, MonthCalendar &calendar);
  ~WeekPlanner() override;
  WeekPlanner(const WeekPlanner &) = delete;
  WeekPlanner &operator=(const WeekPlanner &) = delete;

  // Shows the page on today's week.
  void Pan_Load_Week();
  // Strip headers and the full date for reference day `day`.
  void Set_Date(const QDate &day);
  // Fills the strips from the week table for reference day `day`; sets
  // Day_Lines.
  void DisplayRecord(const QDate &day);
  // Sizes the panes, the page panel and the window from Day_Lines.
  void WeekSpiltHeight();
  // Fits the strips' view into the window: it shows every line when they
  // fit, else as many as the window holds, with a scroll bar for the rest;
  // panelWidth is the page panel's.
  void fitWeekView(int panelWidth);
  // Appends one entry; false (reported to the user) when it was not stored.
  bool Week_Data_Save(const QDate &day, const QString &text);
  // Start-up step: column 1 left-aligned, column 0 one twip wide.
  void Week_Grids();
  // Child layout of Pan_Back(5) at a panel width.
  void Pan_Back5_Resize(int width);

  // Event handlers (the controls' signals run them; tests call them too).
  void PanWeek_MouseDown(int i, int button);
  void PanWeek_Resize(int i);
  // A press on strip i's grid: uses the grid's MouseRow/MouseCol.
  void WeekGrid_MouseDown(int i);
  void Txt_Week_KeyDown(int keyCode);
  void Txt_Week_DblClick();
  void Com_Plus_MouseDown(int index);
  void Com_Calen_MouseDown();

  // State of the page.
  std::array<std::int16_t, kWeekStrips> Day_Lines{};
  std::int16_t Cur_Day = 0;
  std::int16_t Sel_Row = 0;

  // Controls, by the names the procedures use.
  std::array<forms::KtCommand *, 2> Com_Plus{};
  forms::KtCommand *Com_Calen = nullptr;
  forms::KtPanel *Pan_Now = nullptr;
  // The strips scroll inside WeekView when the screen cannot show them all.
  QScrollArea *WeekView = nullptr;
  forms::KtSplitter *WeekSpilt = nullptr;
  std::array<forms::KtPanel *, kWeekStrips> PanWeek{};
  std::array<forms::FlexGrid *, kWeekStrips> WeekGrid{};
  // A child of WeekSpilt, so it scrolls with the line it edits.
  forms::TextBox *Txt_Week = nullptr;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void buildControls();
  // The reference day changed / the table changed: show it again.
  void showWeek();
  void refresh();
  void clearAndClose();
  // Gives strip i's grid at least n lines, each Row_Height tall.
  void ensureLines(int i, int n);

  bool fitting_ = false;

  FrmStart &form_;
  std::function<db::Recordset *()> weekRs_;
  MonthCalendar &calendar_;
};

} // namespace dorrin::organiser
