#include "platform/text/text_file.h"

#include "platform/text/cp949.h"
#include "platform/text/log.h"

#include <QFile>
#include <QSaveFile>

namespace dorrin::text {

std::optional<QStringList> readLines(const QString &path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    qCDebug(lcText) << "cannot read" << path << f.errorString();
    return std::nullopt;
  }
  const QByteArray data = f.readAll();
  if (f.error() != QFileDevice::NoError) {
    qCWarning(lcText) << "reading" << path << "failed:" << f.errorString();
    return std::nullopt;
  }
  // No CP949 trail byte is a line feed, so splitting the bytes first keeps a
  // broken character from reaching into the next line.
  QStringList lines;
  qsizetype start = 0;
  while (start < data.size()) {
    qsizetype end = data.indexOf('\n', start);
    const qsizetype next = end < 0 ? data.size() : end + 1;
    if (end < 0) end = data.size();
    qsizetype len = end - start;
    if (len > 0 && data[end - 1] == '\r' && end < data.size()) --len;
    lines.append(fromCp949(QByteArrayView(data).sliced(start, len)));
    start = next;
  }
  return lines;
}

bool writeLines(const QString &path, const QStringList &lines, QString *error) {
  QByteArray bytes;
  for (const QString &line : lines) {
    bytes += toCp949(line);
    bytes += "\r\n";
  }
  // Unbuffered: with a buffered QSaveFile a failing flush (disk full) goes
  // unnoticed and commit() replaces the file with a truncated one. Written
  // in one call, a short write shows up in write()'s result.
  QSaveFile f(path);
  bool ok = f.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  if (ok) {
    ok = f.write(bytes) == bytes.size();
    if (!ok) f.cancelWriting();
    ok = f.commit() && ok;
  }
  if (!ok) {
    qCWarning(lcText) << "cannot write" << path << ":" << f.errorString()
                      << "- the old file is kept";
    if (error) *error = f.errorString();
    return false;
  }
  return true;
}

} // namespace dorrin::text
