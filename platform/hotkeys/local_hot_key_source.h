#pragma once
// The fallback source: F11 and F10 pressed inside the program's own windows,
// seen by an event filter on the application. Auto-repeat is dropped.
#include "platform/hotkeys/hot_key_source.h"

namespace dorrin::hotkeys {

class LocalHotKeySource : public HotKeySource {
  Q_OBJECT
public:
  explicit LocalHotKeySource(QObject *parent = nullptr);
  bool isGlobal() const override { return false; }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace dorrin::hotkeys
