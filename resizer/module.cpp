// The library's entry points: class factories, unload check and registration.
#include "platform/com/registry.h"
#include "platform/com/server.h"
#include "resizer/ktresizer_object.h"
#include "resizer/ktresz30_ids.h"
#include "resizer/registration.h"

namespace {

using namespace dorrin;
using namespace dorrin::com;

ModuleCount module;

} // namespace

extern "C" HRESULT DllGetClassObject(const CLSID *clsid, const IID *iid, void **out) {
  if (!clsid || !iid || !out) return E_POINTER;
  *out = nullptr;
  try {
    if (*clsid == resizer::CLSID_KtResizer)
      return queryAndRelease(new ClassFactory(module,
                                              [](const IID &i, void **o) {
                                                return queryAndRelease(
                                                    new resizer::KtResizerObject(&module), i, o);
                                              }),
                             *iid, out);
    if (*clsid == resizer::CLSID_KtResizeOptions)
      return queryAndRelease(new ClassFactory(module,
                                              [](const IID &i, void **o) {
                                                return queryAndRelease(
                                                    new resizer::ResizeOptionsObject(&module), i,
                                                    o);
                                              }),
                             *iid, out);
    return CLASS_E_CLASSNOTAVAILABLE;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

extern "C" HRESULT DllCanUnloadNow() {
  return module.canUnload() ? S_OK : S_FALSE;
}

extern "C" HRESULT DllRegisterServer() {
  return resizer::registerLibrary(reinterpret_cast<const void *>(&DllRegisterServer));
}

extern "C" HRESULT DllUnregisterServer() {
  return resizer::unregisterLibrary();
}
