#include "platform/paths/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace dorrin::paths {

QString dataFolder() {
  const QString over = qEnvironmentVariable("DORRIN_DATA_DIR");
  if (!over.isEmpty()) return QDir::cleanPath(over);
  QString base = qEnvironmentVariable("XDG_DATA_HOME");
  if (base.isEmpty()) base = QDir::homePath() + "/.local/share";
  return QDir::cleanPath(base + "/Tessivo/Dorrin");
}

bool ensureDataFolder() {
  return QDir().mkpath(dataFolder());
}

QString resolve(const QString &windowsPath) {
  QString p = windowsPath;
  p.replace('\\', '/');
  const QString prefix = QString::fromLatin1(kInstallFolder).replace('\\', '/');
  if (p.startsWith(prefix, Qt::CaseInsensitive))
    p = p.mid(prefix.size());
  else if (p.compare(prefix.chopped(1), Qt::CaseInsensitive) == 0)
    p.clear();
  else if (QDir::isAbsolutePath(p) || (p.size() > 1 && p[1] == ':'))
    return windowsPath;
  return p.isEmpty() ? dataFolder() : QDir(dataFolder()).filePath(p);
}

QString programFolder() {
  if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
  return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section('/', 0, -2);
}

QStringList shippedFolders(const QString &programFolder) {
  const QDir bin(programFolder);
  return {QDir::cleanPath(programFolder),
          QDir::cleanPath(bin.filePath(QStringLiteral(DORRIN_SHIPPED_DATA_DIR))),
          QDir::cleanPath(bin.filePath(QStringLiteral(DORRIN_SHIPPED_LIB_DIR)))};
}

QString shippedFile(const QString &name) {
  for (const QString &folder : shippedFolders(programFolder())) {
    const QString path = QDir(folder).filePath(name);
    if (QFileInfo(path).isFile()) return path;
  }
  return {};
}

} // namespace dorrin::paths
