#include "platform/audio/output.h"
#include "platform/paths/data_folder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QThread>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <set>
#include <vector>

using namespace dorrin::audio;
using namespace std::chrono_literals;

namespace {

// Runs the event loop until pred holds or a generous limit passes.
template <class Pred> bool spinUntil(Pred pred, int limitMs = 10000) {
  QDeadlineTimer deadline(limitMs);
  while (!pred() && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
  return pred();
}

std::vector<std::int16_t> tone(int frames) {
  std::vector<std::int16_t> v(static_cast<std::size_t>(frames));
  for (int i = 0; i < frames; ++i)
    v[std::size_t(i)] = std::int16_t(8000 * std::sin(i * 0.1));
  return v;
}

} // namespace

TEST(Gain, ScalesEachFormatAndSilencesAtZero) {
  std::int16_t s16[] = {1000, -1000, 32767};
  applyGain({22050, 1, SampleFormat::S16}, s16, 3, 0.5f);
  EXPECT_EQ(s16[0], 500);
  EXPECT_EQ(s16[1], -500);
  EXPECT_EQ(s16[2], 16384);

  std::uint8_t u8[] = {255, 0, 128, 200};
  applyGain({22050, 2, SampleFormat::U8}, u8, 2, 0.0f);
  for (auto b : u8)
    EXPECT_EQ(b, 128); // unsigned silence is the midpoint

  float f32[] = {0.5f, -1.0f};
  applyGain({48000, 2, SampleFormat::F32}, f32, 1, 0.25f);
  EXPECT_FLOAT_EQ(f32[0], 0.125f);
  EXPECT_FLOAT_EQ(f32[1], -0.25f);
}

// These run on the real output with SDL's paced silent driver (the test
// environment sets SDL_AUDIODRIVER=dummy).
class SdlOutputTest : public ::testing::Test {
protected:
  std::unique_ptr<Stream> open(StreamCallbacks cb = {}) {
    std::string error;
    auto s = systemOutput().open({22050, 1, SampleFormat::S16}, std::move(cb), &error);
    EXPECT_TRUE(s) << error;
    return s;
  }
};

TEST_F(SdlOutputTest, PlaysEverythingAndReportsTheEndOnTheOpeningThread) {
  int drained = 0;
  bool onMainThread = false;
  auto s = open({[&] {
                   ++drained;
                   onMainThread =
                       QThread::currentThread() == QCoreApplication::instance()->thread();
                 },
                 {}});
  ASSERT_TRUE(s);
  const auto data = tone(4410); // 0.2 s
  s->write(data.data(), data.size());
  s->finish();
  EXPECT_EQ(s->framesConsumed(), 0u); // a new stream starts paused
  EXPECT_FALSE(s->firstPull());
  s->setPaused(false);
  ASSERT_TRUE(spinUntil([&] { return drained > 0; }));
  EXPECT_TRUE(onMainThread);
  EXPECT_EQ(s->framesConsumed(), 4410u);
  EXPECT_TRUE(s->firstPull());
  EXPECT_TRUE(s->waitDrained(0ms));
  spinUntil([] { return false; }, 100);
  EXPECT_EQ(drained, 1); // once
}

TEST_F(SdlOutputTest, PauseHoldsThePositionAndResumeFinishes) {
  int drained = 0;
  auto s = open({[&] { ++drained; }, {}});
  ASSERT_TRUE(s);
  const auto data = tone(22050); // 1 s
  s->write(data.data(), data.size());
  s->finish();
  s->setPaused(false);
  ASSERT_TRUE(spinUntil([&] { return s->framesConsumed() > 0; }));
  s->setPaused(true);
  const auto held = s->framesConsumed();
  spinUntil([] { return false; }, 100);
  EXPECT_EQ(s->framesConsumed(), held);
  EXPECT_LT(held, 22050u);
  EXPECT_FALSE(s->waitDrained(10ms)); // paused: would never end
  s->setPaused(false);
  EXPECT_TRUE(s->waitDrained(10s));
  EXPECT_EQ(s->framesConsumed(), 22050u);
  ASSERT_TRUE(spinUntil([&] { return drained == 1; }));
}

TEST_F(SdlOutputTest, ResetDropsAnEndAlreadyOnItsWay) {
  int drained = 0;
  auto s = open({[&] { ++drained; }, {}});
  ASSERT_TRUE(s);
  const auto data = tone(441);
  s->write(data.data(), data.size());
  s->finish();
  s->setPaused(false);
  ASSERT_TRUE(s->waitDrained(10s)); // the end is posted but not yet delivered
  s->reset();
  EXPECT_EQ(s->framesConsumed(), 0u);
  spinUntil([] { return false; }, 100);
  EXPECT_EQ(drained, 0);
  EXPECT_FALSE(s->waitDrained(0ms)); // not finished any more
}

TEST_F(SdlOutputTest, RejectsAnImpossibleFormat) {
  std::string error;
  EXPECT_FALSE(systemOutput().open({0, 1, SampleFormat::S16}, {}, &error));
  EXPECT_FALSE(error.empty());
}

// The nine alarm sounds generated beside the program at build time.
TEST(AlarmSounds, NineDistinctShortMonoChimes) {
  std::set<std::vector<short>> seen;
  for (int i = 1; i <= 9; ++i) {
    const QString path = QDir(dorrin::paths::programFolder()).filePath(QString("음%1.wav").arg(i));
    SF_INFO info{};
    SNDFILE *f = sf_open(path.toUtf8().constData(), SFM_READ, &info);
    ASSERT_TRUE(f) << path.toStdString();
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(info.channels, 1);
    EXPECT_EQ(info.samplerate, 22050);
    const double seconds = double(info.frames) / info.samplerate;
    EXPECT_GE(seconds, 0.3);
    EXPECT_LE(seconds, 2.0);
    std::vector<short> samples(std::size_t(info.frames));
    EXPECT_EQ(sf_read_short(f, samples.data(), info.frames), info.frames);
    sf_close(f);
    short peak = 0;
    for (short v : samples)
      peak = std::max<short>(peak, short(std::abs(v)));
    EXPECT_GT(peak, 10000); // audible, not clipped silence
    EXPECT_TRUE(seen.insert(samples).second) << "duplicate chime " << i;
  }
}
