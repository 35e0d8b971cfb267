#include "platform/db/sqlite_recordset.h"

#include "platform/text/runtime.h"

#include <QStringList>

namespace dorrin::db::sqlite {

namespace {

constexpr int kFirstReadAhead = 8;
constexpr int kMaxReadAhead = 1024;

bool isNumeric(FieldType t) {
  return t == FieldType::Int16 || t == FieldType::Counter;
}

} // namespace

SqliteRecordset::SqliteRecordset(std::shared_ptr<Connection> conn, QString table,
                                 std::vector<FieldDef> fields)
    : conn_(std::move(conn)), table_(std::move(table)), fields_(std::move(fields)) {
  open_ = prepareAll();
  if (open_) MoveFirst();
}

bool SqliteRecordset::prepareAll() {
  QStringList cols{"rowid"}, stored, params, sets;
  for (const FieldDef &f : fields_) {
    cols << quoted(f.name);
    if (f.type == FieldType::Counter) continue; // numbered by the database
    stored << quoted(f.name);
    params << QStringLiteral("?%1").arg(stored.size());
    sets << QStringLiteral("%1 = ?%2").arg(quoted(f.name)).arg(stored.size());
  }
  storedCount_ = int(stored.size());
  const QString select = "SELECT " + cols.join(", ") + " FROM " + quoted(table_);
  const QString t = quoted(table_);
  sqlite3 *db = conn_->db;
  return first_.prepare(db, select + " ORDER BY rowid LIMIT 1") &&
         last_.prepare(db, select + " ORDER BY rowid DESC LIMIT 1") &&
         next_.prepare(db, select + " WHERE rowid > ?1 ORDER BY rowid LIMIT ?2") &&
         byId_.prepare(db, select + " WHERE rowid = ?1") &&
         count_.prepare(db, "SELECT count(*) FROM " + t) &&
         insert_.prepare(db, stored.isEmpty() ? "INSERT INTO " + t + " DEFAULT VALUES"
                                              : "INSERT INTO " + t + " (" + stored.join(", ") +
                                                    ") VALUES (" + params.join(", ") + ")") &&
         update_.prepare(db, "UPDATE " + t + " SET " +
                                 (stored.isEmpty() ? "rowid = rowid" : sets.join(", ")) +
                                 QStringLiteral(" WHERE rowid = ?%1").arg(storedCount_ + 1)) &&
         delete_.prepare(db, "DELETE FROM " + t + " WHERE rowid = ?1");
}

SqliteRecordset::Row SqliteRecordset::readRow(const Statement &s) const {
  Row row(fields_.size());
  for (size_t i = 0; i < fields_.size(); ++i) {
    const int col = int(i) + 1;
    if (!s.isNull(col)) row[i] = {false, s.text(col)};
  }
  return row;
}

void SqliteRecordset::setCurrent(qint64 rowid, Row row) {
  pos_ = Pos::Record;
  rowid_ = rowid;
  row_ = std::move(row);
  rowGeneration_ = conn_->generation;
}

bool SqliteRecordset::takeRow(Statement &s) {
  const int rc = s.step();
  readFailed_ = rc != SQLITE_ROW && rc != SQLITE_DONE;
  if (rc == SQLITE_ROW) {
    const qint64 id = s.int64(0);
    setCurrent(id, readRow(s));
    s.done();
    return true;
  }
  if (rc != SQLITE_DONE) {
    conn_->failed(rc);
    qCWarning(lcDb) << "reading" << table_ << "failed:" << conn_->lastError;
  }
  s.done();
  pos_ = Pos::End;
  return false;
}

const SqliteRecordset::Row *SqliteRecordset::current() const {
  if (mode_ != Mode::None) return &buffer_;
  if (pos_ != Pos::Record) return nullptr;
  if (rowGeneration_ != conn_->generation) {
    // Something changed since the row was read: read it again. A record
    // that has gone meanwhile reads as deleted.
    byId_.start();
    byId_.bind(1, rowid_);
    if (byId_.step() == SQLITE_ROW) {
      row_ = readRow(byId_);
      rowGeneration_ = conn_->generation;
    } else {
      pos_ = Pos::Deleted;
    }
    byId_.done();
    if (pos_ != Pos::Record) return nullptr;
  }
  return &row_;
}

bool SqliteRecordset::refuseDamaged(const char *operation) {
  if (!conn_->damaged) return false;
  qCWarning(lcDb) << operation << "on" << table_ << "refused: the file is damaged";
  cancelEdit();
  return true;
}

bool SqliteRecordset::noCurrent(const char *operation) const {
  qCDebug(lcDb) << operation << "on" << table_ << "without a current record";
  return false;
}

bool SqliteRecordset::MoveFirst() {
  if (!open_) return false;
  cancelEdit();
  first_.start();
  return takeRow(first_) || noCurrent("MoveFirst");
}

bool SqliteRecordset::MoveLast() {
  if (!open_) return false;
  cancelEdit();
  last_.start();
  return takeRow(last_) || noCurrent("MoveLast");
}

bool SqliteRecordset::MoveNext() {
  if (!open_) return false;
  cancelEdit();
  if (pos_ == Pos::End) return noCurrent("MoveNext");
  const quint64 gen = conn_->generation;
  const bool aheadValid = aheadGeneration_ == gen && aheadAfter_ == rowid_;
  if (!aheadValid || aheadIndex_ >= ahead_.size()) {
    // A scan that used up a full read-ahead reads more next time.
    const bool scanning = aheadValid && !ahead_.empty() && int(ahead_.size()) == aheadLimit_;
    aheadLimit_ = scanning ? std::min(aheadLimit_ * 4, kMaxReadAhead) : kFirstReadAhead;
    ahead_.clear();
    aheadIndex_ = 0;
    aheadGeneration_ = gen;
    aheadAfter_ = rowid_;
    next_.start();
    next_.bind(1, rowid_);
    next_.bind(2, qint64(aheadLimit_));
    int rc;
    while ((rc = next_.step()) == SQLITE_ROW)
      ahead_.emplace_back(next_.int64(0), readRow(next_));
    if (rc != SQLITE_DONE) {
      conn_->failed(rc);
      qCWarning(lcDb) << "reading" << table_ << "failed:" << conn_->lastError;
      ahead_.clear(); // read again next time
      next_.done();
      return false;
    }
    next_.done();
  }
  if (aheadIndex_ >= ahead_.size()) {
    pos_ = Pos::End; // moved past the last record
    return true;
  }
  auto &[id, row] = ahead_[aheadIndex_++];
  setCurrent(id, std::move(row));
  aheadAfter_ = id;
  return true;
}

SqliteRecordset::FindStatements *SqliteRecordset::findStatements(int field) {
  auto it = finds_.find(field);
  if (it != finds_.end()) return &it->second;
  QStringList cols{"rowid"};
  for (const FieldDef &f : fields_)
    cols << quoted(f.name);
  const QString where = "SELECT " + cols.join(", ") + " FROM " + quoted(table_) + " WHERE " +
                        quoted(fields_[size_t(field)].name) + " = ?1";
  // With an index on the field (which holds the rowid after the field) both
  // are one index seek: the first record of that value in table order, or
  // the first one after a given record.
  FindStatements &s = finds_[field];
  if (!s.first.prepare(conn_->db, where + " ORDER BY rowid LIMIT 1") ||
      !s.next.prepare(conn_->db, where + " AND rowid > ?2 ORDER BY rowid LIMIT 1")) {
    finds_.erase(field);
    return nullptr;
  }
  return &s;
}

bool SqliteRecordset::find(From from, const QString &field, const QString &value) {
  if (!open_) return false;
  cancelEdit();
  readFailed_ = false;
  int index = -1;
  for (size_t i = 0; i < fields_.size(); ++i)
    if (fields_[i].name.compare(field, Qt::CaseInsensitive) == 0) index = int(i);
  if (index < 0) {
    qCWarning(lcDb) << "find on" << table_ << ": no field" << field;
    pos_ = Pos::End;
    return false;
  }
  if (from == From::Next && pos_ == Pos::End) return false;
  FindStatements *s = findStatements(index);
  if (!s) {
    // The table could not be asked: whether the record is there is unknown.
    readFailed_ = true;
    pos_ = Pos::End;
    return false;
  }
  Statement &stmt = from == From::First ? s->first : s->next;
  stmt.start();
  if (isNumeric(fields_[size_t(index)].type)) {
    bool ok = false;
    const qint64 n = value.trimmed().toLongLong(&ok);
    if (!ok) {
      qCWarning(lcDb) << "find on" << table_ << ":" << value << "is no number for" << field;
      pos_ = Pos::End;
      return false;
    }
    stmt.bind(1, n);
  } else {
    // Texts (and dates, stored as "yyyy-MM-dd") are compared exactly, case
    // included: a find locates the record to change or delete, and one that
    // differs only in case is not the record the user means.
    stmt.bind(1, value);
  }
  if (from == From::Next) stmt.bind(2, rowid_);
  return takeRow(stmt);
}

QString SqliteRecordset::fieldName(int index) const {
  return index >= 0 && index < FieldCount() ? fields_[size_t(index)].name : QString();
}

std::optional<QString> SqliteRecordset::fieldValue(int index) const {
  if (index < 0 || index >= FieldCount()) return std::nullopt;
  const Row *row = current();
  if (!row || (*row)[size_t(index)].null) return std::nullopt;
  return (*row)[size_t(index)].text;
}

bool SqliteRecordset::setFieldValue(int index, const std::optional<QString> &value) {
  if (!open_) return false;
  if (mode_ == Mode::None) {
    qCWarning(lcDb) << "field write on" << table_ << "without AddNew or Edit";
    return false;
  }
  if (index < 0 || index >= FieldCount()) {
    qCWarning(lcDb) << "field write on" << table_ << ": no field" << index;
    return false;
  }
  const FieldDef &f = fields_[size_t(index)];
  Cell cell;
  if (f.type == FieldType::Counter) {
    qCWarning(lcDb) << "field" << f.name << "of" << table_ << "is numbered by the database";
    return false;
  }
  if (value) {
    cell.null = false;
    switch (f.type) {
    case FieldType::Text:
      cell.text = *value;
      break;
    case FieldType::Date: {
      // Only the exact "yyyy-MM-dd" form is taken, so it is stored as given.
      cell.text = value->trimmed();
      if (!text::parseShortDate(cell.text).isValid()) {
        qCWarning(lcDb) << "field" << f.name << "of" << table_ << ":" << *value << "is no date";
        return false;
      }
      break;
    }
    case FieldType::Int16:
    case FieldType::Counter: {
      bool ok = false;
      const auto n = text::toInt16(value->trimmed().toDouble(&ok));
      if (!ok || !n) {
        qCWarning(lcDb) << "field" << f.name << "of" << table_ << ":" << *value
                        << "is no 16-bit number";
        return false;
      }
      cell.text = QString::number(*n);
      break;
    }
    }
  }
  buffer_[size_t(index)] = std::move(cell);
  return true;
}

bool SqliteRecordset::AddNew() {
  if (!open_) return false;
  buffer_.assign(fields_.size(), Cell{});
  mode_ = Mode::Add;
  return true;
}

bool SqliteRecordset::Edit() {
  if (!open_) return false;
  cancelEdit();
  const Row *row = current();
  if (!row) return noCurrent("Edit");
  buffer_ = *row;
  mode_ = Mode::Edit;
  return true;
}

void SqliteRecordset::bindCells(Statement &s, const Row &row) const {
  int param = 0;
  for (size_t i = 0; i < fields_.size(); ++i) {
    const FieldDef &f = fields_[i];
    if (f.type == FieldType::Counter) continue;
    ++param;
    if (row[i].null)
      s.bindNull(param);
    else if (isNumeric(f.type))
      s.bind(param, row[i].text.toLongLong());
    else
      s.bind(param, row[i].text);
  }
}

bool SqliteRecordset::Update() {
  if (!open_) return false;
  if (mode_ == Mode::None) {
    qCWarning(lcDb) << "Update on" << table_ << "without AddNew or Edit";
    return false;
  }
  if (refuseDamaged("Update")) return false;
  Statement &s = mode_ == Mode::Add ? insert_ : update_;
  s.start();
  bindCells(s, buffer_);
  if (mode_ == Mode::Edit) s.bind(storedCount_ + 1, rowid_);
  const int rc = s.step();
  const int changes = sqlite3_changes(conn_->db);
  s.done();
  if (rc != SQLITE_DONE) {
    conn_->failed(rc);
    qCWarning(lcDb) << "storing a record of" << table_ << "failed:" << conn_->lastError;
    return false;
  }
  ++conn_->generation;
  if (mode_ == Mode::Edit && changes == 0) {
    qCWarning(lcDb) << "the record being edited in" << table_ << "no longer exists";
    cancelEdit();
    pos_ = Pos::Deleted;
    return false;
  }
  if (mode_ == Mode::Edit) {
    row_ = buffer_;
    rowGeneration_ = conn_->generation;
  }
  cancelEdit();
  return true;
}

bool SqliteRecordset::Delete() {
  if (!open_) return false;
  if (mode_ == Mode::Add) {
    qCWarning(lcDb) << "Delete on" << table_ << "while a new record is pending";
    return false;
  }
  cancelEdit(); // an edit in progress is dropped with the record
  if (!current()) return noCurrent("Delete");
  if (refuseDamaged("Delete")) return false;
  delete_.start();
  delete_.bind(1, rowid_);
  const int rc = delete_.step();
  delete_.done();
  if (rc != SQLITE_DONE) {
    conn_->failed(rc);
    qCWarning(lcDb) << "deleting a record of" << table_ << "failed:" << conn_->lastError;
    return false;
  }
  ++conn_->generation;
  pos_ = Pos::Deleted;
  return true;
}

qint64 SqliteRecordset::RecordCount() const {
  if (!open_) return 0;
  count_.start();
  const qint64 n = count_.step() == SQLITE_ROW ? count_.int64(0) : 0;
  count_.done();
  return n;
}

} // namespace dorrin::db::sqlite
