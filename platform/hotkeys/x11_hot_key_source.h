#pragma once
// F11 and F10 grabbed on the X server's root window, so they reach the
// organiser whichever program has the focus. Uses Qt's own X connection
// (xcb platform); key events arrive through a native event filter, so
// nothing polls. Each key is grabbed with every combination of the lock
// modifiers (none, NumLock, CapsLock, both) so the locks do not disable it.
#include "platform/hotkeys/hot_key_source.h"

#include <QAbstractNativeEventFilter>
#include <QString>

struct xcb_connection_t;

namespace dorrin::hotkeys {

class X11HotKeySource : public HotKeySource, public QAbstractNativeEventFilter {
  Q_OBJECT
public:
  // Grabs at once; isGlobal() tells whether it worked.
  explicit X11HotKeySource(QObject *parent = nullptr);
  ~X11HotKeySource() override;

  bool isGlobal() const override { return global_; }
  // Why the grab is not in force ("" while it is): not on X11, no X
  // connection, a key without keycode, or BadAccess because another client
  // holds the key.
  QString failureReason() const { return failure_; }
  // Key-downs dropped as auto-repeat.
  int repeatsIgnored() const { return once_.repeatsIgnored(); }

  bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
  bool grabAll();
  void ungrabAll();

  xcb_connection_t *conn_ = nullptr;
  std::uint32_t root_ = 0;
  std::array<std::uint8_t, 2> keycodes_{}; // F11, F10
  std::uint16_t numLockMask_ = 0;
  PressOnce once_;
  bool global_ = false;
  QString failure_;
};

} // namespace dorrin::hotkeys
