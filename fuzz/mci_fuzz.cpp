// MCI command strings: any text is tokenised, parsed and run by
// mciSendString without harm. Elements resolve into a folder of the run's
// own, so commands that write files ("save") stay inside it; the device
// plays into a clock that the harness never advances.
#include "platform/audio/tests/manual_clock_output.h"
#include "platform/mci/command.h"
#include "platform/mci/system.h"
#include "platform/mci/wave_clip.h"

#include <QTemporaryDir>
#include <cstdint>
#include <string>

using namespace dorrin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  static QTemporaryDir dir;
  static const std::string folder = dir.path().toStdString();
  static bool seeded = [] {
    mci::WaveClip clip;
    clip.samples.assign(2205, 1000);
    mci::saveWaveClip(clip, folder + "/a.wav");
    return true;
  }();
  (void)seeded;
  static audio::test::ManualClockOutput output;
  static mci::System system(output, [](const std::string &element) {
    std::string name;
    for (char c : element)
      name += (c == '/' || c == '\\') ? '_' : c;
    return folder + "/" + (name.empty() ? std::string("_") : name.substr(0, 100));
  });

  const std::string text(reinterpret_cast<const char *>(data), size);
  std::vector<std::string> words;
  if (mci::tokenize(text, words) == 0 && !words.empty()) {
    mci::Verb verb;
    if (mci::lookupVerb(words[0], verb)) {
      mci::Arguments args;
      mci::parseArguments(verb, words, 1, args);
    }
  }
  // Several commands per input, split at line feeds, so open/play/close
  // sequences are reached.
  std::size_t start = 0;
  for (int n = 0; n < 8 && start <= text.size(); ++n) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string command = text.substr(start, end - start);
    char reply[128];
    const auto error = system.sendString(command.c_str(), reply, sizeof reply, 0);
    char message[256];
    system.getErrorString(error, message, sizeof message);
    system.getDeviceID(command.c_str());
    start = end + 1;
  }
  system.closeAll();
  return 0;
}
