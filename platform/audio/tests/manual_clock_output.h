#pragma once
// Test output whose "device" takes samples only when the test advances its
// clock, so playback tests run instantly and deterministically. Events reach
// the owner exactly as from the real output: through a CallbackRelay, i.e.
// after the test lets the event loop run.
#include "platform/audio/callback_relay.h"
#include "platform/audio/output.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

namespace dorrin::audio::test {

class ManualClockOutput;

class ManualStream final : public Stream {
public:
  ManualStream(ManualClockOutput &owner, const Format &format, StreamCallbacks callbacks)
      : owner_(owner), format_(format), relay_(std::move(callbacks)) {}
  ~ManualStream() override;

  const Format &format() const override { return format_; }
  void write(const void *frames, std::size_t frameCount) override {
    const auto *p = static_cast<const std::uint8_t *>(frames);
    queue_.insert(queue_.end(), p, p + frameCount * format_.frameBytes());
  }
  void finish() override { finished_ = true; }
  void reset() override {
    queue_.clear();
    head_ = 0;
    finished_ = drained_ = false;
    consumed_ = 0;
    firstPull_.reset();
    relay_.newEpoch();
  }
  void setPaused(bool paused) override { paused_ = paused; }
  bool paused() const override { return paused_; }
  void setVolume(float gain) override { volume_ = gain; }
  void setMuted(bool muted) override { muted_ = muted; }
  std::uint64_t framesConsumed() const override { return consumed_; }
  bool waitDrained(std::chrono::milliseconds) override {
    if (!paused_ && finished_) consume(queuedFrames());
    return drained_;
  }
  std::optional<std::chrono::steady_clock::time_point> firstPull() const override {
    return firstPull_;
  }

  // The device takes up to n frames (nothing while paused).
  void consume(std::size_t n) {
    if (paused_) return;
    const std::size_t fb = format_.frameBytes();
    const std::size_t take = std::min(n, queuedFrames());
    if (take) {
      const std::size_t at = played.size();
      played.insert(played.end(), queue_.begin() + std::ptrdiff_t(head_),
                    queue_.begin() + std::ptrdiff_t(head_ + take * fb));
      const float gain = muted_ ? 0.0f : volume_;
      if (gain != 1.0f) applyGain(format_, played.data() + at, take, gain);
      head_ += take * fb;
      consumed_ += take;
      if (!firstPull_) firstPull_ = std::chrono::steady_clock::now();
    }
    if (finished_ && queuedFrames() == 0 && !drained_) {
      drained_ = true;
      relay_.postDrained(relay_.epoch());
    }
  }
  // The device runs for ms of its clock; fractions of a frame carry over.
  void advance(std::chrono::milliseconds ms) {
    const std::uint64_t t = std::uint64_t(ms.count()) * std::uint64_t(format_.rate) + carry_;
    carry_ = t % 1000;
    consume(std::size_t(t / 1000));
  }
  std::size_t queuedFrames() const { return (queue_.size() - head_) / format_.frameBytes(); }
  void fail(const std::string &reason) { relay_.postFailed(reason); }

  std::vector<std::uint8_t> played; // every byte the device took, after gain

private:
  ManualClockOutput &owner_;
  Format format_;
  CallbackRelay relay_;
  std::vector<std::uint8_t> queue_;
  std::size_t head_ = 0;
  bool finished_ = false, drained_ = false, paused_ = true, muted_ = false;
  float volume_ = 1;
  std::uint64_t consumed_ = 0;
  std::uint64_t carry_ = 0;
  std::optional<std::chrono::steady_clock::time_point> firstPull_;
};

class ManualClockOutput final : public Output {
public:
  std::unique_ptr<Stream> open(const Format &format, StreamCallbacks callbacks,
                               std::string *error) override {
    if (refuseOpen || !format.valid()) {
      if (error) *error = "no device (test)";
      return nullptr;
    }
    auto s = std::make_unique<ManualStream>(*this, format, std::move(callbacks));
    streams_.push_back(s.get());
    ++opened;
    return s;
  }

  // Runs every stream's device for the given time of its own clock.
  void advance(std::chrono::milliseconds ms) {
    for (auto *s : std::vector<ManualStream *>(streams_))
      s->advance(ms);
  }
  void advanceFrames(std::size_t frames) {
    for (auto *s : std::vector<ManualStream *>(streams_))
      s->consume(frames);
  }
  void failAll(const std::string &reason) {
    for (auto *s : streams_)
      s->fail(reason);
  }
  ManualStream *last() const { return streams_.empty() ? nullptr : streams_.back(); }
  std::size_t live() const { return streams_.size(); }

  bool refuseOpen = false; // simulate a machine without a usable device
  int opened = 0;

private:
  friend class ManualStream;
  std::vector<ManualStream *> streams_;
};

inline ManualStream::~ManualStream() {
  auto &v = owner_.streams_;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

} // namespace dorrin::audio::test
