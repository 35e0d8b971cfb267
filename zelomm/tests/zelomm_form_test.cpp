// The control on Qt forms: a .ui file holding it is loaded at run time through
// the Designer plugin (QUiLoader) and compiled by uic; either way the control
// is created through its registered class with the values the file keeps, and
// saving the form keeps them again.
#include "platform/com/registry.h"
#include "platform/mci/tests/mci_fixture.h"
#include "platform/paths/data_folder.h"
#include "tests/support/temp_folder.h"
#include "ui_zelomm_form.h"
#include "zelomm/designer/zelomm_widget.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFormBuilder>
#include <QSignalSpy>
#include <QTest>
#include <QUiLoader>
#include <gtest/gtest.h>

namespace {

using namespace dorrin;

class ZelommForm : public ::testing::Test {
protected:
  void SetUp() override {
    saved_ = qgetenv("TESSIVO_REGISTRY");
    qputenv("TESSIVO_REGISTRY", dir_.file("registry.ini").toUtf8());
    QDir().mkpath(paths::dataFolder());
    ASSERT_TRUE(mci::test::writeWave(QDir(paths::dataFolder()).filePath("음1.wav"), 2400, 8000));
    QFile ui(QStringLiteral(ZELOMM_SOURCE_DIR "/tests/zelomm_form.ui"));
    ASSERT_TRUE(ui.open(QIODevice::ReadOnly));
    form_ = ui.readAll();
  }
  void TearDown() override {
    if (saved_.isEmpty())
      qunsetenv("TESSIVO_REGISTRY");
    else
      qputenv("TESSIVO_REGISTRY", saved_);
  }
  std::unique_ptr<QWidget> load(QUiLoader &loader, const QByteArray &xml) {
    QBuffer buffer;
    buffer.setData(xml);
    buffer.open(QIODevice::ReadOnly);
    return std::unique_ptr<QWidget>(loader.load(&buffer));
  }

  test::TempFolder dir_;
  QByteArray saved_;
  QByteArray form_;
};

TEST_F(ZelommForm, LoadedThroughThePluginWithTheSavedValuesAndSavedAgain) {
  QUiLoader loader;
  loader.addPluginPath(QStringLiteral(ZELOMM_PLUGIN_DIR));
  ASSERT_TRUE(loader.availableWidgets().contains(QStringLiteral("Zelomm")));
  auto w = load(loader, form_);
  ASSERT_NE(w, nullptr) << loader.errorString().toStdString();
  QWidget *z = w->findChild<QWidget *>(QStringLiteral("Zelomm1"));
  ASSERT_NE(z, nullptr);
  EXPECT_STREQ(z->metaObject()->className(), "Zelomm");
  EXPECT_EQ(z->property("DeviceType").toString(), QStringLiteral("WAVEAUDIO"));
  EXPECT_EQ(z->property("FileName").toString(), QStringLiteral("음1.wav"));
  EXPECT_EQ(z->property("UpdateInterval").toInt(), 250);
  EXPECT_EQ(z->property("BevelWidth").toInt(), 5);
  EXPECT_EQ(z->property("Enabled").toBool(), false);
  EXPECT_TRUE(com::Registry().keyExists("CLSID\\{E881B560-E2F4-101B-96E6-0020AF38F4BB}"))
      << "the plugin registers the shipped library when it is not registered";

  // The bar inside trims the 300 px the form gives it.
  w->show();
  QTRY_COMPARE_WITH_TIMEOUT(z->size(), QSize(297, 40), 3000);

  // Saving the form keeps the control's values; loading that again gives them back.
  z->setProperty("BevelWidth", 9);
  z->setProperty("FileName", QStringLiteral("음2.wav"));
  QFormBuilder builder;
  builder.addPluginPath(QStringLiteral(ZELOMM_PLUGIN_DIR));
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  builder.save(&out, w.get());
  const QByteArray saved = out.data();
  EXPECT_TRUE(saved.contains("<widget class=\"Zelomm\" name=\"Zelomm1\">")) << saved.constData();
  auto again = load(loader, saved);
  ASSERT_NE(again, nullptr);
  QWidget *z2 = again->findChild<QWidget *>(QStringLiteral("Zelomm1"));
  ASSERT_NE(z2, nullptr) << saved.constData();
  EXPECT_EQ(z2->property("BevelWidth").toInt(), 9) << saved.constData();
  EXPECT_EQ(z2->property("FileName").toString(), QStringLiteral("음2.wav"));
  EXPECT_EQ(z2->property("DeviceType").toString(), QStringLiteral("WAVEAUDIO"));
  EXPECT_EQ(z2->property("UpdateInterval").toInt(), 250);
  EXPECT_EQ(z2->property("Enabled").toBool(), false);
}

TEST_F(ZelommForm, UicFormGetsAWorkingControl) {
  QWidget w;
  Ui::ZelommForm ui;
  ui.setupUi(&w);
  ASSERT_TRUE(ui.Zelomm1->isValid());
  EXPECT_EQ(ui.Zelomm1->deviceType(), QStringLiteral("WAVEAUDIO"));
  EXPECT_EQ(ui.Zelomm1->bevelWidth(), 5);
  EXPECT_FALSE(ui.Zelomm1->controlEnabled());
  QSignalSpy status(ui.Zelomm1, &Zelomm::StatusUpdate);
  QSignalSpy done(ui.Zelomm1, &Zelomm::Done);

  ui.Zelomm1->setCommand(QStringLiteral("open"));
  EXPECT_EQ(ui.Zelomm1->error(), 0) << ui.Zelomm1->errorMessage().toStdString();
  EXPECT_EQ(ui.Zelomm1->length(), 300);
  ui.Zelomm1->setCommand(QStringLiteral("play"));
  EXPECT_EQ(ui.Zelomm1->error(), 0);
  EXPECT_TRUE(done.wait(10000));
  EXPECT_FALSE(status.isEmpty()) << "UpdateInterval 250 ticks while the clip plays";
}

} // namespace
