// The alarm store "timedata.txt": any file loads without harm, and the store
// written from what was loaded loads back to the same table.
#include "organiser/alarms/alarm_table.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

using namespace dorrin;
using organiser::AlarmTable;

namespace {

// A byte CP949 cannot read is loaded as U+FFFD and written back as "?".
QString asWritten(QString cell) {
  return cell.replace(QChar(0xFFFD), u'?');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  static QTemporaryDir dir;
  static const QString file = dir.filePath(QStringLiteral("timedata.txt"));
  {
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    f.write(reinterpret_cast<const char *>(data), qint64(size));
  }
  AlarmTable first;
  organiser::loadAlarmStore(first, file);
  (void)first.rowCount();
  (void)organiser::sortedOrder(first, first.rowCount());

  if (!organiser::writeAlarmStore(first, file)) std::abort();
  AlarmTable second;
  if (!organiser::loadAlarmStore(second, file)) std::abort();
  for (int r = 1; r <= organiser::kAlarmRows; ++r)
    for (int c = 0; c < organiser::kAlarmCols; ++c)
      if (asWritten(first.at(r, c)) != second.at(r, c)) std::abort();
  return 0;
}
