#include "platform/hotkeys/x11_hot_key_source.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>
#include <xcb/xcb.h>

// Xlib last: its macros (None, Bool, KeyPress...) clash with Qt names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace dorrin::hotkeys {

namespace {

struct FreeDeleter {
  void operator()(void *p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

constexpr std::uint8_t kBadAccess = 10;

// The first keycode that carries `sym` in any column of the keyboard map; 0 if none.
std::uint8_t keycodeOf(xcb_connection_t *c, xcb_keysym_t sym) {
  const xcb_setup_t *setup = xcb_get_setup(c);
  const int first = setup->min_keycode;
  const int count = setup->max_keycode - setup->min_keycode + 1;
  XcbReply<xcb_get_keyboard_mapping_reply_t> reply(xcb_get_keyboard_mapping_reply(
      c, xcb_get_keyboard_mapping(c, setup->min_keycode, static_cast<std::uint8_t>(count)),
      nullptr));
  if (!reply) return 0;
  const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply.get());
  const int per = reply->keysyms_per_keycode;
  const int total = xcb_get_keyboard_mapping_keysyms_length(reply.get());
  for (int i = 0; i < total; ++i)
    if (syms[i] == sym && per > 0) return static_cast<std::uint8_t>(first + i / per);
  return 0;
}

// The modifier bit that NumLock sets (Mod2 on almost every layout).
std::uint16_t numLockMaskOf(xcb_connection_t *c, std::uint8_t numLockCode) {
  if (numLockCode == 0) return XCB_MOD_MASK_2;
  XcbReply<xcb_get_modifier_mapping_reply_t> reply(
      xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr));
  if (!reply) return XCB_MOD_MASK_2;
  const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(reply.get());
  const int per = reply->keycodes_per_modifier;
  for (int mod = 0; mod < 8; ++mod)
    for (int k = 0; k < per; ++k)
      if (codes[mod * per + k] == numLockCode) return static_cast<std::uint16_t>(1u << mod);
  return XCB_MOD_MASK_2;
}

} // namespace

X11HotKeySource::X11HotKeySource(QObject *parent) : HotKeySource(parent) {
  auto *x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11) {
    failure_ =
        QStringLiteral("not running on X11 (platform %1)").arg(QGuiApplication::platformName());
    return;
  }
  conn_ = x11->connection();
  Display *display = x11->display();
  if (!conn_) {
    failure_ =
        QStringLiteral("no X11 connection (platform %1)").arg(QGuiApplication::platformName());
    return;
  }

  // The root window of the default screen.
  const int screenNumber = display ? DefaultScreen(display) : 0;
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn_));
  for (int i = 0; i < screenNumber && it.rem > 0; ++i)
    xcb_screen_next(&it);
  if (it.rem == 0 || !it.data) {
    failure_ = QStringLiteral("no X11 screen");
    conn_ = nullptr;
    return;
  }
  root_ = it.data->root;

  keycodes_ = {keycodeOf(conn_, XK_F11), keycodeOf(conn_, XK_F10)};
  if (keycodes_[0] == 0 || keycodes_[1] == 0) {
    failure_ = QStringLiteral("the keyboard map has no F11 or F10");
    conn_ = nullptr;
    return;
  }
  numLockMask_ = numLockMaskOf(conn_, keycodeOf(conn_, XK_Num_Lock));

  // A held key then sends key-downs only, no key-up / key-down pairs.
  if (display) XkbSetDetectableAutoRepeat(display, True, nullptr);

  if (!grabAll()) {
    ungrabAll();
    conn_ = nullptr;
    return;
  }
  global_ = true;
  QCoreApplication::instance()->installNativeEventFilter(this);
}

X11HotKeySource::~X11HotKeySource() {
  if (!global_) return;
  if (auto *app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
  ungrabAll();
}

bool X11HotKeySource::grabAll() {
  const std::uint16_t locks[] = {0, numLockMask_, XCB_MOD_MASK_LOCK,
                                 static_cast<std::uint16_t>(numLockMask_ | XCB_MOD_MASK_LOCK)};
  xcb_void_cookie_t cookies[2][4];
  for (int k = 0; k < 2; ++k)
    for (int m = 0; m < 4; ++m)
      // owner_events false: every press and release of the keys is reported
      // to the root window, also while one of our own windows has the focus,
      // so no release goes astray and leaves a key taken as held.
      cookies[k][m] = xcb_grab_key_checked(conn_, 0, root_, locks[m], keycodes_[k],
                                           XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
  int errors = 0;
  std::uint8_t code = 0;
  for (auto &key : cookies)
    for (auto &cookie : key)
      if (xcb_generic_error_t *e = xcb_request_check(conn_, cookie)) {
        ++errors;
        code = e->error_code;
        std::free(e);
      }
  if (errors == 0) return true;
  failure_ = code == kBadAccess
                 ? QStringLiteral("another program already holds F11 or F10 (BadAccess)")
                 : QStringLiteral("the X server refused the key grab (error %1)").arg(code);
  return false;
}

void X11HotKeySource::ungrabAll() {
  if (!conn_) return;
  const std::uint16_t locks[] = {0, numLockMask_, XCB_MOD_MASK_LOCK,
                                 static_cast<std::uint16_t>(numLockMask_ | XCB_MOD_MASK_LOCK)};
  // Releases only this client's grabs; another client's stay untouched.
  for (std::uint8_t code : keycodes_)
    for (std::uint16_t m : locks)
      xcb_ungrab_key(conn_, code, root_, m);
  xcb_flush(conn_);
}

bool X11HotKeySource::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) {
  if (eventType != "xcb_generic_event_t" || !message) return false;
  auto *event = static_cast<xcb_generic_event_t *>(message);
  const std::uint8_t type = event->response_type & 0x7f;
  if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
  // Press and release share one layout.
  auto *key = reinterpret_cast<xcb_key_press_event_t *>(event);
  if (key->event != root_) return false; // a key inside one of Qt's windows
  HotKey which;
  if (key->detail == keycodes_[0])
    which = HotKey::F11;
  else if (key->detail == keycodes_[1])
    which = HotKey::F10;
  else
    return false;
  if (type == XCB_KEY_PRESS) {
    if (once_.keyDown(which, key->time)) emit pressed(which);
  } else {
    once_.keyUp(which, key->time);
  }
  return true;
}

} // namespace dorrin::hotkeys
