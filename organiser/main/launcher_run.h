#pragma once
// Running a launcher entry: a web address goes to the browser, anything
// else (program, document, folder) to the desktop shell's open action,
// whose failures are reported with the shell's Korean messages.
#include <QString>

namespace dorrin::forms {
class Dialogs;
}
namespace dorrin::shell {
class Shell;
}

namespace dorrin::organiser {

// The message for a shell error code; "" for codes that have none.
QString shellErrorMessage(int code);

// How an entry's path is opened: a path containing "www." or "http://"
// (exactly so, capitals do not count) is a web address.
enum class Route { Nothing, Internet, File };
Route routeOf(const QString &path);

// Opens file with the shell (working folder directory, window show code
// show) and shows the message of a failure that has one. Returns the
// shell's result.
int RunFile(shell::Shell &shell, forms::Dialogs *dialogs, const QString &file,
            const QString &directory, int show);
// Opens a web address; a failure is not reported.
void Internetexe(shell::Shell &shell, const QString &address);

} // namespace dorrin::organiser
