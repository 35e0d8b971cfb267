// The library's entry points: class factory, unload check and registration.
#include "platform/com/registry.h"
#include "platform/com/server.h"
#include "zelomm/mci_trace.h"
#include "zelomm/prop_page.h"
#include "zelomm/resources.h"
#include "zelomm/typelib.h"
#include "zelomm/zelomm_ids.h"
#include "zelomm/zelomm_object.h"

namespace {

using namespace dorrin;
using namespace dorrin::com;

ModuleCount module;

mci::Api &controlApi() {
  static zelomm::TracingApi api(mci::systemApi());
  return api;
}

// Classes this library registers.
ClassRegistration controlClass() {
  ClassRegistration c;
  c.clsid = zelomm::CLSID_Zelomm;
  c.progId = zelomm::kProgId;
  c.typeName = zelomm::loadString(zelomm::IDS_ZELOMM);
  c.typeLib = zelomm::LIBID_ZelommLib;
  c.version = "1.0";
  c.control = true;
  c.insertable = true;
  c.miscStatus = 0x20191; // recompose on resize, can't link inside, inside-out,
                          // activate when visible, set client site first
  c.toolboxBitmap = 1;
  return c;
}

ClassRegistration propertyPageClass() {
  ClassRegistration c;
  c.clsid = zelomm::CLSID_ZelommPropPage;
  c.progId = zelomm::kPropPageProgId;
  c.typeName = zelomm::loadString(zelomm::IDS_ZELOMM_PPG);
  return c;
}

TypeLibRegistration typeLib() {
  const auto &t = zelomm::typeLibInfo();
  return {zelomm::LIBID_ZelommLib, std::string(t.version), std::string(t.helpString)};
}

} // namespace

extern "C" HRESULT DllGetClassObject(const CLSID *clsid, const IID *iid, void **out) {
  if (!clsid || !iid || !out) return E_POINTER;
  *out = nullptr;
  try {
    ClassFactory *factory = nullptr;
    if (*clsid == zelomm::CLSID_Zelomm)
      factory = new ClassFactory(module, [](const IID &i, void **o) {
        return queryAndRelease(new zelomm::ZelommObject(&module, controlApi()), i, o);
      });
    else if (*clsid == zelomm::CLSID_ZelommPropPage)
      factory = new ClassFactory(module, [](const IID &i, void **o) {
        return queryAndRelease(new zelomm::ZelommPropPage(&module), i, o);
      });
    else
      return CLASS_E_CLASSNOTAVAILABLE;
    return queryAndRelease(factory, *iid, out);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

extern "C" HRESULT DllCanUnloadNow() {
  return module.canUnload() ? S_OK : S_FALSE;
}

extern "C" HRESULT DllRegisterServer() {
  try { // building the class list may throw
    const TypeLibRegistration t = typeLib();
    return registerServerClasses(reinterpret_cast<const void *>(&DllRegisterServer), &t,
                                 {controlClass(), propertyPageClass()});
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

extern "C" HRESULT DllUnregisterServer() {
  try {
    const TypeLibRegistration t = typeLib();
    return unregisterServerClasses(&t, {controlClass(), propertyPageClass()});
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}
