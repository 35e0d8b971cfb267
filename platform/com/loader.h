#pragma once
// Creating components through the registry: class id (or ProgID) -> library
// path -> load the library (it stays loaded) -> DllGetClassObject -> factory ->
// CreateInstance. Failures come back as result codes, never as exceptions.
#include "platform/com/server.h"

#include <string>
#include <string_view>

namespace dorrin::com {

// CO_E_CLASSSTRING when the ProgID is not registered.
HRESULT clsidFromProgId(std::string_view progId, CLSID *out);
// "{…}" text or a ProgID.
HRESULT clsidFromString(std::string_view text, CLSID *out);
// REGDB_E_CLASSNOTREG when the class has no registered library,
// CO_E_DLLNOTFOUND when the library cannot be loaded, CO_E_ERRORINDLL when it
// is no server.
HRESULT getClassObject(const CLSID &clsid, const IID &iid, void **out);
HRESULT createInstance(const CLSID &clsid, const IID &iid, void **out);
// As createInstance; REGDB_E_CLASSNOTREG when the ProgID is not registered.
HRESULT createInstanceByProgId(std::string_view progId, const IID &iid, void **out);

template <class T> HRESULT createInstance(const CLSID &clsid, ComPtr<T> *out) {
  return createInstance(clsid, T::iid, out->put());
}
template <class T> HRESULT createInstanceByProgId(std::string_view progId, ComPtr<T> *out) {
  return createInstanceByProgId(progId, T::iid, out->put());
}

// Loads a server library and calls its DllRegisterServer (or
// DllUnregisterServer), as a registration tool does.
HRESULT registerServer(const std::string &libraryPath, bool unregister = false);

} // namespace dorrin::com
