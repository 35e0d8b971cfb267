#include "platform/forms/flexgrid.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace dorrin::forms;
using dorrin::contracts::Grid;

namespace {

// Collects what the grid logs to "dorrin.forms" while it lives.
class FormsLog {
public:
  FormsLog() {
    messages().clear();
    previous_ = qInstallMessageHandler(&FormsLog::handler);
  }
  ~FormsLog() { qInstallMessageHandler(previous_); }
  static QStringList &messages() {
    static QStringList m;
    return m;
  }

private:
  static void handler(QtMsgType, const QMessageLogContext &ctx, const QString &msg) {
    if (ctx.category && QByteArray(ctx.category) == "dorrin.forms") messages() << msg;
  }
  QtMessageHandler previous_;
};

// A pixel well inside cell (r, c) as the grid shows it now.
QPoint inside(const FlexGrid &g, int r, int c) {
  return QPoint(toPixels(g.colPos(c)) + 4, toPixels(g.rowPos(r)) + 4);
}

class GridFixture : public ::testing::Test {
protected:
  // 20 rows x 5 columns, one fixed row and column, 600 x 300 pixels.
  void SetUp() override {
    g.setRows(20);
    g.setCols(5);
    g.place(0, 0, 9000, 4500);
    for (int c = 0; c < 5; ++c)
      g.setColWidth(c, 900 + 100 * c);
    for (int r = 0; r < 20; ++r)
      g.setRowHeight(r, 300);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
  }
  FlexGrid g;
};

} // namespace

TEST(FlexGridShape, DefaultsAreTwoByTwoWithOneFixedRowAndColumn) {
  FlexGrid g;
  EXPECT_EQ(g.rows(), 2);
  EXPECT_EQ(g.cols(), 2);
  EXPECT_EQ(g.fixedRows(), 1);
  EXPECT_EQ(g.fixedCols(), 1);
  EXPECT_EQ(g.row(), 1);
  EXPECT_EQ(g.col(), 1);
}

TEST(FlexGridShape, RowsAndColsGrowAndShrinkKeepingContent) {
  FlexGrid g(nullptr, 3, 3, 1, 1);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      g.setTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
  g.setRow(2);
  g.setCol(2);
  ASSERT_TRUE(g.setCellBackColor(rgb(1, 2, 3)));
  ASSERT_TRUE(g.setCols(5));
  ASSERT_TRUE(g.setRows(6));
  EXPECT_EQ(g.textMatrix(2, 2), "2,2");
  EXPECT_EQ(g.textMatrix(1, 0), "1,0");
  EXPECT_EQ(g.textMatrix(5, 4), "");
  EXPECT_EQ(g.cellBackColor(), rgb(1, 2, 3)) << "cell formatting moves with the cell";
  ASSERT_TRUE(g.setRows(2));
  ASSERT_TRUE(g.setCols(2));
  EXPECT_EQ(g.row(), 1) << "the current cell stays inside the grid";
  EXPECT_EQ(g.col(), 1);
  EXPECT_EQ(g.textMatrix(1, 1), "1,1");
  ASSERT_TRUE(g.setRows(3));
  EXPECT_EQ(g.textMatrix(2, 2), "") << "shrinking drops the cells it removes";
}

TEST(FlexGridText, TextActsOnTheCurrentCellAndTextMatrixOnAnyCell) {
  FlexGrid g(nullptr, 5, 3, 1, 1);
  struct Case {
    int row, col;
  };
  for (const Case k : {Case{0, 0}, Case{0, 2}, Case{1, 1}, Case{4, 0}, Case{4, 2}}) {
    SCOPED_TRACE(testing::Message() << k.row << "," << k.col);
    ASSERT_TRUE(g.setRow(k.row));
    ASSERT_TRUE(g.setCol(k.col));
    const QString t = QStringLiteral("셀 %1/%2").arg(k.row).arg(k.col);
    ASSERT_TRUE(g.setText(t));
    EXPECT_EQ(g.textMatrix(k.row, k.col), t);
    EXPECT_EQ(g.text(), t);
    // TextMatrix elsewhere does not move the current cell.
    ASSERT_TRUE(g.setTextMatrix((k.row + 1) % 5, (k.col + 1) % 3, QStringLiteral("x")));
    EXPECT_EQ(g.row(), k.row);
    EXPECT_EQ(g.col(), k.col);
    EXPECT_EQ(g.text(), t);
    ASSERT_TRUE(g.setText(QString()));
    EXPECT_EQ(g.textMatrix(k.row, k.col), "") << "writing \"\" clears the cell";
  }
}

TEST(FlexGridText, FormatStringSetsColumnsHeadersAndAlignment) {
  struct Case {
    const char *format;
    int fixedRows;
    QStringList headers;     // row 0 afterwards
    std::vector<int> aligns; // ColAlignment afterwards
  };
  const Case cases[] = {
      {"^번호|^알람|^종류", 1, {"번호", "알람", "종류"}, {4, 4, 4}},
      {"<이름|>금액|메모", 1, {"이름", "금액", "메모"}, {1, 7, 9}},
      {"|^a", 1, {"", "a"}, {9, 4}},
      {"^a|^b", 0, {"", ""}, {4, 4}},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(k.format);
    FlexGrid g(nullptr, 4, 7, k.fixedRows, 0);
    ASSERT_TRUE(g.setFormatString(QString::fromUtf8(k.format)));
    ASSERT_EQ(g.cols(), k.headers.size());
    for (int c = 0; c < g.cols(); ++c) {
      EXPECT_EQ(g.textMatrix(0, c), k.headers[c]);
      EXPECT_EQ(g.colAlignment(c), k.aligns[c]);
      EXPECT_GT(g.colWidth(c), 0);
    }
  }
}

TEST(FlexGridText, FormatStringHeadersOfElevenColumnsAreCentred) {
  FlexGrid g(nullptr, 50, 11, 1, 0);
  ASSERT_TRUE(g.setFormatString(
      QStringLiteral("^번호|^알람|^종류|^월|^일|^시|^분|^음향|^파일|^표시|^내용")));
  EXPECT_EQ(g.cols(), 11);
  EXPECT_EQ(g.textMatrix(0, 10), "내용");
  g.setRow(0);
  g.setCol(3);
  EXPECT_EQ(g.cellAlignment(), Grid::AlignCenterCenter);
}

TEST(FlexGridText, FormatStringRowPartLabelsColumnZero) {
  FlexGrid g(nullptr, 3, 2, 1, 1);
  ASSERT_TRUE(g.setFormatString(QStringLiteral("|값;|가|나|다")));
  EXPECT_EQ(g.rows(), 4);
  EXPECT_EQ(g.textMatrix(0, 1), "값");
  EXPECT_EQ(g.textMatrix(1, 0), "가");
  EXPECT_EQ(g.textMatrix(3, 0), "다");
}

TEST(FlexGridSizes, WidthsAndHeightsReadBackExactlyAsSet) {
  FlexGrid g(nullptr, 3, 3, 1, 1);
  for (int v : {0, 1, 7, 250, 280, 300, 480, 900, 4995, 5000, 6000, 7000}) {
    SCOPED_TRACE(v);
    ASSERT_TRUE(g.setColWidth(1, v));
    ASSERT_TRUE(g.setRowHeight(2, v));
    EXPECT_EQ(g.colWidth(1), v);
    EXPECT_EQ(g.rowHeight(2), v);
  }
  ASSERT_TRUE(g.setColWidth(1, -1));
  EXPECT_EQ(g.colWidth(1), g.defaultColWidth()) << "-1 restores the default";
  EXPECT_FALSE(g.setRowHeight(2, -2));
  EXPECT_EQ(g.rowHeight(2), 7000);
}

TEST(FlexGridLook, CellColoursAndAlignmentReadBackAsWritten) {
  FlexGrid g(nullptr, 7, 7, 1, 0);
  g.setRow(3);
  g.setCol(4);
  EXPECT_EQ(g.cellBackColor(), 0u) << "an untouched cell reads 0";
  ASSERT_TRUE(g.setCellBackColor(rgb(0, 0, 255)));
  ASSERT_TRUE(g.setCellForeColor(rgb(255, 255, 255)));
  ASSERT_TRUE(g.setCellAlignment(Grid::AlignCenterBottom));
  g.setCol(5);
  EXPECT_EQ(g.cellBackColor(), 0u) << "only the current cell changed";
  EXPECT_EQ(g.cellAlignment(), Grid::AlignGeneral);
  g.setCol(4);
  EXPECT_EQ(g.cellBackColor(), rgb(0, 0, 255));
  EXPECT_EQ(g.cellForeColor(), rgb(255, 255, 255));
  EXPECT_EQ(g.cellAlignment(), Grid::AlignCenterBottom);

  // Fixed cells follow FixedAlignment where set, else ColAlignment.
  ASSERT_TRUE(g.setColAlignment(2, Grid::AlignLeftCenter));
  g.setRow(0);
  g.setCol(2);
  EXPECT_EQ(g.cellAlignment(), Grid::AlignLeftCenter);
  ASSERT_TRUE(g.setFixedAlignment(2, Grid::AlignCenterTop));
  EXPECT_EQ(g.fixedAlignment(2), Grid::AlignCenterTop);
  EXPECT_EQ(g.cellAlignment(), Grid::AlignCenterTop);
  g.setRow(1);
  EXPECT_EQ(g.cellAlignment(), Grid::AlignLeftCenter) << "normal cells keep ColAlignment";
}

TEST(FlexGridLook, PictureIsSetAndRemovedPerCell) {
  FlexGrid g(nullptr, 3, 3, 1, 1);
  QPixmap pm(8, 8);
  pm.fill(Qt::red);
  g.setRow(1);
  g.setCol(1);
  ASSERT_TRUE(g.setCellPicture(pm));
  EXPECT_FALSE(g.cellPicture().isNull());
  g.setCol(2);
  EXPECT_TRUE(g.cellPicture().isNull());
  g.setCol(1);
  ASSERT_TRUE(g.setCellPicture(QPixmap()));
  EXPECT_TRUE(g.cellPicture().isNull()) << "an empty picture removes it";
}

TEST(FlexGridErrors, AccessesOutsideTheGridFailHarmlesslyAndAreLogged) {
  FlexGrid g(nullptr, 4, 3, 1, 1);
  g.setTextMatrix(1, 1, QStringLiteral("keep"));
  g.setRow(1);
  g.setCol(1);
  struct Case {
    const char *name;
    std::function<bool()> op;
  };
  const Case cases[] = {
      {"TextMatrix row = Rows", [&] { return g.setTextMatrix(4, 0, "x"); }},
      {"TextMatrix col = Cols", [&] { return g.setTextMatrix(0, 3, "x"); }},
      {"TextMatrix negative", [&] { return g.setTextMatrix(-1, 0, "x"); }},
      {"Row = Rows", [&] { return g.setRow(4); }},
      {"Col negative", [&] { return g.setCol(-1); }},
      {"ColWidth col = Cols", [&] { return g.setColWidth(3, 100); }},
      {"RowHeight negative row", [&] { return g.setRowHeight(-1, 100); }},
      {"ColAlignment 10", [&] { return g.setColAlignment(0, 10); }},
      {"ColAlignment col = Cols", [&] { return g.setColAlignment(3, 1); }},
      {"FixedAlignment col = Cols", [&] { return g.setFixedAlignment(3, 3); }},
      {"CellAlignment 12", [&] { return g.setCellAlignment(12); }},
      {"Rows below FixedRows", [&] { return g.setRows(0); }},
      {"FixedRows above Rows", [&] { return g.setFixedRows(5); }},
      {"TopRow in fixed rows", [&] { return g.setTopRow(0); }},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(k.name);
    FormsLog log;
    EXPECT_FALSE(k.op());
    EXPECT_EQ(log.messages().size(), 1);
    EXPECT_EQ(g.rows(), 4) << "no silent grow";
    EXPECT_EQ(g.cols(), 3);
    EXPECT_EQ(g.row(), 1);
    EXPECT_EQ(g.col(), 1);
    EXPECT_EQ(g.textMatrix(1, 1), "keep");
  }
  FormsLog log;
  EXPECT_EQ(g.textMatrix(9, 9), "") << "reads outside give empty values";
  EXPECT_EQ(g.colWidth(7), 0);
  EXPECT_EQ(log.messages().size(), 2);
}

TEST(FlexGridErrors, CurrentCellMembersFailOnAnEmptyGrid) {
  FlexGrid g(nullptr, 0, 0, 0, 0);
  EXPECT_FALSE(g.setText("x"));
  EXPECT_FALSE(g.setCellBackColor(1));
  EXPECT_EQ(g.cellLeft(), 0);
  EXPECT_EQ(g.text(), "");
}

TEST_F(GridFixture, CellGeometryIsInTwipsRelativeToTheGridAndFollowsScrolling) {
  // Columns 900, 1000, 1100, ...; rows 300.
  struct Case {
    int row, col, left, top;
  };
  for (const Case k : {Case{0, 0, 0, 0}, Case{1, 1, 900, 300}, Case{4, 3, 900 + 1000 + 1100, 1200},
                       Case{19, 4, 900 + 1000 + 1100 + 1200, 5700}}) {
    SCOPED_TRACE(testing::Message() << k.row << "," << k.col);
    g.setRow(k.row);
    g.setCol(k.col);
    EXPECT_EQ(g.cellLeft(), k.left);
    EXPECT_EQ(g.cellTop(), k.top);
    EXPECT_EQ(g.cellWidth(), 900 + 100 * k.col);
    EXPECT_EQ(g.cellHeight(), 300);
  }
  ASSERT_TRUE(g.setTopRow(5));
  EXPECT_EQ(g.topRow(), 5);
  g.setRow(7);
  g.setCol(1);
  EXPECT_EQ(g.cellTop(), 300 + 2 * 300) << "fixed row, then rows 5 and 6";
  g.setRow(0);
  EXPECT_EQ(g.cellTop(), 0) << "fixed rows do not scroll";
  g.setRow(3);
  EXPECT_EQ(g.cellTop(), 300 - 2 * 300) << "a row scrolled out lies above the fixed rows";
}

TEST_F(GridFixture, TopRowStopsWhereTheLastRowIsShown) {
  // 20 rows of 20 px in a view under 300 px: the last rows fit from some
  // row on, never past it.
  ASSERT_TRUE(g.setTopRow(19));
  const int top = g.topRow();
  EXPECT_LT(top, 19);
  EXPECT_GT(top, 1);
  ASSERT_FALSE(g.horizontalScrollBar()->isVisible());
  const int viewHeight = g.QWidget::height();
  g.setRow(19);
  EXPECT_LE(toPixels(g.cellTop() + g.cellHeight()), viewHeight) << "the last row is in view";
}

TEST_F(GridFixture, ScrollBarsAppearOnlyWhenContentExceedsTheGrid) {
  EXPECT_TRUE(g.verticalScrollBar()->isVisible()) << "20 rows of 300 twips in 4500";
  EXPECT_FALSE(g.horizontalScrollBar()->isVisible()) << "5500 twips of columns in 9000";
  g.setRows(5);
  QCoreApplication::processEvents();
  EXPECT_FALSE(g.verticalScrollBar()->isVisible());
  g.setColWidth(4, 9000);
  QCoreApplication::processEvents();
  EXPECT_TRUE(g.horizontalScrollBar()->isVisible());
}

TEST_F(GridFixture, WheelAndBarScrollByWholeRows) {
  QSignalSpy scrolled(&g, &FlexGrid::scrolled);
  QWheelEvent down(QPointF(50, 50), g.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&g, &down);
  EXPECT_EQ(g.topRow(), 4) << "one notch is three rows";
  g.verticalScrollBar()->setValue(0);
  EXPECT_EQ(g.topRow(), 1);
  EXPECT_EQ(scrolled.count(), 2);
}

TEST_F(GridFixture, AWheelTheGridCannotUseGoesToWhatHoldsIt) {
  // Every cell shows: a view around the grid (a scrolling page) gets the
  // wheel instead of the grid swallowing it.
  g.setRows(5);
  g.setCols(3);
  QWheelEvent down(QPointF(50, 50), g.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&g, &down);
  EXPECT_FALSE(down.isAccepted());
  EXPECT_EQ(g.topRow(), 1);
  // With rows below the bottom it scrolls and keeps the wheel.
  g.setRows(40);
  QCoreApplication::sendEvent(&g, &down);
  EXPECT_TRUE(down.isAccepted());
  EXPECT_EQ(g.topRow(), 4);
}

TEST_F(GridFixture, MouseRowAndMouseColAreSetInsideMouseDownClickAndDblClick) {
  struct Seen {
    int row = -9, col = -9;
  } down, click, dbl;
  QObject::connect(&g, &Control::mouseDown, [&](const MouseArgs &) {
    down = {g.mouseRow(), g.mouseCol()};
  });
  QObject::connect(&g, &Control::clicked, [&] { click = {g.mouseRow(), g.mouseCol()}; });
  QObject::connect(&g, &Control::dblClick, [&] { dbl = {g.mouseRow(), g.mouseCol()}; });
  struct Case {
    int row, col, topRow;
  };
  for (const Case k : {Case{0, 0, 1}, Case{0, 3, 1}, Case{2, 0, 1}, Case{3, 2, 1}, Case{8, 4, 1},
                       Case{9, 2, 6}, Case{0, 2, 6}}) {
    SCOPED_TRACE(testing::Message() << k.row << "," << k.col << " top " << k.topRow);
    g.setTopRow(k.topRow);
    const QPoint p = inside(g, k.row, k.col);
    QTest::mouseClick(&g, Qt::LeftButton, {}, p);
    EXPECT_EQ(down.row, k.row);
    EXPECT_EQ(down.col, k.col);
    EXPECT_EQ(click.row, k.row);
    EXPECT_EQ(click.col, k.col);
    QTest::mouseDClick(&g, Qt::LeftButton, {}, p);
    EXPECT_EQ(dbl.row, k.row);
    EXPECT_EQ(dbl.col, k.col);
  }
}

TEST_F(GridFixture, LeftPressOnANormalCellMakesItCurrentButNotOnAFixedOne) {
  g.setRow(1);
  g.setCol(1);
  QTest::mouseClick(&g, Qt::LeftButton, {}, inside(g, 3, 2));
  EXPECT_EQ(g.row(), 3);
  EXPECT_EQ(g.col(), 2);
  QTest::mouseClick(&g, Qt::LeftButton, {}, inside(g, 0, 4));
  EXPECT_EQ(g.row(), 3) << "a header press leaves the current cell";
  QTest::mouseClick(&g, Qt::RightButton, {}, inside(g, 5, 3));
  EXPECT_EQ(g.row(), 3) << "a right press leaves the current cell";
  EXPECT_EQ(g.mouseRow(), 5);
}

TEST_F(GridFixture, PressBeyondTheLastRowAndColumnReportsTheLastOnes) {
  g.setRows(4);
  g.setRow(1);
  QTest::mouseClick(&g, Qt::LeftButton, {}, QPoint(590, 290));
  EXPECT_EQ(g.mouseRow(), 3);
  EXPECT_EQ(g.mouseCol(), 4);
  EXPECT_EQ(g.row(), 1) << "a press outside every cell selects nothing";
}

TEST_F(GridFixture, DisabledGridIgnoresTheMouse) {
  QSignalSpy down(&g, &Control::mouseDown), click(&g, &Control::clicked),
      dbl(&g, &Control::dblClick);
  QTest::mouseClick(&g, Qt::LeftButton, {}, inside(g, 2, 2));
  ASSERT_EQ(down.count(), 1);
  g.setEnabled(false);
  EXPECT_FALSE(g.enabled());
  QTest::mouseClick(&g, Qt::LeftButton, {}, inside(g, 4, 3));
  QTest::mouseDClick(&g, Qt::LeftButton, {}, inside(g, 4, 3));
  QWheelEvent wheel(QPointF(50, 50), g.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&g, &wheel);
  EXPECT_EQ(down.count(), 1);
  EXPECT_EQ(click.count(), 1);
  EXPECT_EQ(dbl.count(), 0);
  EXPECT_EQ(g.mouseRow(), 2);
  EXPECT_EQ(g.row(), 2);
  EXPECT_EQ(g.topRow(), 1);
  g.setEnabled(true);
  QTest::mouseClick(&g, Qt::LeftButton, {}, inside(g, 4, 3));
  EXPECT_EQ(g.mouseRow(), 4);
}

TEST_F(GridFixture, MouseMoveReportsTheCellUnderTheMouse) {
  QSignalSpy move(&g, &Control::mouseMove);
  // Sent directly: QTest::mouseMove makes no event when the cursor is
  // already there.
  const QPoint p = inside(g, 6, 3);
  QMouseEvent hover(QEvent::MouseMove, p, g.mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&g, &hover);
  ASSERT_GE(move.count(), 1);
  EXPECT_EQ(g.mouseRow(), 6);
  EXPECT_EQ(g.mouseCol(), 3);
  const auto a = move.last().at(0).value<MouseArgs>();
  EXPECT_EQ(a.button, 0);
  EXPECT_EQ(a.x, toTwips(p.x()));
}

TEST_F(GridFixture, ArrowKeysMoveTheCurrentCellAndScrollItIntoView) {
  g.setRow(1);
  g.setCol(1);
  g.setFocus();
  QTest::keyClick(&g, Qt::Key_Right);
  QTest::keyClick(&g, Qt::Key_Down);
  EXPECT_EQ(g.row(), 2);
  EXPECT_EQ(g.col(), 2);
  QTest::keyClick(&g, Qt::Key_Up);
  QTest::keyClick(&g, Qt::Key_Up);
  EXPECT_EQ(g.row(), 1) << "the current cell stays out of the fixed row";
  QTest::keyClick(&g, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(g.row(), 19);
  EXPECT_GT(g.topRow(), 1);
}
