// The alarm store: the original program's file in and out unchanged, the
// line layout, partial lines, and the sort of the saved table.
#include "organiser/alarms/alarm_table.h"
#include "organiser/alarms/tests/alarm_fixture.h"
#include "platform/text/cp949.h"
#include "tests/support/temp_folder.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace dorrin;
using namespace dorrin::organiser;
using organiser::alarmtest::tableOf;

namespace {
QByteArray bytesOf(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST(AlarmStore, TheOriginalsFileLoadsAndIsWrittenBackByteIdentical) {
  AlarmTable t;
  ASSERT_TRUE(loadAlarmStore(t, alarmtest::originalStore()));
  EXPECT_EQ(t.rowCount(), 12);
  EXPECT_EQ(t.at(1, colKind), QStringLiteral("지정"));
  EXPECT_EQ(t.at(1, colMessage), QStringLiteral("결혼기념일 꽃 주문"));
  EXPECT_EQ(t.at(8, colMessage), QStringLiteral("똠방각하 다시 보기"));
  EXPECT_EQ(t.at(11, colHour), QStringLiteral("*"));
  EXPECT_EQ(t.at(12, colHour), QStringLiteral("09"));
  EXPECT_EQ(t.at(12, colSound), QStringLiteral("음3"));
  EXPECT_TRUE(t.at(13, colNumber).isEmpty());

  test::TempFolder dir;
  const QString out = dir.file("timedata.txt");
  ASSERT_TRUE(writeAlarmStore(t, out));
  EXPECT_EQ(bytesOf(out), bytesOf(alarmtest::originalStore()));
}

TEST(AlarmStore, TheFirstAlarmGivesA539ItemLineEndingInABarAndCrLf) {
  const AlarmTable t = tableOf({"yes|매일|*|*|7|30|yes|음1|yes|기상"});
  test::TempFolder dir;
  ASSERT_TRUE(writeAlarmStore(t, dir.file("timedata.txt")));
  const QByteArray bytes = dir.read("timedata.txt");
  ASSERT_TRUE(bytes.endsWith("|\r\n"));
  const QList<QByteArray> items = bytes.chopped(2).split('|');
  ASSERT_EQ(items.size(), kAlarmStoreItems + 1) << "539 items, each followed by a bar";
  EXPECT_TRUE(bytes.startsWith("1|yes|" + text::toCp949(u"매일") + "|*|*|7|30|yes|" +
                               text::toCp949(u"음1") + "|yes|" + text::toCp949(u"기상") + "|"));
  for (int k = 11; k < kAlarmStoreItems; ++k)
    ASSERT_TRUE(items[k].isEmpty()) << k;
}

TEST(AlarmStore, AShortLineLeavesTheRestAndAMissingFileLeavesAll) {
  AlarmTable t = tableOf({"yes|매일|*|*|7|30|yes|음1|yes|기상", "no|매시|*|*|*|15|no|음2|no|물"});
  test::TempFolder dir;
  EXPECT_FALSE(loadAlarmStore(t, dir.file("timedata.txt")));
  EXPECT_EQ(t.at(2, colMessage), QStringLiteral("물"));

  t.assignLine(u"1|no|매월|*|5|8|0"); // only seven items
  EXPECT_EQ(t.at(1, colOn), QStringLiteral("no"));
  EXPECT_EQ(t.at(1, colMinute), QStringLiteral("0"));
  EXPECT_EQ(t.at(1, colSoundOn), QStringLiteral("yes")) << "items the line lacks stay";
  EXPECT_EQ(t.at(2, colMessage), QStringLiteral("물"));
}

TEST(AlarmStore, SortOrdersByKindThenDateAndTimeAndKeepsEqualKeysInOrder) {
  struct Case {
    const char *name;
    AlarmTable table;
    std::vector<int> order;
  } cases[] = {
      {"daily 7:30 entered before 6:05",
       tableOf({"yes|매일|*|*|7|30|yes|음1|yes|a", "yes|매일|*|*|6|05|yes|음1|yes|b"}),
       {2, 1}},
      {"hourly after every daily",
       tableOf({"yes|매시|*|*|*|0|yes|음1|yes|a", "yes|매일|*|*|23|59|yes|음1|yes|b"}),
       {2, 1}},
      {"kinds in rank order",
       tableOf({"yes|매일|*|*|1|0|no|음1|no|d", "yes|일|*|*|1|0|no|음1|no|s",
                "yes|월|*|*|1|0|no|음1|no|m", "yes|매월|*|3|1|0|no|음1|no|mo",
                "yes|지정|12|25|1|0|no|음1|no|f", "yes||||||no|음1|no|none"}),
       {6, 5, 4, 3, 2, 1}},
      {"fixed dates by month then day",
       tableOf({"yes|지정|12|1|0|0|no|음1|no|a", "yes|지정|3|13|0|0|no|음1|no|b",
                "yes|지정|3|2|0|0|no|음1|no|c"}),
       {3, 2, 1}},
      {"equal keys keep their order",
       tableOf({"yes|매일|*|*|7|30|no|음1|no|a", "yes|월|*|*|7|0|no|음1|no|b",
                "yes|매일|*|*|7|30|no|음1|no|c", "yes|매일|*|*|7|30|no|음1|no|d"}),
       {2, 1, 3, 4}},
      // Keys past the selection's starting bound (a damaged store) are still
      // taken once each, none lost and none doubled.
      {"huge values",
       tableOf({"yes|매일|*|*|9000000|0|no|음1|no|a", "yes|매일|*|*|8|0|no|음1|no|b",
                "yes|매시|*|*|*|99999999999|no|음1|no|c"}),
       {2, 1, 3}},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(sortedOrder(c.table, c.table.rowCount()), c.order) << c.name;
  }
  EXPECT_EQ(sortKey(tableOf({"yes|지정|03/|13|9|05"}).rows[1]),
            (1 * 100000000LL + 3 * 1000000LL + 13 * 10000LL + 9 * 100LL + 5) * 10000);
}
