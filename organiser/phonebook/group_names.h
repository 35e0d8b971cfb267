#pragma once
// The 90 user-named contact groups: the table `Group_Names` (rows 0..29,
// columns 0..2 in use) and its store "GroupName.txt", one CP949 line of the
// 90 cells in column order, each followed by "|".
#include <QString>

#include <array>
#include <optional>

namespace dorrin::organiser {

inline constexpr int kGroupRows = 30;
inline constexpr int kGroupCols = 3;
inline constexpr QChar kGroupSeparator = u'|';
// A group cell that reads exactly this stands for all contacts.
inline constexpr const char16_t *kAllGroups = u"전체";
inline constexpr const char *kGroupFile = "C:\\Program Files\\Tessivo\\Dorrin\\GroupName.txt";

class GroupNames {
public:
  // Cell text; "" outside rows 0..30 and columns 0..3.
  QString at(int row, int col) const;
  // False (nothing changed) outside the table.
  bool set(int row, int col, const QString &text);

  // Cell (r, c) = item c * 30 + r of the line split at "|"; a cell whose
  // item is missing keeps its text.
  void applyLine(const QString &line);
  // The 90 cells in column order, each followed by "|".
  QString line() const;

private:
  // Rows 0..30 and columns 0..3 exist; only 30 x 3 are stored or shown.
  std::array<std::array<QString, kGroupCols + 1>, kGroupRows + 1> cells_;
};

// The whole first line of the group file; nullopt when it cannot be read.
std::optional<QString> readGroupLine(const QString &path);

} // namespace dorrin::organiser
