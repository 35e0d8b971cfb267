// The spreadsheet library's entry points: class factory, unload check and
// registration under the ProgID "Excel.Application".
#include "platform/com/registry.h"
#include "platform/com/server.h"
#include "platform/shell/desktop_shell.h"
#include "platform/spreadsheet/spreadsheet_app.h"

namespace {

using namespace dorrin;
using namespace dorrin::com;

ModuleCount module;

ClassRegistration applicationClass() {
  ClassRegistration c;
  c.clsid = spreadsheet::CLSID_Application;
  c.progId = spreadsheet::kProgId;
  c.typeName = "Dorrin Spreadsheet Application";
  c.version = "1.0";
  return c;
}

shell::Shell &desktopShell() {
  static shell::DesktopShell s;
  return s;
}

} // namespace

extern "C" HRESULT DllGetClassObject(const CLSID *clsid, const IID *iid, void **out) {
  if (!clsid || !iid || !out) return E_POINTER;
  *out = nullptr;
  if (*clsid != spreadsheet::CLSID_Application) return CLASS_E_CLASSNOTAVAILABLE;
  try {
    auto *factory = new ClassFactory(module, [](const IID &i, void **o) {
      spreadsheet::AppOptions options;
      options.shell = &desktopShell();
      return queryAndRelease(spreadsheet::newApplication(std::move(options), &module), i, o);
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
  try {
    return registerServerClasses(reinterpret_cast<const void *>(&DllRegisterServer), nullptr,
                                 {applicationClass()});
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

extern "C" HRESULT DllUnregisterServer() {
  try {
    return unregisterServerClasses(nullptr, {applicationClass()});
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}
