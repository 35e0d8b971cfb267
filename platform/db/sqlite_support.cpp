#include "platform/db/sqlite_support.h"

namespace dorrin::db::sqlite {

namespace {

// SQLite's own text, led by what it means for the user in Korean where the
// answer is one a user can act on (the text is shown in the save-failure
// and damaged-file messages).
QString reason(int rc, const char *detail) {
  const QString english = QString::fromUtf8(detail);
  const char16_t *korean = nullptr;
  switch (rc & 0xff) {
  case SQLITE_READONLY:
    korean = u"읽기 전용이라 쓸 수 없습니다";
    break;
  case SQLITE_PERM:
  case SQLITE_AUTH:
    korean = u"권한이 없습니다";
    break;
  case SQLITE_FULL:
    korean = u"디스크 공간이 부족합니다";
    break;
  case SQLITE_CANTOPEN:
    korean = u"파일을 열 수 없습니다";
    break;
  case SQLITE_IOERR:
    korean = u"디스크에 읽거나 쓰지 못했습니다";
    break;
  case SQLITE_CORRUPT:
    korean = u"파일이 손상되었습니다";
    break;
  case SQLITE_NOTADB:
    korean = u"데이터베이스 파일이 아닙니다";
    break;
  case SQLITE_BUSY:
  case SQLITE_LOCKED:
    korean = u"다른 프로그램이 파일을 쓰고 있습니다";
    break;
  default:
    break;
  }
  return korean ? QString::fromUtf16(korean) + QStringLiteral(" (") + english + u')' : english;
}

} // namespace

void Connection::failed(int rc) {
  lastError = reason(rc, sqlite3_errmsg(db));
  const int primary = rc & 0xff;
  if ((primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB) && !damaged) {
    damaged = true;
    qCCritical(lcDb).noquote() << "the database" << path << "is damaged (" << lastError
                               << ") - nothing more is written to it";
  }
}

QString lastError(sqlite3 *db) {
  return reason(sqlite3_extended_errcode(db), sqlite3_errmsg(db));
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
