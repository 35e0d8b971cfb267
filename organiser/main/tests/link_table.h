#pragma once
// A launcher table "Dorrin" in a real SQLite file of a temporary folder,
// with helpers to put records in (Null fields included) and read them back
// in table order.
#include "organiser/contracts/tables.h"
#include "platform/db/sqlite_engine.h"
#include "tests/support/temp_folder.h"

#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace dorrin::organiser::linktest {

struct LinkRecord {
  std::optional<QString> slot, kind, caption, path; // nullopt is Null
  bool operator==(const LinkRecord &) const = default;
};

inline std::ostream &operator<<(std::ostream &os, const LinkRecord &r) {
  auto s = [](const std::optional<QString> &v) {
    return v ? ('"' + v->toStdString() + '"') : std::string("Null");
  };
  return os << '{' << s(r.slot) << ", " << s(r.kind) << ", " << s(r.caption) << ", " << s(r.path)
            << '}';
}

class LinkTable {
public:
  LinkTable() { open(); }
  void open() {
    rs.reset();
    database = engine.OpenDatabase(file(), {db::launcherTable()});
    rs = database->OpenRecordset(QStringLiteral("Dorrin"), db::kDynaset);
  }
  void close() {
    rs.reset();
    database.reset();
  }
  QString file() const { return tmp.file(QStringLiteral("TessivoDorrin.mdb")); }
  db::Recordset *recordset() { return rs.get(); }

  void insert(const LinkRecord &r) {
    rs->AddNew();
    const std::optional<QString> f[] = {r.slot, r.kind, r.caption, r.path};
    for (int i = 0; i < 4; ++i) {
      if (f[i])
        rs->Fields(i).SetValue(*f[i]);
      else
        rs->Fields(i).SetNull();
    }
    rs->Update();
  }
  void insert(int slot, const QString &kind, const QString &caption, const QString &path) {
    insert({QString::number(slot), kind, caption, path});
  }
  std::vector<LinkRecord> records() {
    std::vector<LinkRecord> out;
    if (!rs->MoveFirst()) return out;
    while (!rs->Eof()) {
      LinkRecord r;
      std::optional<QString> *f[] = {&r.slot, &r.kind, &r.caption, &r.path};
      for (int i = 0; i < 4; ++i)
        if (!rs->Fields(i).IsNull()) *f[i] = rs->Fields(i).Value();
      out.push_back(r);
      rs->MoveNext();
    }
    return out;
  }

private:
  test::TempFolder tmp;
  db::SqliteEngine engine;
  std::unique_ptr<db::Database> database;
  std::unique_ptr<db::Recordset> rs;
};

inline LinkRecord rec(int slot, const char *kind, const char *caption, const char *path) {
  return {QString::number(slot), QString::fromUtf8(kind), QString::fromUtf8(caption),
          QString::fromUtf8(path)};
}

} // namespace dorrin::organiser::linktest
