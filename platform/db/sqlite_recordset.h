#pragma once
// A dynaset over one whole SQLite table in rowid order. Nothing of the table
// is held beyond the current record and a short read-ahead for MoveNext; a
// change made through the same connection is seen at once.
#include "platform/db/sqlite_support.h"

#include <map>
#include <memory>

namespace dorrin::db::sqlite {

class SqliteRecordset final : public Recordset {
public:
  // Fails (IsOpen() false) when the statements cannot be prepared.
  SqliteRecordset(std::shared_ptr<Connection> conn, QString table, std::vector<FieldDef> fields);

  bool IsOpen() const override { return open_; }
  bool ReadFailed() const override { return !open_ || readFailed_; }
  QString LastError() const override {
    return conn_->damaged ? "the file is damaged: " + conn_->lastError : conn_->lastError;
  }
  bool MoveFirst() override;
  bool MoveLast() override;
  bool MoveNext() override;
  bool Eof() const override { return pos_ == Pos::End; }
  int FieldCount() const override { return int(fields_.size()); }
  bool AddNew() override;
  bool Edit() override;
  bool Update() override;
  bool Delete() override;
  qint64 RecordCount() const override;

protected:
  bool find(From from, const QString &field, const QString &value) override;
  void dropCurrent() override {
    cancelEdit();
    pos_ = Pos::End;
  }
  QString fieldName(int index) const override;
  std::optional<QString> fieldValue(int index) const override;
  bool setFieldValue(int index, const std::optional<QString> &value) override;

private:
  struct Cell {
    bool null = true;
    QString text;
  };
  using Row = std::vector<Cell>;
  enum class Pos { Record, Deleted, End };
  enum class Mode { None, Add, Edit };
  struct FindStatements {
    Statement first, next;
  };

  bool prepareAll();
  Row readRow(const Statement &s) const;
  // Runs s (already bound) and makes its row current; End when none.
  bool takeRow(Statement &s);
  void setCurrent(qint64 rowid, Row row);
  const Row *current() const;
  void cancelEdit() { mode_ = Mode::None; }
  void bindCells(Statement &s, const Row &row) const;
  FindStatements *findStatements(int field);
  bool noCurrent(const char *operation) const;
  // True (and the pending change dropped) when the file is known to be damaged.
  bool refuseDamaged(const char *operation);

  std::shared_ptr<Connection> conn_;
  QString table_;
  std::vector<FieldDef> fields_;
  bool open_ = false;
  bool readFailed_ = false; // the last read of a row ended in an error
  int storedCount_ = 0;     // fields the program writes (all but a Counter)

  mutable Pos pos_ = Pos::End; // a record found gone on reading becomes Deleted
  qint64 rowid_ = 0;
  mutable Row row_;
  mutable quint64 rowGeneration_ = 0;

  Mode mode_ = Mode::None;
  Row buffer_;

  // Rows after aheadAfter_, read in one go for MoveNext; valid while the
  // connection's generation is aheadGeneration_.
  std::vector<std::pair<qint64, Row>> ahead_;
  size_t aheadIndex_ = 0;
  qint64 aheadAfter_ = 0;
  quint64 aheadGeneration_ = 0;
  int aheadLimit_ = 0;

  Statement first_, last_, next_, insert_, update_, delete_;
  mutable Statement byId_, count_;
  std::map<int, FindStatements> finds_;
};

} // namespace dorrin::db::sqlite
