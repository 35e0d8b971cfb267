#include "resizer/registration.h"

#include "resizer/ktresz30_ids.h"
#include "resizer/typelib.h"

#include <QDir>
#include <QFileInfo>

namespace dorrin::resizer {

com::ClassRegistration resizerClass() {
  com::ClassRegistration c;
  c.clsid = CLSID_KtResizer;
  c.progId = kProgId;
  c.versionIndependentProgId = kVersionIndependentProgId;
  c.typeName = "KtResizer Control 3.0";
  c.typeLib = LIBID_Ambrel;
  c.version = "3.0";
  c.control = true;
  c.miscStatus = kMiscStatus;
  c.toolboxBitmap = 111;
  c.threadingModel = "Apartment";
  return c;
}

com::ClassRegistration optionsClass() {
  com::ClassRegistration c;
  c.clsid = CLSID_KtResizeOptions;
  c.progId = kOptionsProgId;
  c.typeName = "KtResizeOptions Object";
  c.typeLib = LIBID_Ambrel;
  c.threadingModel = "Apartment";
  return c;
}

com::TypeLibRegistration typeLibRegistration(const std::string &libraryPath) {
  const TypeLibrary &t = typeLibrary();
  com::TypeLibRegistration r;
  r.libid = t.libid;
  r.version = std::to_string(t.major) + "." + std::to_string(t.minor);
  r.helpString = std::string(t.help);
  r.lcid = t.lcid;
  // The help folder: the "HelpFileDir" setting, else the library's folder, or
  // its Help subfolder when the help file is there.
  com::Registry reg;
  if (auto dir = reg.value("Software\\Ambrel\\3.0", "HelpFileDir"); dir && !dir->empty()) {
    r.helpDir = *dir;
  } else if (!libraryPath.empty()) {
    const QDir folder = QFileInfo(QString::fromStdString(libraryPath)).absoluteDir();
    const QString help = folder.filePath(QStringLiteral("Help"));
    r.helpDir = QFileInfo::exists(
                    QDir(help).filePath(QString::fromUtf8(t.helpFile.data(), t.helpFile.size())))
                    ? (help + QLatin1Char('/')).toStdString()
                    : folder.absolutePath().toStdString();
  }
  return r;
}

com::HRESULT registerLibrary(const void *addressInLibrary) {
  try {
    const auto lib = typeLibRegistration(com::modulePath(addressInLibrary));
    return com::registerServerClasses(addressInLibrary, &lib, {resizerClass(), optionsClass()});
  } catch (...) {
    return com::SELFREG_E_CLASS;
  }
}

com::HRESULT unregisterLibrary() {
  try {
    const auto lib = typeLibRegistration({});
    return com::unregisterServerClasses(&lib, {resizerClass(), optionsClass()});
  } catch (...) {
    return com::SELFREG_E_CLASS;
  }
}

} // namespace dorrin::resizer
