#include "platform/mci/wave_device.h"

#include <QLoggingCategory>
#include <algorithm>

Q_DECLARE_LOGGING_CATEGORY(lcMci)

namespace dorrin::mci {
namespace {
// A device with no file reports the format a new recording would have.
constexpr int kNewRate = 11025, kNewBits = 8, kNewChannels = 1;
} // namespace

WaveDevice::WaveDevice(audio::Output &output, std::optional<WaveClip> clip,
                       std::function<void(bool)> ended)
    : output_(output), clip_(std::move(clip)), ended_(std::move(ended)) {}

WaveDevice::~WaveDevice() {
  stream_.reset();
} // no callback after this point

bool WaveDevice::playedOut() const {
  return mode_ == Mode::Playing && stream_ && playFrom_ + stream_->framesConsumed() >= playTo_;
}

bool WaveDevice::takeEnd() {
  if (!playedOut()) return false;
  mode_ = Mode::Stopped;
  position_ = playTo_;
  stream_->setPaused(true); // as at a delivered end: the device idles
  return true;
}

std::uint64_t WaveDevice::positionFrames() const {
  if (mode_ == Mode::Stopped || !stream_) return position_;
  return std::min(playFrom_ + stream_->framesConsumed(), playTo_);
}

std::uint64_t WaveDevice::toUnits(std::uint64_t frames) const {
  switch (timeFormat_) {
  case TimeFormat::Samples:
    return frames;
  case TimeFormat::Bytes:
    return frames * std::uint64_t(clip_ ? clip_->blockAlign : 1);
  case TimeFormat::Milliseconds:
    break;
  }
  const std::uint64_t rate = std::uint64_t(clip_ ? clip_->format.rate : kNewRate);
  return (frames * 1000 + rate / 2) / rate;
}

std::uint64_t WaveDevice::toFrames(std::uint64_t units) const {
  switch (timeFormat_) {
  case TimeFormat::Samples:
    return units;
  case TimeFormat::Bytes:
    return units / std::uint64_t(clip_ ? clip_->blockAlign : 1);
  case TimeFormat::Milliseconds:
    break;
  }
  const std::uint64_t rate = std::uint64_t(clip_ ? clip_->format.rate : kNewRate);
  return (units * rate + 500) / 1000;
}

MCIERROR WaveDevice::framesAt(std::uint32_t units, std::uint64_t &frames) const {
  if (units > toUnits(lengthFrames())) return MCIERR_OUTOFRANGE;
  frames = std::min(toFrames(units), lengthFrames());
  return 0;
}

MCIERROR WaveDevice::ensureStream() {
  if (stream_) return 0;
  std::string why;
  stream_ =
      output_.open(clip_->format,
                   {[this] { onDrained(); }, [this](const std::string &r) { onFailed(r); }}, &why);
  if (!stream_) {
    qCWarning(lcMci) << "no wave output:" << why.c_str();
    return MCIERR_WAVE_OUTPUTSUNSUITABLE;
  }
  stream_->setMuted(muted_);
  return 0;
}

void WaveDevice::halt() {
  if (mode_ == Mode::Stopped) return;
  position_ = positionFrames();
  mode_ = Mode::Stopped;
  stream_->setPaused(true);
  stream_->reset();
}

MCIERROR WaveDevice::play(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to,
                          bool wait) {
  if (!clip_) return MCIERR_FILENAME_REQUIRED;
  std::uint64_t start = positionFrames(), end = lengthFrames();
  if (from)
    if (MCIERROR e = framesAt(*from, start)) return e;
  if (to)
    if (MCIERROR e = framesAt(*to, end)) return e;
  if (start > end) return MCIERR_OUTOFRANGE;
  if (MCIERROR e = ensureStream()) return e;

  stream_->setPaused(true);
  stream_->reset();
  playFrom_ = start;
  playTo_ = end;
  if (start == end) { // nothing to play: done at once
    mode_ = Mode::Stopped;
    position_ = end;
    return 0;
  }
  const auto ch = std::size_t(clip_->format.channels);
  stream_->write(clip_->samples.data() + start * ch, std::size_t(end - start));
  stream_->finish();
  stream_->setPaused(false);
  mode_ = Mode::Playing;
  if (wait) {
    const auto ms =
        std::chrono::milliseconds((end - start) * 1000 / std::uint64_t(clip_->format.rate));
    if (!stream_->waitDrained(ms * 2 + std::chrono::seconds(5))) {
      qCWarning(lcMci) << "wave output stalled during a waiting play";
      halt();
      return MCIERR_HARDWARE;
    }
    mode_ = Mode::Stopped;
    position_ = end;
    stream_->setPaused(true);
  }
  return 0;
}

MCIERROR WaveDevice::pause() {
  if (mode_ == Mode::Playing) {
    stream_->setPaused(true);
    mode_ = Mode::Paused;
  }
  return 0;
}

MCIERROR WaveDevice::resume() {
  if (mode_ == Mode::Paused) {
    stream_->setPaused(false);
    mode_ = Mode::Playing;
  }
  return 0;
}

MCIERROR WaveDevice::stop() {
  halt();
  return 0;
}

MCIERROR WaveDevice::seek(SeekTarget target, std::uint32_t to) {
  std::uint64_t frames = 0;
  if (target == SeekTarget::End)
    frames = lengthFrames();
  else if (target == SeekTarget::Position)
    if (MCIERROR e = framesAt(to, frames)) return e;
  halt();
  position_ = frames;
  return 0;
}

MCIERROR WaveDevice::remove(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to) {
  if (!clip_) return MCIERR_FILENAME_REQUIRED;
  std::uint64_t start = positionFrames(), end = lengthFrames();
  if (from)
    if (MCIERROR e = framesAt(*from, start)) return e;
  if (to)
    if (MCIERROR e = framesAt(*to, end)) return e;
  if (start > end) return MCIERR_OUTOFRANGE;
  halt();
  const auto ch = std::ptrdiff_t(clip_->format.channels);
  auto &s = clip_->samples;
  s.erase(s.begin() + std::ptrdiff_t(start) * ch, s.begin() + std::ptrdiff_t(end) * ch);
  position_ = start;
  modified_ = modified_ || end > start;
  return 0;
}

MCIERROR WaveDevice::save(const std::string &path) {
  if (!clip_) return MCIERR_FILENAME_REQUIRED;
  const std::string target = path.empty() ? clip_->path : path;
  if (target.empty()) return MCIERR_FILENAME_REQUIRED;
  if (path.empty() && !modified_) return 0; // the file already holds exactly this
  if (MCIERROR e = saveWaveClip(*clip_, target)) return e;
  clip_->path = target;
  clip_->bitsPerSample = 16; // what was written
  clip_->blockAlign = 2 * clip_->format.channels;
  clip_->formatTag = 1;
  modified_ = false;
  return 0;
}

MCIERROR WaveDevice::status(const Arguments &a, std::string &reply) const {
  const std::string &item = a.item;
  if (a.track && item != "position" && item != "length") return MCIERR_FLAGS_NOT_COMPATIBLE;
  if (a.track && *a.track != 1) return MCIERR_OUTOFRANGE; // one track: the whole file
  const auto number = [&reply](std::uint64_t v) { reply = std::to_string(v); };
  if (item == "mode") {
    const Mode m = mode();
    reply = m == Mode::Playing ? "playing" : m == Mode::Paused ? "paused" : "stopped";
  } else if (item == "position") {
    number(a.track ? 0 : toUnits(positionFrames()));
  } else if (item == "length") {
    number(toUnits(lengthFrames()));
  } else if (item == "start position") {
    number(0);
  } else if (item == "number of tracks" || item == "current track") {
    number(1);
  } else if (item == "time format") {
    reply = timeFormat_ == TimeFormat::Samples ? "samples"
            : timeFormat_ == TimeFormat::Bytes ? "bytes"
                                               : "milliseconds";
  } else if (item == "ready") {
    reply = "true";
  } else if (item == "media present") {
    reply = clip_ ? "true" : "false";
  } else if (item == "samplespersec") {
    number(std::uint64_t(clip_ ? clip_->format.rate : kNewRate));
  } else if (item == "bitspersample") {
    number(std::uint64_t(clip_ ? clip_->bitsPerSample : kNewBits));
  } else if (item == "channels") {
    number(std::uint64_t(clip_ ? clip_->format.channels : kNewChannels));
  } else if (item == "alignment") {
    number(std::uint64_t(clip_ ? clip_->blockAlign : kNewChannels * kNewBits / 8));
  } else if (item == "bytespersec") {
    number(clip_ ? std::uint64_t(clip_->format.rate) * std::uint64_t(clip_->blockAlign)
                 : std::uint64_t(kNewRate * kNewChannels * kNewBits / 8));
  } else if (item == "format tag") {
    const int tag = clip_ ? clip_->formatTag : 1;
    reply = tag == 1 ? "pcm" : std::to_string(tag);
  } else {
    return MCIERR_UNSUPPORTED_FUNCTION; // an item of other device types (tempo, window handle, ...)
  }
  return 0;
}

MCIERROR WaveDevice::set(const Arguments &a) {
  std::optional<TimeFormat> format;
  if (a.timeFormat) {
    if (*a.timeFormat == "milliseconds")
      format = TimeFormat::Milliseconds;
    else if (*a.timeFormat == "samples")
      format = TimeFormat::Samples;
    else if (*a.timeFormat == "bytes")
      format = TimeFormat::Bytes;
    else
      return MCIERR_BAD_TIME_FORMAT;
  }
  if (a.audioOn && a.audioChannel != "all") return MCIERR_UNSUPPORTED_FUNCTION;
  if (a.doorOpen || a.videoOn || a.seekExactly || a.tempo || a.speed)
    return MCIERR_UNSUPPORTED_FUNCTION;
  if (format) timeFormat_ = *format;
  if (a.audioOn) {
    muted_ = !*a.audioOn;
    if (stream_) stream_->setMuted(muted_);
  }
  return 0;
}

MCIERROR WaveDevice::capability(const std::string &item, std::string &reply) const {
  if (item == "can play" || item == "can save" || item == "has audio" || item == "uses files" ||
      item == "compound device")
    reply = "true";
  else if (item == "can eject" || item == "can record" || item == "has video")
    reply = "false";
  else if (item == "device type")
    reply = "waveaudio";
  else if (item == "inputs")
    reply = "0";
  else if (item == "outputs")
    reply = "1";
  else
    return MCIERR_UNSUPPORTED_FUNCTION;
  return 0;
}

MCIERROR WaveDevice::info(const std::string &item, std::string &reply) const {
  if (item == "product")
    reply = "Waveform audio";
  else if (item == "file")
    reply = clip_ ? clip_->path : std::string();
  else
    return MCIERR_UNSUPPORTED_FUNCTION;
  return 0;
}

void WaveDevice::onDrained() {
  if (mode_ == Mode::Stopped) return; // a waiting play already saw the end
  mode_ = Mode::Stopped;
  position_ = playTo_;
  stream_->setPaused(true); // let the device idle instead of pulling silence
  if (ended_) ended_(true);
}

void WaveDevice::onFailed(const std::string &reason) {
  qCWarning(lcMci) << "wave output failed:" << reason.c_str();
  if (mode_ == Mode::Stopped) return;
  halt();
  if (ended_) ended_(false);
}

} // namespace dorrin::mci
