#pragma once
// A top-level form: a window whose placement is in twips like its controls.
// Width and Height are the window's outer size; the form has no system frame
// by default (the organiser draws its own title strip and size grip).
#include "platform/forms/control.h"

namespace dorrin::forms {

class Form : public Control {
  Q_OBJECT
public:
  explicit Form(QWidget *parent = nullptr, bool frameless = true);
  // Keeps the window above others (or not) without stealing the focus.
  void setTopMost(bool on);
  // Brings the window to the front and gives it the focus.
  void activate();

signals:
  void closeRequested();
  void keyDown(int keyCode, int shift);

protected:
  void closeEvent(QCloseEvent *e) override;
  void keyPressEvent(QKeyEvent *e) override;
};

// Font faces the forms name that this system lacks map to installed ones
// ("굴림" -> NanumGothic, "굴림체" -> NanumGothicCoding). Call once at start.
void installFontSubstitutes();
// A font as the forms name it: face and size in points.
QFont formFont(const QString &face, double points, bool bold = false);

// Key codes of the form runtime for the keys the program handles.
int keyCode(int qtKey);

} // namespace dorrin::forms
