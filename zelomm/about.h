#pragma once
// The About box, the About page and the General property page.
#include "platform/com/automation.h"

#include <QDialog>
#include <QWidget>

class QLineEdit;

namespace dorrin::zelomm {

// The texts that name the control and its maker.
QString aboutTitle();
QString aboutText();

// The About dialog (modal when shown with exec()).
QDialog *makeAboutBox(QWidget *parent);
void showAboutBox(QWidget *parent);
// The About page: the same texts on a static page.
QWidget *makeAboutPage(QWidget *parent);

// The General page: four labelled edit boxes (control ids 201..204) linked to
// BevelWidth, DeviceType, FileName and UpdateInterval of one control, read
// and written through its dispatch interface.
class GeneralPage final : public QWidget {
public:
  GeneralPage(com::IDispatch *control, QWidget *parent);
  // The box with control id 201..204; null for another id.
  QLineEdit *edit(int id) const;
  // Reads the control's properties into the boxes.
  void load();
  // Writes the boxes to the control; false (and nothing written for that
  // box) when a number box does not hold a 16-bit integer.
  bool apply();
  bool dirty() const { return dirty_; }

private:
  com::ComPtr<com::IDispatch> control_;
  QLineEdit *edits_[4];
  bool dirty_ = false;
};

// The control's property sheet: the General and About pages with OK, Cancel
// and Apply.
QDialog *makePropertySheet(com::IDispatch *control, QWidget *parent);

} // namespace dorrin::zelomm
