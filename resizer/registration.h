#pragma once
// What the library writes to the registry for its type library and its two
// classes, and removes again.
#include "platform/com/registry.h"

namespace dorrin::resizer {

com::ClassRegistration resizerClass();
com::ClassRegistration optionsClass();
// The type library's entry; its help folder follows the library at path.
com::TypeLibRegistration typeLibRegistration(const std::string &libraryPath);

com::HRESULT registerLibrary(const void *addressInLibrary);
com::HRESULT unregisterLibrary();

// MiscStatus of the control: recompose on resize, can't link inside,
// inside-out, activate when visible, invisible at run time, acts like a
// label, alignable, set client site first.
inline constexpr std::uint32_t kMiscStatus = 0x2A591;

} // namespace dorrin::resizer
