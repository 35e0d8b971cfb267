#pragma once
// Globally unique identifiers in the registry's text form
// "{E881B560-E2F4-101B-96E6-0020AF38F4BB}": class ids, interface ids and type
// library ids. Parsing is constexpr so fixed ids are checked at compile time.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dorrin::com {

struct GUID {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};

  friend constexpr bool operator==(const GUID &, const GUID &) = default;
  friend constexpr auto operator<=>(const GUID &, const GUID &) = default;
};
using IID = GUID;
using CLSID = GUID;

inline constexpr GUID GUID_NULL{};

namespace detail {
constexpr int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
constexpr bool readHex(std::string_view s, std::size_t pos, std::size_t digits,
                       std::uint64_t &out) {
  out = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    const int v = hexValue(s[pos + i]);
    if (v < 0) return false;
    out = out * 16 + static_cast<std::uint64_t>(v);
  }
  return true;
}
void invalidGuidLiteral(); // not defined: reached only by a bad literal in guid()
} // namespace detail

// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (braces required, hex digits in
// either case). Anything else gives nullopt.
constexpr std::optional<GUID> parseGuid(std::string_view s) {
  if (s.size() != 38 || s.front() != '{' || s.back() != '}') return std::nullopt;
  if (s[9] != '-' || s[14] != '-' || s[19] != '-' || s[24] != '-') return std::nullopt;
  GUID g;
  std::uint64_t v = 0;
  if (!detail::readHex(s, 1, 8, v)) return std::nullopt;
  g.data1 = static_cast<std::uint32_t>(v);
  if (!detail::readHex(s, 10, 4, v)) return std::nullopt;
  g.data2 = static_cast<std::uint16_t>(v);
  if (!detail::readHex(s, 15, 4, v)) return std::nullopt;
  g.data3 = static_cast<std::uint16_t>(v);
  for (std::size_t i = 0; i < 8; ++i) {
    const std::size_t pos = i < 2 ? 20 + 2 * i : 25 + 2 * (i - 2);
    if (!detail::readHex(s, pos, 2, v)) return std::nullopt;
    g.data4[i] = static_cast<std::uint8_t>(v);
  }
  return g;
}

// A fixed id from its text; a malformed literal fails to compile.
consteval GUID guid(std::string_view s) {
  const auto g = parseGuid(s);
  if (!g) detail::invalidGuidLiteral();
  return *g;
}

// Upper-case registry form with braces.
inline std::string formatGuid(const GUID &g) {
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string s = "{";
  auto put = [&](std::uint64_t v, int n) {
    for (int i = n - 1; i >= 0; --i)
      s += digits[(v >> (4 * i)) & 0xF];
  };
  put(g.data1, 8);
  s += '-';
  put(g.data2, 4);
  s += '-';
  put(g.data3, 4);
  s += '-';
  put(g.data4[0], 2);
  put(g.data4[1], 2);
  s += '-';
  for (int i = 2; i < 8; ++i)
    put(g.data4[i], 2);
  s += '}';
  return s;
}

} // namespace dorrin::com
