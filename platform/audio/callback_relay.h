#pragma once
// Carries a stream's events from the audio device's thread to the thread that
// opened the stream, through that thread's message queue (platform/win), so
// StreamCallbacks never run on the device thread. Events still queued when the
// relay is destroyed are dropped.
#include "platform/audio/output.h"
#include "platform/win/messages.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

namespace dorrin::audio {

class CallbackRelay {
public:
  // Must be constructed on the thread that is to run the callbacks.
  explicit CallbackRelay(StreamCallbacks callbacks);
  ~CallbackRelay();
  CallbackRelay(const CallbackRelay &) = delete;
  CallbackRelay &operator=(const CallbackRelay &) = delete;

  // Starts a new epoch (owner thread): a drained event posted for an earlier
  // epoch is dropped on arrival, so a reset stream never reports a stale end.
  std::uint64_t newEpoch() { return ++epoch_; }
  std::uint64_t epoch() const { return epoch_; }

  // Safe from any thread.
  void postDrained(std::uint64_t epoch);
  void postFailed(const std::string &reason);

private:
  void deliver(std::uint32_t msg, win::WPARAM epoch);

  StreamCallbacks callbacks_;
  win::HWND window_ = 0;
  std::atomic<std::uint64_t> epoch_{0};
  std::mutex reasonLock_;
  std::string reason_;
};

} // namespace dorrin::audio
