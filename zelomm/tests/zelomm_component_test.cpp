// libzelomm.so as the organiser meets it: registered in the per-user registry,
// loaded from disk, created by class id and ProgID, and driven by dispatch id
// through the organiser's four puts on the real media layer (SDL's dummy
// audio driver in the test environment).
#include "platform/com/host.h"
#include "platform/com/loader.h"
#include "platform/com/registry.h"
#include "platform/mci/tests/mci_fixture.h"
#include "platform/paths/data_folder.h"
#include "tests/support/temp_folder.h"
#include "zelomm/zelomm_ids.h"

#include "platform/com/resources.h"
#include "zelomm/bar_drawing.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace dorrin::zelomm {
namespace {

using com::Variant;

class ZelommComponent : public ::testing::Test {
protected:
  void SetUp() override {
    saved_ = qgetenv("TESSIVO_REGISTRY");
    qputenv("TESSIVO_REGISTRY", dir_.file("registry.ini").toUtf8());
    QDir().mkpath(paths::dataFolder());
    // 0.3 s at 8 kHz, under the name the organiser uses.
    ASSERT_TRUE(mci::test::writeWave(QDir(paths::dataFolder()).filePath("음1.wav"), 2400, 8000));
  }
  void TearDown() override {
    if (saved_.isEmpty())
      qunsetenv("TESSIVO_REGISTRY");
    else
      qputenv("TESSIVO_REGISTRY", saved_);
  }
  // The error after a command.
  int commandError(com::ControlHost &host, const char *word) {
    EXPECT_EQ(host.put(dispidCommand, word), com::S_OK);
    Variant e;
    EXPECT_EQ(host.get(dispidError, &e), com::S_OK);
    return e.toI4().value_or(-1);
  }

  test::TempFolder dir_;
  QByteArray saved_;
};

TEST_F(ZelommComponent, RegisteredControlPlaysTheOrganisersSequenceToDone) {
  ASSERT_EQ(com::registerServer(ZELOMM_LIBRARY), com::S_OK);
  com::Registry reg;
  const std::string key = "CLSID\\{E881B560-E2F4-101B-96E6-0020AF38F4BB}";
  EXPECT_EQ(reg.value(key + "\\InprocServer32"), ZELOMM_LIBRARY);
  EXPECT_EQ(reg.value(key + "\\ProgID"), kProgId);
  EXPECT_EQ(reg.value(key + "\\TypeLib"), "{E881B563-E2F4-101B-96E6-0020AF38F4BB}");
  EXPECT_EQ(reg.value(key + "\\MiscStatus\\1"), "131473");
  EXPECT_EQ(reg.value("ZELOMM.ZelommCtrl.1\\CLSID"), "{E881B560-E2F4-101B-96E6-0020AF38F4BB}");

  com::ComPtr<com::IDispatch> byId;
  ASSERT_EQ(com::createInstance(CLSID_Zelomm, &byId), com::S_OK);
  Variant v;
  ASSERT_EQ(com::getProperty(byId.get(), dispidBevelWidth, &v), com::S_OK);
  EXPECT_EQ(v, Variant(std::int16_t{2}));
  byId.reset();

  std::unique_ptr<com::ControlHost> host;
  ASSERT_EQ(com::ControlHost::create(kProgId, DIID__DZelommEvents, nullptr, &host), com::S_OK);
  std::vector<com::DISPID> events;
  host->setEventHandler(
      [&](com::DISPID id, const std::vector<Variant> &) { events.push_back(id); });

  ASSERT_EQ(host->put(dispidDeviceType, "waveaudio"), com::S_OK);
  ASSERT_EQ(host->put(dispidFileName, "음1.wav"), com::S_OK);
  ASSERT_EQ(commandError(*host, "open"), 0);
  ASSERT_EQ(host->get(dispidLength, &v), com::S_OK);
  EXPECT_EQ(v, Variant(std::int32_t{300}));
  ASSERT_EQ(commandError(*host, "play"), 0);
  QTRY_VERIFY_WITH_TIMEOUT(!events.empty(), 10000);
  EXPECT_EQ(events, (std::vector<com::DISPID>{eventidDone}));
  ASSERT_EQ(host->get(dispidNotifyValue, &v), com::S_OK);
  EXPECT_EQ(v, Variant(std::int16_t{1}));

  // A file that does not exist gives an empty element: the device opens
  // without a file and the play fails, saying why.
  ASSERT_EQ(host->put(dispidFileName, "없는소리.wav"), com::S_OK);
  EXPECT_EQ(commandError(*host, "open"), 0);
  EXPECT_EQ(commandError(*host, "play"), 304); // a file is required
  ASSERT_EQ(host->get(dispidErrorMessage, &v), com::S_OK);
  EXPECT_EQ(v.str(), "This command needs a file; open the device with one.");
  host.reset();

  ASSERT_EQ(com::registerServer(ZELOMM_LIBRARY, true), com::S_OK);
  EXPECT_FALSE(com::Registry().keyExists(key));
  EXPECT_EQ(com::createInstance(CLSID_Zelomm, &byId), com::REGDB_E_CLASSNOTREG);
  EXPECT_EQ(com::ControlHost::create(kProgId, DIID__DZelommEvents, nullptr, &host),
            com::REGDB_E_CLASSNOTREG);
}

TEST_F(ZelommComponent, AHostThatOnlyPollsSeesPauseResumeAndTheEnd) {
  ASSERT_EQ(com::registerServer(ZELOMM_LIBRARY), com::S_OK);
  std::unique_ptr<com::ControlHost> host;
  ASSERT_EQ(com::ControlHost::create(kProgId, DIID__DZelommEvents, nullptr, &host), com::S_OK);
  auto number = [&](com::DISPID id) {
    Variant v;
    EXPECT_EQ(host->get(id, &v), com::S_OK);
    return v.toI4().value_or(-1);
  };
  ASSERT_EQ(host->put(dispidDeviceType, "waveaudio"), com::S_OK);
  ASSERT_EQ(host->put(dispidFileName, "음1.wav"), com::S_OK);
  ASSERT_EQ(commandError(*host, "open"), 0);
  ASSERT_EQ(commandError(*host, "play"), 0);
  EXPECT_EQ(number(dispidMode), 526); // playing
  ASSERT_EQ(commandError(*host, "pause"), 0);
  EXPECT_EQ(number(dispidMode), 529); // paused
  const int held = number(dispidPosition);
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EQ(number(dispidPosition), held) << "a paused device does not move on";
  ASSERT_EQ(commandError(*host, "pause"), 0); // a second pause resumes
  EXPECT_EQ(number(dispidMode), 526);
  // No event loop runs from here: the end is known from the device itself.
  int mode = 526;
  for (int i = 0; i < 250 && mode == 526; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    mode = number(dispidMode);
  }
  EXPECT_EQ(mode, 525); // stopped
  EXPECT_EQ(number(dispidPosition), 300);
}

TEST_F(ZelommComponent, RegistrationWritesEveryKeyAndUnregistrationRemovesThem) {
  ASSERT_EQ(com::registerServer(ZELOMM_LIBRARY), com::S_OK);
  com::Registry reg;
  const std::string control = "CLSID\\{E881B560-E2F4-101B-96E6-0020AF38F4BB}";
  const std::string page = "CLSID\\{E881B564-E2F4-101B-96E6-0020AF38F4BB}";
  const std::string lib = "TypeLib\\{E881B563-E2F4-101B-96E6-0020AF38F4BB}\\1.0";
  const struct {
    std::string key, value;
  } expected[] = {
      {control, "Zelomm Control"},
      {control + "\\ProgID", "ZELOMM.ZelommCtrl.1"},
      {control + "\\InprocServer32", ZELOMM_LIBRARY},
      {control + "\\MiscStatus\\1", "131473"},
      {control + "\\TypeLib", "{E881B563-E2F4-101B-96E6-0020AF38F4BB}"},
      {control + "\\Version", "1.0"},
      {control + "\\ToolboxBitmap32", std::string(ZELOMM_LIBRARY) + ", 1"},
      {control + "\\Control", ""},
      {control + "\\Insertable", ""},
      {"ZELOMM.ZelommCtrl.1\\CLSID", "{E881B560-E2F4-101B-96E6-0020AF38F4BB}"},
      {page, "Zelomm Property Page"},
      {page + "\\ProgID", "ZELOMM.ZelommPropPage.1"},
      {page + "\\InprocServer32", ZELOMM_LIBRARY},
      {"ZELOMM.ZelommPropPage.1\\CLSID", "{E881B564-E2F4-101B-96E6-0020AF38F4BB}"},
      {lib, "Zelomm ActiveX Control module"},
      {lib + "\\0\\linux", ZELOMM_LIBRARY},
  };
  for (const auto &e : expected)
    EXPECT_EQ(reg.value(e.key), e.value) << e.key;

  // The type library and the toolbox picture travel inside the library file.
  const auto typeLib = com::readLibrarySection(ZELOMM_LIBRARY, "dorrin_typelib");
  ASSERT_TRUE(typeLib);
  for (const char *part : {"library ZelommLib", "uuid(E881B563-E2F4-101B-96E6-0020AF38F4BB)",
                           "version(1.0)", "coclass Zelomm", "[default] dispinterface _DZelomm;",
                           "[default, source] dispinterface _DZelommEvents;",
                           "[id(12)] BSTR Command;", "[id(-600)] void Click();"})
    EXPECT_TRUE(typeLib->contains(part)) << part;
  const auto picture = com::readLibrarySection(ZELOMM_LIBRARY, "dorrin_toolbox");
  ASSERT_TRUE(picture);
  QImage icon;
  ASSERT_TRUE(icon.loadFromData(*picture, "XPM"));
  EXPECT_EQ(icon.size(), QSize(16, 15));
  EXPECT_FALSE(com::readLibrarySection(ZELOMM_LIBRARY, "no_such_section"));

  // The property page class is creatable and edits a control's properties.
  com::ComPtr<com::IDispatch> ctl;
  ASSERT_EQ(com::createInstance(CLSID_Zelomm, &ctl), com::S_OK);
  ctl.reset();
  void *handle = dlopen(ZELOMM_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(handle, nullptr) << "loaded by the first creation";
  auto canUnload = reinterpret_cast<com::DllCanUnloadNowFn>(dlsym(handle, "DllCanUnloadNow"));
  ASSERT_NE(canUnload, nullptr);
  ASSERT_EQ(com::createInstance(CLSID_Zelomm, &ctl), com::S_OK);
  com::ComPtr<com::IPropertyPage> pp;
  ASSERT_EQ(com::createInstanceByProgId("ZELOMM.ZelommPropPage.1", &pp), com::S_OK);
  com::IUnknown *objects[] = {ctl.get()};
  ASSERT_EQ(pp->SetObjects(1, objects), com::S_OK);
  auto sheet = std::make_unique<QWidget>();
  QWidget *pageWidget = nullptr;
  ASSERT_EQ(pp->Activate(sheet.get(), &pageWidget), com::S_OK);
  auto *bevel = pageWidget->findChild<QLineEdit *>("edit201");
  ASSERT_NE(bevel, nullptr);
  EXPECT_EQ(bevel->text(), "2");
  bevel->setText("6");
  ASSERT_EQ(pp->Apply(), com::S_OK);
  Variant v;
  ASSERT_EQ(com::getProperty(ctl.get(), dispidBevelWidth, &v), com::S_OK);
  EXPECT_EQ(v, Variant(std::int16_t{6}));
  pp.reset();
  ctl.reset();
  ASSERT_NE(canUnload(), com::S_OK) << "the page still holds the control";
  sheet.reset();

  // With nothing alive the library says it may be unloaded.
  QTest::qWait(10); // bars of released controls go from the event loop
  EXPECT_EQ(canUnload(), com::S_OK);
  ASSERT_EQ(com::createInstance(CLSID_Zelomm, &ctl), com::S_OK);
  EXPECT_EQ(canUnload(), com::S_FALSE) << "a control is alive";
  ctl.reset();
  com::ComPtr<com::IClassFactory> factory;
  ASSERT_EQ(com::getClassObject(CLSID_Zelomm, com::IClassFactory::iid, factory.put()), com::S_OK);
  factory->LockServer(true);
  factory.reset();
  EXPECT_EQ(canUnload(), com::S_FALSE) << "the server is locked";
  ASSERT_EQ(com::getClassObject(CLSID_Zelomm, com::IClassFactory::iid, factory.put()), com::S_OK);
  factory->LockServer(false);
  factory.reset();
  EXPECT_EQ(canUnload(), com::S_OK);
  dlclose(handle);

  ASSERT_EQ(com::registerServer(ZELOMM_LIBRARY, true), com::S_OK);
  for (const auto &e : expected)
    EXPECT_FALSE(reg.keyExists(e.key)) << e.key;
  EXPECT_FALSE(reg.keyExists("TypeLib\\{E881B563-E2F4-101B-96E6-0020AF38F4BB}\\1.0"));
}

// Which glyphs a shown bar has enabled, as a string of 0/1 in button order.
std::string shownEnabled(QWidget *bar) {
  const QImage img = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
  std::string out;
  for (int k = 0; k < kButtonCount; ++k) {
    const Cell c = cellOf(k, img.width(), img.height());
    const QImage drawn = img.copy(QRect(glyphOrigin(c, false), QSize(16, 14)));
    out += drawn == glyph(k, true) ? '1' : drawn == glyph(k, false) ? '0' : '?';
  }
  return out;
}

TEST_F(ZelommComponent, BarFollowsARealWaveBeforeDuringAndAfterItsPlay) {
  ASSERT_EQ(com::registerServer(ZELOMM_LIBRARY), com::S_OK);
  QWidget form;
  form.resize(400, 100);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  std::unique_ptr<com::ControlHost> host;
  ASSERT_EQ(com::ControlHost::create(kProgId, DIID__DZelommEvents, &form, &host), com::S_OK);
  QWidget *bar = host->widget();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->parentWidget(), &form);
  EXPECT_EQ(shownEnabled(bar), "000000000") << "no device";
  bool done = false;
  host->setEventHandler([&](com::DISPID id, const std::vector<Variant> &) {
    if (id == eventidDone) done = true;
  });

  ASSERT_TRUE(mci::test::writeWave(QDir(paths::dataFolder()).filePath("long.wav"), 16000, 8000));
  host->put(dispidDeviceType, "waveaudio");
  host->put(dispidFileName, "long.wav");
  ASSERT_EQ(commandError(*host, "open"), 0);
  Variant can;
  host->get(dispidCanPlay, &can);
  EXPECT_TRUE(can.boolVal());
  host->get(dispidCanEject, &can);
  EXPECT_FALSE(can.boolVal());
  host->get(dispidCanStep, &can);
  const char stepping = can.boolVal() ? '1' : '0';
  const std::string steps(2, stepping);
  // A wave device plays but neither records nor ejects.
  EXPECT_EQ(shownEnabled(bar), "111000" + steps + "0") << "stopped";

  // PLAY pressed on the bar itself.
  const int d = (bar->width() + 1) / 9;
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(2 * d + d / 2, bar->height() / 2));
  Variant mode;
  ASSERT_EQ(host->get(dispidMode, &mode), com::S_OK);
  EXPECT_EQ(mode, Variant(std::int32_t{526})) << "playing";
  EXPECT_EQ(shownEnabled(bar), "110110" + steps + "0") << "playing";
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(3 * d + d / 2, bar->height() / 2));
  ASSERT_EQ(host->get(dispidMode, &mode), com::S_OK);
  EXPECT_EQ(mode, Variant(std::int32_t{529})) << "paused";
  EXPECT_EQ(shownEnabled(bar), "110110" + steps + "0") << "paused";
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(3 * d + d / 2, bar->height() / 2));
  ASSERT_EQ(host->get(dispidMode, &mode), com::S_OK);
  EXPECT_EQ(mode, Variant(std::int32_t{526})) << "resumed";

  QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
  EXPECT_EQ(shownEnabled(bar), "111000" + steps + "0") << "stopped after the notification";
}

TEST_F(ZelommComponent, PlayToolReportsEachStringAndDone) {
  QProcess tool;
  tool.start(ZELOMM_PLAY, {QDir(paths::dataFolder()).filePath("음1.wav")});
  ASSERT_TRUE(tool.waitForFinished(30000));
  EXPECT_EQ(tool.exitCode(), 2); // not registered yet
  EXPECT_TRUE(tool.readAllStandardError().contains("Class not registered"));

  QProcess regsvr;
  regsvr.start(REGSVR_TOOL, {ZELOMM_LIBRARY});
  ASSERT_TRUE(regsvr.waitForFinished(30000));
  ASSERT_EQ(regsvr.exitCode(), 0);

  tool.start(ZELOMM_PLAY, {"음1.wav"}); // found in the data folder
  ASSERT_TRUE(tool.waitForFinished(30000));
  const QString out = QString::fromUtf8(tool.readAllStandardOutput());
  EXPECT_EQ(tool.exitCode(), 0) << out.toStdString() << tool.readAllStandardError().toStdString();
  const QString data = QDir::cleanPath(paths::dataFolder());
  EXPECT_TRUE(
      out.contains("MCI send \"open " + data + "/음1.wav alias 1  type WAVEAUDIO  wait\" -> 0"))
      << out.toStdString();
  EXPECT_TRUE(out.contains("Error 0 after open\n")) << out.toStdString();
  EXPECT_TRUE(out.contains("MCI send \"play 1   notify \" -> 0\nError 0 after play\n"))
      << out.toStdString();
  EXPECT_TRUE(out.contains("\nDone 1\n")) << out.toStdString();

  tool.start(ZELOMM_PLAY, {"없는소리.wav"});
  ASSERT_TRUE(tool.waitForFinished(30000));
  EXPECT_EQ(tool.exitCode(), 1);
}

} // namespace
} // namespace dorrin::zelomm
