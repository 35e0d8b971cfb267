// Small pieces every benchmark uses: elapsed milliseconds, the median of a
// set of runs, and an audio output that remembers the stream it opened so a
// benchmark can read when the device first pulled from it.
#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <chrono>
#include <vector>

namespace dorrin::bench {

using Clock = std::chrono::steady_clock;

inline double ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Milliseconds since the timer last started; restarts it for the next step.
inline double ms(QElapsedTimer &t) {
  const double v = static_cast<double>(t.nsecsElapsed()) / 1e6;
  t.restart();
  return v;
}

inline double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

} // namespace dorrin::bench
