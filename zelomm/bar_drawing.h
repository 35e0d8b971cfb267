#pragma once
// The button bar as pixels: the size rules, the nine cells, one button raised
// or sunken with its bevel, and its glyph. Everything is drawn without
// antialiasing onto an image (32-bit RGB), so each pixel is known exactly.
// Rectangles here are half-open: a cell [left, right) x [top, bottom).
#include "zelomm/button_states.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <span>

namespace dorrin::zelomm {

inline constexpr int kInitialWidth = 234;
inline constexpr int kInitialHeight = 33;
inline constexpr int kGlyphWidth = 16;
inline constexpr int kGlyphHeight = 14;

inline constexpr QRgb kBlack = 0xff000000;
inline constexpr QRgb kWhite = 0xffffffff;
inline constexpr QRgb kLightGrey = 0xffc0c0c0;
inline constexpr QRgb kDarkGrey = 0xff808080;

// What the bar does with its present size before drawing.
struct SizeRule {
  enum Kind {
    Draw, // the size is fine
    Grow, // narrower than 234 or 30 high or less: grow to at least 234 x 31
    Trim, // width not a multiple of 9: the next lower multiple
  } kind = Draw;
  QSize target; // the size to ask for (Grow, Trim)
};
SizeRule sizeRule(QSize size);

struct Cell {
  int left, top, right, bottom; // right and bottom exclusive
};
// Cell k of a bar of this size: cells 0..4 fill their ninth, cell 5 stops one
// pixel short, cells 6..8 sit one pixel further left.
Cell cellOf(int k, int width, int height);

// Where a glyph goes in a cell (down = pressed, drawn 2 pixels right and down).
QPoint glyphOrigin(const Cell &c, bool down);

// The button a left press at x lands on, with d = (width + 1) / 9; -1 past the
// last one. Only x is tested.
int buttonAtX(int x, int width);

// A left press at x: every button goes up and the enabled button under x goes
// down. Returns that button, or -1 when none went down.
int pressButtons(ButtonStates &buttons, int x, int width);

// Glyph of a button, 16 x 14, enabled or greyed.
const QImage &glyph(int button, bool enabled);
// The picture a form designer shows for the control in its toolbox (16 x 15),
// and the XPM text it is made from.
QImage toolboxPicture();
QByteArray toolboxPictureData();

// Primitives (clipped to the image).
void fillRect(QImage &img, int left, int top, int right, int bottom, QRgb colour);
void setPixel(QImage &img, int x, int y, QRgb colour);
// A one-pixel line through every point, both ends included.
// Copies src opaquely with its top-left corner at `at`.
void blit(QImage &img, QPoint at, const QImage &src);
void polyline(QImage &img, std::span<const QPoint> points, QRgb colour);
// Fills the inside of a polygon: a pixel is painted when its centre lies
// inside; a centre exactly on an edge counts for left edges, not right ones,
// so right and bottom edges stay unpainted as with a rectangle's.
void fillPolygon(QImage &img, std::span<const QPoint> points, QRgb colour);

// One button in its cell: raised (up) or sunken, bevel 0..10, without glyph.
void drawButtonFace(QImage &img, const Cell &c, bool up, int bevel);
// The whole bar onto an image of the control's size; pixels outside the nine
// cells keep what the image held.
void drawBar(QImage &img, const ButtonStates &buttons, bool controlEnabled, int bevel);

} // namespace dorrin::zelomm
