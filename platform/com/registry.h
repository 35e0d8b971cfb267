#pragma once
// The per-user registry of components: Windows-shaped keys such as
// "CLSID\{E881B560-E2F4-101B-96E6-0020AF38F4BB}\InprocServer32" with named
// values (the empty name is the key's default value), stored in an INI file:
// $TESSIVO_REGISTRY when set, else $XDG_CONFIG_HOME/Tessivo/registry.ini
// (~/.config when unset). Key and value names compare case-insensitively, as
// on Windows; a name keeps the case it was first written with.
#include "platform/com/guid.h"
#include "platform/com/hresult.h"

#include <QString>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QSettings;

namespace dorrin::com {

class Registry {
public:
  // Opens the registry file; fileName empty = defaultFile().
  explicit Registry(const QString &fileName = {});
  ~Registry();
  Registry(const Registry &) = delete;
  Registry &operator=(const Registry &) = delete;

  static QString defaultFile();
  QString fileName() const;

  std::optional<std::string> value(std::string_view key, std::string_view name = {}) const;
  void setValue(std::string_view key, std::string_view name, std::string_view value);
  // Removes a key with all its values and subkeys; false when it did not exist.
  bool removeKey(std::string_view key);
  // A key exists while it holds a value or a subkey.
  bool keyExists(std::string_view key) const;
  std::vector<std::string> subKeys(std::string_view key) const;
  std::vector<std::string> valueNames(std::string_view key) const;
  // Writes pending changes; false when the file cannot be written.
  bool sync();

  // How a key path and value name are stored in the INI file (exposed for tests).
  static QString storedKey(std::string_view key);
  static QString storedValueName(std::string_view name);

private:
  // The stored group of an existing key with the case it was written in, or
  // the path as given when it does not exist yet.
  QString findGroup(std::string_view key, bool *exists = nullptr) const;
  QString findValue(const QString &group, std::string_view name) const;
  std::unique_ptr<QSettings> settings_;
};

// What a server writes for one class.
struct ClassRegistration {
  CLSID clsid;
  std::string progId; // "ZELOMM.ZelommCtrl.1"
  // "Ambrel.KtResizer": names the class too, its CurVer names progId.
  std::string versionIndependentProgId;
  std::string typeName; // the class key's default value
  GUID typeLib{};       // GUID_NULL: none
  std::string version;  // "1.0"
  bool control = false; // writes the Control, MiscStatus and ToolboxBitmap32 keys
  bool insertable = false;
  std::uint32_t miscStatus = 0;
  int toolboxBitmap = 1;
  std::string threadingModel = "Apartment";
};

struct TypeLibRegistration {
  GUID libid;
  std::string version; // "1.0"
  std::string helpString;
  std::uint32_t lcid = 0;   // the locale subkey ("409" for 1033)
  std::string helpDir = {}; // empty: the library's folder
};

// Each returns S_OK, or SELFREG_E_CLASS / SELFREG_E_TYPELIB when the registry
// cannot be written. libraryPath must be absolute.
HRESULT registerClass(const ClassRegistration &c, const std::string &libraryPath);
HRESULT unregisterClass(const ClassRegistration &c);
HRESULT registerTypeLib(const TypeLibRegistration &t, const std::string &libraryPath);
HRESULT unregisterTypeLib(const TypeLibRegistration &t);

// The body of a server's DllRegisterServer: its type library (when given),
// then each class, under the path of the library that holds addressInLibrary.
// The first failure is returned; nothing throws.
HRESULT registerServerClasses(const void *addressInLibrary, const TypeLibRegistration *typeLib,
                              std::initializer_list<ClassRegistration> classes);
// The body of DllUnregisterServer.
HRESULT unregisterServerClasses(const TypeLibRegistration *typeLib,
                                std::initializer_list<ClassRegistration> classes);

// Absolute path of the loaded library that contains address (use the address of
// a function of the library), empty when unknown.
std::string modulePath(const void *address);

} // namespace dorrin::com
