// The waveaudio device on the manual-clock output: every position and
// notification below follows from the clock the test advances.
#include "platform/mci/tests/mci_fixture.h"
#include "platform/paths/data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <functional>

using namespace dorrin::mci;
namespace win = dorrin::win;
using namespace std::chrono_literals;
using dorrin::mci::test::MciTest;
using dorrin::mci::test::pump;
using dorrin::mci::test::quoted;
using dorrin::mci::test::sampleAt;
using dorrin::mci::test::writeWave;

namespace {

// The frames a stream has played, as 16-bit mono samples.
std::vector<std::int16_t> playedSamples(const dorrin::audio::test::ManualStream &s) {
  std::vector<std::int16_t> v(s.played.size() / 2);
  std::memcpy(v.data(), s.played.data(), v.size() * 2);
  return v;
}

std::vector<std::int16_t> clipFrames(std::size_t from, std::size_t to) {
  std::vector<std::int16_t> v;
  for (std::size_t i = from; i < to; ++i)
    v.push_back(sampleAt(i));
  return v;
}

} // namespace

// The strings the multimedia control sends for DeviceType "waveaudio",
// FileName "x.wav", Command "open" then "play", in its spacing.
TEST_F(MciTest, ControlSequenceOpensPlaysAndNotifiesAtTheEnd) {
  const QString path = dir.file("chime.wav");
  ASSERT_TRUE(writeWave(path, 11025)); // 500 ms
  EXPECT_EQ(send("close  wait"), MCIERR_INVALID_DEVICE_NAME);
  ASSERT_EQ(send("open " + quoted(path) + " alias 1  type WAVEAUDIO  wait"), 0u);
  EXPECT_EQ(ask("status 1 time format wait"), "milliseconds");
  EXPECT_EQ(send("status 1 tempo wait"), MCIERR_UNSUPPORTED_FUNCTION);
  EXPECT_EQ(send("set 1 audio all on wait"), 0u);
  EXPECT_EQ(ask("status 1 samplespersec wait"), "22050");
  EXPECT_EQ(ask("status 1 bitspersample wait"), "16");
  EXPECT_EQ(ask("status 1 channels wait"), "1");
  EXPECT_EQ(ask("capability 1 can eject wait"), "false");
  EXPECT_EQ(ask("capability 1 can play wait"), "true");
  EXPECT_EQ(ask("capability 1 can record wait"), "false");
  EXPECT_EQ(ask("status 1 mode wait"), "stopped");
  EXPECT_EQ(ask("status 1 length wait"), "500");
  EXPECT_EQ(ask("status 1 number of tracks wait"), "1");
  EXPECT_EQ(ask("status 1 start position wait"), "0");
  const MCIDEVICEID id = mci.getDeviceID("1");
  ASSERT_NE(id, 0u);

  ASSERT_EQ(send("play 1   notify "), 0u);
  EXPECT_EQ(ask("status 1 mode wait"), "playing");
  output.advance(250ms);
  EXPECT_EQ(ask("status 1 position wait"), "250");
  pump();
  EXPECT_TRUE(notes.got.empty());
  output.advance(250ms);
  pump();
  ASSERT_EQ(notes.got.size(), 1u);
  EXPECT_EQ(notes.got[0], std::make_pair(MCI_NOTIFY_SUCCESSFUL, win::LPARAM(id)));
  EXPECT_EQ(ask("status 1 mode wait"), "stopped");
  EXPECT_EQ(ask("status 1 position wait"), "500");
  EXPECT_EQ(playedSamples(stream()), clipFrames(0, 11025));

  // Again: close the first alias, open under the next one.
  EXPECT_EQ(send("close 1 wait"), 0u);
  ASSERT_EQ(send("open " + quoted(path) + " alias 2  type WAVEAUDIO  wait"), 0u);
  EXPECT_EQ(mci.getDeviceID("1"), 0u);
  EXPECT_NE(mci.getDeviceID("2"), 0u);
}

TEST_F(MciTest, FromAndToAreHonouredToTheMillisecond) {
  openClip("c", 500);
  ASSERT_EQ(send("play c from 100 to 300 notify"), 0u);
  output.advance(150ms);
  EXPECT_EQ(ask("status c position"), "250");
  output.advance(1000ms);
  pump();
  EXPECT_EQ(notes.codes(), std::vector<std::uintptr_t>{MCI_NOTIFY_SUCCESSFUL});
  EXPECT_EQ(ask("status c position"), "300");
  EXPECT_EQ(playedSamples(stream()), clipFrames(2205, 6615)); // exactly 100..300 ms

  // A play without a range goes on from the current position to the end.
  stream().played.clear();
  ASSERT_EQ(send("play c"), 0u);
  output.advance(1000ms);
  EXPECT_EQ(playedSamples(stream()), clipFrames(6615, 11025));
  EXPECT_EQ(ask("status c position"), "500");

  EXPECT_EQ(send("play c from 400 to 200"), MCIERR_OUTOFRANGE);
  EXPECT_EQ(send("play c from 600"), MCIERR_OUTOFRANGE);
  EXPECT_EQ(send("play c to 501"), MCIERR_OUTOFRANGE);
}

TEST_F(MciTest, PlayAtTheEndFinishesAtOnce) {
  openClip("c", 300);
  ASSERT_EQ(send("seek c to end"), 0u);
  EXPECT_EQ(ask("status c position"), "300");
  ASSERT_EQ(send("play c notify"), 0u);
  EXPECT_EQ(ask("status c mode"), "stopped");
  pump();
  EXPECT_EQ(notes.codes(), std::vector<std::uintptr_t>{MCI_NOTIFY_SUCCESSFUL});
  ASSERT_EQ(send("seek c to start"), 0u);
  EXPECT_EQ(ask("status c position"), "0");
  ASSERT_EQ(send("seek c to 120"), 0u);
  EXPECT_EQ(ask("status c position"), "120");
}

TEST_F(MciTest, AHostThatOnlyPollsSeesThePlayEnd) {
  openClip("c", 500);
  ASSERT_EQ(send("play c notify"), 0u);
  output.advance(300ms);
  EXPECT_EQ(ask("status c mode"), "playing");
  output.advance(200ms);
  // No event loop has run: the output's end message is still queued.
  EXPECT_EQ(ask("status c mode"), "stopped");
  EXPECT_EQ(ask("status c position"), "500");
  pump();
  EXPECT_EQ(notes.codes(), std::vector<std::uintptr_t>{MCI_NOTIFY_SUCCESSFUL});
  // The ended play can start again from the beginning.
  ASSERT_EQ(send("play c from 0 notify"), 0u);
  EXPECT_EQ(ask("status c mode"), "playing");
  output.advance(500ms);
  EXPECT_EQ(ask("status c mode"), "stopped");
  pump();
  EXPECT_EQ(notes.codes(),
            (std::vector<std::uintptr_t>{MCI_NOTIFY_SUCCESSFUL, MCI_NOTIFY_SUCCESSFUL}));
}

TEST_F(MciTest, PauseHoldsThePositionAndResumeGoesOn) {
  openClip("c", 500);
  ASSERT_EQ(send("play c notify"), 0u);
  output.advance(100ms);
  ASSERT_EQ(send("pause c wait"), 0u);
  EXPECT_EQ(ask("status c mode"), "paused");
  output.advance(200ms);
  EXPECT_EQ(ask("status c position"), "100");
  ASSERT_EQ(send("resume c wait"), 0u);
  EXPECT_EQ(ask("status c mode"), "playing");
  output.advance(100ms);
  EXPECT_EQ(ask("status c position"), "200");
  output.advance(300ms);
  pump();
  // The play's notification survived the pause (sent without notify).
  EXPECT_EQ(notes.codes(), std::vector<std::uintptr_t>{MCI_NOTIFY_SUCCESSFUL});
  EXPECT_EQ(playedSamples(stream()), clipFrames(0, 11025));
  EXPECT_EQ(send("resume c"), 0u); // nothing paused: nothing to do
  EXPECT_EQ(send("pause c"), 0u);
}

TEST_F(MciTest, StopKeepsThePositionAndPlayGoesOnFromThere) {
  openClip("c", 500);
  ASSERT_EQ(send("play c"), 0u);
  output.advance(200ms);
  ASSERT_EQ(send("stop c wait"), 0u);
  EXPECT_EQ(ask("status c mode"), "stopped");
  output.advance(200ms);
  EXPECT_EQ(ask("status c position"), "200");
  ASSERT_EQ(send("play c"), 0u);
  output.advance(100ms);
  EXPECT_EQ(ask("status c position"), "300");
}

// What happens to a play's pending notification when other commands arrive.
TEST_F(MciTest, PendingNotificationIsSupersededOrAborted) {
  struct Case {
    const char *name;
    std::function<void(MciTest &)> then;
    std::vector<std::uintptr_t> codes;
  } cases[] = {
      {"play notify again",
       [](MciTest &t) { t.send("play c from 0 notify"); },
       {MCI_NOTIFY_SUPERSEDED, MCI_NOTIFY_SUCCESSFUL}},
      {"play without notify", [](MciTest &t) { t.send("play c from 0"); }, {MCI_NOTIFY_ABORTED}},
      {"stop", [](MciTest &t) { t.send("stop c wait"); }, {MCI_NOTIFY_ABORTED}},
      {"stop notify",
       [](MciTest &t) { t.send("stop c notify wait"); },
       {MCI_NOTIFY_ABORTED, MCI_NOTIFY_SUCCESSFUL}},
      {"seek", [](MciTest &t) { t.send("seek c to start wait"); }, {MCI_NOTIFY_ABORTED}},
      {"close", [](MciTest &t) { t.send("close c wait"); }, {MCI_NOTIFY_ABORTED}},
      {"close all", [](MciTest &t) { t.send("close all"); }, {MCI_NOTIFY_ABORTED}},
      {"pause notify",
       [](MciTest &t) { t.send("pause c notify wait"); },
       {MCI_NOTIFY_SUPERSEDED, MCI_NOTIFY_SUCCESSFUL}},
      {"status notify",
       [](MciTest &t) { t.send("status c mode notify"); },
       {MCI_NOTIFY_SUPERSEDED, MCI_NOTIFY_SUCCESSFUL}},
      {"status without notify",
       [](MciTest &t) { t.send("status c mode"); },
       {MCI_NOTIFY_SUCCESSFUL}},
      {"failing command",
       [](MciTest &t) { t.send("seek c to 9999 notify"); },
       {MCI_NOTIFY_SUCCESSFUL}},
      {"output fails", [](MciTest &t) { t.output.failAll("unplugged"); }, {MCI_NOTIFY_FAILURE}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    openClip("c", 200);
    ASSERT_EQ(send("play c notify"), 0u);
    output.advance(50ms);
    c.then(*this);
    pump();
    output.advance(1000ms);
    pump();
    EXPECT_EQ(notes.codes(), c.codes);
    send("close c");
    notes.got.clear();
  }
}

TEST_F(MciTest, PlayWaitReturnsAtTheEnd) {
  openClip("c", 400);
  ASSERT_EQ(send("play c from 100 wait notify"), 0u);
  EXPECT_EQ(ask("status c mode"), "stopped");
  EXPECT_EQ(ask("status c position"), "400");
  pump();
  EXPECT_EQ(notes.codes(), std::vector<std::uintptr_t>{MCI_NOTIFY_SUCCESSFUL}); // once
}

TEST_F(MciTest, TimeFormatsSamplesAndBytes) {
  const QString path = dir.file("stereo.wav");
  ASSERT_TRUE(writeWave(path, 44100, 44100, 2)); // 1 s, 4 bytes a frame
  ASSERT_EQ(send("open " + quoted(path) + " alias s type waveaudio"), 0u);
  EXPECT_EQ(ask("status s length"), "1000");
  EXPECT_EQ(ask("status s bytespersec"), "176400");
  EXPECT_EQ(ask("status s alignment"), "4");
  EXPECT_EQ(ask("status s format tag"), "pcm");
  ASSERT_EQ(send("set s time format samples wait"), 0u);
  EXPECT_EQ(ask("status s time format"), "samples");
  EXPECT_EQ(ask("status s length"), "44100");
  ASSERT_EQ(send("play s from 441 to 882"), 0u);
  output.advance(1000ms);
  EXPECT_EQ(ask("status s position"), "882");
  ASSERT_EQ(send("set s time format bytes"), 0u);
  EXPECT_EQ(ask("status s length"), "176400");
  EXPECT_EQ(ask("status s position"), "3528");
  EXPECT_EQ(send("set s time format tmsf wait"), MCIERR_BAD_TIME_FORMAT);
  EXPECT_EQ(ask("status s time format wait"), "bytes"); // unchanged
  ASSERT_EQ(send("set s time format ms"), 0u);
  EXPECT_EQ(ask("status s time format"), "milliseconds");
  EXPECT_EQ(ask("status s position"), "20");
  EXPECT_EQ(ask("status s length track 1"), "1000");
  EXPECT_EQ(ask("status s position track 1"), "0");
}

TEST_F(MciTest, AudioOffMutesAndOnRestores) {
  openClip("c", 200);
  ASSERT_EQ(send("set c audio all off wait"), 0u);
  ASSERT_EQ(send("play c to 100"), 0u);
  output.advance(1000ms);
  auto played = playedSamples(stream());
  ASSERT_EQ(played.size(), 2205u);
  EXPECT_TRUE(std::all_of(played.begin(), played.end(), [](auto v) { return v == 0; }));
  ASSERT_EQ(send("set c audio all on wait"), 0u);
  stream().played.clear();
  ASSERT_EQ(send("play c"), 0u);
  output.advance(1000ms);
  EXPECT_EQ(playedSamples(stream()), clipFrames(2205, 4410));
  EXPECT_EQ(send("set c audio left off"), MCIERR_UNSUPPORTED_FUNCTION);
}

TEST_F(MciTest, BrokenAndMissingFilesAreRefusedAtOpen) {
  ASSERT_TRUE(writeWave(dir.file("good.wav"), 2205));
  const QByteArray good = dir.read("good.wav");
  dir.write("cut.wav", good.left(good.size() / 2)); // header promises more than is there
  dir.write("text.wav", "this is no wave file at all, just some words\n");
  dir.write("empty.wav", "");
  dir.write("header.wav", good.left(12)); // RIFF/WAVE and nothing after
  ASSERT_TRUE(writeWave(dir.file("aiff.wav"), 2205, 22050, 1, SF_FORMAT_AIFF | SF_FORMAT_PCM_16));
  QDir(dir.path()).mkdir("folder.wav");
  struct Case {
    const char *name;
    MCIERROR error;
  } cases[] = {
      {"nosuch.wav", MCIERR_FILE_NOT_FOUND}, {"folder.wav", MCIERR_FILE_NOT_FOUND},
      {"cut.wav", MCIERR_INVALID_FILE},      {"text.wav", MCIERR_INVALID_FILE},
      {"empty.wav", MCIERR_INVALID_FILE},    {"header.wav", MCIERR_INVALID_FILE},
      {"aiff.wav", MCIERR_INVALID_FILE},     {"good.wav", 0},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(send("open " + quoted(dir.file(c.name)) + " alias f type waveaudio wait"), c.error)
        << c.name;
    EXPECT_EQ(mci.getDeviceID("f") != 0, c.error == 0) << c.name;
    send("close f");
  }
}

TEST_F(MciTest, NoOutputDeviceFailsThePlayNotTheOpen) {
  output.refuseOpen = true;
  openClip("c", 200);
  EXPECT_EQ(send("play c notify"), MCIERR_WAVE_OUTPUTSUNSUITABLE);
  EXPECT_EQ(ask("status c mode"), "stopped");
  pump();
  EXPECT_TRUE(notes.got.empty());
}

TEST_F(MciTest, DeleteAndSaveEditTheFile) {
  openClip("c", 500);
  ASSERT_EQ(send("delete c from 0 to 250 wait"), 0u);
  EXPECT_EQ(ask("status c length"), "250");
  const QString copy = dir.file("copy of c.wav");
  ASSERT_EQ(send("save c " + quoted(copy) + " wait"), 0u);
  ASSERT_EQ(send("close c"), 0u);
  ASSERT_EQ(send("open " + quoted(copy) + " alias d type waveaudio"), 0u);
  EXPECT_EQ(ask("status d length"), "250");
  ASSERT_EQ(send("play d"), 0u);
  output.advance(1000ms);
  EXPECT_EQ(playedSamples(stream()), clipFrames(5513, 11025)); // the second half stayed
  EXPECT_EQ(ask("info d file"), copy.toStdString());
}

TEST_F(MciTest, ASaveReplacesTheFileWholeOrLeavesItAsItWas) {
  openClip("c", 500);
  const QString target = dir.file("saved.wav");
  dir.write("saved.wav", "an older recording");
  ASSERT_EQ(send("save c " + quoted(target) + " wait"), 0u);
  ASSERT_EQ(send("open " + quoted(target) + " alias d type waveaudio"), 0u);
  EXPECT_EQ(ask("status d length"), "500");
  // A save that cannot replace its target (a folder stands there) fails and
  // leaves the folder as it was: no temporary beside it.
  const QString blocked = dir.file("blocked.wav");
  ASSERT_TRUE(QDir().mkdir(blocked));
  const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
  EXPECT_EQ(send("save c " + quoted(blocked) + " wait"), MCIERR_FILE_NOT_SAVED);
  EXPECT_TRUE(QFileInfo(blocked).isDir());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

TEST_F(MciTest, SoundPlaysANamedWaveFile) {
  const QString path = dir.file("ding.wav");
  ASSERT_TRUE(writeWave(path, 4410));
  ASSERT_EQ(send("sound " + quoted(path) + " notify"), 0u);
  output.advance(1000ms);
  pump();
  ASSERT_EQ(notes.got.size(), 1u);
  EXPECT_EQ(notes.got[0], std::make_pair(MCI_NOTIFY_SUCCESSFUL, win::LPARAM(0)));
  EXPECT_EQ(playedSamples(stream()), clipFrames(0, 4410));
  // A second sound cuts the first short.
  ASSERT_EQ(send("sound " + quoted(path) + " notify"), 0u);
  ASSERT_EQ(send("sound " + quoted(path) + " notify"), 0u);
  output.advance(1000ms);
  pump();
  EXPECT_EQ(notes.codes(), (std::vector<std::uintptr_t>{1, 4, 1}));
  dir.write("broken.wav", "nope");
  EXPECT_EQ(send("sound " + quoted(dir.file("broken.wav"))), MCIERR_INVALID_FILE);
}

// Bare names are looked for in the current folder, the data folder and the
// program folder, where the generated alarm sounds lie.
TEST_F(MciTest, ElementNamesResolveLikeTheOrganiserExpects) {
  ASSERT_TRUE(dorrin::paths::ensureDataFolder());
  ASSERT_TRUE(writeWave(QDir(dorrin::paths::dataFolder()).filePath("data only.wav"), 2205));
  ASSERT_TRUE(writeWave(dir.file("here.wav"), 4410));
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  EXPECT_EQ(send("open here.wav alias a type waveaudio"), 0u);
  EXPECT_EQ(send("open \"data only.wav\" alias b type waveaudio"), 0u);
  EXPECT_EQ(send("open 음1.wav alias 1  type WAVEAUDIO  wait"), 0u);
  EXPECT_EQ(send("open \"c:\\Program Files\\Tessivo\\Dorrin\\음9.wav\" alias 9 type waveaudio"),
            0u);
  EXPECT_EQ(
      send("open \"c:\\Program Files\\Tessivo\\Dorrin\\data only.wav\" alias d type waveaudio"),
      0u);
  EXPECT_EQ(send("open 음10.wav alias 10 type waveaudio"), MCIERR_FILE_NOT_FOUND);
  EXPECT_EQ(send("open \"d:\\elsewhere\\음1.wav\" alias x type waveaudio"), MCIERR_FILE_NOT_FOUND);
  QDir::setCurrent(before);
  EXPECT_EQ(ask("status a length"), "200");
  EXPECT_EQ(ask("status b length"), "100");
  const int chime = std::stoi(ask("status 1 length"));
  EXPECT_GE(chime, 300);
  EXPECT_LE(chime, 2000);
  // The same name in CP949 bytes, as the organiser's own strings may come.
  EXPECT_EQ(send("open \xC0\xBD"
                 "2.wav alias cp type waveaudio"),
            0u);
}
