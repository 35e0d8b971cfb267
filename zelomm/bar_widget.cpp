#include "zelomm/bar_widget.h"

#include "zelomm/zelomm_ctrl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace dorrin::zelomm {

BarWidget::BarWidget(CZelommCtrl *ctrl, std::function<void()> click, com::ModuleCount *module,
                     QWidget *parent)
    : QWidget(parent), ctrl_(ctrl), click_(std::move(click)), module_(module) {
  if (module_) ++module_->objects;
  setObjectName(QStringLiteral("ZelommBar"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(kInitialWidth, kInitialHeight);
}

BarWidget::~BarWidget() {
  if (module_) --module_->objects;
}

void BarWidget::detach() {
  ctrl_ = nullptr;
  click_ = nullptr;
}

QImage BarWidget::render() const {
  if (!ctrl_ || sizeRule(size()).kind != SizeRule::Draw) return {};
  QImage img(size(), QImage::Format_RGB32);
  img.fill(palette().color(backgroundRole()).rgb());
  drawBar(img, ctrl_->buttons(), ctrl_->enabled(), ctrl_->bevelWidth());
  return img;
}

void BarWidget::requestSize(const SizeRule &rule) {
  bool &pending = rule.kind == SizeRule::Grow ? growing_ : trimming_;
  if (pending) return;
  pending = true;
  // Resized outside the paint; the resize repaints when it takes effect.
  QTimer::singleShot(0, this, [this, rule] {
    (rule.kind == SizeRule::Grow ? growing_ : trimming_) = false;
    resize(rule.target);
  });
}

void BarWidget::paintEvent(QPaintEvent *) {
  QPainter p(this);
  const SizeRule rule = sizeRule(size());
  if (rule.kind != SizeRule::Draw || !ctrl_) {
    p.fillRect(rect(), palette().color(backgroundRole()));
    if (rule.kind != SizeRule::Draw) requestSize(rule);
    return;
  }
  p.drawImage(0, 0, render());
}

void BarWidget::mousePressEvent(QMouseEvent *e) {
  if (e->button() != Qt::LeftButton || !ctrl_) return QWidget::mousePressEvent(e);
  if (pressButtons(ctrl_->buttons(), e->position().toPoint().x(), width()) >= 0) {
    buttonDown_ = true;
    update();
  }
}

void BarWidget::mouseReleaseEvent(QMouseEvent *e) {
  if (e->button() != Qt::LeftButton || !ctrl_) return QWidget::mouseReleaseEvent(e);
  const QPoint at = e->position().toPoint();
  const bool inside = rect().contains(at);
  QPointer<BarWidget> self(this);
  if (buttonDown_ && inside) {
    // In table order; a command may change the states (and repaint).
    for (int k = 0; k < kButtonCount && self && ctrl_; ++k)
      if (!ctrl_->buttons()[k].up) ctrl_->setCommand(kButtonCommands[k]);
  }
  if (!self || !ctrl_) return;
  buttonDown_ = false;
  for (ButtonState &b : ctrl_->buttons())
    b.up = true;
  update();
  if (inside && click_) {
    const auto click = click_; // the handler may release the control and detach this bar
    click();
  }
}

} // namespace dorrin::zelomm
