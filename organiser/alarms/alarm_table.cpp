#include "organiser/alarms/alarm_table.h"

#include "platform/paths/data_folder.h"
#include "platform/text/runtime.h"
#include "platform/text/text_file.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dorrin::organiser {

int AlarmTable::rowCount() const {
  int n = 0;
  for (int r = 1; r <= kAlarmRows; ++r)
    n += !at(r, colNumber).isEmpty();
  return n;
}

void AlarmTable::assignLine(QStringView line) {
  const auto items = line.split(u'|');
  for (int r = 1; r <= kAlarmRows; ++r)
    for (int c = 0; c < kAlarmCols; ++c) {
      const qsizetype k = static_cast<qsizetype>(r - 1) * kAlarmCols + c;
      if (k < items.size()) at(r, c) = items[k].toString();
    }
}

QString AlarmTable::storeLine() const {
  QString line;
  for (int r = 1; r <= kAlarmRows; ++r)
    for (int c = 0; c < kAlarmCols; ++c) {
      line += at(r, c);
      line += u'|';
    }
  return line;
}

QString alarmStorePath() {
  return paths::resolve(QString::fromLatin1(kAlarmStoreFile));
}

bool loadAlarmStore(AlarmTable &table, const QString &path) {
  const auto lines = text::readLines(path);
  if (!lines) return false;
  // An empty file has no first line: the read fails and nothing changes.
  if (lines->isEmpty()) return false;
  table.assignLine(lines->first());
  return true;
}

bool writeAlarmStore(const AlarmTable &table, const QString &path, QString *error) {
  return text::writeLines(path, {table.storeLine()}, error);
}

int kindRank(QStringView kind) {
  static const char16_t *const kinds[] = {u"지정", u"매월", u"월", u"화",   u"수",  u"목",
                                          u"금",   u"토",   u"일", u"매일", u"매시"};
  for (int i = 0; i < 11; ++i)
    if (kind == QStringView(kinds[i])) return i + 1;
  return 0;
}

std::int64_t sortKey(const AlarmRow &row) {
  const double v = kindRank(row[colKind]) * 1e8 + text::val(row[colMonth]) * 1e6 +
                   text::val(row[colDay]) * 1e4 + text::val(row[colHour]) * 100 +
                   text::val(row[colMinute]);
  // Currency holds four decimal places; a value beyond its range (a damaged
  // store) sorts as 0 rather than overflowing.
  const double scaled = std::round(v * 1e4);
  if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18) return 0;
  return static_cast<std::int64_t>(scaled);
}

std::vector<int> sortedOrder(const AlarmTable &table, int n) {
  n = std::clamp(n, 0, kAlarmRows);
  std::vector<std::int64_t> keys(static_cast<size_t>(n) + 1);
  for (int r = 1; r <= n; ++r)
    keys[static_cast<size_t>(r)] = sortKey(table.rows[static_cast<size_t>(r)]);
  // Selection by minimum, the first of equal keys winning. Rows already
  // taken are marked apart from the keys, so no key value, however large,
  // can make a row be taken twice or be lost.
  std::vector<bool> used(static_cast<size_t>(n) + 1, false);
  std::vector<int> order;
  order.reserve(static_cast<size_t>(n));
  for (int k = 1; k <= n; ++k) {
    int best = 0;
    for (int r = 1; r <= n; ++r) {
      if (used[static_cast<size_t>(r)]) continue;
      if (best == 0 || keys[static_cast<size_t>(r)] < keys[static_cast<size_t>(best)]) best = r;
    }
    used[static_cast<size_t>(best)] = true;
    order.push_back(best);
  }
  return order;
}

} // namespace dorrin::organiser
