#include "platform/mci/command.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <utility>

namespace dorrin::mci {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char lower(char c) {
  return char(std::tolower(static_cast<unsigned char>(c)));
}

// Items of the status, capability and info commands, each a run of words.
// Longer items are tried first ("position" must not swallow "position track").
constexpr std::array kStatusItems{
    "number of tracks",
    "nominal frame rate",
    "start position",
    "current track",
    "time format",
    "media present",
    "window handle",
    "window visible",
    "division type",
    "file format",
    "frame rate",
    "media type",
    "format tag",
    "mode",
    "position",
    "length",
    "ready",
    "samplespersec",
    "bitspersample",
    "channels",
    "bytespersec",
    "alignment",
    "input",
    "output",
    "level",
    "tempo",
    "speed",
    "volume",
    "port",
    "type",
};
constexpr std::array kCapabilityItems{
    "compound device", "uses palettes", "device type", "can eject",   "can play",
    "can record",      "can save",      "has audio",   "has video",   "uses files",
    "can freeze",      "can lock",      "can reverse", "can stretch", "can test",
    "has still",       "windows",       "inputs",      "outputs",
};
constexpr std::array kInfoItems{"window text", "product",   "file",     "name",
                                "version",     "copyright", "identity", "upc"};

struct TimeFormatName {
  const char *words;
  const char *canonical;
};
constexpr std::array kTimeFormats{
    TimeFormatName{"smpte 30 drop", "smpte 30 drop"},
    TimeFormatName{"smpte 24", "smpte 24"},
    TimeFormatName{"smpte 25", "smpte 25"},
    TimeFormatName{"smpte 30", "smpte 30"},
    TimeFormatName{"song pointer", "song pointer"},
    TimeFormatName{"milliseconds", "milliseconds"},
    TimeFormatName{"ms", "milliseconds"},
    TimeFormatName{"samples", "samples"},
    TimeFormatName{"bytes", "bytes"},
    TimeFormatName{"tmsf", "tmsf"},
    TimeFormatName{"msf", "msf"},
    TimeFormatName{"hms", "hms"},
    TimeFormatName{"frames", "frames"},
};

class Cursor {
public:
  Cursor(const std::vector<std::string> &words, std::size_t at) : w_(words), i_(at) {}
  bool done() const { return i_ >= w_.size(); }
  const std::string &peek() const { return w_[i_]; }
  std::string next() { return w_[i_++]; }
  bool take(std::string_view word) {
    if (done() || !iequals(w_[i_], word)) return false;
    ++i_;
    return true;
  }
  // Takes a run of blank-separated words ("start position") when all match.
  bool takeWords(std::string_view phrase) {
    std::size_t j = i_;
    while (!phrase.empty()) {
      const auto cut = phrase.find(' ');
      const auto word = phrase.substr(0, cut);
      if (j >= w_.size() || !iequals(w_[j], word)) return false;
      ++j;
      phrase = cut == std::string_view::npos ? std::string_view() : phrase.substr(cut + 1);
    }
    i_ = j;
    return true;
  }
  template <std::size_t N> const char *takeItem(const std::array<const char *, N> &items) {
    for (const char *item : items)
      if (takeWords(item)) return item;
    return nullptr;
  }

private:
  const std::vector<std::string> &w_;
  std::size_t i_;
};

MCIERROR parseNumber(const std::string &word, std::uint32_t &value) {
  if (word.empty() || word.size() > 10) return MCIERR_BAD_INTEGER;
  std::uint64_t v = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return MCIERR_BAD_INTEGER;
    v = v * 10 + std::uint64_t(c - '0');
  }
  if (v > 0xFFFFFFFFull) return MCIERR_BAD_INTEGER;
  value = std::uint32_t(v);
  return 0;
}

MCIERROR takeNumber(Cursor &c, std::optional<std::uint32_t> &out) {
  if (out) return MCIERR_DUPLICATE_FLAGS;
  if (c.done()) return MCIERR_MISSING_PARAMETER;
  std::uint32_t v = 0;
  if (MCIERROR e = parseNumber(c.next(), v)) return e;
  out = v;
  return 0;
}

MCIERROR takeString(Cursor &c, std::string &out) {
  if (!out.empty()) return MCIERR_DUPLICATE_FLAGS;
  if (c.done()) return MCIERR_MISSING_STRING_ARGUMENT;
  out = c.next();
  return out.empty() ? MCIERR_MISSING_STRING_ARGUMENT : 0;
}

MCIERROR takeFlag(bool &flag) {
  if (flag) return MCIERR_DUPLICATE_FLAGS;
  flag = true;
  return 0;
}

MCIERROR takeOnOff(Cursor &c, std::optional<bool> &out) {
  if (out) return MCIERR_DUPLICATE_FLAGS;
  if (c.take("on"))
    out = true;
  else if (c.take("off"))
    out = false;
  else
    return c.done() ? MCIERR_MISSING_PARAMETER : MCIERR_BAD_CONSTANT;
  return 0;
}

// "notify" and "wait", which every command takes. Returns true when the word
// was one of them (err tells whether it was given twice).
bool commonFlag(Cursor &c, Arguments &a, MCIERROR &err) {
  if (c.take("notify"))
    err = takeFlag(a.notify);
  else if (c.take("wait"))
    err = takeFlag(a.wait);
  else
    return false;
  return true;
}

template <std::size_t N>
MCIERROR parseItemCommand(Cursor &c, Arguments &a, const std::array<const char *, N> &items,
                          bool takesTrack) {
  while (!c.done()) {
    MCIERROR e = 0;
    if (commonFlag(c, a, e)) {
    } else if (takesTrack && c.take("track")) {
      e = takeNumber(c, a.track);
    } else if (const char *item = c.takeItem(items)) {
      if (!a.item.empty()) return MCIERR_FLAGS_NOT_COMPATIBLE; // one item per query
      a.item = item;
    } else {
      return MCIERR_UNRECOGNIZED_KEYWORD;
    }
    if (e) return e;
  }
  return a.item.empty() ? MCIERR_MISSING_PARAMETER : 0;
}

MCIERROR parseSet(Cursor &c, Arguments &a) {
  bool any = false;
  while (!c.done()) {
    MCIERROR e = 0;
    if (commonFlag(c, a, e)) {
    } else if (c.takeWords("time format")) {
      if (a.timeFormat) return MCIERR_DUPLICATE_FLAGS;
      if (c.done()) return MCIERR_MISSING_PARAMETER;
      for (const auto &f : kTimeFormats)
        if (c.takeWords(f.words)) {
          a.timeFormat = f.canonical;
          break;
        }
      if (!a.timeFormat) return MCIERR_BAD_CONSTANT;
      any = true;
    } else if (c.take("audio")) {
      if (a.audioOn) return MCIERR_DUPLICATE_FLAGS;
      a.audioChannel = "all";
      for (const char *ch : {"all", "left", "right"})
        if (c.take(ch)) a.audioChannel = ch;
      e = takeOnOff(c, a.audioOn);
      any = true;
    } else if (c.take("door")) {
      if (a.doorOpen) return MCIERR_DUPLICATE_FLAGS;
      if (c.take("open"))
        a.doorOpen = true;
      else if (c.take("closed"))
        a.doorOpen = false;
      else
        return c.done() ? MCIERR_MISSING_PARAMETER : MCIERR_BAD_CONSTANT;
      if (c.take("open") || c.take("closed")) return MCIERR_FLAGS_NOT_COMPATIBLE;
      any = true;
    } else if (c.take("video")) {
      e = takeOnOff(c, a.videoOn);
      any = true;
    } else if (c.takeWords("seek exactly")) {
      e = takeOnOff(c, a.seekExactly);
      any = true;
    } else if (c.take("tempo")) {
      e = takeNumber(c, a.tempo);
      any = true;
    } else if (c.take("speed")) {
      e = takeNumber(c, a.speed);
      any = true;
    } else {
      return MCIERR_UNRECOGNIZED_KEYWORD;
    }
    if (e) return e;
  }
  return any ? 0 : MCIERR_MISSING_PARAMETER;
}

} // namespace

bool iequals(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return lower(x) == lower(y); });
}

MCIERROR tokenize(std::string_view text, std::vector<std::string> &words) {
  words.clear();
  std::size_t i = 0;
  while (i < text.size()) {
    if (isBlank(text[i])) {
      ++i;
      continue;
    }
    std::string word;
    if (text[i] == '"') {
      const auto close = text.find('"', i + 1);
      if (close == std::string_view::npos) return MCIERR_NO_CLOSING_QUOTE;
      word.assign(text.substr(i + 1, close - i - 1));
      i = close + 1;
    } else {
      const auto start = i;
      while (i < text.size() && !isBlank(text[i]))
        ++i;
      word.assign(text.substr(start, i - start));
    }
    words.push_back(std::move(word));
  }
  return 0;
}

bool lookupVerb(std::string_view word, Verb &verb) {
  static constexpr std::pair<const char *, Verb> kVerbs[] = {
      {"open", Verb::Open},     {"close", Verb::Close},     {"play", Verb::Play},
      {"record", Verb::Record}, {"pause", Verb::Pause},     {"resume", Verb::Resume},
      {"stop", Verb::Stop},     {"seek", Verb::Seek},       {"step", Verb::Step},
      {"status", Verb::Status}, {"set", Verb::Set},         {"capability", Verb::Capability},
      {"save", Verb::Save},     {"delete", Verb::Delete},   {"sound", Verb::Sound},
      {"window", Verb::Window}, {"info", Verb::Info},       {"cue", Verb::Other},
      {"load", Verb::Other},    {"break", Verb::Other},     {"put", Verb::Other},
      {"where", Verb::Other},   {"freeze", Verb::Other},    {"unfreeze", Verb::Other},
      {"realize", Verb::Other}, {"update", Verb::Other},    {"spin", Verb::Other},
      {"escape", Verb::Other},  {"configure", Verb::Other}, {"copy", Verb::Other},
      {"cut", Verb::Other},     {"paste", Verb::Other},     {"undo", Verb::Other},
      {"list", Verb::Other},    {"monitor", Verb::Other},   {"reserve", Verb::Other},
      {"restore", Verb::Other}, {"setaudio", Verb::Other},  {"setvideo", Verb::Other},
      {"signal", Verb::Other},  {"capture", Verb::Other},   {"sysinfo", Verb::Other},
  };
  for (const auto &[name, v] : kVerbs)
    if (iequals(word, name)) {
      verb = v;
      return true;
    }
  return false;
}

MCIERROR parseArguments(Verb verb, const std::vector<std::string> &words, std::size_t first,
                        Arguments &a) {
  Cursor c(words, first);
  switch (verb) {
  case Verb::Status:
    return parseItemCommand(c, a, kStatusItems, true);
  case Verb::Capability:
    return parseItemCommand(c, a, kCapabilityItems, false);
  case Verb::Info:
    return parseItemCommand(c, a, kInfoItems, false);
  case Verb::Set:
    return parseSet(c, a);
  default:
    break;
  }
  while (!c.done()) {
    MCIERROR e = 0;
    if (commonFlag(c, a, e)) {
    } else if (verb == Verb::Open && c.take("type")) {
      e = takeString(c, a.type);
    } else if (verb == Verb::Open && c.take("alias")) {
      e = takeString(c, a.alias);
    } else if (verb == Verb::Open && c.take("shareable")) {
      e = takeFlag(a.shareable);
    } else if (verb == Verb::Open && c.take("buffer")) {
      e = takeNumber(c, a.buffer);
    } else if ((verb == Verb::Play || verb == Verb::Record || verb == Verb::Delete) &&
               c.take("from")) {
      e = takeNumber(c, a.from);
    } else if ((verb == Verb::Play || verb == Verb::Record || verb == Verb::Delete) &&
               c.take("to")) {
      e = takeNumber(c, a.to);
    } else if (verb == Verb::Record && c.take("insert")) {
      e = a.overwrite ? MCIERR_FLAGS_NOT_COMPATIBLE : takeFlag(a.insert);
    } else if (verb == Verb::Record && c.take("overwrite")) {
      e = a.insert ? MCIERR_FLAGS_NOT_COMPATIBLE : takeFlag(a.overwrite);
    } else if (verb == Verb::Seek && c.take("to")) {
      if (a.seek != SeekTarget::None) return MCIERR_DUPLICATE_FLAGS;
      if (c.take("start"))
        a.seek = SeekTarget::Start;
      else if (c.take("end"))
        a.seek = SeekTarget::End;
      else {
        std::optional<std::uint32_t> to;
        e = takeNumber(c, to);
        a.seek = SeekTarget::Position;
        a.seekTo = to.value_or(0);
      }
    } else if (verb == Verb::Step && c.take("by")) {
      e = takeNumber(c, a.by);
    } else if (verb == Verb::Step && c.take("reverse")) {
      e = takeFlag(a.reverse);
    } else if (verb == Verb::Window && c.take("handle")) {
      if (c.take("default")) {
        if (a.handle) return MCIERR_DUPLICATE_FLAGS;
        a.handle = 0;
      } else {
        e = takeNumber(c, a.handle);
      }
    } else if (verb == Verb::Window && c.take("state")) {
      if (a.state) return MCIERR_DUPLICATE_FLAGS;
      if (c.done()) return MCIERR_MISSING_PARAMETER;
      a.state = c.next();
    } else if (verb == Verb::Window && c.take("text")) {
      if (a.text) return MCIERR_DUPLICATE_FLAGS;
      if (c.done()) return MCIERR_MISSING_STRING_ARGUMENT;
      a.text = c.next();
    } else if (verb == Verb::Save && a.file.empty()) {
      a.file = c.next();
    } else {
      return MCIERR_UNRECOGNIZED_KEYWORD;
    }
    if (e) return e;
  }
  if (verb == Verb::Seek && a.seek == SeekTarget::None) return MCIERR_MISSING_PARAMETER;
  return 0;
}

} // namespace dorrin::mci
