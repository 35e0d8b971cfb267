// Checks a data folder after the organiser was killed: the settings line is
// one whole line of 76 fields, the alarm store one whole line of 539 items
// and the group file one of 90, each text typed into them whole; every
// database passes SQLite's integrity check and holds only whole entries,
// the user guide is whole.
//   check_data DATA_DIR ENTRY_PATTERN
// Prints "checked N files, M damaged, E week entries"; fails when M > 0.
#include "organiser/main/launcher_store.h"
#include "platform/text/cp949.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <sqlite3.h>
#include <utility>

namespace {

QTextStream out(stdout);

bool settingsWhole(const QString &path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = f.readAll();
  return bytes.endsWith("@\r\n") && bytes.count('\n') == 1 && bytes.count('@') == 76;
}

// One CP949 line of `items` fields, each followed by "|", ending in CR LF;
// every field that looks typed by the test (starts like the pattern) is
// whole.
bool lineFileWhole(const QString &path, int items, const QRegularExpression &entry, QString *why) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    *why = f.errorString();
    return false;
  }
  const QByteArray bytes = f.readAll();
  if (!bytes.endsWith("|\r\n") || bytes.count('\n') != 1 || bytes.count('|') != items) {
    *why = QStringLiteral("%1 bytes, %2 separators").arg(bytes.size()).arg(bytes.count('|'));
    return false;
  }
  const QString line = dorrin::text::fromCp949(QByteArrayView(bytes).chopped(2));
  const QString typed = entry.pattern().section(u' ', 0, 1); // "kill test"
  for (const QString &field : line.split(u'|'))
    if (field.startsWith(typed) && !entry.match(field).hasMatch()) {
      *why = "a torn text: " + field;
      return false;
    }
  return true;
}

bool databaseWhole(const QString &path, const QRegularExpression &entry, QString *why,
                   int *entries) {
  sqlite3 *db = nullptr;
  bool ok = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE,
                            nullptr) == SQLITE_OK;
  auto query = [&](const char *sql, const std::function<bool(const QString &)> &row) {
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK) {
      *why = QString::fromUtf8(sqlite3_errmsg(db));
      return false;
    }
    int rc;
    bool good = true;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW)
      good =
          row(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 0)))) && good;
    if (rc != SQLITE_DONE) *why = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(s);
    return good && rc == SQLITE_DONE;
  };
  ok = ok && query("PRAGMA integrity_check", [&](const QString &answer) {
         if (answer != u"ok") *why = answer;
         return answer == u"ok";
       });
  if (ok && path.endsWith(u"TessivoWeek.mdb"))
    ok = query("SELECT BMemo FROM AWeek", [&](const QString &memo) {
      ++*entries;
      if (!entry.match(memo).hasMatch()) *why = "a torn entry: " + memo;
      return entry.match(memo).hasMatch();
    });
  sqlite3_close(db);
  return ok;
}

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    out << "usage: check_data DATA_DIR ENTRY_PATTERN\n";
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  const QRegularExpression entry(QString::fromLocal8Bit(argv[2]));
  int checked = 0, damaged = 0, entries = 0;
  auto report = [&](const QString &name, bool ok, const QString &why = {}) {
    ++checked;
    if (!ok) {
      ++damaged;
      out << "DAMAGED " << name << (why.isEmpty() ? QString() : ": " + why) << "\n";
    }
  };
  if (dir.exists("dorrat.txt")) report("dorrat.txt", settingsWhole(dir.filePath("dorrat.txt")));
  for (const auto &[name, items] : {std::pair{"timedata.txt", 539}, {"GroupName.txt", 90}})
    if (dir.exists(name)) {
      QString why;
      report(name, lineFileWhole(dir.filePath(name), items, entry, &why), why);
    }
  for (const QString &db : dir.entryList({"*.mdb"}, QDir::Files)) {
    QString why;
    report(db, databaseWhole(dir.filePath(db), entry, &why, &entries), why);
  }
  const QString guide = dir.filePath(QString::fromUtf8("Dorrin사용법.txt"));
  if (QFile::exists(guide)) {
    QFile f(guide);
    f.open(QIODevice::ReadOnly);
    report("Dorrin사용법.txt", f.readAll() == dorrin::organiser::userGuideText().toUtf8());
  }
  out << "checked " << checked << " files, " << damaged << " damaged, " << entries
      << " week entries\n";
  return damaged == 0 ? 0 : 1;
}
