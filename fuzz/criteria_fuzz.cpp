// Criteria strings and finds on a real week table: any criteria text is
// read without harm and a find never lands on a record whose field differs
// from the value asked for.
#include "organiser/contracts/database.h"
#include "organiser/contracts/tables.h"
#include "platform/db/sqlite_engine.h"

#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

using namespace dorrin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  static QTemporaryDir dir;
  static db::SqliteEngine engine;
  static std::unique_ptr<db::Database> database = [] {
    auto d =
        engine.OpenDatabase(dir.filePath(QStringLiteral("TessivoWeek.mdb")), {db::weekTable()});
    auto rs = d->OpenRecordset(QStringLiteral("AWeek"));
    const char *memos[] = {"a", "it's", "'", "x' OR BMemo='x", "메모", "", "a"};
    for (const char *m : memos) {
      rs->AddNew();
      rs->Fields(0).SetValue(QStringLiteral("2026-12-06"));
      rs->Fields(1).SetValue(QString::fromUtf8(m));
      rs->Update();
    }
    return d;
  }();
  static std::unique_ptr<db::Recordset> rs = database->OpenRecordset(QStringLiteral("AWeek"));

  const QString criteria = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
  const auto parsed = db::parseCriteria(criteria);
  rs->MoveFirst();
  bool found = rs->FindFirst(criteria);
  for (int n = 0; found && n < 10; ++n) {
    if (!parsed) std::abort(); // a find on unreadable criteria
    const int field = parsed->field.compare(QStringLiteral("BMemo"), Qt::CaseInsensitive) == 0 ? 1
                      : parsed->field.compare(QStringLiteral("BDate"), Qt::CaseInsensitive) == 0
                          ? 0
                          : -1;
    if (field < 0 || rs->Fields(field).Value() != parsed->value) std::abort();
    found = rs->FindNext(criteria);
  }
  return 0;
}
