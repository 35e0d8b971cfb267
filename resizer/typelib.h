#pragma once
// The type library "Ambrel" 3.0 as data: the enumeration, the interfaces with
// their members and help strings, and the classes. Name lookup of the
// dispatch interfaces and the Designer plugin's texts come from here.
#include "platform/com/automation.h"

#include <span>
#include <string_view>

namespace dorrin::resizer {

enum class MemberKind : std::uint8_t { Property, Method };

struct TypeMember {
  com::DISPID id;
  std::string_view name;
  MemberKind kind;
  com::VARTYPE type; // VT_EMPTY for methods; VT_I4 for the enumeration; VT_EMPTY+variant below
  bool putRef;       // also put-by-reference
  std::string_view help;
};

struct TypeInterface {
  std::string_view name;
  com::IID iid;
  std::string_view help;
  std::span<const TypeMember> members;
};

struct TypeEnumValue {
  std::string_view name;
  std::int32_t value;
};

struct TypeLibrary {
  std::string_view name;
  int major, minor;
  std::uint32_t lcid;
  std::string_view help;
  std::string_view helpFile;
  com::GUID libid;
  std::string_view enumName;
  std::string_view enumHelp;
  std::span<const TypeEnumValue> enumValues;
  TypeInterface options, resizer, events;
  std::string_view optionsClassHelp; // "KtResizeOptions Object"
  std::string_view resizerClassHelp; // "KtResizer Control"
};

const TypeLibrary &typeLibrary();

// Looks names up in one interface, case-insensitively (GetIDsOfNames).
com::HRESULT idsOfNames(const TypeInterface &itf, const std::string *names, unsigned count,
                        com::DISPID *ids);
const TypeMember *findMember(const TypeInterface &itf, com::DISPID id);

} // namespace dorrin::resizer
