#pragma once
// The resizer's property storage with its defaults, the conversion between
// the container's scale units and pixels, and the validation rules of each
// put. Pure values: the control object raises the errors and notifies.
#include "platform/com/automation.h"

#include <string_view>

namespace dorrin::resizer {

// How values of the container's scale units map to pixels. Pixel forms use
// no conversion; other units go through HIMETRIC at the screen's logical DPI.
struct ScaleUnits {
  bool pixels = true;
  double unitsPerInch = 1440; // twips unless the container says otherwise
  double dpi = 96;

  // From the ambient scale-units text; empty or "pixels" means pixels, unknown
  // names are taken as twips (the form runtime's unit).
  static ScaleUnits fromAmbient(std::string_view name, double dpi);
  // Whole pixels (nearest).
  double toPixels(double units) const;
  double fromPixels(double pixels) const;
};

enum class Limit { MaxHeight, MaxWidth, MinHeight, MinWidth };

struct ResizerProperties {
  float maxHeight = 0; // pixels, 0 = no limit
  float maxWidth = 0;
  float minHeight = 0;
  float minWidth = 0;
  float maxFontSize = 100; // points
  float minFontSize = 1;
  std::int32_t resizeStyle = 1; // ktAllChildren
  bool resizeFonts = true;
  bool enabled = true;
  com::Variant tagVariant;

  float limit(Limit l) const;
};

// The outcome of a put: an error code (S_OK when accepted) and whether the
// stored value changed.
struct PutResult {
  com::HRESULT error = com::S_OK;
  bool changed = false;
};

PutResult putLimit(ResizerProperties &p, Limit l, double value, const ScaleUnits &units);
double getLimit(const ResizerProperties &p, Limit l, const ScaleUnits &units);
PutResult putFontSize(ResizerProperties &p, bool maximum, double value);
PutResult putResizeStyle(ResizerProperties &p, std::int32_t value);

// The text raised with an error code of the puts above.
std::string errorDescription(com::HRESULT error);

} // namespace dorrin::resizer
