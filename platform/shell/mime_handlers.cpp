#include "platform/shell/mime_handlers.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSet>

namespace dorrin::shell {

namespace {

QString envOr(const char *name, const QString &fallback) {
  const QString v = qEnvironmentVariable(name);
  return v.isEmpty() ? fallback : v;
}

QStringList pathList(const QString &value) {
  QStringList out;
  for (const QString &p : value.split(u':', Qt::SkipEmptyParts))
    out << QDir::cleanPath(p);
  return out;
}

const QString kDefaults = QStringLiteral("Default Applications");
const QString kAdded = QStringLiteral("Added Associations");
const QString kRemoved = QStringLiteral("Removed Associations");

} // namespace

XdgDirs XdgDirs::fromEnvironment() {
  const QString home = QDir::homePath();
  XdgDirs d;
  d.configHome = QDir::cleanPath(envOr("XDG_CONFIG_HOME", home + QStringLiteral("/.config")));
  d.configDirs = pathList(envOr("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg")));
  d.dataHome = QDir::cleanPath(envOr("XDG_DATA_HOME", home + QStringLiteral("/.local/share")));
  d.dataDirs = pathList(envOr("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share")));
  for (const QString &s :
       qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts))
    d.desktops << s.toLower();
  return d;
}

MimeHandlers::MimeHandlers(XdgDirs dirs) : dirs_(std::move(dirs)) {}

QStringList MimeHandlers::mimeAppsFiles() const {
  QStringList folders;
  folders << dirs_.configHome << dirs_.configDirs
          << dirs_.dataHome + QStringLiteral("/applications");
  for (const QString &d : dirs_.dataDirs)
    folders << d + QStringLiteral("/applications");
  QStringList files;
  for (const QString &f : folders) {
    for (const QString &desktop : dirs_.desktops)
      files << f + u'/' + desktop + QStringLiteral("-mimeapps.list");
    files << f + QStringLiteral("/mimeapps.list");
  }
  return files;
}

const QHash<QString, QString> &MimeHandlers::index() const {
  if (indexed_) return index_;
  indexed_ = true;
  QStringList appDirs;
  appDirs << dirs_.dataHome + QStringLiteral("/applications");
  for (const QString &d : dirs_.dataDirs)
    appDirs << d + QStringLiteral("/applications");
  for (const QString &dir : appDirs) {
    QDirIterator it(dir, {QStringLiteral("*.desktop")}, QDir::Files | QDir::Readable,
                    QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
    while (it.hasNext()) {
      const QString file = it.next();
      // The ID of applications/foo/bar.desktop is foo-bar.desktop.
      QString id = QDir(dir).relativeFilePath(file);
      id.replace(u'/', u'-');
      if (index_.contains(id)) continue; // an earlier folder takes precedence
      index_.insert(id, file);
      order_ << id;
    }
  }
  return index_;
}

const std::optional<DesktopEntry> &MimeHandlers::entry(const QString &file) const {
  auto it = entries_.find(file);
  if (it == entries_.end()) it = entries_.insert(file, readDesktopEntry(file));
  return *it;
}

QString MimeHandlers::installed(const QString &desktopId) const {
  const QString file = index().value(desktopId);
  if (file.isEmpty()) return {};
  const auto &e = entry(file);
  if (!e || e->hidden || e->exec.isEmpty()) return {};
  if (!e->type.isEmpty() && e->type != QLatin1String("Application")) return {};
  return file;
}

QString MimeHandlers::handlerForExactly(const QString &type) const {
  if (!mimeApps_) {
    mimeApps_.emplace();
    for (const QString &f : mimeAppsFiles())
      if (auto k = readKeyFile(f)) mimeApps_->append(*k);
  }
  for (const KeyFile &k : *mimeApps_)
    for (const QString &id : splitList(k.value(kDefaults).value(type)))
      if (const QString f = installed(id); !f.isEmpty()) return f;
  QSet<QString> removed;
  for (const KeyFile &k : *mimeApps_)
    for (const QString &id : splitList(k.value(kRemoved).value(type)))
      removed.insert(id);
  for (const KeyFile &k : *mimeApps_)
    for (const QString &id : splitList(k.value(kAdded).value(type)))
      if (!removed.contains(id))
        if (const QString f = installed(id); !f.isEmpty()) return f;
  index();
  for (const QString &id : order_) {
    if (removed.contains(id)) continue;
    const QString file = index_.value(id);
    const auto &e = entry(file);
    if (e && e->mimeTypes.contains(type))
      if (const QString f = installed(id); !f.isEmpty()) return f;
  }
  return {};
}

QString MimeHandlers::handlerFor(const QString &mimeType) const {
  if (mimeType.isEmpty()) return {};
  if (QString f = handlerForExactly(mimeType); !f.isEmpty()) return f;
  const QMimeType t = QMimeDatabase().mimeTypeForName(mimeType);
  if (!t.isValid()) return {};
  for (const QString &parent : t.allAncestors())
    if (QString f = handlerForExactly(parent); !f.isEmpty()) return f;
  return {};
}

} // namespace dorrin::shell
