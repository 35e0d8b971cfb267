#pragma once
// A hot-key source driven by the test: press() reports a press at once.
#include "platform/hotkeys/hot_key_source.h"

namespace dorrin::hotkeys {

class FakeHotKeySource : public HotKeySource {
public:
  bool isGlobal() const override { return global; }
  void press(HotKey key) { emit pressed(key); }
  bool global = true;
};

} // namespace dorrin::hotkeys
