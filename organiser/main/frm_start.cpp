#include "organiser/main/frm_start.h"

#include "platform/desktop/desktop_icons.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/entry_checks.h"
#include "platform/forms/screen_fit.h"
#include "platform/text/field_text.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <exception>

Q_LOGGING_CATEGORY(lcMain, "dorrin.main")
// Each named step's duration, for finding where a start-up or a page change
// spends its time: QT_LOGGING_RULES="dorrin.main.timing.debug=true".
Q_LOGGING_CATEGORY(lcTiming, "dorrin.main.timing", QtWarningMsg)

namespace dorrin::organiser {

using forms::KtCommand;
using forms::KtPanel;
using forms::KtSplitter;
using forms::MouseArgs;
using forms::rgb;

namespace {
constexpr forms::Rgb kTabColor = rgb(123, 145, 44);
constexpr forms::Rgb kTabChosen = rgb(156, 156, 255);
} // namespace

FrmStart::FrmStart(MainServices services, QWidget *parent) : Form(parent), services_(services) {
  setWindowTitle(QString::fromLatin1(kMakerAddress) + QStringLiteral("  Dorrin "));
  setBackColor(rgb(192, 192, 192));
  setFont(forms::formFont(QStringLiteral("굴림"), 9));
  buildControls();
}

FrmStart::~FrmStart() = default;

QDateTime FrmStart::now() const {
  return services_.now ? services_.now() : QDateTime::currentDateTime();
}

void FrmStart::call(const char *name, const std::function<void()> &f) {
  if (!f) return;
  try {
    if (lcTiming().isDebugEnabled()) {
      QElapsedTimer t;
      t.start();
      f();
      qCDebug(lcTiming, "%s: %.2f ms", name, static_cast<double>(t.nsecsElapsed()) / 1e6);
    } else {
      f();
    }
  } catch (const std::exception &e) {
    qCWarning(lcMain) << name << "failed:" << e.what();
  } catch (...) {
    qCWarning(lcMain) << name << "failed";
  }
}

void FrmStart::buildControls() {
  Pan_Label0 = new KtPanel(this, QStringLiteral("  dorrin  ") + QString::fromLatin1(kMakerAddress) +
                                     QStringLiteral("   (F10,F11)"));
  Pan_Label0->setObjectName("Pan_Label0");
  Pan_Label0->place(0, 0, 4725, 285);
  Pan_Label0->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Pan_Label0->setBackColor(rgb(0, 0, 128));
  Pan_Label0->setForeColor(rgb(255, 255, 255));
  connect(Pan_Label0, &KtPanel::mouseDown, this, &FrmStart::onDragPress);
  connect(Pan_Label0, &KtPanel::mouseMove, this, &FrmStart::onDragMove);
  connect(Pan_Label0, &KtPanel::dblClick, this, [this] {
    setVisible(false);
    emit hideRequested();
  });

  Pan_Menu = new KtPanel(this);
  Pan_Menu->setObjectName("Pan_Menu");
  Pan_Menu->setBevel(KtPanel::Bevel::None);
  Pan_Menu->place(45, 300, 8000, 285);
  for (int i = 0; i < kPageCount; ++i) {
    Menu[i] = new KtCommand(Pan_Menu, QString::fromUtf8(kDefaultPageNames[i]));
    Menu[i]->setObjectName(QStringLiteral("Menu%1").arg(i));
    Menu[i]->setHeight(285);
    Menu[i]->setBackColor(kTabColor);
    Menu[i]->setForeColor(rgb(255, 255, 255));
    connect(Menu[i], &KtCommand::mouseDown, this,
            [this, i](const MouseArgs &e) { Menu_MouseDown(i, e.button); });
  }
  connect(Pan_Menu, &KtPanel::resized, this, &FrmStart::layoutMenu);

  for (int i = 0; i < 8; ++i) {
    Pan_Back[i] = new KtPanel(this);
    Pan_Back[i]->setObjectName(QStringLiteral("Pan_Back%1").arg(i));
    Pan_Back[i]->place(45, 600, 8000, 5000);
    Pan_Back[i]->setVisible(false);
  }
  connect(Pan_Back[5], &KtPanel::resized, this, [this] {
    call("Pan_Back(5) resize", [this] {
      if (hooks.Pan_Back5_Resize) hooks.Pan_Back5_Resize(Pan_Back[5]->width());
    });
  });
  connect(Pan_Back[6], &KtPanel::resized, this, [this] {
    if (Text1) Text1->setWidth(Pan_Back[6]->width() - 680);
  });

  // Launcher pages: a splitter with four panes in two columns, each pane a
  // panel that will hold the page's list.
  for (int p = 0; p < 5; ++p) {
    Spilt[p] = new KtSplitter(Pan_Back[p], {2, 2});
    Spilt[p]->setObjectName(QStringLiteral("Spilt%1").arg(p));
    Spilt[p]->place(30, 30, 8000, 5000);
    for (int j = 0; j < 4; ++j) {
      auto *pane = new KtPanel;
      pane->setObjectName(QStringLiteral("PanA%1").arg(4 * p + j));
      pane->setBevel(KtPanel::Bevel::None);
      PanA[4 * p + j] = pane;
      Spilt[p]->setPaneControl(j, pane);
    }
  }
  // The alarm page: the clock, then two stacked panes (schedule list above
  // today's alarms), and the list's editor.
  Kttime = new KtPanel(Pan_Back[6]);
  Kttime->setObjectName("Kttime");
  Kttime->place(30, 30, 7900, 345);
  Kttime->setFont(forms::formFont(QStringLiteral("굴림"), 12, true));
  Spilt[6] = new KtSplitter(Pan_Back[6], {2});
  Spilt[6]->setObjectName("Spilt6");
  Spilt[6]->place(30, 400, 8000, 4000);
  Grid_A = new forms::FlexGrid(nullptr, 60, 2, 0, 1);
  Grid_A->setObjectName("Grid_A");
  Grid_C = new forms::FlexGrid(nullptr, 50, 2, 0, 1);
  Grid_C->setObjectName("Grid_C");
  Spilt[6]->setPaneControl(0, Grid_A);
  Spilt[6]->setPaneControl(1, Grid_C);
  Spilt[6]->setPaneHeight(0, 2000);
  Text1 = new forms::TextBox(Pan_Back[6]);
  Text1->setObjectName("Text1");
  Text1->place(600, 400, 7320, 300);
  Text1->setBackColor(rgb(192, 192, 255));
  Text1->setVisible(false);
  Time1 = new forms::Timer(this, 500);
  connect(Time1, &forms::Timer::timer, this, [this] { call("Time1_Timer", hooks.Time1_Timer); });

  Pan_Move = new KtPanel(this);
  Pan_Move->setObjectName("Pan_Move");
  Pan_Move->place(8000 - 135, 5000 - 135, 135, 135);
  Pan_Move->setCursor(Qt::SizeFDiagCursor);
  connect(Pan_Move, &KtPanel::mouseDown, this, &FrmStart::onDragPress);
  connect(Pan_Move, &KtPanel::mouseMove, this, &FrmStart::onGripMove);

  Pan_Com = new KtPanel(this);
  Pan_Com->setObjectName("Pan_Com");
  Pan_Com->place(0, 0, 1635, 1785);
  Pan_Com->setVisible(false);

  Pan_Dir = new KtPanel(this);
  Pan_Dir->setObjectName("Pan_Dir");
  Pan_Dir->place(0, 0, 8295, 6900);
  Pan_Dir->setVisible(false);
  connect(Pan_Dir, &KtPanel::mouseDown, this, &FrmStart::onDragPress);
  connect(Pan_Dir, &KtPanel::mouseMove, this, &FrmStart::onDragMove);

  Pan_ColorSetting = new KtPanel(this);
  Pan_ColorSetting->setObjectName("Pan_ColorSetting");
  Pan_ColorSetting->place(0, 0, 4485, 2895);
  Pan_ColorSetting->setVisible(false);

  Pan_Calendar = new KtPanel(this);
  Pan_Calendar->setObjectName("Pan_Calendar");
  Pan_Calendar->place(9450, 1230, 3495, 2145);
  Pan_Calendar->setVisible(false);

  place(6000, 4000, 8000, 5000);
}

void FrmStart::Form_Load() {
  PageState &s = state_;
  call("GridB_Data_Open", hooks.GridB_Data_Open); // 1
  call("FunPlusList", hooks.FunPlusList);
  call("OpenDatabases", hooks.OpenDatabases);                           // 2, 3
  const char *weekNames[] = {"일", "월", "화", "수", "목", "금", "토"}; // 4
  for (int d = 1; d <= 7; ++d)
    s.Week_Name[d] = QString::fromUtf8(weekNames[d - 1]);
  call("AddTrayIcon", hooks.AddTrayIcon);   // 5
  call("DirBox_Reset", hooks.DirBox_Reset); // 6
  s.Link_Row_Height = 280;                  // 7
  s.Row_Height = 280;
  Pan_Menu->setTop(300); // 8
  Pan_Menu->setLeft(45);
  Pan_Dir->setTop(0);
  Pan_Dir->setLeft(0);
  s.Cur_Page = 0; // 9
  call("Set_Guide_Slot", hooks.Set_Guide_Slot);
  s.setDefaults();                                  // 10-12
  if (services_.desktop) services_.desktop->hide(); // 13
  call("Frm_load", hooks.Frm_load);                 // 14
  // A page number the file cannot mean (damaged line) starts on page 0.
  if (s.Cur_Page < 0 || s.Cur_Page >= kPageCount) s.Cur_Page = 0;
  s.Start_Page = s.Cur_Page;                    // 15
  call("Com_Load", hooks.Com_Load);             // 16
  call("Set_Guide_Slot", hooks.Set_Guide_Slot); // 17
  for (int i = 0; i < kPageCount; ++i)
    Menu[i]->setCaption(s.Page_Name[i]); // 18
  setTop(s.Win_Top);                     // 19
  setLeft(s.Win_Left);
  if (s.Cur_Page < 5) { // 20
    const int p = s.Cur_Page;
    call("Pan_Load", [&] {
      if (hooks.Pan_Load) hooks.Pan_Load(p);
    });
    call("Com_List", [&] {
      if (hooks.Com_List) hooks.Com_List(p);
    });
  } else if (s.Cur_Page == kPageWeek) {
    call("Pan_Load_Week", hooks.Pan_Load_Week);
  } else if (s.Cur_Page == kPageMemo) {
    call("Pan_Load_Time", hooks.Pan_Load_Time);
  }
  // A position on no screen (a monitor since unplugged) is brought back, at
  // the page's size; the stored one stays in the settings until the window
  // is saved.
  forms::bringOnScreen(*this);
  s.Desktop_Hidden = true;                        // 21
  call("Page6_Grids", [this] { Page6_Grids(); }); // 22
  call("Week_Grids", hooks.Week_Grids);           // 23
}

void FrmStart::Form_Resize() {
  if (inResize_) return;
  inResize_ = true;
  const int W = width(), H = height();
  const int p = state_.Cur_Page;
  Pan_Move->setLeft(W - 135); // 1
  Pan_Move->setTop(H - 135);
  if (p >= 0 && p <= 4) { // 2
    if (H > 1000) Pan_Back[p]->setHeight(H - 655);
    if (H > 1000) Spilt[p]->setHeight(H - 745);
    if (W > 1000) Spilt[p]->setWidth(W - 160);
    if (W > 1000) Pan_Back[p]->setWidth(W - 90);
    if (W > 1000) Pan_Menu->setWidth(W - 90);
  } else if (p == kPageWeek) { // 3
    Pan_Menu->setWidth(W - 90);
    Pan_Back[5]->setWidth(W - 90);
  } else if (p == kPageMemo) { // 4
    Pan_Back[6]->setWidth(W - 90);
    Pan_Back[6]->setHeight(H - 680);
    Pan_Menu->setWidth(W - 135);
    Spilt[6]->setWidth(W - 160);
    Spilt[6]->setHeight(H - 1180);
    Grid_A->setColWidth(1, W - 290);
    Grid_C->setColWidth(1, W - 290);
    Kttime->setWidth(W - 100);
  }
  Pan_Label0->setWidth(W); // 5
  Pan_Move->raise();
  inResize_ = false;
}

void FrmStart::Page6_Grids() {
  for (forms::FlexGrid *g : {Grid_A, Grid_C}) {
    g->setColWidth(0, 900);
    g->setColAlignment(0, 4);
    g->setColAlignment(1, 1);
    for (int r = 0; r <= 49; ++r)
      g->setRowHeight(r, 300);
  }
  for (int r = 0; r <= 49; ++r)
    Grid_C->setTextMatrix(r, 0, QString::number(r));
}

void FrmStart::layoutMenu() {
  // Nine equal tabs; a strip narrower than nine twips gives zero-width tabs.
  const int w = std::max(0, Pan_Menu->width() / 9 - 1);
  for (int i = 0; i < kPageCount; ++i) {
    Menu[i]->setWidth(w);
    Menu[i]->setLeft(i * (w + 1));
  }
}

void FrmStart::Menu_MouseDown(int i, int b) {
  if (i < 0 || i >= kPageCount) return;
  PageState &s = state_;
  call("Frm_Save", hooks.Frm_Save); // 1
  if (i < 7) {                      // 2
    for (auto *panel : Pan_Back)
      panel->setVisible(false);
    for (int t = 0; t < 8; ++t)
      Menu[t]->setBackColor(kTabColor);
    Menu[i]->setBackColor(kTabChosen);
    Pan_Back[i]->setLeft(45);
    Pan_Back[i]->setTop(600);
    Pan_Back[i]->setVisible(true);
  }
  if (i < 5) { // 3
    s.Cur_Page = static_cast<std::int16_t>(i);
    call("Pan_Load", [&] {
      if (hooks.Pan_Load) hooks.Pan_Load(i);
    });
    call("Com_List", [&] {
      if (hooks.Com_List) hooks.Com_List(i);
    });
  }
  if (b == forms::kRightButton) { // 4
    if (i > 7) {
      call("OpenColorPanel", hooks.OpenColorPanel);
    } else if (services_.dialogs) {
      const auto answer = services_.dialogs->inputBox(QStringLiteral("제목을 입력하십시오"),
                                                      QStringLiteral("제목"), QString());
      // "@" separates the settings line's fields: a caption shows and keeps
      // its full-width form instead. Text the file cannot hold is refused.
      const QString caption = answer ? text::fieldText(*answer, u"@") : QString();
      if (!caption.isEmpty() && forms::acceptCp949(services_.dialogs, caption)) {
        s.Page_Name[i] = caption;
        Menu[i]->setCaption(caption);
        call("Frm_Save", hooks.Frm_Save);
      }
    }
  }
  if (i == kPageWeek && b == forms::kLeftButton) { // 5
    s.Cur_Page = kPageWeek;
    call("Pan_Load_Week", hooks.Pan_Load_Week);
  }
  if (i == kPageMemo && b == forms::kLeftButton) { // 6
    s.Cur_Page = kPageMemo;
    call("Pan_Load_Time", hooks.Pan_Load_Time);
  }
  if (i == kPagePhone && b == forms::kLeftButton) // 7
    call("ShowTelephone", hooks.ShowTelephone);
  if (i == kPageDesktop) { // 8
    call("Frm_Save", hooks.Frm_Save);
    toggleDesktop();
  }
}

void FrmStart::toggleDesktop() {
  PageState &s = state_;
  if (s.Desktop_Hidden) {
    if (services_.desktop) services_.desktop->show();
    s.Desktop_Hidden = false;
  } else {
    if (services_.desktop) services_.desktop->hide();
    s.Desktop_Hidden = true;
  }
}

void FrmStart::onDragPress(const MouseArgs &e) {
  Drag_X = static_cast<std::int16_t>(e.x);
  Drag_Y = static_cast<std::int16_t>(e.y);
}

void FrmStart::onDragMove(const MouseArgs &e) {
  if (!(e.button & forms::kLeftButton)) return;
  setTop(top() + e.y - Drag_Y);
  setLeft(left() + e.x - Drag_X);
}

void FrmStart::onGripMove(const MouseArgs &e) {
  if (!(e.button & forms::kLeftButton)) return;
  if (state_.Cur_Page == kPagePhone) return;
  if (state_.Cur_Page != kPageWeek)
    setHeight(std::max(kMinHandSize, Pan_Move->top() + e.y - Drag_Y));
  setWidth(std::max(kMinHandSize, Pan_Move->left() + e.x - Drag_X));
}

void FrmStart::resizeEvent(QResizeEvent *e) {
  Form::resizeEvent(e);
  call("Form_Resize", [this] { Form_Resize(); });
}

void FrmStart::mousePressEvent(QMouseEvent *e) {
  Form::mousePressEvent(e);
  const QPoint p = e->position().toPoint();
  Drag_X = forms::toTwips(p.x());
  Drag_Y = forms::toTwips(p.y());
}

} // namespace dorrin::organiser
