#include "platform/shell/open_plan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace dorrin::shell {

int accessError(const char *path) {
  struct stat st {};
  if (!path || !*path) return kErrorFileNotFound;
  if (::stat(path, &st) != 0) {
    switch (errno) {
    case EACCES:
      return kErrorAccessDenied;
    case ENOENT: {
      // Missing: the file itself when its folder is there, else the path.
      std::string parent(path);
      while (parent.size() > 1 && parent.back() == '/')
        parent.pop_back();
      const auto slash = parent.rfind('/');
      parent = slash == std::string::npos
                   ? std::string(".")
                   : (slash == 0 ? std::string("/") : parent.substr(0, slash));
      struct stat ps {};
      if (::stat(parent.c_str(), &ps) == 0)
        return S_ISDIR(ps.st_mode) ? kErrorFileNotFound : kErrorPathNotFound;
      return errno == EACCES ? kErrorAccessDenied : kErrorPathNotFound;
    }
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return kErrorPathNotFound;
    default:
      return kErrorFileNotFound;
    }
  }
  if (S_ISDIR(st.st_mode)) return ::access(path, R_OK | X_OK) == 0 ? 0 : kErrorAccessDenied;
  // A program may be run without being readable; anything else must be read.
  if (::access(path, R_OK) != 0 && ::access(path, X_OK) != 0) return kErrorAccessDenied;
  return 0;
}

int accessError(const QString &path) {
  return accessError(QFile::encodeName(path).constData());
}

bool isProgramFile(const QString &path) {
  const QByteArray name = QFile::encodeName(path);
  struct stat st {};
  if (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  if (!(st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) || ::access(name.constData(), X_OK) != 0)
    return false;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return true; // runnable but unreadable: a binary
  const QByteArray head = f.read(4);
  return head.startsWith("\x7f"
                         "ELF") ||
         head.startsWith("#!");
}

namespace {

// "http:", "mailto:" ... but not a drive letter ("c:").
bool hasScheme(const QString &s) {
  static const QRegularExpression re(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  return re.match(s).hasMatch();
}

OpenPlan fail(int code, const QString &target) {
  OpenPlan p;
  p.kind = OpenPlan::Kind::Fail;
  p.error = code;
  p.target = target;
  return p;
}

OpenPlan webAddress(const QString &address, const MimeHandlers &handlers) {
  OpenPlan p;
  p.kind = OpenPlan::Kind::WebAddress;
  p.error = 0;
  p.target = address;
  const QString scheme = QUrl(address).scheme().toLower();
  p.mimeType = QStringLiteral("x-scheme-handler/") + scheme;
  p.handler = handlers.handlerFor(p.mimeType);
  return p;
}

OpenPlan launcher(const QString &path, const MimeHandlers &handlers) {
  const auto entry = readDesktopEntry(path);
  if (!entry) return fail(kErrorBadFormat, path);
  if (entry->type == QLatin1String("Link")) {
    if (entry->url.isEmpty()) return fail(kErrorBadFormat, path);
    return webAddress(entry->url, handlers);
  }
  if (entry->type != QLatin1String("Application")) return fail(kErrorBadFormat, path);
  auto command = expandExec(*entry, {});
  if (!command) return fail(kErrorBadFormat, path);
  // TryExec, else the program itself, must be installed.
  const QString program = entry->tryExec.isEmpty() ? command->first() : entry->tryExec;
  const QString found = program.contains(u'/') ? program : QStandardPaths::findExecutable(program);
  if (found.isEmpty() || accessError(found) != 0) return fail(kErrorFileNotFound, path);
  OpenPlan p;
  p.kind = OpenPlan::Kind::Launcher;
  p.error = 0;
  p.target = path;
  p.command = *command;
  p.workingDir = entry->workingDir;
  return p;
}

} // namespace

OpenPlan planOpen(const QString &fileIn, const QString &parameters, const QString &directory,
                  const MimeHandlers &handlers) {
  const QString file = fileIn.trimmed();
  if (file.isEmpty()) return fail(kErrorFileNotFound, file);

  QString path = file;
  if (hasScheme(file)) {
    const QUrl url(file);
    if (!url.isLocalFile()) return webAddress(file, handlers);
    path = url.toLocalFile();
  } else if (file.startsWith(QLatin1String("www."), Qt::CaseInsensitive) &&
             !QFileInfo::exists(QDir(directory).absoluteFilePath(file))) {
    return webAddress(QStringLiteral("http://") + file, handlers);
  }

  if (QDir::isRelativePath(path)) {
    const QString inDir =
        QDir(directory.isEmpty() ? QDir::currentPath() : directory).absoluteFilePath(path);
    if (!path.contains(u'/') && !QFileInfo::exists(inDir)) {
      // A bare program name is looked up on the PATH, as the shell does.
      const QString program = QStandardPaths::findExecutable(path);
      if (!program.isEmpty())
        path = program;
      else
        path = inDir;
    } else {
      path = inDir;
    }
  }
  path = QDir::cleanPath(path);

  if (const int e = accessError(path)) return fail(e, path);

  const QFileInfo info(path);
  OpenPlan p;
  p.error = 0;
  p.target = path;
  if (directory.isEmpty() || QFileInfo(directory).isDir()) p.workingDir = directory;
  if (info.isDir()) {
    p.kind = OpenPlan::Kind::Folder;
    p.mimeType = QStringLiteral("inode/directory");
    p.handler = handlers.handlerFor(p.mimeType);
    if (p.handler.isEmpty()) return fail(kErrorNoAssociation, path);
    return p;
  }
  if (info.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0)
    return launcher(path, handlers);
  if (isProgramFile(path)) {
    p.kind = OpenPlan::Kind::Program;
    p.command = QStringList{path} + QProcess::splitCommand(parameters);
    return p;
  }
  p.kind = OpenPlan::Kind::Document;
  p.mimeType = QMimeDatabase().mimeTypeForFile(info).name();
  p.handler = handlers.handlerFor(p.mimeType);
  if (p.handler.isEmpty()) return fail(kErrorNoAssociation, path);
  return p;
}

} // namespace dorrin::shell
