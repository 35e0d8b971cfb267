#include "platform/win/messages.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>

namespace dorrin::win {
namespace {

struct Receiver {
  MessageHandler handler;
  QPointer<QObject> context; // lives on the owning thread; invokeMethod targets it
};

// The registry outlives every static object: a worker thread (the audio
// device) may still post while exit handlers run. Once the process has begun
// to exit, posting stops: the handler below takes the lock, so no post is
// half-way through Qt's event queue when Qt's own statics go.
std::mutex &lock() {
  static auto *m = new std::mutex;
  return *m;
}
std::map<HWND, std::shared_ptr<Receiver>> &receivers() {
  static auto *r = new std::map<HWND, std::shared_ptr<Receiver>>;
  return *r;
}
HWND nextHandle = 0x100;
bool exiting = false; // guarded by lock()

void stopPosting() {
  std::lock_guard g(lock());
  exiting = true;
}

std::shared_ptr<Receiver> find(HWND hwnd) {
  std::lock_guard g(lock());
  auto it = receivers().find(hwnd);
  return it == receivers().end() ? nullptr : it->second;
}

} // namespace

HWND registerWindow(MessageHandler handler) {
  auto r = std::make_shared<Receiver>();
  r->handler = std::move(handler);
  r->context = new QObject(); // owned by the receiver, deleted on unregister
  static const bool stopAtExit = std::atexit(stopPosting) == 0;
  (void)stopAtExit;
  std::lock_guard g(lock());
  HWND h = nextHandle++;
  receivers()[h] = r;
  return h;
}

void unregisterWindow(HWND hwnd) {
  std::shared_ptr<Receiver> r;
  {
    std::lock_guard g(lock());
    auto it = receivers().find(hwnd);
    if (it == receivers().end()) return;
    r = it->second;
    receivers().erase(it);
  }
  if (r->context) r->context->deleteLater();
}

bool isWindow(HWND hwnd) {
  return find(hwnd) != nullptr;
}

bool postMessage(HWND hwnd, std::uint32_t msg, WPARAM wParam, LPARAM lParam) {
  std::lock_guard g(lock());
  if (exiting) return false;
  auto it = receivers().find(hwnd);
  if (it == receivers().end() || !it->second->context) return false;
  QMetaObject::invokeMethod(
      it->second->context.data(),
      [hwnd, msg, wParam, lParam] {
        // Looked up again: the receiver may have gone while the message waited.
        if (auto live = find(hwnd)) live->handler(msg, wParam, lParam);
      },
      Qt::QueuedConnection);
  return true;
}

bool sendMessage(HWND hwnd, std::uint32_t msg, WPARAM wParam, LPARAM lParam) {
  auto r = find(hwnd);
  if (!r) return false;
  r->handler(msg, wParam, lParam);
  return true;
}

} // namespace dorrin::win
