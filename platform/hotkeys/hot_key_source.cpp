#include "platform/hotkeys/hot_key_source.h"

#include "platform/hotkeys/local_hot_key_source.h"
#include "platform/hotkeys/x11_hot_key_source.h"

namespace dorrin::hotkeys {

Q_LOGGING_CATEGORY(lcHotKeys, "dorrin.hotkeys")

bool PressOnce::keyDown(HotKey key, std::uint32_t time) {
  State &s = state_[index(key)];
  const bool repeat = s.down || (s.released && s.releaseTime == time);
  s.down = true;
  s.released = false;
  if (repeat) ++repeats_;
  return !repeat;
}

void PressOnce::keyUp(HotKey key, std::uint32_t time) {
  State &s = state_[index(key)];
  s.down = false;
  s.released = true;
  s.releaseTime = time;
}

std::unique_ptr<HotKeySource> createHotKeySource() {
  auto global = std::make_unique<X11HotKeySource>();
  if (global->isGlobal()) return global;
  static bool reported = false;
  if (!reported) {
    reported = true;
    qCWarning(lcHotKeys).noquote()
        << "F11/F10 work only inside Dorrin's own windows:" << global->failureReason()
        << "- bind 'dorrin --show' / 'dorrin --hide' in the desktop's keyboard settings instead";
  }
  return std::make_unique<LocalHotKeySource>();
}

} // namespace dorrin::hotkeys
