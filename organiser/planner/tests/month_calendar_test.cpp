#include "organiser/main/frm_start.h"
#include "organiser/planner/tests/planner_fixture.h"
#include "platform/forms/buttons.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/panel.h"
#include "platform/forms/scrollbar.h"
#include "platform/forms/testing/fake_dialogs.h"

#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace dorrin;
using namespace dorrin::organiser;
using namespace dorrin::organiser::testing;
using forms::rgb;

namespace {

// ------------------------------------------------------------ the month table

struct MonthCase {
  int year, month, days;
};

TEST(MonthTable, MonthLengthsFollowTheTableAndTheGregorianLeapRule) {
  const MonthCase cases[] = {
      {2000, 2, 29}, {2024, 2, 29},  {1900, 2, 28},  {2100, 2, 28},  {2023, 2, 28}, {2026, 1, 31},
      {2026, 3, 31}, {2026, 4, 30},  {2026, 5, 31},  {2026, 6, 30},  {2026, 7, 31}, {2026, 8, 31},
      {2026, 9, 30}, {2026, 10, 31}, {2026, 11, 30}, {2026, 12, 31}, {2026, 0, 0},  {2026, 13, 0},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(monthDays(c.year, c.month), c.days) << c.year << "-" << c.month;
    EXPECT_EQ(monthLayout(c.year, c.month, {}).days, c.days) << c.year << "-" << c.month;
  }
}

TEST(MonthTable, ASaturdayStartOf31DaysUsesAllSixRows) {
  const MonthLayout m = monthLayout(2026, 8, QDate(2026, 12, 6));
  EXPECT_EQ(m.firstColumn, 6);
  EXPECT_EQ(m.cellOf(1), std::make_pair(1, 6));
  EXPECT_EQ(m.cellOf(2), std::make_pair(2, 0));
  EXPECT_EQ(m.cellOf(31), std::make_pair(6, 1));
  EXPECT_EQ(m.day[1][6], 1);
  EXPECT_EQ(m.day[6][1], 31);
  EXPECT_EQ(m.day[1][5], 0);
  EXPECT_EQ(m.day[6][2], 0);
  EXPECT_EQ(m.todayDay, 0);
  // Each day sits under its weekday.
  for (int d = 1; d <= 31; ++d)
    EXPECT_EQ(m.cellOf(d).second + 1, weekdayNumber(QDate(2026, 8, d))) << d;
}

TEST(MonthTable, TodayIsMarkedOnlyInItsOwnMonth) {
  const QDate today(2026, 12, 6);
  EXPECT_EQ(monthLayout(2026, 12, today).todayDay, 6);
  EXPECT_EQ(monthLayout(2026, 11, today).todayDay, 0);
  EXPECT_EQ(monthLayout(2025, 12, today).todayDay, 0);
}

// ------------------------------------------------------------ the pop-up

struct CalendarFixture : ::testing::Test {
  QDateTime clock{QDate(2026, 12, 6), QTime(9, 0)}; // a Sunday
  forms::testing::FakeDialogs dialogs;
  FrmStart form{MainServices{&dialogs, nullptr, [this] { return clock; }}};
  MonthCalendar cal{form};
  // The schedule list on the form's real Grid_A and Text1, without a table.
  ScheduleList list{form, [] { return nullptr; }, cal};
  std::vector<std::string> calls;

  void SetUp() override {
    form.Form_Load();
    form.show();
    form.Menu_MouseDown(kPageMemo, forms::kLeftButton);
    list.Pan_Load_Time();
    auto rec = [this](std::string n) { return [this, n] { calls.push_back(n); }; };
    cal.hooks.WeekPicked = rec("WeekPicked");
    cal.hooks.HideWeekEditor = rec("HideWeekEditor");
  }

  forms::FlexGrid &grid() { return *cal.GCalendar; }
  QPoint cellCentre(int r, int c) {
    return {forms::toPixels(grid().colPos(c) + grid().colWidth(c) / 2),
            forms::toPixels(grid().rowPos(r) + grid().rowHeight(r) / 2)};
  }
  void dblClick(int r, int c) { doubleClick(&grid(), cellCentre(r, c)); }
  forms::Rgb back(int r, int c) {
    grid().setRow(r);
    grid().setCol(c);
    return grid().cellBackColor();
  }
  forms::Rgb fore(int r, int c) {
    grid().setRow(r);
    grid().setCol(c);
    return grid().cellForeColor();
  }
  // The day cells as text, row by row ("" for blanks).
  QStringList days() {
    QStringList out;
    for (int r = 1; r < 7; ++r)
      for (int c = 0; c < 7; ++c)
        out << grid().textMatrix(r, c);
    return out;
  }
};

TEST_F(CalendarFixture, OpensOnTheCurrentMonthWithHeaderAndTodayMarked) {
  cal.ScrMonth->setValue(3); // it was showing another month
  cal.open(MonthCalendar::WeekMode);
  EXPECT_TRUE(form.Pan_Calendar->visible());
  EXPECT_EQ(form.Pan_Calendar->top(), 100);
  EXPECT_EQ(form.Pan_Calendar->left(), 100);
  EXPECT_EQ(cal.Calendar_Mode, 2);
  const QString header = QStringLiteral("일월화수목금토");
  for (int c = 0; c < 7; ++c) {
    EXPECT_EQ(grid().textMatrix(0, c), header.mid(c, 1));
    EXPECT_EQ(grid().colWidth(c), 480);
  }
  EXPECT_EQ(grid().width(), 7 * 480);
  EXPECT_EQ(grid().height(), 7 * grid().rowHeight(0));
  EXPECT_EQ(cal.DispYear->caption(), QStringLiteral("2026년"));
  EXPECT_EQ(cal.DispMonth->caption(), QStringLiteral("12월"));
  // December 2026 starts on a Tuesday; the 6th is today, a Sunday.
  // The current cell is the 1st.
  EXPECT_EQ(grid().row(), 1);
  EXPECT_EQ(grid().col(), 2);
  EXPECT_EQ(grid().textMatrix(1, 2), "1");
  EXPECT_EQ(grid().textMatrix(1, 1), "");
  EXPECT_EQ(grid().textMatrix(2, 0), "6");
  EXPECT_EQ(back(2, 0), rgb(0, 0, 255));
  EXPECT_EQ(fore(2, 0), rgb(255, 255, 255));
  EXPECT_EQ(fore(3, 0), rgb(255, 0, 0)); // other Sundays red
  EXPECT_EQ(fore(0, 0), rgb(255, 0, 0)); // the header's 일 too
  EXPECT_EQ(back(3, 1), 0u);             // other days in the grid's colours
}

TEST_F(CalendarFixture, AllSixWeekRowsFitInsideThePopUp) {
  cal.open(MonthCalendar::WeekMode);
  // January 2027 and August 2026 use the sixth week row.
  for (auto [year, month] : {std::pair{2027, 1}, std::pair{2026, 8}, std::pair{2026, 12}}) {
    cal.ScrYear->setValue(year);
    cal.ScrMonth->setValue(month);
    QCoreApplication::processEvents();
    const forms::FlexGrid &g = grid();
    EXPECT_LE(g.rowPos(6) + g.rowHeight(6), g.height()) << year << "-" << month;
    EXPECT_LE(g.colPos(6) + g.colWidth(6), g.width());
    // The grid, with its last row, lies inside the panel's border.
    EXPECT_LE(g.top() + g.height(), form.Pan_Calendar->height() - 30) << year << "-" << month;
    EXPECT_LE(g.left() + g.width(), form.Pan_Calendar->width() - 30);
    for (const QScrollBar *bar : g.findChildren<QScrollBar *>())
      EXPECT_FALSE(bar->isVisible()) << "no scroll bar strip";
  }
  EXPECT_GE(form.Pan_Calendar->height(), 2145);
  EXPECT_GE(form.Pan_Calendar->width(), 3495);
}

TEST_F(CalendarFixture, TodayIsMarkedOnlyWhileItsMonthShows) {
  cal.open(MonthCalendar::WeekMode);
  cal.ScrMonth->setValue(11);
  EXPECT_EQ(cal.DispMonth->caption(), QStringLiteral("11월"));
  for (int r = 1; r < 7; ++r)
    for (int c = 0; c < 7; ++c)
      EXPECT_NE(back(r, c), rgb(0, 0, 255)) << r << "," << c;
  EXPECT_EQ(fore(2, 0), rgb(255, 0, 0)); // the Sunday keeps its red
  cal.ScrMonth->setValue(12);
  EXPECT_EQ(back(2, 0), rgb(0, 0, 255));
  // A fill clears what the longer month left behind.
  cal.ScrMonth->setValue(2);
  EXPECT_EQ(days().filter(QRegularExpression("\\S")).size(), 28);
}

struct WrapCase {
  int year, month, step; // step to 0 or 13
  int wantYear, wantMonth;
};

TEST_F(CalendarFixture, MonthStepsWrapIntoTheNeighbouringYearButNotPastTheBounds) {
  const WrapCase cases[] = {
      {2027, 1, 0, 2026, 12},
      {2026, 12, 13, 2027, 1},
      {2100, 12, 13, 2100, 1}, // the year stays at its bound
      {1900, 1, 0, 1900, 12},
  };
  cal.open(MonthCalendar::WeekMode);
  for (const auto &c : cases) {
    cal.ScrYear->setValue(c.year);
    cal.ScrMonth->setValue(c.month);
    cal.ScrMonth->setValue(c.step);
    EXPECT_EQ(cal.ScrYear->value(), c.wantYear) << c.year << "-" << c.month;
    EXPECT_EQ(cal.ScrMonth->value(), c.wantMonth) << c.year << "-" << c.month;
    EXPECT_EQ(cal.DispYear->caption(), QString::number(c.wantYear) + QStringLiteral("년"));
    EXPECT_EQ(cal.DispMonth->caption(), QString::number(c.wantMonth) + QStringLiteral("월"));
    // The grid shows the month the steppers show.
    const MonthLayout m = monthLayout(c.wantYear, c.wantMonth, {});
    const auto [r, col] = m.cellOf(m.days);
    EXPECT_EQ(grid().textMatrix(r, col), QString::number(m.days));
    const auto [r1, c1] = m.cellOf(1);
    EXPECT_EQ(grid().textMatrix(r1, c1), "1");
  }
  cal.ScrYear->setValue(2100);
  EXPECT_FALSE(cal.ScrYear->setValue(2101));
  EXPECT_EQ(cal.ScrYear->value(), 2100);
}

struct PickCase {
  int mode;
  int row, col;      // the cell double-clicked (December 2026)
  QDate want;        // invalid: no pick
  const char *label; // mode 1: what the schedule list's row then shows
};

TEST_F(CalendarFixture, ADoubleClickPicksTheDayOrTheNoDayDateOfTheMode) {
  const PickCase cases[] = {
      {1, 3, 2, QDate(2026, 12, 15), "12/15"},
      {2, 3, 2, QDate(2026, 12, 15), nullptr},
      {1, 1, 0, QDate(2100, 1, 1), "1/1"},   // blank cell
      {2, 1, 0, QDate(2000, 1, 1), nullptr}, // blank cell
      {1, 0, 3, QDate(), nullptr},           // header row: no pick
      {2, 0, 3, QDate(), nullptr},
  };
  forms::FlexGrid &a = *form.Grid_A;
  for (const auto &c : cases) {
    SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " cell " << c.row << "," << c.col);
    calls.clear();
    form.state().Work_Date = QDate(2026, 1, 1);
    a.setTextMatrix(3, 0, QStringLiteral("12/8(화)"));
    a.setTextMatrix(3, 1, QStringLiteral("치과"));
    list.Sel_Row = 3;
    cal.open(c.mode);
    enableScheduleLists(form, c.mode != 1); // as the list's opener leaves them
    dblClick(c.row, c.col);
    if (!c.want.isValid()) {
      EXPECT_EQ(form.state().Work_Date, QDate(2026, 1, 1));
      EXPECT_TRUE(calls.empty());
      EXPECT_TRUE(form.Pan_Calendar->visible());
      EXPECT_EQ(a.textMatrix(3, 0), QStringLiteral("12/8(화)"));
      EXPECT_FALSE(form.Text1->visible());
      continue;
    }
    EXPECT_EQ(form.state().Work_Date, c.want);
    EXPECT_FALSE(form.Pan_Calendar->visible());
    if (c.mode == 1) {
      // The row shows the picked day and the list's editor is open on it.
      EXPECT_TRUE(calls.empty());
      EXPECT_EQ(a.textMatrix(3, 0), QString::fromUtf8(c.label));
      EXPECT_EQ(a.textMatrix(2, 0), "");
      EXPECT_TRUE(form.Text1->visible());
      EXPECT_EQ(form.Text1->text(), QStringLiteral("치과"));
      EXPECT_FALSE(form.Grid_A->enabled());
      EXPECT_FALSE(form.Grid_C->enabled());
      list.Text1_DblClick();
    } else {
      EXPECT_EQ(calls, std::vector<std::string>{"WeekPicked"});
      EXPECT_EQ(a.textMatrix(3, 0), QStringLiteral("12/8(화)"));
      EXPECT_FALSE(form.Text1->visible());
    }
  }
}

TEST_F(CalendarFixture, CloseButtonHidesThePopUpAndTheOpenersEditorAndEnablesTheLists) {
  // Mode 1: the schedule list's editor closes and both lists work again.
  list.Sel_Row = 0;
  list.CellEnter();
  ASSERT_TRUE(form.Text1->visible());
  cal.open(MonthCalendar::ScheduleMode);
  QTest::mouseClick(cal.KtPanel1, Qt::LeftButton);
  EXPECT_FALSE(form.Pan_Calendar->visible());
  EXPECT_FALSE(form.Text1->visible());
  EXPECT_TRUE(form.Grid_A->enabled());
  EXPECT_TRUE(form.Grid_C->enabled());
  EXPECT_TRUE(calls.empty());
  // Mode 2: the week editor closes; the lists are enabled too.
  enableScheduleLists(form, false);
  cal.open(MonthCalendar::WeekMode);
  QTest::mouseClick(cal.KtPanel1, Qt::LeftButton);
  EXPECT_FALSE(form.Pan_Calendar->visible());
  EXPECT_EQ(calls, (std::vector<std::string>{"HideWeekEditor"}));
  EXPECT_TRUE(form.Grid_A->enabled());
  EXPECT_TRUE(form.Grid_C->enabled());
  EXPECT_EQ(cal.Calendar_Mode, 2); // kept after closing
}

TEST_F(CalendarFixture, ThePopUpFollowsALeftDrag) {
  cal.open(MonthCalendar::WeekMode);
  cal.Pan_Calendar_MouseDown({forms::kRightButton, 0, 300, 150});
  EXPECT_EQ(form.Drag_X, 300);
  EXPECT_EQ(form.Drag_Y, 150);
  cal.Pan_Calendar_MouseMove({forms::kLeftButton, 0, 500, 450});
  EXPECT_EQ(form.Pan_Calendar->left(), 300);
  EXPECT_EQ(form.Pan_Calendar->top(), 400);
  cal.Pan_Calendar_MouseMove({forms::kRightButton, 0, 900, 900}); // not the left button
  cal.Pan_Calendar_MouseMove({0, 0, 900, 900});
  EXPECT_EQ(form.Pan_Calendar->left(), 300);
  EXPECT_EQ(form.Pan_Calendar->top(), 400);
}

} // namespace
