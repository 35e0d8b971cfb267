#include "platform/audio/output.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace dorrin::audio {

std::size_t sampleBytes(SampleFormat format) {
  switch (format) {
  case SampleFormat::U8:
    return 1;
  case SampleFormat::S16:
    return 2;
  case SampleFormat::S32:
    return 4;
  case SampleFormat::F32:
    return 4;
  }
  return 2;
}

void applyGain(const Format &format, void *frames, std::size_t frameCount, float gain) {
  const std::size_t n = frameCount * std::size_t(format.channels);
  gain = std::clamp(gain, 0.0f, 1.0f);
  switch (format.sample) {
  case SampleFormat::U8: {
    auto *s = static_cast<std::uint8_t *>(frames);
    for (std::size_t i = 0; i < n; ++i)
      s[i] = std::uint8_t(128 + std::lround((int(s[i]) - 128) * gain));
    break;
  }
  case SampleFormat::S16: {
    auto *s = static_cast<std::int16_t *>(frames);
    for (std::size_t i = 0; i < n; ++i)
      s[i] = std::int16_t(std::lround(s[i] * gain));
    break;
  }
  case SampleFormat::S32: {
    auto *s = static_cast<std::int32_t *>(frames);
    for (std::size_t i = 0; i < n; ++i)
      s[i] = std::int32_t(std::llround(double(s[i]) * gain));
    break;
  }
  case SampleFormat::F32: {
    auto *s = static_cast<float *>(frames);
    for (std::size_t i = 0; i < n; ++i)
      s[i] *= gain;
    break;
  }
  }
}

} // namespace dorrin::audio
