// The clock text and the matcher: kinds against times, today's list, and
// the matcher's ticks (once per due minute, late ticks, clocks set back,
// jumps).
#include "organiser/alarms/alarm_clock.h"
#include "organiser/alarms/tests/alarm_fixture.h"

#include <gtest/gtest.h>

using namespace dorrin::organiser;
using dorrin::organiser::alarmtest::tableOf;

namespace {

QDateTime at(const char *iso) {
  return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODateWithMs);
}

// Runs ticks at the given times; returns the rows fired at each.
std::vector<std::vector<int>> ticks(const AlarmTable &t, std::initializer_list<const char *> times,
                                    AlarmMatcher *m = nullptr) {
  AlarmMatcher own;
  AlarmMatcher &matcher = m ? *m : own;
  std::vector<std::vector<int>> out;
  for (const char *time : times)
    out.push_back(matcher.tick(t, at(time)));
  return out;
}

using Fired = std::vector<std::vector<int>>;

} // namespace

TEST(ClockText, FollowsThePanelWidth) {
  const QDateTime now = at("2026-12-10T09:05:03"); // a Thursday
  struct Case {
    int width;
    const char *text;
  } cases[] = {{2001, "12/10(목) 9:5:3"}, {2000, "9:5"}, {1999, "10일 9:5"}, {1500, "10일 9:5"},
               {1201, "10일 9:5"},        {1200, "9:5"}, {0, "9:5"}};
  for (const auto &c : cases)
    EXPECT_EQ(clockText(now, c.width), QString::fromUtf8(c.text)) << c.width;
  EXPECT_EQ(clockText(at("2026-03-15T23:59:59"), 3000), QStringLiteral("3/15(일) 23:59:59"));
}

TEST(AlarmMatch, EveryKindAgainstMatchingAndOtherTimes) {
  const QDate fri = QDate(2026, 3, 13), sat = QDate(2026, 3, 14);
  struct Case {
    const char *row;
    QDate day;
    int hour, minute;
    bool falls;
  } cases[] = {
      {"yes|지정|3|13|9|30", fri, 9, 30, true},
      {"yes|지정|3|13|9|30", sat, 9, 30, false},
      {"yes|지정|3|13|9|30", fri, 9, 31, false},
      {"yes|지정|4|13|9|30", fri, 9, 30, false},
      {"yes|매시|*|*|*|0", fri, 0, 0, true},
      {"yes|매시|*|*|*|0", sat, 17, 0, true},
      {"yes|매시|*|*|*|0", sat, 17, 1, false},
      {"yes|매일|*|*|7|5", sat, 7, 5, true},
      {"yes|매일|*|*|7|5", sat, 19, 5, false},
      {"yes|매월|*|13|9|0", fri, 9, 0, true},
      {"yes|매월|*|13|9|0", sat, 9, 0, false},
      {"yes|금|*|*|9|0", fri, 9, 0, true},
      {"yes|금|*|*|9|0", sat, 9, 0, false},
      {"yes|토|*|*|9|0", sat, 9, 0, true},
      {"yes|일|*|*|9|0", QDate(2026, 3, 15), 9, 0, true},
      {"yes|월|*|*|9|0", QDate(2026, 3, 16), 9, 0, true},
      {"yes|월|*|*|9|0", QDate(2026, 3, 15), 9, 0, false},
      // A time stored with a leading zero by older files still rings.
      {"yes|매일|*|*|09|05", sat, 9, 5, true},
      {"yes|매일|*|*| 9|5", sat, 9, 5, false},
      {"yes|매일|*|*|*|5", sat, 9, 5, false},
      {"yes|매년|*|*|9|5", sat, 9, 5, false},
      {"yes||*|*|9|5", sat, 9, 5, false},
  };
  for (const auto &c : cases) {
    const AlarmTable t = tableOf({c.row});
    EXPECT_EQ(alarmFallsOn(t.rows[1], c.day, c.hour, c.minute), c.falls)
        << c.row << " " << c.day.toString(Qt::ISODate).toStdString() << " " << c.hour << ":"
        << c.minute;
  }
  // Day 31 of every month: only the long months have one.
  const AlarmTable monthly = tableOf({"yes|매월|*|31|9|0"});
  QList<int> months;
  for (int m = 1; m <= 12; ++m) {
    for (int d = 1; d <= QDate(2026, m, 1).daysInMonth(); ++d)
      if (alarmFallsOn(monthly.rows[1], QDate(2026, m, d), 9, 0)) months << m;
  }
  EXPECT_EQ(months, (QList<int>{1, 3, 5, 7, 8, 10, 12}));
}

TEST(AlarmMatch, TodaysListTakesDatesMonthDaysAndWeekdaysButNotDailyOrHourly) {
  const AlarmTable t =
      tableOf({"yes|지정|3|13|9|30", "no|금|*|*|8|0", "yes|매월|*|13|1|0", "yes|매일|*|*|7|0",
               "yes|매시|*|*|*|0", "yes|토|*|*|7|0", "yes|지정|3|14|9|30", "yes|||||"});
  std::vector<int> listed;
  for (int r = 1; r <= t.rowCount(); ++r)
    if (listedOn(t.rows[static_cast<size_t>(r)], QDate(2026, 3, 13))) listed.push_back(r);
  EXPECT_EQ(listed, (std::vector<int>{1, 2, 3})) << "an alarm that is off is still listed";
}

TEST(AlarmMatcher, FiresOncePerDueMinuteInRowOrder) {
  const AlarmTable t = tableOf({"yes|매시|*|*|*|0|yes|음1|yes|a", "no|매시|*|*|*|0|yes|음1|yes|off",
                                "yes|매일|*|*|10|0|yes|음2|yes|b"});
  EXPECT_EQ(
      ticks(t, {"2026-03-13T09:59:59.700", "2026-03-13T10:00:00.200", "2026-03-13T10:00:00.700",
                "2026-03-13T10:00:01.200", "2026-03-13T10:00:59.900", "2026-03-13T10:01:00.400"}),
      (Fired{{}, {1, 3}, {}, {}, {}, {}}));
  // A first tick in the first second of the minute fires; a first tick one
  // second later (H:0:1) does not.
  EXPECT_EQ(ticks(t, {"2026-03-13T11:00:00.400"}), (Fired{{1}}));
  EXPECT_EQ(ticks(t, {"2026-03-13T11:00:01.000"}), (Fired{{}}));
  // Next hour and next day ring again.
  AlarmMatcher m;
  EXPECT_EQ(ticks(t,
                  {"2026-03-13T10:00:00.100", "2026-03-13T10:59:59.900", "2026-03-13T11:00:00.300",
                   "2026-03-14T09:59:59.800", "2026-03-14T10:00:00.200"},
                  &m),
            (Fired{{1, 3}, {}, {1}, {}, {1, 3}}));
}

TEST(AlarmMatcher, LateTicksClocksSetBackAndJumps) {
  const AlarmTable t = tableOf({"yes|매일|*|*|10|0|yes|음1|yes|ten"});
  struct Case {
    const char *name;
    std::vector<const char *> times;
    Fired fired;
  } cases[] = {
      {"a tick 40 s late still fires, once",
       {"2026-03-13T09:59:57.000", "2026-03-13T10:00:37.000", "2026-03-13T10:00:37.500"},
       {{}, {1}, {}}},
      {"a tick almost a minute late",
       {"2026-03-13T09:59:59.500", "2026-03-13T10:00:59.900"},
       {{}, {1}}},
      {"a clock set back a minute does not fire again",
       {"2026-03-13T10:00:00.200", "2026-03-13T10:00:30.000", "2026-03-13T09:59:30.000",
        "2026-03-13T09:59:59.800", "2026-03-13T10:00:00.300", "2026-03-13T10:00:00.800"},
       {{1}, {}, {}, {}, {}, {}}},
      {"an hour back (daylight saving) neither",
       {"2026-03-13T10:00:00.200", "2026-03-13T10:30:00.000", "2026-03-13T09:30:00.000",
        "2026-03-13T09:59:59.800", "2026-03-13T10:00:00.300"},
       {{1}, {}, {}, {}, {}}},
      {"two hours skipped ring nothing stale",
       {"2026-03-13T08:59:59.000", "2026-03-13T11:00:30.000"},
       {{}, {}}},
      {"a minute and a bit late is stale",
       {"2026-03-13T09:59:59.000", "2026-03-13T10:01:00.500"},
       {{}, {}}},
  };
  for (const auto &c : cases) {
    AlarmMatcher m;
    Fired got;
    for (const char *time : c.times)
      got.push_back(m.tick(t, at(time)));
    EXPECT_EQ(got, c.fired) << c.name;
  }
  // After a jump, an alarm due within the last minute still rings.
  const AlarmTable eleven = tableOf({"yes|매일|*|*|11|0|yes|음1|yes|eleven"});
  EXPECT_EQ(ticks(eleven, {"2026-03-13T08:59:59.000", "2026-03-13T11:00:30.000"}),
            (Fired{{}, {1}}));
}

TEST(AlarmMatcher, IdenticalRowsEachRingAndAnEditedRowIsNotRungTwice) {
  AlarmTable t = tableOf({"yes|매일|*|*|10|0|yes|음1|yes|x", "yes|매일|*|*|10|0|yes|음1|yes|x"});
  AlarmMatcher m;
  EXPECT_EQ(m.tick(t, at("2026-03-13T10:00:00.100")), (std::vector<int>{1, 2}));
  // The editor's sort moves rows: the same alarm in another row has fired,
  // also when the clock then replays the minute.
  t = tableOf({"yes|매일|*|*|9|0|yes|음1|yes|new", "yes|매일|*|*|10|0|yes|음1|yes|x"});
  EXPECT_TRUE(m.tick(t, at("2026-03-13T09:59:59.900")).empty());
  EXPECT_TRUE(m.tick(t, at("2026-03-13T10:00:00.200")).empty());
}
