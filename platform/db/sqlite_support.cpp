#include "platform/db/sqlite_support.h"

namespace dorrin::db::sqlite {

void Connection::failed(int rc) {
  lastError = QString::fromUtf8(sqlite3_errmsg(db));
  const int primary = rc & 0xff;
  if ((primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB) && !damaged) {
    damaged = true;
    qCCritical(lcDb).noquote() << "the database" << path << "is damaged (" << lastError
                               << ") - nothing more is written to it";
  }
}

QString lastError(sqlite3 *db) {
  return QString::fromUtf8(sqlite3_errmsg(db));
}

QString quoted(const QString &identifier) {
  return u'"' + QString(identifier).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// Dates are kept as "yyyy-MM-dd" text; the declared type has text affinity
// so SQLite never turns such a value into a number.
QString declaredType(FieldType type) {
  switch (type) {
  case FieldType::Text:
    return QStringLiteral("TEXT");
  case FieldType::Date:
    return QStringLiteral("DATETEXT");
  case FieldType::Int16:
    return QStringLiteral("SMALLINT");
  case FieldType::Counter:
    return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
  }
  return QStringLiteral("TEXT");
}

FieldType fieldType(const QString &declared, bool primaryKey) {
  const QString t = declared.toUpper();
  if (t == u"DATETEXT") return FieldType::Date;
  if (t.contains(u"INT")) return primaryKey ? FieldType::Counter : FieldType::Int16;
  return FieldType::Text;
}

bool Statement::prepare(sqlite3 *db, const QString &sql) {
  sqlite3_finalize(stmt_);
  stmt_ = nullptr;
  const QByteArray utf8 = sql.toUtf8();
  if (sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt_,
                         nullptr) != SQLITE_OK) {
    qCWarning(lcDb) << "cannot prepare" << sql << ":" << lastError(db);
    return false;
  }
  return true;
}

std::vector<FieldDef> tableFields(sqlite3 *db, const QString &table) {
  std::vector<FieldDef> fields;
  Statement s;
  if (!s.prepare(db, QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?1)")))
    return fields;
  s.start();
  s.bind(1, table);
  while (s.step() == SQLITE_ROW)
    fields.push_back({s.text(0), fieldType(s.text(1), s.int64(2) != 0)});
  s.done();
  return fields;
}

} // namespace dorrin::db::sqlite
