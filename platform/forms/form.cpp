#include "platform/forms/form.h"

#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>

namespace dorrin::forms {

Form::Form(QWidget *parent, bool frameless) : Control(parent) {
  Qt::WindowFlags f = Qt::Window;
  if (frameless) f |= Qt::FramelessWindowHint;
  setWindowFlags(f);
}

void Form::setTopMost(bool on) {
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);
  if (shown) show(); // changing flags re-creates the native window hidden
}

void Form::activate() {
  show();
  raise();
  activateWindow();
}

void Form::closeEvent(QCloseEvent *e) {
  emit closeRequested();
  e->accept();
}

void Form::keyPressEvent(QKeyEvent *e) {
  emit keyDown(keyCode(e->key()), shiftState(e->modifiers()));
  Control::keyPressEvent(e);
}

void installFontSubstitutes() {
  QFont::insertSubstitution(QStringLiteral("굴림"), QStringLiteral("NanumGothic"));
  QFont::insertSubstitution(QStringLiteral("굴림체"), QStringLiteral("NanumGothicCoding"));
  QFont::insertSubstitution(QStringLiteral("돋움"), QStringLiteral("NanumGothic"));
  QFont::insertSubstitution(QStringLiteral("바탕"), QStringLiteral("NanumMyeongjo"));
}

QFont formFont(const QString &face, double points, bool bold) {
  QFont f(face);
  f.setPointSizeF(points);
  f.setBold(bold);
  return f;
}

int keyCode(int k) {
  switch (k) {
  case Qt::Key_Return:
  case Qt::Key_Enter:
    return 13;
  case Qt::Key_Escape:
    return 27;
  case Qt::Key_Delete:
    return 46;
  case Qt::Key_Backspace:
    return 8;
  case Qt::Key_Tab:
    return 9;
  case Qt::Key_Space:
    return 32;
  case Qt::Key_Shift:
    return 16;
  case Qt::Key_Control:
    return 17;
  case Qt::Key_Alt:
    return 18;
  case Qt::Key_CapsLock:
    return 20;
  case Qt::Key_PageUp:
    return 33;
  case Qt::Key_PageDown:
    return 34;
  case Qt::Key_End:
    return 35;
  case Qt::Key_Home:
    return 36;
  case Qt::Key_Insert:
    return 45;
  case Qt::Key_Left:
    return 37;
  case Qt::Key_Up:
    return 38;
  case Qt::Key_Right:
    return 39;
  case Qt::Key_Down:
    return 40;
  default:
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return 112 + (k - Qt::Key_F1);
    if ((k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z)) return k;
    return 0;
  }
}

} // namespace dorrin::forms
