// The library's entry points: class factory, unload check and registration.
#include "platform/com/registry.h"
#include "platform/com/server.h"
#include "zelomm/mci_trace.h"
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

// Classes this library registers (the property page joins them with the bar).
ClassRegistration controlClass() {
  ClassRegistration c;
  c.clsid = zelomm::CLSID_Zelomm;
  c.progId = zelomm::kProgId;
  c.typeName = "Zelomm Control";
  c.typeLib = zelomm::LIBID_ZelommLib;
  c.version = "1.0";
  c.control = true;
  c.insertable = true;
  c.miscStatus = 0x20191; // recompose on resize, can't link inside, inside-out,
                          // activate when visible, set client site first
  c.toolboxBitmap = 1;
  return c;
}

const TypeLibRegistration typeLib{zelomm::LIBID_ZelommLib, "1.0", "ZelommLib"};

} // namespace

extern "C" HRESULT DllGetClassObject(const CLSID *clsid, const IID *iid, void **out) {
  if (!clsid || !iid || !out) return E_POINTER;
  *out = nullptr;
  if (*clsid != zelomm::CLSID_Zelomm) return CLASS_E_CLASSNOTAVAILABLE;
  try {
    auto *factory = new ClassFactory(module, [](const IID &i, void **o) {
      return queryAndRelease(new zelomm::ZelommObject(&module, controlApi()), i, o);
    });
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
    return registerServerClasses(reinterpret_cast<const void *>(&DllRegisterServer), &typeLib,
                                 {controlClass()});
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

extern "C" HRESULT DllUnregisterServer() {
  try {
    return unregisterServerClasses(&typeLib, {controlClass()});
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}
