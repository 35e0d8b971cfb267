#pragma once
// The colour and start-page panel: four sample lists, one per pane position,
// whose background (left button) and text colour (right button) are picked
// with the colour dialog, and a box naming the tab to open at start.
#include "organiser/main/frm_start.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/textbox.h"

#include <array>
#include <functional>

namespace dorrin::organiser {

class ColorPanel {
public:
  // frmSave writes the settings line (Frm_Save of the main window).
  ColorPanel(FrmStart &form, std::function<void()> frmSave);

  // A right press on tab 8.
  void Open();
  void SaveGrid_MouseDown(int j, int button);
  void ColorSave_MouseDown();
  void KtPanel5_Click();

  forms::KtPanel *ColorSave = nullptr;
  forms::KtPanel *KtPanel5 = nullptr;
  forms::KtSplitter *Spilt5 = nullptr;
  std::array<forms::KtPanel *, 4> PanA{}; // PanA(20) .. PanA(23)
  std::array<forms::FlexGrid *, 4> SaveGrid{};
  forms::KtPanel *KtPanel2 = nullptr;
  forms::TextBox *StartMenu = nullptr;

private:
  void paintSample(int j, forms::Rgb back, forms::Rgb fore);

  FrmStart &form_;
  std::function<void()> frmSave_;
  // The colour dialog's own colour: it starts from the colour last picked.
  forms::Rgb dialogColor_ = 0;
  int dragX_ = 0, dragY_ = 0;
};

} // namespace dorrin::organiser
