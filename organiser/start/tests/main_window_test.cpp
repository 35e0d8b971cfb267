// The whole main window on a real data folder: settings survive a restart,
// the colour panel stores what it should.
#include "organiser/alarms/alarm_page.h"
#include "organiser/alarms/time_editor.h"
#include "organiser/main/color_panel.h"
#include "organiser/main/launcher_pages.h"
#include "organiser/main/link_editor.h"
#include "organiser/main/settings_file.h"
#include "organiser/planner/notice_popup.h"
#include "organiser/planner/week_planner.h"
#include "organiser/start/main_window.h"
#include "organiser/phonebook/frm_telephone.h"
#include "platform/com/host.h"
#include "platform/com/loader.h"
#include "platform/db/sqlite_engine.h"
#include "platform/desktop/desktop_icons.h"
#include "platform/forms/entry_checks.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/panel.h"
#include "platform/forms/testing/fake_dialogs.h"
#include "platform/forms/textbox.h"
#include "platform/shell/testing/fake_shell.h"
#include "platform/text/cp949.h"
#include "platform/text/runtime.h"
#include "platform/text/text_file.h"
#include "tests/support/temp_folder.h"
#include "zelomm/zelomm_ids.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace dorrin;
using namespace dorrin::organiser;
using forms::rgb;

namespace {

struct NoDesktop : desktop::DesktopIcons {
  bool hide() override { return true; }
  bool show() override { return true; }
  void restore() override {}
};

struct WindowFixture : ::testing::Test {
  test::TempFolder data;
  forms::testing::FakeDialogs dialogs;
  NoDesktop desktop;
  db::SqliteEngine engine;
  shell::testing::RecordingShell shell;
  shell::testing::FakeClipboard clipboard;
  std::function<QDateTime()> now; // empty: the system clock

  void SetUp() override { qputenv("DORRIN_DATA_DIR", data.path().toUtf8()); }

  std::unique_ptr<MainWindow> load() {
    OrganiserServices s;
    s.dialogs = &dialogs;
    s.desktop = &desktop;
    s.engine = &engine;
    s.shell = &shell;
    s.clipboard = &clipboard;
    s.now = now;
    auto w = std::make_unique<MainWindow>(s);
    w->load();
    return w;
  }
  QString settingsLine() {
    auto lines = text::readLines(settingsPath());
    return lines && !lines->isEmpty() ? lines->first() : QString();
  }
};

} // namespace

TEST_F(WindowFixture, ARestartKeepsPositionSizesCaptionsColoursAndStartPage) {
  {
    auto w = load();
    FrmStart &f = w->form();
    ASSERT_TRUE(w->Week_Db()->IsOpen());
    ASSERT_TRUE(w->Link_Db()->IsOpen());
    dialogs.inputAnswers = {QString("도구, 기타")};
    f.Menu_MouseDown(2, 2); // rename tab 2, then shows page 2
    f.setLeft(70000);       // beyond the 16-bit range: kept whole
    f.setTop(1230);
    f.setWidth(9000);
    f.setHeight(6000);
    f.state().Back_Color[1] = rgb(1, 2, 3);
    f.state().Start_Page = 2;
    f.Menu_MouseDown(2, 1); // records page 2's size and writes the file
  }
  EXPECT_TRUE(settingsLine().startsWith("True@2@1230@70000@"));
  auto w = load();
  FrmStart &f = w->form();
  EXPECT_EQ(f.state().Cur_Page, 2);
  EXPECT_EQ(f.Menu[2]->caption(), "도구, 기타");
  // 70000 twips lies on no screen here: the window is brought back, the
  // stored value stays.
  EXPECT_EQ(f.state().Win_Left, 70000);
  EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(f.frameGeometry()));
  EXPECT_EQ(f.top(), 1230);
  // A launcher page takes its window size from its splitter, which the
  // resize rules fitted to the 9000 x 6000 window.
  EXPECT_EQ(f.state().Split_Width[2], 9000 - 160);
  EXPECT_EQ(f.state().Split_Height[2], 6000 - 745);
  EXPECT_EQ(f.width(), 9000);
  EXPECT_EQ(f.height(), 6000) << "no creep across a save and a load";
  EXPECT_EQ(f.state().Back_Color[1], rgb(1, 2, 3));
  EXPECT_EQ(f.Menu[8]->caption(), "바탕");
}

TEST_F(WindowFixture, ADamagedOrMissingSettingsFileKeepsTheDefaults) {
  data.write("dorrat.txt", "\xff\xfe garbage@@@\r\n");
  auto w = load();
  EXPECT_EQ(w->form().state().Cur_Page, 0);
  EXPECT_EQ(w->form().Menu[0]->caption(), "사과");
  EXPECT_EQ(w->form().state().Split_Width[0], 8000);
}

TEST_F(WindowFixture, ColourPanelSaveStoresColoursAndStartPageCancelStoresNothing) {
  auto w = load();
  FrmStart &f = w->form();
  ColorPanel &panel = w->colorPanel();
  f.Menu_MouseDown(8, 2); // right press on tab 8 opens the panel
  ASSERT_TRUE(f.Pan_ColorSetting->visible());
  EXPECT_EQ(panel.SaveGrid[0]->textMatrix(0, 0), "배경색은 왼쪽 버튼");
  EXPECT_EQ(panel.SaveGrid[0]->textMatrix(1, 0), "글자색은 오른쪽 버튼");
  EXPECT_EQ(panel.SaveGrid[2]->backColorFixed(), rgb(102, 204, 0));

  dialogs.colorAnswers = {rgb(10, 20, 30), std::nullopt, rgb(40, 50, 60)};
  panel.SaveGrid_MouseDown(0, 1); // background of position 0
  panel.SaveGrid_MouseDown(0, 2); // cancelled: text colour unchanged
  panel.SaveGrid_MouseDown(3, 2); // text colour of position 3
  ASSERT_EQ(dialogs.calls.size(), 3u);
  EXPECT_EQ(dialogs.calls[0].title, "셀의 배경색 설정");
  EXPECT_EQ(dialogs.calls[1].title, "셀의 글자색 설정");
  EXPECT_EQ(dialogs.calls[1].initialColor, rgb(10, 20, 30))
      << "the dialog starts from its last colour";
  EXPECT_EQ(panel.SaveGrid[0]->foreColorFixed(), rgb(255, 255, 255));

  panel.KtPanel5_Click(); // cancel: nothing stored
  EXPECT_FALSE(f.Pan_ColorSetting->visible());
  EXPECT_EQ(f.state().Back_Color[0], rgb(255, 102, 0));

  f.Menu_MouseDown(8, 2); // reopened: samples refilled from the stored colours
  EXPECT_EQ(panel.SaveGrid[0]->backColorFixed(), rgb(255, 102, 0));
  dialogs.colorAnswers = {rgb(10, 20, 30)};
  panel.SaveGrid_MouseDown(0, 1);
  struct Case {
    QString startMenu;
    int startPage;
  } cases[] = {{"  메모 ", 6}, {"", 6}, {"바탕", 6}, {"전화", 6}, {"WEB", 3}};
  for (const auto &c : cases) {
    panel.StartMenu->setText(c.startMenu);
    panel.ColorSave_MouseDown();
    EXPECT_EQ(f.state().Start_Page, c.startPage) << c.startMenu.toStdString();
  }
  EXPECT_EQ(f.state().Back_Color[0], rgb(10, 20, 30));
  EXPECT_EQ(f.state().Fore_Color[3], rgb(255, 255, 255));
  EXPECT_FALSE(f.Pan_ColorSetting->visible());
  EXPECT_TRUE(settingsLine().startsWith("True@3@"));
  EXPECT_TRUE(settingsLine().contains(QStringLiteral("@%1@16777215@").arg(rgb(10, 20, 30))));
}

TEST_F(WindowFixture, PlayWaveDrivesTheRegisteredMultimediaControlToTheEnd) {
  ASSERT_EQ(com::registerServer(ZELOMM_LIBRARY), com::S_OK);
  auto w = load();
  ASSERT_NE(w->Zelomm1(), nullptr) << "created through its registered class";
  QWidget *bar = w->Zelomm1()->widget();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->parentWidget(), w->form().Pan_Back[6]) << "on page 6";
  EXPECT_TRUE(bar->isHidden());
  int done = 0;
  w->Zelomm1()->setEventHandler([&](com::DISPID id, const std::vector<com::Variant> &) {
    if (id == 1) ++done;
  });
  w->PlayWave(QStringLiteral("음1")); // shipped beside the program
  com::Variant error;
  w->Zelomm1()->get(zelomm::dispidError, &error);
  EXPECT_EQ(error.i2(), 0) << "Error is the control's 16-bit result code";
  QTRY_COMPARE_WITH_TIMEOUT(done, 1, 10000);
  com::Variant value;
  w->Zelomm1()->get(zelomm::dispidNotifyValue, &value);
  EXPECT_EQ(value.i2(), 1);
  w.reset();
  ASSERT_EQ(com::registerServer(ZELOMM_LIBRARY, true), com::S_OK);
  // Without a registered class the window loads and stays silent.
  auto silent = load();
  EXPECT_EQ(silent->Zelomm1(), nullptr);
  silent->PlayWave(QStringLiteral("음1"));
}

TEST_F(WindowFixture, AStoredAlarmIsListedAtLoadAndRingsAtItsMinute) {
  data.write("timedata.txt", text::toCp949(u"1|yes|지정|3|13|10|0|yes|음1|yes|결혼기념일|") +
                                 QByteArray(11 * 48, '|') + "\r\n");
  QDateTime clock(QDate(2026, 3, 13), QTime(9, 59, 59, 800));
  now = [&clock] { return clock; };
  auto w = load();
  FrmStart &f = w->form();
  EXPECT_EQ(f.Grid_C->textMatrix(0, 1), QStringLiteral("결혼기념일"));
  f.hooks.Time1_Timer();
  EXPECT_EQ(w->notice(), nullptr) << "created on first use";
  clock = clock.addMSecs(500);
  f.hooks.Time1_Timer(); // no multimedia control here: the notice still shows
  ASSERT_NE(w->notice(), nullptr);
  EXPECT_TRUE(w->notice()->isVisible());
  EXPECT_EQ(w->notice()->Pan_Chang->caption(), QStringLiteral("결혼기념일"));

  // The alarm page reloads a store changed by hand; the list follows.
  data.write("timedata.txt", text::toCp949(u"1|yes|금|*|*|8|0|no|음1|yes|금요일|") + "\r\n");
  f.Menu_MouseDown(6, 1);
  EXPECT_EQ(f.Grid_C->textMatrix(0, 1), QStringLiteral("금요일"));
  w->alarms()->openEditor();
  ASSERT_NE(w->alarms()->editor(), nullptr);
  EXPECT_TRUE(w->alarms()->editor()->isVisible());
  EXPECT_EQ(w->alarms()->editor()->Grid_B->textMatrix(1, 10), QStringLiteral("금요일"));
}

TEST_F(WindowFixture, TheMemoPageListsTodaysAlarmsAndTheWeekTableAndStartsOnIt) {
  const QDate today(2026, 12, 10); // a Thursday
  now = [today] { return QDateTime(today, QTime(9, 0)); };
  data.write("timedata.txt", text::toCp949(u"1|yes|목|*|*|14|0|no|음1|yes|주간 보고|") +
                                 QByteArray(11 * 48, '|') + "\r\n");
  {
    auto w = load();
    db::Recordset &rs = *w->Week_Rs();
    for (const auto &[day, text] :
         {std::pair{QDate(2100, 1, 1), "언젠가"}, std::pair{today, "오늘 회의"},
          std::pair{today.addDays(3), "사흘 뒤"}}) {
      rs.AddNew();
      rs.Fields(0).SetValue(text::shortDate(day));
      rs.Fields(1).SetValue(QString::fromUtf8(text));
      ASSERT_TRUE(rs.Update());
    }
    w->form().state().Start_Page = kPageMemo;
    w->form().Menu_MouseDown(kPageMemo, forms::kLeftButton);
    EXPECT_EQ(w->form().Grid_A->textMatrix(1, 1), "오늘 회의");
    EXPECT_EQ(w->form().Grid_C->textMatrix(0, 1), "주간 보고");
  }
  // Started on the memo page, both lists are there at once.
  auto w = load();
  FrmStart &f = w->form();
  EXPECT_EQ(f.state().Cur_Page, kPageMemo);
  EXPECT_EQ(f.Grid_C->textMatrix(0, 1), "주간 보고");
  const QStringList want[] = {
      {"*****", "언젠가"}, {"12/10(목)", "오늘 회의"}, {"12/13(일)", "사흘 뒤"}};
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(f.Grid_A->textMatrix(r, 0), want[r][0]) << r;
    EXPECT_EQ(f.Grid_A->textMatrix(r, 1), want[r][1]) << r;
  }
  EXPECT_EQ(f.Grid_A->textMatrix(3, 1), "");
}

TEST_F(WindowFixture, ADamagedWeekDatabaseIsReportedAndSetAsideOnRequest) {
  QByteArray damaged("SQLite format 3\0", 16);
  damaged += QByteArray(8192, '\x5a');
  struct Case {
    int answer;
    bool setAside;
  } cases[] = {{forms::vbNo, false}, {forms::vbYes, true}};
  for (const Case &c : cases) {
    test::TempFolder folder;
    qputenv("DORRIN_DATA_DIR", folder.path().toUtf8());
    folder.write("TessivoWeek.mdb", damaged);
    dialogs.calls.clear();
    dialogs.msgBoxAnswers = {c.answer};
    auto w = load();
    ASSERT_EQ(dialogs.count(forms::testing::FakeDialogs::Kind::MsgBox), 1);
    const QString text = dialogs.calls[0].text;
    EXPECT_TRUE(text.contains("TessivoWeek.mdb")) << text.toStdString();
    EXPECT_EQ(dialogs.calls[0].style & forms::vbYesNo, forms::vbYesNo);
    EXPECT_TRUE(w->Link_Db()->IsOpen()) << "the other database is not touched";
    const QStringList aside =
        QDir(folder.path()).entryList({"TessivoWeek-damaged-*.mdb"}, QDir::Files);
    if (c.setAside) {
      ASSERT_EQ(aside.size(), 1);
      EXPECT_EQ(folder.read(aside[0]), damaged) << "kept byte for byte";
      ASSERT_TRUE(w->Week_Db()->IsOpen());
      ASSERT_TRUE(w->Week_Rs()->AddNew());
      w->Week_Rs()->Fields(0).SetValue("2026-12-10");
      w->Week_Rs()->Fields(1).SetValue("새 파일");
      EXPECT_TRUE(w->Week_Rs()->Update());
    } else {
      EXPECT_TRUE(aside.isEmpty());
      EXPECT_FALSE(w->Week_Db()->IsOpen());
      EXPECT_EQ(folder.read("TessivoWeek.mdb"), damaged);
    }
    w.reset();
  }
  qputenv("DORRIN_DATA_DIR", data.path().toUtf8());
}

namespace {

// A press on line `row` of week strip i, as the user makes it.
void pressWeekLine(WeekPlanner &p, int i, int row) {
  forms::FlexGrid &g = *p.WeekGrid[i];
  const QPoint at(forms::toPixels(g.colPos(1) + 200), forms::toPixels(g.rowPos(row) + 140));
  QTest::mousePress(&g, Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseRelease(&g, Qt::LeftButton, Qt::NoModifier, at);
}

void typeWeekEntry(WeekPlanner &p, const QString &text) {
  pressWeekLine(p, 1, 0); // today's strip, first line
  p.Txt_Week->setText(text);
  p.Txt_Week_KeyDown(13);
}

// Presses the launcher's pop-up button with this caption on slot n.
void launcherCommand(Launcher &l, int n, const QString &caption) {
  l.Mb = static_cast<std::int16_t>(n / 30);
  l.Mc = static_cast<std::int16_t>(n % 30);
  for (int i = 0; i < 5; ++i)
    if (l.Com[i]->caption() == caption) return l.Com_MouseDown(i);
  FAIL() << "no button " << caption.toStdString();
}

QStringList weekTexts(db::Recordset &rs) {
  QStringList out;
  for (bool more = rs.MoveFirst(); more && !rs.Eof(); more = rs.MoveNext())
    out << rs.Fields(1).Value();
  return out;
}

} // namespace

TEST_F(WindowFixture, TypedSeparatorsLineBreaksAndEmojiNeverMoveAStoredField) {
  forms::resetSaveFailureReports();
  const QString typed = QString::fromUtf8("me@home|a\r\nb\tc");
  const QString emoji = QString::fromUtf8("😀");
  {
    auto w = load();
    FrmStart &f = w->form();
    f.state().Back_Color[3] = rgb(9, 8, 7);
    // A tab caption: "@" shows and is stored full-width, line breaks as blanks.
    dialogs.inputAnswers = {typed};
    f.Menu_MouseDown(2, 2);
    EXPECT_EQ(f.Menu[2]->caption(), QString::fromUtf8("me＠home|a b c"));
    // One CP949 cannot hold is refused with a message naming it.
    dialogs.inputAnswers = {QString::fromUtf8("웃음") + emoji};
    dialogs.calls.clear();
    f.Menu_MouseDown(3, 2);
    EXPECT_EQ(f.Menu[3]->caption(), "WEB");
    ASSERT_EQ(dialogs.count(forms::testing::FakeDialogs::Kind::MsgBox), 1);
    EXPECT_TRUE(dialogs.calls.back().text.contains(emoji));
    // The start page, typed with "@" as well, finds that tab.
    f.Menu_MouseDown(8, 2);
    w->colorPanel().StartMenu->setText("me@home|a b c");
    w->colorPanel().ColorSave_MouseDown();
    EXPECT_EQ(f.state().Start_Page, 2);
    EXPECT_EQ(w->colorPanel().StartMenu->text(), QString::fromUtf8("me＠home|a b c"));

    // A week entry keeps its separators (the table holds any text) but
    // is one line.
    f.Menu_MouseDown(5, 1);
    typeWeekEntry(*w->weekPlanner(), typed + emoji);
    EXPECT_EQ(weekTexts(*w->Week_Rs()), QStringList{QString::fromUtf8("me@home|a b c😀")});

    // A launcher entry with "|" in path and caption survives cut and paste.
    f.Menu_MouseDown(0, 1);
    Launcher &l = *w->launcher();
    launcherCommand(l, 5, kComWeb);
    l.editor().Txt_Path->setText("http://x/?a|b\nc");
    l.editor().Txt_Cap->setText(QString::fromUtf8("x|y\r\nz") + emoji);
    l.Btn_HawkIn_Click();
    EXPECT_EQ(l.editor().Txt_Cap->text(), QString::fromUtf8("x｜y z😀"));
    launcherCommand(l, 5, kComCut);
    launcherCommand(l, 7, kComPaste);
  }
  EXPECT_EQ(settingsLine().count(u'@'), 76);
  EXPECT_EQ(dialogs.unanswered, 1) << "only the refused caption spoke";

  auto w = load();
  FrmStart &f = w->form();
  EXPECT_EQ(f.state().Cur_Page, 2);
  EXPECT_EQ(f.Menu[2]->caption(), QString::fromUtf8("me＠home|a b c"));
  EXPECT_EQ(f.Menu[3]->caption(), "WEB");
  EXPECT_EQ(f.state().Back_Color[3], rgb(9, 8, 7));
  EXPECT_EQ(f.state().Page_Width[4], 8000) << "later fields stay in place";
  LauncherStore &store = w->launcher()->store();
  EXPECT_EQ(store.Item_Path[7], "http://x/?a|b c");
  EXPECT_EQ(store.Item_Caption[7], QString::fromUtf8("x｜y z😀"));
  EXPECT_EQ(store.Item_Kind[7], QString::fromUtf8("웹"));
  EXPECT_TRUE(store.Item_Path[5].isEmpty());
}

TEST_F(WindowFixture, ASaveThatFailsIsShownOncePerFileAndStoredOnceItCan) {
  forms::resetSaveFailureReports();
  auto w = load();
  FrmStart &f = w->form();
  dialogs.calls.clear();
  // Files the program cannot write (a folder in the way works for root too):
  // the settings line, and the journals the two databases need to change.
  QFile::remove(settingsPath());
  const QStringList blocks{settingsPath(), data.file("TessivoWeek.mdb-journal"),
                           data.file("TessivoDorrin.mdb-journal")};
  for (const QString &b : blocks)
    ASSERT_TRUE(QDir().mkdir(b));

  dialogs.inputAnswers = {QString::fromUtf8("내 탭")};
  f.Menu_MouseDown(1, 2); // a new caption, then saved at once
  f.Menu_MouseDown(2, 1);
  f.Menu_MouseDown(5, 1);
  WeekPlanner &p = *w->weekPlanner();
  typeWeekEntry(p, QString::fromUtf8("치과 3시"));
  EXPECT_TRUE(p.Txt_Week->visible()) << "the typed text stays on screen";
  EXPECT_EQ(p.Txt_Week->text(), QString::fromUtf8("치과 3시"));
  p.Txt_Week_KeyDown(13);
  f.Menu_MouseDown(0, 1);
  Launcher &l = *w->launcher();
  launcherCommand(l, 3, kComWeb);
  l.editor().Txt_Path->setText("http://www.example.org");
  l.editor().Txt_Cap->setText(QString::fromUtf8("예시"));
  l.Btn_HawkIn_Click();

  QStringList messages;
  for (const auto &c : dialogs.calls)
    if (c.kind == forms::testing::FakeDialogs::Kind::MsgBox) messages << c.text;
  ASSERT_EQ(messages.size(), 3) << messages.join("\n---\n").toStdString();
  for (const char *name : {"dorrat.txt", "TessivoWeek.mdb", "TessivoDorrin.mdb"})
    EXPECT_EQ(messages.filter(name).size(), 1) << name;
  EXPECT_EQ(f.Menu[1]->caption(), QString::fromUtf8("내 탭"));
  EXPECT_EQ(l.store().Item_Caption[3], QString::fromUtf8("예시"));

  // Writable again: the next save stores what was typed.
  for (const QString &b : blocks)
    ASSERT_TRUE(QDir().rmdir(b));
  f.Menu_MouseDown(5, 1);
  pressWeekLine(p, 1, 0);
  p.Txt_Week->setText(QString::fromUtf8("치과 3시"));
  p.Txt_Week_KeyDown(13);
  EXPECT_FALSE(p.Txt_Week->visible());
  EXPECT_EQ(weekTexts(*w->Week_Rs()), QStringList{QString::fromUtf8("치과 3시")});
  f.Menu_MouseDown(0, 1);
  launcherCommand(l, 3, kComWeb);
  l.Btn_HawkIn_Click();
  EXPECT_TRUE(settingsLine().contains(QString::fromUtf8("@내 탭@")));
  w.reset();
  auto again = load();
  EXPECT_EQ(again->launcher()->store().Item_Caption[3], QString::fromUtf8("예시"));
  EXPECT_EQ(again->form().Menu[1]->caption(), QString::fromUtf8("내 탭"));
}

TEST_F(WindowFixture, ThePhoneTabOpensOnePhoneBookTopMostWithItsOwnDatabase) {
  auto w = load();
  EXPECT_EQ(w->telephone(), nullptr);
  w->form().Menu_MouseDown(7, 1);
  FrmTelephone *book = w->telephone();
  ASSERT_NE(book, nullptr);
  EXPECT_TRUE(book->isVisible());
  EXPECT_TRUE(book->windowFlags() & Qt::WindowStaysOnTopHint);
  ASSERT_TRUE(book->Tel_Db && book->Tel_Db->IsOpen());
  EXPECT_TRUE(QFileInfo::exists(data.file("TessivoTel.mdb")));
  w->form().Menu_MouseDown(7, 1);
  EXPECT_EQ(w->telephone(), book); // one window for the run
}
