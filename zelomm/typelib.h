#pragma once
// The control's type library ZelommLib 1.0: the dispatch interface _DZelomm,
// the event interface _DZelommEvents and the class Zelomm that has them as its
// default and default source. The library carries it as text in the section
// "dorrin_typelib" of its file, where a container or a tool reads it without
// loading the library (objcopy --dump-section dorrin_typelib=FILE).
#include "platform/com/automation.h"

#include <string_view>

namespace dorrin::zelomm {

struct TypeLibInfo {
  std::string_view name;    // "ZelommLib"
  std::string_view version; // "1.0"
  std::string_view helpString;
  std::string_view coclass; // "Zelomm"
  std::string_view defaultInterface, defaultSource;
};
const TypeLibInfo &typeLibInfo();

// The type library as text, in interface definition language.
std::string_view typeLibraryText();

} // namespace dorrin::zelomm
