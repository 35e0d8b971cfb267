// Wave files: any bytes load without harm; a file that loads has samples
// that fit its format.
#include "fuzz/fuzz_input.h"
#include "platform/mci/wave_clip.h"

#include <cstdint>
#include <cstdlib>

using namespace dorrin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const QString file = fuzz::inputFile("in.wav", data, size);
  if (file.isEmpty()) return 0;
  mci::WaveClip clip;
  if (mci::loadWaveClip(file.toStdString(), clip) == 0) {
    if (clip.format.channels <= 0 || clip.samples.size() % std::size_t(clip.format.channels) != 0)
      std::abort();
  }
  return 0;
}
