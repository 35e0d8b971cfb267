#pragma once
// Base of every form control: placement in twips that reads back exactly as
// set, caption, colours, font, and mouse and resize events in the form
// runtime's terms (buttons 1/2, positions in twips).
#include "platform/forms/twips.h"

#include <QWidget>
#include <array>

namespace dorrin::forms {

// Remembers the twips value last set on each axis together with the pixel
// value it produced; while the widget still sits at that pixel value the
// exact twips are read back, otherwise (moved or resized by the user or the
// window manager) pixels x 15.
class TwipsGeometry {
public:
  enum Axis { Left, Top, Width, Height };
  int read(Axis a, int pixels) const;
  // Returns the pixel value to apply.
  int write(Axis a, int twips);

private:
  std::array<int, 4> twips_{};
  std::array<int, 4> pixels_{{-1, -1, -1, -1}};
};

class Control : public QWidget {
  Q_OBJECT
public:
  explicit Control(QWidget *parent = nullptr);

  int left() const;
  int top() const;
  int width() const;
  int height() const;
  void setLeft(int twips);
  void setTop(int twips);
  void setWidth(int twips);
  void setHeight(int twips);
  void place(int left, int top, int width, int height);

  bool visible() const { return !isHidden(); }
  void setVisible(bool v) override;
  bool enabled() const { return isEnabled(); }

  QString caption() const { return caption_; }
  void setCaption(const QString &text);
  Rgb backColor() const { return back_; }
  void setBackColor(Rgb c);
  Rgb foreColor() const { return fore_; }
  void setForeColor(Rgb c);

signals:
  void mouseDown(const dorrin::forms::MouseArgs &e);
  void mouseMove(const dorrin::forms::MouseArgs &e);
  void mouseUp(const dorrin::forms::MouseArgs &e);
  void clicked();
  void dblClick();
  void resized();

protected:
  void mousePressEvent(QMouseEvent *e) override;
  void mouseMoveEvent(QMouseEvent *e) override;
  void mouseReleaseEvent(QMouseEvent *e) override;
  void mouseDoubleClickEvent(QMouseEvent *e) override;
  void resizeEvent(QResizeEvent *e) override;
  void resizePixels(int w, int h);
  virtual void captionChanged() { update(); }
  virtual void colorsChanged() { update(); }

private:
  TwipsGeometry geo_;
  QString caption_;
  Rgb back_ = rgb(192, 192, 192);
  Rgb fore_ = rgb(0, 0, 0);
  bool pressedInside_ = false;
};

} // namespace dorrin::forms
