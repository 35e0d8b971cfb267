#pragma once
// Writes workbooks as .xlsx files with libxlsxwriter. Cell values keep their
// type: text stays text (a phone number keeps its leading zero), numbers are
// numbers, booleans booleans, dates are numbers shown as dates; empty text,
// Empty and Null leave the cell blank.
#include "platform/com/automation.h"

#include <QString>
#include <map>
#include <utility>
#include <vector>

namespace dorrin::spreadsheet {

struct Sheet {
  QString name;
  // (row, column) from 1, as the sheet's Cells member counts them.
  std::map<std::pair<int, int>, com::Variant> cells;
};

// Largest row and column an .xlsx sheet holds.
inline constexpr int kMaxRow = 1048576;
inline constexpr int kMaxCol = 16384;

// Writes the sheets to a new file at path; false with *error set when the
// file cannot be written (nothing is left at path then).
bool writeXlsx(const QString &path, const std::vector<Sheet> &sheets, QString *error);

// A path in folder for a new file "<stem>.xlsx", "<stem> (2).xlsx", ...
// that does not exist yet.
QString freePath(const QString &folder, const QString &stem);

// Writes the sheets to a new file in folder named after stem without ever
// replacing an existing file (the name is taken by a hard link of a complete
// temporary file, which fails on an existing name). Returns the path, or ""
// with *error set.
QString writeNewXlsx(const QString &folder, const QString &stem, const std::vector<Sheet> &sheets,
                     QString *error);

} // namespace dorrin::spreadsheet
