#pragma once
// Alarm rows for tests, and the store as the original program wrote it.
#include "organiser/alarms/alarm_table.h"

#include <QStringList>
#include <initializer_list>

namespace dorrin::organiser::alarmtest {

// A CP949 store with twelve alarms of every kind (Hangul messages, "*"
// fields, one hour stored as "09").
inline QString originalStore() {
  return QStringLiteral(ALARM_TEST_DATA "/timedata_cp949.txt");
}

// Fills rows 1.. from "on|kind|month|day|hour|minute|soundOn|sound|msgOn|msg"
// texts, numbering them.
inline AlarmTable tableOf(std::initializer_list<const char *> rows) {
  AlarmTable t;
  int r = 0;
  for (const char *row : rows) {
    ++r;
    const QStringList f = QString::fromUtf8(row).split(u'|');
    t.at(r, colNumber) = QString::number(r);
    for (int c = 1; c < kAlarmCols && c - 1 < f.size(); ++c)
      t.at(r, c) = f[c - 1];
  }
  return t;
}

} // namespace dorrin::organiser::alarmtest
