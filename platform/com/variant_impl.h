#pragma once
// Inline bodies of Variant's conversions (included by automation.h).
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <type_traits>

namespace dorrin::com {

namespace detail {

inline std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

inline std::optional<double> parseNumber(std::string_view s) {
  s = trim(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  double v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
constexpr long daysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}
inline void civilFromDays(long z, int &y, int &m, int &d) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}
inline constexpr long kOleEpochDays = daysFromCivil(1899, 12, 30);

inline std::optional<DATE> parseDate(std::string_view s) {
  s = trim(s);
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, se = 0;
  char tail = 0;
  const std::string text(s);
  const int n =
      std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &se, &tail);
  if (n != 3 && n != 6) return std::nullopt;
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h < 0 || h > 23 || mi < 0 || mi > 59 || se < 0 ||
      se > 59)
    return std::nullopt;
  return makeDate({y, mo, d, h, mi, se});
}

inline std::string formatShortest(double v, bool single) {
  char buf[64];
  auto r = single ? std::to_chars(buf, buf + sizeof buf, static_cast<float>(v))
                  : std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

} // namespace detail

inline DATE makeDate(const DateTime &t) {
  const long days =
      detail::daysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day)) -
      detail::kOleEpochDays;
  const double frac = (t.hour * 3600 + t.minute * 60 + t.second) / 86400.0;
  // Before the epoch the fraction still counts forward from midnight.
  return days >= 0 ? days + frac : days - frac;
}

inline DateTime splitDate(DATE d) {
  double days = std::trunc(d);
  long secs = std::lround(std::fabs(d - days) * 86400.0);
  if (secs >= 86400) {
    secs -= 86400;
    days += d >= 0 ? 1 : -1;
  }
  DateTime t;
  detail::civilFromDays(static_cast<long>(days) + detail::kOleEpochDays, t.year, t.month, t.day);
  t.hour = static_cast<int>(secs / 3600);
  t.minute = static_cast<int>(secs / 60 % 60);
  t.second = static_cast<int>(secs % 60);
  return t;
}

inline HRESULT Variant::changeType(VARTYPE to, Variant *out) const {
  if (!out) return E_POINTER;
  return convert(to, out, 0);
}

inline HRESULT Variant::convert(VARTYPE to, Variant *out, int depth) const {
  if (vt_ == to) {
    *out = *this;
    return S_OK;
  }
  if (to == VT_EMPTY) {
    *out = Variant();
    return S_OK;
  }
  if (to == VT_UNKNOWN && vt_ == VT_DISPATCH) {
    *out = Variant(static_cast<IUnknown *>(n_.disp));
    return S_OK;
  }
  if (to == VT_DISPATCH && vt_ == VT_UNKNOWN) {
    if (!n_.unk) return DISP_E_TYPEMISMATCH;
    void *p = nullptr;
    if (failed(n_.unk->QueryInterface(IDispatch::iid, &p))) return DISP_E_TYPEMISMATCH;
    auto *d = static_cast<IDispatch *>(p);
    *out = Variant(d);
    d->Release();
    return S_OK;
  }
  if (vt_ == VT_DISPATCH) { // the object's default member stands for it
    if (!n_.disp || depth > 4) return DISP_E_TYPEMISMATCH;
    Variant value;
    DispParams none;
    const HRESULT hr =
        n_.disp->Invoke(DISPID_VALUE, DISPATCH_PROPERTYGET, none, &value, nullptr, nullptr);
    if (failed(hr)) return DISP_E_TYPEMISMATCH;
    return value.convert(to, out, depth + 1);
  }
  if (vt_ == VT_NULL || vt_ == VT_UNKNOWN || to == VT_NULL || to == VT_UNKNOWN || to == VT_DISPATCH)
    return DISP_E_TYPEMISMATCH;

  if (to == VT_BSTR) {
    switch (vt_) {
    case VT_EMPTY:
      *out = Variant(std::string());
      return S_OK;
    case VT_I2:
      *out = Variant(std::to_string(n_.i2));
      return S_OK;
    case VT_I4:
      *out = Variant(std::to_string(n_.i4));
      return S_OK;
    case VT_UI1:
      *out = Variant(std::to_string(n_.ui1));
      return S_OK;
    case VT_R4:
      *out = Variant(detail::formatShortest(n_.r4, true));
      return S_OK;
    case VT_R8:
      *out = Variant(detail::formatShortest(n_.r8, false));
      return S_OK;
    case VT_BOOL:
      *out = Variant(n_.b ? "True" : "False");
      return S_OK;
    case VT_DATE: {
      const DateTime t = splitDate(n_.r8);
      char buf[40];
      if (t.hour || t.minute || t.second)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                      t.hour, t.minute, t.second);
      else
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.year, t.month, t.day);
      *out = Variant(buf);
      return S_OK;
    }
    default:
      return DISP_E_TYPEMISMATCH;
    }
  }

  // Every remaining target is numeric: find the source's numeric value.
  double v = 0;
  switch (vt_) {
  case VT_EMPTY:
    v = 0;
    break;
  case VT_I2:
    v = n_.i2;
    break;
  case VT_I4:
    v = n_.i4;
    break;
  case VT_UI1:
    v = n_.ui1;
    break;
  case VT_R4:
    v = n_.r4;
    break;
  case VT_R8:
  case VT_DATE:
    v = n_.r8;
    break;
  case VT_BOOL:
    v = n_.b ? -1 : 0;
    break;
  case VT_ERROR:
    if (to != VT_I4) return DISP_E_TYPEMISMATCH;
    v = n_.scode;
    break;
  case VT_BSTR: {
    if (to == VT_BOOL) {
      const std::string_view t = detail::trim(s_);
      if (sameName(t, "true")) {
        *out = Variant(true);
        return S_OK;
      }
      if (sameName(t, "false")) {
        *out = Variant(false);
        return S_OK;
      }
    }
    if (to == VT_DATE) {
      if (auto d = detail::parseDate(s_)) {
        *out = Variant::fromDate(*d);
        return S_OK;
      }
    }
    auto n = detail::parseNumber(s_);
    if (!n) return DISP_E_TYPEMISMATCH;
    v = *n;
    break;
  }
  default:
    return DISP_E_TYPEMISMATCH;
  }

  auto integral = [&](double lo, double hi, auto make) -> HRESULT {
    const double r = std::nearbyint(v); // round half to even
    if (!(r >= lo && r <= hi)) return DISP_E_OVERFLOW;
    *out = make(r);
    return S_OK;
  };
  switch (to) {
  case VT_I2:
    return integral(-32768, 32767, [](double r) { return Variant(static_cast<std::int16_t>(r)); });
  case VT_I4:
    return integral(-2147483648.0, 2147483647.0,
                    [](double r) { return Variant(static_cast<std::int32_t>(r)); });
  case VT_UI1:
    return integral(0, 255, [](double r) { return Variant(static_cast<std::uint8_t>(r)); });
  case VT_R4:
    if (std::fabs(v) > std::numeric_limits<float>::max()) return DISP_E_OVERFLOW;
    *out = Variant(static_cast<float>(v));
    return S_OK;
  case VT_R8:
    *out = Variant(v);
    return S_OK;
  case VT_DATE:
    *out = Variant::fromDate(v);
    return S_OK;
  case VT_BOOL:
    *out = Variant(v != 0);
    return S_OK;
  case VT_ERROR:
    if (vt_ != VT_I4) return DISP_E_TYPEMISMATCH;
    *out = Variant::fromError(n_.i4);
    return S_OK;
  default:
    return DISP_E_BADVARTYPE;
  }
}

template <class T> std::optional<T> Variant::as(VARTYPE t) const {
  Variant v;
  if (failed(convert(t, &v, 0))) return std::nullopt;
  if constexpr (std::is_same_v<T, std::int16_t>)
    return v.n_.i2;
  else if constexpr (std::is_same_v<T, std::int32_t>)
    return v.n_.i4;
  else if constexpr (std::is_same_v<T, float>)
    return v.n_.r4;
  else if constexpr (std::is_same_v<T, double>)
    return v.n_.r8;
  else if constexpr (std::is_same_v<T, bool>)
    return v.n_.b;
  else
    return v.s_;
}

inline std::string Variant::debugString() const {
  switch (vt_) {
  case VT_EMPTY:
    return "EMPTY";
  case VT_NULL:
    return "NULL";
  case VT_I2:
    return "I2 " + std::to_string(n_.i2);
  case VT_I4:
    return "I4 " + std::to_string(n_.i4);
  case VT_UI1:
    return "UI1 " + std::to_string(n_.ui1);
  case VT_R4:
    return "R4 " + detail::formatShortest(n_.r4, true);
  case VT_R8:
    return "R8 " + detail::formatShortest(n_.r8, false);
  case VT_DATE:
    return "DATE " + *toString();
  case VT_BOOL:
    return n_.b ? "BOOL True" : "BOOL False";
  case VT_ERROR:
    return "ERROR " + hresultHex(n_.scode);
  case VT_BSTR:
    return "BSTR \"" + s_ + "\"";
  case VT_DISPATCH:
    return "DISPATCH";
  case VT_UNKNOWN:
    return "UNKNOWN";
  }
  return "?";
}

} // namespace dorrin::com
