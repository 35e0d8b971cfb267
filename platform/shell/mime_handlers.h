#pragma once
// Which installed application opens a type of file, found the way the
// desktop finds it (the freedesktop.org MIME applications rules): the
// user's and the system's defaults in mimeapps.list, then added
// associations, then any application whose desktop entry declares the type;
// a type with no application of its own falls back to its parent types
// (text/x-csrc -> text/plain).
#include "platform/shell/desktop_entry.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace dorrin::shell {

struct XdgDirs {
  QString configHome;     // $XDG_CONFIG_HOME, else ~/.config
  QStringList configDirs; // $XDG_CONFIG_DIRS, else /etc/xdg
  QString dataHome;       // $XDG_DATA_HOME, else ~/.local/share
  QStringList dataDirs;   // $XDG_DATA_DIRS, else /usr/local/share, /usr/share
  QStringList desktops;   // $XDG_CURRENT_DESKTOP, lower case
  static XdgDirs fromEnvironment();
};

class MimeHandlers {
public:
  explicit MimeHandlers(XdgDirs dirs = XdgDirs::fromEnvironment());

  // The desktop entry file of the application that opens mimeType (or one
  // of its parent types); empty when none is installed.
  QString handlerFor(const QString &mimeType) const;
  // The desktop entry file of an installed application by its desktop ID
  // ("org.gnome.Nautilus.desktop"); empty when there is none.
  QString installed(const QString &desktopId) const;

private:
  QString handlerForExactly(const QString &mimeType) const;
  QStringList mimeAppsFiles() const;
  const QHash<QString, QString> &index() const;
  const std::optional<DesktopEntry> &entry(const QString &file) const;

  XdgDirs dirs_;
  mutable bool indexed_ = false;
  mutable QHash<QString, QString> index_; // desktop ID -> file
  mutable QStringList order_;             // IDs in precedence order
  mutable QHash<QString, std::optional<DesktopEntry>> entries_;
  mutable std::optional<QList<KeyFile>> mimeApps_;
};

} // namespace dorrin::shell
