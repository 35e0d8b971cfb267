// grid_paint: the grid with a phone-book-sized table (2001 rows x 6 columns
// of Korean text): filling it, painting it, scrolling it, hit-testing it.
// Runs offscreen; prints one line per figure.
#include "platform/forms/flexgrid.h"
#include "platform/forms/form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

using namespace dorrin::forms;

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  installFontSubstitutes();

  FlexGrid g(nullptr, 2001, 6, 0, 0);
  g.setFont(formFont(QStringLiteral("굴림"), 9));
  g.place(0, 0, 8235, 7665);
  g.show();
  QCoreApplication::processEvents();

  QElapsedTimer t;
  t.start();
  const int widths[] = {1700, 1300, 1400, 1600, 1400, 700};
  for (int r = 0; r < 2001; ++r)
    g.setRowHeight(r, 250);
  for (int c = 0; c < 6; ++c) {
    g.setColWidth(c, widths[c]);
    g.setColAlignment(c, 1);
  }
  for (int r = 0; r < 2001; ++r)
    for (int c = 0; c < 6; ++c)
      g.setTextMatrix(r, c, QStringLiteral("홍길동 %1-%2").arg(r).arg(c));
  const double fill = t.nsecsElapsed() / 1e6;

  t.restart();
  QPixmap first = g.grab();
  const double paint = t.nsecsElapsed() / 1e6;

  constexpr int steps = 200;
  t.restart();
  for (int i = 0; i < steps; ++i) {
    g.setTopRow(1 + (i * 7) % 1900);
    first = g.grab();
  }
  const double scroll = t.nsecsElapsed() / 1e6 / steps;

  constexpr int hits = 100000;
  t.restart();
  long sum = 0;
  for (int i = 0; i < hits; ++i)
    sum += g.cellAt(QPoint(i % 540, i % 500)).first;
  const double hit = t.nsecsElapsed() / 1e3 / hits;

  // Highlighting one row the way the phone book does: six current-cell moves
  // and colour writes.
  t.restart();
  for (int i = 0; i < 1000; ++i) {
    g.setRow(i);
    for (int c = 0; c < 6; ++c) {
      g.setCol(c);
      g.setCellBackColor(rgb(0, 100, 50));
      g.setCellForeColor(rgb(255, 255, 255));
    }
  }
  const double highlight = t.nsecsElapsed() / 1e3 / 1000;

  std::printf("grid fill 2001x6 (texts, heights, widths): %.1f ms\n", fill);
  std::printf("grid first paint 549x511 px: %.2f ms\n", paint);
  std::printf("grid scroll + repaint: %.2f ms per step\n", scroll);
  std::printf("grid cell hit test: %.2f us (checksum %ld)\n", hit, sum);
  std::printf("grid row highlight (6 cells): %.2f us\n", highlight);
  return 0;
}
