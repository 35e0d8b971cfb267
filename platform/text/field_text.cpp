#include "platform/text/field_text.h"

#include "platform/text/cp949.h"

namespace dorrin::text {

namespace {

// Full-width forms U+FF01..U+FF5E mirror printable ASCII 0x21..0x7E.
QChar fullWidth(QChar c) {
  const char16_t u = c.unicode();
  if (u >= 0x21 && u <= 0x7E) return QChar(char16_t(u - 0x21 + 0xFF01));
  return c;
}

} // namespace

QString fieldText(QStringView typed, QStringView separators) {
  QString out;
  out.reserve(typed.size());
  for (qsizetype i = 0; i < typed.size(); ++i) {
    const QChar c = typed[i];
    if (c == u'\r') {
      if (i + 1 < typed.size() && typed[i + 1] == u'\n') ++i;
      out += u' ';
    } else if (c == u'\n' || c == u'\t') {
      out += u' ';
    } else if (separators.contains(c)) {
      out += fullWidth(c);
    } else {
      out += c;
    }
  }
  return out;
}

QString notInCp949(QStringView text) {
  QString bad;
  for (qsizetype i = 0; i < text.size(); ++i) {
    // One character: a surrogate pair is taken whole.
    qsizetype n = 1;
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) n = 2;
    const QString one = text.sliced(i, n).toString();
    i += n - 1;
    if (bad.contains(one)) continue;
    bool lossless = true;
    toCp949(one, &lossless);
    if (!lossless) bad += one;
  }
  return bad;
}

} // namespace dorrin::text
