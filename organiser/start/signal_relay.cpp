#include "organiser/start/signal_relay.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace dorrin::organiser {
namespace {

int pipeFds[2] = {-1, -1};

void handler(int sig) {
  const char c = static_cast<char>(sig);
  [[maybe_unused]] auto n = ::write(pipeFds[1], &c, 1);
}

} // namespace

SignalRelay::SignalRelay(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
  if (pipeFds[0] < 0 && ::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char buf[16];
    while (::read(pipeFds[0], buf, sizeof buf) > 0) {
    }
    if (onSignal_) onSignal_();
  });
  struct sigaction sa {};
  sa.sa_handler = handler;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGHUP, &sa, nullptr);
}

SignalRelay::~SignalRelay() {
  signal(SIGTERM, SIG_DFL);
  signal(SIGINT, SIG_DFL);
  signal(SIGHUP, SIG_DFL);
}

} // namespace dorrin::organiser
