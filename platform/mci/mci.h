#pragma once
// The media control string interface: commands such as "open a.wav alias 1
// type waveaudio wait" go in, a result code and a reply text come out.
// Error numbers are the classic MCI ones (0 = success, 256 + n for errors).
// Notifications for commands sent with "notify" arrive as MM_MCINOTIFY posted
// to the callback window (platform/win) on the thread that owns it.
#include "platform/win/messages.h"

#include <cstdint>
#include <string>

namespace dorrin::mci {

using MCIERROR = std::uint32_t;
using MCIDEVICEID = std::uint32_t;

inline constexpr std::uint32_t MM_MCINOTIFY = 0x3B9;
// Notification codes (wParam of MM_MCINOTIFY); lParam is the device id.
inline constexpr std::uintptr_t MCI_NOTIFY_SUCCESSFUL = 0x0001;
inline constexpr std::uintptr_t MCI_NOTIFY_SUPERSEDED = 0x0002;
inline constexpr std::uintptr_t MCI_NOTIFY_ABORTED = 0x0004;
inline constexpr std::uintptr_t MCI_NOTIFY_FAILURE = 0x0008;

// What a caller of the string interface needs; the control takes one of these
// so tests can record the strings it sends.
class Api {
public:
  virtual ~Api() = default;
  // Sends one command string. The reply (at most returnLength - 1 bytes, NUL
  // terminated) is written to returnString when it is not null.
  virtual MCIERROR sendString(const char *command, char *returnString, unsigned returnLength,
                              win::HWND callback) = 0;
  // Writes the text for an error number; false for an unknown number.
  virtual bool getErrorString(MCIERROR error, char *text, unsigned length) = 0;
  // Device id of an open alias or device name; 0 when none is open under it.
  virtual MCIDEVICEID getDeviceID(const char *name) = 0;
};

// The real interface of this process (devices, wave playback through the
// audio output). Lives for the process.
Api &systemApi();

// Free-function form of the same, for callers written against the classic names.
MCIERROR mciSendString(const char *command, char *returnString, unsigned returnLength,
                       win::HWND callback);
bool mciGetErrorString(MCIERROR error, char *text, unsigned length);
MCIDEVICEID mciGetDeviceID(const char *name);

} // namespace dorrin::mci
