#include "organiser/main/color_panel.h"

#include "platform/forms/dialogs.h"
#include "platform/text/field_text.h"
#include "platform/text/runtime.h"

namespace dorrin::organiser {

using forms::KtPanel;
using forms::MouseArgs;

ColorPanel::ColorPanel(FrmStart &form, std::function<void()> frmSave)
    : form_(form), frmSave_(std::move(frmSave)) {
  KtPanel *host = form.Pan_ColorSetting;
  ColorSave = new KtPanel(host, QStringLiteral("저     장"));
  ColorSave->place(120, 120, 2115, 315);
  KtPanel5 = new KtPanel(host, QStringLiteral("취     소"));
  KtPanel5->place(2250, 120, 2115, 315);
  Spilt5 = new forms::KtSplitter(host, {2, 2});
  Spilt5->place(120, 450, 4245, 1890);
  for (int j = 0; j < 4; ++j) {
    PanA[j] = new KtPanel;
    PanA[j]->setBevel(KtPanel::Bevel::None);
    Spilt5->setPaneControl(j, PanA[j]);
    auto *g = new forms::FlexGrid(PanA[j]);
    g->setRows(30);
    g->setCols(1);
    g->setFixedRows(1);
    g->setFixedCols(1);
    SaveGrid[j] = g;
    QObject::connect(PanA[j], &KtPanel::resized, g,
                     [g, pane = PanA[j]] { g->place(0, 0, pane->width(), pane->height()); });
    QObject::connect(g, &forms::Control::mouseDown, g,
                     [this, j](const MouseArgs &e) { SaveGrid_MouseDown(j, e.button); });
  }
  Spilt5->setPaneWidth(0, 2085);
  Spilt5->setPaneHeight(0, 900);
  Spilt5->setPaneHeight(2, 900);
  KtPanel2 = new KtPanel(host, QStringLiteral("시작 메뉴 입력 상자"));
  KtPanel2->place(120, 2430, 2115, 315);
  StartMenu = new forms::TextBox(host);
  StartMenu->place(2250, 2400, 2115, 345);

  QObject::connect(ColorSave, &KtPanel::mouseDown, ColorSave, [this](const MouseArgs &) {
    FrmStart::call("ColorSave", [this] { ColorSave_MouseDown(); });
  });
  QObject::connect(KtPanel5, &KtPanel::clicked, KtPanel5, [this] { KtPanel5_Click(); });
  QObject::connect(host, &KtPanel::mouseDown, host, [this](const MouseArgs &e) {
    dragX_ = e.x;
    dragY_ = e.y;
  });
  QObject::connect(host, &KtPanel::mouseMove, host, [this, host](const MouseArgs &e) {
    if (!(e.button & forms::kLeftButton)) return;
    host->setTop(host->top() + e.y - dragY_);
    host->setLeft(host->left() + e.x - dragX_);
  });
}

void ColorPanel::paintSample(int j, forms::Rgb back, forms::Rgb fore) {
  forms::FlexGrid *g = SaveGrid[j];
  g->setBackColorFixed(back);
  g->setBackColorSel(back);
  g->setForeColorFixed(fore);
  g->setForeColorSel(fore);
}

void ColorPanel::Open() {
  KtPanel *host = form_.Pan_ColorSetting;
  host->setLeft(0);
  host->setTop(0);
  host->setVisible(true);
  host->raise();
  const PageState &s = form_.state();
  for (int j = 0; j < 4; ++j) {
    forms::FlexGrid *g = SaveGrid[j];
    g->setTextMatrix(0, 0, QStringLiteral("배경색은 왼쪽 버튼"));
    g->setTextMatrix(1, 0, QStringLiteral("글자색은 오른쪽 버튼"));
    g->setColWidth(0, 2500);
    for (int r = 0; r <= 3; ++r)
      g->setRowHeight(r, 300);
    paintSample(j, s.Back_Color[j], s.Fore_Color[j]);
  }
}

void ColorPanel::SaveGrid_MouseDown(int j, int button) {
  if (j < 0 || j > 3 || (button != forms::kLeftButton && button != forms::kRightButton)) return;
  forms::Dialogs *dialogs = form_.dialogs();
  if (!dialogs) return;
  const bool back = button == forms::kLeftButton;
  const auto picked = dialogs->pickColor(dialogColor_, back ? QStringLiteral("셀의 배경색 설정")
                                                            : QStringLiteral("셀의 글자색 설정"));
  // A cancelled dialog changes nothing.
  if (!picked) return;
  dialogColor_ = *picked;
  forms::FlexGrid *g = SaveGrid[j];
  if (back)
    paintSample(j, *picked, g->foreColorFixed());
  else
    paintSample(j, g->backColorFixed(), *picked);
}

void ColorPanel::ColorSave_MouseDown() {
  PageState &s = form_.state();
  for (int j = 0; j < 4; ++j) {
    s.Back_Color[j] = SaveGrid[j]->backColorFixed();
    s.Fore_Color[j] = SaveGrid[j]->foreColorFixed();
  }
  // Compared with the captions as they are stored ("@" in its full-width form).
  const QString typed = text::fieldText(StartMenu->text(), u"@");
  if (typed != StartMenu->text()) StartMenu->setText(typed);
  const QString wanted = text::trim(typed);
  for (int i = 0; i <= 6; ++i) {
    if (text::trim(form_.Menu[i]->caption()) == wanted) {
      s.Start_Page = static_cast<std::int16_t>(i);
      break;
    }
  }
  if (frmSave_) frmSave_();
  form_.Pan_ColorSetting->setVisible(false);
  if (s.Cur_Page < 5) form_.Menu_MouseDown(s.Cur_Page, 0);
}

void ColorPanel::KtPanel5_Click() {
  form_.Pan_ColorSetting->setVisible(false);
}

} // namespace dorrin::organiser
