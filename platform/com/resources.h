#pragma once
// Resources carried inside a server library: each is a named section of the
// library's ELF file (the type library, the toolbox picture), read from the
// file without loading the library. A library defines one with
//   __attribute__((section("dorrin_toolbox"), used)) const char picture[] = "...";
#include "platform/com/guid.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace dorrin::com {

// The bytes of the named section, or nullopt when the file is no 64-bit
// little-endian ELF file or has no such section.
std::optional<QByteArray> readLibrarySection(const QString &libraryPath, const char *name);

// The library a registered class lives in (its InprocServer32), empty when
// the class is not registered.
QString registeredLibrary(const CLSID &clsid);

} // namespace dorrin::com
