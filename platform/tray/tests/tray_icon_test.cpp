// Icon message numbers, the add/delete requests and the real icon without
// a tray host.
#include "platform/tray/system_tray_icon.h"
#include "platform/tray/tests/fake_tray_icon.h"
#include "platform/tray/tray_icon.h"

#include <QImage>

#include <gtest/gtest.h>

#include <variant>
#include <vector>

using namespace dorrin::tray;

TEST(TrayMessages, LeftUpRaisesRightUpUnloadsOthersDoNothing) {
  const struct {
    int message;
    TrayAction action;
  } cases[] = {
      {514, TrayAction::Raise},   {517, TrayAction::Unload},  {512, TrayAction::Nothing},
      {513, TrayAction::Nothing}, {515, TrayAction::Nothing}, {516, TrayAction::Nothing},
      {520, TrayAction::Nothing}, {0, TrayAction::Nothing},   {-514, TrayAction::Nothing},
  };
  for (const auto &c : cases)
    EXPECT_EQ(actionForMessage(c.message), c.action) << c.message;
}

TEST(TrayMessages, QtActivationsBecomeClassicMessages) {
  EXPECT_EQ(messageForActivation(QSystemTrayIcon::Trigger), WM_LBUTTONUP);
  EXPECT_EQ(messageForActivation(QSystemTrayIcon::Context), WM_RBUTTONUP);
  EXPECT_EQ(actionForMessage(messageForActivation(QSystemTrayIcon::DoubleClick)),
            TrayAction::Nothing);
  EXPECT_EQ(messageForActivation(QSystemTrayIcon::Unknown), 0);
}

TEST(ClickOnRelease, AClickActsWhenItsButtonIsReleased) {
  // Steps: 'p' press, 'r' release, a number: the click Qt reports.
  // Expected: the messages sent, in order.
  const struct {
    const char *name;
    std::vector<std::variant<char, int>> steps;
    std::vector<int> sent;
  } cases[] = {
      {"press reports, release sends", {'p', WM_RBUTTONUP, 'r'}, {WM_RBUTTONUP}},
      {"nothing before the release", {'p', WM_LBUTTONUP}, {}},
      {"release handled before the queued click", {'p', 'r', WM_LBUTTONUP}, {WM_LBUTTONUP}},
      {"whole click from a notifier host", {WM_LBUTTONUP}, {WM_LBUTTONUP}},
      {"double click",
       {'p', WM_LBUTTONUP, 'r', WM_LBUTTONDBLCLK, 'r'},
       {WM_LBUTTONUP, WM_LBUTTONDBLCLK}},
      {"two clicks",
       {'p', WM_LBUTTONUP, 'r', 'p', WM_RBUTTONUP, 'r'},
       {WM_LBUTTONUP, WM_RBUTTONUP}},
      {"stray release", {'r', 'r'}, {}},
  };
  for (const auto &c : cases) {
    ClickOnRelease clicks;
    std::vector<int> sent;
    auto keep = [&](int m) {
      if (m) sent.push_back(m);
    };
    for (const auto &step : c.steps) {
      if (const int *message = std::get_if<int>(&step))
        keep(clicks.activated(*message));
      else if (std::get<char>(step) == 'p')
        clicks.press();
      else
        keep(clicks.release());
    }
    EXPECT_EQ(sent, c.sent) << c.name;
  }
}

TEST(NotifyIcon, AddAndDeleteWithTheOrganisersRecord) {
  FakeTrayIcon tray;
  NotifyIconData data; // uID 1, callback WM_MOUSEMOVE, tip "Tessivo Dorrin"
  EXPECT_EQ(data.uCallbackMessage, 512);
  EXPECT_EQ(data.uFlags, 7);

  EXPECT_TRUE(notifyIcon(tray, NIM_ADD, data));
  EXPECT_TRUE(tray.shown);
  EXPECT_EQ(tray.uid, 1);
  EXPECT_EQ(tray.tip, QStringLiteral("Tessivo Dorrin"));
  EXPECT_FALSE(notifyIcon(tray, NIM_MODIFY, data));
  EXPECT_EQ(tray.adds, 1);
  EXPECT_TRUE(notifyIcon(tray, NIM_DELETE, data));
  EXPECT_FALSE(tray.shown);

  tray.available = false; // a failed registration is reported
  EXPECT_FALSE(notifyIcon(tray, NIM_ADD, data));
}

TEST(SystemTrayIcon, WithoutTrayHostAddFailsQuietlyAndRemoveWorks) {
  SystemTrayIcon tray;
  EXPECT_FALSE(tray.isAvailable()); // offscreen: no notification area
  NotifyIconData data;
  data.hIcon = dorrinIcon();
  EXPECT_FALSE(data.hIcon.isNull());
  EXPECT_FALSE(notifyIcon(tray, NIM_ADD, data));
  tray.remove();
  EXPECT_FALSE(tray.isShown());
  tray.remove(); // twice is harmless
}

// The compiled-in picture must be there and draw at every size a desktop asks
// for: a missing resource or a broken file gives a null or empty icon.
TEST(DorrinIcon, DrawsTheCalendarPageAtEverySize) {
  const QIcon icon = dorrinIcon();
  ASSERT_FALSE(icon.isNull());
  for (int side : {16, 22, 48, 256}) {
    const QImage image = icon.pixmap(side, side).toImage();
    ASSERT_EQ(image.size(), QSize(side, side)) << side;
    // The orange header band sits in the upper third, centred.
    const QColor header = image.pixelColor(side / 2, side * 24 / 100);
    EXPECT_GT(header.red(), 200) << side;
    EXPECT_LT(header.blue(), 80) << side;
    // The corners stay transparent (rounded page).
    EXPECT_EQ(image.pixelColor(0, side - 1).alpha(), 0) << side;
  }
}
