#pragma once
// Desktop entry files (".desktop", the freedesktop.org Desktop Entry format)
// and the key files that share their syntax (mimeapps.list,
// mimeinfo.cache): reading them and turning an entry's Exec line into a
// command.
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace dorrin::shell {

// Groups of a key file: group name -> key -> raw value (first occurrence of
// a key wins). Comments, blank lines and lines outside a group are skipped.
using KeyFile = QMap<QString, QMap<QString, QString>>;
KeyFile parseKeyFile(const QString &text);
// nullopt when the file cannot be read.
std::optional<KeyFile> readKeyFile(const QString &path);

// A value of type string with its escapes (\s \n \t \r \\) resolved.
QString unescapeValue(const QString &raw);
// A list value: items separated by ";" (an escaped "\;" stays in the item);
// empty items dropped.
QStringList splitList(const QString &raw);

struct DesktopEntry {
  QString file; // where it was read from
  QString type; // "Application", "Link", "Directory"
  QString name;
  QString icon;
  QString exec;
  QString tryExec;
  QString workingDir; // the Path key
  QString url;        // Type=Link
  QStringList mimeTypes;
  bool hidden = false;
};
// nullopt when the file cannot be read or has no [Desktop Entry] group.
std::optional<DesktopEntry> readDesktopEntry(const QString &path);

// Splits an Exec value into its arguments by the format's quoting rules
// (double quotes; inside them \" \` \$ \\ escape) after the value's own
// escapes; nullopt for an unterminated quote or an empty line.
std::optional<QStringList> splitExec(const QString &exec);
// The command that opens targets (paths or addresses) with the entry:
// %f %u the first target, %F %U all of them (each a whole argument), %i the
// icon, %c the name, %k the entry's file, %% a percent sign; deprecated codes
// are dropped. When the line names no target code the targets are appended.
std::optional<QStringList> expandExec(const DesktopEntry &entry, const QStringList &targets);

} // namespace dorrin::shell
