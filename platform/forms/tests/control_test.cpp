#include "platform/forms/form.h"
#include "platform/forms/panel.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace dorrin::forms;

TEST(TwipsGeometry, ValuesSetReadBackExactlyUntilTheWidgetMoves) {
  KtPanel p;
  for (int v : {5000, 4995, 4725, 285, 1, 0, 7, 13680}) {
    p.setWidth(v);
    p.setHeight(v + 1);
    p.setLeft(v + 2);
    p.setTop(v + 3);
    EXPECT_EQ(p.width(), v);
    EXPECT_EQ(p.height(), v + 1);
    EXPECT_EQ(p.left(), v + 2);
    EXPECT_EQ(p.top(), v + 3);
  }
  // A change from outside (user, window manager) reads back as pixels x 15.
  p.QWidget::resize(100, 40);
  EXPECT_EQ(p.width(), 1500);
  EXPECT_EQ(p.height(), 600);
}

TEST(TwipsGeometry, NegativeSizesLeaveAUsableWidget) {
  KtPanel p;
  p.setWidth(-300);
  p.setHeight(-1);
  EXPECT_EQ(p.QWidget::width(), 0);
  EXPECT_EQ(p.QWidget::height(), 0);
}

TEST(Colours, RgbNumbersMatchTheRuntime) {
  EXPECT_EQ(rgb(255, 102, 0), 26367u);
  EXPECT_EQ(rgb(255, 255, 255), 16777215u);
  EXPECT_EQ(rgb(130, 80, 180), 11817090u);
  EXPECT_EQ(fromQColor(toQColor(rgb(132, 132, 51))), rgb(132, 132, 51));
}

TEST(ControlMouse, ReportsButtonsAndTwipsPositions) {
  KtPanel p;
  p.place(0, 0, 3000, 1500);
  p.show();
  QSignalSpy down(&p, &Control::mouseDown), dbl(&p, &Control::dblClick),
      click(&p, &Control::clicked);
  QTest::mousePress(&p, Qt::RightButton, Qt::ShiftModifier, QPoint(10, 20));
  QTest::mouseRelease(&p, Qt::RightButton, Qt::ShiftModifier, QPoint(10, 20));
  ASSERT_EQ(down.count(), 1);
  auto e = down.at(0).at(0).value<MouseArgs>();
  EXPECT_EQ(e.button, kRightButton);
  EXPECT_EQ(e.shift, 1);
  EXPECT_EQ(e.x, 150);
  EXPECT_EQ(e.y, 300);
  EXPECT_EQ(click.count(), 0) << "a right press is no click";
  QTest::mouseDClick(&p, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(dbl.count(), 1);
}

TEST(Keys, RuntimeKeyCodes) {
  EXPECT_EQ(keyCode(Qt::Key_Return), 13);
  EXPECT_EQ(keyCode(Qt::Key_Delete), 46);
  EXPECT_EQ(keyCode(Qt::Key_F10), 121);
  EXPECT_EQ(keyCode(Qt::Key_F11), 122);
  EXPECT_EQ(keyCode(Qt::Key_A), 65);
}
