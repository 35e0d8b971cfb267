#pragma once
// The alarm table Time_Data: rows 1..49 of eleven text fields, and its store
// "timedata.txt", one CP949 line of 539 items each followed by "|".
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <cstdint>
#include <vector>

namespace dorrin::organiser {

inline constexpr int kAlarmRows = 49; // rows 1..49 are used
inline constexpr int kAlarmCols = 11; // columns 0..10
inline constexpr int kAlarmStoreItems = kAlarmRows * kAlarmCols;
inline constexpr const char *kAlarmStoreFile = "timedata.txt";

// Columns of an alarm row.
enum AlarmCol : int {
  colNumber = 0,
  colOn = 1,
  colKind = 2,
  colMonth = 3,
  colDay = 4,
  colHour = 5,
  colMinute = 6,
  colSoundOn = 7,
  colSound = 8,
  colMessageOn = 9,
  colMessage = 10,
};

using AlarmRow = std::array<QString, kAlarmCols>;

struct AlarmTable {
  // Row 0 is never used; it keeps row numbers equal to indexes.
  std::array<AlarmRow, kAlarmRows + 1> rows{};

  QString &at(int r, int c) { return rows[static_cast<size_t>(r)][static_cast<size_t>(c)]; }
  const QString &at(int r, int c) const {
    return rows[static_cast<size_t>(r)][static_cast<size_t>(c)];
  }
  // Row_Count: rows among 1..49 whose column 0 is not empty.
  int rowCount() const;
  // Assigns the items of a store line to rows 1..49; items the line lacks
  // leave their cells unchanged.
  void assignLine(QStringView line);
  // The store line without its line end: every cell of rows 1..49 followed
  // by "|".
  QString storeLine() const;
};

// The store's path in the data folder.
QString alarmStorePath();
// Reads the first line of the store into the table. A missing or unreadable
// file leaves the table as it is (false).
bool loadAlarmStore(AlarmTable &table, const QString &path);
// Replaces the store with the table's line and CR LF; the old file stays
// when that fails (false, *error says why).
bool writeAlarmStore(const AlarmTable &table, const QString &path, QString *error = nullptr);

// Sort rank of a kind: "지정" 1, "매월" 2, "월".."일" 3..9, "매일" 10,
// "매시" 11, anything else 0.
int kindRank(QStringView kind);
// The row's sort key as a currency value (ten-thousandths): rank x 10^8 +
// month x 10^6 + day x 10^4 + hour x 100 + minute, each the text's numeric
// value ("*" and empty are 0).
std::int64_t sortKey(const AlarmRow &row);
// Rows 1..n in sorted order: ascending key, equal keys in their present
// order. Every row 1..n appears exactly once.
std::vector<int> sortedOrder(const AlarmTable &table, int n);

} // namespace dorrin::organiser
