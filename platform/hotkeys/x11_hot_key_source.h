#pragma once
// F11 and F10 seen on the whole X display, whichever program has the focus.
// Uses Qt's own X connection (xcb platform); events arrive through a native
// event filter, so nothing polls.
//
// Watch (preferred): XInput2 raw key events selected on the root window.
// The focused program still gets the key, so F11 keeps working as full
// screen in a browser and F10 as a menu key.
// Grab (only where the server has no XInput2): the keys are grabbed on the
// root window with every combination of the lock modifiers (none, NumLock,
// CapsLock, both) so the locks do not disable them; other programs then do
// not see F11 and F10.
#include "platform/hotkeys/hot_key_source.h"

#include <QAbstractNativeEventFilter>
#include <QString>

struct xcb_connection_t;

namespace dorrin::hotkeys {

class X11HotKeySource : public HotKeySource, public QAbstractNativeEventFilter {
  Q_OBJECT
public:
  enum class Method { Off, Watch, Grab };
  // Watches (or, without XInput2 or when `allowWatch` is false, grabs) at
  // once; isGlobal() tells whether it worked.
  explicit X11HotKeySource(QObject *parent = nullptr, bool allowWatch = true);
  ~X11HotKeySource() override;

  bool isGlobal() const override { return method_ != Method::Off; }
  Method method() const { return method_; }
  // Why the keys are not seen ("" while they are): not on X11, no X
  // connection, a key without keycode, or BadAccess because another client
  // holds the key.
  QString failureReason() const { return failure_; }
  // Key-downs dropped as auto-repeat.
  int repeatsIgnored() const { return once_.repeatsIgnored(); }

  bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
  bool watchRaw();
  bool grabAll();
  // One key-down or key-up; true when it is F11 or F10.
  bool keyEvent(bool down, std::uint32_t keycode, std::uint32_t time);
  void ungrabAll();

  xcb_connection_t *conn_ = nullptr;
  std::uint32_t root_ = 0;
  std::array<std::uint8_t, 2> keycodes_{}; // F11, F10
  std::uint16_t numLockMask_ = 0;
  void *display_ = nullptr; // Xlib Display of Qt's connection
  int xiOpcode_ = -1;       // major opcode of XInputExtension
  PressOnce once_;
  Method method_ = Method::Off;
  QString failure_;
};

} // namespace dorrin::hotkeys
