#pragma once
// Shared pieces of the MCI tests: wave files written with libsndfile, a
// callback window that records MM_MCINOTIFY, and a System on the manual-clock
// output.
#include "platform/audio/tests/manual_clock_output.h"
#include "platform/mci/system.h"
#include "tests/support/temp_folder.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <string>
#include <utility>
#include <vector>

namespace dorrin::mci::test {

// A recognisable signal: frame i holds (i % 20000) + 1 in every channel, so a
// test can tell exactly which frames were played.
inline std::int16_t sampleAt(std::size_t frame) {
  return std::int16_t(frame % 20000 + 1);
}

inline bool writeWave(const QString &path, std::size_t frames, int rate = 22050, int channels = 1,
                      int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = format;
  SNDFILE *f = sf_open(path.toUtf8().constData(), SFM_WRITE, &info);
  if (!f) return false;
  std::vector<std::int16_t> s(frames * std::size_t(channels));
  for (std::size_t i = 0; i < s.size(); ++i)
    s[i] = sampleAt(i / std::size_t(channels));
  sf_writef_short(f, s.data(), sf_count_t(frames));
  return sf_close(f) == 0;
}

inline std::string quoted(const QString &path) {
  return "\"" + path.toStdString() + "\"";
}

// Lets queued messages (stream ends, then notifications) arrive.
inline void pump() {
  for (int i = 0; i < 4; ++i)
    QCoreApplication::processEvents();
}

struct Notifications {
  Notifications() {
    hwnd = win::registerWindow([this](std::uint32_t msg, win::WPARAM w, win::LPARAM l) {
      if (msg == MM_MCINOTIFY) got.emplace_back(w, l);
    });
  }
  ~Notifications() { win::unregisterWindow(hwnd); }
  std::vector<std::uintptr_t> codes() const {
    std::vector<std::uintptr_t> c;
    for (auto &[w, l] : got)
      c.push_back(w);
    return c;
  }
  win::HWND hwnd = 0;
  std::vector<std::pair<win::WPARAM, win::LPARAM>> got;
};

class MciTest : public ::testing::Test {
public:
  MCIERROR send(const std::string &command, std::string *reply = nullptr) {
    char buf[128] = "garbage";
    const MCIERROR e = mci.sendString(command.c_str(), buf, sizeof buf, notes.hwnd);
    if (reply) *reply = buf;
    return e;
  }
  std::string ask(const std::string &command) {
    std::string r;
    EXPECT_EQ(send(command, &r), 0u) << command;
    return r;
  }
  // Writes a 22050 Hz mono clip of the given length in ms and opens it under alias.
  void openClip(const std::string &alias, int ms = 500) {
    const QString path = dir.file(QString::fromStdString(alias) + ".wav");
    ASSERT_TRUE(writeWave(path, std::size_t(ms) * 22050 / 1000));
    ASSERT_EQ(send("open " + quoted(path) + " alias " + alias + " type waveaudio wait"), 0u);
  }
  audio::test::ManualStream &stream() { return *output.last(); }

  dorrin::test::TempFolder dir;
  audio::test::ManualClockOutput output;
  System mci{output};
  Notifications notes;
};

} // namespace dorrin::mci::test
