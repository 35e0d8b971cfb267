// Registration, creation and calls through a real server library loaded from
// disk (tests/echo_component.cpp), registered with the dorrin-regsvr tool.
#include "platform/com/host.h"
#include "platform/com/loader.h"
#include "platform/com/registry.h"

#include "tests/support/temp_folder.h"

#include <QProcess>
#include <cstdio>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace dorrin::com {
namespace {

constexpr CLSID kEcho = guid("{5E0C1A00-7D31-4C6B-9A52-0D0F00E0C001}");
constexpr IID kEchoEvents = guid("{5E0C1A02-7D31-4C6B-9A52-0D0F00E0C001}");
constexpr const char *kProgId = "DorrinTest.Echo.1";

class ServerTest : public ::testing::Test {
protected:
  void SetUp() override {
    saved_ = qgetenv("TESSIVO_REGISTRY");
    qputenv("TESSIVO_REGISTRY", dir.file("registry.ini").toUtf8());
  }
  void TearDown() override {
    if (saved_.isEmpty())
      qunsetenv("TESSIVO_REGISTRY");
    else
      qputenv("TESSIVO_REGISTRY", saved_);
  }
  // Runs dorrin-regsvr; returns its exit code.
  int regsvr(const QStringList &args, QString *out = nullptr) {
    QProcess p;
    p.start(REGSVR_TOOL, args);
    p.waitForFinished(30000);
    if (out) *out = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  }

  test::TempFolder dir;
  QByteArray saved_;
};

TEST_F(ServerTest, RegisterCreateCallUnregister) {
  QString out;
  ASSERT_EQ(regsvr({ECHO_COMPONENT}, &out), 0) << out.toStdString();

  Registry reg;
  const std::string key = "CLSID\\{5E0C1A00-7D31-4C6B-9A52-0D0F00E0C001}";
  EXPECT_EQ(reg.value(key + "\\InprocServer32"), ECHO_COMPONENT);
  EXPECT_EQ(reg.value(key + "\\ProgID"), kProgId);
  EXPECT_EQ(reg.value(key + "\\Version"), "1.0");
  EXPECT_EQ(reg.value(key + "\\TypeLib"), "{5E0C1A03-7D31-4C6B-9A52-0D0F00E0C001}");
  EXPECT_EQ(reg.value(std::string(kProgId) + "\\CLSID"), "{5E0C1A00-7D31-4C6B-9A52-0D0F00E0C001}");
  EXPECT_EQ(reg.value("TypeLib\\{5E0C1A03-7D31-4C6B-9A52-0D0F00E0C001}\\1.0\\0\\linux"),
            ECHO_COMPONENT);

  ComPtr<IDispatch> byId, byProgId;
  ASSERT_EQ(createInstance(kEcho, &byId), S_OK);
  ASSERT_EQ(createInstanceByProgId(kProgId, &byProgId), S_OK);
  EXPECT_NE(byId.get(), byProgId.get());

  ASSERT_EQ(putProperty(byId.get(), 1, Variant("음1.wav")), S_OK);
  ASSERT_EQ(putProperty(byId.get(), 2, Variant(std::int16_t{12})), S_OK);
  Variant v;
  ASSERT_EQ(getProperty(byId.get(), 1, &v), S_OK);
  EXPECT_EQ(v, Variant("음1.wav"));
  ASSERT_EQ(getProperty(byId.get(), 2, &v), S_OK);
  EXPECT_EQ(v, Variant(std::int32_t{12}));
  EXPECT_EQ(putProperty(byId.get(), 2, Variant("twelve")), DISP_E_TYPEMISMATCH);
  DISPID id = 0;
  EXPECT_EQ(getIdOfName(byId.get(), "number", &id), S_OK);
  EXPECT_EQ(id, 2);
  EXPECT_EQ(getIdOfName(byId.get(), "Nothing", &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(getProperty(byId.get(), 99, &v), DISP_E_MEMBERNOTFOUND);
  ExcepInfo ei;
  EXPECT_EQ(callMethod(byId.get(), 5, {}, nullptr, &ei), DISP_E_EXCEPTION);
  EXPECT_EQ(ei.scode, CTL_E_SETNOTSUPPORTED);
  EXPECT_EQ(ei.number(), 383);

  // While objects live the library must stay loaded.
  void *lib = dlopen(ECHO_COMPONENT, RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(lib, nullptr);
  auto canUnload = reinterpret_cast<DllCanUnloadNowFn>(dlsym(lib, "DllCanUnloadNow"));
  EXPECT_EQ(canUnload(), S_FALSE);
  byId.reset();
  byProgId.reset();
  EXPECT_EQ(canUnload(), S_OK);
  dlclose(lib);

  ASSERT_EQ(regsvr({"-u", ECHO_COMPONENT}, &out), 0) << out.toStdString();
  Registry after;
  EXPECT_FALSE(after.keyExists(key));
  EXPECT_FALSE(after.keyExists(kProgId));
  EXPECT_FALSE(after.keyExists("TypeLib\\{5E0C1A03-7D31-4C6B-9A52-0D0F00E0C001}"));
  EXPECT_EQ(createInstance(kEcho, &byId), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(createInstanceByProgId(kProgId, &byProgId), REGDB_E_CLASSNOTREG);
  EXPECT_FALSE(byId);
  CLSID c;
  EXPECT_EQ(clsidFromProgId(kProgId, &c), CO_E_CLASSSTRING);
}

TEST_F(ServerTest, HostedControlGetsItsSiteAndDeliversEvents) {
  ASSERT_EQ(registerServer(ECHO_COMPONENT), S_OK);
  std::unique_ptr<ControlHost> host;
  ASSERT_EQ(ControlHost::create(kProgId, kEchoEvents, nullptr, &host), S_OK);
  std::vector<std::pair<DISPID, std::string>> events;
  host->setEventHandler([&](DISPID id, const std::vector<Variant> &args) {
    events.emplace_back(id, args.empty() ? "" : args[0].str());
  });
  ASSERT_EQ(host->put(1, "Done"), S_OK);
  ASSERT_EQ(host->call(3), S_OK);
  EXPECT_EQ(events, (std::vector<std::pair<DISPID, std::string>>{{1, "Done"}}));

  Variant mode;
  ASSERT_EQ(host->get(4, &mode), S_OK);
  EXPECT_EQ(mode, Variant(true));
  host->setUserMode(false);
  ASSERT_EQ(host->get(4, &mode), S_OK);
  EXPECT_EQ(mode, Variant(false));

  // The same class by its class id text.
  std::unique_ptr<ControlHost> second;
  EXPECT_EQ(
      ControlHost::create("{5E0C1A00-7D31-4C6B-9A52-0D0F00E0C001}", kEchoEvents, nullptr, &second),
      S_OK);
  EXPECT_EQ(registerServer(ECHO_COMPONENT, true), S_OK);
  EXPECT_EQ(ControlHost::create(kProgId, kEchoEvents, nullptr, &second), REGDB_E_CLASSNOTREG);
  EXPECT_FALSE(second);
}

TEST_F(ServerTest, BrokenRegistrationsFailCleanly) {
  Registry reg;
  const std::string key = "CLSID\\" + formatGuid(kEcho) + "\\InprocServer32";
  reg.setValue(key, "", dir.file("missing.so").toStdString());
  ASSERT_TRUE(reg.sync());
  ComPtr<IUnknown> obj;
  EXPECT_EQ(createInstance(kEcho, &obj), CO_E_DLLNOTFOUND);

  dir.write("garbage.so", "not a library");
  reg.setValue(key, "", dir.file("garbage.so").toStdString());
  ASSERT_TRUE(reg.sync());
  EXPECT_EQ(createInstance(kEcho, &obj), CO_E_DLLNOTFOUND);

  // A real library that is no server.
  reg.setValue(key, "", modulePath(reinterpret_cast<const void *>(&std::fputs)));
  ASSERT_TRUE(reg.sync());
  EXPECT_EQ(createInstance(kEcho, &obj), CO_E_ERRORINDLL);
  EXPECT_FALSE(obj);

  CLSID c;
  EXPECT_EQ(clsidFromString("{not a guid}", &c), CO_E_CLASSSTRING);
  EXPECT_EQ(clsidFromString("", &c), CO_E_CLASSSTRING);
}

TEST_F(ServerTest, RegistrationToolReportsMisuse) {
  QString out;
  EXPECT_EQ(regsvr({}, &out), 2);
  EXPECT_EQ(regsvr({dir.file("none.so")}, &out), 1);
  EXPECT_TRUE(out.contains("no such file")) << out.toStdString();
  dir.write("text.so", "x");
  EXPECT_EQ(regsvr({dir.file("text.so")}, &out), 1);
  EXPECT_TRUE(out.contains("failed")) << out.toStdString();
}

} // namespace
} // namespace dorrin::com
