#include "resizer/properties.h"

#include "resizer/strings.h"

#include <cmath>

namespace dorrin::resizer {

namespace {
constexpr double kHimetricPerInch = 2540;

struct UnitName {
  std::string_view name;
  double perInch;
};
constexpr UnitName kUnits[] = {
    {"twip", 1440},       {"twips", 1440},       {"point", 72},        {"points", 72},
    {"inch", 1},          {"inches", 1},         {"millimeter", 25.4}, {"millimeters", 25.4},
    {"centimeter", 2.54}, {"centimeters", 2.54}, {"himetric", 2540},
};
} // namespace

ScaleUnits ScaleUnits::fromAmbient(std::string_view name, double dpi) {
  ScaleUnits u;
  u.dpi = dpi > 0 ? dpi : 96;
  if (name.empty() || com::sameName(name, "pixels") || com::sameName(name, "pixel")) return u;
  u.pixels = false;
  for (const UnitName &n : kUnits)
    if (com::sameName(n.name, name)) u.unitsPerInch = n.perInch;
  return u;
}

double ScaleUnits::toPixels(double units) const {
  if (pixels) return units;
  const double himetric = units * kHimetricPerInch / unitsPerInch;
  return std::round(himetric * dpi / kHimetricPerInch);
}

double ScaleUnits::fromPixels(double px) const {
  if (pixels) return px;
  const double himetric = px * kHimetricPerInch / dpi;
  return himetric * unitsPerInch / kHimetricPerInch;
}

float ResizerProperties::limit(Limit l) const {
  switch (l) {
  case Limit::MaxHeight:
    return maxHeight;
  case Limit::MaxWidth:
    return maxWidth;
  case Limit::MinHeight:
    return minHeight;
  case Limit::MinWidth:
    return minWidth;
  }
  return 0;
}

PutResult putLimit(ResizerProperties &p, Limit l, double value, const ScaleUnits &units) {
  if (!(value >= 0)) return {errorCode(380), false}; // also refuses NaN
  float px = value == 0 ? 0.0f : static_cast<float>(units.toPixels(value));
  if (px < 1) px = 0;
  // The other limit of the same dimension; both must be set for the check.
  const bool isMax = l == Limit::MaxHeight || l == Limit::MaxWidth;
  const bool height = l == Limit::MaxHeight || l == Limit::MinHeight;
  const float other =
      height ? (isMax ? p.minHeight : p.maxHeight) : (isMax ? p.minWidth : p.maxWidth);
  if (px != 0 && other != 0 && (isMax ? px < other : px > other)) return {errorCode(380), false};
  float &slot = l == Limit::MaxHeight   ? p.maxHeight
                : l == Limit::MaxWidth  ? p.maxWidth
                : l == Limit::MinHeight ? p.minHeight
                                        : p.minWidth;
  if (slot == px) return {};
  slot = px;
  return {com::S_OK, true};
}

double getLimit(const ResizerProperties &p, Limit l, const ScaleUnits &units) {
  const float px = p.limit(l);
  return px == 0 ? 0.0 : units.fromPixels(px);
}

PutResult putFontSize(ResizerProperties &p, bool maximum, double value) {
  if (!(value >= 0)) return {errorCode(380), false};
  const auto v = static_cast<float>(value);
  if (maximum ? v < p.minFontSize : v > p.maxFontSize) return {kFontRangeError, false};
  float &slot = maximum ? p.maxFontSize : p.minFontSize;
  if (slot == v) return {};
  slot = v;
  return {com::S_OK, true};
}

PutResult putResizeStyle(ResizerProperties &p, std::int32_t value) {
  if (value != 0 && value != 1) return {errorCode(380), false};
  if (p.resizeStyle == value) return {};
  p.resizeStyle = value;
  return {com::S_OK, true};
}

std::string errorDescription(com::HRESULT error) {
  if (error == kFontRangeError) return loadString(idsFontRange);
  const auto code = static_cast<std::uint32_t>(error);
  if (((code >> 16) & 0x1FFF) == com::FACILITY_CONTROL)
    return errorString(static_cast<int>(code & 0xFFFF));
  return com::errorText(error);
}

} // namespace dorrin::resizer
