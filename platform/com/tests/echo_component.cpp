// A minimal server library for the component layer's tests: one class with a
// text and a number property, a method that fires an event, a member that
// reports the container's user mode and one that raises an error.
#include "platform/com/connection.h"
#include "platform/com/control.h"
#include "platform/com/registry.h"
#include "platform/com/server.h"

using namespace dorrin::com;

namespace {

constexpr CLSID kClsid = guid("{5E0C1A00-7D31-4C6B-9A52-0D0F00E0C001}");
constexpr IID kDispIid = guid("{5E0C1A01-7D31-4C6B-9A52-0D0F00E0C001}");
constexpr IID kEventsIid = guid("{5E0C1A02-7D31-4C6B-9A52-0D0F00E0C001}");
constexpr GUID kTypeLib = guid("{5E0C1A03-7D31-4C6B-9A52-0D0F00E0C001}");

ModuleCount module;

ClassRegistration registration() {
  ClassRegistration c;
  c.clsid = kClsid;
  c.progId = "DorrinTest.Echo.1";
  c.typeName = "Echo Test Object";
  c.typeLib = kTypeLib;
  c.version = "1.0";
  return c;
}

class Echo final : public Object<IDispatch, IConnectionPointContainer, IOleObject> {
public:
  Echo() : Object(&module), events_(new ConnectionPoint(this, kEventsIid)) {}
  ~Echo() override {
    events_->detach();
    events_->Release();
  }

  HRESULT GetIDsOfNames(const std::string *names, unsigned count, DISPID *ids) override {
    static const char *const members[] = {"", "Text", "Number", "Fire", "UserMode", "Fail"};
    HRESULT hr = S_OK;
    for (unsigned i = 0; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      for (int m = 1; m <= 5; ++m)
        if (sameName(names[i], members[m])) ids[i] = m;
      if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
  }
  HRESULT Invoke(DISPID id, std::uint16_t flags, DispParams &p, Variant *result, ExcepInfo *ei,
                 unsigned *) override {
    try {
      const bool put = flags & DISPATCH_PROPERTYPUT;
      switch (id) {
      case 1:
      case 2: {
        if (put) {
          if (p.args.size() != 1) return DISP_E_BADPARAMCOUNT;
          Variant v;
          const HRESULT hr = p.args[0].changeType(id == 1 ? VT_BSTR : VT_I4, &v);
          if (failed(hr)) return hr;
          (id == 1 ? text_ : number_) = v;
        } else if (result)
          *result = id == 1 ? text_ : number_;
        return S_OK;
      }
      case 3:
        events_->fire(1, {text_});
        return S_OK;
      case 4:
        if (result) *result = Variant(ambientUserMode(site_.get()));
        return S_OK;
      case 5:
        return raiseError(ei, CTL_E_SETNOTSUPPORTED, "Property is read-only.", "Echo");
      default:
        return DISP_E_MEMBERNOTFOUND;
      }
    } catch (...) {
      return E_UNEXPECTED;
    }
  }

  HRESULT FindConnectionPoint(const IID &iid, IConnectionPoint **out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != kEventsIid) return CONNECT_E_NOCONNECTION;
    events_->AddRef();
    *out = events_;
    return S_OK;
  }

  HRESULT SetClientSite(IOleClientSite *site) override {
    site_ = ComPtr<IOleClientSite>(site);
    return S_OK;
  }
  HRESULT GetClientSite(IOleClientSite **out) override {
    if (!out) return E_POINTER;
    *out = ComPtr<IOleClientSite>(site_).detach();
    return S_OK;
  }
  HRESULT Close() override { return S_OK; }

protected:
  void *queryExtra(const IID &iid) override {
    return iid == kDispIid ? static_cast<IDispatch *>(this) : nullptr;
  }

private:
  Variant text_{std::string()};
  Variant number_{std::int32_t{0}};
  ConnectionPoint *events_;
  ComPtr<IOleClientSite> site_;
};

} // namespace

extern "C" HRESULT DllGetClassObject(const CLSID *clsid, const IID *iid, void **out) {
  if (!clsid || !iid || !out) return E_POINTER;
  *out = nullptr;
  if (*clsid != kClsid) return CLASS_E_CLASSNOTAVAILABLE;
  try {
    return queryAndRelease(
        new ClassFactory(module,
                         [](const IID &i, void **o) { return queryAndRelease(new Echo, i, o); }),
        *iid, out);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

extern "C" HRESULT DllCanUnloadNow() {
  return module.canUnload() ? S_OK : S_FALSE;
}

extern "C" HRESULT DllRegisterServer() {
  try { // building the descriptions may throw
    const TypeLibRegistration lib{kTypeLib, "1.0", "Echo test library"};
    return registerServerClasses(reinterpret_cast<const void *>(&DllRegisterServer), &lib,
                                 {registration()});
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

extern "C" HRESULT DllUnregisterServer() {
  try {
    const TypeLibRegistration lib{kTypeLib, "1.0", {}};
    return unregisterServerClasses(&lib, {registration()});
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}
