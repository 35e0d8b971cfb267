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

// Result codes (the classic MCI numbers).
inline constexpr MCIERROR MCIERR_BASE = 256;
inline constexpr MCIERROR MCIERR_INVALID_DEVICE_ID = MCIERR_BASE + 1;        // 257
inline constexpr MCIERROR MCIERR_UNRECOGNIZED_KEYWORD = MCIERR_BASE + 3;     // 259
inline constexpr MCIERROR MCIERR_UNRECOGNIZED_COMMAND = MCIERR_BASE + 5;     // 261
inline constexpr MCIERROR MCIERR_HARDWARE = MCIERR_BASE + 6;                 // 262
inline constexpr MCIERROR MCIERR_INVALID_DEVICE_NAME = MCIERR_BASE + 7;      // 263
inline constexpr MCIERROR MCIERR_OUT_OF_MEMORY = MCIERR_BASE + 8;            // 264
inline constexpr MCIERROR MCIERR_DEVICE_OPEN = MCIERR_BASE + 9;              // 265
inline constexpr MCIERROR MCIERR_CANNOT_LOAD_DRIVER = MCIERR_BASE + 10;      // 266
inline constexpr MCIERROR MCIERR_MISSING_COMMAND_STRING = MCIERR_BASE + 11;  // 267
inline constexpr MCIERROR MCIERR_PARAM_OVERFLOW = MCIERR_BASE + 12;          // 268
inline constexpr MCIERROR MCIERR_MISSING_STRING_ARGUMENT = MCIERR_BASE + 13; // 269
inline constexpr MCIERROR MCIERR_BAD_INTEGER = MCIERR_BASE + 14;             // 270
inline constexpr MCIERROR MCIERR_PARSER_INTERNAL = MCIERR_BASE + 15;         // 271
inline constexpr MCIERROR MCIERR_DRIVER_INTERNAL = MCIERR_BASE + 16;         // 272
inline constexpr MCIERROR MCIERR_MISSING_PARAMETER = MCIERR_BASE + 17;       // 273
inline constexpr MCIERROR MCIERR_UNSUPPORTED_FUNCTION = MCIERR_BASE + 18;    // 274
inline constexpr MCIERROR MCIERR_FILE_NOT_FOUND = MCIERR_BASE + 19;          // 275
inline constexpr MCIERROR MCIERR_DEVICE_NOT_READY = MCIERR_BASE + 20;        // 276
inline constexpr MCIERROR MCIERR_INTERNAL = MCIERR_BASE + 21;                // 277
inline constexpr MCIERROR MCIERR_DRIVER = MCIERR_BASE + 22;                  // 278
inline constexpr MCIERROR MCIERR_CANNOT_USE_ALL = MCIERR_BASE + 23;          // 279
inline constexpr MCIERROR MCIERR_MULTIPLE = MCIERR_BASE + 24;                // 280
inline constexpr MCIERROR MCIERR_EXTENSION_NOT_FOUND = MCIERR_BASE + 25;     // 281
inline constexpr MCIERROR MCIERR_OUTOFRANGE = MCIERR_BASE + 26;              // 282
inline constexpr MCIERROR MCIERR_FLAGS_NOT_COMPATIBLE = MCIERR_BASE + 28;    // 284
inline constexpr MCIERROR MCIERR_FILE_NOT_SAVED = MCIERR_BASE + 30;          // 286
inline constexpr MCIERROR MCIERR_DEVICE_TYPE_REQUIRED = MCIERR_BASE + 31;    // 287
inline constexpr MCIERROR MCIERR_DEVICE_LOCKED = MCIERR_BASE + 32;           // 288
inline constexpr MCIERROR MCIERR_DUPLICATE_ALIAS = MCIERR_BASE + 33;         // 289
inline constexpr MCIERROR MCIERR_BAD_CONSTANT = MCIERR_BASE + 34;            // 290
inline constexpr MCIERROR MCIERR_MUST_USE_SHAREABLE = MCIERR_BASE + 35;      // 291
inline constexpr MCIERROR MCIERR_MISSING_DEVICE_NAME = MCIERR_BASE + 36;     // 292
inline constexpr MCIERROR MCIERR_BAD_TIME_FORMAT = MCIERR_BASE + 37;         // 293
inline constexpr MCIERROR MCIERR_NO_CLOSING_QUOTE = MCIERR_BASE + 38;        // 294
inline constexpr MCIERROR MCIERR_DUPLICATE_FLAGS = MCIERR_BASE + 39;         // 295
inline constexpr MCIERROR MCIERR_INVALID_FILE = MCIERR_BASE + 40;            // 296
inline constexpr MCIERROR MCIERR_NULL_PARAMETER_BLOCK = MCIERR_BASE + 41;    // 297
inline constexpr MCIERROR MCIERR_UNNAMED_RESOURCE = MCIERR_BASE + 42;        // 298
inline constexpr MCIERROR MCIERR_NEW_REQUIRES_ALIAS = MCIERR_BASE + 43;      // 299
inline constexpr MCIERROR MCIERR_NOTIFY_ON_AUTO_OPEN = MCIERR_BASE + 44;     // 300
inline constexpr MCIERROR MCIERR_NO_ELEMENT_ALLOWED = MCIERR_BASE + 45;      // 301
inline constexpr MCIERROR MCIERR_NONAPPLICABLE_FUNCTION = MCIERR_BASE + 46;  // 302
inline constexpr MCIERROR MCIERR_ILLEGAL_FOR_AUTO_OPEN = MCIERR_BASE + 47;   // 303
inline constexpr MCIERROR MCIERR_FILENAME_REQUIRED = MCIERR_BASE + 48;       // 304
inline constexpr MCIERROR MCIERR_EXTRA_CHARACTERS = MCIERR_BASE + 49;        // 305
inline constexpr MCIERROR MCIERR_DEVICE_NOT_INSTALLED = MCIERR_BASE + 50;    // 306
inline constexpr MCIERROR MCIERR_NO_INTEGER = MCIERR_BASE + 56;              // 312
inline constexpr MCIERROR MCIERR_WAVE_OUTPUTSINUSE = MCIERR_BASE + 64;       // 320
inline constexpr MCIERROR MCIERR_WAVE_INPUTSINUSE = MCIERR_BASE + 66;        // 322
inline constexpr MCIERROR MCIERR_WAVE_OUTPUTUNSPECIFIED = MCIERR_BASE + 68;  // 324
inline constexpr MCIERROR MCIERR_WAVE_OUTPUTSUNSUITABLE = MCIERR_BASE + 70;  // 326
inline constexpr MCIERROR MCIERR_WAVE_INPUTSUNSUITABLE = MCIERR_BASE + 72;   // 328
inline constexpr MCIERROR MCIERR_SEQ_NOMIDIPRESENT = MCIERR_BASE + 87;       // 343
inline constexpr MCIERROR MCIERR_NO_WINDOW = MCIERR_BASE + 90;               // 346
inline constexpr MCIERROR MCIERR_FILE_READ = MCIERR_BASE + 92;               // 348
inline constexpr MCIERROR MCIERR_FILE_WRITE = MCIERR_BASE + 93;              // 349
inline constexpr MCIERROR MCIERR_CUSTOM_DRIVER_BASE = MCIERR_BASE + 256;     // 512

// Device id meaning every open device ("close all").
inline constexpr MCIDEVICEID MCI_ALL_DEVICE_ID = 0xFFFFFFFFu;

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
