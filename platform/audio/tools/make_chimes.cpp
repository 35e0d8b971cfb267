// Build tool: writes the nine alarm sounds "음1.wav" .. "음9.wav" (16-bit PCM,
// mono, 22050 Hz) into the folder given as the only argument. Each is a short
// chime of decaying bell tones, distinct in pitch and rhythm.
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

struct Note {
  double at;    // start, seconds
  double freq;  // fundamental, Hz
  double decay; // seconds for the fundamental to fall to 1/e
  double level; // relative loudness
  bool bell;    // bell partials; otherwise a plain sine pip
};

struct Chime {
  double length; // seconds
  std::vector<Note> notes;
};

// Fundamental, octave and twelfth with faster decays for the upper partials:
// a bright bell without harsh overtones.
double voice(const Note &n, double t) {
  if (t < 0) return 0;
  const double attack = std::min(1.0, t / 0.003);
  const double w = 2 * kPi * n.freq * t;
  double v = std::sin(w) * std::exp(-t / n.decay);
  if (n.bell) {
    v += 0.45 * std::sin(2 * w) * std::exp(-t / (n.decay * 0.5));
    v += 0.20 * std::sin(3 * w) * std::exp(-t / (n.decay * 0.3));
  }
  return n.level * attack * v;
}

std::vector<short> render(const Chime &c) {
  const auto frames = std::size_t(c.length * kRate);
  std::vector<double> mix(frames, 0.0);
  for (const Note &n : c.notes)
    for (std::size_t i = 0; i < frames; ++i)
      mix[i] += voice(n, double(i) / kRate - n.at);
  double peak = 1e-9;
  for (double v : mix)
    peak = std::max(peak, std::abs(v));
  const auto fade = std::size_t(0.02 * kRate); // no click at the cut
  std::vector<short> out(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    double v = mix[i] / peak * 0.7;
    if (i + fade > frames) v *= double(frames - i) / double(fade);
    out[i] = short(std::lround(v * 32767));
  }
  return out;
}

std::vector<Chime> chimes() {
  return {
      {0.9, {{0.0, 880.0, 0.25, 1, true}}},                               // single ding
      {1.4, {{0.0, 1318.5, 0.3, 1, true}, {0.35, 1046.5, 0.4, 1, true}}}, // ding-dong
      {1.2,
       {{0.0, 1046.5, 0.2, 1, true}, {0.15, 1318.5, 0.2, 1, true}, {0.3, 1568.0, 0.35, 1, true}}},
      {1.8, {{0.0, 392.0, 0.6, 1, true}}},                                    // low bell
      {0.5, {{0.0, 1000.0, 0.05, 1, false}, {0.18, 1000.0, 0.05, 1, false}}}, // double beep
      {2.0,
       {{0.0, 659.3, 0.3, 1, true},
        {0.4, 523.3, 0.3, 1, true},
        {0.8, 587.3, 0.3, 1, true},
        {1.2, 392.0, 0.5, 1, true}}},
      {1.5,
       {{0.0, 523.3, 0.5, 1, true},
        {0.0, 659.3, 0.5, 0.8, true},
        {0.0, 784.0, 0.5, 0.7, true},
        {0.0, 1046.5, 0.4, 0.5, true}}}, // chord
      {0.8,
       {{0.0, 784.0, 0.12, 1, true},
        {0.08, 987.8, 0.12, 1, true},
        {0.16, 1174.7, 0.12, 1, true},
        {0.24, 1568.0, 0.25, 1, true}}}, // quick rising arpeggio
      {0.7,
       {{0.0, 1500.0, 0.04, 1, false},
        {0.2, 1500.0, 0.04, 1, false},
        {0.4, 1500.0, 0.04, 1, false}}}, // triple pip
  };
}

bool writeWav(const std::filesystem::path &path, const std::vector<short> &samples) {
  SF_INFO info{};
  info.samplerate = kRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  const auto tmp = std::filesystem::path(path).concat(".tmp");
  SNDFILE *f = sf_open(tmp.c_str(), SFM_WRITE, &info);
  if (!f) return false;
  const auto n = sf_count_t(samples.size());
  const bool ok = sf_write_short(f, samples.data(), n) == n;
  sf_close(f);
  std::error_code ec;
  if (ok) std::filesystem::rename(tmp, path, ec);
  return ok && !ec;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_chimes OUTPUT_FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder(argv[1]);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  const auto all = chimes();
  for (std::size_t i = 0; i < all.size(); ++i) {
    const auto name = folder / ("음" + std::to_string(i + 1) + ".wav");
    if (!writeWav(name, render(all[i]))) {
      std::fprintf(stderr, "make_chimes: cannot write %s\n", name.c_str());
      return 1;
    }
  }
  return 0;
}
