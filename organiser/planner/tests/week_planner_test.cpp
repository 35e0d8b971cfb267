#include "organiser/planner/tests/planner_fixture.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/panel.h"
#include "platform/forms/splitter.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

using namespace dorrin;
using namespace dorrin::organiser;
using namespace dorrin::organiser::testing;
using forms::rgb;

namespace {

constexpr forms::Rgb kPurple = rgb(80, 30, 150);
constexpr forms::Rgb kGreen = rgb(130, 150, 80);
constexpr forms::Rgb kOlive = rgb(192, 192, 0);
constexpr forms::Rgb kWhite = rgb(255, 255, 255);
constexpr forms::Rgb kRed = rgb(255, 0, 0);

using WeekPlannerTest = PlannerFixture;

// ------------------------------------------------------------ loading and headers

TEST_F(WeekPlannerTest, LoadingThePageShowsTodaysWeekAtTheWindowSizeOfPage5) {
  EXPECT_EQ(form.state().Cur_Page, kPageWeek);
  EXPECT_EQ(form.state().Work_Date, today());
  EXPECT_TRUE(form.Pan_Back[5]->visible());
  EXPECT_EQ(form.Pan_Back[5]->left(), 45);
  EXPECT_EQ(form.Pan_Back[5]->top(), 600);
  EXPECT_EQ(form.Menu[5]->backColor(), rgb(156, 156, 255));
  EXPECT_EQ(form.width(), 8000);
  EXPECT_EQ(form.Pan_Back[5]->width(), 8000 - 90);
  // Start-up step 23 and the strip layout.
  for (int i = 0; i < kWeekStrips; ++i) {
    forms::FlexGrid &g = *planner.WeekGrid[i];
    EXPECT_EQ(g.colWidth(0), 1);
    EXPECT_EQ(g.colAlignment(1), contracts::Grid::AlignLeftCenter);
    EXPECT_EQ(g.left(), 1100);
    EXPECT_EQ(g.rowHeight(20), 280);
    EXPECT_EQ(g.width(), planner.PanWeek[i]->width());
    EXPECT_EQ(g.colWidth(1), planner.PanWeek[i]->width() - 100);
    EXPECT_EQ(planner.Day_Lines[i], 2);
  }
  EXPECT_EQ(planner.PanWeek[1]->caption(), QStringLiteral(" 12/6(일)"));
}

struct HeaderCase {
  QDate today;
  int strip; // with Work_Date = today
  const char *caption;
  forms::Rgb back, fore;
};

TEST_F(WeekPlannerTest, StripHeadersShowDateAndWeekdayColouredForTodayAndSundays) {
  const HeaderCase cases[] = {
      // Today is a Sunday: purple with red text.
      {QDate(2026, 12, 6), 0, " 12/5(토)", kOlive, kWhite},
      {QDate(2026, 12, 6), 1, " 12/6(일)", kPurple, kRed},
      {QDate(2026, 12, 6), 2, " 12/7(월)", kOlive, kWhite},
      {QDate(2026, 12, 6), 8, " 12/13(일)", kGreen, kWhite},
      {QDate(2026, 12, 6), 10, " 12/15(화)", kOlive, kWhite},
      // Today is a weekday: purple with white text; the Sunday before is green.
      {QDate(2026, 12, 7), 0, " 12/6(일)", kGreen, kWhite},
      {QDate(2026, 12, 7), 1, " 12/7(월)", kPurple, kWhite},
      // Across the year's end.
      {QDate(2026, 12, 31), 2, " 1/1(금)", kOlive, kWhite},
  };
  for (const auto &c : cases) {
    clock.setDate(c.today);
    form.state().Work_Date = c.today;
    planner.Set_Date(c.today);
    const forms::KtPanel &p = *planner.PanWeek[c.strip];
    EXPECT_EQ(p.caption(), QString::fromUtf8(c.caption)) << c.caption;
    EXPECT_EQ(p.backColor(), c.back) << c.caption;
    EXPECT_EQ(p.foreColor(), c.fore) << c.caption;
  }
  clock.setDate(QDate(2026, 12, 6));
  planner.Set_Date(QDate(2026, 12, 6));
  EXPECT_EQ(planner.Pan_Now->caption(), QStringLiteral("2026년 12월 6일 (일요일)"));
  planner.Set_Date(QDate(2027, 1, 20));
  EXPECT_EQ(planner.Pan_Now->caption(), QStringLiteral("2027년 1월 20일 (수요일)"));
  EXPECT_EQ(planner.PanWeek[1]->backColor(), kOlive); // today is not in this week
}

// ------------------------------------------------------------ lines and heights

TEST_F(WeekPlannerTest, StripsShowTheirDaysEntriesInTableOrderPlusOneEmptyLine) {
  std::vector<Entry> many;
  for (int k = 1; k <= 25; ++k)
    many.push_back({"2026-12-08", QStringLiteral("항목 %1").arg(k)});
  add({{"2026-12-06", "회의"}, {"2026-12-07", "다른 날"}, {"2026-12-06", "점심"}});
  add(many);
  add({{"2026-12-06", "저녁"}, {"2100-01-01", "날짜 없음"}, {"2026-12-16", "범위 밖"}});
  reload();

  EXPECT_EQ(planner.Day_Lines[0], 2); // 12/5: empty
  EXPECT_EQ(lines(0), QStringList());
  EXPECT_EQ(planner.Day_Lines[1], 4); // 12/6: three entries
  EXPECT_EQ(lines(1), (QStringList{"회의", "점심", "저녁"}));
  EXPECT_EQ(planner.Day_Lines[2], 2); // one entry
  EXPECT_EQ(lines(2), QStringList{"다른 날"});
  // More entries than the grid's 21 lines: the grid grows, all are shown.
  EXPECT_EQ(planner.Day_Lines[3], 26);
  EXPECT_EQ(lines(3).size(), 25);
  EXPECT_EQ(lines(3).last(), QStringLiteral("항목 25"));
  EXPECT_GE(planner.WeekGrid[3]->rows(), 26);
  EXPECT_EQ(planner.WeekGrid[3]->rowHeight(25), 280);
  EXPECT_GE(planner.WeekGrid[3]->height(), 26 * 280);
  EXPECT_EQ(planner.Day_Lines[10], 2); // 12/15; 12/16 is not in the week

  // Heights follow the lines: 2 + 4 + 2 + 26 + 7 x 2 = 48 lines.
  const int split = 48 * 280 - 20;
  EXPECT_EQ(planner.WeekSpilt->height(), split);
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(planner.WeekSpilt->paneHeight(i), planner.Day_Lines[i] * 280) << i;
  EXPECT_EQ(planner.WeekSpilt->paneHeight(10), 2 * 280 - 20);
  EXPECT_EQ(planner.PanWeek[3]->height(), 26 * 280);
  // The window ends within the screen: 48 lines are taller than it; the
  // page panel holds what the window shows of them.
  const int screenHeight =
      forms::toTwips(QGuiApplication::primaryScreen()->availableGeometry().height());
  EXPECT_EQ(form.height(), std::min(split + 1090, screenHeight));
  EXPECT_EQ(form.Pan_Back[5]->height(), std::min(split, form.height() - 1090) + 430);

  // A refresh empties what an earlier, fuller day left.
  form.state().Work_Date = QDate(2026, 12, 20);
  reload();
  for (int i = 0; i < kWeekStrips; ++i) {
    EXPECT_EQ(lines(i), QStringList()) << i;
    EXPECT_EQ(planner.Day_Lines[i], 2);
  }
}

TEST_F(WeekPlannerTest, ADayShowsAtMostThirtyTwoEntries) {
  std::vector<Entry> many;
  for (int k = 1; k <= 40; ++k)
    many.push_back({"2026-12-06", QString::number(k)});
  add(many);
  reload();
  EXPECT_EQ(lines(1).size(), 32);
  EXPECT_EQ(lines(1).last(), "32");
  EXPECT_EQ(planner.Day_Lines[1], 33);
}

TEST_F(WeekPlannerTest, ManyLinesKeepTheWindowWithinTheScreen) {
  std::vector<Entry> many;
  for (int k = 1; k <= 40; ++k)
    many.push_back({"2026-12-06", QString::number(k)});
  add(many);
  form.show();
  reload();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_GT(planner.WeekSpilt->height() + 1090, forms::toTwips(screen.height()))
      << "the day's lines are taller than this screen";
  const QRect frame = form.frameGeometry();
  EXPECT_GE(frame.top(), screen.top());
  EXPECT_LE(frame.bottom(), screen.bottom()) << frame.y() << "+" << frame.height();
  // A few lines fit: the window keeps its place and size.
  form.move(form.x(), screen.top() + 20);
  form.state().Work_Date = QDate(2027, 6, 1); // a week without entries
  reload();
  planner.PanWeek_MouseDown(2, forms::kLeftButton);
  EXPECT_EQ(form.height(), planner.WeekSpilt->height() + 1090);
  EXPECT_EQ(form.frameGeometry().top(), screen.top() + 20);
}

// Where line `row` of strip i is, in the strips' view (its left end; the
// view shows a line when it shows this).
static QRect lineInView(WeekPlanner &planner, int i, int row) {
  forms::FlexGrid &g = *planner.WeekGrid[i];
  const QPoint top =
      g.mapTo(planner.WeekView->viewport(), QPoint(0, forms::toPixels(g.rowPos(row))));
  return {top, QSize(1, forms::toPixels(g.rowHeight(row)))};
}

// One notch of the wheel down at point p of w, delivered as for a real wheel:
// to w, then up its parents until one takes it. (A wheel event sent by a
// program goes to its receiver only.)
static void wheelDown(QWidget *w, QPoint p) {
  for (; w; w = w->parentWidget()) {
    QWheelEvent e(p, w->mapToGlobal(p), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
    if (e.isAccepted() || w->isWindow()) return;
    p = w->mapToParent(p);
  }
}

TEST_F(WeekPlannerTest, LinesTheScreenCannotHoldScrollIntoViewAndCanBeEdited) {
  std::vector<Entry> many;
  for (int k = 1; k <= 32; ++k)
    many.push_back({"2026-12-06", QStringLiteral("일 %1").arg(k)});
  for (int k = 1; k <= 32; ++k)
    many.push_back({"2026-12-15", QStringLiteral("화 %1").arg(k)});
  add(many);
  reload();
  QScrollBar *bar = planner.WeekView->verticalScrollBar();
  QWidget *viewport = planner.WeekView->viewport();
  ASSERT_TRUE(bar->isVisible()) << "the lines fit this screen";
  EXPECT_EQ(bar->value(), 0);
  // The view ends inside the window, above its bottom edge.
  const QRect view(planner.WeekView->mapTo(&form, QPoint()), planner.WeekView->size());
  EXPECT_LE(view.bottom(), form.rect().bottom());
  EXPECT_FALSE(viewport->rect().contains(lineInView(planner, 10, 31)));

  // The wheel over a day's lines scrolls the page, down to its last line.
  wheelDown(planner.WeekGrid[1], QPoint(50, 5));
  EXPECT_GT(bar->value(), 0);
  for (int k = 0; k < 100 && bar->value() < bar->maximum(); ++k)
    wheelDown(planner.WeekGrid[1], QPoint(50, 5));
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_TRUE(viewport->rect().contains(lineInView(planner, 10, 31)));

  // The editor opens over the scrolled line and stores what is typed there.
  pressLine(10, 31);
  ASSERT_TRUE(planner.Txt_Week->isVisible());
  const QRect editor(planner.Txt_Week->mapTo(viewport, QPoint()), planner.Txt_Week->size());
  EXPECT_TRUE(viewport->rect().contains(editor));
  EXPECT_EQ(editor.top(), lineInView(planner, 10, 31).top() + forms::toPixels(30));
  EXPECT_EQ(planner.Txt_Week->text(), QStringLiteral("화 32"));
  planner.Txt_Week->setText(QStringLiteral("고침"));
  planner.Txt_Week_KeyDown(kEnter);
  EXPECT_EQ(table().back(), (Entry{"2026-12-15", "고침"}));
  EXPECT_EQ(lines(10).last(), QStringLiteral("고침"));

  // A shorter window shows fewer lines and still reaches the last one.
  form.setHeight(form.height() - 1500);
  EXPECT_LE(planner.WeekView->mapTo(&form, QPoint()).y() + planner.WeekView->height(),
            form.rect().bottom());
  bar->setValue(bar->maximum());
  EXPECT_TRUE(viewport->rect().contains(lineInView(planner, 10, 31)));

  // A week whose lines fit has no scroll bar and shows every line.
  planner.Com_Plus_MouseDown(0);
  EXPECT_FALSE(bar->isVisible());
  EXPECT_EQ(planner.WeekView->height(), planner.WeekSpilt->QWidget::height());
  EXPECT_EQ(planner.WeekView->width(), planner.WeekSpilt->QWidget::width());
}

TEST_F(WeekPlannerTest, HeaderPressesAddAndRemoveLinesButKeepTwo) {
  planner.PanWeek_MouseDown(4, forms::kRightButton);
  EXPECT_EQ(planner.Day_Lines[4], 2);
  QTest::mousePress(planner.PanWeek[4], Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mousePress(planner.PanWeek[4], Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(planner.Day_Lines[4], 4);
  EXPECT_EQ(planner.WeekSpilt->paneHeight(4), 4 * 280);
  EXPECT_EQ(planner.WeekSpilt->height(), 24 * 280 - 20);
  QTest::mousePress(planner.PanWeek[4], Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_EQ(planner.Day_Lines[4], 3);
  // Past the grid's lines the grid grows with the strip.
  for (int k = 0; k < 30; ++k)
    planner.PanWeek_MouseDown(0, forms::kLeftButton);
  EXPECT_GE(planner.WeekGrid[0]->rows(), 32);
  reload(); // the next refresh resets the counts
  EXPECT_EQ(planner.Day_Lines[4], 2);
  EXPECT_EQ(planner.Day_Lines[0], 2);
}

TEST_F(WeekPlannerTest, PanelResizeLaysOutEditorDateAndSplitter) {
  struct {
    int width, editor, now, split;
  } cases[] = {{8000, 6800, 5440, 7920}, {5501, 4301, 2941, 5421}, {5500, 4300, 3000, 5420}};
  for (const auto &c : cases) {
    planner.Pan_Back5_Resize(c.width);
    EXPECT_EQ(planner.Txt_Week->width(), c.editor) << c.width;
    EXPECT_EQ(planner.Pan_Now->width(), c.now) << c.width;
    EXPECT_EQ(planner.WeekSpilt->width(), c.split) << c.width;
  }
  // Through the window: page 5's panel follows the window's width.
  form.setWidth(9000);
  EXPECT_EQ(form.Pan_Back[5]->width(), 8910);
  EXPECT_EQ(planner.WeekSpilt->width(), 8830);
  EXPECT_EQ(planner.PanWeek[2]->width(), 8830);
  EXPECT_EQ(planner.WeekGrid[2]->colWidth(1), 8730);
}

// ------------------------------------------------------------ the line editor

TEST_F(WeekPlannerTest, ALinePressOpensTheEditorOverTheLineWithTheCaretAtTheEnd) {
  add({{"2026-12-07", "첫째"}, {"2026-12-07", "둘째"}});
  reload();
  pressLine(2, 1);
  EXPECT_EQ(planner.Cur_Day, 2);
  EXPECT_EQ(planner.Sel_Row, 1);
  EXPECT_TRUE(planner.Txt_Week->visible());
  // Strips 0 and 1 are two lines each; the strips start 390 twips down the
  // page panel and the editor sits 30 twips into its line.
  EXPECT_EQ(planner.Txt_Week->mapTo(form.Pan_Back[5], QPoint()),
            QPoint(forms::toPixels(1150), forms::toPixels(4 * 280 + 280 + 420)));
  EXPECT_EQ(planner.Txt_Week->text(), QStringLiteral("둘째"));
  EXPECT_EQ(planner.Txt_Week->selStart(), 2);
  EXPECT_EQ(planner.Txt_Week->selLength(), 0);
  EXPECT_EQ(planner.Txt_Week->backColor(), rgb(192, 192, 255));
  // A double-click closes it without saving.
  planner.Txt_Week->setText(QStringLiteral("바뀜"));
  doubleClick(planner.Txt_Week->editor(), QPoint(5, 5));
  EXPECT_FALSE(planner.Txt_Week->visible());
  EXPECT_EQ(table(), (std::vector<Entry>{{"2026-12-07", "첫째"}, {"2026-12-07", "둘째"}}));
}

struct EnterCase {
  const char *name;
  std::vector<Entry> before;
  int strip, row;
  QString typed;
  std::vector<Entry> after;
  bool closed;
};

TEST_F(WeekPlannerTest, EnterAddsChangesOrDeletesTheEntryOfTheLine) {
  const std::vector<EnterCase> cases = {
      {"empty line, empty text: nothing",
       {{"2026-12-06", "a"}},
       1,
       1,
       "   ",
       {{"2026-12-06", "a"}},
       true},
      {"empty line, a text: added on the strip's day, trimmed",
       {{"2026-12-06", "a"}},
       3,
       0,
       "  새 일정 ",
       {{"2026-12-06", "a"}, {"2026-12-08", "새 일정"}},
       true},
      {"erased: deleted",
       {{"2026-12-06", "a"}, {"2026-12-06", "b"}},
       1,
       1,
       " ",
       {{"2026-12-06", "a"}},
       true},
      {"changed: new text, same day",
       {{"2026-12-06", "a"}, {"2026-12-06", "b"}},
       1,
       0,
       "c",
       {{"2026-12-06", "c"}, {"2026-12-06", "b"}},
       true},
      // The same text on two days: only the edited strip's entry changes.
      {"duplicate text: the strip's day's entry changes",
       {{"2026-12-09", "같음"}, {"2026-12-07", "같음"}},
       2,
       0,
       "고침",
       {{"2026-12-09", "같음"}, {"2026-12-07", "고침"}},
       true},
      {"duplicate text: the strip's day's entry is erased",
       {{"2026-12-09", "같음"}, {"2026-12-07", "같음"}},
       2,
       0,
       "",
       {{"2026-12-09", "같음"}},
       true},
      {"the same text twice on one day: the first in table order changes",
       {{"2026-12-07", "같음"}, {"2026-12-07", "같음"}},
       2,
       1,
       "고침",
       {{"2026-12-07", "고침"}, {"2026-12-07", "같음"}},
       true},
      // Apostrophes are matched exactly and never reach another record.
      {"apostrophe text changed",
       {{"2026-12-06", "it"}, {"2026-12-06", "it's"}, {"2026-12-06", "'"}},
       1,
       1,
       "it is",
       {{"2026-12-06", "it"}, {"2026-12-06", "it is"}, {"2026-12-06", "'"}},
       true},
      {"apostrophe text erased",
       {{"2026-12-06", "it"}, {"2026-12-06", "it's"}, {"2026-12-06", "'"}},
       1,
       2,
       "",
       {{"2026-12-06", "it"}, {"2026-12-06", "it's"}},
       true},
      {"criteria-like text",
       {{"2026-12-06", "x"}, {"2026-12-06", "x' OR BMemo='x"}},
       1,
       1,
       "",
       {{"2026-12-06", "x"}},
       true},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    clearTable();
    add(c.before);
    reload();
    edit(c.strip, c.row, c.typed, kEnter);
    EXPECT_EQ(table(), c.after);
    EXPECT_EQ(planner.Txt_Week->visible(), !c.closed);
    if (c.closed) {
      EXPECT_EQ(planner.Txt_Week->text(), "");
    }
    // The strips show the table as it now is.
    std::vector<Entry> shown;
    for (int i = 0; i < kWeekStrips; ++i)
      for (const QString &t : lines(i))
        shown.push_back({text::shortDate(form.state().Work_Date.addDays(i - 1)), t});
    std::vector<Entry> inWeek;
    for (const auto &e : c.after)
      if (e.date >= "2026-12-05" && e.date <= "2026-12-15") inWeek.push_back(e);
    std::stable_sort(inWeek.begin(), inWeek.end(),
                     [](const Entry &a, const Entry &b) { return a.date < b.date; });
    EXPECT_EQ(shown, inWeek);
  }
}

TEST_F(WeekPlannerTest, EnterOnALineWhoseEntryIsGoneChangesNothingAndKeepsTheEditor) {
  add({{"2026-12-06", "사라질 것"}, {"2026-12-06", "남을 것"}});
  reload();
  // The entry goes behind the planner's back (the schedule list shares it).
  {
    auto r = db->OpenRecordset(QStringLiteral("AWeek"));
    ASSERT_TRUE(r->FindFirst(QStringLiteral("BMemo"), QStringLiteral("사라질 것")));
    r->Delete();
  }
  edit(1, 0, "새 글", kEnter);
  EXPECT_EQ(table(), (std::vector<Entry>{{"2026-12-06", "남을 것"}}));
  EXPECT_TRUE(planner.Txt_Week->visible());
  edit(1, 0, "", kEnter);
  EXPECT_EQ(table(), (std::vector<Entry>{{"2026-12-06", "남을 것"}}));
  EXPECT_TRUE(planner.Txt_Week->visible());
}

TEST_F(WeekPlannerTest, DeleteKeyAsksAndDeletesOnlyOnYes) {
  add({{"2026-12-06", "a'b"}, {"2026-12-07", "a"}, {"2026-12-06", "a"}});
  reload();

  dialogs.msgBoxAnswers = {forms::vbNo};
  edit(2, 0, "a", kDelete);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, QStringLiteral("메모를 지우시 겠습니까?"));
  EXPECT_EQ(dialogs.calls[0].title, QStringLiteral("데이터 삭제"));
  EXPECT_EQ(dialogs.calls[0].style, forms::vbYesNo);
  EXPECT_EQ(table().size(), 3u);
  EXPECT_FALSE(planner.Txt_Week->visible());
  EXPECT_EQ(planner.Txt_Week->text(), "");

  // Yes on strip 1's second line ("a" of 12/6) deletes 12/6's "a", not
  // 12/7's that comes first in the table.
  dialogs.msgBoxAnswers = {forms::vbYes};
  edit(1, 1, "a", kDelete);
  EXPECT_EQ(table(), (std::vector<Entry>{{"2026-12-06", "a'b"}, {"2026-12-07", "a"}}));
  EXPECT_FALSE(planner.Txt_Week->visible());
  EXPECT_EQ(lines(2), QStringList{"a"});
  EXPECT_EQ(lines(1), QStringList{"a'b"});

  // The apostrophe text is deleted, not its neighbour.
  dialogs.msgBoxAnswers = {forms::vbYes};
  edit(1, 0, "a'b", kDelete);
  EXPECT_EQ(table(), (std::vector<Entry>{{"2026-12-07", "a"}}));
  EXPECT_EQ(lines(1), QStringList());

  // Yes on a line whose entry is gone: nothing, the editor stays open.
  {
    auto r = db->OpenRecordset(QStringLiteral("AWeek"));
    r->MoveFirst();
    r->Delete();
  }
  dialogs.msgBoxAnswers = {forms::vbYes};
  edit(2, 0, "a", kDelete);
  EXPECT_TRUE(table().empty());
  EXPECT_TRUE(planner.Txt_Week->visible());
}

TEST_F(WeekPlannerTest, AChangeTheTableRefusesIsShownOnceAndTheTypedTextStaysToBeStored) {
  struct Case {
    const char *name;
    int strip, line;
    const char *typed;
    int key;
    std::vector<Entry> after; // once the table takes changes again
  };
  const std::vector<Entry> before{{"2026-12-06", "a"}, {"2026-12-07", "b"}};
  const Case cases[] = {
      {"a new entry", 1, 1, "새 일정", kEnter, {before[0], before[1], {"2026-12-06", "새 일정"}}},
      {"a changed text", 2, 0, "b 바뀜", kEnter, {before[0], {"2026-12-07", "b 바뀜"}}},
      {"an erased text", 1, 0, "", kEnter, {before[1]}},
      {"the Delete key", 2, 0, "b", kDelete, {before[0]}},
  };
  forms::resetSaveFailureReports();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    clearTable();
    add(before);
    reload();
    blockWrites(true);
    dialogs.msgBoxAnswers = {forms::vbYes};
    edit(c.strip, c.line, QString::fromUtf8(c.typed), c.key);
    EXPECT_EQ(table(), before);
    EXPECT_TRUE(planner.Txt_Week->visible());
    EXPECT_EQ(planner.Txt_Week->text(), QString::fromUtf8(c.typed));

    blockWrites(false);
    dialogs.msgBoxAnswers = {forms::vbYes};
    planner.Txt_Week_KeyDown(c.key);
    EXPECT_EQ(table(), c.after);
    EXPECT_FALSE(planner.Txt_Week->visible());
  }
  const QStringList messages = saveFailures();
  ASSERT_EQ(messages.size(), 1) << messages.join("\n").toStdString();
  EXPECT_TRUE(messages[0].contains("TessivoWeek.mdb")) << messages[0].toStdString();
}

TEST_F(WeekPlannerTest, OtherKeysOnlyEdit) {
  add({{"2026-12-06", "a"}});
  reload();
  edit(1, 0, "", 65);
  EXPECT_TRUE(planner.Txt_Week->visible());
  EXPECT_EQ(table().size(), 1u);
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(WeekPlannerTest, RealKeysReachTheEditor) {
  pressLine(4, 0);
  ASSERT_TRUE(planner.Txt_Week->visible());
  QTest::keyClicks(planner.Txt_Week->editor(), QStringLiteral("abc"));
  QTest::keyClick(planner.Txt_Week->editor(), Qt::Key_Return);
  EXPECT_EQ(table(), (std::vector<Entry>{{"2026-12-09", "abc"}}));
  EXPECT_EQ(lines(4), QStringList{"abc"});
  EXPECT_FALSE(planner.Txt_Week->visible());
}

// ------------------------------------------------------------ moving the week

TEST_F(WeekPlannerTest, TenDayStepsAndTheCalendarMoveTheWeek) {
  add({{"2026-11-26", "열흘 전"}, {"2026-12-16", "열흘 뒤"}, {"2026-12-21", "달력"}});
  QTest::mousePress(planner.Com_Plus[0], Qt::LeftButton);
  EXPECT_EQ(form.state().Work_Date, QDate(2026, 11, 26));
  EXPECT_EQ(planner.PanWeek[1]->caption(), QStringLiteral(" 11/26(목)"));
  EXPECT_EQ(lines(1), QStringList{"열흘 전"});
  EXPECT_EQ(planner.Pan_Now->caption(), QStringLiteral("2026년 11월 26일 (목요일)"));
  QTest::mousePress(planner.Com_Plus[1], Qt::LeftButton);
  QTest::mousePress(planner.Com_Plus[1], Qt::LeftButton);
  EXPECT_EQ(form.state().Work_Date, QDate(2026, 12, 16));
  EXPECT_EQ(planner.PanWeek[0]->caption(), QStringLiteral(" 12/15(화)"));
  EXPECT_EQ(lines(1), QStringList{"열흘 뒤"});

  // "달력" opens the pop-up in mode 2; a pick shows the picked week.
  QTest::mousePress(planner.Com_Calen, Qt::LeftButton);
  EXPECT_TRUE(form.Pan_Calendar->visible());
  EXPECT_EQ(calendar.Calendar_Mode, MonthCalendar::WeekMode);
  forms::FlexGrid &g = *calendar.GCalendar;
  const auto [r, c] = monthLayout(2026, 12, today()).cellOf(20);
  const QPoint p(forms::toPixels(g.colPos(c) + 200), forms::toPixels(g.rowPos(r) + 100));
  doubleClick(&g, p);
  EXPECT_FALSE(form.Pan_Calendar->visible());
  EXPECT_EQ(form.state().Work_Date, QDate(2026, 12, 20));
  EXPECT_EQ(planner.PanWeek[1]->caption(), QStringLiteral(" 12/20(일)"));
  EXPECT_EQ(lines(2), QStringList{"달력"});
  EXPECT_EQ(planner.Pan_Now->caption(), QStringLiteral("2026년 12월 20일 (일요일)"));

  // The pop-up's close button hides an open editor.
  pressLine(3, 0);
  calendar.open(MonthCalendar::WeekMode);
  calendar.KtPanel1_Click();
  EXPECT_FALSE(planner.Txt_Week->visible());
}

TEST_F(WeekPlannerTest, StoredDatesAndSearchesDoNotDependOnTheLocale) {
  const QLocale before;
  for (const char *name : {"ko_KR", "en_US", "de_DE", "ar_EG"}) {
    SCOPED_TRACE(name);
    QLocale::setDefault(QLocale(QString::fromLatin1(name)));
    clearTable();
    planner.Week_Data_Save(QDate(2026, 12, 6), QStringLiteral("저장"));
    EXPECT_EQ(table(), (std::vector<Entry>{{"2026-12-06", "저장"}}));
    reload();
    EXPECT_EQ(lines(1), QStringList{"저장"});
  }
  QLocale::setDefault(before);
}

} // namespace
