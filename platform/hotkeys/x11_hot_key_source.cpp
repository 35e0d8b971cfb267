#include "platform/hotkeys/x11_hot_key_source.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstring>
#include <memory>
#include <xcb/xcb.h>

// Xlib last: its macros (None, Bool, KeyPress...) clash with Qt names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

namespace dorrin::hotkeys {

namespace {

struct FreeDeleter {
  void operator()(void *p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

constexpr std::uint8_t kBadAccess = 10;

// A field of an event as it came from the wire (XInput2 raw events keep
// their first 32 bytes in place in xcb's generic event).
template <typename T> T field(const void *event, std::size_t offset) {
  T value;
  std::memcpy(&value, static_cast<const char *>(event) + offset, sizeof value);
  return value;
}
// xXIRawEvent: evtype at 8, time at 12, detail (the keycode) at 16.
constexpr std::size_t kRawEvType = 8, kRawTime = 12, kRawDetail = 16;

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

X11HotKeySource::X11HotKeySource(QObject *parent, bool allowWatch) : HotKeySource(parent) {
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

  display_ = display;
  if (allowWatch && watchRaw()) {
    method_ = Method::Watch;
  } else {
    // A held key then sends key-downs only, no key-up / key-down pairs.
    if (display) XkbSetDetectableAutoRepeat(display, True, nullptr);
    if (!grabAll()) {
      ungrabAll();
      conn_ = nullptr;
      return;
    }
    method_ = Method::Grab;
  }
  QCoreApplication::instance()->installNativeEventFilter(this);
}

X11HotKeySource::~X11HotKeySource() {
  if (method_ == Method::Off) return;
  if (auto *app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
  if (method_ == Method::Grab) {
    ungrabAll();
  } else if (auto *display = static_cast<Display *>(display_)) {
    // An empty mask ends the watch; Qt's own selections (other devices) stay.
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    XIEventMask none{XIAllMasterDevices, sizeof mask, mask};
    XISelectEvents(display, root_, &none, 1);
    XFlush(display);
  }
}

bool X11HotKeySource::watchRaw() {
  auto *display = static_cast<Display *>(display_);
  if (!display) return false;
  int event = 0, error = 0;
  if (!XQueryExtension(display, "XInputExtension", &xiOpcode_, &event, &error)) return false;
  // Raw events reach the root window during other clients' grabs from 2.1
  // on. Asking for a version below the one Qt announced on this connection
  // is an error, so ask high: the server answers with what is in force.
  int major = 2, minor = 4;
  if (XIQueryVersion(display, &major, &minor) != Success || major < 2 || (major == 2 && minor < 1))
    return false;
  unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(mask, XI_RawKeyPress);
  XISetMask(mask, XI_RawKeyRelease);
  // Master devices only: one event per key, whichever keyboard sent it.
  XIEventMask events{XIAllMasterDevices, sizeof mask, mask};
  if (XISelectEvents(display, root_, &events, 1) != Success) return false;
  XSync(display, False);
  return true;
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
  if (method_ == Method::Watch) {
    if (type != XCB_GE_GENERIC) return false;
    auto *ge = reinterpret_cast<xcb_ge_generic_event_t *>(event);
    if (ge->extension != xiOpcode_) return false;
    const auto evtype = field<std::uint16_t>(event, kRawEvType);
    if (evtype != XI_RawKeyPress && evtype != XI_RawKeyRelease) return false;
    keyEvent(evtype == XI_RawKeyPress, field<std::uint32_t>(event, kRawDetail),
             field<std::uint32_t>(event, kRawTime));
    return false; // only watched: whoever else wants it still gets it
  }
  if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
  // Press and release share one layout.
  auto *key = reinterpret_cast<xcb_key_press_event_t *>(event);
  if (key->event != root_) return false; // a key inside one of Qt's windows
  return keyEvent(type == XCB_KEY_PRESS, key->detail, key->time);
}

bool X11HotKeySource::keyEvent(bool down, std::uint32_t keycode, std::uint32_t time) {
  HotKey which;
  if (keycode == keycodes_[0])
    which = HotKey::F11;
  else if (keycode == keycodes_[1])
    which = HotKey::F10;
  else
    return false;
  if (down) {
    if (once_.keyDown(which, time)) emit pressed(which);
  } else {
    once_.keyUp(which, time);
  }
  return true;
}

} // namespace dorrin::hotkeys
