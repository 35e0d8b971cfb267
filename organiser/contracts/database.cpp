#include "organiser/contracts/database.h"

namespace dorrin::db {

// Warnings and worse by default; QT_LOGGING_RULES="dorrin.db.debug=true"
// also shows the steps that failed for want of a current record.
Q_LOGGING_CATEGORY(lcDb, "dorrin.db", QtWarningMsg)

QString Field::Value() const {
  return rs_->fieldValue(index_).value_or(QString());
}
bool Field::IsNull() const {
  return !rs_->fieldValue(index_).has_value();
}
bool Field::SetValue(const QString &text) {
  return rs_->setFieldValue(index_, text);
}
bool Field::SetNull() {
  return rs_->setFieldValue(index_, std::nullopt);
}
QString Field::Name() const {
  return rs_->fieldName(index_);
}

std::optional<Criteria> parseCriteria(const QString &criteria) {
  const qsizetype eq = criteria.indexOf(u'=');
  if (eq <= 0) return std::nullopt;
  Criteria c{criteria.left(eq).trimmed(), QString()};
  const QString rest = criteria.mid(eq + 1).trimmed();
  if (c.field.isEmpty() || rest.isEmpty()) return std::nullopt;
  if (rest.startsWith(u'\'')) {
    if (rest.size() < 2 || !rest.endsWith(u'\'')) return std::nullopt;
    c.value = rest.mid(1, rest.size() - 2);
    return c;
  }
  // Unquoted: only a whole number (the slot key of the launcher table).
  bool ok = false;
  rest.toLongLong(&ok);
  if (!ok) return std::nullopt;
  c.value = rest;
  return c;
}

bool Recordset::findCriteria(From from, const QString &criteria) {
  const auto c = parseCriteria(criteria);
  if (!c) {
    qCWarning(lcDb) << "cannot read the search criteria" << criteria;
    dropCurrent();
    noMatch_ = true;
    return false;
  }
  return findValue(from, c->field, c->value);
}

bool Recordset::findValue(From from, const QString &field, const QString &value) {
  noMatch_ = !find(from, field, value);
  return !noMatch_;
}

bool Recordset::FindFirst(const QString &criteria) {
  return findCriteria(From::First, criteria);
}
bool Recordset::FindNext(const QString &criteria) {
  return findCriteria(From::Next, criteria);
}
bool Recordset::FindFirst(const QString &field, const QString &value) {
  return findValue(From::First, field, value);
}
bool Recordset::FindNext(const QString &field, const QString &value) {
  return findValue(From::Next, field, value);
}

namespace {

class ClosedRecordset final : public Recordset {
public:
  explicit ClosedRecordset(QString why) : why_(std::move(why)) {}
  bool IsOpen() const override { return false; }
  QString LastError() const override { return why_; }
  bool MoveFirst() override { return false; }
  bool MoveLast() override { return false; }
  bool MoveNext() override { return false; }
  bool Eof() const override { return true; }
  bool ReadFailed() const override { return true; }
  int FieldCount() const override { return 0; }
  bool AddNew() override { return false; }
  bool Edit() override { return false; }
  bool Update() override { return false; }
  bool Delete() override { return false; }
  qint64 RecordCount() const override { return 0; }

protected:
  bool find(From, const QString &, const QString &) override { return false; }
  void dropCurrent() override {}
  QString fieldName(int) const override { return {}; }
  std::optional<QString> fieldValue(int) const override { return std::nullopt; }
  bool setFieldValue(int, const std::optional<QString> &) override { return false; }

private:
  QString why_;
};

} // namespace

std::unique_ptr<Recordset> closedRecordset(const QString &why) {
  return std::make_unique<ClosedRecordset>(
      why.isEmpty() ? QStringLiteral("the database is not open") : why);
}

} // namespace dorrin::db
