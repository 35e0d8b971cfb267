#include "platform/desktop/desktop_icons.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <set>
#include <vector>

Q_LOGGING_CATEGORY(lcDesktop, "dorrin.desktop")

namespace dorrin::desktop {
namespace {

class NoDesktop final : public DesktopIcons {
public:
  bool hide() override { return false; }
  bool show() override { return false; }
  void restore() override {}
};

class X11Desktop final : public DesktopIcons {
public:
  explicit X11Desktop(Display *d) : dpy_(d) {
    typeAtom_ = XInternAtom(dpy_, "_NET_WM_WINDOW_TYPE", False);
    desktopAtom_ = XInternAtom(dpy_, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
  }
  ~X11Desktop() override {
    restore();
    XCloseDisplay(dpy_);
  }

  bool hide() override {
    const auto wins = find();
    for (Window w : wins) {
      XUnmapWindow(dpy_, w);
      hidden_.insert(w);
    }
    XFlush(dpy_);
    return !wins.empty();
  }

  bool show() override {
    auto wins = find();
    for (Window w : hidden_)
      wins.push_back(w);
    for (Window w : wins)
      XMapWindow(dpy_, w);
    hidden_.clear();
    XFlush(dpy_);
    return !wins.empty();
  }

  void restore() override {
    if (hidden_.empty()) return;
    for (Window w : hidden_)
      XMapWindow(dpy_, w);
    hidden_.clear();
    XSync(dpy_, False);
  }

private:
  // Top-level windows (children of the root, and their direct children where
  // a window manager reparents) whose window type is "desktop".
  std::vector<Window> find() {
    std::vector<Window> out;
    Window root = DefaultRootWindow(dpy_), parent = 0, *kids = nullptr;
    unsigned n = 0;
    if (!XQueryTree(dpy_, root, &root, &parent, &kids, &n)) return out;
    for (unsigned i = 0; i < n; ++i) {
      if (isDesktop(kids[i])) {
        out.push_back(kids[i]);
        continue;
      }
      Window r2, p2, *inner = nullptr;
      unsigned m = 0;
      if (XQueryTree(dpy_, kids[i], &r2, &p2, &inner, &m)) {
        for (unsigned j = 0; j < m; ++j)
          if (isDesktop(inner[j])) out.push_back(inner[j]);
        if (inner) XFree(inner);
      }
    }
    if (kids) XFree(kids);
    return out;
  }

  bool isDesktop(Window w) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    bool yes = false;
    if (XGetWindowProperty(dpy_, w, typeAtom_, 0, 16, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success &&
        data && format == 32) {
      const auto *atoms = reinterpret_cast<const Atom *>(data);
      for (unsigned long i = 0; i < count; ++i)
        yes = yes || atoms[i] == desktopAtom_;
    }
    if (data) XFree(data);
    return yes;
  }

  Display *dpy_;
  Atom typeAtom_ = 0, desktopAtom_ = 0;
  std::set<Window> hidden_;
};

int ignoreXErrors(Display *, XErrorEvent *) {
  return 0;
}

} // namespace

std::unique_ptr<DesktopIcons> makeDesktopIcons() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return std::make_unique<NoDesktop>();
  Display *d = XOpenDisplay(nullptr);
  if (!d) {
    qCWarning(lcDesktop) << "cannot reach the X server; the desktop switch does nothing";
    return std::make_unique<NoDesktop>();
  }
  // Windows can vanish between the query and the call; such errors are harmless.
  XSetErrorHandler(ignoreXErrors);
  return std::make_unique<X11Desktop>(d);
}

} // namespace dorrin::desktop
