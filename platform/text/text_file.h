#pragma once
// Line-based text files in CP949, as the organiser's stores keep them.
#include <QString>
#include <QStringList>

#include <optional>

namespace dorrin::text {

// All lines of the file. Lines end in CR LF or LF (the ending is not part of
// the line); a last line without an ending counts, an ending at the end of
// the file does not start another line. nullopt when the file cannot be read.
std::optional<QStringList> readLines(const QString &path);
// Replaces the file with the lines, each followed by CR LF. The old file is
// replaced only once the new one is complete: on failure it is left as it
// was, the result is false and *error (when given) says why.
bool writeLines(const QString &path, const QStringList &lines, QString *error = nullptr);

} // namespace dorrin::text
