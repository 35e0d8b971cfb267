#pragma once
// The main window with a fixed clock and scripted dialogs, the month pop-up,
// the week planner and the schedule list on a real SQLite week table in a
// temporary folder, started up and showing page 5.
#include "organiser/contracts/tables.h"
#include "organiser/main/frm_start.h"
#include "organiser/planner/month_calendar.h"
#include "organiser/planner/schedule_list.h"
#include "organiser/planner/week_planner.h"
#include "platform/db/sqlite_engine.h"
#include "platform/forms/entry_checks.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/scrollbar.h"
#include "platform/forms/testing/fake_dialogs.h"
#include "platform/forms/textbox.h"
#include "platform/text/runtime.h"
#include "tests/support/temp_folder.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <sqlite3.h>
#include <utility>
#include <vector>

// Readable failures.
inline void PrintTo(const QString &s, std::ostream *os) {
  *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QDate &d, std::ostream *os) {
  *os << d.toString(Qt::ISODate).toStdString();
}

namespace dorrin::organiser::testing {

// Key codes the two editors act on.
inline constexpr int kEnter = 13;
inline constexpr int kDelete = 46;

struct Entry {
  QString date; // "yyyy-MM-dd"
  QString text;
  bool operator==(const Entry &o) const { return date == o.date && text == o.text; }
};

inline void PrintTo(const Entry &e, std::ostream *os) {
  *os << "{" << e.date.toStdString() << ", " << e.text.toStdString() << "}";
}

// A double-click as the window system delivers it: press, release, then the
// second press as a double-click, release. (QTest's own sends the
// double-click event alone.)
inline void doubleClick(QWidget *w, QPoint p) {
  QTest::mousePress(w, Qt::LeftButton, {}, p);
  QTest::mouseRelease(w, Qt::LeftButton, {}, p);
  QTest::mouseDClick(w, Qt::LeftButton, {}, p);
  QTest::mouseRelease(w, Qt::LeftButton, {}, p);
}

class PlannerFixture : public ::testing::Test {
protected:
  // Sunday 6 December 2026, 09:00.
  QDateTime clock{QDate(2026, 12, 6), QTime(9, 0)};
  test::TempFolder folder;
  forms::testing::FakeDialogs dialogs;
  db::SqliteEngine engine;
  std::unique_ptr<db::Database> db =
      engine.OpenDatabase(folder.file("TessivoWeek.mdb"), {db::weekTable()});
  std::unique_ptr<db::Recordset> rs;
  FrmStart form{MainServices{&dialogs, nullptr, [this] { return clock; }}};
  MonthCalendar calendar{form};
  WeekPlanner planner{form, [this] { return rs.get(); }, calendar};
  ScheduleList list{form, [this] { return rs.get(); }, calendar};
  int alarmSteps = 0; // runs of the page loader's alarm steps

  void SetUp() override {
    ASSERT_TRUE(db->IsOpen()) << db->Error().toStdString();
    form.hooks.Pan_Load_Time = [this] {
      ++alarmSteps;
      list.Pan_Load_Time();
    };
    form.Form_Load(); // the week recordset opens during start-up
    rs = db->OpenRecordset(QStringLiteral("AWeek"));
    form.show();
    form.Menu_MouseDown(kPageWeek, forms::kLeftButton);
  }

  void TearDown() override {
    blockReads(false);
    rs.reset();
  }

  // While blocked, every change of the week table fails and reads still
  // work: the journal a change needs would be made through a link into a
  // folder that does not exist (this holds for root too).
  void blockWrites(bool on) {
    const QString journal = folder.file("TessivoWeek.mdb-journal");
    ASSERT_TRUE(on ? QFile::link(folder.file("no such folder/journal"), journal)
                   : QFile::remove(journal));
  }
  // While blocked, another connection holds the week file's exclusive lock:
  // every read of the table fails (after the busy wait) as every change does.
  void blockReads(bool on) {
    if (on == (locker != nullptr)) return;
    if (on) {
      ASSERT_EQ(sqlite3_open(folder.file("TessivoWeek.mdb").toUtf8().constData(), &locker),
                SQLITE_OK);
      ASSERT_EQ(sqlite3_exec(locker, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    } else {
      sqlite3_exec(locker, "ROLLBACK", nullptr, nullptr, nullptr);
      sqlite3_close(locker);
      locker = nullptr;
    }
  }
  sqlite3 *locker = nullptr;
  // The save-failure messages shown so far.
  QStringList saveFailures() const {
    QStringList out;
    for (const auto &c : dialogs.calls)
      if (c.title == QStringLiteral("저장 실패")) out << c.text;
    return out;
  }

  static QDate day(int y, int m, int d) { return QDate(y, m, d); }
  QDate today() const { return clock.date(); }

  // Adds records straight to the table, in this order.
  void add(const std::vector<Entry> &entries) {
    auto w = db->OpenRecordset(QStringLiteral("AWeek"));
    for (const Entry &e : entries) {
      w->AddNew();
      w->Fields(0).SetValue(e.date);
      w->Fields(1).SetValue(e.text);
      ASSERT_TRUE(w->Update());
    }
  }
  // Deletes every record.
  void clearTable() {
    for (auto r = db->OpenRecordset(QStringLiteral("AWeek")); r->MoveFirst();)
      r->Delete();
  }
  // Every record in table order.
  std::vector<Entry> table() {
    std::vector<Entry> out;
    auto r = db->OpenRecordset(QStringLiteral("AWeek"));
    if (!r->MoveFirst()) return out;
    for (; !r->Eof(); r->MoveNext())
      out.push_back({r->Fields(0).Value(), r->Fields(1).Value()});
    return out;
  }
  // The texts strip i shows, up to the first empty line.
  QStringList lines(int i) {
    QStringList out;
    forms::FlexGrid &g = *planner.WeekGrid[i];
    for (int r = 0; r < g.rows() && !g.textMatrix(r, 1).isEmpty(); ++r)
      out << g.textMatrix(r, 1);
    return out;
  }
  // Shows Work_Date's week again after a change made straight to the table.
  void reload() {
    const QDate d = form.state().Work_Date;
    planner.Set_Date(d);
    planner.DisplayRecord(d);
    planner.WeekSpiltHeight();
  }
  // A press on line `row` of strip i, as the user makes it.
  void pressLine(int i, int row) {
    forms::FlexGrid &g = *planner.WeekGrid[i];
    const QPoint p(forms::toPixels(g.colPos(1) + 200), forms::toPixels(g.rowPos(row) + 140));
    QTest::mousePress(&g, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseRelease(&g, Qt::LeftButton, Qt::NoModifier, p);
  }
  // Opens the editor on a line, types `text` over its content, presses key.
  void edit(int i, int row, const QString &text, int keyCode) {
    pressLine(i, row);
    planner.Txt_Week->setText(text);
    planner.Txt_Week_KeyDown(keyCode);
  }
  // The entries the week planner shows for the days in its strips.
  std::vector<Entry> weekShown() {
    std::vector<Entry> out;
    for (int i = 0; i < kWeekStrips; ++i)
      for (const QString &t : lines(i))
        out.push_back({text::shortDate(form.state().Work_Date.addDays(i - 1)), t});
    return out;
  }

  // ---------------------------------------------------------- schedule list
  void showMemo() { form.Menu_MouseDown(kPageMemo, forms::kLeftButton); }
  void showWeek() { form.Menu_MouseDown(kPageWeek, forms::kLeftButton); }
  // The rows the list holds, as label and text.
  std::vector<std::pair<QString, QString>> listed() {
    std::vector<std::pair<QString, QString>> out;
    for (int r = 0; r < list.List_Row; ++r)
      out.emplace_back(form.Grid_A->textMatrix(r, 0), form.Grid_A->textMatrix(r, 1));
    return out;
  }
  QPoint gridACell(int r, int c) {
    forms::FlexGrid &a = *form.Grid_A;
    a.showCell(r, c);
    return {forms::toPixels(a.colPos(c) + std::min(a.colWidth(c), 600) / 2),
            forms::toPixels(a.rowPos(r) + a.rowHeight(r) / 2)};
  }
  // A press on a cell of Grid_A, as the user makes it.
  void pressGridA(int r, int c) {
    const QPoint p = gridACell(r, c);
    QTest::mousePress(form.Grid_A, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseRelease(form.Grid_A, Qt::LeftButton, Qt::NoModifier, p);
  }
  // A double-click on row r's text: opens the editor.
  void openRow(int r) { doubleClick(form.Grid_A, gridACell(r, 1)); }
  // A press on row r's label, then a double-click on `d` (a day of the month
  // the pop-up shows, or 0 for a blank cell).
  void pickDay(int r, int d) {
    pressGridA(r, 0);
    forms::FlexGrid &g = *calendar.GCalendar;
    const MonthLayout m = monthLayout(calendar.ScrYear->value(), calendar.ScrMonth->value(), {});
    std::pair<int, int> cell{1, 0};
    if (d > 0) {
      cell = m.cellOf(d);
    } else {
      for (int c = 0; c < 7 && m.day[1][c] == 0; ++c)
        cell = {1, c};
    }
    doubleClick(&g, {forms::toPixels(g.colPos(cell.second) + g.colWidth(cell.second) / 2),
                     forms::toPixels(g.rowPos(cell.first) + g.rowHeight(cell.first) / 2)});
  }
  // The editor's text replaced by `text` (nullptr keeps it), then key.
  void typeAndKey(const char16_t *text, int keyCode) {
    if (text) form.Text1->setText(QString::fromUtf16(text));
    list.Text1_KeyUp(keyCode);
  }
};

} // namespace dorrin::organiser::testing
