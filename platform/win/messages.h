#pragma once
// Window handles and posted messages: the small part of a window system's
// message queue that components rely on (callback windows for notifications).
// A handle names a receiver; posting queues the call onto the thread that owns
// the receiver (the user-interface thread) so notifications never run on a
// worker thread.
#include <cstdint>
#include <functional>

namespace dorrin::win {

using HWND = std::uintptr_t; // 0 = no window
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using MessageHandler = std::function<void(std::uint32_t msg, WPARAM, LPARAM)>;

// Registers a receiver and returns its handle (never 0). The handler runs on
// the thread that called registerWindow (it must have a Qt event loop).
HWND registerWindow(MessageHandler handler);
// Removes a receiver; messages still queued for it are dropped.
void unregisterWindow(HWND hwnd);
bool isWindow(HWND hwnd);
// Queues a message for hwnd; returns false when no such receiver exists.
bool postMessage(HWND hwnd, std::uint32_t msg, WPARAM wParam, LPARAM lParam);
// Delivers at once on the calling thread; returns false when no receiver.
bool sendMessage(HWND hwnd, std::uint32_t msg, WPARAM wParam, LPARAM lParam);

} // namespace dorrin::win
