// The alarm side of the main window: today's list in Grid_C, the clock text
// and the alarms a tick signals, with a fixed clock and recording outputs.
#include "organiser/alarms/alarm_page.h"
#include "organiser/alarms/tests/alarm_fixture.h"
#include "organiser/main/frm_start.h"
#include "platform/forms/testing/fake_dialogs.h"
#include "tests/support/temp_folder.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace dorrin;
using namespace dorrin::organiser;

namespace {

struct PageFixture : ::testing::Test {
  test::TempFolder data;
  forms::testing::FakeDialogs dialogs;
  QDateTime clock = QDateTime(QDate(2026, 3, 13), QTime(9, 0)); // a Friday
  FrmStart form{MainServices{&dialogs, nullptr, [this] { return clock; }}};
  QStringList notices, sounds;
  int soundError = 0;
  AlarmPage page{form,
                 AlarmOutputs{[this](const QString &m) { notices << m; },
                              [this](const QString &s) {
                                sounds << s;
                                return soundError;
                              }},
                 data.file("timedata.txt")};

  void storeOriginal() { QFile::copy(alarmtest::originalStore(), data.file("timedata.txt")); }
  QStringList listed() const {
    QStringList out;
    for (int r = 0; r < 50; ++r)
      out << form.Grid_C->textMatrix(r, 1);
    while (!out.isEmpty() && out.last().isEmpty())
      out.removeLast();
    return out;
  }
  void tickAt(const QTime &t) {
    clock.setTime(t);
    form.hooks.Time1_Timer();
  }
};

} // namespace

TEST_F(PageFixture, ThePageLoaderLoadsTheStoreAndListsTodaysAlarms) {
  storeOriginal();
  form.hooks.Pan_Load_Time = [this] { page.Pan_Load_Time(); };
  form.Form_Load(); // Page6_Grids numbers column 0
  EXPECT_EQ(page.Time_Data.rowCount(), 12);
  // Friday 13 March: the fixed date 3/13 and the Friday alarm.
  EXPECT_EQ(listed(), (QStringList{QStringLiteral("결혼기념일 꽃 주문"),
                                   QStringLiteral("주간 보고서 제출")}));
  EXPECT_EQ(form.Grid_C->textMatrix(49, 0), QStringLiteral("49"));

  clock.setDate(QDate(2026, 3, 16)); // Monday: the alarm that is off is listed too
  page.Pan_Load_Time();
  EXPECT_EQ(listed(), QStringList{QStringLiteral("주간 회의")});
  EXPECT_EQ(page.List_Count, 1);
  clock.setDate(QDate(2026, 3, 25)); // Wednesday the 25th
  page.FunPlusList();
  EXPECT_EQ(listed(),
            (QStringList{QStringLiteral("월급날 카드값 확인"), QStringLiteral("수요 독서모임")}));
}

TEST_F(PageFixture, ATickWritesTheClockAndSignalsDueAlarmsInRowOrder) {
  page.Time_Data =
      alarmtest::tableOf({"yes|매일|*|*|9|1|yes|음2|yes|첫째", "yes|매일|*|*|9|1|yes|음5|no|소리만",
                        "yes|매일|*|*|9|1|no|음7|yes|글만", "no|매일|*|*|9|1|yes|음9|yes|꺼짐"});
  form.Kttime->setWidth(3000);
  tickAt(QTime(9, 0, 59, 800));
  EXPECT_EQ(form.Kttime->caption(), QStringLiteral("3/13(금) 9:0:59"));
  EXPECT_TRUE(notices.isEmpty());
  tickAt(QTime(9, 1, 0, 300));
  tickAt(QTime(9, 1, 0, 800));
  EXPECT_EQ(notices, (QStringList{QStringLiteral("첫째"), QStringLiteral("글만")}));
  EXPECT_EQ(sounds, (QStringList{QStringLiteral("음2"), QStringLiteral("음5")}));
  form.Kttime->setWidth(1500);
  tickAt(QTime(9, 1, 1));
  EXPECT_EQ(form.Kttime->caption(), QStringLiteral("13일 9:1"));
}

TEST_F(PageFixture, ASoundThatFailsNeverStopsTheNotice) {
  page.Time_Data =
      alarmtest::tableOf({"yes|매일|*|*|9|1|yes|음2|yes|하나", "yes|매일|*|*|9|1|yes|음3|yes|둘"});
  soundError = 275; // file not found
  tickAt(QTime(9, 0, 59, 800));
  tickAt(QTime(9, 1, 0, 300));
  EXPECT_EQ(notices, (QStringList{QStringLiteral("하나"), QStringLiteral("둘")}));
  EXPECT_EQ(sounds.size(), 2);
}
