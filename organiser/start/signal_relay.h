#pragma once
// Turns SIGTERM and SIGINT into a call on the event loop (through a pipe the
// handler writes to), so the program can put the desktop back and quit
// cleanly instead of dying with the desktop's icons hidden.
#include <QObject>
#include <functional>

class QSocketNotifier;

namespace dorrin::organiser {

class SignalRelay : public QObject {
  Q_OBJECT
public:
  explicit SignalRelay(std::function<void()> onSignal);
  ~SignalRelay() override;

private:
  std::function<void()> onSignal_;
  QSocketNotifier *notifier_ = nullptr;
};

} // namespace dorrin::organiser
