#include "platform/win/messages.h"

#include <QCoreApplication>
#include <atomic>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace dorrin::win {
namespace {

TEST(Messages, PostedMessagesRunOnTheOwnerThreadAndNotAfterUnregister) {
  int delivered = 0;
  std::thread::id ranOn;
  const HWND h = registerWindow([&](std::uint32_t msg, WPARAM w, LPARAM l) {
    ++delivered;
    ranOn = std::this_thread::get_id();
    EXPECT_EQ(msg, 7u);
    EXPECT_EQ(w, 8u);
    EXPECT_EQ(l, 9);
  });
  std::thread([h] { EXPECT_TRUE(postMessage(h, 7, 8, 9)); }).join();
  EXPECT_EQ(delivered, 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(delivered, 1);
  EXPECT_EQ(ranOn, std::this_thread::get_id());

  EXPECT_TRUE(postMessage(h, 7, 8, 9));
  unregisterWindow(h);
  QCoreApplication::processEvents();
  EXPECT_EQ(delivered, 1);
  EXPECT_FALSE(postMessage(h, 7, 8, 9));
  EXPECT_FALSE(isWindow(h));
}

// A worker that keeps posting while the process ends through exit() (as it
// does when the display connection is lost) must not touch anything the exit
// handlers have destroyed. Under AddressSanitizer a use after free aborts the
// child.
TEST(Messages, PostingFromAWorkerDuringExitIsHarmless) {
  for (int round = 0; round < 5; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const HWND h = registerWindow([](std::uint32_t, WPARAM, LPARAM) {});
      std::atomic<bool> started{false};
      std::thread([h, &started] {
        for (;;) {
          postMessage(h, 1, 0, 0);
          started = true;
        }
      }).detach();
      while (!started)
        std::this_thread::yield();
      std::exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "round " << round << " status " << status;
  }
}

} // namespace
} // namespace dorrin::win
