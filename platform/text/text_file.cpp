#include "platform/text/text_file.h"

#include "platform/text/atomic_file.h"
#include "platform/text/cp949.h"
#include "platform/text/log.h"

#include <QFile>
#include <algorithm>

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

std::optional<QString> readFirstLine(const QString &path, qsizetype maxBytes) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    qCDebug(lcText) << "cannot read" << path << f.errorString();
    return std::nullopt;
  }
  // Read in pieces up to the first line feed: a huge file costs no more
  // than its first line.
  QByteArray line;
  while (line.size() < maxBytes) {
    const QByteArray piece = f.read(std::min<qint64>(64 * 1024, maxBytes - line.size()));
    if (piece.isEmpty()) break;
    const qsizetype lf = piece.indexOf('\n');
    if (lf >= 0) {
      line += piece.left(lf);
      if (line.endsWith('\r')) line.chop(1);
      return fromCp949(line);
    }
    line += piece;
  }
  if (f.error() != QFileDevice::NoError) {
    qCWarning(lcText) << "reading" << path << "failed:" << f.errorString();
    return std::nullopt;
  }
  if (line.size() >= maxBytes)
    qCWarning(lcText) << path << ": first line cut at" << maxBytes << "bytes";
  return fromCp949(line);
}

bool writeLines(const QString &path, const QStringList &lines, QString *error) {
  QByteArray bytes;
  for (const QString &line : lines) {
    bytes += toCp949(line);
    bytes += "\r\n";
  }
  if (!replaceFile(path, bytes, error)) return false;
  // Temporaries of earlier writes that were killed half-way go now.
  removeStaleTemporaries(path);
  return true;
}

} // namespace dorrin::text
