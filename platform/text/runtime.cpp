#include "platform/text/runtime.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace dorrin::text {

namespace {

bool isBlank(QChar c) {
  return c == u' ' || c == u'\t' || c == u'\n';
}
bool isDigit(QChar c) {
  return c >= u'0' && c <= u'9';
}

template <typename T> std::optional<T> roundTo(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double r = std::nearbyint(value); // the default mode rounds halves to even
  if (r < std::numeric_limits<T>::min() || r > std::numeric_limits<T>::max()) return std::nullopt;
  return static_cast<T>(r);
}

} // namespace

double val(QStringView text) {
  // Collect the leading number as plain ASCII, then read it with
  // from_chars, which ignores the locale.
  std::string num;
  qsizetype i = 0;
  const qsizetype n = text.size();
  auto skipBlanks = [&] {
    while (i < n && isBlank(text[i]))
      ++i;
  };
  auto digits = [&] {
    bool any = false;
    for (skipBlanks(); i < n && isDigit(text[i]); skipBlanks()) {
      num += char(text[i++].unicode());
      any = true;
    }
    return any;
  };
  skipBlanks();
  bool negative = false;
  if (i < n && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  bool mantissa = digits();
  if (i < n && text[i] == u'.') {
    ++i;
    num += '.';
    mantissa = digits() || mantissa;
  }
  if (!mantissa) return 0.0;
  if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
    // An exponent counts only when digits follow it.
    qsizetype j = i + 1;
    while (j < n && isBlank(text[j]))
      ++j;
    std::string exp = "e";
    if (j < n && (text[j] == u'-' || text[j] == u'+')) exp += char(text[j++].unicode());
    while (j < n && isBlank(text[j]))
      ++j;
    if (j < n && isDigit(text[j])) {
      i = j;
      num += exp;
      digits();
    }
  }
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(num.data(), num.data() + num.size(), value);
  if (ec == std::errc::result_out_of_range)
    value = num.find("e-") != std::string::npos ? 0.0 : std::numeric_limits<double>::infinity();
  return negative ? -value : value;
}

std::optional<qint16> toInt16(double value) {
  return roundTo<qint16>(value);
}
std::optional<qint32> toInt32(double value) {
  return roundTo<qint32>(value);
}
std::optional<qint16> valInt16(QStringView text) {
  return toInt16(val(text));
}
std::optional<qint32> valInt32(QStringView text) {
  return toInt32(val(text));
}

QString trim(QStringView text) {
  qsizetype b = 0, e = text.size();
  while (b < e && text[b] == u' ')
    ++b;
  while (e > b && text[e - 1] == u' ')
    --e;
  return text.sliced(b, e - b).toString();
}

QString shortDate(const QDate &date) {
  return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QDate parseShortDate(QStringView text) {
  // Exactly four, two and two digits: "2026-1-5" or " 2026-01-05" are no
  // stored dates.
  if (text.size() != 10 || text[4] != u'-' || text[7] != u'-') return {};
  for (qsizetype i : {0, 1, 2, 3, 5, 6, 8, 9})
    if (!isDigit(text[i])) return {};
  auto num = [&](qsizetype from, qsizetype len) {
    int v = 0;
    for (qsizetype i = from; i < from + len; ++i)
      v = v * 10 + (text[i].unicode() - '0');
    return v;
  };
  return QDate(num(0, 4), num(5, 2), num(8, 2)); // invalid when no such day
}

} // namespace dorrin::text
