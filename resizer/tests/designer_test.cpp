// KtResizer on Qt Designer forms: the plugin's widget box entry and design
// mode, a .ui form loaded at run time through the plugin, and the same form
// compiled by uic.
#include "resizer/tests/placed_component.h"
#include "resizer/widget/ktresizer.h"
#include "ui_sample_form.h"

#include <QPluginLoader>
#include <QPushButton>
#include <QTest>
#include <QUiLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>

namespace {

void settle() {
  for (int i = 0; i < 3; ++i)
    QCoreApplication::sendPostedEvents();
}

QDesignerCustomWidgetInterface *plugin() {
  static QPluginLoader loader(QStringLiteral(KTRESZ30_PLUGIN));
  return qobject_cast<QDesignerCustomWidgetInterface *>(loader.instance());
}

TEST(ResizerDesigner, PluginOffersTheControlAndItsDomXml) {
  QDesignerCustomWidgetInterface *p = plugin();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->name(), "KtResizer");
  EXPECT_FALSE(p->isContainer());
  EXPECT_TRUE(p->domXml().contains(R"(class="KtResizer")"));
  EXPECT_FALSE(p->icon().isNull());
  QWidget form;
  QWidget *runTime = p->createWidget(&form);
  EXPECT_TRUE(runTime->isHidden()) << "invisible at run time";
  ASSERT_TRUE(runTime->setProperty("MinHeight", 250.0));
  EXPECT_EQ(runTime->property("MinHeight").toDouble(), 250.0);
  EXPECT_EQ(form.minimumHeight(), 250) << "the limit reaches the form at once";
  ASSERT_TRUE(runTime->setProperty("MaxHeight", 100.0)); // refused: below the minimum
  EXPECT_EQ(runTime->property("MaxHeight").toDouble(), 0.0);
}

TEST(ResizerDesigner, DesignTimeWidgetIsShownAndLeavesTheFormAlone) {
  QWidget designed;
  designed.resize(300, 200);
  auto *button = new QPushButton(&designed);
  button->setGeometry(30, 20, 60, 20);
  auto *resizer = new KtResizer(&designed, KtResizer::DesignTime);
  EXPECT_FALSE(resizer->isHidden());
  resizer->setProperty("MinHeight", 250.0);
  EXPECT_EQ(resizer->property("MinHeight").toDouble(), 250.0) << "kept for the .ui file";
  EXPECT_EQ(designed.minimumHeight(), 0) << "no limits on a form being designed";
  designed.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&designed));
  settle();
  designed.resize(600, 400);
  settle();
  EXPECT_EQ(button->geometry(), QRect(30, 20, 60, 20));
}

// The sample form's OK button at its design place (480 x 330 form).
const QRect kOkDesign(360, 284, 100, 32);

TEST(ResizerDesigner, FormLoadedThroughThePluginKeepsProportions) {
  ASSERT_NE(plugin(), nullptr);
  QUiLoader loader;
  loader.addPluginPath(QFileInfo(QStringLiteral(KTRESZ30_PLUGIN)).absolutePath());
  ASSERT_TRUE(loader.availableWidgets().contains("KtResizer"));
  QFile file(QStringLiteral(SAMPLE_FORM));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  std::unique_ptr<QWidget> form(loader.load(&file));
  ASSERT_TRUE(form);
  QWidget *resizer = form->findChild<QWidget *>("KtResizer1");
  ASSERT_TRUE(resizer && resizer->inherits("KtResizer"));
  EXPECT_EQ(resizer->property("MaxFontSize").toDouble(), 20.0) << "read from the .ui file";
  auto *ok = form->findChild<QPushButton *>("okButton");
  ASSERT_EQ(ok->geometry(), kOkDesign);
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  settle();
  form->resize(960, 660);
  settle();
  EXPECT_EQ(ok->geometry(), QRect(720, 568, 200, 64));
  form->resize(100, 100);
  settle();
  EXPECT_EQ(form->frameGeometry().size(), QSize(240, 180))
      << "MinWidth / MinHeight (outer size) from the .ui file";
}

TEST(ResizerDesigner, UicGeneratedFormGetsAWorkingResizer) {
  QWidget form;
  Ui::SampleForm ui;
  ui.setupUi(&form);
  int completes = 0;
  QObject::connect(ui.KtResizer1, &KtResizer::ResizeComplete, [&] { ++completes; });
  std::vector<QWidget *> offered;
  QObject::connect(ui.KtResizer1, &KtResizer::BeforeResize,
                   [&](QWidget *control, KtResizeOptions &o) {
                     offered.push_back(control);
                     if (control == ui.cancelButton) o.ApplyNewPosition = o.ApplyNewSize = false;
                   });
  ASSERT_NE(ui.KtResizer1->control(), nullptr) << ui.KtResizer1->lastError().toStdString();
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  settle();
  const QRect cancel = ui.cancelButton->geometry();
  form.resize(960, 660);
  settle();
  EXPECT_EQ(ui.okButton->geometry(), QRect(720, 568, 200, 64));
  EXPECT_EQ(ui.cancelButton->geometry(), cancel) << "refused in BeforeResize";
  EXPECT_EQ(completes, 1);
  EXPECT_NE(std::find(offered.begin(), offered.end(), ui.pageButton), offered.end())
      << "controls on a tab page are managed";
  EXPECT_NEAR(ui.okButton->font().pointSizeF(), 20, 1e-6) << "10 pt doubled, held at MaxFontSize";
}

TEST(ResizerDesigner, ComponentHostedOnTheFormIsPlacedByTheLibrary) {
  // The library keeps its own copy of the component layer: it finds the
  // component from its window, not from the host's tables.
  using dorrin::resizer::test::PlacedComponent;
  QWidget form;
  form.resize(400, 300);
  auto *component = new PlacedComponent({});
  std::unique_ptr<dorrin::com::ControlHost> host;
  ASSERT_EQ(dorrin::com::ControlHost::attach(static_cast<dorrin::com::IDispatch *>(component),
                                             dorrin::com::GUID_NULL, &form, &host),
            dorrin::com::S_OK);
  component->Release();
  QWidget *window = host->widget();
  window->setGeometry(40, 30, 80, 20);
  auto *resizer = new KtResizer(&form);
  ASSERT_NE(resizer->control(), nullptr) << resizer->lastError().toStdString();
  std::vector<QWidget *> offered;
  QObject::connect(resizer, &KtResizer::BeforeResize,
                   [&](QWidget *control, KtResizeOptions &) { offered.push_back(control); });
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  settle();
  component->log.clear();
  form.resize(800, 600);
  settle();
  EXPECT_EQ(component->log, QStringList{"Move(80,60,160,40)"});
  EXPECT_EQ(window->geometry(), QRect(80, 60, 160, 40));
  EXPECT_EQ(offered, std::vector<QWidget *>{window});
}

} // namespace
