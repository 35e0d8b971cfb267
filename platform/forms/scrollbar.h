#pragma once
// The scroll bar of the forms, horizontal or vertical, with the runtime's
// Min, Max, Value, SmallChange and LargeChange. Change is raised whenever
// Value changes, by code or by the user (after a thumb drag, once at the
// end); Scroll while the thumb is dragged. A Value outside Min..Max is
// refused. Min may be above Max: the bar then counts the other way.
#include "platform/forms/control.h"

#include <algorithm>

class QScrollBar;

namespace dorrin::forms {

class ScrollBar : public Control {
  Q_OBJECT
public:
  explicit ScrollBar(Qt::Orientation orientation, QWidget *parent = nullptr);

  int min() const { return min_; }
  void setMin(int v);
  int max() const { return max_; }
  void setMax(int v);
  int value() const { return value_; }
  // False (and no change) when v lies outside Min..Max.
  bool setValue(int v);
  int smallChange() const { return small_; }
  bool setSmallChange(int v);
  int largeChange() const { return large_; }
  bool setLargeChange(int v);

  QScrollBar *bar() const { return bar_; }

signals:
  void change();
  void scroll();

protected:
  void resizeEvent(QResizeEvent *e) override;

private:
  void keepValueInRange();
  void syncBar();
  void onBarValue(int v);
  int low() const { return std::min(min_, max_); }
  int high() const { return std::max(min_, max_); }

  QScrollBar *bar_;
  int min_ = 0, max_ = 32767, value_ = 0, small_ = 1, large_ = 1;
  bool syncing_ = false;
  int changedAt_ = 0; // the value of the last Change, to raise one per drag
};

} // namespace dorrin::forms
