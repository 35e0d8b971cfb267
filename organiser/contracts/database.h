#pragma once
// The database engine the organiser keeps its tables in, shaped like the DAO
// object model the forms are written against: an Engine opens a Database
// file, a Database opens a Recordset over one whole table, and a Recordset
// walks, finds and changes that table's records in table order.
//
// Every operation reports failure through its return value and never throws,
// so a caller can skip a failing step and go on. Failures are logged to the
// category "dorrin.db". Objects are never null: a database that could not be
// opened hands out recordsets on which every call fails harmlessly.
#include <QLoggingCategory>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace dorrin::db {

Q_DECLARE_LOGGING_CATEGORY(lcDb)

// Recordset type: an updatable dynaset over the whole table.
inline constexpr int kDynaset = 2;

enum class FieldType {
  Text,    // any text, the empty string included
  Date,    // a date only, read and written as "yyyy-MM-dd"
  Int16,   // 16-bit integer, read and written as decimal text
  Counter, // number given by the database to each new record; read-only
};

struct FieldDef {
  QString name;
  FieldType type = FieldType::Text;
  bool indexed = false; // finds on this field are index lookups
};

struct TableDef {
  QString name;
  std::vector<FieldDef> fields; // in column order
};

class Recordset;

// One field of the current record by position, as Fields(i) hands it out.
// While AddNew or Edit is pending, reads and writes go to the edit buffer.
class Field {
public:
  Field(Recordset *rs, int index) : rs_(rs), index_(index) {}
  // The value as text: numbers as decimal text, dates as "yyyy-MM-dd".
  // A Null value, a missing current record or a bad index read as "".
  QString Value() const;
  // True when there is no value to take: Null, no current record, bad index.
  bool IsNull() const;
  // Writes the edit buffer. Fails (false, buffer unchanged) without a
  // pending AddNew/Edit, on a bad index, on a Counter field, and when the
  // text does not fit the field's type (a date, a 16-bit integer).
  bool SetValue(const QString &text);
  bool SetNull();
  QString Name() const;

private:
  Recordset *rs_;
  int index_;
};

// Criteria of the form  field='value'  or, for numeric fields,  field=123.
// The value is everything between the first "='" and the final "'", so a
// single quote inside it is an ordinary character.
struct Criteria {
  QString field;
  QString value;
};
std::optional<Criteria> parseCriteria(const QString &criteria);

class Recordset {
public:
  virtual ~Recordset() = default;
  Recordset() = default;
  Recordset(const Recordset &) = delete;
  Recordset &operator=(const Recordset &) = delete;

  virtual bool IsOpen() const = 0;
  // Why the last failing read or change failed, for the user ("" when none);
  // on a recordset that is not open, why it is not.
  virtual QString LastError() const = 0;

  // Moves cancel a pending AddNew/Edit. MoveFirst/MoveLast fail on an empty
  // table; MoveNext from the last record reaches the end (Eof() true) and
  // fails only when already there. After Delete, MoveNext goes to the record
  // that followed the deleted one.
  virtual bool MoveFirst() = 0;
  virtual bool MoveLast() = 0;
  virtual bool MoveNext() = 0;
  // Past the last record (or the table is empty). Named Eof because EOF is
  // a macro of the C library.
  virtual bool Eof() const = 0;

  // FindFirst searches from the first record in table order, FindNext from
  // the record after the current one. A match becomes the current record
  // and returns true. No match (or a criteria string that cannot be read)
  // returns false, sets NoMatch() and leaves no current record, so a later
  // Edit or Delete cannot touch a record that was not found.
  bool FindFirst(const QString &criteria);
  bool FindNext(const QString &criteria);
  // The same with the value given apart: matches exactly that text.
  bool FindFirst(const QString &field, const QString &value);
  bool FindNext(const QString &field, const QString &value);
  bool NoMatch() const { return noMatch_; }
  // True when the last move or find ended because the table could not be
  // read (an error, or a recordset that is not open) rather than because no
  // record was there: the caller cannot know whether its record exists.
  virtual bool ReadFailed() const = 0;

  Field Fields(int index) { return Field(this, index); }
  virtual int FieldCount() const = 0;

  // AddNew: an empty edit buffer for a new record (all fields Null).
  // Edit: the current record becomes the edit buffer.
  // Update: stores the buffer. A new record is appended at the end of the
  // table and the record that was current stays current; an edited record
  // stays current. Delete removes the current record, also while an Edit is
  // pending (the edit is dropped); the position then stays on the deleted
  // record, which has no values, until the next move.
  virtual bool AddNew() = 0;
  virtual bool Edit() = 0;
  virtual bool Update() = 0;
  virtual bool Delete() = 0;

  // Number of records in the table.
  virtual qint64 RecordCount() const = 0;

protected:
  friend class Field;
  enum class From { First, Next };
  // Positions on the first record at or after `from` whose field equals
  // value; returns whether one was found. Must leave no current record when
  // none is.
  virtual bool find(From from, const QString &field, const QString &value) = 0;
  // Leaves no current record (as after a failed find): Eof() is then true.
  virtual void dropCurrent() = 0;
  virtual QString fieldName(int index) const = 0;
  // nullopt when there is no value (Null, no current record, bad index).
  virtual std::optional<QString> fieldValue(int index) const = 0;
  // nullopt writes Null.
  virtual bool setFieldValue(int index, const std::optional<QString> &value) = 0;

private:
  bool findCriteria(From from, const QString &criteria);
  bool findValue(From from, const QString &field, const QString &value);
  bool noMatch_ = false;
};

class Database {
public:
  virtual ~Database() = default;
  virtual bool IsOpen() const = 0;
  // Why the database could not be opened; empty when it is open.
  virtual QString Error() const = 0;
  // The file is there but holds no usable database of ours: damaged pages,
  // another program's data, not a database at all. Such a file is never
  // written to; it should be set aside and a new one started. Becomes true
  // also while open, at the first answer that the file is damaged (every
  // change fails from then on).
  virtual bool Damaged() const = 0;
  // Why the last failing operation failed (or Error() when not open).
  virtual QString LastError() const = 0;
  // Never null; on failure every call on the recordset fails.
  virtual std::unique_ptr<Recordset> OpenRecordset(const QString &table, int type = kDynaset) = 0;
  // Groups many changes into one transaction (bulk loads).
  virtual bool BeginTrans() = 0;
  virtual bool CommitTrans() = 0;
  virtual bool Rollback() = 0;
};

class Engine {
public:
  virtual ~Engine() = default;
  // Opens the database file at path, shared and read-write. A missing file
  // is created with the tables in `create`; an existing one gets any of
  // those tables it lacks and their indexes. A file that is not a database
  // of ours is never changed: the failure is logged once and the returned
  // database is not open (Error() says why). Never null.
  virtual std::unique_ptr<Database> OpenDatabase(const QString &path,
                                                 const std::vector<TableDef> &create = {}) = 0;
};

// A recordset on which every call fails: what a database that is not open
// hands out. `why` is its LastError().
std::unique_ptr<Recordset> closedRecordset(const QString &why = {});

} // namespace dorrin::db
