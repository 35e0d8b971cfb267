#pragma once
// The process's media control interface: parses command strings, keeps the
// open devices under their aliases and device ids, and delivers MM_MCINOTIFY
// for commands sent with "notify". Only waveaudio devices exist here; other
// MCI device types answer with MCI errors.
#include "platform/audio/output.h"
#include "platform/mci/command.h"
#include "platform/mci/mci.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace dorrin::mci {

class WaveDevice;

// Finds the file an element name of a command stands for; "" when none exists.
using ElementResolver = std::function<std::string(const std::string &element)>;

// The default resolver: an absolute path as it is; a relative name in the
// current folder, then in the data folder, then in the program folder; an
// install path ("c:\Program Files\Tessivo\Dorrin\X") in the data folder, then
// in the program folder. Names are UTF-8, or CP949 when not valid UTF-8.
std::string resolveElement(const std::string &element);

// The English text of an error number; "" for a number that is none.
std::string errorText(MCIERROR error);

class System final : public Api {
public:
  explicit System(audio::Output &output, ElementResolver resolver = resolveElement);
  ~System() override;

  MCIERROR sendString(const char *command, char *returnString, unsigned returnLength,
                      win::HWND callback) override;
  bool getErrorString(MCIERROR error, char *text, unsigned length) override;
  MCIDEVICEID getDeviceID(const char *name) override;

  // Closes every device (as "close all"), ending their plays.
  void closeAll();

private:
  struct Entry;

  MCIERROR execute(const std::string &text, win::HWND callback, std::string &reply);
  MCIERROR open(const std::vector<std::string> &words, win::HWND callback);
  MCIERROR sound(const std::vector<std::string> &words, win::HWND callback);
  MCIERROR all(Verb verb, const std::vector<std::string> &words, win::HWND callback);
  MCIERROR run(Entry &e, Verb verb, const Arguments &a, win::HWND callback, std::string &reply);
  void close(Entry &e);
  Entry *find(const std::string &name);
  Entry *find(MCIDEVICEID id);
  void settle(Entry &e, std::uintptr_t code);
  void onEnded(MCIDEVICEID id, bool ok);

  audio::Output &output_;
  ElementResolver resolver_;
  std::mutex lock_;
  std::vector<std::unique_ptr<Entry>> entries_;
  std::unique_ptr<Entry> sound_; // the device of the last "sound" command (id 0)
};

} // namespace dorrin::mci
