#pragma once
// In-process servers: a shared library that exports the four entry points
// below. The host finds the library through the registry, loads it, asks
// DllGetClassObject for the class factory of a class id and creates objects.
#include "platform/com/unknown.h"

#include <exception>
#include <functional>
#include <new>

#define DORRIN_COM_EXPORT __attribute__((visibility("default")))

namespace dorrin::com {

struct IClassFactory : IUnknown {
  static constexpr IID iid = guid("{00000001-0000-0000-C000-000000000046}");
  // outer must be null (no aggregation).
  virtual HRESULT CreateInstance(IUnknown *outer, const IID &iid, void **out) = 0;
  virtual HRESULT LockServer(bool lock) = 0;
};

using DllGetClassObjectFn = HRESULT (*)(const CLSID *clsid, const IID *iid, void **out);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();

// A factory that creates objects through a function and keeps the library's
// counts. No exception leaves CreateInstance.
class ClassFactory final : public Object<IClassFactory> {
public:
  using Create = std::function<HRESULT(const IID &iid, void **out)>;
  ClassFactory(ModuleCount &module, Create create)
      : Object(&module), module_(module), create_(std::move(create)) {}

  HRESULT CreateInstance(IUnknown *outer, const IID &iid, void **out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
      return create_(iid, out);
    } catch (const std::bad_alloc &) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_UNEXPECTED;
    }
  }
  HRESULT LockServer(bool lock) override {
    lock ? ++module_.locks : --module_.locks;
    return S_OK;
  }

private:
  ModuleCount &module_;
  Create create_;
};

} // namespace dorrin::com

// The entry points every server library defines (C symbols).
extern "C" {
DORRIN_COM_EXPORT dorrin::com::HRESULT DllGetClassObject(const dorrin::com::CLSID *clsid,
                                                         const dorrin::com::IID *iid, void **out);
DORRIN_COM_EXPORT dorrin::com::HRESULT DllCanUnloadNow();
DORRIN_COM_EXPORT dorrin::com::HRESULT DllRegisterServer();
DORRIN_COM_EXPORT dorrin::com::HRESULT DllUnregisterServer();
}
