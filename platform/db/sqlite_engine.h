#pragma once
// The database engine on SQLite: each database file is a SQLite file (the
// files keep their ".mdb" names), each table a SQLite table whose rowid
// gives the table order.
#include "organiser/contracts/database.h"

#include <QDate>
#include <optional>

namespace dorrin::db {

class SqliteEngine final : public Engine {
public:
  std::unique_ptr<Database> OpenDatabase(const QString &path,
                                         const std::vector<TableDef> &create = {}) override;
};

// Moves a database file that cannot be used out of the way, unchanged and
// with any journal beside it: "TessivoWeek.mdb" becomes
// "TessivoWeek-damaged-2026-12-10.mdb" ("-2", "-3" ... when that is taken).
// Returns the new path, or nullopt with the reason in *error.
std::optional<QString> setAsideDatabase(const QString &path, const QDate &day,
                                        QString *error = nullptr);

} // namespace dorrin::db
