// The process's real interface: SDL output on the paced silent driver
// (SDL_AUDIODRIVER=dummy in the test environment).
#include "platform/mci/tests/mci_fixture.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

using namespace dorrin::mci;
namespace win = dorrin::win;
using dorrin::mci::test::Notifications;
using dorrin::mci::test::quoted;
using dorrin::mci::test::writeWave;

namespace {

std::string query(const std::string &command) {
  char buf[64];
  EXPECT_EQ(mciSendString(command.c_str(), buf, sizeof buf, 0), 0u) << command;
  return buf;
}

} // namespace

TEST(SystemApi, PlaysAClipAndNotifiesWhenItEnds) {
  dorrin::test::TempFolder dir;
  const QString path = dir.file("short clip.wav");
  ASSERT_TRUE(writeWave(path, 6615)); // 300 ms
  Notifications notes;
  ASSERT_EQ(mciSendString(("open " + quoted(path) + " alias sdl type waveaudio wait").c_str(),
                          nullptr, 0, 0),
            0u);
  const MCIDEVICEID id = mciGetDeviceID("sdl");
  ASSERT_NE(id, 0u);
  ASSERT_EQ(mciSendString("play sdl notify", nullptr, 0, notes.hwnd), 0u);

  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!notes.got.empty()) loop.quit();
  });
  poll.start(5);
  QTimer::singleShot(10000, &loop, &QEventLoop::quit); // generous: the clip takes 0.3 s
  loop.exec();

  ASSERT_EQ(notes.got.size(), 1u);
  EXPECT_EQ(notes.got[0], std::make_pair(MCI_NOTIFY_SUCCESSFUL, win::LPARAM(id)));
  EXPECT_EQ(query("status sdl mode"), "stopped");
  EXPECT_EQ(query("status sdl position"), "300");

  // A waiting play blocks until its range has been played.
  ASSERT_EQ(mciSendString("play sdl from 0 to 100 wait", nullptr, 0, 0), 0u);
  EXPECT_EQ(query("status sdl mode"), "stopped");
  EXPECT_EQ(query("status sdl position"), "100");

  char text[128];
  EXPECT_TRUE(mciGetErrorString(MCIERR_FILE_NOT_FOUND, text, sizeof text));
  EXPECT_EQ(mciSendString("open nosuch.wav alias n", nullptr, 0, 0), MCIERR_FILE_NOT_FOUND);
  EXPECT_EQ(mciSendString("close sdl wait", nullptr, 0, 0), 0u);
  EXPECT_EQ(mciGetDeviceID("sdl"), 0u);
}
