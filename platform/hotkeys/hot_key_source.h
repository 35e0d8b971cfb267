#pragma once
// The two hot keys of the organiser, F11 (show) and F10 (hide), as a source
// of presses. A press acts once: a key held down (auto-repeat) reports one
// press until it is released. Presses are signalled in the order the keys
// went down, so F11 then F10 is acted on in that order.
#include <QLoggingCategory>
#include <QObject>

#include <array>
#include <cstdint>
#include <memory>

namespace dorrin::hotkeys {

Q_DECLARE_LOGGING_CATEGORY(lcHotKeys)

enum class HotKey { F11, F10 };

class HotKeySource : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;
  ~HotKeySource() override = default;
  // True when the keys are seen anywhere on the desktop, false when only
  // inside the program's own windows (or not at all).
  virtual bool isGlobal() const = 0;

signals:
  void pressed(dorrin::hotkeys::HotKey key);
};

// Turns key-down / key-up events into presses. A second key-down without a
// key-up in between is auto-repeat (the X server's detectable auto-repeat
// mode); a key-up immediately followed by a key-down with the same time
// stamp is the classic auto-repeat pair and is a repeat too.
class PressOnce {
public:
  // True when this key-down starts a new press.
  bool keyDown(HotKey key, std::uint32_t time);
  void keyUp(HotKey key, std::uint32_t time);
  bool isDown(HotKey key) const { return state_[index(key)].down; }
  // Key-downs that were taken as auto-repeat.
  int repeatsIgnored() const { return repeats_; }

private:
  struct State {
    bool down = false;
    bool released = false;
    std::uint32_t releaseTime = 0;
  };
  static std::size_t index(HotKey key) { return key == HotKey::F11 ? 0 : 1; }
  std::array<State, 2> state_{};
  int repeats_ = 0;
};

// True under a Wayland session (XDG_SESSION_TYPE "wayland" or WAYLAND_DISPLAY
// set): there no program sees keys pressed in other programs' windows, also
// not through XWayland.
bool isWaylandSession();
// What the user is told once under Wayland: bind the toggle command in the
// desktop's keyboard settings.
QString waylandNotice();

// The hot-key source for this process: under Wayland the keys inside the
// program's own windows; else the keys watched (or grabbed) on the X display
// when the server allows it, otherwise the keys inside the
// program's own windows. A fallback is reported once on stderr.
std::unique_ptr<HotKeySource> createHotKeySource();

} // namespace dorrin::hotkeys
