// What the grid paints: fixed, normal, selected and coloured cells, and
// Korean text in a launcher-like list. Set DORRIN_SCREENSHOT_DIR to keep the
// rendered images for a look.
#include "platform/forms/flexgrid.h"
#include "platform/forms/form.h"

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace dorrin::forms;

namespace {

QImage render(FlexGrid &g, const char *name) {
  g.show();
  QCoreApplication::processEvents();
  QImage img = g.grab().toImage();
  const QByteArray dir = qgetenv("DORRIN_SCREENSHOT_DIR");
  if (!dir.isEmpty()) img.save(QDir(QString::fromLocal8Bit(dir)).filePath(name));
  return img;
}

// A pixel near the bottom-left corner of cell (r, c), clear of the text and
// of the grid lines.
QColor cellPixel(const FlexGrid &g, const QImage &img, int r, int c) {
  const int x = toPixels(g.colPos(c)) + 1 + 2;
  const int y = toPixels(g.rowPos(r) + g.rowHeight(r)) - 3;
  return img.pixelColor(x * img.devicePixelRatio(), y * img.devicePixelRatio());
}

// Counts the pixels of the cell's inside (grid lines and scroll bar left
// out) that are nearer the text colour than the background colour.
int textPixels(const FlexGrid &g, const QImage &img, int r, int col, QColor fore, QColor back) {
  const QRect view(0, 0, g.QWidget::width() - g.verticalScrollBar()->width(), img.height());
  const QRect rect = QRect(toPixels(g.colPos(col)) + 1, toPixels(g.rowPos(r)) + 1,
                           toPixels(g.colWidth(col)) - 2, toPixels(g.rowHeight(r)) - 2)
                         .intersected(view);
  auto distance = [](QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
  };
  int n = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x) {
      const QColor p = img.pixelColor(x, y);
      n += distance(p, fore) < distance(p, back);
    }
  return n;
}

// A launcher list: 30 rows, one column, all cells fixed, in its pane's colours.
void makeLauncherList(FlexGrid &g, Rgb back, Rgb fore) {
  g.setRows(30);
  g.setCols(1);
  g.setFixedRows(1);
  g.setFixedCols(1);
  g.place(0, 0, 3000, 3000);
  g.setColWidth(0, 3000);
  for (int r = 0; r < 30; ++r)
    g.setRowHeight(r, 280);
  g.setBackColorFixed(back);
  g.setBackColorSel(back);
  g.setForeColorFixed(fore);
  g.setForeColorSel(fore);
}

} // namespace

TEST(FlexGridPaint, AllFixedListShowsTheFixedColoursInEveryCell) {
  FlexGrid g;
  makeLauncherList(g, rgb(255, 102, 0), rgb(255, 255, 255));
  g.setRow(5);
  g.setCol(0);
  const QImage img = render(g, "launcher-orange.png");
  for (int r : {0, 1, 5, 9})
    EXPECT_EQ(cellPixel(g, img, r, 0), QColor(255, 102, 0)) << "row " << r;
}

TEST(FlexGridPaint, NormalSelectedAndColouredCells) {
  FlexGrid g(nullptr, 7, 7, 1, 0);
  g.place(0, 0, 7 * 480, 7 * 300);
  for (int c = 0; c < 7; ++c)
    g.setColWidth(c, 480);
  for (int r = 0; r < 7; ++r)
    g.setRowHeight(r, 300);
  g.setBackColorFixed(rgb(200, 50, 0));
  g.setRow(3);
  g.setCol(2);
  g.setCellBackColor(rgb(0, 0, 255));
  g.setRow(5);
  g.setCol(1);
  g.setRowSel(6);
  g.setColSel(2);
  const QImage img = render(g, "month.png");
  EXPECT_EQ(cellPixel(g, img, 0, 4), QColor(200, 50, 0)) << "fixed row";
  EXPECT_EQ(cellPixel(g, img, 2, 4), QColor(255, 255, 255)) << "normal cell";
  EXPECT_EQ(cellPixel(g, img, 3, 2), QColor(0, 0, 255)) << "CellBackColor";
  EXPECT_EQ(cellPixel(g, img, 6, 2), QColor(0, 0, 128)) << "selected range";
  EXPECT_EQ(cellPixel(g, img, 5, 1), QColor(255, 255, 255)) << "the current cell keeps its look";
}

TEST(FlexGridPaint, ZeroCellColourMeansTheGridsColour) {
  FlexGrid g(nullptr, 3, 2, 0, 0);
  g.place(0, 0, 2000, 1000);
  g.setRow(1);
  g.setCol(1);
  g.setCellBackColor(rgb(0, 100, 50));
  g.setCellBackColor(0);
  EXPECT_EQ(g.cellBackColor(), 0u);
  g.setBackColor(rgb(1, 2, 3));
  const QImage img = render(g, "zero.png");
  EXPECT_EQ(cellPixel(g, img, 1, 1), QColor(1, 2, 3));
}

TEST(FlexGridPaint, KoreanCaptionsRenderInTheLauncherFont) {
  installFontSubstitutes();
  FlexGrid g;
  g.setFont(formFont(QStringLiteral("굴림"), 9));
  ASSERT_TRUE(QFontMetrics(g.font()).inFontUcs4(U'사')) << "no Hangul glyphs: fonts-nanum?";
  makeLauncherList(g, rgb(130, 80, 180), rgb(255, 255, 255));
  const QStringList captions = {QStringLiteral("Tessivo Dorrin 사용법"),
                                QStringLiteral("메모장"),
                                QStringLiteral("계산기"),
                                QStringLiteral("그림판"),
                                QStringLiteral("웹: 다음"),
                                QStringLiteral("폴더: 문서")};
  for (int r = 0; r < captions.size(); ++r)
    g.setTextMatrix(r, 0, QStringLiteral(" ") + captions[r]);
  const QImage img = render(g, "launcher-korean.png");
  for (int r = 0; r < captions.size(); ++r)
    EXPECT_GT(textPixels(g, img, r, 0, Qt::white, QColor(130, 80, 180)), 20) << "row " << r;
  EXPECT_EQ(textPixels(g, img, 8, 0, Qt::white, QColor(130, 80, 180)), 0) << "an empty slot";
}

TEST(FlexGridPaint, LongTextStaysInsideItsCell) {
  FlexGrid g(nullptr, 3, 3, 0, 0);
  g.place(0, 0, 3 * 600, 3 * 300);
  for (int c = 0; c < 3; ++c)
    g.setColWidth(c, 600);
  g.setTextMatrix(1, 1, QStringLiteral("가나다라마바사아자차카타파하 WWWWWWWWWWWW"));
  g.setTextMatrix(2, 2, QStringLiteral("끝 WWWWWWWWWWWWWWWWWWWWWWW"));
  const QImage img = render(g, "clip.png");
  EXPECT_GT(textPixels(g, img, 1, 1, Qt::black, Qt::white), 20);
  EXPECT_EQ(textPixels(g, img, 1, 2, Qt::black, Qt::white), 0) << "no overflow to the right";
  EXPECT_EQ(textPixels(g, img, 1, 0, Qt::black, Qt::white), 0);
}
