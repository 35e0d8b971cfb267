// The notice pop-up: first shown top-most at the screen's corner without
// the focus, dragged by its text, hidden by a double-click, back where left.
#include "organiser/planner/notice_popup.h"
#include "platform/forms/panel.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace dorrin;
using namespace dorrin::organiser;

TEST(NoticePopup, FirstNoticeAtTheCornerTopMostWithoutTakingTheFocus) {
  Chang chang;
  EXPECT_FALSE(chang.isVisible());
  chang.showNotice(QStringLiteral("회의 10분 전"));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&chang));
  EXPECT_EQ(chang.windowTitle(), QStringLiteral("스케즐 알람"));
  EXPECT_EQ(chang.Pan_Chang->caption(), QStringLiteral("회의 10분 전"));
  EXPECT_EQ(chang.pos(), QPoint(0, 0));
  EXPECT_EQ(chang.width(), chang.Pan_Chang->width());
  EXPECT_EQ(chang.height(), chang.Pan_Chang->height());
  EXPECT_EQ(chang.Pan_Chang->left(), 0);
  EXPECT_EQ(chang.Pan_Chang->top(), 0);
  EXPECT_TRUE(chang.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(chang.windowFlags() & Qt::WindowDoesNotAcceptFocus);
  EXPECT_TRUE(chang.testAttribute(Qt::WA_ShowWithoutActivating));
  const QFont f = chang.Pan_Chang->font();
  EXPECT_TRUE(f.bold());
  EXPECT_DOUBLE_EQ(f.pointSizeF(), 15.75);
}

TEST(NoticePopup, DraggedByTheTextHiddenByADoubleClickBackWhereLeft) {
  Chang chang;
  chang.showNotice(QStringLiteral("첫째"));
  chang.Pan_Chang_MouseDown({1, 0, 300, 150});
  chang.Pan_Chang_MouseMove({0, 0, 900, 450}); // no button: no move
  EXPECT_EQ(chang.pos(), QPoint(0, 0));
  chang.Pan_Chang_MouseMove({1, 0, 900, 450}); // 600 x 300 twips further
  EXPECT_EQ(chang.left(), 600);
  EXPECT_EQ(chang.top(), 300);
  chang.showNotice(QStringLiteral("둘째")); // still visible: the text is replaced
  EXPECT_EQ(chang.Pan_Chang->caption(), QStringLiteral("둘째"));

  QTest::mouseDClick(chang.Pan_Chang, Qt::LeftButton);
  EXPECT_FALSE(chang.isVisible());
  chang.showNotice(QStringLiteral("셋째"));
  EXPECT_TRUE(chang.isVisible());
  EXPECT_EQ(chang.Pan_Chang->caption(), QStringLiteral("셋째"));
  EXPECT_EQ(chang.left(), 600) << "the load does not run again";
  EXPECT_EQ(chang.top(), 300);
}
