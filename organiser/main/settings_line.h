#pragma once
// The settings line of "dorrat.txt": 76 fields, each followed by "@" -
// desktop flag, start page, window top and left, eight fields for each of
// pages 0..7 (caption, window height and width, splitter height and width,
// top-left pane height, left column width, top-right pane height) and the
// background / text colour of the four pane positions.
#include "organiser/main/page_state.h"

#include <QString>

namespace dorrin::organiser {

inline constexpr int kSettingsFields = 76;
inline constexpr int kStoredPages = 8; // page 8 is never stored

// Reads a line into the state, field by field in the order above. Numbers
// are taken by their leading numeric value; a number that does not fit its
// field, a page outside 0..8, a colour outside 0..0xFFFFFF or a desktop
// flag that is neither a boolean word nor a number keeps the current value.
// Field 1 goes to Cur_Page. A short line fills what it has. Returns the
// number of fields read.
int parseSettingsLine(const QString &line, PageState &s);

// The line for the state (without CR LF): field 1 from Start_Page, fields 2
// and 3 from the window's current top and left, whole.
QString formatSettingsLine(const PageState &s, int windowTop, int windowLeft);

// A window size as stored: 999 twips or less become 1000.
inline int atLeast1000(int twips) {
  return twips <= 999 ? 1000 : twips;
}

} // namespace dorrin::organiser
