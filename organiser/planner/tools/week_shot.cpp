// Draws the week page with a few entries and the month pop-up open, and
// saves it as a PNG: planner_week_shot out.png [yyyy-MM-dd]
#include "organiser/contracts/tables.h"
#include "organiser/main/frm_start.h"
#include "organiser/planner/month_calendar.h"
#include "organiser/planner/week_planner.h"
#include "platform/db/sqlite_engine.h"
#include "platform/forms/form.h"
#include "platform/forms/testing/fake_dialogs.h"
#include "platform/forms/textbox.h"
#include "platform/text/runtime.h"

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

using namespace dorrin;
using namespace dorrin::organiser;

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: planner_week_shot out.png [yyyy-MM-dd]\n");
    return 2;
  }
  forms::installFontSubstitutes();
  const QDate today =
      argc > 2 ? text::parseShortDate(QString::fromLocal8Bit(argv[2])) : QDate(2026, 12, 6);
  QTemporaryDir dir;
  db::SqliteEngine engine;
  auto database = engine.OpenDatabase(dir.filePath("TessivoWeek.mdb"), {db::weekTable()});
  std::unique_ptr<db::Recordset> rs;
  forms::testing::FakeDialogs dialogs;
  FrmStart form(MainServices{&dialogs, nullptr, [today] { return QDateTime(today, QTime(9, 0)); }});
  MonthCalendar calendar(form);
  WeekPlanner planner(
      form, [&] { return rs.get(); }, calendar);

  form.Form_Load();
  rs = database->OpenRecordset(QStringLiteral("AWeek"));
  const struct {
    int offset;
    const char *text;
  } entries[] = {{0, "팀 회의 10시 (3층 회의실)"}, {0, "점심: 김 과장님과"},
                 {0, "보고서 초안 보내기"},        {1, "치과 예약 오후 4시"},
                 {3, "어머니 생신 선물 준비"},     {5, "Release 1.2 — 배포"}};
  for (const auto &e : entries)
    planner.Week_Data_Save(today.addDays(e.offset), QString::fromUtf8(e.text));
  form.show();
  form.Menu_MouseDown(kPageWeek, forms::kLeftButton);
  planner.PanWeek_MouseDown(7, forms::kLeftButton); // one extra empty line
  // The line editor open on 12/8's empty line, the pop-up moved aside.
  planner.WeekGrid_MouseDown(3);
  planner.Txt_Week->setText(QStringLiteral("새 일정 입력 중"));
  planner.Com_Calen_MouseDown();
  form.Pan_Calendar->setLeft(4300);
  form.Pan_Calendar->setTop(3300);
  app.processEvents();
  if (!form.grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  rs.reset();
  return 0;
}
