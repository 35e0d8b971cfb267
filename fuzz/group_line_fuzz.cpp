// The group file "GroupName.txt": any file loads without harm, and the line
// written from the groups loaded loads back to the same groups.
#include "organiser/phonebook/group_names.h"
#include "platform/text/text_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

using namespace dorrin;
using organiser::GroupNames;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  static QTemporaryDir dir;
  static const QString file = dir.filePath(QStringLiteral("GroupName.txt"));
  {
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    f.write(reinterpret_cast<const char *>(data), qint64(size));
  }
  GroupNames first;
  if (const auto line = organiser::readGroupLine(file)) first.applyLine(*line);

  // As the phone book saves the groups.
  if (!text::writeLines(file, {first.line()})) std::abort();
  GroupNames second;
  const auto line = organiser::readGroupLine(file);
  if (!line) std::abort();
  second.applyLine(*line);
  for (int r = 0; r < organiser::kGroupRows; ++r)
    for (int c = 0; c < organiser::kGroupCols; ++c) {
      // A byte CP949 cannot read is loaded as U+FFFD and written back as "?".
      QString was = first.at(r, c);
      was.replace(QChar(0xFFFD), u'?');
      if (was != second.at(r, c)) std::abort();
    }
  return 0;
}
