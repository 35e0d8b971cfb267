// alarm_fire: the road of one alarm, from the clock tick that finds it due
// to its notice painted on the screen and to the first audio callback that
// takes its sound. The tick, matcher and notice pop-up are the organiser's
// own; the sound goes through the media control interface the multimedia
// control drives ("open <sound>.wav alias N type waveaudio", "play N", the
// previous alias closed first). Run with SDL_AUDIODRIVER=dummy for the paced
// silent device, or on a desktop for the sound server. Prints median and
// worst over 100 firings, and the first firing (which opens the device).
#include "bench/bench_support.h"
#include "bench/watched_output.h"
#include "organiser/alarms/alarm_page.h"
#include "organiser/main/frm_start.h"
#include "organiser/planner/notice_popup.h"
#include "platform/audio/output.h"
#include "platform/forms/panel.h"
#include "platform/mci/system.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace dorrin;
using bench::Clock;
using bench::ms;
using bench::WatchedOutput;
using namespace dorrin::organiser;

namespace {

// Notes the first paint of a widget after it is armed.
class PaintWatch : public QObject {
public:
  bool armed = false;
  std::optional<Clock::time_point> painted;
  bool eventFilter(QObject *, QEvent *e) override {
    if (armed && e->type() == QEvent::Paint && !painted) painted = Clock::now();
    return false;
  }
};

void report(const char *what, std::vector<double> v) {
  std::sort(v.begin(), v.end());
  std::printf("  %-40s median %7.2f ms   worst %7.2f   (n=%zu)\n", what, v[v.size() / 2], v.back(),
              v.size());
}

} // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  forms::installFontSubstitutes();
  QTemporaryDir dir;
  QDateTime clock(QDate(2026, 3, 13), QTime(9, 59, 59));
  FrmStart form(MainServices{nullptr, nullptr, [&] { return clock; }});
  Chang chang;
  PaintWatch watch;
  chang.Pan_Chang->installEventFilter(&watch);
  WatchedOutput output;
  mci::System mci(output);
  int alias = 0;
  std::optional<Clock::time_point> shownAt, playedAt;
  mci::MCIERROR playError = 0;

  AlarmPage page(
      form,
      AlarmOutputs{[&](const QString &m) {
                     chang.showNotice(m);
                     shownAt = Clock::now();
                   },
                   [&](const QString &sound) {
                     if (alias > 0)
                       mci.sendString(("close " + std::to_string(alias)).c_str(), nullptr, 0, 0);
                     ++alias;
                     const std::string open = "open \"" + sound.toStdString() + ".wav\" alias " +
                                              std::to_string(alias) + " type waveaudio";
                     playError = mci.sendString(open.c_str(), nullptr, 0, 0);
                     if (!playError)
                       playError =
                           mci.sendString(("play " + std::to_string(alias)).c_str(), nullptr, 0, 0);
                     playedAt = Clock::now();
                     return static_cast<int>(playError);
                   }},
      dir.filePath("timedata.txt"));
  page.Time_Data.assignLine(u"1|yes|매일|*|*|10|0|yes|음1|yes|회의 시작 10분 전|");
  form.Kttime->setWidth(3000);

  const int firings = 100;
  std::vector<double> toShown, toPainted, toPlay, toAudio;
  double first[3] = {};
  for (int i = 0; i <= firings; ++i) {
    chang.hide();
    QCoreApplication::processEvents();
    page.matcher.reset();
    clock = QDateTime(QDate(2026, 3, 13).addDays(i), QTime(9, 59, 59, 800));
    page.Time1_Timer(); // the tick before: nothing due
    clock = clock.addMSecs(500);
    shownAt.reset();
    playedAt.reset();
    watch.painted.reset();
    watch.armed = true;
    output.last = nullptr;
    const auto t0 = Clock::now();
    page.Time1_Timer();
    const auto limit = t0 + std::chrono::seconds(10);
    while ((!watch.painted || !output.last || !output.last->firstPull()) && Clock::now() < limit) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
      QThread::usleep(100);
    }
    watch.armed = false;
    const auto pulled = output.last ? output.last->firstPull() : std::nullopt;
    if (!shownAt || !watch.painted || !pulled) {
      std::fprintf(stderr,
                   "alarm_fire: firing %d incomplete (notice %d, paint %d, audio %d, "
                   "MCI error %u)\n",
                   i, bool(shownAt), bool(watch.painted), bool(pulled), playError);
      return 1;
    }
    if (i == 0) {
      first[0] = ms(*shownAt - t0);
      first[1] = ms(*watch.painted - t0);
      first[2] = ms(*pulled - t0);
      continue;
    }
    toShown.push_back(ms(*shownAt - t0));
    toPainted.push_back(ms(*watch.painted - t0));
    toPlay.push_back(ms(*playedAt - t0));
    toAudio.push_back(ms(*pulled - t0));
  }
  const char *driver = std::getenv("SDL_AUDIODRIVER");
  std::printf("alarm_fire: %d firings of a daily alarm with message and sound 음1, SDL driver %s,"
              " Qt platform %s\n",
              firings, driver ? driver : "(default)",
              QGuiApplication::platformName().toUtf8().constData());
  std::printf(
      "  first firing: notice shown %.2f ms, painted %.2f ms, first audio callback %.2f ms\n",
      first[0], first[1], first[2]);
  report("tick -> notice shown", toShown);
  report("tick -> notice painted", toPainted);
  report("tick -> play sent", toPlay);
  report("tick -> first audio callback", toAudio);
  return 0;
}
