#pragma once
// Start at login: an XDG autostart entry ($XDG_CONFIG_HOME/autostart/
// dorrin.desktop) that starts the organiser with "/S".
#include <QString>

namespace dorrin::organiser {

QString autostartEntryPath();
// The entry's text for the program at that path.
QString autostartEntryText(const QString &program);
// Writes (atomically) or removes the entry; false with a reason on failure.
bool setAutostart(bool on, const QString &program, QString *error = nullptr);
// True when the entry is there and neither hidden nor switched off.
bool autostartEnabled();

// An Exec argument quoted by the desktop entry rules, ready to be written as
// the key's value (its own backslash escapes and "%%" included).
QString desktopExecArgument(const QString &argument);

} // namespace dorrin::organiser
