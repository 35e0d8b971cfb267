#include "organiser/main/page_state.h"

namespace dorrin::organiser {

const std::array<const char *, kPageCount> kDefaultPageNames = {
    "사과", "폴더", "파일", "WEB", "음악", "일정", "메모", "전화", "바탕"};

void PageState::setDefaults() {
  Win_Top = 4000;
  Win_Left = 6000;
  Start_Page = 0;
  for (int i = 0; i < kPageCount; ++i)
    Page_Name[i] = QString::fromUtf8(kDefaultPageNames[i]);
  for (int i = 0; i < kPageCount; ++i) {
    Page_Height[i] = 5000;
    Page_Width[i] = 8000;
    Split_Height[i] = 5000;
    Split_Width[i] = 8000;
    Pane_Width[i] = 3000;
    Pane_Height[i] = 3000;
    Pane2_Height[i] = 2000;
  }
  using forms::rgb;
  Back_Color = {rgb(255, 102, 0), rgb(130, 80, 180), rgb(102, 204, 0), rgb(132, 132, 51)};
  Fore_Color.fill(rgb(255, 255, 255));
}

} // namespace dorrin::organiser
