// Start-up time: builds a data folder with 600 launcher entries and 100,000
// week entries, then starts the organiser (dorrin --smoke, offscreen) a few
// times and prints what it reports: milliseconds from process start to the
// end of the load sequence, and to the first paint.
#include "organiser/contracts/tables.h"
#include "platform/db/sqlite_engine.h"
#include "platform/text/runtime.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

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

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir data;
  QElapsedTimer t;
  t.start();
  fill(data.path());
  std::printf("data folder built in %lld ms (600 launcher entries, 100000 week entries)\n",
              static_cast<long long>(t.elapsed()));
  const QString exe = QCoreApplication::applicationDirPath() + "/dorrin";
  for (int run = 1; run <= 3; ++run) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DORRIN_DATA_DIR", data.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    QElapsedTimer wall;
    wall.start();
    p.start(exe, {"--smoke"});
    p.waitForFinished(60000);
    std::printf("run %d: %s (exit %d, wall %lld ms)\n", run,
                p.readAllStandardOutput().trimmed().constData(), p.exitCode(),
                static_cast<long long>(wall.elapsed()));
  }
  return 0;
}
