#include "organiser/main/settings_file.h"

#include "organiser/main/settings_line.h"
#include "platform/forms/entry_checks.h"
#include "platform/paths/data_folder.h"
#include "platform/text/atomic_file.h"
#include "platform/text/runtime.h"
#include "platform/text/text_file.h"

namespace dorrin::organiser {

QString settingsPath() {
  return paths::resolve(QStringLiteral("c:\\Program Files\\Tessivo\\Dorrin\\dorrat.txt"));
}

void Frm_load(FrmStart &form) {
  const QString path = settingsPath();
  text::removeStaleTemporaries(path);
  // Only the first line counts; a huge file is not read beyond it.
  const auto line = text::readFirstLine(path);
  if (!line || line->isEmpty()) return;
  parseSettingsLine(*line, form.state());
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
  // On failure the state keeps what the user set, for the next save.
  QString error;
  if (text::writeLines(settingsPath(), {formatSettingsLine(s, f.top(), f.left())}, &error))
    return true;
  forms::reportSaveFailure(f.dialogs(), settingsPath(), error);
  return false;
}

} // namespace dorrin::organiser
