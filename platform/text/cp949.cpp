#include "platform/text/cp949.h"

#include "platform/text/log.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace dorrin::text {

Q_LOGGING_CATEGORY(lcText, "dorrin.text", QtWarningMsg)

namespace {

constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD"; // U+FFFD

// One iconv descriptor per direction and thread; opening one loads the
// conversion module, so it is kept.
class Converter {
public:
  Converter(const char *to, const char *from) : cd_(iconv_open(to, from)) {
    if (!ok()) qCCritical(lcText) << "iconv cannot convert from" << from << "to" << to;
  }
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter &) = delete;
  Converter &operator=(const Converter &) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of `in`; on a sequence iconv rejects, appends `bad` and
  // skips skipLength(sequence) bytes, so the rest is still converted.
  template <typename Skip>
  QByteArray run(QByteArrayView input, QByteArrayView bad, Skip skipLength) {
    QByteArray out;
    out.reserve(input.size() * 3 / 2 + 16);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char *in = const_cast<char *>(input.data());
    size_t inLeft = static_cast<size_t>(input.size());
    char buf[4096];
    while (inLeft > 0) {
      char *o = buf;
      size_t oLeft = sizeof buf;
      const size_t r = iconv(cd_, &in, &inLeft, &o, &oLeft);
      const int err = errno;
      out.append(buf, o - buf);
      // Success is judged by the bytes consumed: anything left over that is
      // not an output-full condition is a sequence to replace.
      if (r == static_cast<size_t>(-1) && err != E2BIG && inLeft > 0) {
        out.append(bad.data(), bad.size());
        const size_t skip = std::min(inLeft, skipLength(static_cast<unsigned char>(*in)));
        in += skip;
        inLeft -= skip;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return out;
  }

private:
  iconv_t cd_;
};

size_t utf8Length(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF7) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

Converter &decoder() {
  thread_local Converter c("UTF-8", "CP949");
  return c;
}

Converter &encoder() {
  thread_local Converter c("CP949", "UTF-8");
  return c;
}

} // namespace

QString fromCp949(QByteArrayView bytes) {
  Converter &c = decoder();
  if (!c.ok()) { // ASCII survives; everything else is marked unreadable
    QString s;
    s.reserve(bytes.size());
    for (char b : bytes)
      s.append(static_cast<unsigned char>(b) < 0x80 ? QChar(b) : QChar(0xFFFD));
    return s;
  }
  return QString::fromUtf8(c.run(bytes, kReplacementUtf8, [](unsigned char) { return size_t(1); }));
}

QByteArray toCp949(QStringView text, bool *lossless) {
  const QByteArray utf8 = text.toUtf8();
  Converter &c = encoder();
  QByteArray out;
  if (!c.ok()) {
    for (char b : utf8)
      if (static_cast<unsigned char>(b) < 0x80)
        out.append(b);
      else if ((static_cast<unsigned char>(b) & 0xC0) != 0x80)
        out.append('?');
  } else {
    out = c.run(utf8, "?", utf8Length);
  }
  if (lossless) {
    // Every "?" that the text did not hold itself was a replacement.
    *lossless = out.count('?') == text.count(u'?');
  }
  return out;
}

} // namespace dorrin::text
