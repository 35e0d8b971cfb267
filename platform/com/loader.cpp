#include "platform/com/loader.h"

#include "platform/com/log.h"
#include "platform/com/registry.h"

#include <QFileInfo>
#include <dlfcn.h>
#include <map>
#include <mutex>

namespace dorrin::com {
namespace {

// Loaded server libraries by path; they stay loaded for the process.
void *loadLibrary(const std::string &path) {
  static std::mutex lock;
  static std::map<std::string, void *> loaded;
  std::lock_guard g(lock);
  if (auto it = loaded.find(path); it != loaded.end()) return it->second;
  void *h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!h) {
    qCWarning(lcCom) << "cannot load" << path.c_str() << ":" << dlerror();
    return nullptr;
  }
  loaded[path] = h;
  return h;
}

template <class Fn> Fn entry(void *library, const char *name) {
  return reinterpret_cast<Fn>(dlsym(library, name));
}

} // namespace

HRESULT clsidFromProgId(std::string_view progId, CLSID *out) {
  if (!out) return E_POINTER;
  *out = GUID_NULL;
  if (progId.empty()) return CO_E_CLASSSTRING;
  const auto text = Registry().value(std::string(progId) + "\\CLSID");
  const auto id = text ? parseGuid(*text) : std::nullopt;
  if (!id) return CO_E_CLASSSTRING;
  *out = *id;
  return S_OK;
}

HRESULT clsidFromString(std::string_view text, CLSID *out) {
  if (!out) return E_POINTER;
  if (!text.empty() && text.front() == '{') {
    const auto id = parseGuid(text);
    *out = id.value_or(GUID_NULL);
    return id ? S_OK : CO_E_CLASSSTRING;
  }
  return clsidFromProgId(text, out);
}

HRESULT getClassObject(const CLSID &clsid, const IID &iid, void **out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  try {
    const auto path = Registry().value("CLSID\\" + formatGuid(clsid) + "\\InprocServer32");
    if (!path || path->empty()) return REGDB_E_CLASSNOTREG;
    if (!QFileInfo::exists(QString::fromStdString(*path))) {
      qCWarning(lcCom) << "registered library is missing:" << path->c_str();
      return CO_E_DLLNOTFOUND;
    }
    void *lib = loadLibrary(*path);
    if (!lib) return CO_E_DLLNOTFOUND;
    auto get = entry<DllGetClassObjectFn>(lib, "DllGetClassObject");
    if (!get) return CO_E_ERRORINDLL;
    return get(&clsid, &iid, out);
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT createInstance(const CLSID &clsid, const IID &iid, void **out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  ComPtr<IClassFactory> factory;
  const HRESULT hr = getClassObject(clsid, IClassFactory::iid, factory.put());
  if (failed(hr)) return hr;
  return factory->CreateInstance(nullptr, iid, out);
}

HRESULT createInstanceByProgId(std::string_view progId, const IID &iid, void **out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  CLSID clsid;
  if (failed(clsidFromProgId(progId, &clsid))) return REGDB_E_CLASSNOTREG;
  return createInstance(clsid, iid, out);
}

HRESULT registerServer(const std::string &libraryPath, bool unregister) {
  try {
    const std::string path =
        QFileInfo(QString::fromStdString(libraryPath)).absoluteFilePath().toStdString();
    void *lib = loadLibrary(path);
    if (!lib) return CO_E_DLLNOTFOUND;
    const char *name = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto fn = entry<DllRegisterServerFn>(lib, name);
    if (!fn) return CO_E_ERRORINDLL;
    return fn();
  } catch (...) {
    return E_UNEXPECTED;
  }
}

} // namespace dorrin::com
