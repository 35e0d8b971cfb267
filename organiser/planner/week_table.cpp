#include "organiser/planner/week_table.h"

#include "organiser/contracts/database.h"
#include "organiser/contracts/tables.h"
#include "organiser/planner/month_calendar.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/entry_checks.h"
#include "platform/paths/data_folder.h"
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

EntryChange deleteWeekEntry(db::Recordset *rs, const QDate &day, const QString &text) {
  if (!rs) return EntryChange::Failed;
  if (!findWeekEntry(*rs, day, text))
    return rs->ReadFailed() ? EntryChange::Failed : EntryChange::Gone;
  if (!rs->Delete()) return EntryChange::Failed;
  moveOnAfterChange(*rs);
  return EntryChange::Done;
}

EntryChange changeWeekEntry(db::Recordset *rs, const QDate &day, const QString &text,
                            const QDate &newDay, const QString &now) {
  if (!rs) return EntryChange::Failed;
  if (!findWeekEntry(*rs, day, text))
    return rs->ReadFailed() ? EntryChange::Failed : EntryChange::Gone;
  const bool stored =
      rs->Edit() &&
      (!newDay.isValid() || rs->Fields(kWeekDateColumn).SetValue(text::shortDate(newDay))) &&
      rs->Fields(kWeekTextColumn).SetValue(now) && rs->Update();
  if (!stored) return EntryChange::Failed;
  moveOnAfterChange(*rs);
  return EntryChange::Done;
}

bool confirmEntryDelete(forms::Dialogs *dialogs) {
  return dialogs && dialogs->msgBox(QStringLiteral("메모를 지우시 겠습니까?"), forms::vbYesNo,
                                    QStringLiteral("데이터 삭제")) == forms::vbYes;
}

void reportWeekSaveFailure(forms::Dialogs *dialogs, const db::Recordset *rs) {
  forms::reportSaveFailure(dialogs, paths::resolve(QString::fromUtf8(db::kWeekDatabase)),
                           rs ? rs->LastError() : QStringLiteral("the database is not open"));
}

QString dayLabel(const QDate &day, const std::array<QString, 8> &weekNames) {
  const int wd = weekdayNumber(day);
  return QStringLiteral("%1/%2(%3)").arg(day.month()).arg(day.day()).arg(weekNames[size_t(wd)]);
}

QString pickedLabel(const QDate &day) {
  return QStringLiteral("%1/%2").arg(day.month()).arg(day.day());
}

} // namespace dorrin::organiser
