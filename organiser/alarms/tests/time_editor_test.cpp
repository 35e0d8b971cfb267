// The alarm editor: opening rows, Add, Save with its checks and sort,
// Delete, Cancel, Close, the kind options, calendar, scroll bars and sound
// preview, and a store that cannot be written.
#include "organiser/alarms/tests/alarm_fixture.h"
#include "organiser/alarms/time_editor.h"
#include "platform/forms/buttons.h"
#include "platform/forms/calendar.h"
#include "platform/forms/entry_checks.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/panel.h"
#include "platform/forms/scrollbar.h"
#include "platform/forms/testing/fake_dialogs.h"
#include "platform/forms/textbox.h"
#include "tests/support/temp_folder.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace dorrin;
using namespace dorrin::organiser;
using forms::rgb;
using forms::testing::FakeDialogs;
using organiser::alarmtest::tableOf;

namespace {

struct EditorFixture : ::testing::Test {
  test::TempFolder data;
  FakeDialogs dialogs;
  AlarmTable table;
  QStringList played;
  int listed = 0;
  std::unique_ptr<TimeEditor> editor;

  void SetUp() override { forms::resetSaveFailureReports(); }

  TimeEditor &open(const AlarmTable &t, QString store = {}) {
    table = t;
    if (store.isEmpty()) store = data.file("timedata.txt");
    editor = std::make_unique<TimeEditor>(table, TimeEditor::Services{&dialogs,
                                                                      [this](const QString &s) {
                                                                        played << s;
                                                                        return 0;
                                                                      },
                                                                      [this] { ++listed; }, store});
    editor->GridB_Data_View();
    return *editor;
  }
  forms::Rgb cellColor(int r, int c) {
    editor->Grid_B->setRow(r);
    editor->Grid_B->setCol(c);
    return editor->Grid_B->cellBackColor();
  }
  // Fills the panel as the user would for a new alarm and saves it.
  void enter(int kind, const char *date, const char *day, const char *hour, const char *minute,
             const char *message = "알림") {
    TimeEditor &e = *editor;
    e.OptAlamYesNO[1]->setValue(true);
    e.OptGibon[static_cast<size_t>(kind)]->setValue(true);
    e.TxtDate->setText(QString::fromUtf8(date));
    e.TxtDay->setText(QString::fromUtf8(day));
    e.Txt_Hour->setText(QString::fromUtf8(hour));
    e.Txt_Minute->setText(QString::fromUtf8(minute));
    e.OptSoriYesNo[1]->setValue(true);
    e.OptSori[3]->setValue(true);
    e.OptTxtYesNo[1]->setValue(true);
    e.TXTalim->setText(QString::fromUtf8(message));
    e.Com_B_MouseDown();
  }
  QString row(int r) const {
    QStringList f(table.rows[static_cast<size_t>(r)].begin(),
                  table.rows[static_cast<size_t>(r)].end());
    return f.join(u'|');
  }
};

} // namespace

TEST_F(EditorFixture, WindowLayout) {
  TimeEditor &e = open({});
  EXPECT_EQ(e.windowTitle(), QStringLiteral("Tessivo-알람메모(www.tessivo.co.kr)"));
  EXPECT_EQ(e.Grid_B->rows(), 50);
  EXPECT_EQ(e.Grid_B->cols(), 11);
  EXPECT_EQ(e.Grid_B->textMatrix(0, 10), QStringLiteral("내용"));
  EXPECT_EQ(e.Grid_B->colWidth(9), 500);
  EXPECT_EQ(e.Grid_B->colWidth(10), 6000);
  EXPECT_EQ(e.Grid_B->rowHeight(49), 300);
  EXPECT_EQ(e.Com_B->caption(), QStringLiteral("저  장"));
  EXPECT_EQ(e.Com_E->caption(), QStringLiteral("삭   제"));
  EXPECT_EQ(e.Com_Close->caption(), QStringLiteral("닫   기"));
  EXPECT_EQ(e.OptGibon[2]->caption(), QStringLiteral("매시"));
  EXPECT_EQ(e.OptGibon[11]->caption(), QStringLiteral("일"));
  EXPECT_EQ(e.TxtDate->text(), QStringLiteral("03/13"));
  EXPECT_EQ(e.VScroll1->max(), 23);
  EXPECT_EQ(e.VScroll2->max(), 59);
  // Idle: only Add and Close.
  EXPECT_FALSE(e.Pan_Setting->visible());
  EXPECT_TRUE(e.Com_C->visible());
  EXPECT_TRUE(e.Com_Close->visible());
  EXPECT_FALSE(e.Com_B->visible() || e.Com_D->visible() || e.Com_E->visible());
}

TEST_F(EditorFixture, OpeningFilledRowsRowsBelowAndTheHeader) {
  ASSERT_TRUE(loadAlarmStore(table, alarmtest::originalStore()));
  TimeEditor &e = open(table);
  e.Grid_B_DblClick(0);
  EXPECT_FALSE(e.Edit_Mode) << "the header row opens nothing";

  e.Grid_B_DblClick(30); // below the data: the first blank row
  EXPECT_EQ(e.Cur_Row, 13);
  EXPECT_TRUE(e.Edit_Mode);
  EXPECT_EQ(cellColor(13, 5), rgb(245, 125, 200));
  EXPECT_TRUE(e.Com_C->visible() && e.Com_D->visible());
  EXPECT_FALSE(e.Com_E->visible() || e.Txt_Number->visible() || e.Pan_Setting->visible() ||
               e.Com_Close->visible());
  e.Grid_B_DblClick(2);
  EXPECT_EQ(e.Cur_Row, 13) << "a row is open already";
  e.Com_D_Click();
  EXPECT_EQ(cellColor(13, 5), rgb(255, 255, 255));
  EXPECT_FALSE(e.Edit_Mode);

  struct Case {
    int row, kind;
    const char *date, *day, *hour, *minute;
    bool hourPanel;
  } cases[] = {
      {1, 1, "3/13", nullptr, "9", "30", true},       {2, 4, nullptr, "25", "10", "0", true},
      {9, 11, nullptr, nullptr, "20", "0", true}, // Sunday shows its own time
      {11, 2, nullptr, nullptr, nullptr, "0", false}, {12, 3, nullptr, nullptr, "09", "05", true},
  };
  for (const auto &c : cases) {
    e.Grid_B_DblClick(c.row);
    EXPECT_TRUE(e.Pan_Setting->visible()) << c.row;
    EXPECT_TRUE(e.OptGibon[static_cast<size_t>(c.kind)]->value()) << c.row;
    if (c.date) {
      EXPECT_EQ(e.TxtDate->text(), QString::fromUtf8(c.date)) << c.row;
    }
    if (c.day) {
      EXPECT_EQ(e.TxtDay->text(), QString::fromUtf8(c.day)) << c.row;
    }
    if (c.hour) {
      EXPECT_EQ(e.Txt_Hour->text(), QString::fromUtf8(c.hour)) << c.row;
    }
    EXPECT_EQ(e.Txt_Minute->text(), QString::fromUtf8(c.minute)) << c.row;
    EXPECT_EQ(e.Pan_Hour->visible(), c.hourPanel) << c.row;
    EXPECT_EQ(e.TXTalim->text(), table.at(c.row, colMessage));
    EXPECT_EQ(e.Txt_Number->text(), QString::number(c.row));
    EXPECT_TRUE(e.Com_B->visible() && e.Com_D->visible() && e.Com_E->visible());
    EXPECT_FALSE(e.Com_C->visible());
    EXPECT_EQ(cellColor(c.row, 10), rgb(245, 125, 200));
    EXPECT_EQ(e.Calenda->visible(), c.kind == 1) << c.row;
    if (c.kind == 1) {
      EXPECT_EQ(e.Calenda->month(), 3);
      EXPECT_EQ(e.Calenda->day(), 13);
    }
    e.Com_D_Click();
    EXPECT_FALSE(e.Calenda->visible()) << "leaving the row hides the calendar";
  }
  EXPECT_TRUE(played.isEmpty()) << "opening a row plays no preview";
  EXPECT_FALSE(QFile::exists(data.file("timedata.txt"))) << "Cancel stores nothing";
}

TEST_F(EditorFixture, EachKindOptionStoresItsKindAndFields) {
  struct Case {
    int option;
    const char *stored; // kind|month|day|hour|minute
  } cases[] = {
      {1, "지정|3|9|7|5"}, {2, "매시|*|*|*|5"}, {3, "매일|*|*|7|5"}, {4, "매월|*|31|7|5"},
      {5, "월|*|*|7|5"},   {6, "화|*|*|7|5"},   {7, "수|*|*|7|5"},   {8, "목|*|*|7|5"},
      {9, "금|*|*|7|5"},   {10, "토|*|*|7|5"},  {11, "일|*|*|7|5"},
  };
  for (const auto &c : cases) {
    TimeEditor &e = open({});
    e.Com_C_MouseDown();
    EXPECT_EQ(e.Cur_Row, 1);
    enter(c.option, "03/09", "31", "07", "05");
    EXPECT_FALSE(e.Edit_Mode);
    EXPECT_EQ(row(1), QStringLiteral("1|yes|") + QString::fromUtf8(c.stored) +
                          QStringLiteral("|yes|음3|yes|알림"))
        << c.option;
  }
}

TEST_F(EditorFixture, SaveSortsNumbersStoresAndRefreshesTheList) {
  TimeEditor &e = open(tableOf({"yes|매일|*|*|7|30|yes|음1|yes|일곱시 반"}));
  e.Com_C_MouseDown();
  EXPECT_EQ(e.Cur_Row, 2);
  EXPECT_EQ(e.Txt_Number->text(), QStringLiteral("2"));
  EXPECT_FALSE(e.Com_E->visible() || e.Com_Close->visible());
  enter(3, "", "", "6", "05", "여섯시 오분");
  EXPECT_EQ(row(1), QStringLiteral("1|yes|매일|*|*|6|5|yes|음3|yes|여섯시 오분"));
  EXPECT_EQ(row(2), QStringLiteral("2|yes|매일|*|*|7|30|yes|음1|yes|일곱시 반"));
  EXPECT_EQ(e.Grid_B->textMatrix(1, 10), QStringLiteral("여섯시 오분"));
  EXPECT_EQ(e.Grid_B->textMatrix(2, 0), QStringLiteral("2"));
  EXPECT_EQ(listed, 1);
  EXPECT_EQ(played, QStringList{QStringLiteral("음3")}) << "choosing a sound previews it";

  e.Com_C_MouseDown(); // an hourly alarm sorts after every daily one
  enter(2, "", "", "", "0", "정각");
  e.Com_C_MouseDown();
  enter(1, "12/25", "", "0", "0", "성탄절");
  EXPECT_EQ(table.at(1, colMessage), QStringLiteral("성탄절"));
  EXPECT_EQ(table.at(4, colMessage), QStringLiteral("정각"));
  EXPECT_EQ(table.at(4, colNumber), QStringLiteral("4"));
  AlarmTable stored;
  ASSERT_TRUE(loadAlarmStore(stored, data.file("timedata.txt")));
  EXPECT_EQ(stored.storeLine(), table.storeLine());
  EXPECT_EQ(cellColor(2, 3), rgb(255, 255, 255));
}

TEST_F(EditorFixture, DeleteMovesLaterRowsUpRenumbersAndStoresWithoutSorting) {
  TimeEditor &e =
      open(tableOf({"yes|매일|*|*|9|0|no|음1|yes|아홉", "yes|매일|*|*|8|0|no|음1|yes|여덟",
                    "yes|매일|*|*|7|0|no|음1|yes|일곱"}));
  e.Grid_B_DblClick(2);
  e.Com_E_Click();
  EXPECT_FALSE(e.Edit_Mode);
  EXPECT_TRUE(e.Com_C->visible() && e.Com_Close->visible());
  EXPECT_FALSE(e.Pan_Setting->visible());
  EXPECT_EQ(row(1), QStringLiteral("1|yes|매일|*|*|9|0|no|음1|yes|아홉"));
  EXPECT_EQ(row(2), QStringLiteral("2|yes|매일|*|*|7|0|no|음1|yes|일곱"));
  EXPECT_EQ(row(3), QStringLiteral("||||||||||"));
  EXPECT_EQ(e.Grid_B->textMatrix(2, 10), QStringLiteral("일곱"));
  EXPECT_TRUE(e.Grid_B->textMatrix(3, 0).isEmpty());
  AlarmTable stored;
  ASSERT_TRUE(loadAlarmStore(stored, data.file("timedata.txt")));
  EXPECT_EQ(stored.storeLine(), table.storeLine());
}

TEST_F(EditorFixture, EntriesThatCannotFireOrCannotBeStoredAreRefused) {
  struct Case {
    int kind;
    const char *date, *day, *hour, *minute, *message;
    const char *refusal; // start of the message box text; null: accepted
  } cases[] = {
      {1, "0313", "", "9", "0", "a", "날짜를 월/일"},
      {1, "13/1", "", "9", "0", "a", "월은 1부터 12"},
      {1, "3/32", "", "9", "0", "a", "일은 1부터 31"},
      {1, "3/", "", "9", "0", "a", "일은 1부터 31"},
      {4, "", "", "9", "0", "a", "일은 1부터 31"},
      {3, "", "", "24", "0", "a", "시는 0부터 23"},
      {3, "", "", "아홉", "0", "a", "시는 0부터 23"},
      {3, "", "", "", "0", "a", "시는 0부터 23"},
      {3, "", "", "9", "60", "a", "분은 0부터 59"},
      {2, "", "", "99", "-1", "a", "분은 0부터 59"},
      {3, "", "", "9", "0", "웃음 😀", "😀"},
      {2, "", "", "99", "07", "a", nullptr}, // hourly: the hour is not used
      {1, " 03 / 09 ", "", "09", "00", "a", nullptr},
  };
  for (const auto &c : cases) {
    TimeEditor &e = open({});
    dialogs.calls.clear();
    e.Com_C_MouseDown();
    enter(c.kind, c.date, "", c.hour, c.minute, c.message);
    if (c.kind == 4) {
      EXPECT_EQ(e.TxtDay->text(), QString()); // the monthly option emptied it
    }
    if (c.refusal) {
      ASSERT_EQ(dialogs.count(FakeDialogs::Kind::MsgBox), 1) << c.refusal;
      EXPECT_TRUE(dialogs.calls[0].text.contains(QString::fromUtf8(c.refusal)))
          << dialogs.calls[0].text.toStdString();
      EXPECT_TRUE(e.Edit_Mode) << "the row stays open";
      EXPECT_TRUE(table.at(1, colNumber).isEmpty()) << c.refusal;
      EXPECT_FALSE(QFile::exists(data.file("timedata.txt")));
    } else {
      EXPECT_EQ(dialogs.count(FakeDialogs::Kind::MsgBox), 0);
      EXPECT_FALSE(e.Edit_Mode);
    }
  }
  EXPECT_EQ(row(1), QStringLiteral("1|yes|지정|3|9|9|0|yes|음3|yes|a")) << "no leading zeros";
}

TEST_F(EditorFixture, BarsAndLineBreaksNeverReachTheStore) {
  TimeEditor &e = open({});
  e.Com_C_MouseDown();
  enter(3, "", "", "9", "0", "회의|3층\r\n2호실");
  EXPECT_EQ(table.at(1, colMessage), QStringLiteral("회의｜3층 2호실"));
  EXPECT_EQ(e.TXTalim->text(), QStringLiteral("회의｜3층 2호실")) << "the user sees what is kept";
  AlarmTable stored;
  ASSERT_TRUE(loadAlarmStore(stored, data.file("timedata.txt")));
  EXPECT_EQ(stored.rowCount(), 1);
  EXPECT_EQ(stored.at(1, colMessage), QStringLiteral("회의｜3층 2호실"));
}

TEST_F(EditorFixture, AFiftiethAlarmIsRefused) {
  AlarmTable full;
  for (int r = 1; r <= kAlarmRows; ++r) {
    full.at(r, colNumber) = QString::number(r);
    full.at(r, colOn) = QStringLiteral("yes");
    full.at(r, colKind) = QStringLiteral("매일");
    full.at(r, colMessage) = QStringLiteral("알람 %1").arg(r);
  }
  TimeEditor &e = open(full);
  e.Com_C_MouseDown();
  EXPECT_EQ(dialogs.count(FakeDialogs::Kind::MsgBox), 1);
  EXPECT_TRUE(dialogs.calls[0].text.contains(QStringLiteral("49")));
  EXPECT_FALSE(e.Edit_Mode);
  EXPECT_FALSE(e.Pan_Setting->visible());
  e.Grid_B_DblClick(49); // the last row is an alarm and opens as one
  EXPECT_EQ(e.Cur_Row, 49);
  EXPECT_TRUE(e.Pan_Setting->visible());
}

TEST_F(EditorFixture, AStoreThatCannotBeWrittenIsReportedOnceAndTheTableKeepsTheChange) {
  data.write("blocker", "a file where the folder should be");
  TimeEditor &e = open({}, data.file("blocker/timedata.txt"));
  e.Com_C_MouseDown();
  enter(3, "", "", "9", "0", "첫째");
  EXPECT_EQ(table.at(1, colMessage), QStringLiteral("첫째"));
  ASSERT_EQ(dialogs.count(FakeDialogs::Kind::MsgBox), 1);
  EXPECT_TRUE(dialogs.calls[0].text.contains(QStringLiteral("timedata.txt")));
  e.Com_C_MouseDown();
  enter(3, "", "", "8", "0", "둘째");
  EXPECT_EQ(dialogs.count(FakeDialogs::Kind::MsgBox), 1) << "later failures are only logged";
  EXPECT_EQ(table.at(1, colMessage), QStringLiteral("둘째"));
  EXPECT_EQ(listed, 2);
}

TEST_F(EditorFixture, KindOptionsCalendarScrollBarsAndClose) {
  TimeEditor &e = open({});
  e.show();
  e.Com_C_MouseDown();
  e.OptGibon[1]->setValue(true);
  EXPECT_TRUE(e.Calenda->visible() && e.TxtDate->visible());
  EXPECT_FALSE(e.TxtDay->visible() || e.Pan2->visible());
  e.Calenda->pick(QDate(2026, 12, 5));
  EXPECT_EQ(e.TxtDate->text(), QStringLiteral("12/5"));
  EXPECT_FALSE(e.Calenda->visible());
  e.OptGibon[2]->setValue(true);
  EXPECT_FALSE(e.Pan_Hour->visible());
  EXPECT_FALSE(e.TxtDate->visible() || e.TxtDay->visible() || e.Pan2->visible());
  e.TxtDay->setText(QStringLiteral("x"));
  e.OptGibon[4]->setValue(true);
  EXPECT_TRUE(e.Pan_Hour->visible() && e.TxtDay->visible() && e.Pan2->visible());
  EXPECT_TRUE(e.TxtDay->text().isEmpty());
  EXPECT_FALSE(e.TxtDate->visible());
  e.VScroll1->setValue(17);
  e.VScroll2->setValue(45);
  EXPECT_EQ(e.Txt_Hour->text(), QStringLiteral("17"));
  EXPECT_EQ(e.Txt_Minute->text(), QStringLiteral("45"));
  e.OptSori[9]->setValue(true);
  EXPECT_EQ(played, QStringList{QStringLiteral("음9")});

  e.Com_D_Click();
  e.Com_Close_Click();
  EXPECT_FALSE(e.isVisible());
  EXPECT_EQ(listed, 1);
  e.show(); // shown again as it was left
  EXPECT_TRUE(e.OptGibon[4]->value());
  EXPECT_EQ(e.Txt_Hour->text(), QStringLiteral("17"));
}
