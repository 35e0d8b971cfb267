// An audio output that passes streams through to the system output and
// remembers the last one, so a benchmark can read when the device first
// pulled samples from it.
#pragma once

#include "platform/audio/output.h"

namespace dorrin::bench {

class WatchedOutput final : public audio::Output {
public:
  std::unique_ptr<audio::Stream> open(const audio::Format &f, audio::StreamCallbacks cb,
                                      std::string *error) override {
    auto s = audio::systemOutput().open(f, std::move(cb), error);
    last = s.get();
    return s;
  }
  audio::Stream *last = nullptr;
};

} // namespace dorrin::bench
