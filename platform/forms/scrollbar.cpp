#include "platform/forms/scrollbar.h"

#include "platform/forms/log.h"

#include <QScrollBar>
#include <algorithm>

namespace dorrin::forms {

ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget *parent)
    : Control(parent), bar_(new QScrollBar(orientation, this)) {
  setFocusProxy(bar_);
  connect(bar_, &QScrollBar::valueChanged, this, [this](int v) { onBarValue(v); });
  connect(bar_, &QScrollBar::sliderReleased, this, [this] {
    if (value_ != changedAt_) {
      changedAt_ = value_;
      emit change();
    }
  });
  syncBar();
}

void ScrollBar::syncBar() {
  syncing_ = true;
  bar_->setRange(low(), high());
  bar_->setInvertedAppearance(min_ > max_);
  bar_->setInvertedControls(min_ > max_);
  bar_->setSingleStep(small_);
  bar_->setPageStep(large_);
  bar_->setValue(value_);
  syncing_ = false;
}

void ScrollBar::onBarValue(int v) {
  if (syncing_ || v == value_) return;
  value_ = v;
  if (bar_->isSliderDown()) {
    emit scroll();
    return;
  }
  changedAt_ = v;
  emit change();
}

// A new range pulls the value inside it; a value that moves raises Change.
void ScrollBar::keepValueInRange() {
  const int old = value_;
  value_ = std::clamp(value_, low(), high());
  syncBar();
  if (value_ != old) {
    changedAt_ = value_;
    emit change();
  }
}

void ScrollBar::setMin(int v) {
  min_ = v;
  keepValueInRange();
}

void ScrollBar::setMax(int v) {
  max_ = v;
  keepValueInRange();
}

bool ScrollBar::setValue(int v) {
  if (v < low() || v > high()) {
    qCWarning(lcForms, "scroll bar Value: %d outside %d..%d", v, min_, max_);
    return false;
  }
  if (v == value_) return true;
  value_ = v;
  changedAt_ = v;
  syncBar();
  emit change();
  return true;
}

bool ScrollBar::setSmallChange(int v) {
  if (v < 1) {
    qCWarning(lcForms, "scroll bar SmallChange: %d refused", v);
    return false;
  }
  small_ = v;
  syncBar();
  return true;
}

bool ScrollBar::setLargeChange(int v) {
  if (v < 1) {
    qCWarning(lcForms, "scroll bar LargeChange: %d refused", v);
    return false;
  }
  large_ = v;
  syncBar();
  return true;
}

void ScrollBar::resizeEvent(QResizeEvent *e) {
  bar_->setGeometry(rect());
  Control::resizeEvent(e);
}

} // namespace dorrin::forms
