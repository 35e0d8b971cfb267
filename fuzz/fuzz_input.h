// Pieces the harnesses share: the input written to a file of the run's own,
// for parsers that read files, and the text a CP949 file holds after a
// round trip.
#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace dorrin::fuzz {

// Writes the input to `name` in a folder made once per run; returns the
// path, or "" when it could not be written.
inline QString inputFile(const char *name, const std::uint8_t *data, std::size_t size) {
  static QTemporaryDir dir;
  const QString path = dir.filePath(QString::fromLatin1(name));
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
  if (f.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size)) return {};
  return path;
}

// A byte CP949 cannot read is loaded as U+FFFD and written back as "?".
inline QString asWrittenInCp949(QString text) {
  return text.replace(QChar(0xFFFD), u'?');
}

} // namespace dorrin::fuzz
