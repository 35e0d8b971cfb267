#pragma once
// Operations on the week table "AWeek" shared by its two views, the week
// planner and the schedule list: appending an entry, locating the entry a
// view line stands for, and the date labels both views show.
#include <QDate>
#include <QString>
#include <array>

namespace dorrin::db {
class Recordset;
}
namespace dorrin::forms {
class Dialogs;
}

namespace dorrin::organiser {

// Field names (for finds) and positions (for reads and writes).
inline const QString kWeekDateField = QStringLiteral("BDate");
inline const QString kWeekTextField = QStringLiteral("BMemo");
inline constexpr int kWeekDateColumn = 0;
inline constexpr int kWeekTextColumn = 1;

// The date of an undated entry.
inline const QDate kUndatedDay{2100, 1, 1};

// Appends one entry at the end of the table; false when it was not stored.
bool appendWeekEntry(db::Recordset &rs, const QDate &day, const QString &text);

// Makes current the first record in table order dated `day` whose text is
// exactly `text`; false (no current record) when there is none. The text is
// matched as a value, so an apostrophe in it matches itself. An invalid day
// matches the text on any day.
bool findWeekEntry(db::Recordset &rs, const QDate &day, const QString &text);

// After a delete or an update: on to the next record, or to the last one
// when that ran past the end.
void moveOnAfterChange(db::Recordset &rs);

// What became of a change to the entry a view line stands for.
enum class EntryChange {
  Done,   // stored; the recordset has moved on
  Gone,   // no entry of that day and text any more: nothing changed
  Failed, // the table refused the change, could not be read or is not open: report it
};

// Deletes the entry (day, text) stands for (see findWeekEntry). A null
// recordset is a database that is not open: Failed.
EntryChange deleteWeekEntry(db::Recordset *rs, const QDate &day, const QString &text);

// Gives the entry (day, text) stands for the text `now` and, when `newDay`
// is valid, that date; an invalid `newDay` keeps the entry's date.
EntryChange changeWeekEntry(db::Recordset *rs, const QDate &day, const QString &text,
                            const QDate &newDay, const QString &now);

// Asks whether to delete the entry; true on Yes. Without a message box
// service the answer is No.
bool confirmEntryDelete(forms::Dialogs *dialogs);

// A failed change of the week database: shown once per run, always logged.
void reportWeekSaveFailure(forms::Dialogs *dialogs, const db::Recordset *rs);

// "12/6(일)": month "/" day "(" weekday letter ")", numbers without blanks.
QString dayLabel(const QDate &day, const std::array<QString, 8> &weekNames);
// "12/6": the label of a date just picked in the month pop-up.
QString pickedLabel(const QDate &day);

} // namespace dorrin::organiser
