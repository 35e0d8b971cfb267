#include "organiser/phonebook/group_names.h"

#include "platform/text/text_file.h"

#include <QStringList>

namespace dorrin::organiser {

QString GroupNames::at(int row, int col) const {
  if (row < 0 || row > kGroupRows || col < 0 || col > kGroupCols) return {};
  return cells_[size_t(row)][size_t(col)];
}

bool GroupNames::set(int row, int col, const QString &text) {
  if (row < 0 || row > kGroupRows || col < 0 || col > kGroupCols) return false;
  cells_[size_t(row)][size_t(col)] = text;
  return true;
}

void GroupNames::applyLine(const QString &line) {
  const QStringList items = line.split(kGroupSeparator);
  for (int c = 0; c < kGroupCols; ++c)
    for (int r = 0; r < kGroupRows; ++r) {
      const qsizetype i = qsizetype(c) * kGroupRows + r;
      if (i < items.size()) cells_[size_t(r)][size_t(c)] = items[i];
    }
}

QString GroupNames::line() const {
  QString out;
  for (int c = 0; c < kGroupCols; ++c)
    for (int r = 0; r < kGroupRows; ++r) {
      out += cells_[size_t(r)][size_t(c)];
      out += kGroupSeparator;
    }
  return out;
}

std::optional<QString> readGroupLine(const QString &path) {
  const auto lines = text::readLines(path);
  if (!lines) return std::nullopt;
  return lines->isEmpty() ? QString() : lines->first();
}

} // namespace dorrin::organiser
