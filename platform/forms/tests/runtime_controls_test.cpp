#include "platform/forms/buttons.h"
#include "platform/forms/lists.h"
#include "platform/forms/panel.h"
#include "platform/forms/screen_fit.h"
#include "platform/forms/scrollbar.h"
#include "platform/forms/textbox.h"
#include "platform/forms/timer.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace dorrin::forms;

namespace {

struct KeySeen {
  int code, shift;
  QString textAtKey; // the box's text when KeyDown was raised
};

class TextBoxTest : public ::testing::TestWithParam<bool> {
protected:
  void SetUp() override {
    box = std::make_unique<TextBox>(nullptr, GetParam());
    box->place(0, 0, 3000, 600);
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    box->activateWindow();
    box->setFocus();
    QObject::connect(box.get(), &TextBox::keyDown, [this](int code, int shift) {
      downs.push_back({code, shift, box->text()});
    });
    QObject::connect(box.get(), &TextBox::keyUp, [this](int code, int shift) {
      ups.push_back({code, shift, {}});
    });
  }
  std::unique_ptr<TextBox> box;
  std::vector<KeySeen> downs, ups;
};

} // namespace

TEST_P(TextBoxTest, KeysArriveWithRuntimeCodesBeforeTheBoxActs) {
  QTest::keyClicks(box->editor(), QStringLiteral("ab"));
  QTest::keyClick(box->editor(), Qt::Key_Return);
  QTest::keyClick(box->editor(), Qt::Key_Delete);
  QTest::keyClick(box->editor(), Qt::Key_Up, Qt::ShiftModifier);
  ASSERT_EQ(downs.size(), 6u);
  EXPECT_EQ(downs[0].code, 'A');
  EXPECT_EQ(downs[0].textAtKey, "") << "KeyDown comes before the character is typed";
  EXPECT_EQ(downs[1].textAtKey, "a");
  EXPECT_EQ(downs[2].code, 13);
  EXPECT_EQ(downs[3].code, 46);
  EXPECT_EQ(downs[4].code, 16) << "the Shift key itself";
  EXPECT_EQ(downs[5].code, 38);
  EXPECT_EQ(downs[5].shift, 1);
  ASSERT_EQ(ups.size(), 6u);
  EXPECT_EQ(ups[2].code, 13);
}

TEST_P(TextBoxTest, ChangeOnTypingAndOnText) {
  QSignalSpy change(box.get(), &TextBox::change);
  QTest::keyClicks(box->editor(), QStringLiteral("xy"));
  EXPECT_EQ(change.count(), 2);
  box->setText(QStringLiteral("메모"));
  EXPECT_EQ(change.count(), 3);
  EXPECT_EQ(box->text(), "메모");
}

TEST_P(TextBoxTest, SelStartAndSelLength) {
  box->setText(QStringLiteral("가나다라마"));
  box->setSelStart(static_cast<int>(box->text().size()));
  EXPECT_EQ(box->selStart(), 5) << "caret after the last character";
  EXPECT_EQ(box->selLength(), 0);
  box->setSelStart(1);
  box->setSelLength(2);
  EXPECT_EQ(box->selStart(), 1);
  EXPECT_EQ(box->selLength(), 2);
  EXPECT_EQ(box->selText(), "나다");
  box->setSelLength(99);
  EXPECT_EQ(box->selLength(), 4) << "clamped to the text";
  box->setSelStart(-3);
  EXPECT_EQ(box->selStart(), 0);
}

TEST_P(TextBoxTest, LockedAndMaxLength) {
  box->setMaxLength(3);
  QTest::keyClicks(box->editor(), QStringLiteral("abcdef"));
  EXPECT_EQ(box->text(), "abc");
  box->setLocked(true);
  QTest::keyClicks(box->editor(), QStringLiteral("z"));
  EXPECT_EQ(box->text(), "abc");
  EXPECT_EQ(downs.size(), 7u) << "a locked box still reports keys";
}

TEST_P(TextBoxTest, FocusDoubleClickAndInputHints) {
  QSignalSpy got(box.get(), &TextBox::gotFocus), lost(box.get(), &TextBox::lostFocus),
      dbl(box.get(), &Control::dblClick);
  TextBox other;
  other.show();
  other.setFocus();
  QCoreApplication::processEvents();
  box->activateWindow();
  box->setFocus();
  QCoreApplication::processEvents();
  EXPECT_GE(lost.count(), 1);
  EXPECT_GE(got.count(), 1);
  QWidget *target =
      box->multiLine() ? static_cast<QPlainTextEdit *>(box->editor())->viewport() : box->editor();
  QTest::mouseDClick(target, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(dbl.count(), 1);
  box->preferLatinInput();
  EXPECT_TRUE(box->inputHints() & Qt::ImhPreferLatin);
  box->preferNativeInput();
  EXPECT_FALSE(box->inputHints() & (Qt::ImhPreferLatin | Qt::ImhLatinOnly));
}

INSTANTIATE_TEST_SUITE_P(SingleAndMultiLine, TextBoxTest, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "Multi" : "Single"; });

TEST(Timer, FiresRepeatedlyWhileEnabledWithAnInterval) {
  Timer t(nullptr, 5);
  QSignalSpy ticks(&t, &Timer::timer);
  EXPECT_TRUE(t.enabled());
  ASSERT_TRUE(ticks.wait(2000));
  ASSERT_TRUE(ticks.wait(2000));
  EXPECT_GE(ticks.count(), 2);
}

TEST(Timer, IntervalZeroOrDisabledStops) {
  Timer t(nullptr, 0);
  QSignalSpy ticks(&t, &Timer::timer);
  EXPECT_FALSE(t.running());
  t.setInterval(5);
  EXPECT_TRUE(t.running());
  t.setEnabled(false);
  EXPECT_FALSE(t.running());
  EXPECT_EQ(t.interval(), 5);
  QTest::qWait(30);
  EXPECT_EQ(ticks.count(), 0);
  t.setEnabled(true);
  EXPECT_TRUE(ticks.wait(2000));
  t.setInterval(0);
  EXPECT_FALSE(t.running());
  t.setInterval(-1);
  EXPECT_EQ(t.interval(), 0) << "a negative interval is refused";
}

TEST(Timer, AHandlerThatStopsItsTimerFiresOnce) {
  Timer t(nullptr, 1);
  int n = 0;
  QObject::connect(&t, &Timer::timer, [&] {
    ++n;
    t.setEnabled(false);
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return n > 0; }, 2000));
  QTest::qWait(20);
  EXPECT_EQ(n, 1);
}

TEST(Timer, TicksDoNotReenterAHandlerThatWaits) {
  Timer t(nullptr, 1);
  int depth = 0, deepest = 0, n = 0;
  QObject::connect(&t, &Timer::timer, [&] {
    ++n;
    deepest = std::max(deepest, ++depth);
    if (n == 1) QTest::qWait(30); // a nested event loop, as a modal dialog runs
    --depth;
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return n > 2; }, 2000));
  EXPECT_EQ(deepest, 1);
}

TEST(ScrollBar, ValueChangesRaiseChangeAndOutOfRangeIsRefused) {
  ScrollBar year(Qt::Horizontal);
  QSignalSpy change(&year, &ScrollBar::change);
  year.setMin(1900);
  year.setMax(2100);
  year.setLargeChange(5);
  EXPECT_EQ(year.value(), 1900) << "Min above the value moves it";
  EXPECT_EQ(change.count(), 1);
  EXPECT_TRUE(year.setValue(2026));
  EXPECT_TRUE(year.setValue(2026));
  EXPECT_EQ(change.count(), 2) << "setting the same value is no change";
  EXPECT_FALSE(year.setValue(2101));
  EXPECT_FALSE(year.setValue(1899));
  EXPECT_EQ(year.value(), 2026);
  EXPECT_FALSE(year.setSmallChange(0));
  // The user's arrow click steps by SmallChange.
  year.bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(year.value(), 2027);
  year.bar()->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(year.value(), 2022);
  EXPECT_EQ(change.count(), 4);
}

TEST(ScrollBar, AChangeHandlerMaySetTheValueAgain) {
  // The month stepper: 0 wraps to 12, 13 to 1, from inside Change.
  ScrollBar month(Qt::Horizontal);
  month.setMin(0);
  month.setMax(13);
  std::vector<int> seen;
  QObject::connect(&month, &ScrollBar::change, [&] {
    seen.push_back(month.value());
    if (month.value() == 13) month.setValue(1);
  });
  month.setValue(12);
  month.bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(month.value(), 1);
  EXPECT_EQ(seen, (std::vector<int>{12, 13, 1}));
}

TEST(KtOption, OneOptionPerContainerAndClickOnChange) {
  KtFrame frame(nullptr, QStringLiteral("종류"));
  frame.place(0, 0, 3000, 2000);
  KtOption a(&frame, QStringLiteral("지정")), b(&frame, QStringLiteral("매일"));
  KtPanel other;
  KtOption c(&other, QStringLiteral("다른 곳"));
  a.place(100, 300, 1200, 300);
  b.place(100, 700, 1200, 300);
  frame.show();
  QSignalSpy clickA(&a, &Control::clicked), clickB(&b, &Control::clicked);
  c.setValue(true);
  a.setValue(true);
  EXPECT_EQ(clickA.count(), 1) << "a value set by code raises Click";
  QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(b.value());
  EXPECT_FALSE(a.value());
  EXPECT_TRUE(c.value()) << "another container keeps its own choice";
  EXPECT_EQ(clickB.count(), 1);
  QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clickB.count(), 1) << "no change, no Click";
}

TEST(CheckBox, ClickTogglesAndValuesAreChecked) {
  CheckBox box(nullptr, QStringLiteral("음향"));
  box.place(0, 0, 1500, 300);
  box.show();
  QSignalSpy click(&box, &Control::clicked);
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(box.value(), CheckBox::Checked);
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(box.value(), CheckBox::Unchecked);
  EXPECT_TRUE(box.setValue(CheckBox::Grayed));
  EXPECT_FALSE(box.setValue(3));
  EXPECT_EQ(box.value(), CheckBox::Grayed);
  EXPECT_EQ(click.count(), 3);
}

TEST(Label, AlignmentAndBackStyleRefuseUnknownValues) {
  Label l(nullptr, QStringLiteral("2026년"));
  l.setAlignment(Label::AlignCenter);
  l.setAlignment(7);
  EXPECT_EQ(l.alignment(), Label::AlignCenter);
  l.setBackStyle(0);
  l.setBackStyle(2);
  EXPECT_EQ(l.backStyle(), 0);
  EXPECT_EQ(l.caption(), "2026년");
}

template <class List> void listContract() {
  List l;
  QSignalSpy click(&l, &Control::clicked);
  EXPECT_TRUE(l.addItem(QStringLiteral("c:")));
  EXPECT_TRUE(l.addItem(QStringLiteral("d:")));
  EXPECT_TRUE(l.addItem(QStringLiteral("a:"), 0));
  EXPECT_FALSE(l.addItem(QStringLiteral("x"), 9));
  EXPECT_EQ(l.listCount(), 3);
  EXPECT_EQ(l.listIndex(), -1) << "adding selects nothing";
  EXPECT_EQ(click.count(), 0);
  EXPECT_EQ(l.list(0), "a:");
  EXPECT_EQ(l.list(2), "d:");
  EXPECT_EQ(l.list(3), "");
  EXPECT_TRUE(l.setListIndex(1));
  EXPECT_EQ(l.listIndex(), 1);
  EXPECT_EQ(l.text(), "c:");
  EXPECT_EQ(click.count(), 1) << "ListIndex set by code raises Click";
  EXPECT_FALSE(l.setListIndex(3));
  EXPECT_EQ(l.listIndex(), 1);
  EXPECT_TRUE(l.removeItem(0));
  EXPECT_EQ(l.listCount(), 2);
  l.clear();
  EXPECT_EQ(l.listCount(), 0);
  EXPECT_EQ(l.listIndex(), -1);
}

TEST(ComboBox, ListContract) {
  listContract<ComboBox>();
}

TEST(ListBox, ListContract) {
  listContract<ListBox>();
}

TEST(ComboBox, TextOfADropDownListMustNameAnItem) {
  ComboBox drop(nullptr, ComboBox::DropDownList);
  drop.addItem(QStringLiteral("c:"));
  drop.addItem(QStringLiteral("d:"));
  EXPECT_TRUE(drop.setText(QStringLiteral("d:")));
  EXPECT_EQ(drop.listIndex(), 1);
  EXPECT_FALSE(drop.setText(QStringLiteral("z:")));
  EXPECT_EQ(drop.text(), "d:");

  ComboBox combo;
  QSignalSpy change(&combo, &ComboBox::change);
  combo.setText(QStringLiteral("자유"));
  EXPECT_EQ(combo.text(), "자유");
  EXPECT_EQ(change.count(), 1);
}

TEST(ReachablePosition, WindowsOnNoScreenComeBackOthersStay) {
  const QRect one(0, 0, 1024, 768), right(1024, 0, 1280, 1024);
  const struct {
    const char *name;
    QRect frame;
    QList<QRect> screens;
    QPoint expected;
  } cases[] = {
      {"on screen", {100, 100, 400, 300}, {one}, {100, 100}},
      {"on the second screen", {1100, 500, 400, 300}, {one, right}, {1100, 500}},
      {"second screen unplugged", {1100, 500, 400, 300}, {one}, {624, 468}},
      {"far up and left", {-3000, -2000, 400, 300}, {one}, {0, 0}},
      {"54 pixels of the title show", {970, 100, 400, 300}, {one}, {970, 100}},
      {"44 pixels of the title show", {980, 100, 400, 300}, {one}, {624, 100}},
      {"title strip above the top", {100, -5, 400, 300}, {one}, {100, 0}},
      {"larger than the screen", {-50, -50, 2000, 1000}, {one}, {0, 0}},
      {"narrow window fully shown", {1000, 10, 20, 20}, {one}, {1000, 10}},
      {"no screens", {5000, 5000, 400, 300}, {}, {5000, 5000}},
  };
  for (const auto &c : cases)
    EXPECT_EQ(reachablePosition(c.frame, c.screens), c.expected) << c.name;
}

TEST(WithinScreenHeight, TallWindowsEndOnTheScreen) {
  const QRect screen(0, 0, 1024, 768);
  const struct {
    const char *name;
    QRect frame, expected;
  } cases[] = {
      {"fits", {100, 100, 400, 600}, {100, 100, 400, 600}},
      {"bottom past the screen: moved up", {100, 300, 400, 600}, {100, 168, 400, 600}},
      {"taller than the screen: cut", {100, 300, 400, 2000}, {100, 0, 400, 768}},
      {"above the top", {100, -50, 400, 300}, {100, 0, 400, 300}},
  };
  for (const auto &c : cases)
    EXPECT_EQ(withinScreenHeight(c.frame, screen), c.expected) << c.name;
  EXPECT_EQ(withinScreenHeight({5, 5, 10, 10}, {}), QRect(5, 5, 10, 10));
}
