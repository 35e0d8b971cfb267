#pragma once
// The database engine on SQLite: each database file is a SQLite file (the
// files keep their ".mdb" names), each table a SQLite table whose rowid
// gives the table order.
#include "organiser/contracts/database.h"

namespace dorrin::db {

class SqliteEngine final : public Engine {
public:
  std::unique_ptr<Database> OpenDatabase(const QString &path,
                                         const std::vector<TableDef> &create = {}) override;
};

} // namespace dorrin::db
