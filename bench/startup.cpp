// Start-up time: builds a data folder with 600 launcher entries and 100,000
// week entries, then starts the organiser (dorrin --smoke) and a bare Qt
// window (qt_floor) in turns, a few times each, on the same display
// (offscreen unless DORRIN_BENCH_PLATFORM names another Qt platform). Prints
// what each reports (milliseconds from process start to the end of the load
// sequence and to the first paint) and the ratio of the medians of the first
// paints.
#include "organiser/contracts/tables.h"
#include "platform/db/sqlite_engine.h"
#include "platform/text/runtime.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace dorrin;

static void fill(const QString &folder) {
  db::SqliteEngine engine;
  {
    auto link = engine.OpenDatabase(folder + "/TessivoDorrin.mdb", {db::launcherTable()});
    auto rs = link->OpenRecordset("Dorrin");
    link->BeginTrans();
    for (int n = 1; n <= 600; ++n) {
      rs->AddNew();
      rs->Fields(0).SetValue(QString::number(n));
      rs->Fields(1).SetValue(n % 3 == 0 ? "폴더" : "파일");
      rs->Fields(2).SetValue(QStringLiteral("항목 %1").arg(n));
      rs->Fields(3).SetValue(QStringLiteral("/usr/share/doc/item%1").arg(n));
      rs->Update();
    }
    link->CommitTrans();
  }
  auto week = engine.OpenDatabase(folder + "/TessivoWeek.mdb", {db::weekTable()});
  auto rs = week->OpenRecordset("AWeek");
  week->BeginTrans();
  const QDate start = QDate::currentDate().addDays(-50000 / 10);
  for (int i = 0; i < 100000; ++i) {
    rs->AddNew();
    rs->Fields(0).SetValue(text::shortDate(start.addDays(i / 10)));
    rs->Fields(1).SetValue(QStringLiteral("일정 %1").arg(i));
    rs->Update();
  }
  week->CommitTrans();
}

// Runs one program once; returns its first paint in ms (-1 when it reported none).
static qint64 runOnce(const QString &exe, const QStringList &args, const QString &data,
                      const char *name, int run) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("DORRIN_DATA_DIR", data);
  const QString platform = qEnvironmentVariable("DORRIN_BENCH_PLATFORM");
  env.insert("QT_QPA_PLATFORM", platform.isEmpty() ? QStringLiteral("offscreen") : platform);
  p.setProcessEnvironment(env);
  QElapsedTimer wall;
  wall.start();
  p.start(exe, args);
  p.waitForFinished(60000);
  const QByteArray out = p.readAllStandardOutput().trimmed();
  std::printf("%-9s run %d: %s (exit %d, wall %lld ms)\n", name, run, out.constData(), p.exitCode(),
              static_cast<long long>(wall.elapsed()));
  const auto m = QRegularExpression(QStringLiteral("first paint (\\d+) ms")).match(out);
  return m.hasMatch() ? m.captured(1).toLongLong() : -1;
}

static qint64 median(std::vector<qint64> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir data;
  QElapsedTimer t;
  t.start();
  fill(data.path());
  std::printf("data folder built in %lld ms (600 launcher entries, 100000 week entries)\n",
              static_cast<long long>(t.elapsed()));
  const QString bin = QCoreApplication::applicationDirPath();
  std::vector<qint64> organiser, bare;
  for (int run = 1; run <= 5; ++run) {
    bare.push_back(runOnce(bin + "/qt_floor", {}, data.path(), "qt_floor", run));
    organiser.push_back(runOnce(bin + "/dorrin", {"--smoke"}, data.path(), "dorrin", run));
  }
  const qint64 o = median(organiser), f = median(bare);
  std::printf("first paint, median of 5: dorrin %lld ms, bare Qt window %lld ms, ratio %.2f\n",
              static_cast<long long>(o), static_cast<long long>(f),
              f > 0 ? double(o) / double(f) : 0.0);
  return 0;
}
