#pragma once
// A wave file decoded into memory for the waveaudio device.
#include "platform/audio/output.h"
#include "platform/mci/mci.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dorrin::mci {

struct WaveClip {
  audio::Format format{22050, 1, audio::SampleFormat::S16}; // of the decoded samples
  std::vector<std::int16_t> samples;                        // interleaved
  // As stored in the file (status bitspersample, alignment, format tag; the bytes time format).
  int bitsPerSample = 16;
  int blockAlign = 2;
  int formatTag = 1; // 1 = PCM
  std::string path;

  std::uint64_t frames() const { return samples.size() / std::size_t(format.channels); }
};

// Reads a RIFF/WAVE file: MCIERR_FILE_NOT_FOUND when it does not exist,
// MCIERR_INVALID_FILE when it is no wave file or is cut short,
// MCIERR_FILE_READ when it cannot be read.
MCIERROR loadWaveClip(const std::string &path, WaveClip &clip);

// Writes the clip as 16-bit PCM, replacing the file atomically; MCIERR_FILE_NOT_SAVED on failure.
MCIERROR saveWaveClip(const WaveClip &clip, const std::string &path);

} // namespace dorrin::mci
