#pragma once
// Files replaced whole, so that a kill or a power cut at any moment leaves
// either the old or the new complete content on disk.
#include <QByteArrayView>
#include <QString>

namespace dorrin::text {

// Writes the bytes to a temporary beside the file ("<name>.XXXXXX"), flushes
// it to the disk, renames it over the file and flushes the folder. The file
// keeps its permissions. On failure the old file is untouched, the temporary
// is removed, the result is false and *error holds the system's reason.
bool replaceFile(const QString &path, QByteArrayView bytes, QString *error = nullptr);

// Flushes a folder's entries (a rename in it) to the disk.
bool syncFolder(const QString &folder);

// Removes the temporaries "<name>.XXXXXX" of the file that writes killed
// half-way left behind. One younger than `minAgeSeconds` may belong to a
// write in progress and stays. Returns how many were removed.
int removeStaleTemporaries(const QString &path, int minAgeSeconds = 60);

} // namespace dorrin::text
