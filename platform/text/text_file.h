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
// The first line of the file alone (ending as above), read no further than
// its line feed and at most maxBytes; a longer line is cut there. nullopt
// when the file cannot be read.
std::optional<QString> readFirstLine(const QString &path, qsizetype maxBytes = 1024 * 1024);
// Replaces the file with the lines, each followed by CR LF. The old file is
// replaced only once the new one is complete and on the disk, so a kill or a
// power cut leaves the old or the new file whole (see atomic_file.h): on
// failure it is left as it was, the result is false and *error (when given)
// says why. Temporaries left by earlier interrupted writes are removed.
bool writeLines(const QString &path, const QStringList &lines, QString *error = nullptr);

} // namespace dorrin::text
