#include "organiser/main/frm_start.h"
#include "organiser/main/launcher_pages.h"
#include "organiser/main/launcher_run.h"
#include "organiser/main/link_editor.h"
#include "organiser/main/tests/link_table.h"
#include "platform/forms/buttons.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/form.h"
#include "platform/forms/splitter.h"
#include "platform/forms/testing/fake_dialogs.h"
#include "platform/forms/textbox.h"
#include "platform/fsview/fs_lists.h"
#include "platform/shell/desktop_shell.h"
#include "platform/shell/testing/fake_shell.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QInputMethod>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace dorrin;
using namespace dorrin::organiser;
using forms::testing::FakeDialogs;
using linktest::LinkRecord;
using linktest::rec;

namespace {

QString u(const char *s) {
  return QString::fromUtf8(s);
}

struct PagesFixture : ::testing::Test {
  FakeDialogs dialogs;
  FrmStart form{MainServices{&dialogs, nullptr, {}}};
  linktest::LinkTable table;
  shell::testing::RecordingShell shell;
  shell::testing::FakeClipboard clipboard;
  Launcher launcher{form, [this] { return table.recordset(); }, shell, clipboard};
  LinkEditor &editor = launcher.editor();
  test::TempFolder files;

  QString cell(int n) const { return launcher.FGrid[n / 30]->textMatrix(n % 30, 0); }
  void select(int n) {
    launcher.Mb = static_cast<std::int16_t>(n / 30);
    launcher.Mc = static_cast<std::int16_t>(n % 30);
  }
  // Presses the pop-up button with this caption, as the user would.
  void command(int n, const QString &caption) {
    select(n);
    for (int i = 0; i < 5; ++i)
      if (launcher.Com[i]->caption() == caption) return launcher.Com_MouseDown(i);
    FAIL() << "no button " << caption.toStdString();
  }
  // An entry as a finished link would leave it.
  void link(int n, const QString &kind, const QString &caption, const QString &path) {
    launcher.store().Item_Kind[n] = kind;
    launcher.store().Item_Caption[n] = caption;
    launcher.store().Item_Path[n] = path;
    launcher.store().Add(n, kind, caption, path);
    FGrid(n)->setTextMatrix(n % 30, 0, u' ' + caption);
  }
  forms::FlexGrid *FGrid(int n) const { return launcher.FGrid[n / 30]; }
};

} // namespace

TEST_F(PagesFixture, StartUpLaysOutPageZeroWithTheGuideAndTheStoredEntries) {
  table.insert(1, u("파일"), u("메모장"), u("/usr/bin/gedit"));
  table.insert(35, u("폴더"), u("사진"), u("/home/kim/사진"));
  table.insert(130, u("웹"), u("네이버"), u("http://www.naver.com"));
  table.insert(0, u("파일"), u("덮어쓸 수 없음"), u("/elsewhere"));
  form.Form_Load();
  const PageState &s = form.state();

  EXPECT_EQ(cell(0), u(" Tessivo Dorrin 사용법"));
  EXPECT_EQ(launcher.store().Item_Path[0], guideFile());
  EXPECT_TRUE(QFileInfo::exists(guideFile()));
  EXPECT_EQ(cell(1), u(" 메모장"));
  EXPECT_EQ(cell(35), u(" 사진"));
  EXPECT_EQ(cell(130), u(" 네이버")); // page 1, loaded into its grid too
  EXPECT_EQ(cell(2), u(" "));

  // The window and the page follow the stored splitter size.
  EXPECT_TRUE(form.Pan_Back[0]->visible());
  EXPECT_EQ(form.width(), 8000 + 160);
  EXPECT_EQ(form.height(), 5000 + 745);
  EXPECT_EQ(s.Page_Width[0], 8160);
  EXPECT_EQ(s.Page_Height[0], 5745);
  EXPECT_EQ(form.Spilt[0]->height(), 5000) << "the stored splitter height comes back unchanged";
  EXPECT_EQ(form.Pan_Back[0]->width(), 8000 + 70);
  EXPECT_EQ(form.Spilt[0]->paneWidth(0), 3000);
  EXPECT_EQ(form.Spilt[0]->paneHeight(0), 3000);
  EXPECT_EQ(form.Spilt[0]->paneHeight(2), 2000);
  EXPECT_EQ(form.Menu[0]->backColor(), forms::rgb(156, 156, 255));
  for (int j = 0; j < 4; ++j) {
    forms::FlexGrid *g = launcher.FGrid[j];
    EXPECT_EQ(g->rows(), 30);
    EXPECT_EQ(g->cols(), 1);
    EXPECT_EQ(g->backColorFixed(), s.Back_Color[j]) << j;
    EXPECT_EQ(g->backColorSel(), s.Back_Color[j]) << j;
    EXPECT_EQ(g->foreColorFixed(), s.Fore_Color[j]) << j;
    EXPECT_EQ(g->rowHeight(17), 280);
    EXPECT_EQ(g->width(), form.PanA[j]->width()) << j;
    EXPECT_EQ(g->colWidth(0), form.PanA[j]->width()) << j;
  }
  // A pane resized by its bar keeps its list at its width.
  form.Spilt[0]->setPaneWidth(0, 2500);
  EXPECT_EQ(launcher.FGrid[0]->width(), form.PanA[0]->width());
  EXPECT_EQ(launcher.FGrid[2]->colWidth(0), form.PanA[2]->width());

  // Tab 1 shows the next 120 slots.
  form.Menu_MouseDown(1, forms::kLeftButton);
  EXPECT_TRUE(form.Pan_Back[1]->visible());
  EXPECT_EQ(cell(130), u(" 네이버"));
  EXPECT_EQ(launcher.FGrid[5]->backColorFixed(), s.Back_Color[1]);
}

TEST(LauncherPopup, PlacementForAllFourPanes) {
  // w0 3000, h0 3000, h2 2000, splitter height 5000: a lower pane's menu is
  // lifted once its top would pass 5000 - 900.
  struct Case {
    int j, x, y;
    QPoint at;
  } cases[] = {
      {0, 100, 200, {400, 800}},    {0, 100, 2800, {400, 3400}},  // upper panes never lift
      {2, 100, 200, {3400, 800}},   {2, 0, 2900, {3300, 3500}},   //
      {1, 100, 200, {400, 3800}},   {1, 100, 500, {400, 4100}},   // at the limit: stays
      {1, 100, 501, {400, 2601}},   {1, 50, 1900, {350, 4000}},   // past it: lifted
      {3, 100, 200, {3400, 2800}},  {3, 100, 1500, {3400, 4100}}, //
      {3, 100, 1501, {3400, 2601}}, {3, 10, 2900, {3310, 4000}},
  };
  for (const auto &c : cases)
    EXPECT_EQ(popupPosition(c.j, c.x, c.y, 3000, 3000, 2000, 5000), c.at)
        << "pane " << c.j << " y " << c.y;
}

TEST_F(PagesFixture, RightPressShowsThePopupWhereThePaneIs) {
  form.Form_Load();
  // Default panes: left column 3000 wide, pane 0 3000 high, pane 2 2000
  // high, splitter 5000 high; a lower pane's menu past 4100 is lifted 1500.
  const struct {
    int j, y;
    QPoint at;
  } cases[] = {
      {0, 300, {450, 900}},   {0, 2400, {450, 3000}},  {1, 300, {450, 3900}},
      {1, 2400, {450, 4500}}, {2, 300, {3450, 900}},   {2, 2400, {3450, 3000}},
      {3, 300, {3450, 2900}}, {3, 2400, {3450, 3500}},
  };
  for (const auto &c : cases) {
    launcher.FGrid[c.j]->setRow(3);
    launcher.FGrid_MouseDown(c.j, forms::kRightButton, 150, c.y);
    EXPECT_TRUE(form.Pan_Com->visible());
    EXPECT_EQ(QPoint(form.Pan_Com->left(), form.Pan_Com->top()), c.at) << c.j << " " << c.y;
    EXPECT_EQ(launcher.Mb, c.j);
    EXPECT_EQ(launcher.FGrid[c.j]->row(), 29);
  }
  launcher.FGrid[3]->setRow(3);
  launcher.FGrid_MouseDown(3, forms::kLeftButton, 10, 10);
  EXPECT_FALSE(form.Pan_Com->visible());
  EXPECT_EQ(launcher.FGrid[3]->row(), 29) << "a left press too ends on the last row";
  EXPECT_EQ(launcher.FGrid[3]->col(), 0);
  // Any command closes it.
  launcher.FGrid_MouseDown(1, forms::kRightButton, 10, 10);
  command(31, kComCancel);
  EXPECT_FALSE(form.Pan_Com->visible());
  EXPECT_EQ(launcher.Link_Mode, 4);
}

TEST_F(PagesFixture, CutThenPasteTwiceGivesTwoSlots) {
  form.Form_Load();
  link(5, u("파일"), u("보고서"), u("/home/kim/보고서.odt"));
  command(5, kComCut);
  EXPECT_EQ(clipboard.content, u("tessivodorrin|5|파일|/home/kim/보고서.odt|보고서"));
  EXPECT_EQ(cell(5), QString());
  EXPECT_FALSE(launcher.store().occupied(5));
  EXPECT_TRUE(table.records().empty());

  command(40, kComPaste);
  command(100, kComPaste);
  EXPECT_EQ(cell(40), u(" 보고서"));
  EXPECT_EQ(cell(100), u(" 보고서"));
  EXPECT_EQ(launcher.store().Item_Path[100], u("/home/kim/보고서.odt"));
  EXPECT_EQ(launcher.store().Item_Kind[40], u("파일"));
  EXPECT_EQ(table.records(),
            (std::vector<LinkRecord>{rec(40, "파일", "보고서", "/home/kim/보고서.odt"),
                                     rec(100, "파일", "보고서", "/home/kim/보고서.odt")}));
  EXPECT_EQ(clipboard.content, u("tessivodorrin|5|파일|/home/kim/보고서.odt|보고서"));
}

TEST_F(PagesFixture, PasteOntoEmptyAddsAndOntoOccupiedReplaces) {
  form.Form_Load();
  link(8, u("파일"), u("옛것"), u("/old"));
  clipboard.content = u("tessivodorrin|3|웹|http://new|새것");
  command(8, kComPaste); // occupied: the record is rewritten
  command(9, kComPaste); // empty: one is added
  EXPECT_EQ(table.records(), (std::vector<LinkRecord>{rec(8, "웹", "새것", "http://new"),
                                                      rec(9, "웹", "새것", "http://new")}));
  EXPECT_EQ(cell(8), u(" 새것"));

  // A record with fewer fields changes only what it carries, in memory;
  // nothing is stored and the list shows what it showed.
  clipboard.content = u("tessivodorrin|3|폴더|/only/path");
  command(8, kComPaste);
  command(10, kComPaste);
  EXPECT_EQ(launcher.store().Item_Kind[8], u("폴더"));
  EXPECT_EQ(launcher.store().Item_Path[8], u("/only/path"));
  EXPECT_EQ(launcher.store().Item_Caption[8], u("새것"));
  EXPECT_EQ(launcher.store().Item_Path[10], u("/only/path"));
  EXPECT_EQ(table.records(), (std::vector<LinkRecord>{rec(8, "웹", "새것", "http://new"),
                                                      rec(9, "웹", "새것", "http://new")}));
  EXPECT_EQ(cell(8), u(" 새것"));
  EXPECT_EQ(cell(10), u(" "));
  EXPECT_EQ(dialogs.calls.size(), 0u);
}

TEST_F(PagesFixture, PasteOfForeignTextShowsTheMessageAndChangesNothing) {
  form.Form_Load();
  link(8, u("파일"), u("그대로"), u("/keep"));
  clipboard.content = u("just some text|a|b|c|d");
  command(8, kComPaste);
  command(9, kComPaste);
  ASSERT_EQ(dialogs.calls.size(), 2u);
  EXPECT_EQ(dialogs.calls[0].text, u("알맞는 데이터가 존재하지 않습니다.\n\r\n\r"
                                     "이동하기 원하는 것을 클릭하고 이동삭제 버튼을 선택하십시오"));
  EXPECT_EQ(dialogs.calls[0].style, forms::vbOKOnly);
  EXPECT_EQ(cell(8), u(" 그대로"));
  EXPECT_EQ(cell(9), u(" "));
  EXPECT_EQ(table.records(), (std::vector<LinkRecord>{rec(8, "파일", "그대로", "/keep")}));
}

TEST_F(PagesFixture, OkWithAnEmptyPathStoresNothing) {
  form.Form_Load();
  link(12, u("파일"), u("남는 제목"), u("/file"));
  command(12, kComLink);
  editor.Txt_Path->setText(QString());
  editor.Txt_Cap->setText(u("새 제목"));
  launcher.Btn_HawkIn_Click();
  EXPECT_EQ(cell(12), u(" 남는 제목"));
  EXPECT_EQ(table.records(), (std::vector<LinkRecord>{rec(12, "파일", "남는 제목", "/file")}));
  // In memory the path is gone: a double-click does nothing until the next start.
  EXPECT_TRUE(launcher.store().Item_Path[12].isEmpty());
  select(12);
  launcher.Com_Start();
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(PagesFixture, LinkingAFileThroughThePickers) {
  form.Form_Load();
  QDir(files.path()).mkdir("문서");
  files.write("문서/계획서.txt", "plan");
  files.write("문서/b.txt", "b");
  const QString folder = files.file("문서");

  command(50, kComLink);
  EXPECT_TRUE(form.Pan_Dir->visible());
  EXPECT_EQ(form.Pan_Dir->height(), 6915);
  EXPECT_EQ(form.width(), 8295);
  EXPECT_EQ(form.height(), 6915);
  EXPECT_EQ(editor.Txt_Path->text(), QString()); // an empty slot
  // Choosing a folder fills the boxes with it.
  ASSERT_TRUE(editor.DirBox->setPath(folder));
  EXPECT_EQ(editor.Txt_Path->text(), folder);
  EXPECT_EQ(editor.Txt_Cap->text(), u("폴더: 문서"));
  EXPECT_EQ(editor.Pick_Kind, u("폴더"));
  EXPECT_TRUE(editor.FileBox->visible());
  EXPECT_FALSE(editor.ListView1->visible());
  EXPECT_EQ(editor.FileBox->path(), folder);
  // A double-clicked file replaces them.
  int row = -1;
  for (int i = 0; i < editor.FileBox->listCount(); ++i)
    if (editor.FileBox->list(i) == u("계획서.txt")) row = i;
  ASSERT_GE(row, 0);
  editor.FileBox->setListIndex(row);
  editor.FileBox_DblClick();
  EXPECT_EQ(editor.Txt_Path->text(), folder + u("/계획서.txt"));
  EXPECT_EQ(editor.Txt_Cap->text(), u("파일: 계획서.txt"));
  EXPECT_EQ(editor.Pick_Kind, u("파일"));

  launcher.Btn_HawkIn_Click();
  EXPECT_FALSE(form.Pan_Dir->visible());
  EXPECT_EQ(form.width(), form.state().Page_Width[0]);
  EXPECT_EQ(form.height(), form.state().Page_Height[0]);
  EXPECT_EQ(cell(50), u(" 파일: 계획서.txt"));
  EXPECT_EQ(launcher.FGrid[1]->row(), 29);
  EXPECT_EQ(table.records(), (std::vector<LinkRecord>{{u("50"), u("파일"), u("파일: 계획서.txt"),
                                                       folder + u("/계획서.txt")}}));

  // Editing the entry again from another folder: the folder list goes to
  // the entry's folder and fills both boxes with that folder.
  editor.DirBox->setPath(QDir::rootPath());
  EXPECT_EQ(editor.Txt_Cap->text(), u("폴더: ")); // a root has no name
  command(50, kComLink);
  EXPECT_EQ(editor.DirBox->path(), folder);
  EXPECT_EQ(editor.Txt_Path->text(), folder);
  EXPECT_EQ(editor.Txt_Cap->text(), u("폴더: 문서"));
  EXPECT_EQ(editor.Pick_Kind, u("폴더"));
  launcher.Btn_Cancel_Click();
  // With the list on that folder already, the boxes show the entry itself.
  command(50, kComLink);
  EXPECT_EQ(editor.Txt_Path->text(), folder + u("/계획서.txt"));
  EXPECT_EQ(editor.Txt_Cap->text(), u("파일: 계획서.txt"));
  EXPECT_EQ(editor.Pick_Kind, u("파일"));
  // Picking the folder instead and OK replaces the record.
  editor.DirBox->setPath(files.path());
  editor.DirBox->setPath(folder);
  launcher.Btn_HawkIn_Click();
  EXPECT_EQ(table.records(),
            (std::vector<LinkRecord>{{u("50"), u("폴더"), u("폴더: 문서"), folder}}));
  EXPECT_EQ(cell(50), u(" 폴더: 문서"));
}

TEST_F(PagesFixture, WebLinksStartFromTheDefaults) {
  form.Form_Load();
  command(60, kComWeb);
  EXPECT_EQ(editor.Txt_Path->text(), u("http://www."));
  EXPECT_EQ(editor.Txt_Cap->text(), u("웹: "));
  EXPECT_EQ(form.Pan_Dir->height(), 700);
  EXPECT_EQ(form.width(), 8295);
  EXPECT_EQ(form.height(), 700);
  EXPECT_EQ(launcher.FGrid[2]->row(), 20);
  editor.Txt_Path->setText(u("http://www.daum.net"));
  editor.Txt_Cap->setText(u("웹: 다음"));
  editor.Pick_Kind = u("파일"); // left over from an earlier pick: not used for web links
  launcher.Btn_HawkIn_Click();
  EXPECT_EQ(table.records(),
            (std::vector<LinkRecord>{rec(60, "웹", "웹: 다음", "http://www.daum.net")}));
  EXPECT_EQ(cell(60), u(" 웹: 다음"));
  // An existing address is offered for editing; Cancel keeps everything.
  command(60, kComWeb);
  EXPECT_EQ(editor.Txt_Path->text(), u("http://www.daum.net"));
  EXPECT_EQ(editor.Txt_Cap->text(), u("웹: 다음"));
  editor.Txt_Path->setText(u("http://changed"));
  launcher.Btn_Cancel_Click();
  EXPECT_FALSE(form.Pan_Dir->visible());
  EXPECT_EQ(form.width(), form.state().Page_Width[0]);
  EXPECT_EQ(form.height(), form.state().Page_Height[0]);
  EXPECT_EQ(launcher.store().Item_Path[60], u("http://www.daum.net"));
}

TEST_F(PagesFixture, CaptionsTakeHangulAndPathsLatinInput) {
  form.Form_Load();
  command(70, kComLink);
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  // What the input method is told about the box that has the focus.
  auto focusedHints = [] {
    return Qt::InputMethodHints(
        QGuiApplication::inputMethod()->queryFocusObject(Qt::ImHints, QVariant()).toInt());
  };
  for (int round = 0; round < 2; ++round) {
    editor.Txt_Cap->setFocus();
    QTRY_VERIFY(editor.Txt_Cap->hasFocus() ||
                editor.Txt_Cap->isAncestorOf(QApplication::focusWidget()));
    EXPECT_FALSE(focusedHints() & (Qt::ImhPreferLatin | Qt::ImhLatinOnly)) << round;
    editor.Txt_Path->setFocus();
    QTRY_VERIFY(editor.Txt_Path->hasFocus() ||
                editor.Txt_Path->isAncestorOf(QApplication::focusWidget()));
    EXPECT_TRUE(focusedHints() & Qt::ImhPreferLatin) << round;
  }
}

TEST_F(PagesFixture, DoubleClickRoutesWebAddressesAndFiles) {
  form.Form_Load();
  const QString root = QDir::rootPath();
  struct Case {
    const char *path;
    bool called;
    const char *directory;
    int show;
  } cases[] = {
      {"", false, "", 0},
      {"http://example.org", true, "/", 1},
      {"www.naver.com", true, "/", 1},
      {"/home/kim/www.site", true, "/", 1}, // a local folder named www.*: still the browser's
      {"see http://x", true, "/", 1},
      {"WWW.NAVER.COM", true, "", 10}, // capitals: not a web address
      {"HTTP://EXAMPLE.ORG", true, "", 10},
      {"/home/kim/a.txt", true, "", 10},
  };
  for (const auto &c : cases) {
    shell.calls.clear();
    launcher.store().Item_Path[70] = u(c.path);
    select(70);
    launcher.Com_Start();
    ASSERT_EQ(shell.calls.size(), c.called ? 1u : 0u) << c.path;
    if (!c.called) continue;
    EXPECT_EQ(shell.calls[0].verb, u("Open"));
    EXPECT_EQ(shell.calls[0].file, u(c.path));
    EXPECT_EQ(shell.calls[0].parameters, QString());
    EXPECT_EQ(shell.calls[0].directory, u(c.directory)) << c.path;
    EXPECT_EQ(shell.calls[0].show, c.show) << c.path;
  }
  EXPECT_TRUE(dialogs.calls.empty());
  // Through the grid's own double-click: the slot of the row under the mouse.
  launcher.store().Item_Path[33] = u("/x");
  shell.calls.clear();
  form.show();
  forms::FlexGrid *g = launcher.FGrid[1];
  QTest::mouseDClick(g, Qt::LeftButton, {}, QPoint(20, forms::toPixels(3 * 280 + 140)));
  EXPECT_EQ(launcher.Mb, 1);
  EXPECT_EQ(launcher.Mc, 3);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, u("/x"));
  form.hide();
}

TEST_F(PagesFixture, RunFileReportsTheCodesThatHaveAMessage) {
  struct Case {
    int result;
    const char *message; // nullptr: silent
  } cases[] = {
      {2, "파일을 찾을 수가 없습니다."},
      {3, "경로가 잘못 되었습니다."},
      {5, "공유 또는 보호모드 에러"},
      {31, "이파일을 실행할 응용 프로그램이 없습니다."},
      {0, "프로그램 파일이 유효하지 않거나 메모리 공간이 충분하지 않습니다."},
      {11, "프로그램 파일이 잘못 되었습니다."},
      {1, nullptr},
      {4, nullptr},
      {9, nullptr},
      {17, nullptr},
      {22, nullptr},
      {30, nullptr},
      {32, nullptr},
      {42, nullptr},
  };
  for (const auto &c : cases) {
    dialogs.calls.clear();
    shell.results = {c.result};
    EXPECT_EQ(RunFile(shell, &dialogs, u("/f"), QString(), 10), c.result);
    ASSERT_EQ(dialogs.calls.size(), c.message ? 1u : 0u) << c.result;
    if (c.message) {
      EXPECT_EQ(dialogs.calls[0].text, u(c.message));
      EXPECT_EQ(dialogs.calls[0].style, forms::vbOKOnly);
      EXPECT_EQ(dialogs.calls[0].title, QString());
    }
  }
  // Internetexe never reports.
  dialogs.calls.clear();
  shell.results = {2};
  Internetexe(shell, u("http://nowhere"));
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST(LauncherRun, RealShellFailuresShowTheirMessages) {
  FakeDialogs dialogs;
  FrmStart form{MainServices{&dialogs, nullptr, {}}};
  shell::DesktopShell shell;
  shell::testing::FakeClipboard clipboard;
  Launcher launcher{form, [] { return nullptr; }, shell, clipboard};
  form.Form_Load();
  test::TempFolder tmp;
  struct Case {
    QString path;
    const char *message;
  } cases[] = {
      {tmp.file("없는 파일.txt"), "파일을 찾을 수가 없습니다."},
      {tmp.file("없는 폴더/a.txt"), "경로가 잘못 되었습니다."},
  };
  for (const auto &c : cases) {
    dialogs.calls.clear();
    launcher.store().Item_Path[3] = c.path;
    launcher.Mb = 0;
    launcher.Mc = 3;
    launcher.Com_Start();
    ASSERT_EQ(dialogs.calls.size(), 1u) << qPrintable(c.path);
    EXPECT_EQ(dialogs.calls[0].text, u(c.message));
  }
}

TEST_F(PagesFixture, ScreensShowKoreanCaptionsInFourColouredPanes) {
  forms::installFontSubstitutes();
  const struct {
    int slot;
    const char *caption;
  } entries[] = {{1, "메모장"},      {2, "계산기"},      {3, "사진 폴더"}, {31, "음악"},
                 {32, "보고서.hwp"}, {60, "웹: 네이버"}, {61, "웹: 다음"}, {90, "바탕화면"},
                 {91, "가계부.xls"}, {92, "일정표"}};
  for (const auto &e : entries)
    table.insert(e.slot, u("파일"), u(e.caption), u("/x"));
  form.Form_Load();
  form.show();
  const PageState &s = form.state();
  const QImage page = form.grab().toImage();
  ASSERT_FALSE(page.isNull());
  // Each pane shows its colour: sample an empty row of each list.
  for (int j = 0; j < 4; ++j) {
    forms::FlexGrid *g = launcher.FGrid[j];
    const QPoint inGrid(g->QWidget::width() / 2, forms::toPixels(g->rowPos(5) + 140));
    const QPoint p = g->mapTo(&form, inGrid);
    EXPECT_EQ(forms::fromQColor(page.pixelColor(p)), s.Back_Color[j]) << "pane " << j;
  }
  const QString dir = qEnvironmentVariable("DORRIN_SCREENSHOT_DIR");
  if (!dir.isEmpty()) page.save(dir + u("/launcher-page.png"));

  QDir(files.path()).mkpath(u("문서/2024 회의록"));
  files.write("문서/계획서.txt", "x");
  files.write("문서/사진.png", "x");
  files.write("문서/readme.md", "x");
  command(1, kComLink);
  editor.DirBox->setPath(files.file("문서"));
  const QImage dirImage = form.grab().toImage();
  ASSERT_FALSE(dirImage.isNull());
  if (!dir.isEmpty()) dirImage.save(dir + u("/link-editor.png"));
  form.hide();
}
