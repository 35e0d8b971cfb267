// Wave files: any bytes load without harm; a file that loads has samples
// that fit its format.
#include "platform/mci/wave_clip.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

using namespace dorrin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  static QTemporaryDir dir;
  static const QString file = dir.filePath(QStringLiteral("in.wav"));
  {
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    f.write(reinterpret_cast<const char *>(data), qint64(size));
  }
  mci::WaveClip clip;
  if (mci::loadWaveClip(file.toStdString(), clip) == 0) {
    if (clip.format.channels <= 0 || clip.samples.size() % std::size_t(clip.format.channels) != 0)
      std::abort();
  }
  return 0;
}
