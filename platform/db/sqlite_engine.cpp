#include "platform/db/sqlite_engine.h"

#include "platform/db/sqlite_recordset.h"
#include "platform/db/sqlite_support.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace dorrin::db {

using sqlite::Connection;
using sqlite::quoted;
using sqlite::Statement;

namespace {

// Marks a file as one of this program's databases ("Dorr").
constexpr int kApplicationId = 0x446F7272;
constexpr int kBusyTimeoutMs = 1000;
// Page cache ceiling (KiB); taken only as pages are read, it keeps the
// indexes of a large table in memory so a find costs no file reads.
constexpr int kCacheKiB = 32768;

bool exec(sqlite3 *db, const QString &sql, QString *error = nullptr) {
  char *msg = nullptr;
  const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &msg);
  if (rc != SQLITE_OK && error) *error = QString::fromUtf8(msg ? msg : sqlite3_errstr(rc));
  sqlite3_free(msg);
  return rc == SQLITE_OK;
}

QString indexName(const QString &table, const QString &field) {
  return QStringLiteral("%1_%2_find").arg(table, field);
}

bool sameFields(const std::vector<FieldDef> &have, const TableDef &want) {
  if (have.size() != want.fields.size()) return false;
  for (size_t i = 0; i < have.size(); ++i)
    if (have[i].name.compare(want.fields[i].name, Qt::CaseInsensitive) != 0 ||
        have[i].type != want.fields[i].type)
      return false;
  return true;
}

QString createTableSql(const TableDef &t) {
  QStringList cols;
  for (const FieldDef &f : t.fields)
    cols << quoted(f.name) + u' ' + sqlite::declaredType(f.type);
  return "CREATE TABLE " + quoted(t.name) + " (" + cols.join(", ") + ")";
}

QStringList names(sqlite3 *db, const char *type, bool *ok) {
  QStringList out;
  Statement s;
  *ok = s.prepare(db, "SELECT name FROM sqlite_master WHERE type = ?1");
  if (!*ok) return out;
  s.start();
  s.bind(1, QString::fromLatin1(type));
  int rc;
  while ((rc = s.step()) == SQLITE_ROW)
    out << s.text(0);
  *ok = rc == SQLITE_DONE;
  s.done();
  return out;
}

bool containsName(const QStringList &list, const QString &name) {
  return list.contains(name, Qt::CaseInsensitive);
}

// Makes sure the file holds the tables of `create` with an index for every
// indexed field. Returns why the file cannot be used, or "" when it can.
// Nothing is written before the file has been read and found to be ours.
QString prepareSchema(sqlite3 *db, const std::vector<TableDef> &create) {
  // The first read of the file: a damaged or foreign file fails here.
  Statement s;
  if (!s.prepare(db, "PRAGMA application_id"))
    return "its content cannot be read: " + sqlite::lastError(db);
  s.start();
  if (s.step() != SQLITE_ROW) return "its content cannot be read: " + sqlite::lastError(db);
  const qint64 appId = s.int64(0);
  s.done();
  bool ok = false;
  QStringList tables = names(db, "table", &ok);
  if (!ok) return "its content cannot be read: " + sqlite::lastError(db);
  tables.removeIf([](const QString &n) { return n.startsWith(u"sqlite_"); });
  const QStringList indexes = names(db, "index", &ok);
  if (!ok) return "its content cannot be read: " + sqlite::lastError(db);

  if (appId != kApplicationId && appId != 0)
    return QStringLiteral("it is a database of another program");
  // A file of ours, or a brand-new empty one, may get its missing tables.
  const bool ours = appId == kApplicationId || tables.isEmpty();

  QStringList changes;
  for (const TableDef &t : create) {
    if (containsName(tables, t.name)) {
      if (!sameFields(sqlite::tableFields(db, t.name), t))
        return QStringLiteral("its table %1 has other fields than expected").arg(t.name);
    } else if (!ours) {
      return QStringLiteral("it holds no table %1").arg(t.name);
    } else {
      changes << createTableSql(t);
    }
    for (const FieldDef &f : t.fields)
      if (f.indexed && !containsName(indexes, indexName(t.name, f.name)))
        changes << "CREATE INDEX " + quoted(indexName(t.name, f.name)) + " ON " + quoted(t.name) +
                       " (" + quoted(f.name) + ")";
  }
  if (changes.isEmpty()) return {};
  if (ours && appId == 0)
    changes.prepend(QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId));

  QString error;
  bool done = exec(db, "BEGIN IMMEDIATE", &error);
  for (qsizetype i = 0; done && i < changes.size(); ++i)
    done = exec(db, changes[i], &error);
  done = done && exec(db, "COMMIT", &error);
  if (done) return {};
  exec(db, "ROLLBACK");
  // Without its tables the file is of no use; without an index it is only slower.
  for (const QString &c : changes)
    if (c.startsWith(u"CREATE TABLE")) return "its tables cannot be created: " + error;
  qCWarning(lcDb) << "cannot add the search indexes:" << error << "- finds will be slower";
  return {};
}

class SqliteDatabase final : public Database {
public:
  SqliteDatabase(std::shared_ptr<Connection> conn, QString error)
      : conn_(std::move(conn)), error_(std::move(error)) {}

  bool IsOpen() const override { return conn_ != nullptr; }
  QString Error() const override { return error_; }

  std::unique_ptr<Recordset> OpenRecordset(const QString &table, int type) override {
    if (!conn_) return closedRecordset(); // the failure was reported when opening
    if (type != kDynaset) {
      qCWarning(lcDb) << "recordset type" << type << "is not offered; only a dynaset (2)";
      return closedRecordset();
    }
    std::vector<FieldDef> fields = sqlite::tableFields(conn_->db, table);
    if (fields.empty()) {
      qCWarning(lcDb) << conn_->path << "has no table" << table;
      return closedRecordset();
    }
    auto rs = std::make_unique<sqlite::SqliteRecordset>(conn_, table, std::move(fields));
    if (!rs->IsOpen()) return closedRecordset();
    return rs;
  }

  bool BeginTrans() override { return run("BEGIN"); }
  bool CommitTrans() override { return run("COMMIT"); }
  bool Rollback() override {
    const bool ok = run("ROLLBACK");
    if (conn_) ++conn_->generation;
    return ok;
  }

private:
  bool run(const char *sql) {
    if (!conn_) return false;
    QString error;
    if (exec(conn_->db, QString::fromLatin1(sql), &error)) return true;
    qCWarning(lcDb) << sql << "failed on" << conn_->path << ":" << error;
    return false;
  }

  std::shared_ptr<Connection> conn_;
  QString error_;
};

} // namespace

std::unique_ptr<Database> SqliteEngine::OpenDatabase(const QString &path,
                                                     const std::vector<TableDef> &create) {
  auto failed = [&](const QString &why) {
    qCCritical(lcDb).noquote() << "cannot open the database" << path << "-" << why
                               << "- the file is left as it is";
    return std::make_unique<SqliteDatabase>(nullptr, why);
  };
  const QFileInfo info(path);
  const bool exists = info.exists();
  if (exists && !info.isFile()) return failed(QStringLiteral("it is not a file"));
  // An empty file holds nothing to lose: it becomes a new database.
  const bool fresh = !exists || info.size() == 0;
  if (!fresh) {
    // Look before SQLite touches the file: anything else (an Access file, a
    // damaged header) is refused before a byte could change.
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return failed("it cannot be read: " + f.errorString());
    if (f.read(16) != QByteArray("SQLite format 3\0", 16))
      return failed(QStringLiteral("it is not in this program's database format (SQLite); "
                                   "an Access file needs converting first"));
  }
  sqlite3 *handle = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | (fresh ? SQLITE_OPEN_CREATE : 0);
  const int rc = sqlite3_open_v2(path.toUtf8().constData(), &handle, flags, nullptr);
  auto conn = std::make_shared<Connection>(handle, path); // closes the handle in any case
  if (rc != SQLITE_OK) return failed(sqlite::lastError(handle));
  sqlite3_extended_result_codes(handle, 1);
  sqlite3_busy_timeout(handle, kBusyTimeoutMs);
  exec(handle, QStringLiteral("PRAGMA cache_size = -%1").arg(kCacheKiB));
  const QString why = prepareSchema(handle, create);
  if (!why.isEmpty()) return failed(why);
  if (sqlite3_db_readonly(handle, "main") == 1)
    qCWarning(lcDb) << path << "is read-only: changes to it will fail";
  return std::make_unique<SqliteDatabase>(std::move(conn), QString());
}

} // namespace dorrin::db
