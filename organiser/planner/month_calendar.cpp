#include "organiser/planner/month_calendar.h"

#include "organiser/main/frm_start.h"
#include "organiser/planner/schedule_list.h"
#include "organiser/planner/week_table.h"
#include "platform/forms/buttons.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/form.h"
#include "platform/forms/panel.h"
#include "platform/forms/scrollbar.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>

namespace dorrin::organiser {

using forms::rgb;

namespace {

// Twelve 2-digit day counts, January first; February is decided by the leap
// rule.
constexpr const char kMonthLengths[] = "312831303130313130313031";
const QString kHeader = QStringLiteral("일월화수목금토");

constexpr forms::Rgb kRed = rgb(255, 0, 0);
constexpr forms::Rgb kTodayBack = rgb(0, 0, 255);
constexpr forms::Rgb kTodayFore = rgb(255, 255, 255);
constexpr int kColumnWidth = 480;
constexpr int kPanelWidth = 3495, kPanelHeight = 2145; // design size
constexpr int kPanelMargin = 60;                       // below and right of the grid

// A date a blank cell picks: no day was chosen.
const QDate kNoDaySchedule(2100, 1, 1);
const QDate kNoDayWeek(2000, 1, 1);

} // namespace

int weekdayNumber(const QDate &d) {
  return d.isValid() ? d.dayOfWeek() % 7 + 1 : 0; // Qt counts Monday = 1 .. Sunday = 7
}

bool isLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int monthDays(int year, int month) {
  if (month < 1 || month > 12) return 0;
  if (month == 2) return isLeapYear(year) ? 29 : 28;
  const int i = (month - 1) * 2;
  return (kMonthLengths[i] - '0') * 10 + (kMonthLengths[i + 1] - '0');
}

std::pair<int, int> MonthLayout::cellOf(int d) const {
  if (d < 1 || d > days) return {0, 0};
  const int n = firstColumn + d - 1;
  return {1 + n / 7, n % 7};
}

MonthLayout monthLayout(int year, int month, const QDate &today) {
  MonthLayout m;
  const QDate first(year, month, 1);
  if (!first.isValid()) return m;
  m.days = monthDays(year, month);
  m.firstColumn = weekdayNumber(first) - 1;
  m.todayDay = (today.year() == year && today.month() == month) ? today.day() : 0;
  for (int d = 1; d <= m.days; ++d) {
    const auto [r, c] = m.cellOf(d);
    m.day[r][c] = d;
  }
  return m;
}

MonthCalendar::MonthCalendar(FrmStart &form) : form_(form) {
  forms::KtPanel *pan = form.Pan_Calendar;

  KtPanel1 = new forms::KtPanel(pan, QStringLiteral("..."));
  KtPanel1->setObjectName("KtPanel1");
  KtPanel1->place(3150, 0, 345, 315);

  const QFont dispFont = forms::formFont(QStringLiteral("굴림체"), 9.75);
  DispYear = new forms::Label(pan);
  DispYear->setObjectName("DispYear");
  DispYear->setFont(dispFont);
  DispYear->setBackStyle(0);
  DispYear->setAlignment(forms::Label::AlignRight);
  DispYear->place(60, 75, 720, 255);
  ScrYear = new forms::ScrollBar(Qt::Horizontal, pan);
  ScrYear->setObjectName("ScrYear");
  ScrYear->place(810, 60, 720, 285);
  ScrYear->setMax(2100);
  ScrYear->setMin(1900);
  ScrYear->setLargeChange(5);
  ScrYear->setSmallChange(1);

  DispMonth = new forms::Label(pan);
  DispMonth->setObjectName("DispMonth");
  DispMonth->setFont(dispFont);
  DispMonth->setBackStyle(0);
  DispMonth->setAlignment(forms::Label::AlignRight);
  DispMonth->place(1590, 75, 540, 255);
  ScrMonth = new forms::ScrollBar(Qt::Horizontal, pan);
  ScrMonth->setObjectName("ScrMonth");
  ScrMonth->place(2160, 60, 720, 285);
  ScrMonth->setMin(0);
  ScrMonth->setMax(13);
  ScrMonth->setLargeChange(3);
  ScrMonth->setSmallChange(1);

  GCalendar = new forms::FlexGrid(pan, 7, 7, 1, 0);
  GCalendar->setObjectName("GCalendar");
  GCalendar->setScrollBars(0);
  const QPalette pal = QApplication::palette();
  GCalendar->setBackColor(forms::fromQColor(pal.color(QPalette::Base)));
  GCalendar->setForeColor(forms::fromQColor(pal.color(QPalette::Text)));
  GCalendar->place(60, 390, 3855, 1815);

  // The steppers are configured before their handlers are connected, so
  // setting their ranges fills nothing.
  auto guarded = [](const char *name, auto f) { return [name, f] { FrmStart::call(name, f); }; };
  QObject::connect(ScrYear, &forms::ScrollBar::change, this,
                   guarded("ScrYear_Change", [this] { ScrYear_Change(); }));
  QObject::connect(ScrMonth, &forms::ScrollBar::change, this,
                   guarded("ScrMonth_Change", [this] { ScrMonth_Change(); }));
  QObject::connect(GCalendar, &forms::FlexGrid::dblClick, this,
                   guarded("GCalendar_DblClick", [this] { GCalendar_DblClick(); }));
  QObject::connect(KtPanel1, &forms::KtPanel::clicked, this,
                   guarded("KtPanel1_Click", [this] { KtPanel1_Click(); }));
  QObject::connect(pan, &forms::KtPanel::mouseDown, this, [this](const forms::MouseArgs &e) {
    FrmStart::call("Pan_Calendar_MouseDown", [&] { Pan_Calendar_MouseDown(e); });
  });
  QObject::connect(pan, &forms::KtPanel::mouseMove, this, [this](const forms::MouseArgs &e) {
    FrmStart::call("Pan_Calendar_MouseMove", [&] { Pan_Calendar_MouseMove(e); });
  });
}

void MonthCalendar::open(int mode) {
  Calendar_Mode = mode;
  form_.Pan_Calendar->setVisible(true);
  form_.Pan_Calendar->raise();
  form_.Pan_Calendar->setTop(100);
  form_.Pan_Calendar->setLeft(100);
  Show_Today_Month();
}

void MonthCalendar::Show_Today_Month() {
  forms::FlexGrid &g = *GCalendar;
  g.setRow(0);
  for (int c = 0; c < 7; ++c) {
    g.setCol(c);
    g.setFixedAlignment(c, contracts::Grid::AlignCenterTop);
    g.setText(kHeader.mid(c, 1));
    g.setColWidth(c, kColumnWidth);
  }
  g.setWidth(7 * g.colWidth(0));
  g.setHeight(7 * g.rowHeight(0));
  // Rows take the height of the font this system has; the pop-up grows to
  // hold all seven rows (never below its design size).
  forms::KtPanel *pan = form_.Pan_Calendar;
  pan->setWidth(std::max(kPanelWidth, g.left() + g.width() + kPanelMargin));
  pan->setHeight(std::max(kPanelHeight, g.top() + g.height() + kPanelMargin));

  const QDate today = form_.today();
  ScrYear->setValue(today.year());
  DispYear->setCaption(QString::number(today.year()) + QStringLiteral("년"));
  ScrMonth->setValue(today.month());
  DispMonth->setCaption(QString::number(today.month()) + QStringLiteral("월"));
  Fill_Month(today.year(), today.month());
}

void MonthCalendar::Fill_Month(int year, int month) {
  forms::FlexGrid &g = *GCalendar;
  for (int r = 0; r < 7; ++r) {
    g.setRow(r);
    g.setCol(0);
    g.setCellForeColor(kRed);
  }
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 7; ++c) {
      g.setRow(r);
      g.setCol(c);
      g.setCellAlignment(contracts::Grid::AlignCenterBottom);
    }
  for (int r = 1; r < 7; ++r)
    for (int c = 0; c < 7; ++c) {
      g.setRow(r);
      g.setCol(c);
      g.setText(QString());
      g.setCellPicture(QPixmap());
      g.setCellBackColor(0); // the grid's own colours
      g.setCellForeColor(c == 0 ? kRed : 0);
    }

  const MonthLayout m = monthLayout(year, month, form_.today());
  if (m.days == 0) return;
  for (int d = 1; d <= m.days; ++d) {
    const auto [r, c] = m.cellOf(d);
    g.setRow(r);
    g.setCol(c);
    g.setText(QString::number(d));
    g.setFixedAlignment(c, contracts::Grid::AlignCenterTop);
    if (d == m.todayDay) {
      g.setCellBackColor(kTodayBack);
      g.setCellForeColor(kTodayFore);
    }
  }
  g.setRow(1);
  g.setCol(m.firstColumn);
}

void MonthCalendar::ScrMonth_Change() {
  // 0 and 13 exist only to wrap into the neighbouring year; at a year bound
  // the year stepper refuses the step and only the month wraps.
  if (ScrMonth->value() == 0) {
    ScrMonth->setValue(12);
    ScrYear->setValue(ScrYear->value() - 1);
  } else if (ScrMonth->value() == 13) {
    ScrMonth->setValue(1);
    ScrYear->setValue(ScrYear->value() + 1);
  }
  DispMonth->setCaption(QString::number(ScrMonth->value()) + QStringLiteral("월"));
  Fill_Month(ScrYear->value(), ScrMonth->value());
}

void MonthCalendar::ScrYear_Change() {
  DispYear->setCaption(QString::number(ScrYear->value()) + QStringLiteral("년"));
  Fill_Month(ScrYear->value(), ScrMonth->value());
}

QDate MonthCalendar::pickedDate(int mode) const {
  const forms::FlexGrid &g = *GCalendar;
  // The weekday header holds letters, not days: a double-click there (or
  // with the header cell current) picks nothing.
  if (g.mouseRow() < g.fixedRows() || g.row() < g.fixedRows()) return {};
  const QString t = g.text();
  if (t.isEmpty()) return mode == ScheduleMode ? kNoDaySchedule : kNoDayWeek;
  bool ok = false;
  const int day = t.toInt(&ok);
  const QDate d(ScrYear->value(), ScrMonth->value(), ok ? day : 0);
  return d; // invalid when the text is no day of the shown month
}

void MonthCalendar::GCalendar_DblClick() {
  const QDate d = pickedDate(Calendar_Mode);
  if (!d.isValid()) return;
  if (Calendar_Mode == ScheduleMode) {
    // The schedule list's row shows the picked month/day ("1/1" for no day)
    // until the list is rebuilt; its editor then opens on the row and Enter
    // gives the entry Work_Date.
    forms::FlexGrid &a = *form_.Grid_A;
    const int row = hooks.ScheduleRow ? hooks.ScheduleRow() : -1;
    if (row >= 0 && row < a.rows()) {
      a.setRow(row);
      a.setCol(0);
      a.setText(pickedLabel(d));
    }
    enableScheduleLists(form_, true);
    form_.state().Work_Date = d;
    FrmStart::call("CellEnter", hooks.CellEnter);
  } else {
    form_.state().Work_Date = d;
    FrmStart::call("WeekPicked", hooks.WeekPicked);
  }
  form_.Pan_Calendar->setVisible(false);
}

void MonthCalendar::KtPanel1_Click() {
  form_.Pan_Calendar->setVisible(false);
  enableScheduleLists(form_, true);
  if (Calendar_Mode == ScheduleMode)
    form_.Text1->setVisible(false);
  else
    FrmStart::call("HideWeekEditor", hooks.HideWeekEditor);
}

void MonthCalendar::Pan_Calendar_MouseDown(const forms::MouseArgs &e) {
  form_.Drag_X = static_cast<std::int16_t>(e.x);
  form_.Drag_Y = static_cast<std::int16_t>(e.y);
}

void MonthCalendar::Pan_Calendar_MouseMove(const forms::MouseArgs &e) {
  if (e.button != forms::kLeftButton) return;
  forms::KtPanel &p = *form_.Pan_Calendar;
  p.setTop(p.top() + e.y - form_.Drag_Y);
  p.setLeft(p.left() + e.x - form_.Drag_X);
}

} // namespace dorrin::organiser
