#include "organiser/main/frm_start.h"
#include "platform/desktop/desktop_icons.h"
#include "platform/forms/testing/fake_dialogs.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace dorrin;
using namespace dorrin::organiser;
using forms::rgb;

namespace {

struct FakeDesktop : desktop::DesktopIcons {
  int hides = 0, shows = 0;
  bool hidden = false;
  bool hide() override {
    ++hides;
    hidden = true;
    return true;
  }
  bool show() override {
    ++shows;
    hidden = false;
    return true;
  }
  void restore() override { hidden = false; }
};

struct MainFixture : ::testing::Test {
  forms::testing::FakeDialogs dialogs;
  FakeDesktop desktop;
  FrmStart form{MainServices{&dialogs, &desktop, {}}};
  std::vector<std::string> calls;

  void record() {
    auto &h = form.hooks;
    auto rec = [this](std::string n) { return [this, n] { calls.push_back(n); }; };
    h.GridB_Data_Open = rec("GridB_Data_Open");
    h.FunPlusList = rec("FunPlusList");
    h.OpenDatabases = rec("OpenDatabases");
    h.AddTrayIcon = rec("AddTrayIcon");
    h.Frm_load = rec("Frm_load");
    h.Frm_Save = rec("Frm_Save");
    h.Com_Load = rec("Com_Load");
    h.Pan_Load_Week = rec("Pan_Load_Week");
    h.Pan_Load_Time = rec("Pan_Load_Time");
    h.ShowTelephone = rec("ShowTelephone");
    h.OpenColorPanel = rec("OpenColorPanel");
    h.Pan_Load = [this](int p) { calls.push_back("Pan_Load(" + std::to_string(p) + ")"); };
    h.Com_List = [this](int p) { calls.push_back("Com_List(" + std::to_string(p) + ")"); };
  }
};

} // namespace

TEST_F(MainFixture, StartUpSetsEveryDefaultAndCallsTheUnitsInOrder) {
  record();
  form.Form_Load();
  const PageState &s = form.state();
  const std::vector<std::string> expected = {"GridB_Data_Open", "FunPlusList", "OpenDatabases",
                                             "AddTrayIcon",     "Frm_load",    "Com_Load",
                                             "Pan_Load(0)",     "Com_List(0)"};
  EXPECT_EQ(calls, expected);
  EXPECT_EQ(s.Cur_Page, 0);
  EXPECT_EQ(s.Start_Page, 0);
  EXPECT_TRUE(s.Desktop_Hidden);
  EXPECT_EQ(desktop.hides, 1);
  EXPECT_EQ(form.top(), 4000);
  EXPECT_EQ(form.left(), 6000);
  const char *names[] = {"사과", "폴더", "파일", "WEB", "음악", "일정", "메모", "전화", "바탕"};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(form.Menu[i]->caption(), QString::fromUtf8(names[i]));
    EXPECT_EQ(s.Page_Height[i], 5000);
    EXPECT_EQ(s.Page_Width[i], 8000);
    EXPECT_EQ(s.Split_Height[i], 5000);
    EXPECT_EQ(s.Split_Width[i], 8000);
    EXPECT_EQ(s.Pane_Width[i], 3000);
    EXPECT_EQ(s.Pane_Height[i], 3000);
    EXPECT_EQ(s.Pane2_Height[i], 2000);
  }
  EXPECT_EQ(s.Back_Color[0], rgb(255, 102, 0));
  EXPECT_EQ(s.Back_Color[3], rgb(132, 132, 51));
  EXPECT_EQ(s.Fore_Color[2], rgb(255, 255, 255));
  EXPECT_EQ(s.Week_Name[1], QString::fromUtf8("일"));
  EXPECT_EQ(s.Week_Name[7], QString::fromUtf8("토"));
  EXPECT_EQ(form.Pan_Menu->top(), 300);
  EXPECT_EQ(form.Pan_Menu->left(), 45);
  EXPECT_EQ(s.Row_Height, 280);
}

TEST_F(MainFixture, StartsOnTheStoredPageAndSurvivesAFailingUnit) {
  record();
  form.hooks.Frm_load = [this] {
    form.state().Cur_Page = 5;
    form.state().Page_Name[2] = "문서";
  };
  form.hooks.Com_Load = [] { throw std::runtime_error("database gone"); };
  form.Form_Load();
  EXPECT_EQ(form.state().Start_Page, 5);
  EXPECT_EQ(form.Menu[2]->caption(), "문서");
  EXPECT_EQ(calls.back(), "Pan_Load_Week");
}

TEST_F(MainFixture, ADamagedPageNumberStartsOnPageZero) {
  form.hooks.Frm_load = [this] { form.state().Cur_Page = 42; };
  form.Form_Load();
  EXPECT_EQ(form.state().Cur_Page, 0);
}

TEST_F(MainFixture, APositionOnNoScreenIsBroughtBackAndTheStoredOneKept) {
  // A monitor to the right, since unplugged.
  form.hooks.Frm_load = [this] {
    form.state().Win_Left = 30000;
    form.state().Win_Top = -3000;
  };
  form.Form_Load();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(screen.contains(form.frameGeometry())) << form.x() << "," << form.y();
  EXPECT_EQ(form.state().Win_Left, 30000);
  EXPECT_EQ(form.state().Win_Top, -3000);
}

TEST_F(MainFixture, ResizeRulesPerPageKind) {
  form.Form_Load();
  struct Case {
    int page, W, H;
    int backW, backH, splitW, splitH, menuW; // -1: not touched by the rule
  } cases[] = {
      {0, 8000, 5000, 7910, 4345, 7840, 4255, 7910}, {3, 9000, 6000, 8910, 5345, 8840, 5255, 8910},
      {0, 1000, 5000, -1, 4345, -1, 4255, -1},   // width at the threshold
      {0, 8000, 1000, 7910, -1, 7840, -1, 7910}, // height at the threshold
      {4, 1001, 1001, 911, 346, 841, 256, 911},      {5, 7000, 9000, 6910, -1, -1, -1, 6910},
      {6, 8000, 6000, 7910, 5320, 7840, 4820, 7865},
  };
  for (const auto &c : cases) {
    form.state().Cur_Page = static_cast<std::int16_t>(c.page);
    form.setWidth(c.W);
    form.setHeight(c.H);
    // Known sizes, so "not touched" is visible.
    for (auto *p : form.Pan_Back)
      p->place(45, 600, 111, 222);
    for (auto *s : form.Spilt)
      if (s) s->place(30, 30, 333, 444);
    form.Pan_Menu->setWidth(555);
    form.Form_Resize();
    SCOPED_TRACE(testing::Message() << "page " << c.page << " " << c.W << "x" << c.H);
    const int p = c.page;
    EXPECT_EQ(form.Pan_Back[p]->width(), c.backW == -1 ? 111 : c.backW);
    EXPECT_EQ(form.Pan_Back[p]->height(), c.backH == -1 ? 222 : c.backH);
    if (p != 5) {
      EXPECT_EQ(form.Spilt[p]->width(), c.splitW == -1 ? 333 : c.splitW);
      EXPECT_EQ(form.Spilt[p]->height(), c.splitH == -1 ? 444 : c.splitH);
    }
    EXPECT_EQ(form.Pan_Menu->width(), c.menuW == -1 ? 555 : c.menuW);
    EXPECT_EQ(form.Pan_Move->left(), c.W - 135);
    EXPECT_EQ(form.Pan_Move->top(), c.H - 135);
    EXPECT_EQ(form.Pan_Label0->width(), c.W);
    if (p == 6) {
      EXPECT_EQ(form.Grid_A->colWidth(1), c.W - 290);
      EXPECT_EQ(form.Grid_C->colWidth(1), c.W - 290);
      EXPECT_EQ(form.Kttime->width(), c.W - 100);
      EXPECT_EQ(form.Text1->width(), c.W - 90 - 680);
    }
  }
}

TEST_F(MainFixture, AlarmPageGridsAreLaidOutAtStartUp) {
  form.Form_Load();
  for (forms::FlexGrid *g : {form.Grid_A, form.Grid_C}) {
    EXPECT_EQ(g->colWidth(0), 900);
    EXPECT_EQ(g->colAlignment(0), 4);
    EXPECT_EQ(g->colAlignment(1), 1);
    EXPECT_EQ(g->rowHeight(49), 300);
  }
  EXPECT_EQ(form.Grid_C->textMatrix(0, 0), "0");
  EXPECT_EQ(form.Grid_C->textMatrix(49, 0), "49");
  EXPECT_EQ(form.Time1->interval(), 500);
}

TEST_F(MainFixture, TabsShareTheStripEvenly) {
  form.Pan_Menu->setWidth(9090);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(form.Menu[i]->width(), 1009);
    EXPECT_EQ(form.Menu[i]->left(), i * 1010);
  }
  form.Pan_Menu->setWidth(5); // narrower than nine twips: zero-width tabs, no crash
  EXPECT_EQ(form.Menu[8]->width(), 0);
}

TEST_F(MainFixture, TabPressesByButton) {
  record();
  form.Form_Load();
  struct Case {
    int tab, button;
    std::vector<std::string> calls;
    int curPage;    // page after the press (starting from 0)
    int shownPanel; // -1 none changed
  } cases[] = {
      {0, 1, {"Frm_Save", "Pan_Load(0)", "Com_List(0)"}, 0, 0},
      {3, 1, {"Frm_Save", "Pan_Load(3)", "Com_List(3)"}, 3, 3},
      {5, 1, {"Frm_Save", "Pan_Load_Week"}, 5, 5},
      {6, 1, {"Frm_Save", "Pan_Load_Time"}, 6, 6},
      {5, 2, {"Frm_Save"}, 0, 5}, // right press shows the panel only (input cancelled)
      {7, 1, {"Frm_Save", "ShowTelephone"}, 0, -1},
      {8, 2, {"Frm_Save", "OpenColorPanel", "Frm_Save"}, 0, -1},
      {8, 1, {"Frm_Save", "Frm_Save"}, 0, -1},
  };
  for (const auto &c : cases) {
    form.state().Cur_Page = 0;
    calls.clear();
    form.Menu_MouseDown(c.tab, c.button);
    SCOPED_TRACE(testing::Message() << "tab " << c.tab << " button " << c.button);
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(form.state().Cur_Page, c.curPage);
    if (c.shownPanel >= 0) {
      for (int p = 0; p < 8; ++p)
        EXPECT_EQ(form.Pan_Back[p]->visible(), p == c.shownPanel);
      EXPECT_EQ(form.Menu[c.tab]->backColor(), rgb(156, 156, 255));
      EXPECT_EQ(form.Menu[(c.tab + 1) % 8]->backColor(), rgb(123, 145, 44));
    }
  }
}

TEST_F(MainFixture, EveryTabWithEitherButton) {
  record();
  form.Form_Load();
  for (int tab = 0; tab < 9; ++tab) {
    for (int button : {1, 2}) {
      SCOPED_TRACE(testing::Message() << "tab " << tab << " button " << button);
      form.state().Cur_Page = 0;
      const size_t asked = dialogs.calls.size();
      calls.clear();
      form.Menu_MouseDown(tab, button);
      // The page changes for a launcher tab with either button, for 일정 and 메모
      // with the left one only; 전화 and 바탕 never change it.
      const bool changes = tab < 5 || (button == 1 && (tab == 5 || tab == 6));
      EXPECT_EQ(form.state().Cur_Page, changes ? tab : 0);
      if (tab < 7) {
        EXPECT_TRUE(form.Pan_Back[tab]->visible());
      }
      // A right press asks for a caption on tabs 0..7 and opens the colour panel on 8.
      EXPECT_EQ(dialogs.calls.size() - asked, button == 2 && tab < 8 ? 1u : 0u);
      EXPECT_EQ(std::count(calls.begin(), calls.end(), "OpenColorPanel"), button == 2 && tab == 8);
      EXPECT_EQ(calls.front(), "Frm_Save") << "every press first saves the settings";
    }
  }
  EXPECT_EQ(form.Menu[8]->caption(), "바탕");
}

TEST_F(MainFixture, RightPressRenamesATabUnlessTheAnswerIsEmpty) {
  record();
  form.Form_Load();
  dialogs.inputAnswers = {QString("프로그램"), QString(""), std::nullopt};
  form.Menu_MouseDown(1, 2);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, "제목을 입력하십시오");
  EXPECT_EQ(dialogs.calls[0].title, "제목");
  EXPECT_EQ(form.Menu[1]->caption(), "프로그램");
  EXPECT_EQ(form.state().Page_Name[1], "프로그램");
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "Frm_Save"), 2);
  form.Menu_MouseDown(1, 2); // empty answer
  form.Menu_MouseDown(1, 2); // cancel
  EXPECT_EQ(form.Menu[1]->caption(), "프로그램");
}

TEST_F(MainFixture, DesktopTabTogglesWithEitherButton) {
  form.Form_Load();
  EXPECT_TRUE(desktop.hidden);
  form.Menu_MouseDown(8, 1);
  EXPECT_FALSE(desktop.hidden);
  EXPECT_FALSE(form.state().Desktop_Hidden);
  form.Menu_MouseDown(8, 2);
  EXPECT_TRUE(desktop.hidden);
  EXPECT_TRUE(form.state().Desktop_Hidden);
  EXPECT_EQ(desktop.shows, 1);
  EXPECT_EQ(desktop.hides, 2);
}

TEST_F(MainFixture, DraggingTheTitleMovesAndTheGripResizes) {
  form.Form_Load();
  form.show();
  QTest::mousePress(form.Pan_Label0, Qt::LeftButton, {}, QPoint(20, 10));
  QMouseEvent move(QEvent::MouseMove, QPointF(30, 14),
                   form.Pan_Label0->mapToGlobal(QPointF(30, 14)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(form.Pan_Label0, &move);
  EXPECT_EQ(form.left(), 6000 + 150);
  EXPECT_EQ(form.top(), 4000 + 60);

  form.setWidth(8000);
  form.setHeight(5000);
  QTest::mousePress(form.Pan_Move, Qt::LeftButton, {}, QPoint(2, 2));
  QMouseEvent grip(QEvent::MouseMove, QPointF(12, 22), form.Pan_Move->mapToGlobal(QPointF(12, 22)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form.Pan_Move, &grip);
  EXPECT_EQ(form.width(), 8000 - 135 + 150);
  EXPECT_EQ(form.height(), 5000 - 135 + 300);

  // Dragging far past the opposite edge leaves a usable window.
  QMouseEvent away(QEvent::MouseMove, QPointF(-2000, -2000),
                   form.Pan_Move->mapToGlobal(QPointF(-2000, -2000)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(form.Pan_Move, &away);
  EXPECT_EQ(form.width(), FrmStart::kMinHandSize);
  EXPECT_EQ(form.height(), FrmStart::kMinHandSize);
}

TEST_F(MainFixture, TitleDoubleClickHides) {
  form.Form_Load();
  form.show();
  QTest::mouseDClick(form.Pan_Label0, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
}
