#include "platform/mci/command.h"
#include "platform/mci/tests/mci_fixture.h"

#include <cstring>
#include <functional>
#include <set>

using namespace dorrin::mci;
using dorrin::mci::test::MciTest;
using dorrin::mci::test::pump;
namespace win = dorrin::win;

TEST(Tokenize, SplitsOnRunsOfBlanksAndKeepsQuotedNames) {
  struct Case {
    const char *text;
    MCIERROR error;
    std::vector<std::string> words;
  } cases[] = {
      {"play 1   notify ", 0, {"play", "1", "notify"}}, // the control's empty tokens
      {"close  wait", 0, {"close", "wait"}},
      {"\t open  waveaudio\talias 3 ", 0, {"open", "waveaudio", "alias", "3"}},
      {"open \"/a dir/with space.wav\" alias x",
       0,
       {"open", "/a dir/with space.wav", "alias", "x"}},
      {"open \"\" alias x", 0, {"open", "", "alias", "x"}},
      {"", 0, {}},
      {"open \"/no/end.wav alias x", MCIERR_NO_CLOSING_QUOTE, {}},
  };
  for (const auto &c : cases) {
    std::vector<std::string> words;
    EXPECT_EQ(tokenize(c.text, words), c.error) << c.text;
    if (!c.error) {
      EXPECT_EQ(words, c.words) << c.text;
    }
  }
}

TEST(ParseArguments, ReadsTheKeywordsOfEachCommand) {
  struct Case {
    Verb verb;
    const char *text; // the words after the device name
    MCIERROR error;
    std::function<bool(const Arguments &)> check;
  } cases[] = {
      {Verb::Open, "alias 1  type WAVEAUDIO  wait", 0,
       [](auto &a) { return a.alias == "1" && a.type == "WAVEAUDIO" && a.wait && !a.notify; }},
      {Verb::Open, "ALIAS x SHAREABLE Notify", 0,
       [](auto &a) { return a.alias == "x" && a.shareable && a.notify; }},
      {Verb::Open, "alias", MCIERR_MISSING_STRING_ARGUMENT, {}},
      {Verb::Open, "alias a alias b", MCIERR_DUPLICATE_FLAGS, {}},
      {Verb::Open, "1 type waveaudio", MCIERR_UNRECOGNIZED_KEYWORD, {}},
      {Verb::Play, "from 1000 to 2000 notify wait", 0,
       [](auto &a) { return a.from == 1000u && a.to == 2000u && a.notify && a.wait; }},
      {Verb::Play, "", 0, [](auto &a) { return !a.from && !a.to && !a.notify && !a.wait; }},
      {Verb::Play, "from", MCIERR_MISSING_PARAMETER, {}},
      {Verb::Play, "from -5", MCIERR_BAD_INTEGER, {}},
      {Verb::Play, "to 4294967296", MCIERR_BAD_INTEGER, {}},
      {Verb::Play, "notify notify", MCIERR_DUPLICATE_FLAGS, {}},
      {Verb::Play, "repeat", MCIERR_UNRECOGNIZED_KEYWORD, {}},
      {Verb::Seek, "to start notify wait", 0,
       [](auto &a) { return a.seek == SeekTarget::Start && a.notify; }},
      {Verb::Seek, "to end", 0, [](auto &a) { return a.seek == SeekTarget::End; }},
      {Verb::Seek, "to 1500", 0,
       [](auto &a) { return a.seek == SeekTarget::Position && a.seekTo == 1500u; }},
      {Verb::Seek, " notify wait", MCIERR_MISSING_PARAMETER, {}},
      {Verb::Seek, "to start to end", MCIERR_DUPLICATE_FLAGS, {}},
      {Verb::Step, "by 3 reverse notify wait", 0,
       [](auto &a) { return a.by == 3u && a.reverse && a.notify && a.wait; }},
      {Verb::Status, "number of tracks wait", 0,
       [](auto &a) { return a.item == "number of tracks" && a.wait; }},
      {Verb::Status, "start position", 0, [](auto &a) { return a.item == "start position"; }},
      {Verb::Status, "length track 2 wait", 0,
       [](auto &a) { return a.item == "length" && a.track == 2u; }},
      {Verb::Status, "position track 1", 0,
       [](auto &a) { return a.item == "position" && a.track == 1u; }},
      {Verb::Status, "window handle wait", 0, [](auto &a) { return a.item == "window handle"; }},
      {Verb::Status, "TIME FORMAT", 0, [](auto &a) { return a.item == "time format"; }},
      {Verb::Status, "wait", MCIERR_MISSING_PARAMETER, {}},
      {Verb::Status, "colour", MCIERR_UNRECOGNIZED_KEYWORD, {}},
      {Verb::Status, "mode position", MCIERR_FLAGS_NOT_COMPATIBLE, {}},
      {Verb::Set, "time format ms wait", 0,
       [](auto &a) { return a.timeFormat == "milliseconds" && a.wait; }},
      {Verb::Set, "time format smpte 30 drop", 0,
       [](auto &a) { return a.timeFormat == "smpte 30 drop"; }},
      {Verb::Set, "time format tmsf wait", 0, [](auto &a) { return a.timeFormat == "tmsf"; }},
      {Verb::Set, "time format weeks", MCIERR_BAD_CONSTANT, {}},
      {Verb::Set, "time format", MCIERR_MISSING_PARAMETER, {}},
      {Verb::Set, "audio all off wait", 0,
       [](auto &a) { return a.audioChannel == "all" && a.audioOn == false; }},
      {Verb::Set, "audio left on", 0,
       [](auto &a) { return a.audioChannel == "left" && a.audioOn == true; }},
      {Verb::Set, "audio all", MCIERR_MISSING_PARAMETER, {}},
      {Verb::Set, "door open notify wait", 0, [](auto &a) { return a.doorOpen == true; }},
      {Verb::Set, "door closed", 0, [](auto &a) { return a.doorOpen == false; }},
      {Verb::Set, "tempo 120 wait", 0, [](auto &a) { return a.tempo == 120u; }},
      {Verb::Set, "video off wait", 0, [](auto &a) { return a.videoOn == false; }},
      {Verb::Set, "time format ms audio all off", 0,
       [](auto &a) { return a.timeFormat == "milliseconds" && a.audioOn == false; }},
      {Verb::Set, "wait", MCIERR_MISSING_PARAMETER, {}},
      {Verb::Capability, "can eject wait", 0, [](auto &a) { return a.item == "can eject"; }},
      {Verb::Capability, "device type", 0, [](auto &a) { return a.item == "device type"; }},
      {Verb::Capability, "can fly", MCIERR_UNRECOGNIZED_KEYWORD, {}},
      {Verb::Record, "from 0 to 10 insert notify wait", 0,
       [](auto &a) { return a.insert && a.to == 10u; }},
      {Verb::Record, "insert overwrite", MCIERR_FLAGS_NOT_COMPATIBLE, {}},
      {Verb::Delete, "from 5 to 10 notify wait", 0,
       [](auto &a) { return a.from == 5u && a.to == 10u; }},
      {Verb::Window, "handle 1234 wait", 0, [](auto &a) { return a.handle == 1234u; }},
      {Verb::Window, "handle default", 0, [](auto &a) { return a.handle == 0u; }},
      {Verb::Save, "\"/x/y z.wav\" wait", 0, [](auto &a) { return a.file == "/x/y z.wav"; }},
      {Verb::Save, "a.wav b.wav", MCIERR_UNRECOGNIZED_KEYWORD, {}},
      {Verb::Close, "notify wait", 0, [](auto &a) { return a.notify && a.wait; }},
      {Verb::Pause, "from 1", MCIERR_UNRECOGNIZED_KEYWORD, {}},
  };
  for (const auto &c : cases) {
    std::vector<std::string> words;
    ASSERT_EQ(tokenize(c.text, words), 0u);
    Arguments a;
    EXPECT_EQ(parseArguments(c.verb, words, 0, a), c.error) << c.text;
    if (!c.error && c.check) {
      EXPECT_TRUE(c.check(a)) << c.text;
    }
  }
}

// Whole command strings against a device opened without a file.
TEST_F(MciTest, AnswersBadCommandsWithTheirErrorNumbers) {
  ASSERT_EQ(send("open waveaudio alias w"), 0u);
  struct Case {
    const char *command;
    MCIERROR error;
  } cases[] = {
      {"", MCIERR_MISSING_COMMAND_STRING},
      {"   ", MCIERR_MISSING_COMMAND_STRING},
      {"rewind w", MCIERR_UNRECOGNIZED_COMMAND},
      {"play", MCIERR_MISSING_DEVICE_NAME},
      {"play nosuch", MCIERR_INVALID_DEVICE_NAME},
      {"play nosuch bogus", MCIERR_INVALID_DEVICE_NAME}, // the device is looked up first
      {"close  wait", MCIERR_INVALID_DEVICE_NAME},       // the control's close with no alias yet
      {"play w bogus", MCIERR_UNRECOGNIZED_KEYWORD},
      {"play w from", MCIERR_MISSING_PARAMETER},
      {"play w from x", MCIERR_BAD_INTEGER},
      {"play w", MCIERR_FILENAME_REQUIRED}, // open without a file: nothing to play
      {"seek w", MCIERR_MISSING_PARAMETER},
      {"seek w to 10", MCIERR_OUTOFRANGE},
      {"status w", MCIERR_MISSING_PARAMETER},
      {"status w length track 2", MCIERR_OUTOFRANGE},
      {"status w tempo wait", MCIERR_UNSUPPORTED_FUNCTION},
      {"status w window handle wait", MCIERR_UNSUPPORTED_FUNCTION},
      {"set w time format tmsf wait", MCIERR_BAD_TIME_FORMAT},
      {"set w door open wait", MCIERR_UNSUPPORTED_FUNCTION},
      {"set w tempo 100 wait", MCIERR_UNSUPPORTED_FUNCTION},
      {"set w video off wait", MCIERR_UNSUPPORTED_FUNCTION},
      {"capability w can stretch", MCIERR_UNSUPPORTED_FUNCTION},
      {"record w  insert notify wait", MCIERR_UNSUPPORTED_FUNCTION},
      {"step w by 0 wait", MCIERR_UNSUPPORTED_FUNCTION},
      {"window w handle 0 wait", MCIERR_UNSUPPORTED_FUNCTION},
      {"cue w output", MCIERR_UNSUPPORTED_FUNCTION},
      {"save w wait", MCIERR_FILENAME_REQUIRED},
      {"play all", MCIERR_CANNOT_USE_ALL},
      {"stop all wait", 0},
      {"open waveaudio alias w", MCIERR_DUPLICATE_ALIAS},
      {"open waveaudio alias \"unclosed", MCIERR_NO_CLOSING_QUOTE},
      {"open sequencer alias s", MCIERR_CANNOT_LOAD_DRIVER},
      {"open cdaudio alias c wait", MCIERR_CANNOT_LOAD_DRIVER},
      {"open tune.mid alias t", MCIERR_CANNOT_LOAD_DRIVER},
      {"open film.avi", MCIERR_CANNOT_LOAD_DRIVER},
      {"open a.wav type mpegvideo", MCIERR_CANNOT_LOAD_DRIVER},
      {"open gizmo alias g", MCIERR_INVALID_DEVICE_NAME},
      {"open a.wav type gizmo", MCIERR_INVALID_DEVICE_NAME},
      {"open notes.xyz", MCIERR_EXTENSION_NOT_FOUND},
      {"open new type waveaudio", MCIERR_NEW_REQUIRES_ALIAS},
      {"open new", MCIERR_DEVICE_TYPE_REQUIRED},
      {"open nosuch.wav alias n", MCIERR_FILE_NOT_FOUND},
      // The control's open when the file has no short name: the empty element
      // leaves "alias" in the device place, and it then opens the bare device.
      {"open  alias 1  type WAVEAUDIO  wait", MCIERR_UNRECOGNIZED_KEYWORD},
      {"open WAVEAUDIO alias 1  wait", 0},
      {"sound", MCIERR_FILE_NOT_FOUND},
      {"sound nosuch notify wait", MCIERR_FILE_NOT_FOUND},
  };
  for (const auto &c : cases)
    EXPECT_EQ(send(c.command), c.error) << '"' << c.command << '"';
  pump();
  EXPECT_TRUE(notes.got.empty()); // failed commands send no notification
}

TEST_F(MciTest, DeviceIdsAliasesAndClose) {
  ASSERT_EQ(send("open waveaudio alias a"), 0u);
  ASSERT_EQ(send("open waveaudio!x.wav alias b"), MCIERR_FILE_NOT_FOUND);
  ASSERT_EQ(send("open new type waveaudio alias b"), 0u);
  EXPECT_EQ(send("open gizmo!x.wav alias g"), MCIERR_FILE_NOT_FOUND); // a "!" in a plain name
  EXPECT_EQ(mci.getDeviceID("a"), 1u);
  EXPECT_EQ(mci.getDeviceID("B"), 2u); // aliases ignore case
  EXPECT_EQ(mci.getDeviceID("c"), 0u);
  EXPECT_EQ(mci.getDeviceID("all"), MCI_ALL_DEVICE_ID);
  EXPECT_EQ(send("close a notify wait"), 0u);
  EXPECT_EQ(mci.getDeviceID("a"), 0u);
  ASSERT_EQ(send("open waveaudio alias c"), 0u);
  EXPECT_EQ(mci.getDeviceID("c"), 1u);   // the lowest free id again
  ASSERT_EQ(send("open waveaudio"), 0u); // the device name is the alias
  EXPECT_EQ(send("open waveaudio"), MCIERR_DEVICE_OPEN);
  EXPECT_EQ(send("close all notify"), 0u);
  EXPECT_EQ(mci.getDeviceID("b"), 0u);
  EXPECT_EQ(mci.getDeviceID("waveaudio"), 0u);
  pump();
  ASSERT_EQ(notes.got.size(), 2u);
  EXPECT_EQ(notes.got[0], std::make_pair(MCI_NOTIFY_SUCCESSFUL, win::LPARAM(1)));
  EXPECT_EQ(notes.got[1], std::make_pair(MCI_NOTIFY_SUCCESSFUL, win::LPARAM(MCI_ALL_DEVICE_ID)));
}

TEST_F(MciTest, RepliesFitTheBufferOrReportOverflow) {
  ASSERT_EQ(send("open waveaudio alias w"), 0u);
  char small[5] = "xxxx";
  EXPECT_EQ(mci.sendString("status w time format", small, sizeof small, 0), MCIERR_PARAM_OVERFLOW);
  EXPECT_STREQ(small, "mill");
  char buf[30];
  EXPECT_EQ(mci.sendString("status w time format wait", buf, sizeof buf, 0), 0u);
  EXPECT_STREQ(buf, "milliseconds");
  EXPECT_EQ(mci.sendString("play w", buf, sizeof buf, 0), MCIERR_FILENAME_REQUIRED);
  EXPECT_STREQ(buf, ""); // cleared even when nothing is replied
  EXPECT_EQ(mci.sendString("status w mode", nullptr, 0, 0), 0u);
  EXPECT_EQ(mci.sendString(nullptr, buf, sizeof buf, 0), MCIERR_MISSING_COMMAND_STRING);
}

TEST_F(MciTest, ErrorTextsForEveryNumberUsed) {
  // Every number the layer defines has its own text.
  const MCIERROR all[] = {MCIERR_INVALID_DEVICE_ID,
                          MCIERR_UNRECOGNIZED_KEYWORD,
                          MCIERR_UNRECOGNIZED_COMMAND,
                          MCIERR_HARDWARE,
                          MCIERR_INVALID_DEVICE_NAME,
                          MCIERR_OUT_OF_MEMORY,
                          MCIERR_DEVICE_OPEN,
                          MCIERR_CANNOT_LOAD_DRIVER,
                          MCIERR_MISSING_COMMAND_STRING,
                          MCIERR_PARAM_OVERFLOW,
                          MCIERR_MISSING_STRING_ARGUMENT,
                          MCIERR_BAD_INTEGER,
                          MCIERR_PARSER_INTERNAL,
                          MCIERR_DRIVER_INTERNAL,
                          MCIERR_MISSING_PARAMETER,
                          MCIERR_UNSUPPORTED_FUNCTION,
                          MCIERR_FILE_NOT_FOUND,
                          MCIERR_DEVICE_NOT_READY,
                          MCIERR_INTERNAL,
                          MCIERR_DRIVER,
                          MCIERR_CANNOT_USE_ALL,
                          MCIERR_MULTIPLE,
                          MCIERR_EXTENSION_NOT_FOUND,
                          MCIERR_OUTOFRANGE,
                          MCIERR_FLAGS_NOT_COMPATIBLE,
                          MCIERR_FILE_NOT_SAVED,
                          MCIERR_DEVICE_TYPE_REQUIRED,
                          MCIERR_DEVICE_LOCKED,
                          MCIERR_DUPLICATE_ALIAS,
                          MCIERR_BAD_CONSTANT,
                          MCIERR_MUST_USE_SHAREABLE,
                          MCIERR_MISSING_DEVICE_NAME,
                          MCIERR_BAD_TIME_FORMAT,
                          MCIERR_NO_CLOSING_QUOTE,
                          MCIERR_DUPLICATE_FLAGS,
                          MCIERR_INVALID_FILE,
                          MCIERR_NULL_PARAMETER_BLOCK,
                          MCIERR_UNNAMED_RESOURCE,
                          MCIERR_NEW_REQUIRES_ALIAS,
                          MCIERR_NOTIFY_ON_AUTO_OPEN,
                          MCIERR_NO_ELEMENT_ALLOWED,
                          MCIERR_NONAPPLICABLE_FUNCTION,
                          MCIERR_ILLEGAL_FOR_AUTO_OPEN,
                          MCIERR_FILENAME_REQUIRED,
                          MCIERR_EXTRA_CHARACTERS,
                          MCIERR_DEVICE_NOT_INSTALLED,
                          MCIERR_NO_INTEGER,
                          MCIERR_WAVE_OUTPUTSINUSE,
                          MCIERR_WAVE_INPUTSINUSE,
                          MCIERR_WAVE_OUTPUTUNSPECIFIED,
                          MCIERR_WAVE_OUTPUTSUNSUITABLE,
                          MCIERR_WAVE_INPUTSUNSUITABLE,
                          MCIERR_SEQ_NOMIDIPRESENT,
                          MCIERR_NO_WINDOW,
                          MCIERR_FILE_READ,
                          MCIERR_FILE_WRITE};
  std::set<std::string> texts;
  char text[300];
  for (MCIERROR e : all) {
    EXPECT_TRUE(mci.getErrorString(e, text, sizeof text)) << e;
    EXPECT_TRUE(texts.insert(text).second) << e << " shares its text: " << text;
  }
  EXPECT_TRUE(mci.getErrorString(0, text, sizeof text));
  EXPECT_STREQ(text, "The command was carried out.");
  EXPECT_TRUE(mci.getErrorString(MCIERR_FILE_NOT_FOUND, text, sizeof text));
  EXPECT_STREQ(text, "The file cannot be found.");
  EXPECT_FALSE(mci.getErrorString(258, text, sizeof text)); // no such number
  EXPECT_STREQ(text, "");
  EXPECT_FALSE(mci.getErrorString(9999, text, sizeof text));
  char tiny[8];
  EXPECT_TRUE(mci.getErrorString(MCIERR_FILE_NOT_FOUND, tiny, sizeof tiny));
  EXPECT_STREQ(tiny, "The fil"); // cut to the buffer
}
