#pragma once
// The main window's page state: which page shows, the window size of each
// page, the launcher splitter geometry per page, tab captions and the four
// pane colour pairs. Sizes are twips; colours RGB numbers.
#include "platform/forms/twips.h"

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>

namespace dorrin::organiser {

inline constexpr int kPageCount = 9;   // tabs 0..8
inline constexpr int kPageSlots = 11;  // arrays 0..10
inline constexpr int kPageWeek = 5;    // 일정
inline constexpr int kPageMemo = 6;    // 메모
inline constexpr int kPagePhone = 7;   // 전화
inline constexpr int kPageDesktop = 8; // 바탕

struct PageState {
  std::int16_t Cur_Page = 0;
  std::int16_t Start_Page = 0;
  bool Desktop_Hidden = false;
  // Window position; kept as 32-bit so positions on large desktops survive.
  std::int32_t Win_Top = 4000;
  std::int32_t Win_Left = 6000;
  std::array<QString, kPageSlots> Page_Name{};
  std::array<std::int16_t, kPageSlots> Page_Height{}, Page_Width{};
  std::array<std::int16_t, kPageSlots> Split_Height{}, Split_Width{};
  std::array<std::int16_t, kPageSlots> Pane_Width{}, Pane_Height{}, Pane2_Height{};
  std::array<forms::Rgb, 4> Back_Color{}, Fore_Color{};
  std::int16_t Link_Row_Height = 280;
  std::int16_t Row_Height = 280;
  // The working date of the week planner, the schedule list and the alarm page.
  QDate Work_Date;
  // Weekday names, 1 = Sunday .. 7 = Saturday (index 0 unused).
  std::array<QString, 8> Week_Name{};

  // Steps 10 to 12 of the start-up: every default.
  void setDefaults();
};

// Default tab captions.
extern const std::array<const char *, kPageCount> kDefaultPageNames;

} // namespace dorrin::organiser
