#include "organiser/start/frm_time.h"
#include "platform/desktop/desktop_icons.h"
#include "platform/forms/testing/fake_dialogs.h"
#include "platform/tray/tray_icon.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace dorrin;
using namespace dorrin::organiser;

namespace {

struct CountingDesktop : desktop::DesktopIcons {
  int hides = 0;
  bool hide() override { return ++hides, true; }
  bool show() override { return true; }
  void restore() override {}
};

struct FakeTray : tray::TrayIcon {
  int adds = 0, removes = 0;
  bool shown = false;
  bool isAvailable() const override { return true; }
  bool add(int, const QString &, const QIcon &) override { return ++adds, shown = true; }
  void remove() override {
    ++removes;
    shown = false;
  }
  bool isShown() const override { return shown; }
};

struct StartFixture : ::testing::Test {
  forms::testing::FakeDialogs dialogs;
  CountingDesktop desktop;
  FakeTray trayIcon;
  int loads = 0;
  FrmTime frm{[this] {
    ++loads;
    OrganiserServices s;
    s.dialogs = &dialogs;
    s.desktop = &desktop;
    s.tray = &trayIcon;
    return std::make_unique<MainWindow>(s);
  }};
};

} // namespace

TEST_F(StartFixture, LoadShowsTheMainWindowAndHidesItselfOnTheFirstTick) {
  EXPECT_EQ(frm.windowTitle(), "프로그램 실행하기");
  frm.show();
  frm.Form_Load("dorrin");
  ASSERT_NE(frm.mainWindow(), nullptr);
  EXPECT_TRUE(frm.mainVisible());
  EXPECT_EQ(trayIcon.adds, 1);
  EXPECT_EQ(desktop.hides, 1);
  EXPECT_TRUE(frm.isVisible());
  QTRY_VERIFY(!frm.isVisible());
  EXPECT_FALSE(frm.TimeB.isActive());
  EXPECT_EQ(frm.width(), 0);
}

TEST_F(StartFixture, SilentSwitchHidesAtOnce) {
  EXPECT_TRUE(hasSilentSwitch("dorrin /S"));
  EXPECT_FALSE(hasSilentSwitch("dorrin /s"));
  EXPECT_FALSE(hasSilentSwitch("dorrin /S x"));
  frm.show();
  frm.Form_Load("dorrin /S");
  EXPECT_FALSE(frm.isVisible());
  EXPECT_TRUE(frm.mainVisible());
}

TEST_F(StartFixture, HotKeysActInOrder) {
  frm.Form_Load("");
  frm.F10_Pressed();
  EXPECT_FALSE(frm.mainVisible());
  frm.F11_Pressed();
  EXPECT_TRUE(frm.mainVisible());
  frm.F11_Pressed(); // visible already: only focus again
  EXPECT_TRUE(frm.mainVisible());
  frm.F11_Pressed();
  frm.F10_Pressed(); // F11 then F10 between two ticks ends hidden
  EXPECT_FALSE(frm.mainVisible());
  EXPECT_EQ(loads, 1);
}

TEST_F(StartFixture, TrayMessages) {
  frm.Form_Load("");
  frm.mainWindow()->form().setVisible(false);
  frm.Tray_Message(512); // a plain move: nothing
  EXPECT_FALSE(frm.mainVisible());
  frm.Tray_Message(tray::WM_LBUTTONUP);
  EXPECT_TRUE(frm.mainVisible());
  EXPECT_FALSE(frm.mainWindow()->form().windowFlags() & Qt::WindowStaysOnTopHint);
  frm.Tray_Message(tray::WM_RBUTTONUP);
  EXPECT_EQ(frm.mainWindow(), nullptr);
  EXPECT_EQ(trayIcon.removes, 1);
  EXPECT_FALSE(trayIcon.shown);
  frm.Tray_Message(tray::WM_LBUTTONUP); // unloaded: nothing to raise
  EXPECT_EQ(frm.mainWindow(), nullptr);
}

TEST_F(StartFixture, F11AfterUnloadRunsTheWholeStartUpAgain) {
  frm.Form_Load("");
  frm.Tray_Message(tray::WM_RBUTTONUP);
  ASSERT_EQ(frm.mainWindow(), nullptr);
  frm.F11_Pressed();
  ASSERT_NE(frm.mainWindow(), nullptr);
  EXPECT_TRUE(frm.mainVisible());
  EXPECT_EQ(loads, 2);
  EXPECT_EQ(trayIcon.adds, 2);
  EXPECT_TRUE(trayIcon.shown);
  EXPECT_EQ(desktop.hides, 2) << "the desktop icons are hidden again";
}
