#include "platform/forms/panel.h"
#include "platform/forms/splitter.h"

#include <gtest/gtest.h>

using namespace dorrin::forms;

TEST(SplitterLayout, FourPanesInTwoColumns) {
  SplitterLayout l({2, 2}, 15, 60);
  l.setSize(8000, 5000);
  l.setPaneWidth(0, 3000);
  l.setPaneHeight(0, 3000);
  l.setPaneHeight(2, 2000);
  EXPECT_EQ(l.paneWidth(0), 3000);
  EXPECT_EQ(l.paneWidth(1), 3000);
  EXPECT_EQ(l.paneWidth(2), 8000 - 30 - 60 - 3000);
  EXPECT_EQ(l.paneHeight(0), 3000);
  EXPECT_EQ(l.paneHeight(1), 5000 - 30 - 60 - 3000);
  EXPECT_EQ(l.paneHeight(2), 2000);
  EXPECT_EQ(l.paneHeight(3), 5000 - 30 - 60 - 2000);
  EXPECT_EQ(l.paneRect(3), QRect(15 + 3000 + 60, 15 + 2000 + 60, 4910, 2910));
}

TEST(SplitterLayout, SettingALastPaneMovesTheBarBeforeIt) {
  SplitterLayout l({2, 2}, 15, 60);
  l.setSize(8000, 5000);
  l.setPaneHeight(1, 1000);
  EXPECT_EQ(l.paneHeight(1), 1000);
  EXPECT_EQ(l.paneHeight(0), 5000 - 30 - 60 - 1000);
  l.setPaneWidth(3, 2000);
  EXPECT_EQ(l.paneWidth(3), 2000);
  EXPECT_EQ(l.paneWidth(0), 8000 - 30 - 60 - 2000);
}

TEST(SplitterLayout, StackedPanesWithoutBars) {
  SplitterLayout l({11}, 0, 0);
  l.setSize(6315, 11 * 560 - 20);
  for (int i = 0; i < 10; ++i)
    l.setPaneHeight(i, 560);
  EXPECT_EQ(l.paneRect(10).top(), 10 * 560);
  EXPECT_EQ(l.paneHeight(10), 540);
  EXPECT_TRUE(l.bars().empty());
}

TEST(SplitterLayout, TooSmallNeverGoesNegative) {
  SplitterLayout l({2, 2}, 15, 60);
  l.setSize(500, 400);
  l.setPaneWidth(0, 3000);
  l.setPaneHeight(0, 3000);
  EXPECT_EQ(l.paneWidth(2), 0);
  EXPECT_EQ(l.paneHeight(1), 0);
}

TEST(SplitterLayout, DraggingABarResizesThePaneBeforeIt) {
  SplitterLayout l({2, 2}, 15, 60);
  l.setSize(8000, 5000);
  l.setPaneWidth(0, 3000);
  l.setPaneHeight(0, 3000);
  auto bars = l.bars();
  ASSERT_EQ(bars.size(), 3u);
  l.dragBar(bars[0], 450);
  EXPECT_EQ(l.paneWidth(0), 3450);
  l.dragBar(bars[1], -600);
  EXPECT_EQ(l.paneHeight(0), 2400);
}

TEST(KtSplitter, PaneControlsFollowTheirPanes) {
  KtSplitter s(nullptr, {2, 2});
  KtPanel *panels[4];
  for (int i = 0; i < 4; ++i) {
    panels[i] = new KtPanel;
    s.setPaneControl(i, panels[i]);
  }
  s.place(30, 30, 8000, 5000);
  s.setPaneHeight(0, 3000);
  s.setPaneHeight(2, 2000);
  s.setPaneWidth(0, 3000);
  EXPECT_EQ(panels[0]->width(), 3000);
  EXPECT_EQ(panels[0]->height(), 3000);
  EXPECT_EQ(panels[2]->height(), 2000);
  EXPECT_EQ(panels[3]->width(), 4910);
  EXPECT_EQ(s.paneWidth(0), 3000);
  s.setHeight(6000);
  EXPECT_EQ(panels[1]->height(), 6000 - 90 - 3000);
  EXPECT_EQ(s.paneHeight(7), 0) << "out of range pane reads as 0";
}
