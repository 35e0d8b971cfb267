// Refresh speed of the week table's two views on a 1,000,000-entry week
// table: the week planner's DisplayRecord + WeekSpiltHeight, as every change
// of the table or of the week runs it, and the schedule list's page loader,
// as showing the memo page and every edit there run it. The entries spread
// over ten years, about 274 a day, so every strip and every listed day reads
// its full 32 entries (the most a refresh ever reads). Prints milliseconds
// per refresh (wall clock and CPU); the goal is one frame, 16 ms.
#include "organiser/contracts/tables.h"
#include "organiser/main/frm_start.h"
#include "organiser/planner/month_calendar.h"
#include "organiser/planner/schedule_list.h"
#include "organiser/planner/week_planner.h"
#include "platform/db/sqlite_engine.h"
#include "platform/text/runtime.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace dorrin;
using namespace dorrin::organiser;

namespace {

constexpr int kRecords = 1'000'000;
constexpr int kDays = 3650;
constexpr int kRuns = 200;
const QDate kFirstDay(2020, 1, 1);

double cpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

struct Stats {
  double median, p95, max;
};
Stats stats(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return {v[v.size() / 2], v[v.size() * 95 / 100], v.back()};
}

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  db::SqliteEngine engine;
  auto database = engine.OpenDatabase(dir.filePath("TessivoWeek.mdb"), {db::weekTable()});
  {
    QElapsedTimer t;
    t.start();
    auto rs = database->OpenRecordset(QStringLiteral("AWeek"));
    database->BeginTrans();
    for (int i = 0; i < kRecords; ++i) {
      rs->AddNew();
      rs->Fields(0).SetValue(text::shortDate(kFirstDay.addDays(i % kDays)));
      rs->Fields(1).SetValue(QStringLiteral("메모 %1번 항목").arg(i));
      rs->Update();
    }
    database->CommitTrans();
    std::printf("built %d entries in %lld ms\n", kRecords, t.elapsed());
  }

  std::unique_ptr<db::Recordset> rs;
  const QDate today = kFirstDay.addDays(kDays / 2);
  FrmStart form(MainServices{nullptr, nullptr, [today] { return QDateTime(today, QTime(9, 0)); }});
  MonthCalendar calendar(form);
  WeekPlanner planner(
      form, [&] { return rs.get(); }, calendar);
  ScheduleList list(
      form, [&] { return rs.get(); }, calendar);
  form.Form_Load();
  rs = database->OpenRecordset(QStringLiteral("AWeek"));
  form.show();
  form.Menu_MouseDown(kPageWeek, forms::kLeftButton);
  app.processEvents();

  // Alternate between a full week and an empty one so every refresh
  // rewrites every line and resizes every strip, the page and the window.
  std::vector<double> wall, cpu, display, height;
  for (int run = 0; run < kRuns; ++run) {
    const QDate day = run % 2 ? kFirstDay.addDays(-30) : today;
    QElapsedTimer t;
    t.start();
    const double c0 = cpuMs();
    planner.DisplayRecord(day);
    const double c1 = cpuMs();
    planner.WeekSpiltHeight();
    const double c2 = cpuMs();
    if (run % 2) continue; // report the full week's refreshes
    wall.push_back(double(t.nsecsElapsed()) / 1e6);
    cpu.push_back(c2 - c0);
    display.push_back(c1 - c0);
    height.push_back(c2 - c1);
  }
  planner.DisplayRecord(today);
  int lines = 0;
  for (auto n : planner.Day_Lines)
    lines += n;
  const Stats w = stats(wall), c = stats(cpu);
  std::printf("week_display: DisplayRecord + WeekSpiltHeight, %d entries, %d lines shown, %d "
              "full-week runs\n",
              kRecords, lines, int(wall.size()));
  std::printf("  wall ms: median %.2f  p95 %.2f  max %.2f\n", w.median, w.p95, w.max);
  std::printf("  cpu  ms: median %.2f  p95 %.2f  max %.2f   (goal < 16)\n", c.median, c.p95, c.max);
  std::printf("  cpu  ms, median: DisplayRecord %.2f, WeekSpiltHeight %.2f\n",
              stats(display).median, stats(height).median);

  // The schedule list: the whole loader (clear, 13 days of finds, colours,
  // layout) on the memo page.
  form.Menu_MouseDown(kPageMemo, forms::kLeftButton);
  app.processEvents();
  std::vector<double> loadWall, loadCpu;
  for (int run = 0; run < kRuns / 2; ++run) {
    QElapsedTimer t;
    t.start();
    const double c0 = cpuMs();
    list.Pan_Load_Time();
    loadCpu.push_back(cpuMs() - c0);
    loadWall.push_back(double(t.nsecsElapsed()) / 1e6);
  }
  const Stats lw = stats(loadWall), lc = stats(loadCpu);
  std::printf("schedule_list: Pan_Load_Time, %d entries, %d rows listed, %d runs\n", kRecords,
              int(list.List_Row), int(loadWall.size()));
  std::printf("  wall ms: median %.2f  p95 %.2f  max %.2f\n", lw.median, lw.p95, lw.max);
  std::printf("  cpu  ms: median %.2f  p95 %.2f  max %.2f   (goal < 16)\n", lc.median, lc.p95,
              lc.max);
  rs.reset();
  return 0;
}
