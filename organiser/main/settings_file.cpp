#include "organiser/main/settings_file.h"

#include "organiser/main/settings_line.h"
#include "platform/paths/data_folder.h"
#include "platform/text/runtime.h"
#include "platform/text/text_file.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcMain)

namespace dorrin::organiser {

QString settingsPath() {
  return paths::resolve(QStringLiteral("c:\\Program Files\\Tessivo\\Dorrin\\dorrat.txt"));
}

void Frm_load(FrmStart &form) {
  const auto lines = text::readLines(settingsPath());
  if (!lines || lines->isEmpty()) return;
  parseSettingsLine(lines->first(), form.state());
}

bool Frm_Save(FrmStart &f) {
  PageState &s = f.state();
  const int p = s.Cur_Page;
  // A size that does not fit its 16-bit field keeps the stored value.
  auto store = [](std::int16_t &field, int value) {
    if (auto v = text::toInt16(value)) field = *v;
  };
  if (p >= 0 && p < kPageSlots) {
    store(s.Page_Height[p], atLeast1000(f.height()));
    store(s.Page_Width[p], atLeast1000(f.width()));
    // Pages 5, 7 and 8 have no splitter of their own: their stored values stay.
    forms::KtSplitter *split =
        (p < static_cast<int>(f.Spilt.size()) && p != kPageWeek) ? f.Spilt[p] : nullptr;
    if (split) {
      store(s.Split_Height[p], split->height());
      store(s.Split_Width[p], split->width());
      store(s.Pane_Width[p], split->paneWidth(0));
      store(s.Pane_Height[p], split->paneHeight(0));
      if (p < 5) store(s.Pane2_Height[p], split->paneHeight(2));
    }
  }
  if (text::writeLines(settingsPath(), {formatSettingsLine(s, f.top(), f.left())})) return true;
  qCWarning(lcMain) << "cannot write" << settingsPath();
  return false;
}

} // namespace dorrin::organiser
