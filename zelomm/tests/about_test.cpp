// The About box (modal, naming the control and its maker), the property sheet
// with its General page linked to the control's properties, and the string
// table.
#include "platform/com/host.h"
#include "zelomm/about.h"
#include "zelomm/resources.h"
#include "zelomm/tests/fake_mci.h"
#include "zelomm/zelomm_ids.h"
#include "zelomm/zelomm_object.h"

#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace dorrin::zelomm {
namespace {

using com::Variant;

class AboutAndPages : public ::testing::Test {
protected:
  void SetUp() override {
    object_ = new ZelommObject(&module_, mci_);
    ASSERT_EQ(com::ControlHost::attach(static_cast<com::IDispatch *>(object_), DIID__DZelommEvents,
                                       &form_, &host_),
              com::S_OK);
    object_->Release();
  }
  // Runs inspect on the modal dialog that the call opens, then closes it.
  template <class Call, class Inspect> void whileModal(Call call, Inspect inspect) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      QWidget *modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr);
      seen = true;
      inspect(modal);
      modal->close();
    });
    call();
    EXPECT_TRUE(seen) << "no modal dialog";
  }

  QWidget form_;
  com::ModuleCount module_;
  test::FakeMci mci_;
  ZelommObject *object_ = nullptr;
  std::unique_ptr<com::ControlHost> host_;
};

TEST_F(AboutAndPages, AboutBoxIsModalAndNamesTheControlAndItsMaker) {
  whileModal([&] { EXPECT_EQ(host_->call(com::DISPID_ABOUTBOX), com::S_OK); },
             [](QWidget *box) {
               EXPECT_EQ(box->windowTitle(), QStringLiteral("About Zelomm Control"));
               const auto *text = box->findChild<QLabel *>(QStringLiteral("aboutText"));
               ASSERT_NE(text, nullptr);
               EXPECT_TRUE(text->text().contains(QStringLiteral("Zelomm Control")));
               EXPECT_TRUE(text->text().contains(QStringLiteral("Tessivo")));
             });
}

TEST_F(AboutAndPages, GeneralPageEditsTheFourPropertiesAndRefusesBadNumbers) {
  host_->put(dispidDeviceType, "waveaudio");
  host_->put(dispidFileName, "음1.wav");
  GeneralPage page(host_->control(), nullptr);
  const char *labels[] = {"BevelWidth", "DeviceType", "FileName", "UpdateInterval"};
  const char *shown[] = {"2", "WAVEAUDIO", "음1.wav", "0"};
  auto *layout = qobject_cast<QFormLayout *>(page.layout());
  ASSERT_NE(layout, nullptr);
  for (int id = 201; id <= 204; ++id) {
    QLineEdit *e = page.edit(id);
    ASSERT_NE(e, nullptr) << id;
    EXPECT_EQ(e->property("controlId").toInt(), id);
    EXPECT_EQ(e->text(), QString::fromUtf8(shown[id - 201])) << id;
    auto *label = qobject_cast<QLabel *>(layout->labelForField(e));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromLatin1(labels[id - 201]));
  }
  EXPECT_EQ(page.edit(200), nullptr);

  page.edit(201)->setText("12");
  page.edit(202)->setText("sequencer");
  page.edit(203)->setText("b.mid");
  page.edit(204)->setText("500");
  ASSERT_TRUE(page.apply());
  CZelommCtrl &c = object_->engine();
  EXPECT_EQ(c.bevelWidth(), 10) << "held within 0..10";
  EXPECT_EQ(page.edit(201)->text(), "10") << "the page shows what the control kept";
  EXPECT_EQ(c.deviceType(), "SEQUENCER");
  EXPECT_EQ(c.fileName(), "b.mid");
  EXPECT_EQ(c.updateInterval(), 500);
  EXPECT_TRUE(object_->timerActive());

  page.edit(201)->setText("wide");
  page.edit(204)->setText("40000");
  page.edit(203)->setText("c.wav");
  EXPECT_FALSE(page.apply());
  EXPECT_EQ(c.bevelWidth(), 10);
  EXPECT_EQ(c.updateInterval(), 500);
  EXPECT_EQ(c.fileName(), "c.wav") << "the good boxes are still written";
}

TEST_F(AboutAndPages, PropertiesVerbShowsTheGeneralAndAboutPages) {
  auto object = com::ComPtr<com::IUnknown>(host_->control()).as<com::IOleObject>();
  ASSERT_TRUE(object);
  whileModal([&] { EXPECT_EQ(object->DoVerb(com::OLEIVERB_PROPERTIES, &form_), com::S_OK); },
             [](QWidget *sheet) {
               auto *tabs = sheet->findChild<QTabWidget *>();
               ASSERT_NE(tabs, nullptr);
               ASSERT_EQ(tabs->count(), 2);
               EXPECT_EQ(tabs->tabText(0), QStringLiteral("General"));
               EXPECT_EQ(tabs->tabText(1), QStringLiteral("About"));
             });
  EXPECT_EQ(object->DoVerb(0, &form_), com::E_NOTIMPL);
}

TEST(ZelommStrings, TableHoldsItsFiveTexts) {
  EXPECT_EQ(loadString(1), "Zelomm Control");
  EXPECT_EQ(loadString(2), "Zelomm Property Page");
  EXPECT_EQ(loadString(101), "General");
  EXPECT_EQ(loadString(102), "About Property Page");
  EXPECT_EQ(loadString(103), "About");
  EXPECT_EQ(loadString(3), "");
}

} // namespace
} // namespace dorrin::zelomm
