#pragma once
// The line control: a straight line between two end points X1, Y1 and X2, Y2
// (twips, relative to its parent), drawn in its border colour and width.
// The widget covers the line's bounding box; the end points read back
// exactly as set.
#include "platform/forms/twips.h"

#include <QWidget>

namespace dorrin::forms {

class Line : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int X1 READ x1 WRITE setX1)
  Q_PROPERTY(int Y1 READ y1 WRITE setY1)
  Q_PROPERTY(int X2 READ x2 WRITE setX2)
  Q_PROPERTY(int Y2 READ y2 WRITE setY2)
public:
  explicit Line(QWidget *parent = nullptr);

  int x1() const { return x1_; }
  int y1() const { return y1_; }
  int x2() const { return x2_; }
  int y2() const { return y2_; }
  void setX1(int twips);
  void setY1(int twips);
  void setX2(int twips);
  void setY2(int twips);
  void setEnds(int x1, int y1, int x2, int y2);

  Rgb borderColor() const { return color_; }
  void setBorderColor(Rgb c);
  // Pen width in pixels (at least 1).
  int borderWidth() const { return width_; }
  void setBorderWidth(int pixels);

protected:
  void paintEvent(QPaintEvent *) override;

private:
  void place();
  int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  Rgb color_ = rgb(0, 0, 0);
  int width_ = 1;
};

} // namespace dorrin::forms
