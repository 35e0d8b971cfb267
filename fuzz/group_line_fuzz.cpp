// The group file "GroupName.txt": any file loads without harm, and the line
// written from the groups loaded loads back to the same groups.
#include "fuzz/fuzz_input.h"
#include "organiser/phonebook/group_names.h"
#include "platform/text/text_file.h"

#include <cstdint>
#include <cstdlib>

using namespace dorrin;
using organiser::GroupNames;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const QString file = fuzz::inputFile("GroupName.txt", data, size);
  if (file.isEmpty()) std::abort();
  GroupNames first;
  if (const auto line = organiser::readGroupLine(file)) first.applyLine(*line);

  // As the phone book saves the groups.
  if (!text::writeLines(file, {first.line()})) std::abort();
  GroupNames second;
  const auto line = organiser::readGroupLine(file);
  if (!line) std::abort();
  second.applyLine(*line);
  for (int r = 0; r < organiser::kGroupRows; ++r)
    for (int c = 0; c < organiser::kGroupCols; ++c)
      if (fuzz::asWrittenInCp949(first.at(r, c)) != second.at(r, c)) std::abort();
  return 0;
}
