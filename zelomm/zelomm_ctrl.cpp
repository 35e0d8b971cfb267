#include "zelomm/zelomm_ctrl.h"

#include "platform/mci/system.h"
#include "zelomm/zelomm_ids.h"

#include <algorithm>
#include <climits>

namespace dorrin::zelomm {
namespace {

// One counter per loaded library, shared by every instance: each OPEN takes
// the next value as its alias.
long Alias_Counter = 0;

// Replies are read into a buffer of this size.
constexpr unsigned kReplyBuffer = 30;

std::string upper(std::string_view s) {
  std::string out(s);
  for (char &c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

// Decimal text to integer: leading blanks, a sign, the leading digits; 0 when none.
std::int32_t leadingNumber(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
    ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  long long v = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    v = v * 10 + (s[i] - '0');
    if (v > INT_MAX) v = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) v = -v;
  return static_cast<std::int32_t>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

} // namespace

std::string shortPathName(std::string_view fileName) {
  return mci::resolveElement(std::string(fileName));
}

std::string_view notifyMessageText(std::uintptr_t code) {
  switch (code) {
  case mci::MCI_NOTIFY_SUCCESSFUL:
    return "Command completed successfully.";
  case mci::MCI_NOTIFY_SUPERSEDED:
    return "Command was superseded by another command.";
  case mci::MCI_NOTIFY_ABORTED:
    return "Command was aborted.";
  case mci::MCI_NOTIFY_FAILURE:
    return "Command failed.";
  default:
    return "Unknown notification code.";
  }
}

std::string_view ownErrorText(int error) {
  switch (error) {
  case 514:
    return "No open sound session.";
  case 515:
    return "Invalid range.";
  case 516:
    return "Too many open sound sessions.";
  case 517:
    return "Cannot open the sound file.";
  case 518:
    return "Cannot determine file size.";
  case 519:
    return "Not enough memory.";
  case 520:
    return "Cannot allocate memory.";
  case 521:
    return "Cannot lock memory.";
  case 522:
    return "Cannot read the sound file.";
  case 524:
    return "Cannot create swap file for WAV buffer.";
  case 525:
    return "No WAV buffer.";
  case 526:
    return "Cannot access the clipboard.";
  case 527:
    return "Clipboard is empty.";
  case 528:
    return "The PC Speaker device supports only 8-bit/mono WAV files.";
  default:
    return "Unknown error.";
  }
}

CZelommCtrl::CZelommCtrl(mci::Api &api, CtrlHost &host) : api_(api), host_(host) {}

CZelommCtrl::~CZelommCtrl() {
  send("close " + alias_ + " wait");
}

long CZelommCtrl::aliasCounter() {
  return Alias_Counter;
}

void CZelommCtrl::windowCreated() {
  host_.setTimer(updateInterval_);
}

mci::MCIERROR CZelommCtrl::send(const std::string &command, std::string *reply) {
  char buffer[kReplyBuffer] = {};
  const mci::MCIERROR r = api_.sendString(command.c_str(), buffer, kReplyBuffer, window_);
  if (reply) {
    buffer[kReplyBuffer - 1] = 0;
    *reply = r == 0 ? std::string(buffer) : std::string();
  }
  return r;
}

std::string CZelommCtrl::query(const std::string &command) {
  std::string reply;
  send(command, &reply);
  return reply;
}

std::int32_t CZelommCtrl::queryNumber(const std::string &command) {
  return leadingNumber(query(command));
}

// Options: each one set since the last command that used it applies once;
// otherwise the command's default applies.
std::string CZelommCtrl::notifyToken() {
  std::string t = notify_ && !notifyUsed_ ? "notify" : "";
  notifyUsed_ = true;
  return t;
}

std::string CZelommCtrl::waitToken(bool commandDefault) {
  const bool on = waitUsed_ ? commandDefault : wait_;
  waitUsed_ = true;
  return on ? "wait" : "";
}

std::string CZelommCtrl::fromToken() {
  std::string t = fromUsed_ ? "" : "from " + std::to_string(from_);
  fromUsed_ = true;
  return t;
}

std::string CZelommCtrl::toToken() {
  std::string t = toUsed_ ? "" : "to " + std::to_string(to_);
  toUsed_ = true;
  return t;
}

void CZelommCtrl::setBarState(BarState s) {
  applyBarState(buttons_, s, caps_);
  host_.repaint();
}

// ---- properties ----

void CZelommCtrl::setDeviceType(std::string_view v) {
  deviceType_ = upper(v);
  isSequencer_ = deviceType_ == "SEQUENCER";
  isCdAudio_ = deviceType_ == "CDAUDIO";
  if (host_.designMode()) host_.setModified();
}

void CZelommCtrl::setFileName(std::string_view v) {
  fileName_ = v;
  if (host_.designMode()) host_.setModified();
}

void CZelommCtrl::setTimeFormat(std::string_view v) {
  timeFormat_ = v;
  send("set " + alias_ + " time format " + timeFormat_ + " wait");
  timeFormat_ = query("status " + alias_ + " time format wait");
}

void CZelommCtrl::setNotify(bool v) {
  notify_ = v;
  notifyUsed_ = false;
}
void CZelommCtrl::setWait(bool v) {
  wait_ = v;
  waitUsed_ = false;
}
void CZelommCtrl::setFrom(std::int32_t v) {
  from_ = v;
  fromUsed_ = false;
}
void CZelommCtrl::setTo(std::int32_t v) {
  to_ = v;
  toUsed_ = false;
}

void CZelommCtrl::setCommand(std::string_view word) {
  command_ = upper(word);
  const std::string &w = command_;
  if (w == "OPEN")
    doOpen();
  else if (w == "CLOSE")
    doClose();
  else if (w == "PLAY")
    doPlay();
  else if (w == "PAUSE")
    doPause();
  else if (w == "STOP") {
    if (doSimple("stop " + alias_, true) == 0) setBarState(BarState::Stopped);
  } else if (w == "BACK")
    doSimple("step " + alias_ + " by " + std::to_string(frames_) + " reverse", true);
  else if (w == "STEP")
    doSimple("step " + alias_ + " by " + std::to_string(frames_), true);
  else if (w == "PREV")
    doTrackSeek(false);
  else if (w == "NEXT")
    doTrackSeek(true);
  else if (w == "SEEK")
    doSimple("seek " + alias_ + " " + toToken(), true);
  else if (w == "RECORD")
    doRecord();
  else if (w == "EJECT")
    doSimple("set " + alias_ + " door open", true);
  else if (w == "CLOSEDOOR")
    doSimple("set " + alias_ + " door closed", true);
  else if (w == "SOUND")
    doSimple("sound " + fileName_, false);
  else if (w == "SAVE") {
    notifyToken();
    waitToken(true);
    setError(send("save " + alias_ + " wait"));
  } else if (w == "REPAINT")
    doRepaint();
  else if (w == "DELETE") {
    const std::string f = fromToken(), t = toToken();
    doSimple("delete " + alias_ + " " + f + " " + t, true);
  } else
    setError(261); // unrecognised command
}

std::string CZelommCtrl::errorMessage() const {
  if (error_ < 513) {
    char text[301] = {};
    api_.getErrorString(static_cast<mci::MCIERROR>(error_), text, sizeof text);
    text[300] = 0;
    // A number the media layer has no text for still gets one.
    if (!text[0] && error_ != 0) return std::string(ownErrorText(error_));
    return text;
  }
  return std::string(ownErrorText(error_));
}

void CZelommCtrl::setHWndDisplay(std::int16_t v) {
  hWndDisplay_ = v;
  send("window " + alias_ + " handle " + std::to_string(hWndDisplay_) + " wait");
}

std::int32_t CZelommCtrl::length() {
  if (upper(timeFormat_) == "TMSF")
    return queryNumber("status " + alias_ + " number of tracks wait");
  return queryNumber("status " + alias_ + " length wait");
}

std::int32_t CZelommCtrl::mode() {
  const std::string m = query("status " + alias_ + " mode wait");
  if (m == "not ready") return 524;
  if (m == "stopped") return 525;
  if (m == "playing") return 526;
  if (m == "recording") return 527;
  if (m == "seeking") return 528;
  if (m == "paused") return 529;
  if (m == "open") return 530;
  return 0;
}

std::int32_t CZelommCtrl::position() {
  const std::string m = query("status " + alias_ + " mode wait");
  if (m == "not ready" || m == "open") return 0;
  return queryNumber("status " + alias_ + " position wait");
}

void CZelommCtrl::setSilent(bool v) {
  silent_ = v;
  send("set " + alias_ + (silent_ ? " audio all off wait" : " audio all on wait"));
}

std::int32_t CZelommCtrl::start() {
  return queryNumber("status " + alias_ + " start position wait");
}
std::int32_t CZelommCtrl::tracks() {
  return queryNumber("status " + alias_ + " number of tracks wait");
}
std::int32_t CZelommCtrl::trackLength() {
  return queryNumber("status " + alias_ + " length track " + std::to_string(track_) + " wait");
}
std::int32_t CZelommCtrl::trackPosition() {
  return queryNumber("status " + alias_ + " position track " + std::to_string(track_) + " wait");
}

void CZelommCtrl::setUpdateInterval(std::int16_t v) {
  updateInterval_ = v;
  host_.setTimer(v);
  if (host_.designMode()) host_.setModified();
}

bool CZelommCtrl::usesWindows() {
  std::string reply;
  return send("status " + alias_ + " window handle wait", &reply) == 0;
}

void CZelommCtrl::setTempo(std::int32_t v) {
  tempo_ = v;
  setError(send("set " + alias_ + " tempo " + std::to_string(tempo_) + " wait"));
}

std::int16_t CZelommCtrl::deviceID() {
  return static_cast<std::int16_t>(api_.getDeviceID(alias_.c_str()));
}

void CZelommCtrl::setBevelWidth(std::int16_t v) {
  if (host_.designMode()) host_.setModified();
  bevelWidth_ = std::clamp<std::int16_t>(v, 0, 10);
  host_.repaint();
}

void CZelommCtrl::setEnabled(bool v) {
  enabled_ = v;
  if (host_.designMode()) host_.setModified();
  host_.repaint();
}

// ---- notifications and timer ----

void CZelommCtrl::onMciNotify(std::uintptr_t code) {
  setBarState(BarState::Stopped);
  notifyValue_ = static_cast<std::int16_t>(code);
  notifyMessage_ = notifyMessageText(code);
  host_.fireEvent(eventidDone);
}

void CZelommCtrl::onTimer() {
  host_.fireEvent(eventidStatusUpdate);
}

// ---- commands ----

void CZelommCtrl::doOpen() {
  setBarState(BarState::AllDisabled);
  send("close " + alias_ + " wait"); // the previous device; an error is ignored
  alias_ = std::to_string(++Alias_Counter);
  const std::string n = notifyToken(), w = waitToken(true);
  const std::string s = shareable_ ? "shareable" : "";
  std::string element = shortPathName(fileName_);
  // A path with blanks has no blank-free short form here; quote it instead.
  if (element.find_first_of(" \t") != std::string::npos) element = '"' + element + '"';
  const std::string tail = " alias " + alias_ + " " + s;
  mci::MCIERROR r = send("open " + element + tail + " type " + deviceType_ + " " + n + " " + w);
  if (r == mci::MCIERR_UNRECOGNIZED_KEYWORD || r == mci::MCIERR_NO_ELEMENT_ALLOWED)
    r = send("open " + deviceType_ + tail + " " + n + " " + w);
  if (isCdAudio_ && r != 0) r = send("open cdaudio" + tail + " " + n + " " + w);
  setError(r);

  const std::string a = alias_;
  timeFormat_ = query("status " + a + " time format wait");
  tempo_ = queryNumber("status " + a + " tempo wait");
  send("window " + a + " handle " + std::to_string(hWndDisplay_) + " wait");
  send("set " + a + (silent_ ? " audio all off wait" : " audio all on wait"));
  samplingRate_ = queryNumber("status " + a + " samplespersec wait");
  bitsPerSample_ = static_cast<std::int16_t>(queryNumber("status " + a + " bitspersample wait"));
  channels_ = static_cast<std::int16_t>(queryNumber("status " + a + " channels wait"));

  if (r == 0) {
    caps_.canEject = query("capability " + a + " can eject wait") == "true";
    caps_.canPlay = query("capability " + a + " can play wait") == "true";
    caps_.canRecord = query("capability " + a + " can record wait") == "true";
    send("set " + a + " video off wait");
    caps_.canStep = send("step " + a + " by 0 wait") == 0;
    send("set " + a + " video on wait");
    setBarState(barStateForMode(query("status " + a + " mode wait")));
  } else {
    send("close " + a + " wait");
    setBarState(BarState::AllDisabled);
  }
}

void CZelommCtrl::doClose() {
  setBarState(BarState::AllDisabled);
  doSimple("close " + alias_, true);
}

// Sends «head notify wait» with the options; Error = its result.
mci::MCIERROR CZelommCtrl::doSimple(const std::string &head, bool waitDefault) {
  const std::string n = notifyToken(), w = waitToken(waitDefault);
  const mci::MCIERROR r = send(head + " " + n + " " + w);
  setError(r);
  return r;
}

void CZelommCtrl::doPlay() {
  const std::string f = fromToken(), t = toToken();
  notifyToken(); // consumed; play always asks for its notification
  const std::string w = waitToken(false);
  const std::string tempo = "set " + alias_ + " tempo " + std::to_string(tempo_) + " wait";
  if (isSequencer_ && w == "wait") send(tempo);
  const mci::MCIERROR r = send("play " + alias_ + " " + f + " " + t + " notify " + w);
  mci::MCIERROR last = r;
  if (isSequencer_) last = send(tempo);
  // A failed play stays the outcome even when the tempo that follows is accepted.
  setError(r != 0 ? r : last);
  if (r == 0) setBarState(BarState::Playing);
}

void CZelommCtrl::doPause() {
  const std::string m = query("status " + alias_ + " mode wait");
  if (m == "playing" || m == "recording") {
    const std::string n = notifyToken(), w = waitToken(true);
    const mci::MCIERROR r = send("pause " + alias_ + " " + n + " " + w);
    setError(r);
    if (r == 0) setBarState(BarState::Paused);
    return;
  }
  const std::string n = notifyToken(), w = waitToken(false);
  const mci::MCIERROR r = send("resume " + alias_ + " " + n + " " + w);
  if (r == mci::MCIERR_UNSUPPORTED_FUNCTION) { // the device cannot resume: play instead
    command_ = "PLAY";
    doPlay();
    return;
  }
  setError(r);
  if (r == 0) setBarState(BarState::Playing);
}

void CZelommCtrl::doTrackSeek(bool next) {
  notifyToken(); // consumed, not used
  waitToken(true);
  const std::string a = alias_;
  std::int32_t target;
  if (next) {
    const std::int32_t n = queryNumber("status " + a + " number of tracks wait");
    const std::int32_t c = queryNumber("status " + a + " current track wait");
    target = std::min(c + 1, n);
  } else {
    const std::int32_t c = queryNumber("status " + a + " current track wait");
    target = c >= 2 ? c - 1 : 1;
  }
  send("set " + a + " time format tmsf wait");
  const bool tmsf = query("status " + a + " time format wait") == "tmsf";
  const mci::MCIERROR r = send(tmsf ? "seek " + a + " to " + std::to_string(target) + " wait"
                                    : "seek " + a + (next ? " to end wait" : " to start wait"));
  send("set " + a + " time format " + timeFormat_ + " wait");
  setError(r);
}

void CZelommCtrl::doRecord() {
  const std::string f = fromToken(), t = toToken();
  notifyToken();
  const std::string w = waitToken(false);
  const std::string m = recordMode_ == 1 ? "overwrite" : "insert";
  const mci::MCIERROR r = send("record " + alias_ + " " + f + " " + t + " " + m + " notify " + w);
  setError(r);
  if (r == 0) setBarState(BarState::Playing);
}

void CZelommCtrl::doRepaint() {
  const std::string a = alias_;
  std::string m;
  mci::MCIERROR r = send("status " + a + " mode wait", &m);
  if (m != "playing") {
    const std::int32_t p = queryNumber("status " + a + " position wait");
    const std::string back = "step " + a + " by 1 reverse wait", fwd = "step " + a + " by 1 wait";
    send(p != 0 ? back : fwd);
    r = send(p != 0 ? fwd : back);
  }
  setError(r);
}

} // namespace dorrin::zelomm
