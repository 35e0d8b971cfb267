#include "zelomm/persistence.h"

#include "platform/com/log.h"
#include "zelomm/zelomm_ctrl.h"

#include <cmath>

namespace dorrin::zelomm {
namespace {

using com::Variant;

constexpr double kHimetricPerPixel = 2540.0 / 96.0;

// Reads one property as type vt; nullopt when the bag has no such property
// or its value does not convert (reported to the log).
std::optional<Variant> read(com::IPropertyBag *bag, com::IErrorLog *log, const char *name,
                            com::VARTYPE vt) {
  Variant v;
  Variant typed;
  if (com::failed(bag->Read(name, &v, log)) || v.isEmpty()) return std::nullopt;
  if (const com::HRESULT hr = v.changeType(vt, &typed); com::failed(hr)) {
    qCWarning(com::lcCom) << "ZELOMM: saved property" << name << "is unreadable; default used";
    if (log) {
      com::ExcepInfo e;
      e.scode = hr;
      e.source = "ZELOMM.ZelommCtrl.1";
      e.description = std::string("Invalid value for ") + name;
      log->AddError(name, e);
    }
    return std::nullopt;
  }
  return typed;
}

} // namespace

com::HRESULT saveProperties(const CZelommCtrl &ctrl, QSize sizePx, com::IPropertyBag *bag) {
  if (!bag) return com::E_POINTER;
  const auto himetric = [](int px) {
    return static_cast<std::int32_t>(std::lround(px * kHimetricPerPixel));
  };
  const std::pair<const char *, Variant> values[] = {
      {"_Version", Variant(kPersistVersion)},
      {"_ExtentX", Variant(himetric(sizePx.width()))},
      {"_ExtentY", Variant(himetric(sizePx.height()))},
      {"DeviceType", Variant(ctrl.deviceType())},
      {"FileName", Variant(ctrl.fileName())},
      {"UpdateInterval", Variant(ctrl.updateInterval())},
      {"BevelWidth", Variant(ctrl.bevelWidth())},
      {"Enabled", Variant(ctrl.enabled())},
  };
  for (const auto &[name, value] : values)
    if (const com::HRESULT hr = bag->Write(name, value); com::failed(hr)) return hr;
  return com::S_OK;
}

com::HRESULT loadProperties(CZelommCtrl &ctrl, com::IPropertyBag *bag, com::IErrorLog *log,
                            QSize *sizePx) {
  if (!bag) return com::E_POINTER;
  const auto x = read(bag, log, "_ExtentX", com::VT_I4);
  const auto y = read(bag, log, "_ExtentY", com::VT_I4);
  if (sizePx && x && y && x->i4() > 0 && y->i4() > 0)
    *sizePx = QSize(static_cast<int>(std::lround(x->i4() / kHimetricPerPixel)),
                    static_cast<int>(std::lround(y->i4() / kHimetricPerPixel)));
  const auto text = [&](const char *name) {
    const auto v = read(bag, log, name, com::VT_BSTR);
    return v ? v->str() : std::string();
  };
  const auto i2 = [&](const char *name, std::int16_t fallback) {
    const auto v = read(bag, log, name, com::VT_I2);
    return v ? v->i2() : fallback;
  };
  ctrl.setDeviceType(text("DeviceType"));
  ctrl.setFileName(text("FileName"));
  ctrl.setUpdateInterval(i2("UpdateInterval", 0));
  ctrl.setBevelWidth(i2("BevelWidth", 2));
  const auto enabled = read(bag, log, "Enabled", com::VT_BOOL);
  ctrl.setEnabled(enabled ? enabled->boolVal() : true);
  return com::S_OK;
}

void initNewProperties(CZelommCtrl &ctrl) {
  ctrl.setDeviceType("");
  ctrl.setFileName("");
  ctrl.setUpdateInterval(0);
  ctrl.setBevelWidth(2);
  ctrl.setEnabled(true);
}

} // namespace dorrin::zelomm
