#include "organiser/planner/week_planner.h"

#include "organiser/contracts/database.h"
#include "organiser/contracts/tables.h"
#include "organiser/main/frm_start.h"
#include "organiser/planner/month_calendar.h"
#include "organiser/planner/week_table.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/form.h"
#include "platform/forms/panel.h"
#include "platform/forms/screen_fit.h"
#include "platform/forms/splitter.h"
#include "platform/forms/textbox.h"
#include "platform/text/field_text.h"
#include "platform/text/runtime.h"

#include <QEvent>
#include <QLoggingCategory>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

Q_LOGGING_CATEGORY(lcPlanner, "dorrin.planner")

namespace dorrin::organiser {

using forms::rgb;

namespace {

constexpr int kKeyEnter = 13;
constexpr int kKeyDelete = 46;

constexpr forms::Rgb kTodayBack = rgb(80, 30, 150);
constexpr forms::Rgb kSundayBack = rgb(130, 150, 80);
constexpr forms::Rgb kDayBack = rgb(192, 192, 0);
constexpr forms::Rgb kWhite = rgb(255, 255, 255);
constexpr forms::Rgb kRed = rgb(255, 0, 0);
constexpr forms::Rgb kEditorBack = rgb(192, 192, 255);
constexpr forms::Rgb kTabChosen = rgb(156, 156, 255);

constexpr int kGridLeft = 1100;
// The strips' view on the page panel, and what the window adds around it.
constexpr int kViewLeft = 30;
constexpr int kViewTop = 390;
constexpr int kViewWidthLess = 80;  // the panel's width less the view's
constexpr int kPanelBelowView = 40; // panel height = view top + view + this
constexpr int kWindowAroundView = 1090;
// The editor, in the splitter's own coordinates: over the line's text.
constexpr int kEditorLeft = 1120;
constexpr int kEditorInset = 30;
constexpr int kEditorHeight = 285;

bool isSunday(const QDate &d) {
  return weekdayNumber(d) == 1;
}

} // namespace

WeekPlanner::WeekPlanner(FrmStart &form, std::function<db::Recordset *()> weekRs,
                         MonthCalendar &calendar)
    : form_(form), weekRs_(std::move(weekRs)), calendar_(calendar) {
  Day_Lines.fill(2);
  buildControls();

  auto &h = form_.hooks;
  h.Pan_Load_Week = [this] { Pan_Load_Week(); };
  h.Pan_Back5_Resize = [this](int width) { Pan_Back5_Resize(width); };
  h.Week_Grids = [this] { Week_Grids(); };
  calendar_.hooks.WeekPicked = [this] { showWeek(); };
  calendar_.hooks.HideWeekEditor = [this] { Txt_Week->setVisible(false); };
  // The window's height decides how much of the strips shows.
  form_.installEventFilter(this);
}

WeekPlanner::~WeekPlanner() {
  auto &h = form_.hooks;
  h.Pan_Load_Week = nullptr;
  h.Pan_Back5_Resize = nullptr;
  h.Week_Grids = nullptr;
  calendar_.hooks.WeekPicked = nullptr;
  calendar_.hooks.HideWeekEditor = nullptr;
}

void WeekPlanner::buildControls() {
  forms::KtPanel *back = form_.Pan_Back[5];
  auto guarded = [](const char *name, auto f) { return [name, f] { FrmStart::call(name, f); }; };

  const char *plus[] = {"<<", ">>"};
  for (int k = 0; k < 2; ++k) {
    Com_Plus[k] = new forms::KtCommand(back, QString::fromLatin1(plus[k]));
    Com_Plus[k]->setObjectName(QStringLiteral("Com_Plus%1").arg(k));
    Com_Plus[k]->place(30 + 825 * k, 30, 825, 345);
    connect(Com_Plus[k], &forms::Control::mouseDown, this,
            guarded("Com_Plus_MouseDown", [this, k] { Com_Plus_MouseDown(k); }));
  }
  Com_Calen = new forms::KtCommand(back, QStringLiteral("달력"));
  Com_Calen->setObjectName("Com_Calen");
  Com_Calen->place(1680, 30, 825, 345);
  connect(Com_Calen, &forms::Control::mouseDown, this,
          guarded("Com_Calen_MouseDown", [this] { Com_Calen_MouseDown(); }));

  Pan_Now = new forms::KtPanel(back);
  Pan_Now->setObjectName("Pan_Now");
  Pan_Now->setBevel(forms::KtPanel::Bevel::Inset);
  Pan_Now->place(2500, 30, 3000, 345);

  WeekView = new QScrollArea(back);
  WeekView->setObjectName("WeekView");
  WeekView->setFrameShape(QFrame::NoFrame);
  WeekView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  WeekView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  WeekView->setGeometry(forms::toPixels(kViewLeft), forms::toPixels(kViewTop),
                        forms::toPixels(6315), forms::toPixels(8340));
  WeekSpilt = new forms::KtSplitter(nullptr, {kWeekStrips}, 0, 0);
  WeekSpilt->setObjectName("WeekSpilt");
  WeekSpilt->place(0, 0, 6315, 8340);
  WeekView->setWidget(WeekSpilt);
  // The page panel's colour shows through, as without the view.
  WeekView->viewport()->setAutoFillBackground(false);
  WeekSpilt->setAutoFillBackground(false);
  const QFont stripFont = forms::formFont(QStringLiteral("굴림"), 9.75, true);
  const QFont gridFont = forms::formFont(QStringLiteral("굴림"), 9);
  for (int i = 0; i < kWeekStrips; ++i) {
    auto *strip = new forms::KtPanel;
    strip->setObjectName(QStringLiteral("PanWeek%1").arg(i));
    strip->setFont(stripFont);
    strip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PanWeek[i] = strip;
    WeekSpilt->setPaneControl(i, strip);

    auto *grid = new forms::FlexGrid(strip, kWeekGridRows, 2, 0, 1);
    grid->setObjectName(QStringLiteral("WeekGrid%1").arg(i));
    grid->setFont(gridFont);
    // The strip shows as many lines as the day needs; the grid never scrolls.
    grid->setScrollBars(0);
    grid->place(kGridLeft, 0, 6315, kWeekGridRows * form_.state().Row_Height);
    WeekGrid[i] = grid;

    connect(strip, &forms::Control::mouseDown, this, [this, i](const forms::MouseArgs &e) {
      FrmStart::call("PanWeek_MouseDown", [&] { PanWeek_MouseDown(i, e.button); });
    });
    connect(strip, &forms::Control::resized, this,
            guarded("PanWeek_Resize", [this, i] { PanWeek_Resize(i); }));
    connect(grid, &forms::Control::mouseDown, this,
            guarded("WeekGrid_MouseDown", [this, i] { WeekGrid_MouseDown(i); }));
  }

  Txt_Week = new forms::TextBox(WeekSpilt);
  Txt_Week->setObjectName("Txt_Week");
  Txt_Week->setBackColor(kEditorBack);
  Txt_Week->preferNativeInput();
  Txt_Week->place(kEditorLeft, kEditorInset, 6800, kEditorHeight);
  Txt_Week->setVisible(false);
  connect(Txt_Week, &forms::TextBox::keyDown, this, [this](int key, int) {
    FrmStart::call("Txt_Week_KeyDown", [&] { Txt_Week_KeyDown(key); });
  });
  connect(Txt_Week, &forms::Control::dblClick, this,
          guarded("Txt_Week_DblClick", [this] { Txt_Week_DblClick(); }));
}

void WeekPlanner::Pan_Load_Week() {
  PageState &s = form_.state();
  s.Work_Date = form_.today();     // 1
  form_.setWidth(s.Page_Width[5]); // 2
  form_.setHeight(s.Page_Height[5]);
  form_.Form_Resize();
  form_.Menu[5]->setBackColor(kTabChosen); // 3
  forms::KtPanel *back = form_.Pan_Back[5];
  back->setVisible(true);
  back->setLeft(45);
  back->setTop(600);
  for (int i = 0; i < kWeekStrips; ++i) { // 4
    WeekGrid[i]->setLeft(kGridLeft);
    for (int r = 0; r < WeekGrid[i]->rows(); ++r)
      WeekGrid[i]->setRowHeight(r, s.Row_Height);
    WeekGrid[i]->setHeight(WeekGrid[i]->rows() * s.Row_Height);
  }
  Pan_Back5_Resize(back->width()); // 5
  for (int i = 0; i < kWeekStrips; ++i)
    PanWeek_Resize(i);
  Day_Lines.fill(2);     // 6
  Set_Date(s.Work_Date); // 7
  DisplayRecord(s.Work_Date);
  WeekSpiltHeight();
  WeekView->verticalScrollBar()->setValue(0);
}

void WeekPlanner::Set_Date(const QDate &day) {
  const PageState &s = form_.state();
  const QDate today = form_.today();
  for (int i = 0; i < kWeekStrips; ++i) {
    const QDate d = day.addDays(i - 1);
    PanWeek[i]->setCaption(QLatin1Char(' ') + dayLabel(d, s.Week_Name));
  }
  for (int i = 0; i < kWeekStrips; ++i) {
    const QDate d = day.addDays(i - 1);
    if (d == today) {
      PanWeek[i]->setBackColor(kTodayBack);
      PanWeek[i]->setForeColor(isSunday(d) ? kRed : kWhite);
    } else if (isSunday(d)) {
      PanWeek[i]->setBackColor(kSundayBack);
      PanWeek[i]->setForeColor(kWhite);
    } else {
      PanWeek[i]->setBackColor(kDayBack);
      PanWeek[i]->setForeColor(kWhite);
    }
  }
  Pan_Now->setCaption(QStringLiteral("%1년 %2월 %3일 (%4요일)")
                          .arg(day.year())
                          .arg(day.month())
                          .arg(day.day())
                          .arg(s.Week_Name[weekdayNumber(day)]));
}

void WeekPlanner::ensureLines(int i, int n) {
  forms::FlexGrid &g = *WeekGrid[i];
  if (g.rows() >= n) return;
  const int rowHeight = form_.state().Row_Height;
  const int from = g.rows();
  g.setRows(n);
  for (int r = from; r < n; ++r)
    g.setRowHeight(r, rowHeight);
  g.setHeight(n * rowHeight);
}

void WeekPlanner::DisplayRecord(const QDate &day) {
  for (int i = 0; i < kWeekStrips; ++i) {
    Day_Lines[i] = 2;
    for (int r = 0; r < WeekGrid[i]->rows(); ++r)
      WeekGrid[i]->setTextMatrix(r, 1, QString());
  }
  db::Recordset *rs = weekRs_ ? weekRs_() : nullptr;
  if (!rs) return;
  for (int i = 0; i < kWeekStrips; ++i) {
    // Stored dates and every date search use the same locale-free text.
    const QString date = text::shortDate(day.addDays(i - 1));
    int line = 0;
    rs->MoveFirst();
    bool found = rs->FindFirst(kWeekDateField, date);
    while (found) {
      // A day with more entries than the grid has lines gets more lines.
      ensureLines(i, line + 2);
      WeekGrid[i]->setTextMatrix(line, 1, rs->Fields(kWeekTextColumn).Value());
      ++line;
      Day_Lines[i] = static_cast<std::int16_t>(line + 1);
      if (line >= kWeekDayEntries) break;
      found = rs->FindNext(kWeekDateField, date);
    }
  }
}

void WeekPlanner::WeekSpiltHeight() {
  const int rowHeight = form_.state().Row_Height;
  int lines = 0;
  for (int i = 0; i < kWeekStrips; ++i) {
    lines += Day_Lines[i];
    ensureLines(i, Day_Lines[i]);
  }
  const int splitHeight = lines * rowHeight - 20;
  WeekSpilt->setHeight(splitHeight);
  // The last pane takes the rest of the splitter (its own lines less the
  // 20-twip trim); setting it would move the bar above it instead.
  for (int i = 0; i + 1 < kWeekStrips; ++i)
    WeekSpilt->setPaneHeight(i, Day_Lines[i] * rowHeight);
  form_.Pan_Back[5]->setHeight(kViewTop + splitHeight + kPanelBelowView);
  form_.setHeight(splitHeight + kWindowAroundView);
  // Many lines would push the window's bottom, with its size grip, past the
  // screen: it moves up, and is cut to the screen's height if it must be;
  // the lines it cannot show then scroll.
  forms::keepWithinScreenHeight(form_);
  fitWeekView(form_.Pan_Back[5]->width());
}

void WeekPlanner::fitWeekView(int panelWidth) {
  if (fitting_) return; // the panel's own resize comes back here
  fitting_ = true;
  const int content = WeekSpilt->height();
  const int room = std::max<int>(form_.state().Row_Height, form_.height() - kWindowAroundView);
  const int view = std::min(content, room);
  const bool scrolls = content > view;
  const int width = panelWidth - kViewWidthLess;
  const int bar = scrolls ? WeekView->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
  WeekView->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  WeekView->setGeometry(forms::toPixels(kViewLeft), forms::toPixels(kViewTop),
                        forms::toPixels(width), forms::toPixels(view));
  WeekSpilt->setWidth(width - forms::toTwips(bar));
  Txt_Week->setWidth(WeekSpilt->width() - kEditorLeft);
  form_.Pan_Back[5]->setHeight(kViewTop + view + kPanelBelowView);
  fitting_ = false;
}

bool WeekPlanner::eventFilter(QObject *watched, QEvent *event) {
  if (watched == &form_ && event->type() == QEvent::Resize && form_.Pan_Back[5]->isVisible())
    FrmStart::call("fitWeekView", [this] { fitWeekView(form_.Pan_Back[5]->width()); });
  return QObject::eventFilter(watched, event);
}

bool WeekPlanner::Week_Data_Save(const QDate &day, const QString &text) {
  db::Recordset *rs = weekRs_ ? weekRs_() : nullptr;
  if (rs && appendWeekEntry(*rs, day, text)) return true;
  qCWarning(lcPlanner) << "the entry" << text << "was not stored";
  reportWeekSaveFailure(form_.dialogs(), rs);
  return false;
}

void WeekPlanner::Week_Grids() {
  for (auto *g : WeekGrid) {
    g->setColAlignment(1, contracts::Grid::AlignLeftCenter);
    g->setColWidth(0, 1);
  }
}

void WeekPlanner::Pan_Back5_Resize(int width) {
  Pan_Now->setWidth(width > 5500 ? width - 2560 : 3000);
  fitWeekView(width); // the strips' view, the splitter and the editor
}

void WeekPlanner::PanWeek_Resize(int i) {
  const int w = PanWeek[i]->width();
  WeekGrid[i]->setWidth(w);
  WeekGrid[i]->setColWidth(1, w - 100);
}

void WeekPlanner::PanWeek_MouseDown(int i, int button) {
  if (i < 0 || i >= kWeekStrips) return;
  if (button == forms::kLeftButton) {
    ++Day_Lines[i];
  } else if (button == forms::kRightButton) {
    if (Day_Lines[i] >= 3) --Day_Lines[i]; // a strip keeps at least two lines
  }
  WeekSpiltHeight();
}

void WeekPlanner::WeekGrid_MouseDown(int i) {
  if (i < 0 || i >= kWeekStrips) return;
  forms::FlexGrid &g = *WeekGrid[i];
  Sel_Row = static_cast<std::int16_t>(g.mouseRow());
  Cur_Day = static_cast<std::int16_t>(i);
  int offset = 0;
  for (int k = 0; k < i; ++k)
    offset += PanWeek[k]->height();
  Txt_Week->setTop(offset + Sel_Row * form_.state().Row_Height + kEditorInset);
  Txt_Week->setLeft(kEditorLeft);
  Txt_Week->setVisible(true);
  Txt_Week->raise();
  g.setRow(g.mouseRow());
  g.setCol(g.mouseCol());
  Txt_Week->setText(g.text());
  Txt_Week->setFocus();
  Txt_Week->setSelStart(static_cast<int>(Txt_Week->text().size()));
}

void WeekPlanner::refresh() {
  DisplayRecord(form_.state().Work_Date);
  WeekSpiltHeight();
}

void WeekPlanner::showWeek() {
  const QDate day = form_.state().Work_Date;
  Set_Date(day);
  DisplayRecord(day);
  WeekSpiltHeight();
  WeekView->verticalScrollBar()->setValue(0); // another week starts at its top
}

void WeekPlanner::clearAndClose() {
  Txt_Week->setText(QString());
  Txt_Week->setVisible(false);
}

void WeekPlanner::Txt_Week_KeyDown(int keyCode) {
  if (keyCode != kKeyEnter && keyCode != kKeyDelete) return;
  if (Cur_Day < 0 || Cur_Day >= kWeekStrips) return;
  forms::FlexGrid &g = *WeekGrid[Cur_Day];
  g.setCol(1);
  g.setRow(Sel_Row);
  const QString old = text::trim(g.textMatrix(Sel_Row, 1));
  // An entry is one line: a pasted line break becomes a blank, visibly.
  const QString typed = text::fieldText(Txt_Week->text(), {});
  if (typed != Txt_Week->text()) Txt_Week->setText(typed);
  const QString now = text::trim(typed);
  const QDate entryDay = form_.state().Work_Date.addDays(Cur_Day - 1);
  db::Recordset *rs = weekRs_ ? weekRs_() : nullptr;
  // The line's entry is the first of the strip's day with the line's text;
  // the same text on another day is another entry. A change that fails keeps
  // the editor open with the text, to try again; an entry gone keeps it too.
  auto finish = [&](EntryChange result) {
    if (result == EntryChange::Failed) {
      qCWarning(lcPlanner) << "the entry" << old << "was not changed";
      reportWeekSaveFailure(form_.dialogs(), rs);
    }
    if (result != EntryChange::Done) return;
    refresh();
    clearAndClose();
  };

  if (keyCode == kKeyEnter) {
    if (old.isEmpty() && now.isEmpty()) {
      clearAndClose();
    } else if (old.isEmpty()) {
      if (!Week_Data_Save(entryDay, now)) return;
      refresh();
      clearAndClose();
    } else if (now.isEmpty()) {
      // The line was erased: delete its entry.
      finish(deleteWeekEntry(rs, entryDay, old));
    } else {
      finish(changeWeekEntry(rs, entryDay, old, entryDay, now));
    }
    return;
  }

  // Delete key.
  if (!confirmEntryDelete(form_.dialogs())) {
    clearAndClose();
    return;
  }
  finish(deleteWeekEntry(rs, entryDay, old));
}

void WeekPlanner::Txt_Week_DblClick() {
  Txt_Week->setVisible(false);
}

void WeekPlanner::Com_Plus_MouseDown(int index) {
  PageState &s = form_.state();
  if (index == 0)
    s.Work_Date = s.Work_Date.addDays(-10);
  else if (index == 1)
    s.Work_Date = s.Work_Date.addDays(10);
  showWeek();
}

void WeekPlanner::Com_Calen_MouseDown() {
  calendar_.open(MonthCalendar::WeekMode);
}

} // namespace dorrin::organiser
