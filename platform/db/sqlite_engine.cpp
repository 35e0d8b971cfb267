#include "platform/db/sqlite_engine.h"

#include "platform/db/sqlite_recordset.h"
#include "platform/db/sqlite_support.h"
#include "platform/text/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

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
// Files up to this many pages (16 MiB with 4 KiB pages) get a full quick
// check at open; it reads every page, a few milliseconds per MiB.
constexpr qint64 kQuickCheckPages = 4096;

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

// Looks for damage before the file is used. A small file (every launcher
// table, a week table of several years) gets SQLite's quick check of every
// page; a larger one only has each table's pages counted, which finds a
// damaged table page without the cost of checking every index. Returns why
// the file is damaged, or ""; *checked is false when a step failed for
// another reason than damage (a lock), so the answer says nothing.
QString damageCheck(sqlite3 *db, const std::vector<TableDef> &tables, bool *checked = nullptr) {
  if (checked) *checked = true;
  // The first text of the statement's first row; false on an error.
  auto query = [db](const QString &sql, QString *answer) {
    sqlite3_stmt *stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
      *answer = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    return rc == SQLITE_ROW || rc == SQLITE_DONE;
  };
  auto isDamage = [db] {
    const int primary = sqlite3_errcode(db) & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
  };
  auto notDamage = [&] {
    if (isDamage()) return sqlite::lastError(db);
    if (checked) *checked = false;
    return QString();
  };
  QString answer;
  if (!query(QStringLiteral("PRAGMA page_count"), &answer)) return notDamage();
  if (answer.toLongLong() <= kQuickCheckPages) {
    if (!query(QStringLiteral("PRAGMA quick_check(1)"), &answer)) return notDamage();
    return answer == u"ok" ? QString() : answer;
  }
  // A table the file lacks is no damage; the schema check deals with it.
  for (const TableDef &t : tables)
    if (!query("SELECT count(*) FROM " + quoted(t.name), &answer) && isDamage())
      return sqlite::lastError(db);
  return {};
}

// The file as it is now: size, change time and inode; empty when missing.
QByteArray fileIdentity(const QString &path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
  return QByteArray::number(static_cast<qint64>(st.st_size)) + ' ' +
         QByteArray::number(static_cast<qint64>(st.st_ctim.tv_sec)) + '.' +
         QByteArray::number(static_cast<qint64>(st.st_ctim.tv_nsec)) + ' ' +
         QByteArray::number(static_cast<quint64>(st.st_ino));
}

// The check ahead, on the worker thread. A journal beside the file may hold
// a change to roll back first, which a read-only connection cannot do: such
// a file is left to the check at open.
SqliteEngine::AheadAnswer checkOnWorker(const QString &path, const std::vector<TableDef> &tables) {
  SqliteEngine::AheadAnswer a;
  a.identity = fileIdentity(path);
  if (a.identity.isEmpty() || QFileInfo::exists(path + QStringLiteral("-journal"))) return a;
  sqlite3 *handle = nullptr;
  const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &handle,
                                 SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc == SQLITE_OK) {
    sqlite3_extended_result_codes(handle, 1);
    a.damage = damageCheck(handle, tables, &a.checked);
  }
  sqlite3_close_v2(handle);
  return a;
}

class SqliteDatabase final : public Database {
public:
  SqliteDatabase(std::shared_ptr<Connection> conn, QString error, bool damaged = false)
      : conn_(std::move(conn)), error_(std::move(error)), damaged_(damaged) {}

  bool IsOpen() const override { return conn_ != nullptr; }
  QString Error() const override { return error_; }
  bool Damaged() const override { return damaged_ || (conn_ && conn_->damaged); }
  QString LastError() const override { return conn_ ? conn_->lastError : error_; }

  std::unique_ptr<Recordset> OpenRecordset(const QString &table, int type) override {
    // The failure was reported when opening.
    if (!conn_) return closedRecordset("the database cannot be opened: " + error_);
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
    conn_->failed(sqlite3_extended_errcode(conn_->db));
    qCWarning(lcDb) << sql << "failed on" << conn_->path << ":" << error;
    return false;
  }

  std::shared_ptr<Connection> conn_;
  QString error_;
  bool damaged_;
};

} // namespace

SqliteEngine::SqliteEngine() = default;
SqliteEngine::~SqliteEngine() = default;

void SqliteEngine::checkAhead(const QString &path, const std::vector<TableDef> &tables) {
  const QFileInfo info(path);
  if (!info.isFile() || info.size() == 0 || ahead_.count(path)) return;
  ahead_[path] = std::async(std::launch::async, checkOnWorker, path, tables);
}

std::unique_ptr<Database> SqliteEngine::OpenDatabase(const QString &path,
                                                     const std::vector<TableDef> &create) {
  // A check ahead of this file counts when it looked at the file as it is.
  std::optional<QString> checkedAhead;
  if (const auto it = ahead_.find(path); it != ahead_.end()) {
    const AheadAnswer a = it->second.get();
    ahead_.erase(it);
    if (a.checked && a.identity == fileIdentity(path)) checkedAhead = a.damage;
  }
  // damaged: the file's content is the trouble (not its folder or rights).
  auto failed = [&](const QString &why, bool damaged = false) {
    qCCritical(lcDb).noquote() << "cannot open the database" << path << "-" << why
                               << "- the file is left as it is";
    return std::make_unique<SqliteDatabase>(nullptr, why, damaged);
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
                                   "an Access file needs converting first"),
                    true);
  }
  sqlite3 *handle = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | (fresh ? SQLITE_OPEN_CREATE : 0);
  const int rc = sqlite3_open_v2(path.toUtf8().constData(), &handle, flags, nullptr);
  auto conn = std::make_shared<Connection>(handle, path); // closes the handle in any case
  if (rc != SQLITE_OK) {
    const int primary = sqlite3_errcode(handle) & 0xff;
    return failed(sqlite::lastError(handle), primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB);
  }
  sqlite3_extended_result_codes(handle, 1);
  sqlite3_busy_timeout(handle, kBusyTimeoutMs);
  exec(handle, QStringLiteral("PRAGMA cache_size = -%1").arg(kCacheKiB));
  if (!fresh) {
    const QString damage = checkedAhead ? *checkedAhead : damageCheck(handle, create);
    if (!damage.isEmpty()) return failed("it is damaged: " + damage, true);
  }
  const QString why = prepareSchema(handle, create);
  if (!why.isEmpty()) {
    const int primary = sqlite3_errcode(handle) & 0xff;
    // Another program's database or other fields are as unusable as damage;
    // a file that could not be read for another reason (locked) is not.
    const bool unusable = primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB ||
                          (!why.startsWith(u"its content cannot be read") &&
                           !why.startsWith(u"its tables cannot be created"));
    return failed(why, unusable);
  }
  // A change reaches the disk before its statement returns, and a kill at any
  // moment leaves the old or the new content: a rollback journal beside the
  // file (one database file, no WAL side files) with a full sync of journal
  // and file at every commit.
  exec(handle, QStringLiteral("PRAGMA journal_mode = DELETE"));
  exec(handle, QStringLiteral("PRAGMA synchronous = FULL"));
  if (sqlite3_db_readonly(handle, "main") == 1)
    qCWarning(lcDb) << path << "is read-only: changes to it will fail";
  return std::make_unique<SqliteDatabase>(std::move(conn), QString());
}

} // namespace dorrin::db

namespace dorrin::db {

std::optional<QString> setAsideDatabase(const QString &path, const QDate &day, QString *error) {
  const QFileInfo info(path);
  const QString stem = info.completeBaseName(), suffix = info.suffix();
  const QString base = stem + QStringLiteral("-damaged-") + day.toString(u"yyyy-MM-dd");
  QString target;
  for (int n = 1; n < 1000; ++n) {
    const QString name = base + (n > 1 ? QStringLiteral("-%1").arg(n) : QString()) +
                         (suffix.isEmpty() ? QString() : u'.' + suffix);
    target = info.dir().filePath(name);
    if (!QFileInfo::exists(target) && !QFileInfo::exists(target + QStringLiteral("-journal")))
      break;
    target.clear();
  }
  if (target.isEmpty()) {
    if (error) *error = QStringLiteral("no free name beside the file");
    return std::nullopt;
  }
  // A rename keeps the bytes untouched; it is told never to replace a file
  // (a file system that cannot be told so gets a plain rename to the name
  // found free above).
  const QByteArray from = QFile::encodeName(path), to = QFile::encodeName(target);
  int rc = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
  if (rc != 0 && errno == EINVAL) rc = ::rename(from.constData(), to.constData());
  if (rc != 0) {
    if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
    return std::nullopt;
  }
  // A journal left beside the file belongs to it: it moves along, or SQLite
  // would apply it to the new database of the same name.
  for (const char *side : {"-journal", "-wal", "-shm"}) {
    const QString from = path + QLatin1String(side);
    if (QFileInfo::exists(from))
      ::rename(QFile::encodeName(from).constData(),
               QFile::encodeName(target + QLatin1String(side)).constData());
  }
  text::syncFolder(info.absolutePath());
  qCWarning(lcDb) << "the database" << path << "was set aside as" << target;
  return target;
}

} // namespace dorrin::db
