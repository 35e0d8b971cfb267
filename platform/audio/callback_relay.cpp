#include "platform/audio/callback_relay.h"

namespace dorrin::audio {
namespace {
constexpr std::uint32_t kDrained = 0x8001; // private message numbers of the relay window
constexpr std::uint32_t kFailed = 0x8002;
} // namespace

CallbackRelay::CallbackRelay(StreamCallbacks callbacks) : callbacks_(std::move(callbacks)) {
  window_ = win::registerWindow(
      [this](std::uint32_t msg, win::WPARAM w, win::LPARAM) { deliver(msg, w); });
}

CallbackRelay::~CallbackRelay() {
  win::unregisterWindow(window_);
}

void CallbackRelay::postDrained(std::uint64_t epoch) {
  win::postMessage(window_, kDrained, win::WPARAM(epoch), 0);
}

void CallbackRelay::postFailed(const std::string &reason) {
  {
    std::lock_guard g(reasonLock_);
    reason_ = reason;
  }
  win::postMessage(window_, kFailed, 0, 0);
}

void CallbackRelay::deliver(std::uint32_t msg, win::WPARAM epoch) {
  if (msg == kDrained) {
    if (epoch != win::WPARAM(epoch_)) return;
    // A copy: the callback may destroy the stream, and this relay with it.
    if (auto cb = callbacks_.drained) cb();
  } else if (msg == kFailed) {
    std::string reason;
    {
      std::lock_guard g(reasonLock_);
      reason = reason_;
    }
    if (auto cb = callbacks_.failed) cb(reason);
  }
}

} // namespace dorrin::audio
