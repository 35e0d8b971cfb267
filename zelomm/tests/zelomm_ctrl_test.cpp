// The control's engine behind its dispatch interface, against a recording
// media interface: the exact strings each property and command word sends.
#include "platform/paths/data_folder.h"
#include "zelomm/dispatch.h"
#include "zelomm/tests/fake_mci.h"
#include "zelomm/zelomm_ctrl.h"
#include "zelomm/zelomm_ids.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace dorrin::zelomm {
namespace {

using com::Variant;
using test::FakeMci;

class RecordingHost : public CtrlHost {
public:
  bool design = false;
  int modified = 0;
  std::vector<int> timers;
  std::vector<com::DISPID> events;
  bool designMode() const override { return design; }
  void setModified() override { ++modified; }
  void setTimer(int ms) override { timers.push_back(ms); }
  void fireEvent(com::DISPID id) override { events.push_back(id); }
};

using Buttons = std::array<bool, kButtonCount>;
// With the default device below (can play and record, can step, cannot eject).
constexpr Buttons kStopped = {1, 1, 1, 0, 0, 1, 1, 1, 0};
constexpr Buttons kPlaying = {1, 1, 0, 1, 1, 0, 1, 1, 0};
constexpr Buttons kNone = {};

struct Step {
  enum Kind { Put, Get, Clear, Notify, ButtonsAre, EventsAre } kind;
  com::DISPID id = 0;
  Variant value{};
  Buttons buttons{};
  std::vector<com::DISPID> events{};
};
Step put(com::DISPID id, Variant v) {
  return {Step::Put, id, std::move(v)};
}
Step cmd(const char *word) {
  return put(dispidCommand, word);
}
Step get(com::DISPID id, Variant expected) {
  return {Step::Get, id, std::move(expected)};
}
Step clearSent() {
  return {Step::Clear};
}
Step notifyArrives(int code) {
  return {Step::Notify, code};
}
Step buttonsAre(Buttons b) {
  return {Step::ButtonsAre, 0, {}, b};
}
Step eventsAre(std::vector<com::DISPID> e) {
  return {Step::EventsAre, 0, {}, {}, std::move(e)};
}
Variant i2(int v) {
  return Variant(static_cast<std::int16_t>(v));
}
Variant i4(int v) {
  return Variant(static_cast<std::int32_t>(v));
}

struct Rule {
  std::string key;
  mci::MCIERROR result;
  std::string reply;
};

struct Case {
  const char *name;
  std::vector<Rule> rules;
  std::vector<Step> steps;
  // Strings sent; $1 and $2 are the first and second alias this case opens,
  // $D the data folder.
  std::vector<std::string> sent;
};

// The opening of a wave file in the data folder with the default device.
std::vector<Step> openWave() {
  return {put(dispidDeviceType, "waveaudio"), put(dispidFileName, "음1.wav"), cmd("open"),
          clearSent()};
}
std::vector<Step> operator+(std::vector<Step> a, const std::vector<Step> &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// What OPEN sends after the open string itself.
std::vector<std::string> afterOpen(const std::string &a) {
  return {"status " + a + " time format wait",   "status " + a + " tempo wait",
          "window " + a + " handle 0 wait",      "set " + a + " audio all on wait",
          "status " + a + " samplespersec wait", "status " + a + " bitspersample wait",
          "status " + a + " channels wait"};
}
std::vector<std::string> capabilities(const std::string &a) {
  return {"capability " + a + " can eject wait",
          "capability " + a + " can play wait",
          "capability " + a + " can record wait",
          "set " + a + " video off wait",
          "step " + a + " by 0 wait",
          "set " + a + " video on wait",
          "status " + a + " mode wait"};
}
std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string> &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
using S = std::vector<std::string>;

const Case kCases[] = {
    {"OrganiserSequenceOpensUnderAFreshAliasAndPlaysWithNotify",
     {},
     {put(dispidDeviceType, "waveaudio"), put(dispidFileName, "음1.wav"), cmd("open"),
      buttonsAre(kStopped), cmd("play"), get(dispidError, i2(0)),
      get(dispidDeviceType, "WAVEAUDIO"), get(dispidFileName, "음1.wav"),
      get(dispidTimeFormat, "milliseconds"), get(dispidSamplingRate, i4(11025)),
      get(dispidBitsPerSample, i2(16)), get(dispidChannels, i2(1)), get(dispidCanPlay, true),
      get(dispidCanRecord, true), get(dispidCanEject, false), get(dispidCanStep, true),
      buttonsAre(kPlaying)},
     S{"close  wait", "open $D/음1.wav alias $1  type WAVEAUDIO  wait"} + afterOpen("$1") +
         capabilities("$1") + S{"play $1   notify "}},

    {"RepeatingTheSequenceClosesTheOldAliasAndOpensTheNext",
     {},
     {put(dispidDeviceType, "waveaudio"), put(dispidFileName, "음1.wav"), cmd("open"), cmd("play"),
      clearSent(), put(dispidDeviceType, "waveaudio"), put(dispidFileName, "음1.wav"), cmd("open"),
      cmd("play")},
     S{"close $1 wait", "open $D/음1.wav alias $2  type WAVEAUDIO  wait"} + afterOpen("$2") +
         capabilities("$2") + S{"play $2   notify "}},

    {"MissingFileOpensAnEmptyElementAndClosesOnFailure",
     {{"open", 275, ""}},
     {put(dispidDeviceType, "waveaudio"), put(dispidFileName, "없는파일.wav"), cmd("open"),
      get(dispidError, i2(275)), buttonsAre(kNone)},
     S{"close  wait", "open  alias $1  type WAVEAUDIO  wait"} + afterOpen("$1") +
         S{"close $1 wait"}},

    {"ElementRefusedRetriesTheDeviceAlone",
     {{"open", 301, ""}, {"open", 0, ""}},
     {put(dispidDeviceType, "waveaudio"), put(dispidFileName, "음1.wav"), cmd("open"),
      get(dispidError, i2(0))},
     S{"close  wait", "open $D/음1.wav alias $1  type WAVEAUDIO  wait",
       "open WAVEAUDIO alias $1   wait"} +
         afterOpen("$1") + capabilities("$1")},

    {"CdAudioRetriesUnderItsOwnName",
     {{"open", 263, ""}, {"open", 0, ""}},
     {put(dispidDeviceType, "cdaudio"), cmd("open"), get(dispidError, i2(0))},
     S{"close  wait", "open  alias $1  type CDAUDIO  wait", "open cdaudio alias $1   wait"} +
         afterOpen("$1") + capabilities("$1")},

    {"ArmedOptionsAndShareableReachOpenOnce",
     {},
     {put(dispidShareable, true), put(dispidNotify, true), put(dispidWait, false),
      put(dispidDeviceType, "waveaudio"), put(dispidFileName, "음1.wav"), cmd("open"), cmd("stop")},
     S{"close  wait", "open $D/음1.wav alias $1 shareable type WAVEAUDIO notify "} +
         afterOpen("$1") + capabilities("$1") + S{"stop $1  wait"}},

    {"WaitBeforePlayAppliesOnce",
     {},
     openWave() + std::vector{put(dispidWait, true), cmd("play"), cmd("play"),
                              put(dispidWait, false), cmd("stop"), cmd("stop")},
     S{"play $1   notify wait", "play $1   notify ", "stop $1  ", "stop $1  wait"}},

    {"FromAndToAffectOnlyTheNextCommandThatUsesThem",
     {},
     openWave() + std::vector{put(dispidFrom, 1000), put(dispidTo, 2000), cmd("play"), cmd("play"),
                              put(dispidFrom, 500), cmd("stop"), cmd("play"), put(dispidFrom, 5),
                              put(dispidTo, 700), cmd("seek"), cmd("play")},
     S{"play $1 from 1000 to 2000 notify ", "play $1   notify ", "stop $1  wait",
       "play $1 from 500  notify ", "seek $1 to 700  wait", "play $1 from 5  notify "}},

    {"UnknownWordSendsNothing",
     {},
     openWave() +
         std::vector{cmd("rewind"), get(dispidError, i2(261)), cmd(""), get(dispidError, i2(261))},
     S{}},

    {"TmsfLengthIsTheNumberOfTracks",
     {{"status A time format wait", 0, "milliseconds"},
      {"status A time format wait", 0, "tmsf"},
      {"status A number of tracks wait", 0, "12"},
      {"status A length wait", 0, "1500"}},
     openWave() + std::vector{get(dispidLength, i4(1500)), put(dispidTimeFormat, "tmsf"),
                              get(dispidTimeFormat, "tmsf"), get(dispidLength, i4(12))},
     S{"status $1 length wait", "set $1 time format tmsf wait", "status $1 time format wait",
       "status $1 number of tracks wait"}},

    {"PauseTwicePausesThenResumes",
     {{"status A mode wait", 0, "stopped"},
      {"status A mode wait", 0, "playing"},
      {"status A mode wait", 0, "paused"}},
     openWave() + std::vector{cmd("play"), cmd("pause"), buttonsAre(kPlaying),
                              get(dispidError, i2(0)), cmd("pause"), buttonsAre(kPlaying)},
     S{"play $1   notify ", "status $1 mode wait", "pause $1  wait", "status $1 mode wait",
       "resume $1  "}},

    {"RefusedResumeBecomesPlay",
     {{"status A mode wait", 0, "stopped"},
      {"status A mode wait", 0, "playing"},
      {"status A mode wait", 0, "paused"},
      {"resume A  ", 274, ""}},
     openWave() + std::vector{cmd("play"), cmd("pause"), cmd("pause"), get(dispidError, i2(0)),
                              buttonsAre(kPlaying)},
     S{"play $1   notify ", "status $1 mode wait", "pause $1  wait", "status $1 mode wait",
       "resume $1  ", "play $1   notify "}},

    {"PrevSeeksThePreviousTrackInTmsf",
     {{"status A time format wait", 0, "milliseconds"},
      {"status A time format wait", 0, "tmsf"},
      {"status A current track wait", 0, "3"},
      {"seek A to 2 wait", 263, ""}},
     openWave() +
         std::vector{put(dispidNotify, true), cmd("prev"), get(dispidError, i2(263)), cmd("stop")},
     S{"status $1 current track wait", "set $1 time format tmsf wait", "status $1 time format wait",
       "seek $1 to 2 wait", "set $1 time format milliseconds wait", "stop $1  wait"}},

    {"PrevWithoutTracksSeeksToTheStart",
     {{"status A current track wait", 0, "1"}, {"set A time format tmsf wait", 274, ""}},
     openWave() + std::vector{cmd("prev"), get(dispidError, i2(0))},
     S{"status $1 current track wait", "set $1 time format tmsf wait", "status $1 time format wait",
       "seek $1 to start wait", "set $1 time format milliseconds wait"}},

    {"NextStopsAtTheLastTrackOrSeeksToTheEnd",
     {{"status A time format wait", 0, "milliseconds"},
      {"status A time format wait", 0, "tmsf"},
      {"status A time format wait", 0, "milliseconds"},
      {"status A number of tracks wait", 0, "5"},
      {"status A current track wait", 0, "5"}},
     openWave() + std::vector{cmd("next"), cmd("next")},
     S{"status $1 number of tracks wait", "status $1 current track wait",
       "set $1 time format tmsf wait", "status $1 time format wait", "seek $1 to 5 wait",
       "set $1 time format milliseconds wait", "status $1 number of tracks wait",
       "status $1 current track wait", "set $1 time format tmsf wait", "status $1 time format wait",
       "seek $1 to end wait", "set $1 time format milliseconds wait"}},

    {"RepaintStepsAwayFromTheEdgeAndBack",
     {{"status A position wait", 0, "0"},
      {"status A position wait", 0, "500"},
      {"step A by 1 reverse wait", 277, ""},
      {"status A mode wait", 0, "stopped"},
      {"status A mode wait", 0, "stopped"},
      {"status A mode wait", 0, "stopped"},
      {"status A mode wait", 0, "playing"}},
     openWave() + std::vector{put(dispidNotify, true), cmd("repaint"), get(dispidError, i2(277)),
                              cmd("repaint"), get(dispidError, i2(0)), cmd("repaint"), cmd("stop")},
     S{"status $1 mode wait", "status $1 position wait", "step $1 by 1 wait",
       "step $1 by 1 reverse wait", "status $1 mode wait", "status $1 position wait",
       "step $1 by 1 reverse wait", "step $1 by 1 wait", "status $1 mode wait",
       "stop $1 notify wait"}},

    {"SequencerSetsItsTempoAroundPlay",
     {{"status A tempo wait", 0, "120"}},
     std::vector{put(dispidDeviceType, "Sequencer"), put(dispidFileName, "음1.wav"), cmd("open"),
                 clearSent(), get(dispidTempo, i4(120)), put(dispidWait, true), cmd("play"),
                 cmd("play")},
     S{"set $1 tempo 120 wait", "play $1   notify wait", "set $1 tempo 120 wait",
       "play $1   notify ", "set $1 tempo 120 wait"}},

    {"EveryOtherWord",
     {},
     openWave() + std::vector{put(dispidFrames, 5), cmd("back"), cmd("step"), cmd("eject"),
                              cmd("closedoor"), cmd("sound"), put(dispidNotify, true), cmd("save"),
                              put(dispidFrom, 1), put(dispidTo, 2), cmd("delete"),
                              put(dispidRecordMode, i2(1)), cmd("record"), buttonsAre(kPlaying),
                              put(dispidRecordMode, i2(7)), get(dispidRecordMode, i2(0)),
                              cmd("Record"), cmd("close"), buttonsAre(kNone)},
     S{"step $1 by 5 reverse  wait", "step $1 by 5  wait", "set $1 door open  wait",
       "set $1 door closed  wait", "sound 음1.wav  ", "save $1 wait", "delete $1 from 1 to 2  wait",
       "record $1   overwrite notify ", "record $1   insert notify ", "close $1  wait"}},

    {"PropertiesThatTalkToTheDevice",
     {{"set A tempo 90 wait", 263, ""},
      {"status A mode wait", 0, "stopped"},
      {"status A mode wait", 0, "stopped"},
      {"status A mode wait", 0, "paused"},
      {"status A mode wait", 0, "not ready"},
      {"status A mode wait", 0, "open"},
      {"status A mode wait", 0, "seeking"},
      {"status A position wait", 0, "1234ms"},
      {"status A window handle wait", 263, ""},
      {"status A start position wait", 0, "7"},
      {"status A length track 3 wait", 0, "300"},
      {"status A position track 3 wait", 0, "-20"}},
     openWave() + std::vector{put(dispidHWndDisplay, i2(5)), put(dispidSilent, true),
                              put(dispidTempo, i4(90)), get(dispidError, i2(263)),
                              get(dispidMode, i4(525)), get(dispidMode, i4(529)),
                              get(dispidPosition, i4(0)), get(dispidPosition, i4(0)),
                              get(dispidPosition, i4(1234)), get(dispidUsesWindows, false),
                              get(dispidStart, i4(7)), put(dispidTrack, 3),
                              get(dispidTrackLength, i4(300)), get(dispidTrackPosition, i4(-20)),
                              put(dispidBevelWidth, i2(-3)), get(dispidBevelWidth, i2(0)),
                              put(dispidBevelWidth, i2(15)), get(dispidBevelWidth, i2(10))},
     S{"window $1 handle 5 wait", "set $1 audio all off wait", "set $1 tempo 90 wait",
       "status $1 mode wait", "status $1 mode wait", "status $1 mode wait", "status $1 mode wait",
       "status $1 mode wait", "status $1 position wait", "status $1 window handle wait",
       "status $1 start position wait", "status $1 length track 3 wait",
       "status $1 position track 3 wait"}},

    {"ClosedDeviceReportsZero",
     {{"status A mode wait", 263, ""},
      {"status A position wait", 263, ""},
      {"status A length wait", 263, ""}},
     {get(dispidMode, i4(0)), get(dispidPosition, i4(0)), get(dispidLength, i4(0))},
     S{"status  mode wait", "status  mode wait", "status  position wait", "status  length wait"}},

    {"NotificationStopsTheBarAndFiresDone",
     {},
     openWave() +
         std::vector{cmd("play"), notifyArrives(1), get(dispidNotifyValue, i2(1)),
                     get(dispidNotifyMessage, "Command completed successfully."),
                     buttonsAre(kStopped), eventsAre({eventidDone}), notifyArrives(4),
                     get(dispidNotifyMessage, "Command was aborted."), notifyArrives(2),
                     get(dispidNotifyMessage, "Command was superseded by another command."),
                     notifyArrives(8), get(dispidNotifyMessage, "Command failed."),
                     notifyArrives(16), get(dispidNotifyValue, i2(16)),
                     get(dispidNotifyMessage, "Unknown notification code.")},
     S{"play $1   notify "}},
};

std::string expand(std::string s, long base) {
  const std::pair<std::string, std::string> subs[] = {
      {"$1", std::to_string(base + 1)},
      {"$2", std::to_string(base + 2)},
      {"$D", QDir::cleanPath(paths::dataFolder()).toStdString()}};
  for (const auto &[from, to] : subs)
    for (auto pos = s.find(from); pos != std::string::npos; pos = s.find(from, pos + to.size()))
      s.replace(pos, from.size(), to);
  return s;
}

void defaultDevice(FakeMci &mci, const std::vector<Rule> &rules) {
  const Rule defaults[] = {
      {"status A time format wait", 0, "milliseconds"}, {"status A samplespersec wait", 0, "11025"},
      {"status A bitspersample wait", 0, "16"},         {"status A channels wait", 0, "1"},
      {"capability A can play wait", 0, "true"},        {"capability A can record wait", 0, "true"},
      {"capability A can eject wait", 0, "false"},      {"status A mode wait", 0, "stopped"}};
  for (const Rule &d : defaults) {
    const bool overridden =
        std::any_of(rules.begin(), rules.end(), [&](const Rule &r) { return r.key == d.key; });
    if (!overridden) mci.on(d.key, d.result, d.reply);
  }
  for (const Rule &r : rules)
    mci.on(r.key, r.result, r.reply);
}

class EngineCase : public ::testing::TestWithParam<Case> {
protected:
  static void SetUpTestSuite() {
    QDir().mkpath(paths::dataFolder());
    QFile f(QDir(paths::dataFolder()).filePath("음1.wav"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("RIFF");
  }
};

TEST_P(EngineCase, SendsExactly) {
  const Case &c = GetParam();
  FakeMci mci;
  defaultDevice(mci, c.rules);
  RecordingHost host;
  CZelommCtrl ctrl(mci, host);
  const long base = CZelommCtrl::aliasCounter();
  int n = 0;
  for (const Step &s : c.steps) {
    SCOPED_TRACE("step " + std::to_string(++n));
    com::DispParams p;
    com::ExcepInfo ei;
    switch (s.kind) {
    case Step::Put:
      p.args = {s.value};
      EXPECT_EQ(invoke(ctrl, false, s.id, com::DISPATCH_PROPERTYPUT, p, nullptr, &ei, nullptr),
                com::S_OK)
          << ei.description;
      break;
    case Step::Get: {
      Variant r;
      EXPECT_EQ(invoke(ctrl, false, s.id, com::DISPATCH_PROPERTYGET, p, &r, &ei, nullptr),
                com::S_OK)
          << ei.description;
      EXPECT_EQ(r, s.value) << "member " << s.id << ": " << r.debugString() << " instead of "
                            << s.value.debugString();
      break;
    }
    case Step::Clear:
      mci.sent.clear();
      break;
    case Step::Notify:
      ctrl.onMciNotify(static_cast<std::uintptr_t>(s.id));
      break;
    case Step::ButtonsAre: {
      Buttons actual;
      for (int i = 0; i < kButtonCount; ++i)
        actual[i] = ctrl.buttons()[i].enabled;
      EXPECT_EQ(actual, s.buttons);
      break;
    }
    case Step::EventsAre:
      EXPECT_EQ(host.events, s.events);
      break;
    }
  }
  std::vector<std::string> expected;
  for (const auto &e : c.sent)
    expected.push_back(expand(e, base));
  EXPECT_EQ(mci.sent, expected);
}

INSTANTIATE_TEST_SUITE_P(Zelomm, EngineCase, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ZelommEngine, EveryStringCarriesTheCallbackWindowAndDestructionCloses) {
  FakeMci mci;
  RecordingHost host;
  long alias;
  {
    CZelommCtrl ctrl(mci, host);
    ctrl.setCallbackWindow(0x4242);
    ctrl.setDeviceType("waveaudio");
    ctrl.setCommand("open");
    alias = CZelommCtrl::aliasCounter();
    EXPECT_EQ(ctrl.alias(), std::to_string(alias));
    mci.deviceIds[ctrl.alias()] = 7;
    EXPECT_EQ(ctrl.deviceID(), 7);
  }
  EXPECT_EQ(mci.sent.back(), "close " + std::to_string(alias) + " wait");
  for (win::HWND h : mci.callbacks)
    EXPECT_EQ(h, 0x4242u);
}

TEST(ZelommEngine, InstancesShareOneAliasCounter) {
  FakeMci mci;
  RecordingHost host;
  CZelommCtrl a(mci, host), b(mci, host);
  a.setCommand("open");
  b.setCommand("open");
  a.setCommand("open");
  EXPECT_EQ(std::stol(b.alias()) + 1, std::stol(a.alias()));
  EXPECT_EQ(std::stol(a.alias()), CZelommCtrl::aliasCounter());
}

TEST(ZelommEngine, ErrorMessageUsesTheSystemTextBelow513AndItsOwnTableAbove) {
  const std::pair<int, const char *> table[] = {
      {0, "MCI error 0"},
      {263, "MCI error 263"},
      {512, "MCI error 512"},
      {513, "Unknown error."},
      {514, "No open sound session."},
      {515, "Invalid range."},
      {516, "Too many open sound sessions."},
      {517, "Cannot open the sound file."},
      {518, "Cannot determine file size."},
      {519, "Not enough memory."},
      {520, "Cannot allocate memory."},
      {521, "Cannot lock memory."},
      {522, "Cannot read the sound file."},
      {523, "Unknown error."},
      {524, "Cannot create swap file for WAV buffer."},
      {525, "No WAV buffer."},
      {526, "Cannot access the clipboard."},
      {527, "Clipboard is empty."},
      {528, "The PC Speaker device supports only 8-bit/mono WAV files."},
      {529, "Unknown error."},
  };
  for (const auto &[code, text] : table) {
    FakeMci mci;
    mci.on("set", static_cast<mci::MCIERROR>(code));
    RecordingHost host;
    CZelommCtrl ctrl(mci, host);
    ctrl.setTempo(1); // Error = the result of the tempo string
    EXPECT_EQ(ctrl.error(), code);
    EXPECT_EQ(ctrl.errorMessage(), text) << code;
  }
}

TEST(ZelommEngine, InitialStateAndDesignTimeChanges) {
  FakeMci mci;
  RecordingHost host;
  host.design = true;
  CZelommCtrl ctrl(mci, host);
  EXPECT_EQ(ctrl.frames(), 1);
  EXPECT_EQ(ctrl.bevelWidth(), 2);
  EXPECT_EQ(ctrl.updateInterval(), 0);
  EXPECT_EQ(ctrl.alias(), "");
  EXPECT_EQ(ctrl.command(), "");
  for (const ButtonState &b : ctrl.buttons())
    EXPECT_EQ(b, (ButtonState{false, true}));
  ctrl.windowCreated();
  ctrl.setDeviceType("cdaudio");
  EXPECT_TRUE(ctrl.isCdAudio());
  ctrl.setFileName("a.wav");
  ctrl.setUpdateInterval(250);
  ctrl.setUpdateInterval(0);
  ctrl.setBevelWidth(4);
  EXPECT_EQ(host.modified, 5);
  EXPECT_EQ(host.timers, (std::vector<int>{0, 250, 0}));
  ctrl.onTimer();
  EXPECT_EQ(host.events, (std::vector<com::DISPID>{eventidStatusUpdate}));
  EXPECT_TRUE(mci.sent.empty());
  host.design = false;
  ctrl.setDeviceType("sequencer");
  EXPECT_TRUE(ctrl.isSequencer());
  EXPECT_FALSE(ctrl.isCdAudio());
  EXPECT_EQ(host.modified, 5);
}

struct Access {
  com::DISPID id;
  bool put;
  bool design;
  com::HRESULT hr; // S_OK, or the error in the exception record
};

TEST(ZelommDispatch, RefusesWithTheNotSupportedErrors) {
  const Access table[] = {
      {dispidDeviceType, false, true, com::S_OK},
      {dispidDeviceType, true, true, com::S_OK},
      {dispidUpdateInterval, false, true, com::S_OK},
      {dispidBevelWidth, false, true, com::S_OK},
      {dispidTimeFormat, false, true, com::CTL_E_GETNOTSUPPORTED},
      {dispidTimeFormat, false, false, com::S_OK},
      {dispidShareable, true, true, com::CTL_E_SETNOTSUPPORTED},
      {dispidShareable, true, false, com::S_OK},
      {dispidError, false, true, com::CTL_E_GETNOTSUPPORTED},
      {dispidError, true, false, com::CTL_E_SETNOTSUPPORTED},
      {dispidNotifyValue, true, false, com::CTL_E_SETNOTSUPPORTED},
      {dispidCommand, false, false, com::CTL_E_GETNOTSUPPORTED},
      {com::DISPID_VALUE, false, false, com::CTL_E_GETNOTSUPPORTED},
      {dispidLength, false, true, com::CTL_E_GETNOTSUPPORTED},
      {dispidTempo, true, true, com::CTL_E_SETNOTSUPPORTED},
      {com::DISPID_HWND, false, true, com::S_OK},
      {com::DISPID_ENABLED, true, true, com::S_OK},
  };
  for (const Access &a : table) {
    FakeMci mci;
    RecordingHost host;
    CZelommCtrl ctrl(mci, host);
    mci.sent.clear();
    com::DispParams p;
    if (a.put) p.args = {a.id == dispidDeviceType ? Variant("x") : Variant(std::int16_t{1})};
    com::ExcepInfo ei;
    Variant r;
    const auto hr =
        invoke(ctrl, a.design, a.id, a.put ? com::DISPATCH_PROPERTYPUT : com::DISPATCH_PROPERTYGET,
               p, &r, &ei, nullptr);
    const std::string what = std::to_string(a.id) + (a.put ? " put" : " get") +
                             (a.design ? " in design mode" : " at run time");
    if (a.hr == com::S_OK) {
      EXPECT_EQ(hr, com::S_OK) << what;
    } else {
      EXPECT_EQ(hr, com::DISP_E_EXCEPTION) << what;
      EXPECT_EQ(ei.scode, a.hr) << what;
      EXPECT_FALSE(ei.description.empty()) << what;
      EXPECT_TRUE(mci.sent.empty()) << what; // a refused access does nothing
    }
  }
}

TEST(ZelommDispatch, CommandIsTheDefaultMemberAndArgumentsAreChecked) {
  FakeMci mci;
  RecordingHost host;
  CZelommCtrl ctrl(mci, host);
  com::DispParams p{{Variant("open")}};
  EXPECT_EQ(invoke(ctrl, false, com::DISPID_VALUE, com::DISPATCH_PROPERTYPUT, p, nullptr, nullptr,
                   nullptr),
            com::S_OK);
  EXPECT_EQ(ctrl.command(), "OPEN");

  p.args = {Variant("soon")};
  unsigned argErr = 99;
  EXPECT_EQ(
      invoke(ctrl, false, dispidFrom, com::DISPATCH_PROPERTYPUT, p, nullptr, nullptr, &argErr),
      com::DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr, 0u);
  p.args = {Variant(std::int32_t{70000})};
  EXPECT_EQ(invoke(ctrl, false, dispidBevelWidth, com::DISPATCH_PROPERTYPUT, p, nullptr, nullptr,
                   nullptr),
            com::DISP_E_OVERFLOW);
  p.args = {Variant("1000")}; // text converts to the member's type
  EXPECT_EQ(
      invoke(ctrl, false, dispidFrom, com::DISPATCH_PROPERTYPUT, p, nullptr, nullptr, nullptr),
      com::S_OK);
  EXPECT_EQ(ctrl.from(), 1000);
  p.args = {};
  EXPECT_EQ(
      invoke(ctrl, false, dispidFrom, com::DISPATCH_PROPERTYPUT, p, nullptr, nullptr, nullptr),
      com::DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(invoke(ctrl, false, 38, com::DISPATCH_PROPERTYGET, p, nullptr, nullptr, nullptr),
            com::DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(invoke(ctrl, false, com::DISPID_HWND, com::DISPATCH_PROPERTYPUT, p, nullptr, nullptr,
                   nullptr),
            com::DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(
      invoke(ctrl, true, com::DISPID_ABOUTBOX, com::DISPATCH_METHOD, p, nullptr, nullptr, nullptr),
      com::S_OK);

  const std::string names[] = {"devicetype", "COMMAND", "hwnd", "AboutBox", "Rewind"};
  com::DISPID ids[5];
  EXPECT_EQ(getIDsOfNames(names, 5, ids), com::DISP_E_UNKNOWNNAME);
  EXPECT_EQ(std::vector<com::DISPID>(ids, ids + 5),
            (std::vector<com::DISPID>{1, 12, com::DISPID_HWND, com::DISPID_ABOUTBOX,
                                      com::DISPID_UNKNOWN}));
}

TEST(ZelommEngine, ShortPathResolvesOrGivesNothing) {
  QDir().mkpath(paths::dataFolder());
  QFile f(QDir(paths::dataFolder()).filePath("a b.wav"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  const std::string data = QDir::cleanPath(paths::dataFolder()).toStdString();
  EXPECT_EQ(shortPathName("a b.wav"), data + "/a b.wav");
  EXPECT_EQ(shortPathName("c:\\Program Files\\Tessivo\\Dorrin\\a b.wav"), data + "/a b.wav");
  EXPECT_EQ(shortPathName(data + "/a b.wav"), data + "/a b.wav");
  EXPECT_EQ(shortPathName("none.wav"), "");
  EXPECT_EQ(shortPathName(""), "");

  // The path of such a name is quoted in the open string.
  FakeMci mci;
  RecordingHost host;
  CZelommCtrl ctrl(mci, host);
  ctrl.setDeviceType("waveaudio");
  ctrl.setFileName("a b.wav");
  ctrl.setCommand("open");
  EXPECT_EQ(mci.sent.at(1),
            "open \"" + data + "/a b.wav\" alias " + ctrl.alias() + "  type WAVEAUDIO  wait");
}

} // namespace
} // namespace dorrin::zelomm
