// libktresz30.so as a container meets it: registered in the per-user registry
// with its keys, created by ProgID, its companion object by class, and
// unregistered again.
#include "platform/com/host.h"
#include "platform/com/loader.h"
#include "platform/com/registry.h"
#include "resizer/ktresz30_ids.h"
#include "tests/support/temp_folder.h"

#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace dorrin::resizer {
namespace {

using com::Variant;

class ResizerComponent : public ::testing::Test {
protected:
  void SetUp() override {
    saved_ = qgetenv("TESSIVO_REGISTRY");
    qputenv("TESSIVO_REGISTRY", dir_.file("registry.ini").toUtf8());
  }
  void TearDown() override {
    if (saved_.isEmpty())
      qunsetenv("TESSIVO_REGISTRY");
    else
      qputenv("TESSIVO_REGISTRY", saved_);
  }
  test::TempFolder dir_;
  QByteArray saved_;
};

TEST_F(ResizerComponent, RegistrationKeysAndTheirRemoval) {
  ASSERT_EQ(com::registerServer(KTRESZ30_LIBRARY), com::S_OK);
  com::Registry reg;
  const std::string clsid = com::formatGuid(CLSID_KtResizer);
  const std::string key = "CLSID\\" + clsid;
  const std::string lib = com::formatGuid(LIBID_Ambrel);
  const std::string folder =
      QFileInfo(QString::fromUtf8(KTRESZ30_LIBRARY)).absolutePath().toStdString();
  const std::pair<std::string, std::string> values[] = {
      {key, "KtResizer Control 3.0"},
      {key + "\\InprocServer32", KTRESZ30_LIBRARY},
      {key + "\\ProgID", "Ambrel.KtResizer.1"},
      {key + "\\VersionIndependentProgID", "Ambrel.KtResizer"},
      {key + "\\TypeLib", lib},
      {key + "\\Version", "3.0"},
      {key + "\\ToolboxBitmap32", std::string(KTRESZ30_LIBRARY) + ", 111"},
      {key + "\\Control", ""},
      {key + "\\MiscStatus\\1", "173457"},
      {"Ambrel.KtResizer.1\\CLSID", clsid},
      {"Ambrel.KtResizer\\CLSID", clsid},
      {"Ambrel.KtResizer\\CurVer", "Ambrel.KtResizer.1"},
      {"CLSID\\" + com::formatGuid(CLSID_KtResizeOptions), "KtResizeOptions Object"},
      {"Ambrel.KtResizeOptions\\CLSID", com::formatGuid(CLSID_KtResizeOptions)},
      {"TypeLib\\" + lib + "\\3.0", "Ambrel Control"},
      {"TypeLib\\" + lib + "\\3.0\\409\\linux", KTRESZ30_LIBRARY},
      {"TypeLib\\" + lib + "\\3.0\\HELPDIR", folder},
  };
  for (const auto &[k, v] : values)
    EXPECT_EQ(reg.value(k), v) << k;
  EXPECT_EQ(reg.value(key + "\\InprocServer32", "ThreadingModel"), "Apartment");

  ASSERT_EQ(com::registerServer(KTRESZ30_LIBRARY, true), com::S_OK);
  com::Registry after;
  for (const char *k : {"Ambrel.KtResizer.1", "Ambrel.KtResizer", "Ambrel.KtResizeOptions"})
    EXPECT_FALSE(after.keyExists(k)) << k;
  EXPECT_FALSE(after.keyExists(key));
  EXPECT_FALSE(after.keyExists("TypeLib\\" + lib));
}

TEST_F(ResizerComponent, CreatedByProgIdLaysOutAForm) {
  ASSERT_EQ(com::registerServer(KTRESZ30_LIBRARY), com::S_OK);
  com::ComPtr<com::IDispatch> options;
  ASSERT_EQ(com::createInstance(CLSID_KtResizeOptions, &options), com::S_OK);
  ASSERT_EQ(com::putProperty(options.get(), dispidNewWidth, 12.5f), com::S_OK);
  Variant v;
  ASSERT_EQ(com::getProperty(options.get(), dispidNewWidth, &v), com::S_OK);
  EXPECT_EQ(v, Variant(12.5f));

  QWidget form;
  form.resize(400, 300);
  auto *button = new QPushButton(&form);
  button->setGeometry(40, 30, 80, 30);
  std::unique_ptr<com::ControlHost> host;
  ASSERT_EQ(com::ControlHost::create(kProgId, DIID_DKtResizerEvents, &form, &host), com::S_OK);
  host->setAmbient(com::DISPID_AMBIENT_SCALEUNITS, "pixels");
  int completes = 0;
  host->setEventHandler([&](com::DISPID id, const std::vector<Variant> &) {
    if (id == eventidResizeComplete) ++completes;
  });
  com::ExcepInfo ei;
  EXPECT_EQ(host->put(dispidResizeStyle, std::int32_t{5}, &ei), com::DISP_E_EXCEPTION);
  EXPECT_EQ(ei.number(), 380);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QCoreApplication::sendPostedEvents();
  form.resize(800, 600);
  QTRY_COMPARE(button->geometry(), QRect(80, 60, 160, 60));
  EXPECT_EQ(completes, 1);
}

} // namespace
} // namespace dorrin::resizer
