#pragma once
// The control's window: the bar of nine buttons over the engine. It keeps the
// size rules (growing or trimming itself before it draws), draws the bar and
// turns left presses and releases into command words.
#include "platform/com/unknown.h"
#include "zelomm/bar_drawing.h"

#include <QWidget>
#include <functional>

namespace dorrin::zelomm {

class CZelommCtrl;

class BarWidget final : public QWidget {
public:
  // click: the release that ends a left click inside the control. The bar
  // counts as a live object of the library (module) until it is destroyed.
  BarWidget(CZelommCtrl *ctrl, std::function<void()> click, com::ModuleCount *module,
            QWidget *parent);
  ~BarWidget() override;
  // The engine is going away: nothing more is drawn or issued.
  void detach();

  QSize sizeHint() const override { return {kInitialWidth, kInitialHeight}; }
  QSize minimumSizeHint() const override { return sizeHint(); }
  // The bar as the next paint draws it; a null image while the size rules
  // ask for another size first.
  QImage render() const;
  bool buttonDown() const { return buttonDown_; }

protected:
  void paintEvent(QPaintEvent *) override;
  void mousePressEvent(QMouseEvent *e) override;
  void mouseReleaseEvent(QMouseEvent *e) override;

private:
  // Asks for a size once per rule until the request has been carried out.
  void requestSize(const SizeRule &rule);

  CZelommCtrl *ctrl_;
  std::function<void()> click_;
  com::ModuleCount *module_;
  bool buttonDown_ = false;
  bool growing_ = false, trimming_ = false; // a resize of that rule is pending
};

} // namespace dorrin::zelomm
