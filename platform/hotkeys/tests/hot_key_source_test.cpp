// Press-once rule and the in-window fallback, without an X server.
#include "platform/hotkeys/hot_key_source.h"
#include "platform/hotkeys/local_hot_key_source.h"
#include "platform/hotkeys/x11_hot_key_source.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <vector>

using namespace dorrin::hotkeys;

namespace dorrin::hotkeys {
void PrintTo(HotKey key, std::ostream *os) {
  *os << (key == HotKey::F11 ? "F11" : "F10");
}
} // namespace dorrin::hotkeys

namespace {

struct KeyEvent {
  bool down;
  HotKey key;
  std::uint32_t time;
};

struct PressCase {
  const char *name;
  std::vector<KeyEvent> events;
  int presses;
};

} // namespace

TEST(PressOnce, HeldKeysActOnceAndEachNewPressActs) {
  const auto F11 = HotKey::F11, F10 = HotKey::F10;
  const std::vector<PressCase> cases = {
      {"tap", {{true, F11, 10}, {false, F11, 20}}, 1},
      {"two taps", {{true, F11, 10}, {false, F11, 20}, {true, F11, 30}, {false, F11, 40}}, 2},
      {"detectable repeat",
       {{true, F11, 10}, {true, F11, 500}, {true, F11, 530}, {false, F11, 540}},
       1},
      {"classic repeat pairs",
       {{true, F11, 10},
        {false, F11, 500},
        {true, F11, 500},
        {false, F11, 530},
        {true, F11, 530},
        {false, F11, 600}},
       1},
      {"F10 while F11 held", {{true, F11, 10}, {true, F10, 20}, {true, F11, 30}}, 2},
      {"release without press", {{false, F10, 5}, {true, F10, 6}}, 1},
  };
  for (const PressCase &c : cases) {
    PressOnce once;
    int presses = 0;
    for (const KeyEvent &e : c.events) {
      if (e.down)
        presses += once.keyDown(e.key, e.time) ? 1 : 0;
      else
        once.keyUp(e.key, e.time);
    }
    EXPECT_EQ(presses, c.presses) << c.name;
  }
}

TEST(X11HotKeySource, WithoutXServerReportsNotGlobal) {
  // Offscreen has a QX11Application interface whose connection is null.
  X11HotKeySource source;
  EXPECT_FALSE(source.isGlobal());
  EXPECT_FALSE(source.failureReason().isEmpty());
}

TEST(CreateHotKeySource, FallsBackToOwnWindows) {
  auto source = createHotKeySource();
  ASSERT_TRUE(source);
  EXPECT_FALSE(source->isGlobal());
  EXPECT_NE(dynamic_cast<LocalHotKeySource *>(source.get()), nullptr);
}

TEST(LocalHotKeySource, SeesF11AndF10InOwnWindowsOnce) {
  LocalHotKeySource source;
  std::vector<HotKey> presses;
  QObject::connect(&source, &HotKeySource::pressed, [&](HotKey k) { presses.push_back(k); });
  QLineEdit edit;
  edit.show();

  auto send = [&](int key, Qt::KeyboardModifiers mods, bool repeat, const QString &text = {}) {
    QKeyEvent e(QEvent::KeyPress, key, mods, text, repeat);
    QApplication::sendEvent(&edit, &e);
  };
  send(Qt::Key_F11, Qt::NoModifier, false);
  send(Qt::Key_F11, Qt::NoModifier, true); // auto-repeat of the held key
  send(Qt::Key_F10, Qt::NoModifier, false);
  send(Qt::Key_F11, Qt::ShiftModifier, false);
  send(Qt::Key_A, Qt::NoModifier, false, QStringLiteral("a"));

  EXPECT_EQ(presses, (std::vector<HotKey>{HotKey::F11, HotKey::F10}));
  EXPECT_EQ(edit.text(), QStringLiteral("a")); // other keys still reach the window
}

TEST(Wayland, SessionIsDetectedAndTheKeysStayInOwnWindows) {
  const struct {
    const char *sessionType, *waylandDisplay;
    bool wayland;
  } cases[] = {
      {"x11", "", false},         {"", "", false},    {"wayland", "", true}, {"Wayland", "", true},
      {"x11", "wayland-0", true}, {"tty", "", false},
  };
  const QByteArray oldType = qgetenv("XDG_SESSION_TYPE"), oldDisplay = qgetenv("WAYLAND_DISPLAY");
  for (const auto &c : cases) {
    qputenv("XDG_SESSION_TYPE", c.sessionType);
    qputenv("WAYLAND_DISPLAY", c.waylandDisplay);
    EXPECT_EQ(isWaylandSession(), c.wayland) << c.sessionType << "/" << c.waylandDisplay;
    if (c.wayland) {
      auto source = createHotKeySource();
      EXPECT_FALSE(source->isGlobal());
      EXPECT_NE(dynamic_cast<LocalHotKeySource *>(source.get()), nullptr);
    }
  }
  qputenv("XDG_SESSION_TYPE", oldType);
  qputenv("WAYLAND_DISPLAY", oldDisplay);
  EXPECT_TRUE(waylandNotice().contains(QStringLiteral("dorrin --toggle")));
}
