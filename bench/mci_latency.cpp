// mci_latency: how soon a waveaudio "play" is heard and how soon its
// MM_MCINOTIFY arrives, on the real SDL output (run with SDL_AUDIODRIVER=dummy
// for the paced silent device, or on a desktop for the sound server).
// Prints the time from "play" to the first audio callback that takes the
// clip's samples, and to the notification, for the first play (which opens the
// device) and for repeated plays.
#include "bench/bench_support.h"
#include "bench/watched_output.h"
#include "platform/audio/output.h"
#include "platform/mci/system.h"
#include "platform/win/messages.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

using dorrin::bench::Clock;
using dorrin::bench::ms;
using dorrin::bench::WatchedOutput;
namespace audio = dorrin::audio;
namespace mci = dorrin::mci;

namespace {

bool writeClip(const QString &path, int ms) {
  SF_INFO info{};
  info.samplerate = 22050;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE *f = sf_open(path.toUtf8().constData(), SFM_WRITE, &info);
  if (!f) return false;
  std::vector<short> s(std::size_t(22050 * ms / 1000));
  for (std::size_t i = 0; i < s.size(); ++i)
    s[i] = short(8000 * std::sin(double(i) * 0.125));
  sf_write_short(f, s.data(), sf_count_t(s.size()));
  return sf_close(f) == 0;
}

void report(const char *what, std::vector<double> v) {
  std::sort(v.begin(), v.end());
  std::printf("  %-34s median %7.2f ms   min %7.2f   max %7.2f   (n=%zu)\n", what, v[v.size() / 2],
              v.front(), v.back(), v.size());
}

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const int clipMs = 300, plays = 10;
  QTemporaryDir dir;
  const QString path = dir.filePath("clip.wav");
  if (!writeClip(path, clipMs)) {
    std::fprintf(stderr, "mci_latency: cannot write the clip\n");
    return 1;
  }
  WatchedOutput output;
  mci::System system(output);

  bool notified = false;
  Clock::time_point notifiedAt;
  const auto window = dorrin::win::registerWindow([&](std::uint32_t msg, auto, auto) {
    if (msg == mci::MM_MCINOTIFY) {
      notifiedAt = Clock::now();
      notified = true;
    }
  });

  const auto openStart = Clock::now();
  const std::string open = "open \"" + path.toStdString() + "\" alias b type waveaudio wait";
  if (mci::MCIERROR e = system.sendString(open.c_str(), nullptr, 0, 0)) {
    std::fprintf(stderr, "mci_latency: open failed with %u\n", e);
    return 1;
  }
  const double openMs = ms(Clock::now() - openStart);

  std::vector<double> firstPull, notify, lateBy;
  double firstPlayPull = 0, firstPlayNotify = 0;
  for (int i = 0; i <= plays; ++i) {
    notified = false;
    const auto t0 = Clock::now();
    if (mci::MCIERROR e = system.sendString("play b from 0 notify", nullptr, 0, window)) {
      std::fprintf(stderr, "mci_latency: play failed with %u (no audio output?)\n", e);
      return 1;
    }
    const auto limit = t0 + std::chrono::seconds(10);
    while (!notified && Clock::now() < limit) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
      QThread::usleep(200);
    }
    const auto pulled = output.last ? output.last->firstPull() : std::nullopt;
    if (!notified || !pulled) {
      std::fprintf(stderr, "mci_latency: play %d did not finish\n", i);
      return 1;
    }
    if (i == 0) { // opens the audio device
      firstPlayPull = ms(*pulled - t0);
      firstPlayNotify = ms(notifiedAt - t0);
      continue;
    }
    firstPull.push_back(ms(*pulled - t0));
    notify.push_back(ms(notifiedAt - t0));
    lateBy.push_back(ms(notifiedAt - t0) - clipMs);
  }
  dorrin::win::unregisterWindow(window);

  const char *driver = std::getenv("SDL_AUDIODRIVER");
  std::printf("mci_latency: %d ms clip, 22050 Hz mono, SDL driver %s\n", clipMs,
              driver ? driver : "(default)");
  std::printf("  open (decode)                      %7.2f ms\n", openMs);
  std::printf("  first play -> first audio callback %7.2f ms\n", firstPlayPull);
  std::printf("  first play -> MM_MCINOTIFY         %7.2f ms\n", firstPlayNotify);
  report("play -> first audio callback", firstPull);
  report("play -> MM_MCINOTIFY", notify);
  report("MM_MCINOTIFY after the clip's end", lateBy);
  return 0;
}
