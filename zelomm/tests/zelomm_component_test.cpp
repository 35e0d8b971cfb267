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

#include <QDir>
#include <QProcess>
#include <QTest>
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
