// The real root-window grab under a private Xvfb (see run_under_xvfb.sh):
// keys sent by xdotool from another process arrive once each, in order.
#include "platform/hotkeys/hot_key_source.h"
#include "platform/hotkeys/local_hot_key_source.h"
#include "platform/hotkeys/x11_hot_key_source.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace dorrin::hotkeys;

namespace dorrin::hotkeys {
void PrintTo(HotKey key, std::ostream *os) {
  *os << (key == HotKey::F11 ? "F11" : "F10");
}
} // namespace dorrin::hotkeys

namespace {

class X11HotKeys : public ::testing::Test {
protected:
  void SetUp() override {
    const QByteArray missing = qgetenv("DORRIN_XVFB_MISSING");
    if (!missing.isEmpty()) GTEST_SKIP() << "no private X server: " << missing.constData();
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
      GTEST_SKIP() << "not on the xcb platform; run through tests/run_under_xvfb.sh";
  }

  void watch(HotKeySource &source) {
    QObject::connect(&source, &HotKeySource::pressed, [this](HotKey k) { presses.push_back(k); });
  }
  // xdotool in another process, as a user's key presses.
  static void xdotool(const QStringList &args) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    ASSERT_TRUE(p.waitForFinished(10000)) << args.join(' ').toStdString();
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  }
  bool waitForPresses(std::size_t n) {
    for (int i = 0; i < 500 && presses.size() < n; ++i)
      QTest::qWait(10);
    return presses.size() >= n;
  }

  std::vector<HotKey> presses;
};

} // namespace

TEST_F(X11HotKeys, KeysFromAnotherProcessArriveOnceInOrder) {
  X11HotKeySource source;
  ASSERT_TRUE(source.isGlobal()) << source.failureReason().toStdString();
  watch(source);

  xdotool({"key", "F11", "F10"});
  ASSERT_TRUE(waitForPresses(2));
  // Locks on: NumLock and CapsLock do not disable the keys.
  xdotool({"key", "Num_Lock", "Caps_Lock", "F10", "F11", "Caps_Lock", "Num_Lock"});
  ASSERT_TRUE(waitForPresses(4));
  // F10 last as a marker: anything stray would arrive before it.
  xdotool({"key", "F10"});
  ASSERT_TRUE(waitForPresses(5));
  EXPECT_EQ(presses,
            (std::vector<HotKey>{HotKey::F11, HotKey::F10, HotKey::F10, HotKey::F11, HotKey::F10}));
}

TEST_F(X11HotKeys, HeldKeyActsOnce) {
  X11HotKeySource source;
  ASSERT_TRUE(source.isGlobal()) << source.failureReason().toStdString();
  watch(source);

  xdotool({"keydown", "F11", "sleep", "0.3", "keyup", "F11", "key", "F10"});
  ASSERT_TRUE(waitForPresses(2));
  EXPECT_EQ(presses, (std::vector<HotKey>{HotKey::F11, HotKey::F10}));
  // The server did repeat the held key (delay 100 ms in the wrapper).
  EXPECT_GT(source.repeatsIgnored(), 0);
}

TEST_F(X11HotKeys, KeyHeldByAnotherClientIsDetected) {
  Display *other = XOpenDisplay(nullptr);
  ASSERT_NE(other, nullptr);
  XGrabKey(other, XKeysymToKeycode(other, XK_F11), 0, DefaultRootWindow(other), True, GrabModeAsync,
           GrabModeAsync);
  XSync(other, False);

  {
    X11HotKeySource source;
    EXPECT_FALSE(source.isGlobal());
    EXPECT_TRUE(source.failureReason().contains(QLatin1String("BadAccess")))
        << source.failureReason().toStdString();
    auto fallback = createHotKeySource();
    EXPECT_FALSE(fallback->isGlobal());
    EXPECT_NE(dynamic_cast<LocalHotKeySource *>(fallback.get()), nullptr);
  }

  // Once the other client is gone the keys can be grabbed and used.
  XCloseDisplay(other);
  X11HotKeySource source;
  ASSERT_TRUE(source.isGlobal()) << source.failureReason().toStdString();
  watch(source);
  xdotool({"key", "F11"});
  ASSERT_TRUE(waitForPresses(1));
  EXPECT_EQ(presses, std::vector<HotKey>{HotKey::F11});
}
