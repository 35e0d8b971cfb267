#pragma once
// The library's string table.
#include <string_view>

namespace dorrin::zelomm {

inline constexpr int IDS_ZELOMM = 1;     // the control's type name
inline constexpr int IDS_ZELOMM_PPG = 2; // the property page's name
inline constexpr int IDS_ZELOMM_PPG_CAPTION = 101;
inline constexpr int IDS_ABOUT_PPG = 102;
inline constexpr int IDS_ABOUT_PPG_CAPTION = 103;

// Empty for an id the table does not hold.
constexpr std::string_view loadString(int id) {
  switch (id) {
  case IDS_ZELOMM:
    return "Zelomm Control";
  case IDS_ZELOMM_PPG:
    return "Zelomm Property Page";
  case IDS_ZELOMM_PPG_CAPTION:
    return "General";
  case IDS_ABOUT_PPG:
    return "About Property Page";
  case IDS_ABOUT_PPG_CAPTION:
    return "About";
  default:
    return {};
  }
}

} // namespace dorrin::zelomm
