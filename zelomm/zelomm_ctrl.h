#pragma once
// The ZELOMM control's engine: its properties, the one-shot command options
// and the command engine that turns command words into media control strings.
// A plain class: the media control interface and the container side (design
// mode, events, timer, repaint) are injected, so it runs without any window.
#include "platform/com/automation.h"
#include "platform/mci/mci.h"
#include "zelomm/button_states.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dorrin::zelomm {

// What the engine asks of the object around it.
class CtrlHost {
public:
  virtual ~CtrlHost() = default;
  virtual bool designMode() const { return false; }
  // A persisted property changed at design time.
  virtual void setModified() {}
  virtual void repaint() {}
  // Timer 1: period in ms, <= 0 stops it. Each tick calls onTimer().
  virtual void setTimer(int /*periodMs*/) {}
  virtual void fireEvent(com::DISPID /*id*/) {}
  virtual void aboutBox() {}
};

// The element to open for a file name. A path here is its own short form, so
// this is the existing file the name stands for, found as the media layer
// finds elements (current folder, data folder, program folder); empty when
// there is none.
std::string shortPathName(std::string_view fileName);

class CZelommCtrl {
public:
  CZelommCtrl(mci::Api &api, CtrlHost &host);
  ~CZelommCtrl(); // closes the device
  CZelommCtrl(const CZelommCtrl &) = delete;
  CZelommCtrl &operator=(const CZelommCtrl &) = delete;

  // The window that receives MM_MCINOTIFY; passed with every command string.
  void setCallbackWindow(win::HWND w) { window_ = w; }
  win::HWND callbackWindow() const { return window_; }
  // The control's window exists: timer 1 starts with UpdateInterval.
  void windowCreated();

  const std::string &deviceType() const { return deviceType_; }
  void setDeviceType(std::string_view v);
  const std::string &fileName() const { return fileName_; }
  void setFileName(std::string_view v);
  const std::string &timeFormat() const { return timeFormat_; }
  void setTimeFormat(std::string_view v);
  bool notify() const { return notify_; }
  void setNotify(bool v);
  bool wait() const { return wait_; }
  void setWait(bool v);
  bool shareable() const { return shareable_; }
  void setShareable(bool v) { shareable_ = v; }
  std::int32_t from() const { return from_; }
  void setFrom(std::int32_t v);
  std::int32_t to() const { return to_; }
  void setTo(std::int32_t v);
  std::int16_t notifyValue() const { return notifyValue_; }
  std::int32_t frames() const { return frames_; }
  void setFrames(std::int32_t v) { frames_ = v; }
  std::int16_t error() const { return error_; }
  const std::string &command() const { return command_; }
  void setCommand(std::string_view word);
  std::int16_t recordMode() const { return recordMode_; }
  void setRecordMode(std::int16_t v) { recordMode_ = (v == 0 || v == 1) ? v : 0; }
  bool canEject() const { return caps_.canEject; }
  bool canPlay() const { return caps_.canPlay; }
  bool canRecord() const { return caps_.canRecord; }
  bool canStep() const { return caps_.canStep; }
  std::string errorMessage() const;
  std::int16_t hWndDisplay() const { return hWndDisplay_; }
  void setHWndDisplay(std::int16_t v);
  std::int32_t length();
  std::int32_t mode();
  const std::string &notifyMessage() const { return notifyMessage_; }
  std::int32_t position();
  bool silent() const { return silent_; }
  void setSilent(bool v);
  std::int32_t start();
  std::int32_t track() const { return track_; }
  void setTrack(std::int32_t v) { track_ = v; }
  std::int32_t trackLength();
  std::int32_t trackPosition();
  std::int32_t tracks();
  std::int16_t updateInterval() const { return updateInterval_; }
  void setUpdateInterval(std::int16_t v);
  bool usesWindows();
  std::int32_t samplingRate() const { return samplingRate_; }
  std::int32_t tempo() const { return tempo_; }
  void setTempo(std::int32_t v);
  std::int16_t deviceID();
  std::int16_t bitsPerSample() const { return bitsPerSample_; }
  std::int16_t channels() const { return channels_; }
  std::int16_t bevelWidth() const { return bevelWidth_; }
  void setBevelWidth(std::int16_t v);
  bool enabled() const { return enabled_; }
  void setEnabled(bool v);
  void aboutBox() { host_.aboutBox(); }

  // MM_MCINOTIFY arrived with this notification code.
  void onMciNotify(std::uintptr_t code);
  // Tick of timer 1.
  void onTimer();

  const ButtonStates &buttons() const { return buttons_; }
  // The bar presses and releases buttons (their up flags).
  ButtonStates &buttons() { return buttons_; }
  const std::string &alias() const { return alias_; }
  bool isSequencer() const { return isSequencer_; }
  bool isCdAudio() const { return isCdAudio_; }
  // The alias counter shared by every instance in this library.
  static long aliasCounter();

private:
  // Sends one string; the reply (up to 29 characters) goes to *reply, empty
  // when the command fails.
  mci::MCIERROR send(const std::string &command, std::string *reply = nullptr);
  std::string query(const std::string &command);
  std::int32_t queryNumber(const std::string &command);
  void setError(mci::MCIERROR e) { error_ = static_cast<std::int16_t>(e); }

  std::string notifyToken();
  std::string waitToken(bool commandDefault);
  std::string fromToken();
  std::string toToken();
  void setBarState(BarState s);

  void doOpen();
  void doClose();
  void doPlay();
  void doPause();
  mci::MCIERROR doSimple(const std::string &head, bool waitDefault);
  void doTrackSeek(bool next);
  void doRecord();
  void doRepaint();

  mci::Api &api_;
  CtrlHost &host_;
  win::HWND window_ = 0;

  std::string deviceType_, fileName_, timeFormat_;
  bool notify_ = false, wait_ = false, shareable_ = false;
  std::int32_t from_ = 0, to_ = 0;
  std::int16_t notifyValue_ = 0;
  std::int32_t frames_ = 1;
  std::int16_t error_ = 0;
  std::string command_;
  std::int16_t recordMode_ = 0;
  Capabilities caps_;
  std::int16_t hWndDisplay_ = 0;
  std::string notifyMessage_;
  bool silent_ = false;
  std::int32_t track_ = 0;
  std::int16_t updateInterval_ = 0;
  std::int32_t samplingRate_ = 0, tempo_ = 0;
  std::int16_t bitsPerSample_ = 0, channels_ = 0;
  std::int16_t bevelWidth_ = 2;
  bool enabled_ = true;
  std::string alias_;
  bool notifyUsed_ = true, waitUsed_ = true, fromUsed_ = true, toUsed_ = true;
  bool isSequencer_ = false, isCdAudio_ = false;
  ButtonStates buttons_{};
};

// Text of a notification code.
std::string_view notifyMessageText(std::uintptr_t code);
// The control's own text for an error number of 513 and above.
std::string_view ownErrorText(int error);

} // namespace dorrin::zelomm
