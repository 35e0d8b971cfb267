#include "platform/text/atomic_file.h"

#include "platform/text/log.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dorrin::text {

namespace {

QString systemError(int err) {
  return QString::fromLocal8Bit(std::strerror(err));
}

// "<name>." and six letters or digits, as the temporaries are named.
QString temporaryName(const QString &path) {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  QString name = path + u'.';
  for (int i = 0; i < 6; ++i)
    name += QLatin1Char(kChars[QRandomGenerator::global()->bounded(int(sizeof kChars) - 1)]);
  return name;
}

bool writeAll(int fd, QByteArrayView bytes) {
  const char *p = bytes.data();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, size_t(left));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= n;
  }
  return true;
}

} // namespace

bool syncFolder(const QString &folder) {
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

bool replaceFile(const QString &path, QByteArrayView bytes, QString *error) {
  const QByteArray target = QFile::encodeName(path);
  struct stat old {};
  const bool hadFile = ::stat(target.constData(), &old) == 0;

  QByteArray temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = QFile::encodeName(temporaryName(path));
    // 0666 less the umask, as any new file; an existing file's mode below.
    fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  auto fail = [&](int err) {
    if (error) *error = systemError(err);
    qCWarning(lcText) << "cannot write" << path << ":" << systemError(err)
                      << "- the old file is kept";
    if (fd >= 0) ::close(fd);
    if (!temp.isEmpty() && fd >= 0) ::unlink(temp.constData());
    return false;
  };
  if (fd < 0) return fail(errno);
  if (hadFile && ::fchmod(fd, old.st_mode & 07777) != 0) return fail(errno);
  if (!writeAll(fd, bytes)) return fail(errno);
  // The content reaches the disk before the name points at it: after a crash
  // the name holds the old or the new content, never a short file.
  if (::fsync(fd) != 0) return fail(errno);
  if (::close(fd) != 0) {
    fd = -1;
    const int err = errno;
    ::unlink(temp.constData());
    return fail(err);
  }
  fd = -1;
  if (::rename(temp.constData(), target.constData()) != 0) {
    const int err = errno;
    ::unlink(temp.constData());
    return fail(err);
  }
  syncFolder(QFileInfo(path).absolutePath());
  return true;
}

int removeStaleTemporaries(const QString &path, int minAgeSeconds) {
  const QFileInfo info(path);
  QDir dir = info.dir();
  static const QRegularExpression suffix(QStringLiteral("^\\.[A-Za-z0-9]{6}$"));
  const QString prefix = info.fileName();
  const QDateTime cutoff = QDateTime::currentDateTimeUtc().addSecs(-minAgeSeconds);
  int removed = 0;
  const QFileInfoList list = dir.entryInfoList({prefix + QStringLiteral(".??????")},
                                               QDir::Files | QDir::Hidden | QDir::System);
  for (const QFileInfo &f : list) {
    if (!f.fileName().startsWith(prefix) ||
        !suffix.match(f.fileName().mid(prefix.size())).hasMatch())
      continue;
    if (f.lastModified().toUTC() > cutoff) continue;
    if (QFile::remove(f.absoluteFilePath())) {
      ++removed;
      qCInfo(lcText) << "removed" << f.absoluteFilePath() << "left by an interrupted write";
    }
  }
  return removed;
}

} // namespace dorrin::text
