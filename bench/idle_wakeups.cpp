// idle_wakeups: how often an idle organiser-like process wakes up. Starts
// the real hot-key source (global X11 grab under the current DISPLAY) and a
// shown window, idles, and prints context switches per second from
// /proc/self/status (main thread) and from every thread of the process.
//   idle_wakeups [--seconds N] [--poll]
// --poll adds a 1 ms timer, the cost of polling the keys every tick.
#include "platform/hotkeys/hot_key_source.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTimer>

#include <cstdio>

namespace {

struct Switches {
  long long voluntary = 0;
  long long involuntary = 0;
  long long total() const { return voluntary + involuntary; }
};

Switches readStatus(const QString &path) {
  Switches s;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return s;
  for (const QByteArray &line : f.readAll().split('\n')) {
    if (line.startsWith("voluntary_ctxt_switches:"))
      s.voluntary = line.mid(24).trimmed().toLongLong();
    else if (line.startsWith("nonvoluntary_ctxt_switches:"))
      s.involuntary = line.mid(27).trimmed().toLongLong();
  }
  return s;
}

Switches allThreads(int *threads) {
  Switches sum;
  const QStringList tasks =
      QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString &t : tasks) {
    const Switches s = readStatus(QStringLiteral("/proc/self/task/%1/status").arg(t));
    sum.voluntary += s.voluntary;
    sum.involuntary += s.involuntary;
  }
  *threads = static_cast<int>(tasks.size());
  return sum;
}

} // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  double seconds = 10;
  bool poll = false;
  const QStringList args = app.arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--seconds") && i + 1 < args.size())
      seconds = args[++i].toDouble();
    else if (args[i] == QLatin1String("--poll"))
      poll = true;
  }
  if (seconds <= 0) seconds = 10;

  auto hotKeys = dorrin::hotkeys::createHotKeySource();
  QLabel window(QStringLiteral("Dorrin idle"));
  window.resize(300, 200);
  window.show();
  QTimer pollTimer;
  if (poll) {
    pollTimer.setInterval(1);
    QObject::connect(&pollTimer, &QTimer::timeout, [] {});
    pollTimer.start();
  }

  Switches mainStart, allStart;
  int threads = 0;
  QElapsedTimer clock;
  // Let the window map and settle before counting.
  QTimer::singleShot(1000, Qt::PreciseTimer, [&] {
    mainStart = readStatus(QStringLiteral("/proc/self/status"));
    allStart = allThreads(&threads);
    clock.start();
    QTimer::singleShot(static_cast<int>(seconds * 1000), Qt::PreciseTimer, [&] {
      const double elapsed = clock.nsecsElapsed() / 1e9;
      const Switches mainEnd = readStatus(QStringLiteral("/proc/self/status"));
      const Switches allEnd = allThreads(&threads);
      std::printf("platform %s, hot keys %s%s\n", qPrintable(QApplication::platformName()),
                  hotKeys->isGlobal() ? "global" : "in own windows only",
                  poll ? ", 1 ms poll timer" : "");
      std::printf("idle %.1f s: main thread %.1f switches/s (voluntary %lld, involuntary %lld)\n",
                  elapsed, (mainEnd.total() - mainStart.total()) / elapsed,
                  mainEnd.voluntary - mainStart.voluntary,
                  mainEnd.involuntary - mainStart.involuntary);
      std::printf("all %d threads: %.1f switches/s (voluntary %lld, involuntary %lld)\n", threads,
                  (allEnd.total() - allStart.total()) / elapsed,
                  allEnd.voluntary - allStart.voluntary, allEnd.involuntary - allStart.involuntary);
      QApplication::quit();
    });
  });
  return QApplication::exec();
}
