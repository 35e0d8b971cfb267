#pragma once
// The timer of the forms: raises Timer every Interval milliseconds while
// Enabled and Interval > 0 (Interval 0 stops it). Enabled is true from the
// start. Changing Interval, or enabling the timer, starts the count anew.
// A tick never re-enters: while a Timer handler runs (say, inside a modal
// dialog it opened) further ticks of the same timer are dropped.
#include <QObject>

class QTimer;

namespace dorrin::forms {

class Timer : public QObject {
  Q_OBJECT
public:
  explicit Timer(QObject *parent = nullptr, int intervalMs = 0);

  int interval() const { return interval_; }
  // A negative interval is refused (kept as it was).
  void setInterval(int ms);
  bool enabled() const { return enabled_; }
  void setEnabled(bool on);
  // True while the timer is counting (enabled with an interval).
  bool running() const;

signals:
  void timer();

private:
  void restart();
  void tick();

  QTimer *qt_;
  int interval_ = 0;
  bool enabled_ = true;
  bool inTick_ = false;
};

} // namespace dorrin::forms
