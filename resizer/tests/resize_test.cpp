// The resize algorithm on real Qt forms (offscreen): proportions without
// drift, fonts, BeforeResize, outside moves, limits, deferral, nesting, tab
// pages, layouts, combo boxes and lines.
#include "platform/forms/line.h"
#include "resizer/tests/placed_component.h"
#include "resizer/tests/resizer_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace dorrin::resizer {
namespace {

using com::Variant;
using test::HostedResizer;
using test::settle;

void resizeTo(QWidget &form, int w, int h) {
  form.resize(w, h);
  settle();
}

// A shown form of the given size whose resizer has done its first layout.
void showAndSettle(QWidget &form) {
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  settle();
}

TEST(ResizePass, ProportionsComeBackExactlyAfterManySteps) {
  QWidget form;
  form.resize(1000, 500);
  auto *button = new QPushButton("확인", &form);
  button->setGeometry(100, 50, 200, 40);
  auto *label = new QLabel("이름", &form);
  label->setGeometry(333, 177, 77, 23);
  HostedResizer r(&form);
  showAndSettle(form);
  ASSERT_TRUE(r.engine()->laidOut());

  resizeTo(form, 1500, 500);
  EXPECT_EQ(button->geometry(), QRect(150, 50, 300, 40));

  QRandomGenerator rng(11);
  for (int i = 0; i < 1000; ++i) {
    form.resize(200 + rng.bounded(1800), 100 + rng.bounded(900));
    if (rng.bounded(3) == 0) settle(); // some steps in bursts
  }
  resizeTo(form, 1000, 500);
  EXPECT_EQ(button->geometry(), QRect(100, 50, 200, 40));
  EXPECT_EQ(label->geometry(), QRect(333, 177, 77, 23));
}

TEST(ResizePass, FirstLayoutTakesFractionsAtTheDesignSize) {
  QWidget form;
  form.resize(400, 300);
  auto *button = new QPushButton(&form);
  button->setGeometry(40, 30, 80, 30);
  HostedResizer r(&form);
  form.resize(800, 600); // the program sizes the form before showing it
  showAndSettle(form);
  EXPECT_EQ(button->geometry(), QRect(80, 60, 160, 60));
}

TEST(ResizePass, BurstOfResizesLaysOutOncePerSizeReached) {
  QWidget form;
  form.resize(500, 400);
  auto *button = new QPushButton(&form);
  button->setGeometry(50, 40, 100, 30);
  HostedResizer r(&form);
  showAndSettle(form);
  const int before = r.engine()->layoutCount();
  for (int i = 1; i <= 50; ++i)
    form.resize(500 + i, 400 + i);
  settle();
  EXPECT_EQ(r.engine()->layoutCount(), before + 1);
  EXPECT_EQ(button->geometry(), QRect(55, 45, 110, 34));
}

struct FontCase {
  const char *name;
  double start;
  float maxFont, minFont;
  double scaleW, scaleH;
  double expected;
  bool smallFace;
};

class ResizeFonts : public ::testing::TestWithParam<FontCase> {};

TEST_P(ResizeFonts, ScaleBySmallerFactorWithinBounds) {
  const FontCase &c = GetParam();
  QWidget form;
  form.resize(400, 400);
  auto *label = new QLabel("가나다", &form);
  label->setGeometry(0, 0, 200, 100);
  QFont font("DejaVu Sans");
  font.setPointSizeF(c.start);
  label->setFont(font);
  HostedResizer r(&form);
  ASSERT_EQ(r.put(dispidMaxFontSize, c.maxFont), com::S_OK);
  ASSERT_EQ(r.put(dispidMinFontSize, c.minFont), com::S_OK);
  showAndSettle(form);
  resizeTo(form, static_cast<int>(400 * c.scaleW), static_cast<int>(400 * c.scaleH));
  EXPECT_NEAR(label->font().pointSizeF(), c.expected, 1e-6);
  EXPECT_EQ(label->font().family(), c.smallFace ? "Small Font" : "DejaVu Sans");
  resizeTo(form, 400, 400);
  EXPECT_NEAR(label->font().pointSizeF(), c.start, 1e-6);
  EXPECT_EQ(label->font().family(), "DejaVu Sans") << "the starting face comes back";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ResizeFonts,
    ::testing::Values(FontCase{"Grows", 12, 100, 1, 1.5, 1.2, 14.4, false},
                      FontCase{"StartedAboveMax", 12, 10, 1, 1.5, 1.2, 12, false},
                      FontCase{"StopsAtMax", 10, 11, 1, 1.5, 1.5, 11, false},
                      FontCase{"HalvedToSmallFont", 9, 100, 1, 0.5, 0.5, 4.5, true},
                      FontCase{"HeldAtMin", 12, 100, 8, 0.5, 0.5, 8, false},
                      FontCase{"StartedBelowMin", 6, 100, 8, 0.5, 0.5, 6, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ResizePass, ResizeFontsFalseKeepsFonts) {
  QWidget form;
  form.resize(400, 400);
  auto *label = new QLabel("x", &form);
  label->setGeometry(0, 0, 200, 100);
  QFont font = label->font();
  font.setPointSizeF(12);
  label->setFont(font);
  HostedResizer r(&form);
  ASSERT_EQ(r.put(dispidResizeFonts, false), com::S_OK);
  showAndSettle(form);
  resizeTo(form, 800, 800);
  EXPECT_EQ(label->width(), 400);
  EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 12);
}

class BeforeResize : public ::testing::Test {
protected:
  void SetUp() override {
    form.resize(1000, 500);
    button = new QPushButton(&form);
    button->setGeometry(100, 50, 200, 40);
    r = std::make_unique<HostedResizer>(&form);
    showAndSettle(form);
  }
  QWidget form;
  QPushButton *button = nullptr;
  std::unique_ptr<HostedResizer> r;
};

TEST_F(BeforeResize, OffersTheNewRectangleOncePerChangedControl) {
  resizeTo(form, 1500, 500);
  ASSERT_EQ(r->calls.size(), 1u);
  const auto &c = r->calls[0];
  EXPECT_EQ(c.control, button);
  EXPECT_EQ(std::tuple(c.left, c.top, c.width, c.height), std::tuple(150.f, 50.f, 300.f, 40.f));
  EXPECT_TRUE(c.applySize && c.applyPosition && c.resizeFonts);
  EXPECT_EQ(r->completes, 1);
  // Same size again: nothing changes, no events.
  form.resize(1500, 500);
  settle();
  EXPECT_EQ(r->calls.size(), 1u);
  EXPECT_EQ(r->completes, 1);
}

TEST_F(BeforeResize, RefusedSizeMovesOnly) {
  r->onBeforeResize = [](QWidget *, com::IDispatch *o) {
    com::putProperty(o, dispidApplyNewSize, false);
  };
  resizeTo(form, 1500, 1000);
  EXPECT_EQ(button->geometry(), QRect(150, 100, 200, 40));
}

TEST_F(BeforeResize, RefusedBothIsOfferedAgainNextPass) {
  r->onBeforeResize = [](QWidget *, com::IDispatch *o) {
    com::putProperty(o, dispidApplyNewSize, false);
    com::putProperty(o, dispidApplyNewPosition, false);
  };
  resizeTo(form, 1500, 500);
  EXPECT_EQ(button->geometry(), QRect(100, 50, 200, 40));
  r->onBeforeResize = nullptr;
  resizeTo(form, 2000, 500);
  ASSERT_EQ(r->calls.size(), 2u);
  EXPECT_TRUE(r->calls[1].applySize && r->calls[1].applyPosition);
  EXPECT_EQ(button->geometry(), QRect(200, 50, 400, 40));
}

TEST_F(BeforeResize, ChangedWidthIsTaken) {
  r->onBeforeResize = [](QWidget *, com::IDispatch *o) {
    com::putProperty(o, dispidNewWidth, 123.0f);
  };
  resizeTo(form, 1500, 500);
  EXPECT_EQ(button->geometry(), QRect(150, 50, 123, 40));
}

TEST_F(BeforeResize, CenterParentDuringTheEventWaitsForThePassEnd) {
  bool centredInside = true;
  QPoint before;
  r->onBeforeResize = [&](QWidget *, com::IDispatch *) {
    before = form.pos();
    r->host().call(dispidCenterParent);
    centredInside = form.pos() != before;
  };
  resizeTo(form, 600, 400);
  EXPECT_FALSE(centredInside);
  const QRect screen = form.screen()->geometry();
  const QSize outer = form.frameGeometry().size();
  EXPECT_EQ(form.frameGeometry().topLeft(), QPoint(screen.width() / 2 - outer.width() / 2,
                                                   screen.height() / 2 - outer.height() / 2));
}

TEST_F(BeforeResize, OutsideMoveBeyondTwoPixelsIsRecorded) {
  resizeTo(form, 2000, 500); // button at 200, width 400
  button->move(201, 50);     // inside the tolerance: ignored
  resizeTo(form, 1000, 500);
  EXPECT_EQ(button->geometry(), QRect(100, 50, 200, 40));
  resizeTo(form, 2000, 500);
  button->move(203, 50); // recorded: later passes scale from here
  resizeTo(form, 1000, 500);
  EXPECT_EQ(button->x(), 102); // 203 / 2000 * 1000, rounded
  resizeTo(form, 2000, 500);
  EXPECT_EQ(button->x(), 203);
}

TEST(ResizeLimits, MinimisingLaysOutNothingAndMinHeightStopsTheSize) {
  QWidget form;
  form.resize(600, 400);
  auto *button = new QPushButton(&form);
  button->setGeometry(60, 40, 120, 30);
  HostedResizer r(&form);
  ASSERT_EQ(r.put(dispidMinHeight, 300.0f), com::S_OK);
  showAndSettle(form);
  const int count = r.engine()->layoutCount();
  form.setWindowState(Qt::WindowMinimized);
  form.resize(300, 200);
  settle();
  EXPECT_EQ(r.engine()->layoutCount(), count);
  form.setWindowState(Qt::WindowNoState);
  settle();

  resizeTo(form, 600, 100);
  EXPECT_EQ(form.frameGeometry().height(), 300);
  ASSERT_EQ(r.put(dispidMaxWidth, 500.0f), com::S_OK);
  EXPECT_EQ(form.frameGeometry().width(), 500) << "a new maximum shrinks the window at once";
  ASSERT_EQ(r.put(com::DISPID_ENABLED, false), com::S_OK);
  resizeTo(form, 700, 100);
  EXPECT_EQ(form.size(), QSize(700, 100)) << "no limits while disabled";
}

// Outer form with a frame holding a button; a second resizer on the frame.
struct Nested {
  Nested() {
    form.resize(800, 600);
    frame = new QFrame(&form);
    frame->setGeometry(100, 100, 400, 200);
    inner = new QPushButton(frame);
    inner->setGeometry(40, 20, 100, 50);
  }
  QWidget form;
  QFrame *frame;
  QPushButton *inner;
};

TEST(ResizeNested, AllChildrenOuterActsAloneSiblingsOuterLetsTheInnerAct) {
  for (const std::int32_t style : {ktAllChildren, ktSiblings}) {
    Nested n;
    HostedResizer outer(&n.form);
    HostedResizer innerResizer(n.frame);
    ASSERT_EQ(outer.put(dispidResizeStyle, style), com::S_OK);
    showAndSettle(n.form);
    resizeTo(n.form, 1600, 1200);
    EXPECT_EQ(n.frame->geometry(), QRect(200, 200, 800, 400)) << style;
    EXPECT_EQ(n.inner->geometry(), QRect(80, 40, 200, 100)) << style;
    EXPECT_EQ(innerResizer.engine()->layoutCount() > 0, style == ktSiblings) << style;
    EXPECT_EQ(outer.engine()->item(n.inner) != nullptr, style == ktAllChildren) << style;
  }
}

TEST(ResizeContainers, TabPagesLayoutManagedChildrenComboAndLine) {
  QWidget form;
  form.resize(600, 400);
  auto *tabs = new QTabWidget(&form);
  tabs->setGeometry(0, 0, 300, 200);
  auto *page = new QWidget;
  tabs->addTab(page, "첫째");
  auto *onPage = new QPushButton(page);
  onPage->setGeometry(10, 10, 50, 20);
  auto *row = new QFrame(&form);
  row->setGeometry(300, 0, 300, 100);
  auto *rowLayout = new QHBoxLayout(row);
  auto *inRow = new QPushButton("a", row);
  rowLayout->addWidget(inRow);
  auto *combo = new QComboBox(&form);
  combo->setGeometry(0, 300, 200, 25);
  auto *line = new forms::Line(&form);
  line->setEnds(0, 3000, 3000, 4500); // (0, 200) to (200, 300) pixels
  HostedResizer r(&form);
  showAndSettle(form);
  const QSize pageBefore = page->size();
  resizeTo(form, 1200, 800);

  const QSize pageAfter = page->size();
  ASSERT_NE(pageAfter, pageBefore);
  EXPECT_NEAR(onPage->x(), 10.0 * pageAfter.width() / pageBefore.width(), 1);
  EXPECT_NEAR(onPage->width(), 50.0 * pageAfter.width() / pageBefore.width(), 1);
  EXPECT_EQ(r.engine()->item(inRow), nullptr) << "children of a layout are left to it";
  EXPECT_EQ(row->geometry(), QRect(600, 0, 600, 200));
  EXPECT_EQ(combo->geometry().topLeft(), QPoint(0, 600));
  EXPECT_EQ(combo->width(), 400);
  EXPECT_EQ(combo->height(), combo->sizeHint().height())
      << "a combo box is never given the scaled height, only the one its font needs";
  EXPECT_LT(combo->height(), 50);
  EXPECT_EQ(std::tuple(line->x1(), line->y1(), line->x2(), line->y2()),
            std::tuple(0, 6000, 6000, 9000));
}

TEST(ResizeContainers, StyleChangeRereadsTheControls) {
  Nested n;
  HostedResizer outer(&n.form);
  ASSERT_EQ(outer.put(dispidResizeStyle, std::int32_t{ktSiblings}), com::S_OK);
  showAndSettle(n.form);
  EXPECT_EQ(outer.engine()->item(n.inner), nullptr);
  ASSERT_EQ(outer.put(dispidResizeStyle, std::int32_t{ktAllChildren}), com::S_OK);
  EXPECT_NE(outer.engine()->item(n.inner), nullptr);
  resizeTo(n.form, 1600, 1200);
  EXPECT_EQ(n.inner->geometry(), QRect(80, 40, 200, 100));
}

TEST(ResizeContainers, DeletedControlIsDroppedAndDisabledResizerStandsStill) {
  QWidget form;
  form.resize(400, 300);
  auto *a = new QPushButton(&form);
  a->setGeometry(40, 30, 80, 30);
  auto *b = new QPushButton(&form);
  b->setGeometry(200, 30, 80, 30);
  HostedResizer r(&form);
  showAndSettle(form);
  delete b;
  resizeTo(form, 800, 600);
  EXPECT_EQ(r.engine()->items().size(), 1u);
  EXPECT_EQ(a->geometry(), QRect(80, 60, 160, 60));
  ASSERT_EQ(r.put(com::DISPID_ENABLED, false), com::S_OK);
  resizeTo(form, 400, 300);
  EXPECT_EQ(a->geometry(), QRect(80, 60, 160, 60));
}

// Hosted components are placed through their own members, never by moving
// their window: a component that refuses every call stays where it was.
struct HostedCase {
  const char *name;
  test::ComponentShape shape;
  const char *units;
  double unitsPerPixel;
  QStringList placed; // the calls that place it when the form grows by half
  QRect grown;
};

void PrintTo(const HostedCase &c, std::ostream *os) {
  *os << c.name;
}

class ResizeHosted : public ::testing::TestWithParam<HostedCase> {};

TEST_P(ResizeHosted, PlacedThroughItsMembersInProportion) {
  const HostedCase &c = GetParam();
  QWidget form;
  form.resize(1000, 500);
  auto *component = new test::PlacedComponent(c.shape, c.unitsPerPixel);
  std::unique_ptr<com::ControlHost> host;
  ASSERT_EQ(com::ControlHost::attach(static_cast<com::IDispatch *>(component), com::GUID_NULL,
                                     &form, &host),
            com::S_OK);
  component->Release(); // the host holds it
  QWidget *window = host->widget();
  ASSERT_NE(window, nullptr);
  window->setGeometry(100, 50, 200, 40);
  HostedResizer r(&form, c.units);
  showAndSettle(form);
  component->log.clear();

  resizeTo(form, 1500, 750);
  EXPECT_EQ(component->log, c.placed);
  EXPECT_EQ(window->geometry(), c.grown);
  ASSERT_FALSE(r.calls.empty());
  EXPECT_EQ(r.calls.back().control, window) << "BeforeResize names the component";

  QRandomGenerator rng(5);
  for (int i = 0; i < 200; ++i) {
    form.resize(300 + rng.bounded(1500), 150 + rng.bounded(800));
    if (rng.bounded(2) == 0) settle();
  }
  resizeTo(form, 1000, 500);
  EXPECT_EQ(window->geometry(), QRect(100, 50, 200, 40));
  if (c.shape.fontSize) {
    EXPECT_DOUBLE_EQ(component->fontSize, 12) << "its font size comes back";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ResizeHosted,
    ::testing::Values(
        HostedCase{"Move", {}, "pixels", 1, {"Move(150,75,300,60)"}, QRect(150, 75, 300, 60)},
        HostedCase{
            "MoveInTwips", {}, "Twip", 15, {"Move(2250,1125,4500,900)"}, QRect(150, 75, 300, 60)},
        HostedCase{"MoveWithoutHeight",
                   {.heightWritable = false},
                   "pixels",
                   1,
                   {"Move(150,75,300)"},
                   QRect(150, 75, 300, 40)},
        HostedCase{"Properties",
                   {.move = false, .fontSize = true},
                   "pixels",
                   1,
                   {"Left=150", "Top=75", "Width=300", "Height=60", "FontSize=18"},
                   QRect(150, 75, 300, 60)},
        HostedCase{"ReadOnlyHeight",
                   {.move = false, .heightWritable = false},
                   "pixels",
                   1,
                   {"Left=150", "Top=75", "Width=300"},
                   QRect(150, 75, 300, 40)},
        HostedCase{"ComboBoxNeverGetsAHeight",
                   {.move = false, .comboBox = true},
                   "pixels",
                   1,
                   {"Left=150", "Top=75", "Width=300"},
                   QRect(150, 75, 300, 40)},
        HostedCase{"LineByItsEnds",
                   {.move = false, .properties = false, .line = true},
                   "pixels",
                   1,
                   {"X1=150", "Y1=75", "X2=450", "Y2=135"},
                   QRect(150, 75, 300, 60)},
        HostedCase{"RefusingStaysPut",
                   {.move = false, .refuseAll = true},
                   "pixels",
                   1,
                   {"Left=150"},
                   QRect(100, 50, 200, 40)}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace dorrin::resizer
