#pragma once
// The MCI command string grammar: "verb device-name [keywords ...]".
// Words are separated by any run of blanks or tabs (callers that join empty
// options leave double blanks); a word in double quotes may hold blanks.
// Keywords are matched without regard to case.
#include "platform/mci/mci.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorrin::mci {

// Splits a command into words; MCIERR_NO_CLOSING_QUOTE for an open quote.
MCIERROR tokenize(std::string_view text, std::vector<std::string> &words);

bool iequals(std::string_view a, std::string_view b);

enum class Verb {
  Open,
  Close,
  Play,
  Record,
  Pause,
  Resume,
  Stop,
  Seek,
  Step,
  Status,
  Set,
  Capability,
  Save,
  Delete,
  Sound,
  Window,
  Info,
  Other, // an MCI command that no device here carries out (cue, load, put, ...)
};

// False for a word that is no MCI command.
bool lookupVerb(std::string_view word, Verb &verb);

enum class SeekTarget { None, Position, Start, End };

// Everything the keywords after the device name can say.
struct Arguments {
  bool notify = false;
  bool wait = false;
  std::optional<std::uint32_t> from, to;
  // open
  std::string type, alias;
  bool shareable = false;
  std::optional<std::uint32_t> buffer;
  // seek
  SeekTarget seek = SeekTarget::None;
  std::uint32_t seekTo = 0;
  // step
  std::optional<std::uint32_t> by;
  bool reverse = false;
  // record
  bool insert = false, overwrite = false;
  // status, capability, info: the item in canonical words ("number of tracks")
  std::string item;
  std::optional<std::uint32_t> track;
  // set
  std::optional<std::string> timeFormat;   // canonical: "milliseconds", "smpte 30 drop", ...
  std::optional<std::string> audioChannel; // "all", "left", "right"
  std::optional<bool> audioOn, doorOpen, videoOn, seekExactly;
  std::optional<std::uint32_t> tempo, speed;
  // window
  std::optional<std::uint32_t> handle; // 0 for "handle default"
  std::optional<std::string> state, text;
  // save
  std::string file;
};

// Parses words[first..] as the keywords of verb; 259 for a word the verb does
// not know, 273/269 for a missing value, 270 for a bad number, 295 for a
// keyword given twice, 290 for an unknown constant.
MCIERROR parseArguments(Verb verb, const std::vector<std::string> &words, std::size_t first,
                        Arguments &out);

} // namespace dorrin::mci
