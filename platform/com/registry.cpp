#include "platform/com/registry.h"

#include "platform/com/log.h"
#include "platform/text/atomic_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <dlfcn.h>

namespace dorrin::com {
namespace {

// Components of a key path; empty components (doubled or edge backslashes)
// are dropped.
QStringList keyParts(std::string_view key) {
  QStringList parts;
  for (const QString &p : QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()))
                              .split(u'\\', Qt::SkipEmptyParts))
    parts << p;
  return parts;
}

// '%', '/' and '\' would be read by QSettings as escapes or group separators.
QString escapePart(const QString &s) {
  QString out;
  for (QChar c : s) {
    if (c == u'%')
      out += QLatin1String("%25");
    else if (c == u'/')
      out += QLatin1String("%2F");
    else if (c == u'\\')
      out += QLatin1String("%5C");
    else
      out += c;
  }
  return out;
}

int hexDigit(QChar c) {
  if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
  if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
  return -1;
}

// "%" and exactly two hex digits stand for one character; anything else
// (a sign, a blank, one digit) is kept as written.
QString unescapePart(const QString &s) {
  QString out;
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] == u'%' && i + 2 < s.size()) {
      const int hi = hexDigit(s[i + 1]), lo = hexDigit(s[i + 2]);
      if (hi >= 0 && lo >= 0) {
        out += QChar(char16_t(hi * 16 + lo));
        i += 2;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

// A key's default value is stored under "@" (as in .reg files); a value really
// named "@" is escaped.
constexpr QLatin1String kDefaultName("@");

QString findChild(const QStringList &children, const QString &name) {
  for (const QString &c : children)
    if (c.compare(name, Qt::CaseInsensitive) == 0) return c;
  return {};
}

} // namespace

Registry::Registry(const QString &fileName)
    : settings_(std::make_unique<QSettings>(fileName.isEmpty() ? defaultFile() : fileName,
                                            QSettings::IniFormat)) {}

Registry::~Registry() = default;

QString Registry::defaultFile() {
  const QString over = qEnvironmentVariable("TESSIVO_REGISTRY");
  if (!over.isEmpty()) return over;
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty()) base = QDir::homePath() + QLatin1String("/.config");
  return QDir::cleanPath(base + QLatin1String("/Tessivo/registry.ini"));
}

QString Registry::fileName() const {
  return settings_->fileName();
}

QString Registry::storedKey(std::string_view key) {
  QStringList parts = keyParts(key);
  for (QString &p : parts)
    p = escapePart(p);
  return parts.join(u'/');
}

QString Registry::storedValueName(std::string_view name) {
  if (name.empty()) return kDefaultName;
  QString s = escapePart(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  if (s.startsWith(u'@')) s = QLatin1String("%40") + s.mid(1);
  return s;
}

QString Registry::findGroup(std::string_view key, bool *exists) const {
  const QStringList parts = keyParts(key);
  QString group;
  bool found = !parts.isEmpty();
  for (const QString &raw : parts) {
    const QString part = escapePart(raw);
    QString stored;
    if (found) {
      settings_->beginGroup(group);
      stored = findChild(settings_->childGroups(), part);
      settings_->endGroup();
      if (stored.isEmpty()) found = false;
    }
    if (!group.isEmpty()) group += u'/';
    group += found ? stored : part;
  }
  if (exists) *exists = found;
  return group;
}

QString Registry::findValue(const QString &group, std::string_view name) const {
  const QString wanted = storedValueName(name);
  settings_->beginGroup(group);
  const QString stored = findChild(settings_->childKeys(), wanted);
  settings_->endGroup();
  return stored.isEmpty() ? wanted : stored;
}

std::optional<std::string> Registry::value(std::string_view key, std::string_view name) const {
  bool exists = false;
  const QString group = findGroup(key, &exists);
  if (!exists) return std::nullopt;
  const QString full = group + u'/' + findValue(group, name);
  if (!settings_->contains(full)) return std::nullopt;
  return settings_->value(full).toString().toStdString();
}

void Registry::setValue(std::string_view key, std::string_view name, std::string_view value) {
  const QString group = findGroup(key);
  if (group.isEmpty()) return;
  settings_->setValue(group + u'/' + findValue(group, name),
                      QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

bool Registry::removeKey(std::string_view key) {
  bool exists = false;
  const QString group = findGroup(key, &exists);
  if (!exists) return false;
  settings_->remove(group);
  return true;
}

bool Registry::keyExists(std::string_view key) const {
  bool exists = false;
  findGroup(key, &exists);
  return exists;
}

std::vector<std::string> Registry::subKeys(std::string_view key) const {
  bool exists = false;
  const QString group = findGroup(key, &exists);
  std::vector<std::string> out;
  if (!exists && !keyParts(key).isEmpty()) return out;
  settings_->beginGroup(group);
  for (const QString &g : settings_->childGroups())
    out.push_back(unescapePart(g).toStdString());
  settings_->endGroup();
  return out;
}

std::vector<std::string> Registry::valueNames(std::string_view key) const {
  bool exists = false;
  const QString group = findGroup(key, &exists);
  std::vector<std::string> out;
  if (!exists) return out;
  settings_->beginGroup(group);
  for (const QString &k : settings_->childKeys())
    out.push_back(k == kDefaultName ? std::string() : unescapePart(k).toStdString());
  settings_->endGroup();
  return out;
}

bool Registry::sync() {
  const QString folder = QFileInfo(settings_->fileName()).absolutePath();
  QDir().mkpath(folder);
  // QSettings replaces the file through a flushed temporary; flushing the
  // folder as well makes the new name survive a power cut.
  settings_->sync();
  if (settings_->status() != QSettings::NoError) {
    qCWarning(lcCom) << "cannot write the registry" << settings_->fileName();
    return false;
  }
  text::syncFolder(folder);
  return true;
}

HRESULT registerClass(const ClassRegistration &c, const std::string &libraryPath) {
  Registry reg;
  const std::string id = formatGuid(c.clsid);
  const std::string key = "CLSID\\" + id;
  reg.setValue(key, "", c.typeName);
  reg.setValue(key + "\\InprocServer32", "", libraryPath);
  reg.setValue(key + "\\InprocServer32", "ThreadingModel", c.threadingModel);
  if (!c.progId.empty()) reg.setValue(key + "\\ProgID", "", c.progId);
  if (c.control) {
    reg.setValue(key + "\\Control", "", "");
    reg.setValue(key + "\\MiscStatus", "", "0");
    reg.setValue(key + "\\MiscStatus\\1", "", std::to_string(c.miscStatus));
    reg.setValue(key + "\\ToolboxBitmap32", "",
                 libraryPath + ", " + std::to_string(c.toolboxBitmap));
  }
  if (c.insertable) reg.setValue(key + "\\Insertable", "", "");
  if (c.typeLib != GUID_NULL) reg.setValue(key + "\\TypeLib", "", formatGuid(c.typeLib));
  if (!c.version.empty()) reg.setValue(key + "\\Version", "", c.version);
  if (!c.progId.empty()) {
    reg.setValue(c.progId, "", c.typeName);
    reg.setValue(c.progId + "\\CLSID", "", id);
    if (c.insertable) reg.setValue(c.progId + "\\Insertable", "", "");
  }
  if (!c.versionIndependentProgId.empty()) {
    const std::string &vip = c.versionIndependentProgId;
    reg.setValue(key + "\\VersionIndependentProgID", "", vip);
    reg.setValue(vip, "", c.typeName);
    reg.setValue(vip + "\\CLSID", "", id);
    if (!c.progId.empty()) reg.setValue(vip + "\\CurVer", "", c.progId);
  }
  return reg.sync() ? S_OK : SELFREG_E_CLASS;
}

HRESULT unregisterClass(const ClassRegistration &c) {
  Registry reg;
  const std::string id = formatGuid(c.clsid);
  reg.removeKey("CLSID\\" + id);
  // The ProgID goes only while it still names this class.
  if (!c.progId.empty()) {
    const auto owner = reg.value(c.progId + "\\CLSID");
    if (owner && parseGuid(*owner) == c.clsid) reg.removeKey(c.progId);
  }
  if (!c.versionIndependentProgId.empty()) {
    const auto owner = reg.value(c.versionIndependentProgId + "\\CLSID");
    if (owner && parseGuid(*owner) == c.clsid) reg.removeKey(c.versionIndependentProgId);
  }
  return reg.sync() ? S_OK : SELFREG_E_CLASS;
}

HRESULT registerTypeLib(const TypeLibRegistration &t, const std::string &libraryPath) {
  Registry reg;
  const std::string key = "TypeLib\\" + formatGuid(t.libid) + "\\" + t.version;
  reg.setValue(key, "", t.helpString);
  reg.setValue(key + "\\" + QString::number(t.lcid, 16).toStdString() + "\\linux", "", libraryPath);
  reg.setValue(key + "\\FLAGS", "", "0");
  reg.setValue(key + "\\HELPDIR", "",
               t.helpDir.empty()
                   ? QFileInfo(QString::fromStdString(libraryPath)).absolutePath().toStdString()
                   : t.helpDir);
  return reg.sync() ? S_OK : SELFREG_E_TYPELIB;
}

HRESULT unregisterTypeLib(const TypeLibRegistration &t) {
  Registry reg;
  reg.removeKey("TypeLib\\" + formatGuid(t.libid) + "\\" + t.version);
  return reg.sync() ? S_OK : SELFREG_E_TYPELIB;
}

HRESULT registerServerClasses(const void *addressInLibrary, const TypeLibRegistration *typeLib,
                              std::initializer_list<ClassRegistration> classes) {
  try {
    const std::string path = modulePath(addressInLibrary);
    if (path.empty()) return SELFREG_E_CLASS;
    if (typeLib)
      if (const HRESULT hr = registerTypeLib(*typeLib, path); failed(hr)) return hr;
    for (const ClassRegistration &c : classes)
      if (const HRESULT hr = registerClass(c, path); failed(hr)) return hr;
    return S_OK;
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

HRESULT unregisterServerClasses(const TypeLibRegistration *typeLib,
                                std::initializer_list<ClassRegistration> classes) {
  try {
    HRESULT result = typeLib ? unregisterTypeLib(*typeLib) : S_OK;
    for (const ClassRegistration &c : classes)
      if (const HRESULT hr = unregisterClass(c); failed(hr)) result = hr;
    return result;
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

std::string modulePath(const void *address) {
  Dl_info info{};
  if (!dladdr(address, &info) || !info.dli_fname || !*info.dli_fname) return {};
  return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath().toStdString();
}

} // namespace dorrin::com
