#pragma once
// Audio output: a device takes interleaved PCM from a stream at the stream's
// rate. A stream is fed by its owner, played, paused and muted; it counts the
// frames the device has taken (the play position) and reports, on the thread
// that opened it, when everything written has been played.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace dorrin::audio {

enum class SampleFormat { U8, S16, S32, F32 };

// Bytes of one sample of one channel.
std::size_t sampleBytes(SampleFormat format);

struct Format {
  int rate = 22050; // frames per second
  int channels = 1;
  SampleFormat sample = SampleFormat::S16;

  std::size_t frameBytes() const { return sampleBytes(sample) * std::size_t(channels); }
  bool valid() const { return rate > 0 && rate <= 768000 && channels > 0 && channels <= 8; }
};

// Called on the thread that opened the stream (through its message queue),
// never on the device's own thread.
struct StreamCallbacks {
  std::function<void()> drained;                   // all written frames were played after finish()
  std::function<void(const std::string &)> failed; // the device stopped working
};

class Stream {
public:
  virtual ~Stream() = default;
  virtual const Format &format() const = 0;
  // Appends frameCount interleaved frames in the stream's format (copied).
  virtual void write(const void *frames, std::size_t frameCount) = 0;
  // Marks the end of the data: once the device has taken everything written,
  // `drained` fires once.
  virtual void finish() = 0;
  // Drops all queued data and the end mark; framesConsumed() restarts at 0.
  virtual void reset() = 0;
  // A new stream starts paused.
  virtual void setPaused(bool paused) = 0;
  virtual bool paused() const = 0;
  // Gain 0..1 applied to the samples on their way to the device.
  virtual void setVolume(float gain) = 0;
  virtual void setMuted(bool muted) = 0;
  // Frames the device has taken since the last reset().
  virtual std::uint64_t framesConsumed() const = 0;
  // Blocks until everything written after finish() has been played; false on
  // timeout or when the stream is paused or not finished.
  virtual bool waitDrained(std::chrono::milliseconds timeout) = 0;
  // When the device first took data after the last reset() (for latency figures).
  virtual std::optional<std::chrono::steady_clock::time_point> firstPull() const = 0;
};

class Output {
public:
  virtual ~Output() = default;
  // Opens a paused stream; null with a reason in *error when no device can play it.
  virtual std::unique_ptr<Stream> open(const Format &format, StreamCallbacks callbacks,
                                       std::string *error) = 0;
};

// The process's real output (SDL2: PulseAudio/PipeWire/ALSA, or the driver named
// by SDL_AUDIODRIVER). Lives for the process.
Output &systemOutput();

// Scales samples in place by gain (0 gives silence); used on the way to a device.
void applyGain(const Format &format, void *frames, std::size_t frameCount, float gain);

} // namespace dorrin::audio
