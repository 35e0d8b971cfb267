// The bar on a container's form: it grows or trims itself before drawing,
// shows the button states of the device, and turns presses into commands.
#include "platform/com/host.h"
#include "zelomm/bar_drawing.h"
#include "zelomm/bar_widget.h"
#include "zelomm/tests/fake_mci.h"
#include "zelomm/zelomm_ids.h"
#include "zelomm/zelomm_object.h"

#include <QTest>
#include <gtest/gtest.h>

namespace dorrin::zelomm {
namespace {

using com::Variant;

class BarTest : public ::testing::Test {
protected:
  void SetUp() override {
    form_.resize(640, 200);
    form_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form_));
    object_ = new ZelommObject(&module_, mci_);
    ASSERT_EQ(com::ControlHost::attach(static_cast<com::IDispatch *>(object_), DIID__DZelommEvents,
                                       &form_, &host_),
              com::S_OK);
    object_->Release(); // the host holds the control
    host_->setEventHandler([this](com::DISPID id, const std::vector<Variant> &) {
      events_.push_back(id);
      if (onEvent_) onEvent_(id);
    });
    bar_ = dynamic_cast<BarWidget *>(host_->widget());
    ASSERT_NE(bar_, nullptr);
  }
  void TearDown() override { host_.reset(); }

  CZelommCtrl &engine() { return object_->engine(); }
  // A device opened with these capabilities and mode.
  void open(bool canPlay, bool canRecord, bool canEject, const char *mode = "stopped") {
    mci_.on("capability A can play wait", 0, canPlay ? "true" : "false");
    mci_.on("capability A can record wait", 0, canRecord ? "true" : "false");
    mci_.on("capability A can eject wait", 0, canEject ? "true" : "false");
    mci_.on("status A mode wait", 0, mode);
    host_->put(dispidDeviceType, "waveaudio");
    host_->put(dispidFileName, "a.wav");
    host_->put(dispidCommand, "open");
  }
  // Which glyphs the bar shows enabled, as a 9-character string of 0/1.
  std::string shownEnabled() {
    const QImage img = bar_->render();
    EXPECT_FALSE(img.isNull());
    std::string out;
    for (int k = 0; k < kButtonCount; ++k) {
      const Cell c = cellOf(k, img.width(), img.height());
      const QImage drawn = img.copy(QRect(glyphOrigin(c, false), QSize(16, 14)));
      const bool on = drawn == glyph(k, true).convertToFormat(drawn.format());
      const bool off = drawn == glyph(k, false).convertToFormat(drawn.format());
      EXPECT_TRUE(on || off) << "button " << k << " shows neither glyph";
      out += on ? '1' : '0';
    }
    return out;
  }
  int centre(int k) { return k * ((bar_->width() + 1) / 9) + 10; }
  void click(int x, int releaseX, int releaseY) {
    QTest::mousePress(bar_, Qt::LeftButton, {}, QPoint(x, 10));
    QTest::mouseRelease(bar_, Qt::LeftButton, {}, QPoint(releaseX, releaseY));
  }

  QWidget form_;
  com::ModuleCount module_;
  test::FakeMci mci_;
  ZelommObject *object_ = nullptr;
  std::unique_ptr<com::ControlHost> host_;
  BarWidget *bar_ = nullptr;
  std::vector<com::DISPID> events_;
  std::function<void(com::DISPID)> onEvent_;
};

TEST_F(BarTest, NewBarIs234By33AndResizesItselfBeforeDrawing) {
  EXPECT_EQ(bar_->size(), QSize(234, 33));
  EXPECT_TRUE(bar_->isVisible());

  bar_->resize(300, 40);
  EXPECT_TRUE(bar_->render().isNull()) << "nothing is drawn at 300 wide";
  QTRY_COMPARE_WITH_TIMEOUT(bar_->size(), QSize(297, 40), 3000);
  const QImage img = bar_->render();
  ASSERT_EQ(img.size(), QSize(297, 40));
  // Nine 33-pixel cells: each left outline, and cell 5 one short.
  for (int left : {0, 33, 66, 99, 132, 165, 197, 230, 263})
    EXPECT_EQ(img.pixel(left, 20) | 0xff000000, kBlack) << left;
  EXPECT_EQ(img.pixel(196, 20) | 0xff000000, kBlack) << "cell 5 ends at 196";
  EXPECT_EQ(img.pixel(195, 20) | 0xff000000, kDarkGrey) << "with its shadow inside";
  EXPECT_EQ(img.pixel(295, 20) | 0xff000000, kBlack) << "cell 8 ends at 295";

  bar_->resize(200, 20);
  QTRY_COMPARE_WITH_TIMEOUT(bar_->size(), QSize(234, 31), 3000);
  EXPECT_EQ(bar_->render().size(), QSize(234, 31));
}

TEST_F(BarTest, RefusedResizeDrawsNothingAndDoesNotSpin) {
  bar_->setMaximumSize(200, 20);
  bar_->resize(200, 20);
  QTest::qWait(100);
  EXPECT_EQ(bar_->size(), QSize(200, 20));
  EXPECT_TRUE(bar_->render().isNull());
}

TEST_F(BarTest, WithNoDeviceEveryGlyphIsGreyAndClicksIssueNothing) {
  EXPECT_EQ(shownEnabled(), "000000000");
  const auto sent = mci_.sent.size();
  for (int k = 0; k < kButtonCount; ++k)
    click(centre(k), centre(k), 10);
  EXPECT_EQ(mci_.sent.size(), sent);
  EXPECT_FALSE(bar_->buttonDown());
}

TEST_F(BarTest, StatesFollowOpenPlayAndTheNotification) {
  mci_.on("step A by 0 wait", 263); // cannot step
  open(true, true, false);
  EXPECT_EQ(shownEnabled(), "111001000") << "stopped: PREV NEXT PLAY RECORD";

  click(centre(PlayButton), centre(PlayButton), 10);
  EXPECT_EQ(engine().command(), "PLAY");
  EXPECT_EQ(mci_.sent.back(), "play " + engine().alias() + "   notify ");
  EXPECT_EQ(shownEnabled(), "110110000") << "playing: PAUSE and STOP, not PLAY or RECORD";

  mci_.replace("status A mode wait", 0, "playing");
  click(centre(PauseButton), centre(PauseButton), 10);
  EXPECT_EQ(mci_.sent.back(), "pause " + engine().alias() + "  wait");
  EXPECT_EQ(shownEnabled(), "110110000") << "paused";

  engine().onMciNotify(mci::MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(shownEnabled(), "111001000") << "stopped again";

  // A failed open greys everything.
  mci_.on("open", 275);
  host_->put(dispidCommand, "open");
  EXPECT_EQ(shownEnabled(), "000000000");
}

TEST_F(BarTest, PressReleaseOnCellEdgesIssuesThatButtonsCommandThenClick) {
  mci_.on("step A by 0 wait", 0);
  open(true, true, true);
  ASSERT_EQ(shownEnabled(), "111001111");
  bar_->resize(297, 40);
  QTRY_COMPARE_WITH_TIMEOUT(bar_->size(), QSize(297, 40), 3000); // d = 33
  struct Case {
    int x;
    const char *command;
  } cases[] = {{0, "PREV"},   {32, "PREV"},  {33, "NEXT"},  {98, "PLAY"},   {165, "RECORD"},
               {198, "BACK"}, {230, "BACK"}, {231, "STEP"}, {264, "EJECT"}, {296, "EJECT"}};
  for (const Case &c : cases) {
    engine().setCommand("STOP"); // back to the stopped state, every capability on
    events_.clear();
    QTest::mousePress(bar_, Qt::LeftButton, {}, QPoint(c.x, 39));
    EXPECT_TRUE(bar_->buttonDown()) << c.x;
    QTest::mouseRelease(bar_, Qt::LeftButton, {}, QPoint(c.x, 0));
    EXPECT_EQ(engine().command(), c.command) << "press at " << c.x;
    EXPECT_EQ(events_, std::vector<com::DISPID>{eventidClick}) << c.x;
    for (const ButtonState &b : engine().buttons())
      EXPECT_TRUE(b.up);
  }
}

TEST_F(BarTest, ReleaseOutsideOrOnADisabledButtonIssuesNothing) {
  open(true, false, false);
  const auto sent = mci_.sent.size();
  const int x = centre(PlayButton);
  for (QPoint outside :
       {QPoint(x, -1), QPoint(x, bar_->height()), QPoint(-1, 5), QPoint(bar_->width(), 5)}) {
    QTest::mousePress(bar_, Qt::LeftButton, {}, QPoint(x, 10));
    QTest::mouseRelease(bar_, Qt::LeftButton, {}, outside);
    EXPECT_FALSE(bar_->buttonDown());
  }
  EXPECT_EQ(mci_.sent.size(), sent) << "released outside";
  EXPECT_TRUE(events_.empty()) << "no Click outside";

  QTest::mousePress(bar_, Qt::LeftButton, {}, QPoint(centre(PauseButton), 10));
  EXPECT_FALSE(bar_->buttonDown()) << "PAUSE is disabled";
  QTest::mouseRelease(bar_, Qt::LeftButton, {}, QPoint(centre(PauseButton), 10));
  EXPECT_EQ(mci_.sent.size(), sent);

  // Another mouse button presses nothing.
  QTest::mousePress(bar_, Qt::RightButton, {}, QPoint(x, 10));
  EXPECT_FALSE(bar_->buttonDown());
  QTest::mouseRelease(bar_, Qt::RightButton, {}, QPoint(x, 10));
}

TEST_F(BarTest, EnabledFalseGreysEveryGlyphAndTakesNoPress) {
  open(true, true, true);
  ASSERT_EQ(host_->put(com::DISPID_ENABLED, false), com::S_OK);
  EXPECT_EQ(shownEnabled(), "000000000");
  EXPECT_FALSE(bar_->isEnabled());
  const auto sent = mci_.sent.size();
  click(centre(PlayButton), centre(PlayButton), 10);
  EXPECT_EQ(mci_.sent.size(), sent);
  ASSERT_EQ(host_->put(com::DISPID_ENABLED, true), com::S_OK);
  EXPECT_EQ(shownEnabled().substr(0, 3), "111");
}

TEST_F(BarTest, BevelWidthRedrawsTheBar) {
  const QImage before = bar_->render();
  ASSERT_EQ(host_->put(dispidBevelWidth, std::int16_t{10}), com::S_OK);
  const QImage after = bar_->render();
  EXPECT_NE(before, after);
  EXPECT_EQ(before.pixel(3, 5) | 0xff000000, kLightGrey);
  EXPECT_EQ(after.pixel(3, 5) | 0xff000000, kWhite); // the wide highlight
}

TEST_F(BarTest, ContainerMayReleaseTheControlInsideClick) {
  open(true, false, false);
  onEvent_ = [this](com::DISPID) { host_.reset(); };
  click(centre(PlayButton), centre(PlayButton), 10);
  EXPECT_EQ(host_, nullptr);
  QTest::qWait(10); // the bar is deleted from the event loop
}

TEST_F(BarTest, ClosingTheControlRemovesItsBarFromTheForm) {
  QPointer<QWidget> bar(bar_);
  host_.reset();
  QTRY_VERIFY_WITH_TIMEOUT(bar.isNull(), 3000);
  EXPECT_TRUE(form_.findChildren<BarWidget *>().isEmpty());
}

} // namespace
} // namespace dorrin::zelomm
