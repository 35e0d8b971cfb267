#pragma once
// The month pop-up `Pan_Calendar`: one month as a 7 x 7 grid under a year
// and a month stepper. It is the date picker of the week planner (mode 2)
// and of the schedule list (mode 1); a double-click on a day hands the date
// to whichever opened it and closes the pop-up.
#include <QDate>
#include <QObject>
#include <QString>
#include <array>
#include <functional>

namespace dorrin::forms {
class FlexGrid;
class KtPanel;
class Label;
class ScrollBar;
struct MouseArgs;
} // namespace dorrin::forms

namespace dorrin::organiser {

class FrmStart;

// Weekday number of the runtime: 1 = Sunday .. 7 = Saturday.
int weekdayNumber(const QDate &d);

// Gregorian leap years: divisible by 4 and not by 100, or by 400.
bool isLeapYear(int year);
// Days of a month (1..12) from the month-length table; 0 for another month.
int monthDays(int year, int month);

// Which cell of the month grid holds which day.
struct MonthLayout {
  int days = 0;        // day count of the month
  int firstColumn = 0; // column of the 1st (its weekday number - 1)
  int todayDay = 0;    // today's day when the month is today's month, else 0
  // Day shown in row r (1..6), column c (0..6); 0 for a blank cell. Row 0
  // (the weekday header) holds no days.
  std::array<std::array<int, 7>, 7> day{};

  // Row and column of day d (1..days); {0, 0} for another number.
  std::pair<int, int> cellOf(int d) const;
};
// The layout of year/month with today's day marked when `today` falls in it.
// An impossible month gives an empty layout.
MonthLayout monthLayout(int year, int month, const QDate &today);

// Lives inside the main window's pop-up panel; destroy it before the form.
class MonthCalendar : public QObject {
public:
  // Builds the pop-up's controls inside form.Pan_Calendar.
  explicit MonthCalendar(FrmStart &form);
  MonthCalendar(const MonthCalendar &) = delete;
  MonthCalendar &operator=(const MonthCalendar &) = delete;

  // Who opened the pop-up: the schedule list or the week planner.
  enum Mode : int { ScheduleMode = 1, WeekMode = 2 };

  // What an opener does: remember the mode, show the pop-up at 100, 100 and
  // show the current month.
  void open(int mode);

  // Lays out the weekday header and shows the current month.
  void Show_Today_Month();
  // Fills the day cells of year/month.
  void Fill_Month(int year, int month);

  // Event handlers (the controls' signals run them; tests call them too).
  void ScrMonth_Change();
  void ScrYear_Change();
  void GCalendar_DblClick();
  void KtPanel1_Click();
  void Pan_Calendar_MouseDown(const forms::MouseArgs &e);
  void Pan_Calendar_MouseMove(const forms::MouseArgs &e);

  int Calendar_Mode = WeekMode;

  // What a pick or the close button hands back to the opener. Work_Date is
  // already the picked date when a pick hook runs.
  struct Hooks {
    // Mode 1: the schedule list's row the pop-up was opened for.
    std::function<int()> ScheduleRow;
    // Mode 1 pick, after the row's label shows the picked day: the schedule
    // list opens its editor on the row.
    std::function<void()> CellEnter;
    // Mode 2 pick: the week planner shows the week of Work_Date.
    std::function<void()> WeekPicked;
    // Close button in mode 2: the week planner hides its line editor.
    std::function<void()> HideWeekEditor;
  } hooks;

  // Controls, by the names the procedures use.
  forms::FlexGrid *GCalendar = nullptr;
  forms::ScrollBar *ScrYear = nullptr;
  forms::ScrollBar *ScrMonth = nullptr;
  forms::Label *DispYear = nullptr;
  forms::Label *DispMonth = nullptr;
  forms::KtPanel *KtPanel1 = nullptr;

  // The date a double-click on the current cell picks in `mode`; invalid
  // for a press on the weekday header, which picks nothing.
  QDate pickedDate(int mode) const;

private:
  FrmStart &form_;
};

} // namespace dorrin::organiser
