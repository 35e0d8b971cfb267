#include "platform/shell/desktop_entry.h"

#include <QFile>

namespace dorrin::shell {

KeyFile parseKeyFile(const QString &text) {
  KeyFile groups;
  QString group;
  bool inGroup = false;
  const auto lines = QStringView(text).split(u'\n');
  for (QStringView line : lines) {
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    if (line.startsWith(u'[') && line.endsWith(u']')) {
      group = line.mid(1, line.size() - 2).toString();
      inGroup = true;
      groups[group]; // an empty group still exists
      continue;
    }
    if (!inGroup) continue;
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0) continue;
    const QString key = line.left(eq).trimmed().toString();
    auto &keys = groups[group];
    if (!keys.contains(key)) keys.insert(key, line.mid(eq + 1).trimmed().toString());
  }
  return groups;
}

std::optional<KeyFile> readKeyFile(const QString &path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  return parseKeyFile(QString::fromUtf8(f.readAll()));
}

QString unescapeValue(const QString &raw) {
  QString out;
  out.reserve(raw.size());
  for (qsizetype i = 0; i < raw.size(); ++i) {
    const QChar c = raw[i];
    if (c != u'\\' || i + 1 == raw.size()) {
      out += c;
      continue;
    }
    const QChar n = raw[++i];
    switch (n.unicode()) {
    case 's':
      out += u' ';
      break;
    case 'n':
      out += u'\n';
      break;
    case 't':
      out += u'\t';
      break;
    case 'r':
      out += u'\r';
      break;
    case '\\':
      out += u'\\';
      break;
    default: // not an escape of strings: keep both characters
      out += c;
      out += n;
    }
  }
  return out;
}

QStringList splitList(const QString &raw) {
  QStringList items;
  QString item;
  for (qsizetype i = 0; i < raw.size(); ++i) {
    if (raw[i] == u'\\' && i + 1 < raw.size() && raw[i + 1] == u';') {
      item += u';';
      ++i;
    } else if (raw[i] == u';') {
      if (!item.trimmed().isEmpty()) items << unescapeValue(item.trimmed());
      item.clear();
    } else {
      item += raw[i];
    }
  }
  if (!item.trimmed().isEmpty()) items << unescapeValue(item.trimmed());
  return items;
}

std::optional<DesktopEntry> readDesktopEntry(const QString &path) {
  const auto keyFile = readKeyFile(path);
  if (!keyFile || !keyFile->contains(QStringLiteral("Desktop Entry"))) return std::nullopt;
  const auto &g = (*keyFile)[QStringLiteral("Desktop Entry")];
  auto value = [&g](const char *key) { return unescapeValue(g.value(QString::fromLatin1(key))); };
  DesktopEntry e;
  e.file = path;
  e.type = value("Type");
  e.name = value("Name");
  e.icon = value("Icon");
  e.exec = g.value(QStringLiteral("Exec")); // unescaped by splitExec
  e.tryExec = value("TryExec");
  e.workingDir = value("Path");
  e.url = value("URL");
  e.mimeTypes = splitList(g.value(QStringLiteral("MimeType")));
  e.hidden = value("Hidden").compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
  return e;
}

std::optional<QStringList> splitExec(const QString &exec) {
  const QString line = unescapeValue(exec);
  QStringList args;
  QString arg;
  bool inArg = false, quoted = false;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (quoted) {
      if (c == u'"') {
        quoted = false;
      } else if (c == u'\\' && i + 1 < line.size() &&
                 QStringView(u"\"`$\\").contains(line[i + 1])) {
        arg += line[++i];
      } else {
        arg += c;
      }
    } else if (c == u'"') {
      quoted = true;
      inArg = true;
    } else if (c == u' ' || c == u'\t' || c == u'\n') {
      if (inArg) args << arg;
      arg.clear();
      inArg = false;
    } else {
      arg += c;
      inArg = true;
    }
  }
  if (quoted) return std::nullopt;
  if (inArg) args << arg;
  if (args.isEmpty()) return std::nullopt;
  return args;
}

std::optional<QStringList> expandExec(const DesktopEntry &entry, const QStringList &targets) {
  auto args = splitExec(entry.exec);
  if (!args) return std::nullopt;
  QStringList out;
  bool usedTargets = false;
  for (int n = 0; n < args->size(); ++n) {
    const QString &a = (*args)[n];
    if (n > 0 && (a == QLatin1String("%F") || a == QLatin1String("%U"))) {
      out << targets;
      usedTargets = true;
      continue;
    }
    if (n > 0 && a == QLatin1String("%i")) {
      if (!entry.icon.isEmpty()) out << QStringLiteral("--icon") << entry.icon;
      continue;
    }
    QString expanded;
    for (qsizetype i = 0; i < a.size(); ++i) {
      if (a[i] != u'%' || i + 1 == a.size()) {
        expanded += a[i];
        continue;
      }
      const QChar code = a[++i];
      switch (code.unicode()) {
      case '%':
        expanded += u'%';
        break;
      case 'f':
      case 'u':
      case 'F':
      case 'U':
        if (!targets.isEmpty()) expanded += targets.first();
        usedTargets = true;
        break;
      case 'c':
        expanded += entry.name;
        break;
      case 'k':
        expanded += entry.file;
        break;
      default: // %d %D %n %N %v %m and unknown codes are removed
        break;
      }
    }
    // A field code that expanded to nothing leaves no empty argument behind.
    if (!expanded.isEmpty() || a.indexOf(u'%') < 0) out << expanded;
  }
  if (out.isEmpty()) return std::nullopt;
  if (!usedTargets) out << targets;
  return out;
}

} // namespace dorrin::shell
