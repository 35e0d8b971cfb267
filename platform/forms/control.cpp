#include "platform/forms/control.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QResizeEvent>

namespace dorrin::forms {

int buttonNumber(Qt::MouseButton b) {
  switch (b) {
  case Qt::LeftButton:
    return kLeftButton;
  case Qt::RightButton:
    return kRightButton;
  case Qt::MiddleButton:
    return kMiddleButton;
  default:
    return 0;
  }
}

int buttonMask(Qt::MouseButtons bs) {
  int m = 0;
  if (bs & Qt::LeftButton) m |= kLeftButton;
  if (bs & Qt::RightButton) m |= kRightButton;
  if (bs & Qt::MiddleButton) m |= kMiddleButton;
  return m;
}

int shiftState(Qt::KeyboardModifiers m) {
  return ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) |
         ((m & Qt::AltModifier) ? 4 : 0);
}

MouseArgs mouseArgs(int button, Qt::KeyboardModifiers m, QPoint p) {
  return MouseArgs{button, shiftState(m), toTwips(p.x()), toTwips(p.y())};
}

int TwipsGeometry::read(Axis a, int pixels) const {
  return pixels == pixels_[a] ? twips_[a] : toTwips(pixels);
}

int TwipsGeometry::write(Axis a, int twips) {
  twips_[a] = twips;
  pixels_[a] = toPixels(twips);
  return pixels_[a];
}

Control::Control(QWidget *parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

int Control::left() const {
  return geo_.read(TwipsGeometry::Left, x());
}
int Control::top() const {
  return geo_.read(TwipsGeometry::Top, y());
}
int Control::width() const {
  return geo_.read(TwipsGeometry::Width, QWidget::width());
}
int Control::height() const {
  return geo_.read(TwipsGeometry::Height, QWidget::height());
}

void Control::setLeft(int t) {
  move(geo_.write(TwipsGeometry::Left, t), y());
}
void Control::setTop(int t) {
  move(x(), geo_.write(TwipsGeometry::Top, t));
}
// A negative size is what a runaway drag can ask for; the widget takes 0.
void Control::setWidth(int t) {
  resizePixels(std::max(0, geo_.write(TwipsGeometry::Width, t)), QWidget::height());
}
void Control::setHeight(int t) {
  resizePixels(QWidget::width(), std::max(0, geo_.write(TwipsGeometry::Height, t)));
}

// Qt defers the resize event of a hidden widget until it is shown; the form
// runtime raises Resize at once, and layouts of hidden pages depend on it.
void Control::resizePixels(int w, int h) {
  const QSize old = size();
  resize(w, h);
  if (testAttribute(Qt::WA_PendingResizeEvent) && old != size()) {
    setAttribute(Qt::WA_PendingResizeEvent, false);
    QResizeEvent ev(size(), old);
    QCoreApplication::sendEvent(this, &ev);
  }
}
void Control::place(int l, int t, int w, int h) {
  setLeft(l);
  setTop(t);
  setWidth(w);
  setHeight(h);
}

void Control::setVisible(bool v) {
  QWidget::setVisible(v);
}

void Control::setCaption(const QString &text) {
  if (caption_ == text) return;
  caption_ = text;
  captionChanged();
}
void Control::setBackColor(Rgb c) {
  back_ = c;
  colorsChanged();
}
void Control::setForeColor(Rgb c) {
  fore_ = c;
  colorsChanged();
}

void Control::mousePressEvent(QMouseEvent *e) {
  pressedInside_ = true;
  emit mouseDown(mouseArgs(buttonNumber(e->button()), e->modifiers(), e->position().toPoint()));
}
void Control::mouseMoveEvent(QMouseEvent *e) {
  emit mouseMove(mouseArgs(buttonMask(e->buttons()), e->modifiers(), e->position().toPoint()));
}
void Control::mouseReleaseEvent(QMouseEvent *e) {
  emit mouseUp(mouseArgs(buttonNumber(e->button()), e->modifiers(), e->position().toPoint()));
  if (pressedInside_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
    emit clicked();
  pressedInside_ = false;
}
void Control::mouseDoubleClickEvent(QMouseEvent *e) {
  // The second press of a double-click is reported as the double-click
  // alone (down, up, click, double-click, up), as the form runtime does.
  pressedInside_ = false;
  if (e->button() == Qt::LeftButton) emit dblClick();
}
void Control::resizeEvent(QResizeEvent *e) {
  QWidget::resizeEvent(e);
  emit resized();
}

} // namespace dorrin::forms
