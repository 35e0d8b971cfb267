#pragma once
// Late-bound calls: the dispatch interface (members addressed by dispatch id,
// arguments and results as variants) and the error record a member raises to
// its caller.
#include "platform/com/unknown.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorrin::com {

using DISPID = std::int32_t;
inline constexpr DISPID DISPID_VALUE = 0;
inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_PROPERTYPUT = -3;
// Stock members of controls.
inline constexpr DISPID DISPID_ENABLED = -514;
inline constexpr DISPID DISPID_HWND = -515;
inline constexpr DISPID DISPID_ABOUTBOX = -552;
inline constexpr DISPID DISPID_CLICK = -600;

// Invoke flags.
inline constexpr std::uint16_t DISPATCH_METHOD = 1;
inline constexpr std::uint16_t DISPATCH_PROPERTYGET = 2;
inline constexpr std::uint16_t DISPATCH_PROPERTYPUT = 4;
inline constexpr std::uint16_t DISPATCH_PROPERTYPUTREF = 8;

enum VARTYPE : std::uint16_t {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_ERROR = 10,
  VT_BOOL = 11,
  VT_UNKNOWN = 13,
  VT_UI1 = 17,
};

// Days since 1899-12-30; the fraction is the time of day.
using DATE = double;

class Variant;

// An error raised by a member: Invoke returns DISP_E_EXCEPTION and fills this.
struct ExcepInfo {
  std::uint16_t code = 0; // application error number, or 0 when scode is used
  std::string source;
  std::string description;
  HRESULT scode = S_OK;
  // The number a Basic-style container reports (383 for "read-only").
  long number() const {
    if (code) return code;
    if (((static_cast<std::uint32_t>(scode) >> 16) & 0x1FFF) == FACILITY_CONTROL)
      return static_cast<long>(static_cast<std::uint32_t>(scode) & 0xFFFF);
    return scode;
  }
};

// Arguments of one call, in call order (first argument first). A property put
// passes the new value as the last argument.
struct DispParams;

struct IDispatch : IUnknown {
  static constexpr IID iid = guid("{00020400-0000-0000-C000-000000000046}");
  // Member names (case-insensitive) to dispatch ids; unknown names give
  // DISPID_UNKNOWN and DISP_E_UNKNOWNNAME.
  virtual HRESULT GetIDsOfNames(const std::string *names, unsigned count, DISPID *ids) = 0;
  // Calls member with flags DISPATCH_METHOD / PROPERTYGET / PROPERTYPUT. result,
  // excepInfo and argErr may be null. argErr receives the index of a bad argument.
  virtual HRESULT Invoke(DISPID member, std::uint16_t flags, DispParams &params, Variant *result,
                         ExcepInfo *excepInfo, unsigned *argErr) = 0;
};

// A value of one of the types above. Strings are UTF-8 and owned by the
// variant; interface pointers hold a reference.
class Variant {
public:
  Variant() noexcept {}
  Variant(std::int16_t v) noexcept : vt_(VT_I2) { n_.i2 = v; }
  Variant(std::int32_t v) noexcept : vt_(VT_I4) { n_.i4 = v; }
  Variant(std::uint8_t v) noexcept : vt_(VT_UI1) { n_.ui1 = v; }
  Variant(float v) noexcept : vt_(VT_R4) { n_.r4 = v; }
  Variant(double v) noexcept : vt_(VT_R8) { n_.r8 = v; }
  Variant(bool v) noexcept : vt_(VT_BOOL) { n_.b = v; }
  Variant(std::string v) : vt_(VT_BSTR), s_(std::move(v)) {}
  Variant(std::string_view v) : vt_(VT_BSTR), s_(v) {}
  Variant(const char *v) : vt_(VT_BSTR), s_(v ? v : "") {}
  Variant(IDispatch *p) noexcept : vt_(VT_DISPATCH) {
    n_.disp = p;
    if (p) p->AddRef();
  }
  Variant(IUnknown *p) noexcept : vt_(VT_UNKNOWN) {
    n_.unk = p;
    if (p) p->AddRef();
  }
  static Variant fromDate(DATE d) {
    Variant v;
    v.vt_ = VT_DATE;
    v.n_.r8 = d;
    return v;
  }
  static Variant fromError(HRESULT e) {
    Variant v;
    v.vt_ = VT_ERROR;
    v.n_.scode = e;
    return v;
  }
  static Variant null() {
    Variant v;
    v.vt_ = VT_NULL;
    return v;
  }
  // The marker for an omitted optional argument.
  static Variant missing() { return fromError(DISP_E_PARAMNOTFOUND); }

  Variant(const Variant &o) : vt_(o.vt_), n_(o.n_), s_(o.s_) { addRef(); }
  Variant(Variant &&o) noexcept : vt_(o.vt_), n_(o.n_), s_(std::move(o.s_)) { o.vt_ = VT_EMPTY; }
  Variant &operator=(Variant o) noexcept {
    std::swap(vt_, o.vt_);
    std::swap(n_, o.n_);
    std::swap(s_, o.s_);
    return *this;
  }
  ~Variant() { clear(); }

  void clear() noexcept {
    if (vt_ == VT_DISPATCH && n_.disp) n_.disp->Release();
    if (vt_ == VT_UNKNOWN && n_.unk) n_.unk->Release();
    vt_ = VT_EMPTY;
    n_.r8 = 0;
    s_.clear();
  }

  VARTYPE type() const { return vt_; }
  bool isEmpty() const { return vt_ == VT_EMPTY; }
  // Raw access; the zero value when the variant holds another type.
  std::int16_t i2() const { return vt_ == VT_I2 ? n_.i2 : 0; }
  std::int32_t i4() const { return vt_ == VT_I4 ? n_.i4 : 0; }
  std::uint8_t ui1() const { return vt_ == VT_UI1 ? n_.ui1 : 0; }
  float r4() const { return vt_ == VT_R4 ? n_.r4 : 0.0f; }
  double r8() const { return vt_ == VT_R8 ? n_.r8 : 0.0; }
  DATE date() const { return vt_ == VT_DATE ? n_.r8 : 0.0; }
  bool boolVal() const { return vt_ == VT_BOOL && n_.b; }
  HRESULT scode() const { return vt_ == VT_ERROR ? n_.scode : S_OK; }
  const std::string &str() const { return s_; } // empty unless VT_BSTR
  IDispatch *dispatch() const { return vt_ == VT_DISPATCH ? n_.disp : nullptr; }
  IUnknown *unknown() const {
    if (vt_ == VT_UNKNOWN) return n_.unk;
    if (vt_ == VT_DISPATCH) return n_.disp;
    return nullptr;
  }

  // Converts to type `to` with the usual automation rules: numbers round half to
  // even and fail with DISP_E_OVERFLOW outside the target range; text parses as
  // a number ("True"/"False" for booleans, "YYYY-MM-DD[ HH:MM:SS]" for dates) or
  // fails with DISP_E_TYPEMISMATCH; booleans are -1/0 as numbers and
  // "True"/"False" as text; an object converts through its default member.
  HRESULT changeType(VARTYPE to, Variant *out) const;

  std::optional<std::int16_t> toI2() const { return as<std::int16_t>(VT_I2); }
  std::optional<std::int32_t> toI4() const { return as<std::int32_t>(VT_I4); }
  std::optional<float> toR4() const { return as<float>(VT_R4); }
  std::optional<double> toR8() const { return as<double>(VT_R8); }
  std::optional<bool> toBool() const { return as<bool>(VT_BOOL); }
  std::optional<DATE> toDate() const { return as<DATE>(VT_DATE); }
  std::optional<std::string> toString() const { return as<std::string>(VT_BSTR); }

  friend bool operator==(const Variant &a, const Variant &b) {
    if (a.vt_ != b.vt_) return false;
    switch (a.vt_) {
    case VT_EMPTY:
    case VT_NULL:
      return true;
    case VT_I2:
      return a.n_.i2 == b.n_.i2;
    case VT_I4:
      return a.n_.i4 == b.n_.i4;
    case VT_UI1:
      return a.n_.ui1 == b.n_.ui1;
    case VT_R4:
      return a.n_.r4 == b.n_.r4;
    case VT_R8:
    case VT_DATE:
      return a.n_.r8 == b.n_.r8;
    case VT_BOOL:
      return a.n_.b == b.n_.b;
    case VT_ERROR:
      return a.n_.scode == b.n_.scode;
    case VT_BSTR:
      return a.s_ == b.s_;
    case VT_DISPATCH:
      return a.n_.disp == b.n_.disp;
    case VT_UNKNOWN:
      return a.n_.unk == b.n_.unk;
    }
    return false;
  }

  // "I4 42", "BSTR \"x\"" and so on, for test output and logs.
  std::string debugString() const;

private:
  template <class T> std::optional<T> as(VARTYPE t) const;
  HRESULT convert(VARTYPE to, Variant *out, int depth) const;
  void addRef() noexcept {
    if (vt_ == VT_DISPATCH && n_.disp) n_.disp->AddRef();
    if (vt_ == VT_UNKNOWN && n_.unk) n_.unk->AddRef();
  }

  VARTYPE vt_ = VT_EMPTY;
  union Scalar {
    std::int16_t i2;
    std::int32_t i4;
    std::uint8_t ui1;
    float r4;
    double r8;
    bool b;
    HRESULT scode;
    IDispatch *disp;
    IUnknown *unk;
  } n_{.r8 = 0};
  std::string s_;
};

struct DispParams {
  std::vector<Variant> args;
};

// Calendar helpers for DATE values.
struct DateTime {
  int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
};
inline DATE makeDate(const DateTime &t);
// Splits a DATE, rounded to the second.
inline DateTime splitDate(DATE d);

// Fills *ei (when given) and returns DISP_E_EXCEPTION, the way a member raises
// an error to its caller.
inline HRESULT raiseError(ExcepInfo *ei, HRESULT scode, std::string description,
                          std::string source = {}) {
  if (ei) {
    ei->code = 0;
    ei->scode = scode;
    ei->description = std::move(description);
    ei->source = std::move(source);
  }
  return DISP_E_EXCEPTION;
}

// Container-side shorthands.
inline HRESULT getProperty(IDispatch *d, DISPID id, Variant *out, ExcepInfo *ei = nullptr) {
  if (!d) return E_POINTER;
  DispParams p;
  return d->Invoke(id, DISPATCH_PROPERTYGET, p, out, ei, nullptr);
}
inline HRESULT putProperty(IDispatch *d, DISPID id, Variant value, ExcepInfo *ei = nullptr) {
  if (!d) return E_POINTER;
  DispParams p;
  p.args.push_back(std::move(value));
  return d->Invoke(id, DISPATCH_PROPERTYPUT, p, nullptr, ei, nullptr);
}
inline HRESULT callMethod(IDispatch *d, DISPID id, std::vector<Variant> args = {},
                          Variant *result = nullptr, ExcepInfo *ei = nullptr) {
  if (!d) return E_POINTER;
  DispParams p{std::move(args)};
  return d->Invoke(id, DISPATCH_METHOD, p, result, ei, nullptr);
}
inline HRESULT getIdOfName(IDispatch *d, const std::string &name, DISPID *id) {
  if (!d || !id) return E_POINTER;
  return d->GetIDsOfNames(&name, 1, id);
}

// Case-insensitive comparison of ASCII member names.
inline bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

} // namespace dorrin::com

#include "platform/com/variant_impl.h"
