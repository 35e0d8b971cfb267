// The settings line of "dorrat.txt": any line parses without harm, and the
// line written from what was read reads back to the same state.
#include "organiser/main/settings_line.h"
#include "platform/text/cp949.h"

#include <cstdint>
#include <cstdlib>

using namespace dorrin;
using organiser::PageState;

namespace {

bool same(const PageState &a, const PageState &b) {
  if (a.Cur_Page != b.Cur_Page || a.Desktop_Hidden != b.Desktop_Hidden || a.Win_Top != b.Win_Top ||
      a.Win_Left != b.Win_Left)
    return false;
  for (int p = 0; p < organiser::kStoredPages; ++p)
    if (a.Page_Name[p].trimmed() != b.Page_Name[p].trimmed() ||
        a.Page_Height[p] != b.Page_Height[p] || a.Page_Width[p] != b.Page_Width[p] ||
        a.Split_Height[p] != b.Split_Height[p] || a.Split_Width[p] != b.Split_Width[p] ||
        a.Pane_Height[p] != b.Pane_Height[p] || a.Pane_Width[p] != b.Pane_Width[p] ||
        a.Pane2_Height[p] != b.Pane2_Height[p])
      return false;
  for (int j = 0; j < 4; ++j)
    if (a.Back_Color[j] != b.Back_Color[j] || a.Fore_Color[j] != b.Fore_Color[j]) return false;
  return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  // As read from the file: CP949 bytes of the first line, without its ending.
  QByteArrayView bytes(data, qsizetype(size));
  if (const qsizetype lf = bytes.indexOf('\n'); lf >= 0) bytes = bytes.first(lf);
  if (bytes.endsWith('\r')) bytes.chop(1);
  const QString line = text::fromCp949(bytes);
  PageState first;
  first.setDefaults();
  organiser::parseSettingsLine(line, first);
  // What the program writes from that state: field 1 comes from Start_Page.
  first.Start_Page = first.Cur_Page;
  const QString written = organiser::formatSettingsLine(first, first.Win_Top, first.Win_Left);
  // Captions that hold "@" (only a file damaged before it reached us can
  // give one) shift the fields; the guard at entry keeps them out.
  for (int p = 0; p < organiser::kStoredPages; ++p)
    if (first.Page_Name[p].contains(u'@')) return 0;
  PageState second;
  second.setDefaults();
  organiser::parseSettingsLine(written, second);
  if (!same(first, second)) std::abort();
  return 0;
}
