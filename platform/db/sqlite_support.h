#pragma once
// Pieces shared by the SQLite database and recordset.
#include "organiser/contracts/database.h"

#include <sqlite3.h>

#include <QString>

namespace dorrin::db::sqlite {

// One open SQLite connection, shared by a database and its recordsets so
// that either may be released first.
struct Connection {
  Connection(sqlite3 *handle, QString filePath) : db(handle), path(std::move(filePath)) {}
  ~Connection() { sqlite3_close_v2(db); }
  Connection(const Connection &) = delete;
  Connection &operator=(const Connection &) = delete;

  // Records why a statement failed; an answer that the file is damaged
  // (or no database) marks the connection damaged for good.
  void failed(int rc);

  sqlite3 *db;
  QString path;
  QString lastError;
  bool damaged = false;
  // Bumped by every change made through this connection, so recordsets know
  // when rows they hold may be stale.
  quint64 generation = 0;
};

QString lastError(sqlite3 *db);
QString quoted(const QString &identifier);
// Column type as declared in the file, and back.
QString declaredType(FieldType type);
FieldType fieldType(const QString &declared, bool primaryKey);

// A prepared statement; every use starts with start() and the statement is
// reset again by done() (or the next start()), so no read stays open.
class Statement {
public:
  Statement() = default;
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement &) = delete;
  Statement &operator=(const Statement &) = delete;

  bool prepare(sqlite3 *db, const QString &sql);
  void start() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }
  void done() { sqlite3_reset(stmt_); }
  void bind(int index, const QString &text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
  }
  void bind(int index, qint64 value) { sqlite3_bind_int64(stmt_, index, value); }
  void bindNull(int index) { sqlite3_bind_null(stmt_, index); }
  int step() { return sqlite3_step(stmt_); }
  qint64 int64(int column) const { return sqlite3_column_int64(stmt_, column); }
  bool isNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }
  QString text(int column) const {
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
    return QString::fromUtf8(p, sqlite3_column_bytes(stmt_, column));
  }

private:
  sqlite3_stmt *stmt_ = nullptr;
};

// The fields of a table as the file declares them; empty when it has none.
std::vector<FieldDef> tableFields(sqlite3 *db, const QString &table);

} // namespace dorrin::db::sqlite
