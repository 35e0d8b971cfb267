#pragma once
// The waveaudio device: one wave file held in memory, played through an audio
// output stream. Positions count frames; the time format (milliseconds by
// default, samples or bytes) applies to every number going in or out.
#include "platform/audio/output.h"
#include "platform/mci/command.h"
#include "platform/mci/wave_clip.h"

#include <functional>
#include <memory>
#include <optional>

namespace dorrin::mci {

class WaveDevice {
public:
  enum class Mode { Stopped, Playing, Paused };
  enum class TimeFormat { Milliseconds, Samples, Bytes };

  // ended(true) when a play reached its end, ended(false) when the output
  // failed during a play; runs on the thread that started the play.
  WaveDevice(audio::Output &output, std::optional<WaveClip> clip,
             std::function<void(bool ok)> ended);
  ~WaveDevice();

  // from/to in the current time format; a missing from is the current
  // position, a missing to the end. wait blocks until the end.
  MCIERROR play(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to, bool wait);
  MCIERROR pause();
  MCIERROR resume();
  MCIERROR stop();
  MCIERROR seek(SeekTarget target, std::uint32_t to);
  MCIERROR remove(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to);
  MCIERROR save(const std::string &path);

  MCIERROR status(const Arguments &a, std::string &reply) const;
  MCIERROR set(const Arguments &a);
  MCIERROR capability(const std::string &item, std::string &reply) const;
  MCIERROR info(const std::string &item, std::string &reply) const;

  // The device's own state: a play whose frames the output has all taken is
  // over, even before the output's end message has been delivered (a host
  // may poll without running an event loop).
  Mode mode() const { return playedOut() ? Mode::Stopped : mode_; }
  // Ends a play that is over by the output's count; true when it did. The
  // output's end message that follows then finds nothing to end.
  bool takeEnd();
  bool hasClip() const { return clip_.has_value(); }
  const audio::Stream *stream() const { return stream_.get(); }

private:
  bool playedOut() const;
  std::uint64_t positionFrames() const;
  std::uint64_t lengthFrames() const { return clip_ ? clip_->frames() : 0; }
  std::uint64_t toUnits(std::uint64_t frames) const;
  std::uint64_t toFrames(std::uint64_t units) const;
  // Converts a value given in the time format to frames; 282 past the end.
  MCIERROR framesAt(std::uint32_t units, std::uint64_t &frames) const;
  MCIERROR ensureStream();
  void halt(); // stops the output, keeping the position
  void onDrained();
  void onFailed(const std::string &reason);

  audio::Output &output_;
  std::optional<WaveClip> clip_;
  std::function<void(bool)> ended_;
  std::unique_ptr<audio::Stream> stream_;
  Mode mode_ = Mode::Stopped;
  TimeFormat timeFormat_ = TimeFormat::Milliseconds;
  bool muted_ = false;
  bool modified_ = false;
  std::uint64_t position_ = 0; // frames, while not playing
  std::uint64_t playFrom_ = 0, playTo_ = 0;
};

} // namespace dorrin::mci
