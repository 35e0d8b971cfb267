#include "platform/forms/timer.h"

#include "platform/forms/log.h"

#include <QPointer>
#include <QTimer>

namespace dorrin::forms {

Timer::Timer(QObject *parent, int intervalMs) : QObject(parent), qt_(new QTimer(this)) {
  qt_->setTimerType(Qt::PreciseTimer);
  connect(qt_, &QTimer::timeout, this, [this] { tick(); });
  setInterval(intervalMs);
}

void Timer::setInterval(int ms) {
  if (ms < 0) {
    qCWarning(lcForms, "timer Interval: %d refused", ms);
    return;
  }
  interval_ = ms;
  restart();
}

void Timer::setEnabled(bool on) {
  enabled_ = on;
  restart();
}

bool Timer::running() const {
  return qt_->isActive();
}

void Timer::restart() {
  if (enabled_ && interval_ > 0)
    qt_->start(interval_);
  else
    qt_->stop();
}

void Timer::tick() {
  if (inTick_) return;
  inTick_ = true;
  const QPointer<Timer> self(this); // a handler may delete its timer
  emit timer();
  if (self) inTick_ = false;
}

} // namespace dorrin::forms
