// Find and scan speed of the database engine on a 1,000,000-record week
// table: prints microseconds per find and the time of a full scan.
#include "organiser/contracts/tables.h"
#include "platform/db/sqlite_engine.h"
#include "platform/text/runtime.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

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

template <typename F> double perCallUs(int calls, F &&f) {
  QElapsedTimer t;
  t.start();
  for (int i = 0; i < calls; ++i)
    f(i);
  return double(t.nsecsElapsed()) / 1000.0 / calls;
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
    db->BeginTrans();
    for (int i = 0; i < kRecords; ++i) {
      rs->AddNew();
      rs->Fields(0).SetValue(day(i));
      rs->Fields(1).SetValue(memo(i));
      rs->Update();
    }
    db->CommitTrans();
    std::printf("db_find: built %d records (AddNew/Update in one transaction) in %lld ms\n",
                int(rs->RecordCount()), t.elapsed());
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
  // Warm up: the first finds read the index pages from the file.
  for (int i = 0; i < kFinds; ++i) {
    rs->FindFirst("BMemo", memo(int(rng->bounded(kRecords))));
    rs->FindFirst("BDate", day(int(rng->bounded(kDays))));
  }

  const double textCriteria = perCallUs(kFinds, [&](int i) {
    rs->MoveFirst();
    misses += !rs->FindFirst("BMemo='" + memo(picks[size_t(i)]) + "'");
  });
  const double textParam = perCallUs(kFinds, [&](int i) {
    rs->MoveFirst();
    misses += !rs->FindFirst("BMemo", memo(picks[size_t(i)]));
  });
  const double textMissing = perCallUs(kFinds, [&](int i) {
    rs->MoveFirst();
    misses += rs->FindFirst("BMemo", memo(kRecords + i)); // must not match
  });
  const double dateFirst = perCallUs(kFinds, [&](int i) {
    rs->MoveFirst();
    misses += !rs->FindFirst("BDate='" + day(picks[size_t(i)]) + "'");
  });
  // The week planner's pattern: the first match of a day, then up to 31 more.
  int nexts = 0;
  const double dateDay = perCallUs(kFinds / 10, [&](int i) {
    const QString c = "BDate='" + day(picks[size_t(i)]) + "'";
    rs->MoveFirst();
    if (!rs->FindFirst(c)) ++misses;
    for (int k = 0; k < 31 && rs->FindNext(c); ++k)
      ++nexts;
  });
  const double dateNext = dateDay * (kFinds / 10) / (nexts + kFinds / 10);

  QElapsedTimer scan;
  scan.start();
  qint64 records = 0, bytes = 0;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
    ++records;
    bytes += rs->Fields(1).Value().size();
  }
  const double scanMs = scan.nsecsElapsed() / 1e6;

  std::printf("db_find: FindFirst by text, criteria string:   %7.2f us\n", textCriteria);
  std::printf("db_find: FindFirst by text, parameterised:     %7.2f us\n", textParam);
  std::printf("db_find: FindFirst by text, no match:          %7.2f us\n", textMissing);
  std::printf("db_find: FindFirst by date (~%d per day):     %7.2f us\n", kRecords / kDays,
              dateFirst);
  std::printf("db_find: a day's FindFirst + 31 FindNext:      %7.2f us (%.2f us per find)\n",
              dateDay, dateNext);
  std::printf("db_find: MoveFirst..MoveNext scan, reading a field: %lld records in %.1f ms "
              "(%.3f us per record)\n",
              records, scanMs, scanMs * 1000.0 / double(records));
  if (misses != 0 || records != kRecords) {
    std::printf("db_find: FAILED: %d unexpected misses\n", misses);
    return 1;
  }
  return 0;
}
