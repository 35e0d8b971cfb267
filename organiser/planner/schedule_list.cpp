#include "organiser/planner/schedule_list.h"

#include "organiser/contracts/database.h"
#include "organiser/main/frm_start.h"
#include "organiser/planner/month_calendar.h"
#include "organiser/planner/week_table.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/panel.h"
#include "platform/forms/splitter.h"
#include "platform/forms/textbox.h"
#include "platform/text/field_text.h"
#include "platform/text/runtime.h"

#include <QLoggingCategory>
#include <algorithm>

Q_LOGGING_CATEGORY(lcSchedule, "dorrin.schedule")

namespace dorrin::organiser {

using forms::rgb;

const QString kScheduleNoEntryLine(139, QLatin1Char('-'));

namespace {

const QString kUndatedLabel = QStringLiteral("*****");

constexpr int kKeyEnter = 13;
constexpr int kKeyDelete = 46;

constexpr forms::Rgb kTodayLabel = rgb(0, 100, 50);
constexpr forms::Rgb kOtherLabel = rgb(192, 192, 0);
constexpr forms::Rgb kAlarmHeader = rgb(200, 50, 0);
constexpr forms::Rgb kTabChosen = rgb(156, 156, 255);
// Rows every build clears and colours, however few it fills.
constexpr int kClearedRows = 50;
constexpr int kEditorTopOffset = 450;

} // namespace

void enableScheduleLists(FrmStart &form, bool on) {
  form.Grid_A->setEnabled(on);
  form.Grid_C->setEnabled(on);
}

ScheduleList::ScheduleList(FrmStart &form, std::function<db::Recordset *()> weekRs,
                           MonthCalendar &calendar)
    : form_(form), weekRs_(std::move(weekRs)), calendar_(calendar) {
  auto guarded = [](const char *name, auto f) { return [name, f] { FrmStart::call(name, f); }; };
  connect(form_.Grid_A, &forms::Control::mouseDown, this,
          guarded("Grid_A_MouseDown", [this] { Grid_A_MouseDown(); }));
  connect(form_.Grid_A, &forms::Control::dblClick, this,
          guarded("Grid_A_DblClick", [this] { Grid_A_DblClick(); }));
  connect(form_.Text1, &forms::TextBox::keyUp, this,
          [this](int key, int) { FrmStart::call("Text1_KeyUp", [&] { Text1_KeyUp(key); }); });
  connect(form_.Text1, &forms::Control::dblClick, this,
          guarded("Text1_DblClick", [this] { Text1_DblClick(); }));
  form_.Text1->preferNativeInput();

  calendar_.hooks.ScheduleRow = [this] { return int(Sel_Row); };
  calendar_.hooks.CellEnter = [this] { CellEnter(); };
}

ScheduleList::~ScheduleList() {
  calendar_.hooks.ScheduleRow = nullptr;
  calendar_.hooks.CellEnter = nullptr;
}

QDate ScheduleList::rowDate(int r) const {
  return r >= 0 && size_t(r) < rowDates_.size() ? rowDates_[size_t(r)] : QDate();
}

void ScheduleList::Pan_Load_Time() {
  PageState &s = form_.state();
  forms::FlexGrid &a = *form_.Grid_A;

  // 1. An empty list; a grid grown for a fuller list goes back to its size.
  // An editor or a pop-up still open for a row of the old list (the user
  // went to another page meanwhile) closes: the row may now hold another
  // entry.
  closeEditor();
  if (calendar_.Calendar_Mode == MonthCalendar::ScheduleMode) form_.Pan_Calendar->setVisible(false);
  enableScheduleLists(form_, true);
  List_Row = 0;
  rowDates_.clear();
  placeholderRow_ = -1;
  if (a.rows() > kScheduleGridRows) a.setRows(kScheduleGridRows);
  for (int r = 0; r < a.rows(); ++r) {
    a.setTextMatrix(r, 0, QString());
    a.setTextMatrix(r, 1, QString());
  }
  s.Work_Date = form_.today();             // 2
  form_.setWidth(s.Page_Width[kPageMemo]); // 3
  form_.setHeight(s.Page_Height[kPageMemo]);
  form_.Menu[kPageMemo]->setBackColor(kTabChosen); // 4
  forms::KtPanel *back = form_.Pan_Back[kPageMemo];
  back->setVisible(true);
  back->setLeft(45);
  back->setTop(600);
  form_.Spilt[kPageMemo]->setPaneHeight(0, s.Pane_Height[kPageMemo]); // 5
  form_.Grid_C->setBackColorFixed(kAlarmHeader);                      // 6

  DisplayGridA(kUndatedDay); // 7
  for (int k = -1; k <= 10; ++k)
    DisplayGridA(s.Work_Date.addDays(k));
  GridA_Color();

  // 8. The page's layout at the window's size.
  const int W = form_.width(), H = form_.height();
  const int p = s.Cur_Page;
  if (p >= 0 && p < int(form_.Pan_Back.size())) {
    form_.Pan_Back[size_t(p)]->setWidth(W - 90);
    form_.Pan_Back[size_t(p)]->setHeight(H - 680);
  }
  form_.Pan_Menu->setWidth(W - 135);
  if (p >= 0 && p < int(form_.Spilt.size()) && form_.Spilt[size_t(p)]) {
    form_.Spilt[size_t(p)]->setWidth(W - 160);
    form_.Spilt[size_t(p)]->setHeight(H - 1180);
  }
  a.setColWidth(1, W - 290);
  form_.Grid_C->setColWidth(1, W - 290);
  form_.Kttime->setWidth(W - 100);
}

void ScheduleList::writeRow(const QDate &day, const QString &label, const QString &text) {
  forms::FlexGrid &a = *form_.Grid_A;
  if (List_Row >= a.rows()) {
    // A fuller list than the grid holds: one more row, as tall as the rest.
    const int height = a.rowHeight(0);
    a.setRows(List_Row + 1);
    a.setRowHeight(List_Row, height);
  }
  a.setTextMatrix(List_Row, 0, label);
  a.setTextMatrix(List_Row, 1, text);
  if (rowDates_.size() <= size_t(List_Row)) rowDates_.resize(size_t(List_Row) + 1);
  rowDates_[size_t(List_Row)] = day;
  ++List_Row;
}

void ScheduleList::DisplayGridA(const QDate &day) {
  const QDate today = form_.today();
  db::Recordset *rs = weekRs_ ? weekRs_() : nullptr;
  const QString date = text::shortDate(day);
  bool found = false;
  if (rs) {
    rs->MoveFirst();
    found = rs->FindFirst(kWeekDateField, date);
  }
  if (!found) {
    if (day == today) {
      placeholderRow_ = List_Row;
      writeRow(day, dayLabel(day, form_.state().Week_Name), kScheduleNoEntryLine);
    }
    return;
  }
  const QString label =
      day.year() == kUndatedDay.year() ? kUndatedLabel : dayLabel(day, form_.state().Week_Name);
  for (int n = 0; found && n < kScheduleDayEntries; ++n) {
    writeRow(day, label, rs->Fields(kWeekTextColumn).Value());
    found = rs->FindNext(kWeekDateField, date);
  }
}

void ScheduleList::GridA_Color() {
  forms::FlexGrid &a = *form_.Grid_A;
  const QString todayLabel = dayLabel(form_.today(), form_.state().Week_Name);
  const int rows = std::max(kClearedRows, int(List_Row));
  for (int r = 0; r < rows && r < a.rows(); ++r) {
    a.setRow(r);
    a.setCol(0);
    a.setCellBackColor(a.textMatrix(r, 0) == todayLabel ? kTodayLabel : kOtherLabel);
  }
}

void ScheduleList::Grid_A_MouseDown() {
  forms::FlexGrid &a = *form_.Grid_A;
  Sel_Row = static_cast<std::int16_t>(a.mouseRow());
  if (a.mouseCol() != 0) return;
  calendar_.open(MonthCalendar::ScheduleMode);
  enableScheduleLists(form_, false);
}

void ScheduleList::Grid_A_DblClick() {
  if (form_.Grid_A->mouseCol() == 1) CellEnter();
}

void ScheduleList::CellEnter() {
  forms::FlexGrid &a = *form_.Grid_A;
  forms::TextBox &t = *form_.Text1;
  if (Sel_Row < 0 || Sel_Row >= a.rows()) return;
  a.setRow(Sel_Row);
  a.setCol(1);
  t.setText(QString());
  t.setTop(a.top() + a.cellTop() + kEditorTopOffset);
  t.setLeft(a.left() + a.cellLeft());
  t.setWidth(a.cellWidth());
  t.setHeight(a.cellHeight());
  t.setText(a.text());
  t.setVisible(true);
  t.raise();
  enableScheduleLists(form_, false);
  t.setWidth(form_.Pan_Back[kPageMemo]->width() - 680);
  t.setFocus();
  t.setSelStart(static_cast<int>(t.text().size()));
}

void ScheduleList::closeEditor() {
  form_.Text1->setText(QString());
  form_.Text1->setVisible(false);
}

void ScheduleList::reload() {
  if (form_.hooks.Pan_Load_Time)
    FrmStart::call("Pan_Load_Time", form_.hooks.Pan_Load_Time);
  else
    FrmStart::call("Pan_Load_Time", [this] { Pan_Load_Time(); });
}

void ScheduleList::Text1_KeyUp(int keyCode) {
  if (keyCode != kKeyEnter && keyCode != kKeyDelete) return;
  forms::FlexGrid &a = *form_.Grid_A;
  const int row = Sel_Row;
  if (row < 0 || row >= a.rows()) return;
  QString old = text::trim(a.textMatrix(row, 1));
  // An entry is one line: a pasted line break becomes a blank, visibly.
  const QString typed = text::fieldText(form_.Text1->text(), {});
  if (typed != form_.Text1->text()) form_.Text1->setText(typed);
  QString now = text::trim(typed);
  const QString label = text::trim(a.textMatrix(row, 0));
  if (row == placeholderRow_) {
    // Today's dashed line stands for no entry: a text typed over it is a new
    // entry, and the line left as it is adds nothing.
    old.clear();
    if (now == kScheduleNoEntryLine) now.clear();
  }
  // The row's entry is the first of the row's day with the row's text; the
  // same text on another day is another entry.
  const QDate rowDay = rowDate(row);
  db::Recordset *rs = weekRs_ ? weekRs_() : nullptr;
  PageState &s = form_.state();
  // A change the table refuses is shown, and the editor stays open with the
  // typed text so that the next Enter stores it.
  auto failed = [&](EntryChange result) {
    if (result != EntryChange::Failed) return false;
    qCWarning(lcSchedule) << "the entry" << (old.isEmpty() ? now : old) << "was not stored";
    reportWeekSaveFailure(form_.dialogs(), rs);
    return true;
  };

  if (keyCode == kKeyEnter) {
    if (label.isEmpty() && !now.isEmpty()) s.Work_Date = kUndatedDay;
    EntryChange result = EntryChange::Done;
    if (old.isEmpty() && !now.isEmpty()) {
      if (!rs || !appendWeekEntry(*rs, s.Work_Date, now)) result = EntryChange::Failed;
    } else if (!old.isEmpty() && now.isEmpty()) {
      result = deleteWeekEntry(rs, rowDay, old);
    } else if (!old.isEmpty() && old != now) {
      // A changed text keeps its date.
      result = changeWeekEntry(rs, rowDay, old, QDate(), now);
    } else if (!old.isEmpty()) {
      // The same text confirmed: the entry takes Work_Date, the date just
      // picked for the row (or today, which the page loader set).
      result = changeWeekEntry(rs, rowDay, old, s.Work_Date, now);
    }
    if (failed(result)) return;
    a.setTextMatrix(row, 1, now);
    if (now.isEmpty()) a.setTextMatrix(row, 0, QString());
    closeEditor();
    enableScheduleLists(form_, true);
    reload();
    return;
  }

  // Delete key.
  if (!confirmEntryDelete(form_.dialogs())) {
    closeEditor();
    enableScheduleLists(form_, true);
    return;
  }
  if (old.isEmpty()) return; // no entry: the editor stays open
  const EntryChange result = deleteWeekEntry(rs, rowDay, old);
  if (failed(result) || result == EntryChange::Gone) return; // the editor stays open
  enableScheduleLists(form_, true);
  reload();
  closeEditor();
}

void ScheduleList::Text1_DblClick() {
  enableScheduleLists(form_, true);
  form_.Text1->setVisible(false);
}

} // namespace dorrin::organiser
