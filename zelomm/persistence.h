#pragma once
// What the control keeps in its container's saved form: format version 1.0
// (0x10000), its extent, then DeviceType, FileName, UpdateInterval and
// BevelWidth, then the stock Enabled, each by name in a property bag.
#include "platform/com/persist.h"

#include <QSize>
#include <array>
#include <string_view>

namespace dorrin::zelomm {

class CZelommCtrl;

inline constexpr std::int32_t kPersistVersion = 0x10000;
inline constexpr std::array<std::string_view, 4> kPersistedProperties = {
    "DeviceType", "FileName", "UpdateInterval", "BevelWidth"};

// Writes every property, in the order above. The extent is in HIMETRIC
// (0.01 mm) units, from the control's size in pixels at 96 per inch.
com::HRESULT saveProperties(const CZelommCtrl &ctrl, QSize sizePx, com::IPropertyBag *bag);
// Reads them back; a property the bag lacks or cannot convert takes its
// default (the latter reported to the error log). *sizePx gets the saved
// extent, or stays as it is when the bag has none.
com::HRESULT loadProperties(CZelommCtrl &ctrl, com::IPropertyBag *bag, com::IErrorLog *log,
                            QSize *sizePx);
// The defaults of a new control.
void initNewProperties(CZelommCtrl &ctrl);

} // namespace dorrin::zelomm
