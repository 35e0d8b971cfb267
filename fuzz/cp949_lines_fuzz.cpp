// CP949 line files and the entry guard: any bytes read as lines without
// harm; text CP949 holds survives a write and a read unchanged; a guarded
// field never holds its separator or a line break.
#include "platform/text/cp949.h"
#include "platform/text/field_text.h"
#include "platform/text/text_file.h"

#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

using namespace dorrin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  static QTemporaryDir dir;
  static const QString file = dir.filePath(QStringLiteral("lines.txt"));
  const QByteArrayView bytes(data, qsizetype(size));
  const QString text = text::fromCp949(bytes);

  const QString field = text::fieldText(text, u"@|");
  for (QChar c : field)
    if (c == u'@' || c == u'|' || c == u'\r' || c == u'\n' || c == u'\t') std::abort();

  if (text::notInCp949(field).isEmpty()) {
    if (text::fromCp949(text::toCp949(field)) != field) std::abort();
    const QStringList lines{field, QString(), field};
    if (!text::writeLines(file, lines)) std::abort();
    const auto back = text::readLines(file);
    if (!back || *back != lines) std::abort();
    const auto first = text::readFirstLine(file);
    if (!first || *first != field) std::abort();
  }
  return 0;
}
