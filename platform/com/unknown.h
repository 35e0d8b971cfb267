#pragma once
// Reference-counted interfaces. Every interface derives from IUnknown and names
// its id as `iid`; objects hand out interfaces through QueryInterface and free
// themselves when the last reference is released. Interfaces are pure abstract
// classes so a library and its host share nothing but these headers.
#include "platform/com/guid.h"
#include "platform/com/hresult.h"

#include <atomic>
#include <cstdint>
#include <utility>

namespace dorrin::com {

struct IUnknown {
  static constexpr IID iid = guid("{00000000-0000-0000-C000-000000000046}");
  virtual HRESULT QueryInterface(const IID &iid, void **out) = 0;
  virtual std::uint32_t AddRef() = 0;
  virtual std::uint32_t Release() = 0;

protected:
  ~IUnknown() = default; // objects are freed by Release, never deleted through an interface
};

// Owning pointer to an interface: copies AddRef, destruction Releases.
template <class T> class ComPtr {
public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a new reference on p.
  explicit ComPtr(T *p) : p_(p) {
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr &o) : ComPtr(o.p_) {}
  ComPtr(ComPtr &&o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr &operator=(ComPtr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  // Adopts a reference the caller already owns (e.g. from QueryInterface).
  static ComPtr adopt(T *p) {
    ComPtr c;
    c.p_ = p;
    return c;
  }
  void reset() {
    if (T *p = std::exchange(p_, nullptr)) p->Release();
  }
  T *detach() { return std::exchange(p_, nullptr); }
  T *get() const { return p_; }
  T *operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // Releases the current pointer and returns the slot for an out-parameter,
  // as T** or as the void** of QueryInterface.
  struct Slot {
    T **p;
    operator T **() const { return p; }
    operator void **() const { return reinterpret_cast<void **>(p); }
  };
  Slot put() {
    reset();
    return {&p_};
  }
  // QueryInterface for U; empty when the object does not offer it.
  template <class U> ComPtr<U> as() const {
    ComPtr<U> u;
    if (p_) p_->QueryInterface(U::iid, u.put());
    return u;
  }

private:
  T *p_ = nullptr;
};

// Live objects and server locks of one library, for DllCanUnloadNow. Each
// library owns one instance.
struct ModuleCount {
  std::atomic<long> objects{0};
  std::atomic<long> locks{0};
  bool canUnload() const { return objects.load() == 0 && locks.load() == 0; }
};

// Implements IUnknown for an object offering Interfaces... (the first one also
// serves as its IUnknown). Derived classes may add ids that map onto one of
// their interfaces by overriding queryExtra, e.g. a dispatch interface's own id.
template <class... Interfaces> class Object : public Interfaces... {
public:
  explicit Object(ModuleCount *module = nullptr) : module_(module) {
    if (module_) ++module_->objects;
  }
  Object(const Object &) = delete;
  Object &operator=(const Object &) = delete;

  HRESULT QueryInterface(const IID &id, void **out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (id == IUnknown::iid)
      *out = static_cast<First *>(this);
    else
      (void)((id == Interfaces::iid ? (*out = static_cast<Interfaces *>(this), true) : false) ||
             ...);
    if (!*out) *out = queryExtra(id);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  std::uint32_t AddRef() override { return ++refs_; }
  std::uint32_t Release() override {
    const std::uint32_t n = --refs_;
    if (n == 0) delete this;
    return n;
  }

protected:
  virtual ~Object() {
    if (module_) --module_->objects;
  }
  virtual void *queryExtra(const IID &) { return nullptr; }

private:
  template <class F, class...> struct Front { using type = F; };
  using First = typename Front<Interfaces...>::type;
  std::atomic<std::uint32_t> refs_{1}; // the creator holds the first reference
  ModuleCount *module_;
};

// Creates an object with `new`, asks it for iid and drops the creator's
// reference, the usual tail of CreateInstance.
template <class T> HRESULT queryAndRelease(T *object, const IID &iid, void **out) {
  const HRESULT hr = object->QueryInterface(iid, out);
  object->Release();
  return hr;
}

} // namespace dorrin::com
