#pragma once
// The desktop shell's "open" action: a program is started, a document opens
// in the application associated with its type, a folder opens in the file
// manager and a web address in the browser. Results follow the classic shell
// convention: a value above 32 means the open was started, a value below 32
// is the error code of what went wrong.
#include <QString>

namespace dorrin::shell {

// Window show codes callers pass (a hint; the desktop decides).
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWDEFAULT = 10;

// Error codes that the failures of a Linux open map to.
inline constexpr int kErrorOutOfResources = 0; // the program could not be started at all
inline constexpr int kErrorFileNotFound = 2;   // the file (or the program it names) is missing
inline constexpr int kErrorPathNotFound = 3;   // a folder on the way to it is missing
inline constexpr int kErrorAccessDenied = 5;   // no permission to read or run it
inline constexpr int kErrorOutOfMemory = 8;
inline constexpr int kErrorBadFormat = 11;     // not a program this system can run
inline constexpr int kErrorNoAssociation = 31; // no application opens this type of file
// What a successful open returns (any value above 32 means success).
inline constexpr int kStarted = 42;

inline bool succeeded(int result) {
  return result > 32;
}

class Shell {
public:
  virtual ~Shell() = default;
  // Opens file: a path of a program, document or folder (relative paths are
  // taken in directory), or a web address. verb "Open" or empty is the
  // default action, the only one offered. parameters are passed to a
  // program as its arguments (split like a command line) and ignored for
  // documents. directory is the program's working folder; empty keeps ours.
  // Never blocks on what it starts and never throws.
  virtual int ShellExecute(const QString &verb, const QString &file, const QString &parameters,
                           const QString &directory, int show) = 0;
};

} // namespace dorrin::shell
