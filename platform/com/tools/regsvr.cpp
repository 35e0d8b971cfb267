// dorrin-regsvr [-u] LIBRARY: registers (or with -u unregisters) the component
// classes of a server library in the per-user registry, like regsvr32.
#include "platform/com/loader.h"
#include "platform/com/registry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  const bool unregister =
      args.removeAll(QStringLiteral("-u")) + args.removeAll(QStringLiteral("/u")) > 0;
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: dorrin-regsvr [-u] LIBRARY\n");
    return 2;
  }
  const QString library = args.front();
  const std::string path = QFileInfo(library).absoluteFilePath().toStdString();
  const char *entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
  if (!QFileInfo::exists(library)) {
    std::fprintf(stderr, "dorrin-regsvr: %s: no such file\n", path.c_str());
    return 1;
  }
  const auto hr = dorrin::com::registerServer(path, unregister);
  if (dorrin::com::failed(hr)) {
    std::fprintf(stderr, "%s in %s failed: %s (%s)\n", entry, path.c_str(),
                 dorrin::com::errorText(hr).c_str(), dorrin::com::hresultHex(hr).c_str());
    return 1;
  }
  std::printf("%s in %s succeeded (%s).\n", entry, path.c_str(),
              dorrin::com::Registry::defaultFile().toUtf8().constData());
  return 0;
}
