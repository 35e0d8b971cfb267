// The launcher's clipboard record: any clipboard text is read without harm,
// and a record written for any entry reads back to that entry (kind and
// caption with "|" in its full-width form).
#include "organiser/main/launcher_store.h"
#include "platform/text/field_text.h"

#include <cstdint>
#include <cstdlib>

using namespace dorrin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
  organiser::isClipRecord(text);
  organiser::parseClipRecord(text);

  // The same bytes as an entry: kind, path and caption split at NUL.
  const QStringList parts = text.split(QChar(0));
  const QString kind = parts.value(0), path = parts.value(1), caption = parts.value(2);
  const QString record = organiser::clipRecord(42, kind, path, caption);
  if (!organiser::isClipRecord(record)) std::abort();
  const organiser::ClipFields f = organiser::parseClipRecord(record);
  if (!f.hasKind || !f.hasPath || !f.hasCaption) std::abort();
  if (f.kind != text::fieldText(kind, u"|")) std::abort();
  if (f.path != path || f.caption != text::fieldText(caption, u"|")) std::abort();
  return 0;
}
