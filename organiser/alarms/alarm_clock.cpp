#include "organiser/alarms/alarm_clock.h"

#include "organiser/planner/month_calendar.h"

#include <map>

namespace dorrin::organiser {

namespace {

constexpr qint64 kMinuteMs = 60'000;
constexpr qint64 kDayMs = 86'400'000;
// Fired minutes are remembered this long, enough to outlast a clock set back
// by daylight saving or a time sync.
constexpr qint64 kRememberMs = 3 * 3'600'000;

// Milliseconds on a naive wall-clock line (the local date and time as read,
// no time zone), so that a clock set back shows as going back.
qint64 wallMs(const QDateTime &t) {
  return t.date().toJulianDay() * kDayMs + t.time().msecsSinceStartOfDay();
}

qint64 floorDiv(qint64 a, qint64 b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// The weekday number (1 = Sunday .. 7) of each weekday kind.
int weekdayOfKind(QStringView kind) {
  static const char16_t *const names[] = {u"일", u"월", u"화", u"수", u"목", u"금", u"토"};
  for (int w = 1; w <= 7; ++w)
    if (kind == QStringView(names[w - 1])) return w;
  return 0;
}

} // namespace

QString clockText(const QDateTime &now, int widthTwips) {
  const QDate d = now.date();
  const QTime t = now.time();
  if (widthTwips > 2000) {
    static const char16_t *const labels[] = {u"(월) ", u"(화) ", u"(수) ", u"(목) ",
                                             u"(금) ", u"(토) ", u"(일) "};
    const QString label = QString::fromUtf16(labels[(d.dayOfWeek() + 6) % 7]);
    return QStringLiteral("%1/%2%3%4:%5:%6")
        .arg(d.month())
        .arg(d.day())
        .arg(label)
        .arg(t.hour())
        .arg(t.minute())
        .arg(t.second());
  }
  if (widthTwips > 1200 && widthTwips < 2000)
    return QStringLiteral("%1일 %2:%3").arg(d.day()).arg(t.hour()).arg(t.minute());
  return QStringLiteral("%1:%2").arg(t.hour()).arg(t.minute());
}

bool fieldMatches(QStringView field, int v) {
  if (field.isEmpty() || field.size() > 9) return false;
  int n = 0;
  for (QChar ch : field) {
    if (ch < u'0' || ch > u'9') return false;
    n = n * 10 + (ch.unicode() - u'0');
  }
  return n == v;
}

bool alarmFallsOn(const AlarmRow &row, const QDate &day, int hour, int minute) {
  const QString &kind = row[colKind];
  const bool hm = fieldMatches(row[colHour], hour) && fieldMatches(row[colMinute], minute);
  if (kind == u"지정")
    return fieldMatches(row[colMonth], day.month()) && fieldMatches(row[colDay], day.day()) && hm;
  if (kind == u"매시") return fieldMatches(row[colMinute], minute);
  if (kind == u"매일") return hm;
  if (kind == u"매월") return fieldMatches(row[colDay], day.day()) && hm;
  const int w = weekdayOfKind(kind);
  return w != 0 && weekdayNumber(day) == w && hm;
}

bool listedOn(const AlarmRow &row, const QDate &day) {
  const QString &kind = row[colKind];
  if (kind == u"지정")
    return fieldMatches(row[colMonth], day.month()) && fieldMatches(row[colDay], day.day());
  if (kind == u"매월") return fieldMatches(row[colDay], day.day());
  const int w = weekdayOfKind(kind);
  return w != 0 && weekdayNumber(day) == w;
}

std::vector<int> AlarmMatcher::tick(const AlarmTable &table, const QDateTime &now) {
  std::vector<int> due;
  if (!now.isValid()) return due;
  const qint64 nowMs = wallMs(now);
  // The first tick behaves as if the previous one came just before this
  // second began: it fires only within the first second of a minute.
  const qint64 prev = last_ ? *last_ : floorDiv(nowMs, 1000) * 1000 - 1;
  last_ = nowMs;
  for (auto it = fired_.begin(); it != fired_.end();) {
    if (it->second < nowMs - kRememberMs || it->second > nowMs + kRememberMs)
      it = fired_.erase(it);
    else
      ++it;
  }
  // A clock set back gives no interval; the fired minutes keep the alarms
  // of the replayed minutes from ringing again.
  if (nowMs <= prev) return due;
  const qint64 from = std::max(prev + 1, nowMs - kGraceMs);
  const int n = table.rowCount();
  for (qint64 m = floorDiv(from + kMinuteMs - 1, kMinuteMs) * kMinuteMs; m <= nowMs;
       m += kMinuteMs) {
    const QDate day = QDate::fromJulianDay(floorDiv(m, kDayMs));
    const qint64 inDay = m - floorDiv(m, kDayMs) * kDayMs;
    const int hour = static_cast<int>(inDay / 3'600'000);
    const int minute = static_cast<int>(inDay / kMinuteMs % 60);
    // Identical rows are told apart by their count so that each rings.
    std::map<QString, int> seen;
    for (int r = 1; r <= n; ++r) {
      const AlarmRow &row = table.rows[static_cast<size_t>(r)];
      const QString fields = QStringList(row.begin() + 1, row.end()).join(u'|');
      QString identity = fields + u'#' + QString::number(seen[fields]++);
      if (row[colOn] != u"yes" || !alarmFallsOn(row, day, hour, minute)) continue;
      if (!fired_.emplace(std::move(identity), m).second) continue;
      due.push_back(r);
    }
  }
  return due;
}

void AlarmMatcher::reset() {
  last_.reset();
  fired_.clear();
}

} // namespace dorrin::organiser
