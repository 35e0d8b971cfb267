#pragma once
// The clock text of the alarm page and the alarm matcher: which alarms of
// the table are due at a clock tick, and which fall on a given day.
#include "organiser/alarms/alarm_table.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace dorrin::organiser {

// The clock panel's caption for a panel `widthTwips` wide: wider than 2000
// "12/10(목) 9:5:3", between 1200 and 2000 (both excluded) "10일 9:5",
// otherwise "9:5". Numbers carry no leading zeros.
QString clockText(const QDateTime &now, int widthTwips);

// Whether a stored date or time field reads as the clock value v: its
// decimal text, or digits with leading zeros ("09" is 9).
bool fieldMatches(QStringView field, int v);
// Whether the row's kind, date, hour and minute fall on minute `minute` of
// `hour` on `day` (the alarm's on/off switch is not looked at).
bool alarmFallsOn(const AlarmRow &row, const QDate &day, int hour, int minute);
// Whether the row belongs in today's list: a fixed date on its month and
// day, a monthly alarm on its day, a weekday alarm on that weekday; daily
// and hourly alarms never.
bool listedOn(const AlarmRow &row, const QDate &day);

// Finds the alarms due at each clock tick. A tick looks at every minute
// start since the previous tick, so a late tick (a busy machine, a stopped
// process) still fires the alarm of the minute it skipped, once; minute
// starts older than kGraceMs are stale and never ring, so after a suspend
// nothing old goes off. An alarm fires at most once for each due minute,
// also when the clock is set back (time sync, daylight saving ends).
// Times are the local wall clock.
class AlarmMatcher {
public:
  // How late an alarm may still ring.
  static constexpr qint64 kGraceMs = 60'000;

  // Rows (1..Row_Count) to signal at this tick: by due minute, then in row
  // order. The first tick fires the alarms of its minute only while the
  // seconds read 0.
  std::vector<int> tick(const AlarmTable &table, const QDateTime &now);
  // Forgets the previous tick and what has fired.
  void reset();

private:
  std::optional<qint64> last_;                 // wall-clock ms of the previous tick
  std::set<std::pair<QString, qint64>> fired_; // alarm identity, due minute (wall ms)
};

} // namespace dorrin::organiser
