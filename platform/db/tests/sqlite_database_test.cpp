// Contract tests of the database engine on real SQLite files.
#include "organiser/contracts/tables.h"
#include "platform/db/sqlite_engine.h"

#include "tests/support/temp_folder.h"

#include <QDir>
#include <chrono>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <thread>

using namespace dorrin::db;
using dorrin::test::TempFolder;

namespace {

QString u(const char *utf8) {
  return QString::fromUtf8(utf8);
}

// Collects what the engine logs, to see that a failure is reported once.
class LogCapture {
public:
  LogCapture() {
    messages().clear();
    previous_ = qInstallMessageHandler(&LogCapture::handle);
  }
  ~LogCapture() { qInstallMessageHandler(previous_); }
  static QStringList &messages() {
    static QStringList m;
    return m;
  }
  int count(QtMsgType type) const { return counts()[type]; }

private:
  static std::map<QtMsgType, int> &counts() {
    static std::map<QtMsgType, int> c;
    return c;
  }
  static void handle(QtMsgType type, const QMessageLogContext &ctx, const QString &msg) {
    if (QByteArray(ctx.category) != "dorrin.db") return;
    ++counts()[type];
    messages() << msg;
  }
  QtMessageHandler previous_;

public:
  void reset() {
    counts().clear();
    messages().clear();
  }
};

// Runs SQL on a file directly, outside the engine.
QStringList sql(const QString &path, const QString &statement) {
  sqlite3 *db = nullptr;
  QStringList out;
  if (sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK) {
    sqlite3_exec(
        db, statement.toUtf8().constData(),
        [](void *o, int n, char **vals, char **) {
          for (int i = 0; i < n; ++i)
            static_cast<QStringList *>(o)->append(vals[i] ? QString::fromUtf8(vals[i]) : "NULL");
          return 0;
        },
        &out, nullptr);
  }
  sqlite3_close(db);
  return out;
}

class Db : public ::testing::Test {
protected:
  std::unique_ptr<Database> open(const QString &name, const TableDef &t) {
    return engine.OpenDatabase(dir.file(name), {t});
  }
  // The week table with the given (date, text) records, in this order.
  std::unique_ptr<Recordset> week(std::vector<std::pair<const char *, const char *>> rows) {
    db = open("TessivoWeek.mdb", weekTable());
    auto rs = db->OpenRecordset("AWeek", kDynaset);
    for (const auto &[date, memo] : rows)
      add(*rs, {date, memo});
    rs->MoveFirst();
    return rs;
  }
  static void add(Recordset &rs, const QStringList &values) {
    ASSERT_TRUE(rs.AddNew());
    for (int i = 0; i < values.size(); ++i)
      ASSERT_TRUE(rs.Fields(i).SetValue(values[i]));
    ASSERT_TRUE(rs.Update());
  }
  static QStringList texts(Recordset &rs, int field = 1) {
    QStringList out;
    for (bool more = rs.MoveFirst(); more && !rs.Eof(); rs.MoveNext())
      out << rs.Fields(field).Value();
    return out;
  }

  TempFolder dir;
  SqliteEngine engine;
  std::unique_ptr<Database> db;
};

} // namespace

TEST_F(Db, MissingFileIsCreatedWithItsTableAndIndexes) {
  struct Case {
    const char *file;
    const TableDef &table;
    QStringList fields;
  } cases[] = {
      {"TessivoWeek.mdb", weekTable(), {"BDate", "BMemo"}},
      {"TessivoDorrin.mdb", launcherTable(), {u("번호"), u("종류"), u("제목"), u("경로")}},
      {"TessivoTel.mdb",
       phoneTable(),
       {u("이름"), u("그룹"), u("집"), u("회사"), u("휴대폰"), u("내선"), u("주소(집)"),
        u("주소(회사)"), u("메일1"), u("메일2"), u("홈페이지"), u("메모1"), u("메모2"), u("메모3"),
        u("번호")}},
  };
  for (const auto &c : cases) {
    ASSERT_FALSE(QFile::exists(dir.file(c.file)));
    auto d = open(c.file, c.table);
    ASSERT_TRUE(d->IsOpen()) << c.file;
    EXPECT_TRUE(d->Error().isEmpty());
    auto rs = d->OpenRecordset(c.table.name, kDynaset);
    ASSERT_TRUE(rs->IsOpen());
    QStringList names;
    for (int i = 0; i < rs->FieldCount(); ++i)
      names << rs->Fields(i).Name();
    EXPECT_EQ(names, c.fields);
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_TRUE(rs->Eof());
    EXPECT_FALSE(rs->MoveFirst());
    // A find on a searched field, FindNext's form included, is one index
    // seek: no scan of the table and no sort.
    for (const FieldDef &f : c.table.fields) {
      if (!f.indexed) continue;
      const QString plan =
          sql(dir.file(c.file), QStringLiteral("EXPLAIN QUERY PLAN SELECT rowid, * FROM \"%1\" "
                                               "WHERE \"%2\" = ?1 AND rowid > ?2 ORDER BY rowid "
                                               "LIMIT 1")
                                    .arg(c.table.name, f.name))
              .join(' ');
      EXPECT_TRUE(plan.contains(
          QStringLiteral("INDEX %1_%2_find (%2=? AND rowid>?)").arg(c.table.name, f.name)))
          << plan.toStdString();
      EXPECT_FALSE(plan.contains("TEMP B-TREE")) << plan.toStdString();
    }
  }
}

TEST_F(Db, ChangesPersistAndHangulRoundTrips) {
  const QString memo = u("똠방각하의 '메모' 😀 a|b");
  {
    auto rs = week({{"2026-12-06", "first"}});
    add(*rs, {"2100-01-01", memo});
    ASSERT_TRUE(rs->MoveLast());
    ASSERT_TRUE(rs->Edit());
    ASSERT_TRUE(rs->Fields(0).SetValue("2026-12-07"));
    ASSERT_TRUE(rs->Update());
    db.reset(); // the recordset outlives its database object
    EXPECT_EQ(rs->Fields(1).Value(), memo);
  }
  auto again = open("TessivoWeek.mdb", weekTable());
  auto rs = again->OpenRecordset("AWeek", kDynaset);
  EXPECT_EQ(texts(*rs), (QStringList{"first", memo}));
  ASSERT_TRUE(rs->MoveLast());
  EXPECT_EQ(rs->Fields(0).Value(), "2026-12-07");
  EXPECT_EQ(sql(dir.file("TessivoWeek.mdb"), "SELECT BMemo FROM AWeek WHERE rowid = 2"),
            QStringList{memo});
}

TEST_F(Db, FindsFollowTableOrderWithDuplicates) {
  auto rs = week({{"2026-12-06", "a"},
                  {"2026-12-07", "b"},
                  {"2026-12-06", "c"},
                  {"2026-12-08", "a"},
                  {"2026-12-06", "A"}});
  EXPECT_TRUE(rs->FindFirst("BDate='2026-12-06'"));
  EXPECT_EQ(rs->Fields(1).Value(), "a");
  EXPECT_TRUE(rs->FindNext("BDate='2026-12-06'"));
  EXPECT_EQ(rs->Fields(1).Value(), "c");
  EXPECT_TRUE(rs->FindNext("BDate='2026-12-06'"));
  EXPECT_EQ(rs->Fields(1).Value(), "A");
  EXPECT_FALSE(rs->FindNext("BDate='2026-12-06'"));
  EXPECT_TRUE(rs->NoMatch());

  // FindFirst starts from the top wherever the recordset stands; text is
  // compared exactly, case included.
  ASSERT_TRUE(rs->MoveLast());
  EXPECT_TRUE(rs->FindFirst("BMemo='a'"));
  EXPECT_FALSE(rs->NoMatch());
  EXPECT_EQ(rs->Fields(0).Value(), "2026-12-06");
  EXPECT_TRUE(rs->FindNext("BMemo", "a"));
  EXPECT_EQ(rs->Fields(0).Value(), "2026-12-08");
  EXPECT_FALSE(rs->FindNext("BMemo", "a"));

  // The first in table order is the one that is changed.
  ASSERT_TRUE(rs->FindFirst("BMemo='a'"));
  ASSERT_TRUE(rs->Edit());
  ASSERT_TRUE(rs->Fields(1).SetValue("changed"));
  ASSERT_TRUE(rs->Update());
  EXPECT_EQ(texts(*rs), (QStringList{"changed", "b", "c", "a", "A"}));
}

TEST_F(Db, NumericKeyFindsAndTypeChecks) {
  db = open("TessivoDorrin.mdb", launcherTable());
  auto rs = db->OpenRecordset("Dorrin", kDynaset);
  add(*rs, {"5", u("파일"), "one", "c:\\a.txt"});
  add(*rs, {"7", u("웹"), "two", "http://x"});
  add(*rs, {"5", u("폴더"), "three", "c:\\b"});
  ASSERT_TRUE(rs->MoveFirst());
  EXPECT_TRUE(rs->FindFirst(u("번호=5")));
  EXPECT_EQ(rs->Fields(2).Value(), "one");
  EXPECT_TRUE(rs->FindNext(u("번호=5")));
  EXPECT_EQ(rs->Fields(2).Value(), "three");
  EXPECT_TRUE(rs->FindFirst(u("번호='7'")));
  EXPECT_EQ(rs->Fields(0).Value(), "7");
  EXPECT_FALSE(rs->FindFirst(u("번호=8")));
  EXPECT_FALSE(rs->FindFirst(u("번호=x"))); // not a number: no match, no error escapes

  // A value that does not fit the field is refused; the rest of the record
  // is still stored.
  ASSERT_TRUE(rs->AddNew());
  EXPECT_FALSE(rs->Fields(0).SetValue("abc"));
  EXPECT_FALSE(rs->Fields(0).SetValue("70000"));
  EXPECT_FALSE(rs->Fields(0).SetValue(""));
  EXPECT_TRUE(rs->Fields(0).IsNull());
  EXPECT_TRUE(rs->Fields(0).SetValue(" 12 "));
  EXPECT_EQ(rs->Fields(0).Value(), "12");
  EXPECT_FALSE(rs->Fields(9).SetValue("x"));
  EXPECT_TRUE(rs->Fields(2).SetValue("four"));
  EXPECT_TRUE(rs->Update());
  EXPECT_TRUE(rs->FindFirst(u("번호=12")));
  EXPECT_EQ(rs->Fields(2).Value(), "four");
  EXPECT_TRUE(rs->Fields(1).IsNull());
  EXPECT_EQ(rs->Fields(1).Value(), "");

  auto week = open("TessivoWeek.mdb", weekTable())->OpenRecordset("AWeek", kDynaset);
  ASSERT_TRUE(week->AddNew());
  for (const char *bad : {"2026-13-01", "12/6/2026", "", "2026-2-1"})
    EXPECT_FALSE(week->Fields(0).SetValue(bad)) << bad;
  EXPECT_TRUE(week->Fields(0).IsNull());
}

TEST_F(Db, NullFieldsReadEmptyAndTheCounterIsFilledByTheDatabase) {
  db = open("TessivoTel.mdb", phoneTable());
  auto rs = db->OpenRecordset("Tel", kDynaset);
  add(*rs, {u("홍길동"), u("친구")});
  add(*rs, {u("김철수"), "", "02-123"});
  ASSERT_TRUE(rs->MoveFirst());
  EXPECT_TRUE(rs->Fields(2).IsNull());
  EXPECT_EQ(rs->Fields(2).Value(), "");
  EXPECT_EQ(rs->Fields(14).Value(), "1");
  ASSERT_TRUE(rs->MoveNext());
  EXPECT_FALSE(rs->Fields(1).IsNull()); // an empty text is a value
  EXPECT_EQ(rs->Fields(2).Value(), "02-123");
  EXPECT_EQ(rs->Fields(14).Value(), "2");
  ASSERT_TRUE(rs->Edit());
  EXPECT_FALSE(rs->Fields(14).SetValue("9"));
  EXPECT_TRUE(rs->Fields(1).SetNull());
  ASSERT_TRUE(rs->Update());
  EXPECT_TRUE(rs->Fields(1).IsNull());
  EXPECT_EQ(rs->Fields(14).Value(), "2");
  // Out of range or without a current record there is nothing to read.
  EXPECT_TRUE(rs->Fields(15).IsNull());
  EXPECT_TRUE(rs->Fields(-1).IsNull());
  ASSERT_TRUE(rs->MoveNext());
  EXPECT_TRUE(rs->Eof());
  EXPECT_TRUE(rs->Fields(0).IsNull());
  EXPECT_FALSE(rs->MoveNext());
  EXPECT_FALSE(rs->Fields(0).SetValue("x")); // no AddNew or Edit
}

TEST_F(Db, ApostrophesNeverReachAnotherRecord) {
  auto rs = week({{"2026-12-06", "it"},
                  {"2026-12-06", "it's"},
                  {"2026-12-06", "s'"},
                  {"2026-12-06", "x='y"},
                  {"2026-12-06", "''"},
                  {"2026-12-06", "it's'"}});
  struct Case {
    const char *criteria;
    const char *found; // nullptr: no match
  } cases[] = {
      {"BMemo='it's'", "it's"}, {"BMemo='it'", "it"},   {"BMemo='s''", "s'"},
      {"BMemo='x='y'", "x='y"}, {"BMemo=''''", "''"},   {"BMemo='it's''", "it's'"},
      {"BMemo='it", nullptr},   {"BMemo=it", nullptr},  {"BMemo='s", nullptr},
      {"BMemo=''", nullptr},    {"Nope='it'", nullptr}, {"='it'", nullptr},
  };
  for (const auto &c : cases) {
    rs->MoveFirst();
    const bool found = rs->FindFirst(QString::fromLatin1(c.criteria));
    EXPECT_EQ(found, c.found != nullptr) << c.criteria;
    EXPECT_EQ(rs->NoMatch(), c.found == nullptr) << c.criteria;
    if (c.found) {
      EXPECT_EQ(rs->Fields(1).Value(), c.found) << c.criteria;
    } else {
      // No current record after a failed find: Edit and Delete cannot touch
      // the record that happened to be current before.
      EXPECT_TRUE(rs->Eof()) << c.criteria;
      EXPECT_FALSE(rs->Edit()) << c.criteria;
      EXPECT_FALSE(rs->Delete()) << c.criteria;
    }
  }
  for (const char *value : {"it's", "''", "it's'", "x='y"}) {
    ASSERT_TRUE(rs->FindFirst("BMemo", value)) << value;
    EXPECT_EQ(rs->Fields(1).Value(), value);
    EXPECT_FALSE(rs->FindNext("BMemo", value)) << value;
  }
  EXPECT_FALSE(rs->FindFirst("BMemo", "it'"));
  EXPECT_EQ(rs->RecordCount(), 6);
}

TEST_F(Db, DeleteWhileEditingThenMoveOn) {
  auto rs = week({{"2026-12-06", "a"}, {"2026-12-06", "b"}, {"2026-12-06", "c"}});
  ASSERT_TRUE(rs->FindFirst("BMemo='b'"));
  ASSERT_TRUE(rs->Edit());
  ASSERT_TRUE(rs->Fields(1).SetValue("edited"));
  ASSERT_TRUE(rs->Delete());
  EXPECT_FALSE(rs->Eof());
  EXPECT_TRUE(rs->Fields(1).IsNull()); // the deleted record has no values
  EXPECT_FALSE(rs->Update());          // the edit went with the record
  EXPECT_FALSE(rs->Delete());
  ASSERT_TRUE(rs->MoveNext());
  EXPECT_EQ(rs->Fields(1).Value(), "c");
  EXPECT_EQ(texts(*rs), (QStringList{"a", "c"}));

  // Deleting the last record: the next move reaches the end, then MoveLast.
  ASSERT_TRUE(rs->FindFirst("BMemo='c'"));
  ASSERT_TRUE(rs->Delete());
  ASSERT_TRUE(rs->MoveNext());
  EXPECT_TRUE(rs->Eof());
  ASSERT_TRUE(rs->MoveLast());
  EXPECT_EQ(rs->Fields(1).Value(), "a");
  // FindNext from a deleted record goes on after it.
  add(*rs, {"2026-12-06", "x"});
  add(*rs, {"2026-12-06", "x"});
  ASSERT_TRUE(rs->FindFirst("BMemo='x'"));
  ASSERT_TRUE(rs->Delete());
  EXPECT_TRUE(rs->FindNext("BMemo='x'"));
  EXPECT_EQ(rs->RecordCount(), 2);

  // A new record pending is not deleted in passing.
  ASSERT_TRUE(rs->MoveFirst());
  ASSERT_TRUE(rs->AddNew());
  EXPECT_FALSE(rs->Delete());
  EXPECT_EQ(rs->RecordCount(), 2);
}

TEST_F(Db, AddNewAppendsAndKeepsTheCurrentRecord) {
  auto rs = week({{"2026-12-06", "a"}, {"2026-12-07", "b"}});
  ASSERT_TRUE(rs->MoveFirst());
  add(*rs, {"2026-12-08", "c"});
  EXPECT_EQ(rs->Fields(1).Value(), "a");
  // A move drops a pending AddNew or Edit.
  ASSERT_TRUE(rs->AddNew());
  ASSERT_TRUE(rs->Fields(1).SetValue("dropped"));
  ASSERT_TRUE(rs->MoveLast());
  EXPECT_FALSE(rs->Update());
  ASSERT_TRUE(rs->Edit());
  ASSERT_TRUE(rs->Fields(1).SetValue("dropped too"));
  ASSERT_TRUE(rs->MoveFirst());
  EXPECT_EQ(texts(*rs), (QStringList{"a", "b", "c"}));
}

TEST_F(Db, ScanSeesChangesMadeWhileScanning) {
  db = open("TessivoWeek.mdb", weekTable());
  auto rs = db->OpenRecordset("AWeek", kDynaset);
  ASSERT_TRUE(db->BeginTrans());
  for (int i = 0; i < 3000; ++i)
    add(*rs, {"2026-12-06", QString::number(i)});
  ASSERT_TRUE(db->CommitTrans());

  // Every third record deleted, every other one edited, one added at the end
  // (in one transaction only to keep the test quick).
  ASSERT_TRUE(db->BeginTrans());
  int visited = 0;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
    const int n = rs->Fields(1).Value().toInt();
    ASSERT_EQ(n, visited) << "out of table order";
    ++visited;
    if (n % 3 == 0) {
      ASSERT_TRUE(rs->Edit());
      ASSERT_TRUE(rs->Delete());
    } else {
      ASSERT_TRUE(rs->Edit());
      ASSERT_TRUE(rs->Fields(0).SetValue("2026-12-07"));
      ASSERT_TRUE(rs->Update());
    }
    if (n == 1501) {
      const int keep = n;
      add(*rs, {"2026-12-08", "3000"});
      ASSERT_EQ(rs->Fields(1).Value().toInt(), keep);
    }
  }
  ASSERT_TRUE(db->CommitTrans());
  EXPECT_EQ(visited, 3001);
  EXPECT_EQ(rs->RecordCount(), 3001 - 1001);
  ASSERT_TRUE(rs->FindFirst("BDate='2026-12-07'"));
  EXPECT_EQ(rs->Fields(1).Value(), "1");
  EXPECT_FALSE(rs->FindFirst("BDate='2026-12-06'"));
}

TEST_F(Db, RollbackUndoesATransaction) {
  db = open("TessivoWeek.mdb", weekTable());
  auto rs = db->OpenRecordset("AWeek", kDynaset);
  add(*rs, {"2026-12-06", "kept"});
  ASSERT_TRUE(rs->MoveFirst());
  ASSERT_TRUE(db->BeginTrans());
  add(*rs, {"2026-12-06", "undone"});
  ASSERT_TRUE(rs->Edit());
  ASSERT_TRUE(rs->Fields(1).SetValue("changed"));
  ASSERT_TRUE(rs->Update());
  ASSERT_TRUE(db->Rollback());
  EXPECT_EQ(rs->Fields(1).Value(), "kept");
  EXPECT_EQ(texts(*rs), QStringList{"kept"});
  EXPECT_FALSE(db->CommitTrans());
}

TEST_F(Db, UnusableFilesAreLeftAloneAndReportedOnce) {
  QByteArray sqliteHeaderThenGarbage("SQLite format 3\0", 16);
  sqliteHeaderThenGarbage += QByteArray(4096, '\x5a');
  QByteArray access("\x00\x01\x00\x00Standard Jet DB\x00", 20);
  access += QByteArray(2048, '\x01');
  // A SQLite file of another program (a table of its own, no mark of ours).
  const QString foreignPath = dir.file("other.db");
  sql(foreignPath, "CREATE TABLE foo (a); INSERT INTO foo VALUES (1);");
  const QString markedPath = dir.file("marked.db");
  sql(markedPath, "PRAGMA application_id = 1234; CREATE TABLE x (a);");
  // Our own table with other fields than the program expects.
  const QString oldPath = dir.file("old.db");
  sql(oldPath, "CREATE TABLE AWeek (BDate DATETEXT, BMemo TEXT, Extra TEXT);");

  struct Case {
    const char *name;
    QByteArray bytes; // empty: prepared above
  } cases[] = {
      {"garbage.mdb", QByteArray(3000, '\xee')},
      {"access.mdb", access},
      {"short.mdb", "hello"},
      {"damaged.mdb", sqliteHeaderThenGarbage},
      {"other.db", {}},
      {"marked.db", {}},
      {"old.db", {}},
  };
  LogCapture log;
  for (const auto &c : cases) {
    if (!c.bytes.isEmpty()) dir.write(c.name, c.bytes);
    const QByteArray before = dir.read(c.name);
    const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files);
    log.reset();

    auto d = open(c.name, weekTable());
    EXPECT_FALSE(d->IsOpen()) << c.name;
    EXPECT_FALSE(d->Error().isEmpty()) << c.name;
    EXPECT_TRUE(d->Damaged()) << c.name;
    auto rs = d->OpenRecordset("AWeek", kDynaset);
    EXPECT_FALSE(rs->IsOpen());
    EXPECT_TRUE(rs->Eof());
    EXPECT_FALSE(rs->MoveFirst());
    EXPECT_FALSE(rs->FindFirst("BMemo='a'"));
    EXPECT_TRUE(rs->NoMatch());
    EXPECT_FALSE(rs->AddNew());
    EXPECT_FALSE(rs->Fields(1).SetValue("x"));
    EXPECT_FALSE(rs->Update());
    EXPECT_FALSE(rs->Delete());
    EXPECT_EQ(rs->Fields(0).Value(), "");
    EXPECT_FALSE(d->BeginTrans());
    d.reset();
    rs.reset();

    EXPECT_EQ(dir.read(c.name), before) << c.name << " was changed";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), filesBefore) << c.name;
    EXPECT_EQ(log.count(QtCriticalMsg), 1)
        << c.name << ": " << log.messages().join('\n').toStdString();
    EXPECT_EQ(log.count(QtWarningMsg), 0)
        << c.name << ": " << log.messages().join('\n').toStdString();
    EXPECT_TRUE(log.messages().value(0).contains(dir.file(c.name))) << c.name;
  }
}

TEST_F(Db, ExistingFileWithoutIndexesGetsThem) {
  const QString path = dir.file("TessivoWeek.mdb");
  sql(path, "CREATE TABLE AWeek (BDate DATETEXT, BMemo TEXT);"
            "INSERT INTO AWeek VALUES ('2026-12-06', 'kept');");
  auto d = open("TessivoWeek.mdb", weekTable());
  ASSERT_TRUE(d->IsOpen()) << d->Error().toStdString();
  EXPECT_EQ(sql(path, "SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name"),
            (QStringList{"AWeek_BDate_find", "AWeek_BMemo_find"}));
  auto rs = d->OpenRecordset("AWeek", kDynaset);
  EXPECT_TRUE(rs->FindFirst("BDate='2026-12-06'"));
  EXPECT_EQ(rs->Fields(1).Value(), "kept");

  // A file of ours that lacks a table gets it; one made elsewhere does not.
  EXPECT_FALSE(engine.OpenDatabase(path, {weekTable(), launcherTable()})->IsOpen());
  open("mine.mdb", weekTable());
  auto more = engine.OpenDatabase(dir.file("mine.mdb"), {weekTable(), launcherTable()});
  ASSERT_TRUE(more->IsOpen());
  EXPECT_TRUE(more->OpenRecordset("Dorrin", kDynaset)->IsOpen());
  EXPECT_FALSE(more->OpenRecordset("Nope", kDynaset)->IsOpen());
  EXPECT_FALSE(more->OpenRecordset("AWeek", 1)->IsOpen());
}

TEST_F(Db, MissingFolderFailsWithoutCreatingIt) {
  auto d = engine.OpenDatabase(dir.file("no/such/TessivoWeek.mdb"), {weekTable()});
  EXPECT_FALSE(d->IsOpen());
  EXPECT_FALSE(d->Damaged()); // nothing there to set aside
  EXPECT_FALSE(QDir(dir.file("no")).exists());
}

namespace {

// A week database of several pages; returns its page size.
int fillWeek(const QString &path, int rows) {
  QString script = "BEGIN;";
  for (int i = 0; i < rows; ++i)
    script += QStringLiteral("INSERT INTO AWeek VALUES ('2026-12-%1', '메모 %2 %3');")
                  .arg(1 + i % 28, 2, 10, QChar('0'))
                  .arg(i)
                  .arg(QString(40, 'x'));
  sql(path, script + "COMMIT;");
  return sql(path, "PRAGMA page_size").value(0).toInt();
}

// Overwrites one page of the file with garbage; with bumpCounter the file's
// change counter moves on, as when another process wrote it, so an open
// connection drops its cached pages.
void damagePage(const QString &path, int pageSize, int page, bool bumpCounter) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  f.seek(qint64(page - 1) * pageSize);
  f.write(QByteArray(pageSize, '\x7f'));
  if (bumpCounter) {
    f.seek(24);
    QByteArray c = f.read(4);
    c[3] = char(c[3] + 1);
    f.seek(24);
    f.write(c);
  }
}

} // namespace

TEST_F(Db, DamagedPagesBehindAGoodHeaderAreFoundAtOpenAndTheFileSetAside) {
  const QString path = dir.file("TessivoWeek.mdb");
  open("TessivoWeek.mdb", weekTable()).reset();
  const int pageSize = fillWeek(path, 2000);
  const int pages = sql(path, "PRAGMA page_count").value(0).toInt();
  ASSERT_GT(pages, 10);
  damagePage(path, pageSize, pages / 2, false);
  const QByteArray before = dir.read("TessivoWeek.mdb");

  LogCapture log;
  auto d = open("TessivoWeek.mdb", weekTable());
  EXPECT_FALSE(d->IsOpen());
  EXPECT_TRUE(d->Damaged());
  EXPECT_TRUE(d->Error().contains("damaged")) << d->Error().toStdString();
  d.reset();
  EXPECT_EQ(dir.read("TessivoWeek.mdb"), before);

  // Set aside under a dated name, byte for byte; a second one gets "-2".
  const QDate day(2026, 12, 10);
  QString error;
  const auto moved = setAsideDatabase(path, day, &error);
  ASSERT_TRUE(moved) << error.toStdString();
  EXPECT_EQ(*moved, dir.file("TessivoWeek-damaged-2026-12-10.mdb"));
  EXPECT_EQ(dir.read("TessivoWeek-damaged-2026-12-10.mdb"), before);
  EXPECT_FALSE(QFile::exists(path));

  auto fresh = open("TessivoWeek.mdb", weekTable());
  ASSERT_TRUE(fresh->IsOpen()) << fresh->Error().toStdString();
  auto rs = fresh->OpenRecordset("AWeek", kDynaset);
  add(*rs, {"2026-12-10", "새 메모"});
  EXPECT_EQ(texts(*rs), QStringList{"새 메모"});
  rs.reset();
  fresh.reset();

  dir.write("TessivoWeek.mdb", "not a database at all");
  dir.write("TessivoWeek.mdb-journal", "its journal");
  const auto second = setAsideDatabase(path, day, &error);
  ASSERT_TRUE(second) << error.toStdString();
  EXPECT_EQ(*second, dir.file("TessivoWeek-damaged-2026-12-10-2.mdb"));
  EXPECT_EQ(dir.read("TessivoWeek-damaged-2026-12-10-2.mdb-journal"), "its journal");
  EXPECT_EQ(dir.read("TessivoWeek-damaged-2026-12-10.mdb"), before);
  EXPECT_FALSE(QFile::exists(path + "-journal"));
}

TEST_F(Db, ACheckAheadFindsWhatTheCheckAtOpenFindsEvenWhenTheFileChangesAfterIt) {
  const QString path = dir.file("TessivoWeek.mdb");
  struct Case {
    const char *name;
    bool damagedBefore, damagedAfter;
  } cases[] = {{"sound file", false, false},
               {"damaged before the check ahead", true, false},
               {"damaged after the check ahead looked at it", false, true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(path);
    open("TessivoWeek.mdb", weekTable()).reset();
    const int pageSize = fillWeek(path, 2000);
    const int pages = sql(path, "PRAGMA page_count").value(0).toInt();
    if (c.damagedBefore) damagePage(path, pageSize, pages / 2, false);
    engine.checkAhead(path, {weekTable()});
    if (c.damagedAfter) {
      // Later than the file times' granularity, so the file reads as changed.
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      damagePage(path, pageSize, pages / 2, false);
    }
    const QByteArray before = dir.read("TessivoWeek.mdb");
    LogCapture log;
    auto d = open("TessivoWeek.mdb", weekTable());
    const bool damaged = c.damagedBefore || c.damagedAfter;
    EXPECT_EQ(d->IsOpen(), !damaged);
    EXPECT_EQ(d->Damaged(), damaged);
    if (!damaged) {
      auto rs = d->OpenRecordset("AWeek", kDynaset);
      EXPECT_TRUE(rs->FindFirst("BDate='2026-12-01'"));
    }
    d.reset();
    if (damaged) {
      EXPECT_EQ(dir.read("TessivoWeek.mdb"), before) << "never written";
    }
  }
  // A missing file is left to the open, which creates it.
  QFile::remove(path);
  engine.checkAhead(path, {weekTable()});
  EXPECT_TRUE(open("TessivoWeek.mdb", weekTable())->IsOpen());
}

TEST_F(Db, DamageFoundWhileOpenStopsEveryChange) {
  const QString path = dir.file("TessivoWeek.mdb");
  open("TessivoWeek.mdb", weekTable()).reset();
  const int pageSize = fillWeek(path, 2000);
  auto d = open("TessivoWeek.mdb", weekTable());
  ASSERT_TRUE(d->IsOpen());
  EXPECT_FALSE(d->Damaged());
  auto rs = d->OpenRecordset("AWeek", kDynaset);
  ASSERT_TRUE(rs->IsOpen());
  const int pages = sql(path, "PRAGMA page_count").value(0).toInt();
  for (int p = 3; p < pages; ++p)
    damagePage(path, pageSize, p, p == pages - 1);
  const QByteArray before = dir.read("TessivoWeek.mdb");

  LogCapture log;
  log.reset();
  int seen = 0;
  for (bool more = rs->MoveFirst(); more && !rs->Eof(); more = rs->MoveNext())
    ++seen;
  EXPECT_LT(seen, 2000);
  EXPECT_TRUE(d->Damaged());
  // The reason the user is shown says in Korean what happened, with SQLite's own words kept.
  EXPECT_TRUE(d->LastError().startsWith(u"파일이 손상되었습니다 (")) << d->LastError().toStdString();
  EXPECT_EQ(log.count(QtCriticalMsg), 1) << log.messages().join('\n').toStdString();
  EXPECT_TRUE(rs->AddNew());
  rs->Fields(0).SetValue("2026-12-10");
  EXPECT_FALSE(rs->Update());
  EXPECT_FALSE(rs->FindFirst("BMemo='메모 1 " + QString(40, 'x') + "'") && rs->Delete());
  rs.reset();
  d.reset();
  EXPECT_EQ(dir.read("TessivoWeek.mdb"), before);
}
