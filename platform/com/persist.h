#pragma once
// Persistence through a property bag: the container hands the component a bag
// of named values to read its saved properties from or write them to.
#include "platform/com/automation.h"

#include <map>
#include <string>

namespace dorrin::com {

struct IErrorLog : IUnknown {
  static constexpr IID iid = guid("{3127CA40-446E-11CE-8135-00AA004BB851}");
  virtual HRESULT AddError(const std::string &property, const ExcepInfo &error) = 0;
};

struct IPropertyBag : IUnknown {
  static constexpr IID iid = guid("{55272A00-42CB-11CE-8135-00AA004BB851}");
  // Reads name into *value; when value holds a type on entry the bag converts to
  // it. E_INVALIDARG when the bag has no such property.
  virtual HRESULT Read(const std::string &name, Variant *value, IErrorLog *log) = 0;
  virtual HRESULT Write(const std::string &name, const Variant &value) = 0;
};

struct IPersistPropertyBag : IUnknown {
  static constexpr IID iid = guid("{37D84F60-42CB-11CE-8135-00AA004BB851}");
  virtual HRESULT GetClassID(CLSID *clsid) = 0;
  virtual HRESULT InitNew() = 0;
  virtual HRESULT Load(IPropertyBag *bag, IErrorLog *log) = 0;
  virtual HRESULT Save(IPropertyBag *bag, bool clearDirty, bool saveAllProperties) = 0;
  // S_OK when changed since the last save, S_FALSE otherwise.
  virtual HRESULT IsDirty() = 0;
};

// A bag held in memory, in name order; what a container fills from its form file.
class MemoryPropertyBag final : public Object<IPropertyBag> {
public:
  HRESULT Read(const std::string &name, Variant *value, IErrorLog *) override {
    if (!value) return E_POINTER;
    auto it = values_.find(name);
    if (it == values_.end()) return E_INVALIDARG;
    if (value->isEmpty()) {
      *value = it->second;
      return S_OK;
    }
    return it->second.changeType(value->type(), value);
  }
  HRESULT Write(const std::string &name, const Variant &value) override {
    values_[name] = value;
    return S_OK;
  }
  const std::map<std::string, Variant> &values() const { return values_; }

private:
  std::map<std::string, Variant> values_;
};

} // namespace dorrin::com
