#include "organiser/planner/tests/planner_fixture.h"
#include "platform/forms/buttons.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/panel.h"
#include "platform/forms/splitter.h"

using namespace dorrin;
using namespace dorrin::organiser;
using namespace dorrin::organiser::testing;
using forms::rgb;

namespace {

constexpr forms::Rgb kDarkGreen = rgb(0, 100, 50);
constexpr forms::Rgb kOlive = rgb(192, 192, 0);

using Row = std::pair<QString, QString>;

struct ScheduleListTest : PlannerFixture {
  void SetUp() override {
    PlannerFixture::SetUp();
    showMemo();
  }
  forms::Rgb labelBack(int r) {
    form.Grid_A->setRow(r);
    form.Grid_A->setCol(0);
    return form.Grid_A->cellBackColor();
  }
  bool listsEnabled() { return form.Grid_A->enabled() && form.Grid_C->enabled(); }
  bool listsDisabled() { return !form.Grid_A->enabled() && !form.Grid_C->enabled(); }
};

// ------------------------------------------------------------ building the list

TEST_F(ScheduleListTest, AnEmptyTableListsTodayWithTheDashedLine) {
  EXPECT_EQ(alarmSteps, 1);
  EXPECT_EQ(kScheduleNoEntryLine.size(), 139);
  EXPECT_EQ(listed(), (std::vector<Row>{{"12/6(일)", kScheduleNoEntryLine}}));
  EXPECT_EQ(labelBack(0), kDarkGreen);
  EXPECT_EQ(labelBack(1), kOlive);
  EXPECT_EQ(labelBack(49), kOlive);
  EXPECT_EQ(form.state().Work_Date, today());
}

TEST_F(ScheduleListTest, UndatedFirstThenYesterdayToTenDaysAheadInTableOrder) {
  add({{"2026-12-16", "열흘 뒤"},
       {"2026-12-17", "열하루 뒤"},
       {"2026-12-05", "어제"},
       {"2100-01-01", "언젠가"},
       {"2026-12-04", "그저께"},
       {"2026-12-06", "오늘 하나"},
       {"2100-01-01", "언젠가 둘"},
       {"2026-12-06", "오늘 둘"}});
  showMemo();
  EXPECT_EQ(listed(), (std::vector<Row>{{"*****", "언젠가"},
                                        {"*****", "언젠가 둘"},
                                        {"12/5(토)", "어제"},
                                        {"12/6(일)", "오늘 하나"},
                                        {"12/6(일)", "오늘 둘"},
                                        {"12/16(수)", "열흘 뒤"}}));
  const forms::Rgb want[] = {kOlive, kOlive, kOlive, kDarkGreen, kDarkGreen, kOlive, kOlive};
  for (int r = 0; r < 7; ++r)
    EXPECT_EQ(labelBack(r), want[r]) << r;
  EXPECT_EQ(list.rowDate(0), QDate(2100, 1, 1));
  EXPECT_EQ(list.rowDate(5), QDate(2026, 12, 16));
  EXPECT_FALSE(list.rowDate(6).isValid());
  // A rebuild leaves nothing of the longer list behind.
  clearTable();
  showMemo();
  EXPECT_EQ(listed(), (std::vector<Row>{{"12/6(일)", kScheduleNoEntryLine}}));
  EXPECT_EQ(form.Grid_A->textMatrix(5, 1), "");
  EXPECT_EQ(form.Grid_A->textMatrix(5, 0), "");
  EXPECT_EQ(labelBack(3), kOlive);
}

TEST_F(ScheduleListTest, TheLoaderLaysThePageOutAtPage6sSize) {
  PageState &s = form.state();
  s.Page_Width[kPageMemo] = 9000;
  s.Page_Height[kPageMemo] = 6000;
  s.Pane_Height[kPageMemo] = 2400;
  s.Work_Date = QDate(2026, 1, 1);
  showMemo();
  EXPECT_EQ(s.Work_Date, today());
  EXPECT_EQ(form.width(), 9000);
  EXPECT_EQ(form.height(), 6000);
  EXPECT_EQ(form.Menu[kPageMemo]->backColor(), rgb(156, 156, 255));
  EXPECT_TRUE(form.Pan_Back[kPageMemo]->visible());
  EXPECT_EQ(form.Pan_Back[kPageMemo]->left(), 45);
  EXPECT_EQ(form.Pan_Back[kPageMemo]->top(), 600);
  EXPECT_EQ(form.Pan_Back[kPageMemo]->width(), 9000 - 90);
  EXPECT_EQ(form.Pan_Back[kPageMemo]->height(), 6000 - 680);
  EXPECT_EQ(form.Spilt[kPageMemo]->width(), 9000 - 160);
  EXPECT_EQ(form.Spilt[kPageMemo]->height(), 6000 - 1180);
  EXPECT_EQ(form.Spilt[kPageMemo]->paneHeight(0), 2400);
  EXPECT_EQ(form.Grid_A->colWidth(1), 9000 - 290);
  EXPECT_EQ(form.Grid_C->colWidth(1), 9000 - 290);
  EXPECT_EQ(form.Grid_C->backColorFixed(), rgb(200, 50, 0));
  EXPECT_EQ(form.Kttime->width(), 9000 - 100);
}

TEST_F(ScheduleListTest, AListOfMoreThanFiftyRowsIsShownWholeAndShrinksAgain) {
  std::vector<Entry> many;
  for (int i = 0; i < 32; ++i)
    many.push_back({"2100-01-01", QStringLiteral("미정 %1").arg(i)});
  for (int i = 0; i < 30; ++i)
    many.push_back({"2026-12-06", QStringLiteral("오늘 %1").arg(i)});
  many.push_back({"2100-01-01", "서른세 번째: 하루에 32개까지"});
  add(many);
  showMemo();
  ASSERT_EQ(list.List_Row, 62);
  ASSERT_GE(form.Grid_A->rows(), 62);
  EXPECT_EQ(listed()[31], (Row{"*****", "미정 31"}));
  EXPECT_EQ(listed()[61], (Row{"12/6(일)", "오늘 29"}));
  EXPECT_EQ(labelBack(61), kDarkGreen);
  EXPECT_EQ(labelBack(31), kOlive);
  EXPECT_EQ(form.Grid_A->rowHeight(61), form.Grid_A->rowHeight(0));
  // A row past fifty opens its editor and changes its own entry.
  openRow(61);
  ASSERT_TRUE(form.Text1->visible());
  EXPECT_EQ(form.Text1->text(), "오늘 29");
  typeAndKey(u"오늘 마지막", kEnter);
  EXPECT_EQ(listed()[61], (Row{"12/6(일)", "오늘 마지막"}));

  clearTable();
  add({{"2026-12-07", "하나"}});
  showMemo();
  EXPECT_EQ(form.Grid_A->rows(), kScheduleGridRows);
  EXPECT_EQ(listed(), (std::vector<Row>{{"12/6(일)", kScheduleNoEntryLine}, {"12/7(월)", "하나"}}));
  for (int r = 2; r < form.Grid_A->rows(); ++r)
    EXPECT_EQ(form.Grid_A->textMatrix(r, 1), "") << r;
}

// ------------------------------------------------------------ the editor

TEST_F(ScheduleListTest, ADoubleClickOnATextOpensTheEditorOverIt) {
  add({{"2026-12-07", "치과 4시"}});
  showMemo();
  openRow(1);
  forms::FlexGrid &a = *form.Grid_A;
  forms::TextBox &t = *form.Text1;
  EXPECT_EQ(list.Sel_Row, 1);
  ASSERT_TRUE(t.visible());
  EXPECT_EQ(t.text(), "치과 4시");
  EXPECT_EQ(t.selStart(), 5);
  EXPECT_EQ(t.top(), a.top() + a.rowPos(1) + 450);
  EXPECT_EQ(t.left(), a.left() + a.colPos(1));
  EXPECT_EQ(t.height(), a.rowHeight(1));
  EXPECT_EQ(t.width(), form.Pan_Back[kPageMemo]->width() - 680);
  EXPECT_TRUE(listsDisabled());
  // A double-click on the editor closes it without saving.
  t.setText("바뀜");
  list.Text1_DblClick();
  EXPECT_FALSE(t.visible());
  EXPECT_TRUE(listsEnabled());
  EXPECT_EQ(table(), (std::vector<Entry>{{"2026-12-07", "치과 4시"}}));
  // A double-click on a label opens no editor (the press opened the pop-up).
  doubleClick(form.Grid_A, gridACell(1, 0));
  EXPECT_FALSE(t.visible());
  EXPECT_TRUE(form.Pan_Calendar->visible());
}

TEST_F(ScheduleListTest, APressOnALabelOpensTheMonthPopUpForTheRow) {
  add({{"2026-12-07", "a"}});
  showMemo();
  pressGridA(1, 0);
  EXPECT_EQ(list.Sel_Row, 1);
  EXPECT_TRUE(form.Pan_Calendar->visible());
  EXPECT_EQ(form.Pan_Calendar->top(), 100);
  EXPECT_EQ(form.Pan_Calendar->left(), 100);
  EXPECT_EQ(calendar.Calendar_Mode, MonthCalendar::ScheduleMode);
  EXPECT_EQ(calendar.DispMonth->caption(), QStringLiteral("12월"));
  EXPECT_TRUE(listsDisabled());
  // A press on a text only selects the row.
  form.Pan_Calendar->setVisible(false);
  enableScheduleLists(form, true);
  pressGridA(0, 1);
  EXPECT_EQ(list.Sel_Row, 0);
  EXPECT_FALSE(form.Pan_Calendar->visible());
  EXPECT_TRUE(listsEnabled());
}

// One user action on the list: an optional pick, the editor opened on the
// row, its text replaced (or kept) and Enter.
struct EnterCase {
  const char *name;
  std::vector<Entry> before;
  int row;
  int pick;              // day of December 2026 picked for the row first; -1 none, 0 a blank cell
  const char16_t *typed; // nullptr: the text stays as it opened
  std::vector<Entry> after;
};

TEST_F(ScheduleListTest, EnterAddsChangesRedatesOrDeletesTheRowsEntry) {
  const std::vector<EnterCase> cases = {
      {"a text on an empty row without a label: a new undated entry",
       {{"2026-12-06", "a"}},
       1,
       -1,
       u"  새 메모 ",
       {{"2026-12-06", "a"}, {"2100-01-01", "새 메모"}}},
      {"nothing typed on an empty row: nothing",
       {{"2026-12-06", "a"}},
       1,
       -1,
       u"  ",
       {{"2026-12-06", "a"}}},
      {"a date picked, text kept: the entry moves to that date",
       {{"2026-12-06", "a"}},
       0,
       15,
       nullptr,
       {{"2026-12-15", "a"}}},
      {"a blank cell picked: the entry becomes undated",
       {{"2026-12-06", "a"}},
       0,
       0,
       nullptr,
       {{"2100-01-01", "a"}}},
      {"a date picked for an empty row and a text typed: an entry on that date",
       {{"2026-12-06", "a"}},
       1,
       20,
       u"b",
       {{"2026-12-06", "a"}, {"2026-12-20", "b"}}},
      {"opened and confirmed unchanged: the entry moves to today",
       {{"2026-12-08", "a"}},
       1,
       -1,
       nullptr,
       {{"2026-12-06", "a"}}},
      {"text changed: the entry keeps its date",
       {{"2026-12-08", "a"}},
       1,
       -1,
       u"c",
       {{"2026-12-08", "c"}}},
      {"text erased: the entry is deleted",
       {{"2026-12-06", "a"}, {"2026-12-07", "b"}},
       1,
       -1,
       u" ",
       {{"2026-12-06", "a"}}},
      {"an undated entry changed stays undated",
       {{"2100-01-01", "언젠가"}},
       0,
       -1,
       u"언젠가 꼭",
       {{"2100-01-01", "언젠가 꼭"}}},
      // Apostrophes are matched exactly and never reach another record.
      {"apostrophe text changed",
       {{"2026-12-06", "it"}, {"2026-12-06", "it's"}, {"2026-12-06", "'"}},
       1,
       -1,
       u"it is",
       {{"2026-12-06", "it"}, {"2026-12-06", "it is"}, {"2026-12-06", "'"}}},
      {"apostrophe text erased",
       {{"2026-12-06", "it"}, {"2026-12-06", "it's"}, {"2026-12-06", "'"}},
       2,
       -1,
       u"",
       {{"2026-12-06", "it"}, {"2026-12-06", "it's"}}},
      {"criteria-like text erased",
       {{"2026-12-06", "x"}, {"2026-12-06", "x' OR BMemo='x"}},
       1,
       -1,
       u"",
       {{"2026-12-06", "x"}}},
      // The same text on two days: only the row's own day's entry changes.
      {"same text, the later day's row changed",
       {{"2026-11-02", "it's 3pm"}, {"2026-12-10", "it's 3pm"}},
       1,
       -1,
       u"it's 4pm",
       {{"2026-11-02", "it's 3pm"}, {"2026-12-10", "it's 4pm"}}},
      {"same text, the later day's row confirmed: that one moves to today",
       {{"2026-12-05", "같음"}, {"2026-12-10", "같음"}},
       2,
       -1,
       nullptr,
       {{"2026-12-05", "같음"}, {"2026-12-06", "같음"}}},
      {"same text, the later day's row erased",
       {{"2026-12-05", "같음"}, {"2026-12-10", "같음"}},
       2,
       -1,
       u"",
       {{"2026-12-05", "같음"}}},
      {"same text, a date picked for the later day's row",
       {{"2026-12-05", "같음"}, {"2026-12-10", "같음"}},
       2,
       12,
       nullptr,
       {{"2026-12-05", "같음"}, {"2026-12-12", "같음"}}},
      // Today's dashed line stands for no entry.
      {"a text typed over today's dashed line: a new entry today",
       {},
       0,
       -1,
       u"오늘 할 일",
       {{"2026-12-06", "오늘 할 일"}}},
      {"today's dashed line confirmed: nothing", {}, 0, -1, nullptr, {}},
      {"a date picked for today's dashed line, confirmed: nothing", {}, 0, 9, nullptr, {}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    clearTable();
    add(c.before);
    showMemo();
    if (c.pick >= 0) {
      pickDay(c.row, c.pick);
      EXPECT_FALSE(form.Pan_Calendar->visible());
    } else {
      openRow(c.row);
    }
    ASSERT_TRUE(form.Text1->visible());
    typeAndKey(c.typed, kEnter);
    EXPECT_EQ(table(), c.after);
    EXPECT_FALSE(form.Text1->visible());
    EXPECT_EQ(form.Text1->text(), "");
    EXPECT_TRUE(listsEnabled());
    EXPECT_EQ(form.state().Work_Date, today()); // the list was rebuilt
    // The list shows the table as it now is.
    std::vector<Entry> shown;
    for (int r = 0; r < list.List_Row; ++r)
      if (form.Grid_A->textMatrix(r, 1) != kScheduleNoEntryLine)
        shown.push_back({text::shortDate(list.rowDate(r)), form.Grid_A->textMatrix(r, 1)});
    std::vector<Entry> inList;
    for (const auto &e : c.after)
      if (e.date == "2100-01-01") inList.push_back(e);
    for (const auto &e : c.after)
      if (e.date >= "2026-12-05" && e.date <= "2026-12-16") inList.push_back(e);
    std::stable_sort(inList.begin() + std::ptrdiff_t(std::count_if(
                                          inList.begin(), inList.end(),
                                          [](const Entry &e) { return e.date == "2100-01-01"; })),
                     inList.end(), [](const Entry &a, const Entry &b) { return a.date < b.date; });
    EXPECT_EQ(shown, inList);
  }
}

TEST_F(ScheduleListTest, APickedRowShowsMonthAndDayUntilTheNextBuild) {
  add({{"2026-12-06", "a"}});
  showMemo();
  pickDay(0, 15);
  EXPECT_EQ(form.Grid_A->textMatrix(0, 0), "12/15");
  EXPECT_EQ(form.state().Work_Date, QDate(2026, 12, 15));
  EXPECT_EQ(form.Text1->text(), "a");
  EXPECT_TRUE(listsDisabled()); // the editor is open on the row
  // Closing the editor keeps the label; the next build writes it anew.
  list.Text1_DblClick();
  EXPECT_EQ(form.Grid_A->textMatrix(0, 0), "12/15");
  EXPECT_EQ(table(), (std::vector<Entry>{{"2026-12-06", "a"}}));
  showMemo();
  EXPECT_EQ(form.Grid_A->textMatrix(0, 0), "12/6(일)");
}

TEST_F(ScheduleListTest, EnterOnARowWhoseEntryIsGoneChangesNothingButCloses) {
  add({{"2026-12-06", "사라질 것"}, {"2026-12-07", "남을 것"}});
  showMemo();
  {
    auto r = db->OpenRecordset(QStringLiteral("AWeek"));
    ASSERT_TRUE(r->FindFirst(QStringLiteral("BMemo"), QStringLiteral("사라질 것")));
    r->Delete();
  }
  openRow(0);
  typeAndKey(u"새 글", kEnter);
  EXPECT_EQ(table(), (std::vector<Entry>{{"2026-12-07", "남을 것"}}));
  EXPECT_FALSE(form.Text1->visible());
  EXPECT_TRUE(listsEnabled());
  EXPECT_EQ(listed(),
            (std::vector<Row>{{"12/6(일)", kScheduleNoEntryLine}, {"12/7(월)", "남을 것"}}));
}

TEST_F(ScheduleListTest, DeleteKeyAsksAndDeletesTheRowsEntryOnlyOnYes) {
  add({{"2026-12-05", "같음"}, {"2026-12-07", "같음"}, {"2026-12-07", "a'b"}});
  showMemo();
  // Rows: 12/5 같음, 12/6 dashed line, 12/7 같음, 12/7 a'b.

  dialogs.msgBoxAnswers = {forms::vbNo};
  openRow(2);
  typeAndKey(nullptr, kDelete);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, QStringLiteral("메모를 지우시 겠습니까?"));
  EXPECT_EQ(dialogs.calls[0].title, QStringLiteral("데이터 삭제"));
  EXPECT_EQ(dialogs.calls[0].style, forms::vbYesNo);
  EXPECT_EQ(table().size(), 3u);
  EXPECT_FALSE(form.Text1->visible());
  EXPECT_TRUE(listsEnabled());

  // The list stays usable after No: Yes on the same row deletes 12/7's
  // entry, not the first with that text.
  dialogs.msgBoxAnswers = {forms::vbYes};
  openRow(2);
  typeAndKey(nullptr, kDelete);
  EXPECT_EQ(table(), (std::vector<Entry>{{"2026-12-05", "같음"}, {"2026-12-07", "a'b"}}));
  EXPECT_FALSE(form.Text1->visible());
  EXPECT_TRUE(listsEnabled());
  EXPECT_EQ(listed(),
            (std::vector<Row>{
                {"12/5(토)", "같음"}, {"12/6(일)", kScheduleNoEntryLine}, {"12/7(월)", "a'b"}}));

  // Yes on a row whose entry is gone: nothing, the editor stays open and
  // the lists stay disabled until the editor is closed.
  {
    auto r = db->OpenRecordset(QStringLiteral("AWeek"));
    ASSERT_TRUE(r->FindFirst(QStringLiteral("BMemo"), QStringLiteral("a'b")));
    r->Delete();
  }
  dialogs.msgBoxAnswers = {forms::vbYes};
  openRow(2);
  typeAndKey(nullptr, kDelete);
  EXPECT_EQ(table(), (std::vector<Entry>{{"2026-12-05", "같음"}}));
  EXPECT_TRUE(form.Text1->visible());
  EXPECT_TRUE(listsDisabled());
  list.Text1_DblClick();
  EXPECT_FALSE(form.Text1->visible());
  EXPECT_TRUE(listsEnabled());
}

TEST_F(ScheduleListTest, AChangeTheTableRefusesIsShownOnceAndTheTypedTextStaysToBeStored) {
  // Refused: the table takes no change. Unreadable: whether the row's entry
  // is still there cannot be known, so the change is a failure to report,
  // never an entry gone.
  enum Block { Writes, Reads };
  struct Case {
    const char *name;
    Block block;
    int row;
    const char16_t *typed; // nullptr: the text stays as it opened
    int key;
    std::vector<Entry> after; // once the table takes changes again
  };
  const std::vector<Entry> before{{"2026-12-06", "a"}, {"2026-12-07", "b"}};
  // Rows: 12/6 a, 12/7 b, then empty rows.
  const Case cases[] = {
      {"a new entry",
       Writes,
       2,
       u"새 메모",
       kEnter,
       {before[0], before[1], {"2100-01-01", "새 메모"}}},
      {"a changed text", Writes, 0, u"a 바뀜", kEnter, {{"2026-12-06", "a 바뀜"}, before[1]}},
      {"an entry confirmed: moved to today",
       Writes,
       1,
       nullptr,
       kEnter,
       {before[0], {"2026-12-06", "b"}}},
      {"an erased text", Writes, 1, u"", kEnter, {before[0]}},
      {"the Delete key", Writes, 0, nullptr, kDelete, {before[1]}},
      {"a changed text, the file unreadable",
       Reads,
       0,
       u"a 바뀜",
       kEnter,
       {{"2026-12-06", "a 바뀜"}, before[1]}},
      {"the Delete key, the file unreadable", Reads, 0, nullptr, kDelete, {before[1]}},
  };
  auto block = [this](Block b, bool on) { b == Writes ? blockWrites(on) : blockReads(on); };
  forms::resetSaveFailureReports();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    clearTable();
    add(before);
    showMemo();
    const QString rowText = form.Grid_A->textMatrix(c.row, 1);
    openRow(c.row);
    block(c.block, true);
    dialogs.msgBoxAnswers = {forms::vbYes};
    typeAndKey(c.typed, c.key);
    const QString shown = c.typed ? QString::fromUtf16(c.typed) : rowText;
    EXPECT_TRUE(form.Text1->visible());
    EXPECT_EQ(form.Text1->text(), shown);
    EXPECT_EQ(form.Grid_A->textMatrix(c.row, 1), rowText);
    EXPECT_TRUE(listsDisabled());
    block(c.block, false);
    EXPECT_EQ(table(), before);

    // The next key once the table takes changes again stores what is shown.
    dialogs.msgBoxAnswers = {forms::vbYes};
    list.Text1_KeyUp(c.key);
    EXPECT_EQ(table(), c.after);
    EXPECT_FALSE(form.Text1->visible());
    EXPECT_TRUE(listsEnabled());
  }
  const QStringList messages = saveFailures();
  ASSERT_EQ(messages.size(), 1) << messages.join("\n").toStdString();
  EXPECT_TRUE(messages[0].contains("TessivoWeek.mdb")) << messages[0].toStdString();
}

TEST_F(ScheduleListTest, ARebuildClosesAnEditorOrPopUpLeftOpenOnTheOldList) {
  add({{"2026-12-07", "A"}});
  showMemo();
  // The editor open on 12/7's "A"; meanwhile an entry for yesterday is added
  // on the week page, so that row holds another entry after the rebuild.
  openRow(1);
  ASSERT_TRUE(form.Text1->visible());
  showWeek();
  edit(0, 0, "B", kEnter);
  showMemo();
  EXPECT_EQ(listed()[0], (Row{"12/5(토)", "B"}));
  EXPECT_FALSE(form.Text1->visible());
  EXPECT_EQ(form.Text1->text(), "");
  EXPECT_TRUE(listsEnabled());
  // The same for the month pop-up opened for a row.
  pressGridA(2, 0);
  ASSERT_TRUE(form.Pan_Calendar->visible());
  showMemo();
  EXPECT_FALSE(form.Pan_Calendar->visible());
  EXPECT_TRUE(listsEnabled());
  EXPECT_EQ(table(), (std::vector<Entry>{{"2026-12-07", "A"}, {"2026-12-05", "B"}}));
}

TEST_F(ScheduleListTest, RealKeysReachTheEditor) {
  openRow(1); // the empty row under today's dashed line
  ASSERT_TRUE(form.Text1->visible());
  QTest::keyClicks(form.Text1->editor(), QStringLiteral("abc"));
  QTest::keyClick(form.Text1->editor(), Qt::Key_Return);
  EXPECT_EQ(table(), (std::vector<Entry>{{"2100-01-01", "abc"}}));
  EXPECT_EQ(listed().front(), (Row{"*****", "abc"}));
  EXPECT_FALSE(form.Text1->visible());
}

// ------------------------------------------------------------ both views

TEST_F(ScheduleListTest, TheWeekPlannerAndTheListAgreeAfterEditsInEither) {
  add({{"2026-12-05", "it's 3pm"}, {"2026-12-08", "it's 3pm"}, {"2026-12-08", "장보기"}});

  // In the week planner: the 12/8 line (strip 3) changed.
  showWeek();
  edit(3, 0, "it's 4pm", kEnter);
  EXPECT_EQ(table(),
            (std::vector<Entry>{
                {"2026-12-05", "it's 3pm"}, {"2026-12-08", "it's 4pm"}, {"2026-12-08", "장보기"}}));
  showMemo();
  EXPECT_EQ(listed(), (std::vector<Row>{{"12/5(토)", "it's 3pm"},
                                        {"12/6(일)", kScheduleNoEntryLine},
                                        {"12/8(화)", "it's 4pm"},
                                        {"12/8(화)", "장보기"}}));

  // In the list: 12/5's entry confirmed (moves to today), 장보기 erased.
  openRow(0);
  typeAndKey(nullptr, kEnter);
  openRow(2);
  typeAndKey(u"", kEnter);
  showWeek();
  EXPECT_EQ(weekShown(),
            (std::vector<Entry>{{"2026-12-06", "it's 3pm"}, {"2026-12-08", "it's 4pm"}}));
  EXPECT_EQ(lines(1), QStringList{"it's 3pm"});
}

} // namespace
