#include "organiser/planner/week_table.h"

#include "organiser/contracts/database.h"
#include "organiser/planner/month_calendar.h"
#include "platform/text/runtime.h"

namespace dorrin::organiser {

bool appendWeekEntry(db::Recordset &rs, const QDate &day, const QString &text) {
  rs.MoveLast();
  return rs.AddNew() && rs.Fields(kWeekDateColumn).SetValue(text::shortDate(day)) &&
         rs.Fields(kWeekTextColumn).SetValue(text) && rs.Update();
}

bool findWeekEntry(db::Recordset &rs, const QDate &day, const QString &text) {
  // Walk the records with this text (an index seek each) until one is of the
  // day: the text is usually rarer than the day.
  rs.MoveFirst();
  bool found = rs.FindFirst(kWeekTextField, text);
  if (!day.isValid()) return found;
  const QString date = text::shortDate(day);
  while (found && rs.Fields(kWeekDateColumn).Value() != date)
    found = rs.FindNext(kWeekTextField, text);
  return found;
}

void moveOnAfterChange(db::Recordset &rs) {
  rs.MoveNext();
  if (rs.Eof()) rs.MoveLast();
}

QString dayLabel(const QDate &day, const std::array<QString, 8> &weekNames) {
  const int wd = weekdayNumber(day);
  return QStringLiteral("%1/%2(%3)").arg(day.month()).arg(day.day()).arg(weekNames[size_t(wd)]);
}

QString pickedLabel(const QDate &day) {
  return QStringLiteral("%1/%2").arg(day.month()).arg(day.day());
}

} // namespace dorrin::organiser
