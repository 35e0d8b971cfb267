#include "platform/forms/line.h"

#include <QPainter>
#include <algorithm>

namespace dorrin::forms {

Line::Line(QWidget *parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  place();
}

void Line::setX1(int twips) {
  x1_ = twips;
  place();
}
void Line::setY1(int twips) {
  y1_ = twips;
  place();
}
void Line::setX2(int twips) {
  x2_ = twips;
  place();
}
void Line::setY2(int twips) {
  y2_ = twips;
  place();
}
void Line::setEnds(int x1, int y1, int x2, int y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  place();
}

void Line::setBorderColor(Rgb c) {
  color_ = c;
  update();
}

void Line::setBorderWidth(int pixels) {
  width_ = std::max(1, pixels);
  place();
}

// The widget covers the bounding box of the end points plus the pen.
void Line::place() {
  const int pad = (width_ + 1) / 2;
  const int left = std::min(toPixels(x1_), toPixels(x2_)) - pad;
  const int top = std::min(toPixels(y1_), toPixels(y2_)) - pad;
  const int right = std::max(toPixels(x1_), toPixels(x2_)) + pad;
  const int bottom = std::max(toPixels(y1_), toPixels(y2_)) + pad;
  setGeometry(left, top, right - left + 1, bottom - top + 1);
  update();
}

void Line::paintEvent(QPaintEvent *) {
  QPainter p(this);
  QPen pen(toQColor(color_));
  pen.setWidth(width_);
  p.setPen(pen);
  const QPoint origin = pos();
  p.drawLine(QPoint(toPixels(x1_), toPixels(y1_)) - origin,
             QPoint(toPixels(x2_), toPixels(y2_)) - origin);
}

} // namespace dorrin::forms
