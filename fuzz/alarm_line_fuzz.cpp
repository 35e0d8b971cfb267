// The alarm store "timedata.txt": any file loads without harm, and the store
// written from what was loaded loads back to the same table.
#include "fuzz/fuzz_input.h"
#include "organiser/alarms/alarm_table.h"

#include <cstdint>
#include <cstdlib>

using namespace dorrin;
using organiser::AlarmTable;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const QString file = fuzz::inputFile("timedata.txt", data, size);
  if (file.isEmpty()) std::abort();
  AlarmTable first;
  organiser::loadAlarmStore(first, file);
  (void)first.rowCount();
  (void)organiser::sortedOrder(first, first.rowCount());

  if (!organiser::writeAlarmStore(first, file)) std::abort();
  AlarmTable second;
  if (!organiser::loadAlarmStore(second, file)) std::abort();
  for (int r = 1; r <= organiser::kAlarmRows; ++r)
    for (int c = 0; c < organiser::kAlarmCols; ++c)
      if (fuzz::asWrittenInCp949(first.at(r, c)) != second.at(r, c)) std::abort();
  return 0;
}
