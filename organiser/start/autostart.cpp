#include "organiser/start/autostart.h"

#include "platform/shell/desktop_entry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace dorrin::organiser {

QString autostartEntryPath() {
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + "/.config";
  return QDir::cleanPath(base + "/autostart/dorrin.desktop");
}

QString desktopExecArgument(const QString &argument) {
  static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
  bool quote = argument.isEmpty();
  for (QChar c : argument)
    if (reserved.contains(c)) quote = true;
  QString out;
  if (quote) {
    out += QLatin1Char('"');
    for (QChar c : argument) {
      if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
          c == QLatin1Char('\\'))
        out += QLatin1Char('\\');
      out += c;
    }
    out += QLatin1Char('"');
  } else {
    out = argument;
  }
  // The value's own escapes come on top of the quoting; "%" is a field code.
  out.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
  out.replace(QLatin1Char('%'), QStringLiteral("%%"));
  out.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
  out.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
  return out;
}

QString autostartEntryText(const QString &program) {
  return QStringLiteral("[Desktop Entry]\n"
                        "Type=Application\n"
                        "Name=Dorrin\n"
                        "Name[ko]=도린\n"
                        "Comment=Desktop organiser, started at login (F11 shows it)\n"
                        "Comment[ko]=로그인할 때 시작하는 바탕화면 정리 도구 (F11로 보이기)\n"
                        "Icon=dorrin\n"
                        "Exec=%1 /S\n"
                        "Terminal=false\n"
                        "X-GNOME-Autostart-enabled=true\n")
      .arg(desktopExecArgument(program));
}

bool setAutostart(bool on, const QString &program, QString *error) {
  const QString path = autostartEntryPath();
  if (!on) {
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) return true;
    QFile file(path);
    if (file.remove()) return true;
    if (error) *error = file.errorString();
    return false;
  }
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
    if (error) *error = QStringLiteral("cannot create %1").arg(QFileInfo(path).absolutePath());
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(autostartEntryText(program).toUtf8()) < 0 ||
      !file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

bool autostartEnabled() {
  const auto keys = shell::readKeyFile(autostartEntryPath());
  if (!keys) return false;
  const auto group = keys->value(QStringLiteral("Desktop Entry"));
  if (!keys->contains(QStringLiteral("Desktop Entry"))) return false;
  if (group.value(QStringLiteral("Hidden")) == QLatin1String("true")) return false;
  if (group.value(QStringLiteral("X-GNOME-Autostart-enabled")) == QLatin1String("false"))
    return false;
  return !group.value(QStringLiteral("Exec")).isEmpty();
}

} // namespace dorrin::organiser
