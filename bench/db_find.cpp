// Find and scan speed of the database engine on a 1,000,000-record week
// table: prints microseconds per find and the time of a full scan.
#include "organiser/contracts/tables.h"
#include "platform/db/sqlite_engine.h"
#include "platform/text/runtime.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

using namespace dorrin::db;
using dorrin::text::shortDate;

namespace {

constexpr int kRecords = 1'000'000;
constexpr int kDays = 3650;
constexpr int kFinds = 2000;
const QDate kFirstDay(2020, 1, 1);

QString memo(int i) {
  return QStringLiteral("메모 %1번 항목").arg(i);
}
QString day(int i) {
  return shortDate(kFirstDay.addDays(i % kDays));
}

double cpuNs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) * 1e9 + double(ts.tv_nsec);
}

// Wall-clock and CPU microseconds per call; on a busy machine the CPU time
// is the truer cost.
struct Cost {
  double wall, cpu;
};

template <typename F> Cost perCallUs(int calls, F &&f) {
  QElapsedTimer t;
  t.start();
  const double cpu0 = cpuNs();
  for (int i = 0; i < calls; ++i)
    f(i);
  return {double(t.nsecsElapsed()) / 1000.0 / calls, (cpuNs() - cpu0) / 1000.0 / calls};
}

} // namespace

int main() {
  QTemporaryDir dir;
  const QString path = dir.filePath("TessivoWeek.mdb");
  SqliteEngine engine;
  {
    auto db = engine.OpenDatabase(path, {weekTable()});
    auto rs = db->OpenRecordset("AWeek", kDynaset);
    QElapsedTimer t;
    t.start();
    const double cpu0 = cpuNs();
    db->BeginTrans();
    for (int i = 0; i < kRecords; ++i) {
      rs->AddNew();
      rs->Fields(0).SetValue(day(i));
      rs->Fields(1).SetValue(memo(i));
      rs->Update();
    }
    db->CommitTrans();
    std::printf("db_find: built %d records (AddNew/Update in one transaction): %lld ms wall "
                "%.0f ms cpu\n",
                int(rs->RecordCount()), t.elapsed(), (cpuNs() - cpu0) / 1e6);
  }

  QElapsedTimer open;
  open.start();
  auto db = engine.OpenDatabase(path, {weekTable()});
  auto rs = db->OpenRecordset("AWeek", kDynaset);
  std::printf("db_find: open database and recordset: %.2f ms\n", open.nsecsElapsed() / 1e6);

  auto *rng = QRandomGenerator::global();
  std::vector<int> picks(kFinds);
  for (int &p : picks)
    p = int(rng->bounded(kRecords));
  int misses = 0;

  auto report = [](const char *what, Cost c) {
    std::printf("db_find: %-44s %8.2f us wall %8.2f us cpu\n", what, c.wall, c.cpu);
  };
  // The first find of a value reads its index and table pages from the file;
  // the same finds again find them in the page cache.
  report("FindFirst by text, first time", perCallUs(kFinds, [&](int i) {
           rs->MoveFirst();
           misses += !rs->FindFirst("BMemo", memo(picks[size_t(i)]));
         }));
  report("FindFirst by text, criteria string", perCallUs(kFinds, [&](int i) {
           rs->MoveFirst();
           misses += !rs->FindFirst("BMemo='" + memo(picks[size_t(i)]) + "'");
         }));
  report("FindFirst by text, parameterised", perCallUs(kFinds, [&](int i) {
           rs->MoveFirst();
           misses += !rs->FindFirst("BMemo", memo(picks[size_t(i)]));
         }));
  report("FindFirst by text, no match", perCallUs(kFinds, [&](int i) {
           rs->MoveFirst();
           misses += rs->FindFirst("BMemo", memo(kRecords + i)); // must not match
         }));
  report("FindFirst by date (~274 records a day)", perCallUs(kFinds, [&](int i) {
           rs->MoveFirst();
           misses += !rs->FindFirst("BDate='" + day(picks[size_t(i)]) + "'");
         }));
  // The week planner's pattern: the first match of a day, then up to 31 more.
  const int days = kFinds / 10;
  int nexts = 0;
  const Cost day32 = perCallUs(days, [&](int i) {
    const QString c = "BDate='" + day(picks[size_t(i)]) + "'";
    rs->MoveFirst();
    misses += !rs->FindFirst(c);
    for (int k = 0; k < 31 && rs->FindNext(c); ++k)
      ++nexts;
  });
  report("a day: FindFirst + 31 FindNext, per find",
         {day32.wall * days / (nexts + days), day32.cpu * days / (nexts + days)});

  qint64 records = 0, chars = 0;
  const Cost scan = perCallUs(1, [&](int) {
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
      ++records;
      chars += rs->Fields(1).Value().size();
    }
  });
  std::printf("db_find: MoveFirst..MoveNext scan reading a field: %lld records, %.0f ms wall "
              "%.0f ms cpu (%.3f us cpu per record)\n",
              records, scan.wall / 1000, scan.cpu / 1000, scan.cpu / double(records));
  if (misses != 0 || records != kRecords) {
    std::printf("db_find: FAILED: %d unexpected misses\n", misses);
    return 1;
  }
  return 0;
}
