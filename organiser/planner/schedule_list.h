#pragma once
// The schedule list on page 6 ("메모"): `Grid_A` above today's alarms lists
// the week table's undated entries ("*****"), then each day's entries from
// yesterday to ten days ahead; today always shows, with a dashed line when
// it has no entry. A double-click on a text opens the in-place editor
// `Text1`: Enter adds, changes, re-dates or deletes the entry, Delete deletes
// it after a confirmation. A press on a date label opens the month pop-up to
// give the row a date. It is the second view of the table the week planner
// shows.
#include <QDate>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace dorrin::db {
class Recordset;
}

namespace dorrin::organiser {

class FrmStart;
class MonthCalendar;

// Rows of Grid_A as built; a fuller list grows it.
inline constexpr int kScheduleGridRows = 60;
// Entries read for one day: the first match and 31 next ones.
inline constexpr int kScheduleDayEntries = 32;
// Today's placeholder text: 139 hyphens.
extern const QString kScheduleNoEntryLine;

// Enables or disables Grid_A and Grid_C together: both are disabled while
// the list's editor or the month pop-up (for the list) is open.
void enableScheduleLists(FrmStart &form, bool on);

// Works on the form's page-6 controls and installs the month pop-up's
// schedule hooks. Destroy it before the form and the calendar.
class ScheduleList : public QObject {
public:
  // weekRs hands out the week recordset, which opens during the start-up
  // sequence (after construction); it may return null.
  ScheduleList(FrmStart &form, std::function<db::Recordset *()> weekRs, MonthCalendar &calendar);
  ~ScheduleList() override;
  ScheduleList(const ScheduleList &) = delete;
  ScheduleList &operator=(const ScheduleList &) = delete;

  // The page loader's steps after the alarm steps: rebuilds the list for
  // today and lays the page out at page 6's window size.
  void Pan_Load_Time();
  // Appends the rows of one day at List_Row.
  void DisplayGridA(const QDate &day);
  // Today's labels dark green, every other label olive.
  void GridA_Color();
  // Opens the editor over row Sel_Row's text.
  void CellEnter();

  // Event handlers (the controls' signals run them; tests call them too).
  // Grid_A's MouseRow/MouseCol tell where the press was.
  void Grid_A_MouseDown();
  void Grid_A_DblClick();
  void Text1_KeyUp(int keyCode);
  void Text1_DblClick();

  // The day row r was built for (kUndatedDay for an undated entry); invalid
  // for a row the list did not fill. A pick does not change it.
  QDate rowDate(int r) const;

  std::int16_t List_Row = 0;
  std::int16_t Sel_Row = 0;

private:
  // The whole page loader (the alarm steps too) when the main window has
  // one, else the list's own steps.
  void reload();
  void closeEditor();
  void writeRow(const QDate &day, const QString &label, const QString &text);

  FrmStart &form_;
  std::function<db::Recordset *()> weekRs_;
  MonthCalendar &calendar_;
  std::vector<QDate> rowDates_;
  int placeholderRow_ = -1;
};

} // namespace dorrin::organiser
