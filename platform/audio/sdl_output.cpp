// The system output on SDL2. Each stream owns one SDL audio device opened in
// the stream's own format (SDL converts to the hardware's). SDL pulls samples
// from the stream's queue on its audio thread; the queue and counters are
// guarded by the stream's mutex, and the end of the data is handed to the
// owner's thread through a CallbackRelay.
#include "platform/audio/callback_relay.h"
#include "platform/audio/output.h"

#include <QLoggingCategory>
#include <SDL.h>
#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <vector>

Q_LOGGING_CATEGORY(lcAudio, "dorrin.audio", QtInfoMsg)

namespace dorrin::audio {
namespace {

SDL_AudioFormat sdlFormat(SampleFormat f) {
  switch (f) {
  case SampleFormat::U8:
    return AUDIO_U8;
  case SampleFormat::S16:
    return AUDIO_S16SYS;
  case SampleFormat::S32:
    return AUDIO_S32SYS;
  case SampleFormat::F32:
    return AUDIO_F32SYS;
  }
  return AUDIO_S16SYS;
}

// Initialises SDL's audio part once; a failed attempt is retried on the next
// open (a sound server may have started since).
bool ensureSdlAudio(std::string *error) {
  static std::mutex m;
  static bool ready = false;
  std::lock_guard g(m);
  if (ready) return true;
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1"); // leave SIGINT/SIGTERM to the program
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Dorrin");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    if (error) *error = SDL_GetError();
    return false;
  }
  ready = true;
  qCDebug(lcAudio) << "SDL audio driver" << SDL_GetCurrentAudioDriver();
  return true;
}

// At most 25 ms per device period (a power of two, as SDL prefers): short
// enough for a prompt start and a close position, long enough not to underrun
// on a busy machine.
Uint16 periodFrames(int rate) {
  int n = 256;
  while (n * 2 <= rate / 40 && n < 4096)
    n *= 2;
  return Uint16(n);
}

class SdlStream final : public Stream {
public:
  SdlStream(const Format &format, StreamCallbacks callbacks)
      : format_(format), frameBytes_(format.frameBytes()), relay_(std::move(callbacks)) {}

  ~SdlStream() override {
    if (device_) SDL_CloseAudioDevice(device_); // waits for a running pull to end
  }

  bool start(std::string *error) {
    SDL_AudioSpec want{};
    want.freq = format_.rate;
    want.format = sdlFormat(format_.sample);
    want.channels = Uint8(format_.channels);
    want.samples = periodFrames(format_.rate);
    want.callback = &SdlStream::pull;
    want.userdata = this;
    SDL_AudioSpec have{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!device_) {
      if (error) *error = SDL_GetError();
      return false;
    }
    silence_ = have.silence;
    qCDebug(lcAudio) << "device" << device_ << have.freq << "Hz" << int(have.channels) << "channels"
                     << have.samples << "frames a period";
    return true;
  }

  const Format &format() const override { return format_; }

  void write(const void *frames, std::size_t frameCount) override {
    const auto *p = static_cast<const std::uint8_t *>(frames);
    std::lock_guard g(lock_);
    if (head_ > 0 && head_ >= queue_.size() / 2) {
      queue_.erase(queue_.begin(), queue_.begin() + std::ptrdiff_t(head_));
      head_ = 0;
    }
    queue_.insert(queue_.end(), p, p + frameCount * frameBytes_);
  }

  void finish() override {
    std::lock_guard g(lock_);
    finished_ = true;
  }

  void reset() override {
    std::lock_guard g(lock_);
    queue_.clear();
    head_ = 0;
    finished_ = false;
    drained_ = false;
    consumedBytes_ = 0;
    firstPull_.reset();
    relay_.newEpoch();
  }

  void setPaused(bool paused) override {
    {
      std::lock_guard g(lock_);
      paused_ = paused;
    }
    // Outside our lock: SDL takes the device lock, which a running pull holds
    // while it waits for ours.
    SDL_PauseAudioDevice(device_, paused ? 1 : 0);
  }

  bool paused() const override {
    std::lock_guard g(lock_);
    return paused_;
  }

  void setVolume(float gain) override {
    std::lock_guard g(lock_);
    volume_ = std::clamp(gain, 0.0f, 1.0f);
  }

  void setMuted(bool muted) override {
    std::lock_guard g(lock_);
    muted_ = muted;
  }

  std::uint64_t framesConsumed() const override {
    std::lock_guard g(lock_);
    return consumedBytes_ / frameBytes_;
  }

  bool waitDrained(std::chrono::milliseconds timeout) override {
    std::unique_lock g(lock_);
    if (paused_ || !finished_) return drained_;
    drainedCv_.wait_for(g, timeout, [this] { return drained_ || paused_ || !finished_; });
    return drained_;
  }

  std::optional<std::chrono::steady_clock::time_point> firstPull() const override {
    std::lock_guard g(lock_);
    return firstPull_;
  }

private:
  static void SDLCALL pull(void *self, Uint8 *out, int len) {
    static_cast<SdlStream *>(self)->fill(out, std::size_t(len));
  }

  // On SDL's audio thread.
  void fill(Uint8 *out, std::size_t len) {
    bool nowDrained = false;
    std::uint64_t epoch = 0;
    float gain = 1;
    std::size_t n = 0;
    {
      std::lock_guard g(lock_);
      const std::size_t avail = queue_.size() - head_;
      // The end is reported one period after the last data went out, when it
      // has been heard rather than merely handed over.
      if (finished_ && avail == 0 && !drained_) {
        drained_ = nowDrained = true;
        epoch = relay_.epoch();
      }
      n = std::min(avail, len - len % frameBytes_);
      if (n) {
        std::memcpy(out, queue_.data() + head_, n);
        head_ += n;
        consumedBytes_ += n;
        if (!firstPull_) firstPull_ = std::chrono::steady_clock::now();
      }
      gain = muted_ ? 0.0f : volume_;
    }
    if (gain != 1.0f) applyGain(format_, out, n / frameBytes_, gain);
    std::memset(out + n, silence_, len - n);
    if (nowDrained) {
      drainedCv_.notify_all();
      relay_.postDrained(epoch);
    }
  }

  const Format format_;
  const std::size_t frameBytes_;
  CallbackRelay relay_;
  SDL_AudioDeviceID device_ = 0;
  Uint8 silence_ = 0;

  mutable std::mutex lock_;
  std::condition_variable drainedCv_;
  std::vector<std::uint8_t> queue_;
  std::size_t head_ = 0;
  bool finished_ = false;
  bool drained_ = false;
  bool paused_ = true;
  bool muted_ = false;
  float volume_ = 1;
  std::uint64_t consumedBytes_ = 0;
  std::optional<std::chrono::steady_clock::time_point> firstPull_;
};

class SdlOutput final : public Output {
public:
  std::unique_ptr<Stream> open(const Format &format, StreamCallbacks callbacks,
                               std::string *error) override {
    if (!format.valid()) {
      if (error) *error = "unsupported stream format";
      return nullptr;
    }
    std::string why;
    if (!ensureSdlAudio(&why)) {
      qCWarning(lcAudio) << "no audio output:" << why.c_str();
      if (error) *error = why;
      return nullptr;
    }
    auto stream = std::make_unique<SdlStream>(format, std::move(callbacks));
    if (!stream->start(&why)) {
      qCWarning(lcAudio) << "cannot open audio device:" << why.c_str();
      if (error) *error = why;
      return nullptr;
    }
    return stream;
  }
};

} // namespace

Output &systemOutput() {
  static SdlOutput *output = new SdlOutput; // never destroyed: streams may outlive statics
  return *output;
}

} // namespace dorrin::audio
