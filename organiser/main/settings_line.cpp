#include "organiser/main/settings_line.h"

#include "platform/text/field_text.h"
#include "platform/text/runtime.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace dorrin::organiser {

namespace {

constexpr QChar kSeparator = u'@';
constexpr std::int64_t kMaxColor = 0xFFFFFF;

// Text to boolean as the form runtime converts it: "True" / "False" in any
// case, or a number (non-zero is true); anything else is no boolean.
std::optional<bool> toBool(QStringView field) {
  const QString t = text::trim(field);
  if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
  if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
  bool ok = false;
  const double v = t.toDouble(&ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v != 0.0;
}

void setInt16(std::int16_t &target, QStringView field) {
  if (auto v = text::valInt16(field)) target = *v;
}

void setInt32(std::int32_t &target, QStringView field) {
  if (auto v = text::valInt32(field)) target = *v;
}

void setColor(forms::Rgb &target, QStringView field) {
  if (auto v = text::valInt32(field); v && *v >= 0 && *v <= kMaxColor)
    target = static_cast<forms::Rgb>(*v);
}

// A caption is one field of one line: a line break or tab becomes a blank.
// A damaged file may hold a lone CR inside a caption; it is read as the
// blank it will be written as, so the caption shown is the caption stored.
QString captionField(QStringView caption) {
  return text::fieldText(caption, {});
}

} // namespace

int parseSettingsLine(const QString &line, PageState &s) {
  QStringView text(line);
  while (!text.isEmpty() && (text.back() == u'\r' || text.back() == u'\n'))
    text.chop(1);
  QList<QStringView> fields = text.split(kSeparator);
  // The text after the last "@" of a complete field is no field.
  if (!fields.isEmpty() && fields.back().isEmpty()) fields.removeLast();
  const int count = static_cast<int>(fields.size());
  auto has = [&](int i) { return i < count; };

  if (has(0))
    if (auto v = toBool(fields[0])) s.Desktop_Hidden = *v;
  if (has(1))
    if (auto v = text::valInt16(fields[1]); v && *v >= 0 && *v < kPageCount) s.Cur_Page = *v;
  if (has(2)) setInt32(s.Win_Top, fields[2]);
  if (has(3)) setInt32(s.Win_Left, fields[3]);
  for (int p = 0; p < kStoredPages; ++p) {
    const int f = 4 + 8 * p;
    if (has(f)) s.Page_Name[p] = captionField(fields[f]);
    if (has(f + 1)) setInt16(s.Page_Height[p], fields[f + 1]);
    if (has(f + 2)) setInt16(s.Page_Width[p], fields[f + 2]);
    if (has(f + 3)) setInt16(s.Split_Height[p], fields[f + 3]);
    if (has(f + 4)) setInt16(s.Split_Width[p], fields[f + 4]);
    if (has(f + 5)) setInt16(s.Pane_Height[p], fields[f + 5]);
    if (has(f + 6)) setInt16(s.Pane_Width[p], fields[f + 6]);
    if (has(f + 7)) setInt16(s.Pane2_Height[p], fields[f + 7]);
  }
  for (int j = 0; j < 4; ++j) {
    const int f = 68 + 2 * j;
    if (has(f)) setColor(s.Back_Color[j], fields[f]);
    if (has(f + 1)) setColor(s.Fore_Color[j], fields[f + 1]);
  }
  return std::min(count, kSettingsFields);
}

QString formatSettingsLine(const PageState &s, int windowTop, int windowLeft) {
  QString line;
  line.reserve(512);
  auto add = [&line](const QString &field) {
    line += field;
    line += kSeparator;
  };
  auto num = [&add](auto value) { add(QString::number(value)); };

  add(s.Desktop_Hidden ? QStringLiteral("True") : QStringLiteral("False"));
  num(s.Start_Page);
  num(windowTop);
  num(windowLeft);
  for (int p = 0; p < kStoredPages; ++p) {
    add(text::trim(captionField(s.Page_Name[p])));
    num(s.Page_Height[p]);
    num(s.Page_Width[p]);
    num(s.Split_Height[p]);
    num(s.Split_Width[p]);
    num(s.Pane_Height[p]);
    num(s.Pane_Width[p]);
    num(s.Pane2_Height[p]);
  }
  for (int j = 0; j < 4; ++j) {
    num(s.Back_Color[j]);
    num(s.Fore_Color[j]);
  }
  return line;
}

} // namespace dorrin::organiser
