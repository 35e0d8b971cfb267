#include "organiser/start/frm_time.h"
#include "organiser/start/organiser_app.h"
#include "platform/desktop/desktop_icons.h"
#include "platform/forms/testing/fake_dialogs.h"
#include "platform/hotkeys/hot_key_source.h"
#include "platform/tray/tray_icon.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
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

// Counts the times a widget is shown.
struct ShowCounter : QObject {
  int shows = 0;
  bool eventFilter(QObject *, QEvent *e) override {
    if (e->type() == QEvent::Show) ++shows;
    return false;
  }
};

TEST_F(StartFixture, LoadShowsTheMainWindowAndHidesItselfOnTheFirstTick) {
  EXPECT_EQ(frm.windowTitle(), "프로그램 실행하기");
  EXPECT_FALSE(frm.isVisible());
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
  ShowCounter counter;
  frm.installEventFilter(&counter);
  frm.Form_Load("dorrin /S");
  EXPECT_FALSE(frm.isVisible());
  EXPECT_TRUE(frm.mainVisible());
  QTest::qWait(20);
  EXPECT_EQ(counter.shows, 0) << "the start-up form never appears";
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

  // Moved off every screen meanwhile (a monitor unplugged): F11 brings it back.
  forms::Form &w = frm.mainWindow()->form();
  w.setLeft(-20000);
  frm.F11_Pressed();
  EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(w.frameGeometry()));
}

TEST_F(StartFixture, TrayMessages) {
  frm.Form_Load("");
  frm.mainWindow()->form().setVisible(false);
  QWidget other; // another window has the focus
  other.show();
  other.activateWindow();
  QTRY_COMPARE(QApplication::activeWindow(), &other);
  frm.Tray_Message(512); // a plain move: nothing
  EXPECT_FALSE(frm.mainVisible());
  frm.Tray_Message(tray::WM_LBUTTONUP);
  EXPECT_TRUE(frm.mainVisible());
  QTRY_COMPARE(QApplication::activeWindow(), &frm.mainWindow()->form());
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

TEST_F(StartFixture, UnloadWaitsForAnOpenModalDialog) {
  frm.Form_Load("");
  forms::QtDialogs real(&frm.mainWindow()->form());
  bool loadedUnderDialog = false;
  QTimer::singleShot(0, [&] {
    frm.Tray_Message(tray::WM_RBUTTONUP); // right click while the input box is open
    QTest::qWait(120);
    loadedUnderDialog = frm.mainWindow() != nullptr && frm.unloadWaiting();
    if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) dialog->reject();
  });
  EXPECT_EQ(real.inputBox("제목을 입력하십시오", "제목"), std::nullopt);
  EXPECT_TRUE(loadedUnderDialog) << "the window under the dialog stays until it closes";
  EXPECT_EQ(trayIcon.removes, 0);
  QTRY_COMPARE(frm.mainWindow(), nullptr);
  EXPECT_EQ(trayIcon.removes, 1);

  // F11 while an unload waits keeps the window.
  frm.F11_Pressed();
  forms::QtDialogs again(&frm.mainWindow()->form());
  QTimer::singleShot(0, [&] {
    frm.Tray_Message(tray::WM_RBUTTONUP);
    frm.F11_Pressed();
    if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) dialog->reject();
  });
  again.inputBox("제목을 입력하십시오", "제목");
  QTest::qWait(120);
  EXPECT_NE(frm.mainWindow(), nullptr);
}

TEST(WaylandNotice, ShownOncePerDataFolder) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  forms::testing::FakeDialogs dialogs;
  const QString marker = dir.filePath(".wayland-hotkeys-notice");
  EXPECT_TRUE(showNoticeOnce(dialogs, marker, hotkeys::waylandNotice()));
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_TRUE(dialogs.calls[0].text.contains("dorrin --toggle"));
  EXPECT_FALSE(showNoticeOnce(dialogs, marker, hotkeys::waylandNotice()));
  EXPECT_EQ(dialogs.calls.size(), 1u);
}
