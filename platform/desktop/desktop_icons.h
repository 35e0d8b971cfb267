#pragma once
// The desktop's own icon window, which the organiser hides while it runs and
// shows again from its desktop switch. On X11 that is every top-level window
// of type _NET_WM_WINDOW_TYPE_DESKTOP; where there is none (Wayland,
// offscreen, a bare X server) the calls do nothing and report false.
#include <memory>

namespace dorrin::desktop {

class DesktopIcons {
public:
  virtual ~DesktopIcons() = default;
  // Hide / show the desktop window; false when no such window exists.
  virtual bool hide() = 0;
  virtual bool show() = 0;
  // Shows again whatever this process hid; called on quit and on SIGTERM/SIGINT
  // so a user's desktop is never left hidden.
  virtual void restore() = 0;
};

// The real implementation for this session (X11 when reachable, else one
// that does nothing).
std::unique_ptr<DesktopIcons> makeDesktopIcons();

} // namespace dorrin::desktop
