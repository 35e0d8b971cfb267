#pragma once
// The database engine on SQLite: each database file is a SQLite file (the
// files keep their ".mdb" names), each table a SQLite table whose rowid
// gives the table order.
#include "organiser/contracts/database.h"

#include <QDate>
#include <future>
#include <map>
#include <optional>

namespace dorrin::db {

class SqliteEngine final : public Engine {
public:
  SqliteEngine();
  ~SqliteEngine() override; // waits for a check still running
  SqliteEngine(const SqliteEngine &) = delete;
  SqliteEngine &operator=(const SqliteEngine &) = delete;

  // Starts the damage check that opening `path` makes on a worker thread with
  // its own read-only connection, so that it runs while the caller does
  // other work (builds its windows). The next OpenDatabase of `path` waits
  // for it and takes its answer, or checks again when the file has changed
  // since or could not be checked. Nothing happens for a missing file.
  void checkAhead(const QString &path, const std::vector<TableDef> &tables);

  std::unique_ptr<Database> OpenDatabase(const QString &path,
                                         const std::vector<TableDef> &create = {}) override;

  // What a check ahead found: why the file is damaged ("" when it is not),
  // and the file it looked at (size, change time, inode) before it started.
  struct AheadAnswer {
    bool checked = false;
    QString damage;
    QByteArray identity;
  };

private:
  std::map<QString, std::future<AheadAnswer>> ahead_;
};

// Moves a database file that cannot be used out of the way, unchanged and
// with any journal beside it: "TessivoWeek.mdb" becomes
// "TessivoWeek-damaged-2026-12-10.mdb" ("-2", "-3" ... when that is taken).
// Returns the new path, or nullopt with the reason in *error.
std::optional<QString> setAsideDatabase(const QString &path, const QDate &day,
                                        QString *error = nullptr);

} // namespace dorrin::db
