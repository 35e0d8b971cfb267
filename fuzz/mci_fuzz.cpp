// MCI command strings: any text is tokenised, parsed and run by
// mciSendString without harm. Elements resolve into a folder of the run's
// own, and a "save" gets a plain name, so files written stay in the folder
// the harness runs in (scripts/fuzz.sh gives it one); the device
// plays into a clock that the harness never advances.
#include "platform/audio/tests/manual_clock_output.h"
#include "platform/mci/command.h"
#include "platform/mci/system.h"
#include "platform/mci/wave_clip.h"

#include <QString>
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
    std::string command = text.substr(start, end - start);
    // A "save" writes to the path it is given, as it is: any command that
    // may be one gets plain names, which land in the harness's working
    // folder, never elsewhere.
    if (QString::fromLatin1(command).contains(QLatin1String("save"), Qt::CaseInsensitive))
      for (char &c : command)
        if (c == '/' || c == '\\') c = '_';
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
