#include "zelomm/bar_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace dorrin::zelomm {

SizeRule sizeRule(QSize size) {
  const int w = size.width(), h = size.height();
  if (w < kInitialWidth || h <= 30)
    return {SizeRule::Grow, QSize(std::max(w, kInitialWidth), std::max(h, 31))};
  if (w % kButtonCount != 0) return {SizeRule::Trim, QSize(w - w % kButtonCount, h)};
  return {SizeRule::Draw, size};
}

Cell cellOf(int k, int width, int height) {
  const int b = width / kButtonCount;
  if (k < 5) return {k * b, 0, (k + 1) * b, height};
  if (k == 5) return {5 * b, 0, 6 * b - 1, height};
  return {k * b - 1, 0, (k + 1) * b - 1, height};
}

QPoint glyphOrigin(const Cell &c, bool down) {
  const int x = c.left + (c.right - c.left - 17) / 2;
  const int y = c.top + (c.bottom - c.top - 15) / 2;
  return down ? QPoint(x + 2, y + 2) : QPoint(x, y);
}

int buttonAtX(int x, int width) {
  const int d = (width + 1) / kButtonCount;
  if (x < 0 || d <= 0) return -1;
  const int k = x / d;
  return k < kButtonCount ? k : -1;
}

int pressButtons(ButtonStates &buttons, int x, int width) {
  for (ButtonState &b : buttons)
    b.up = true;
  const int k = buttonAtX(x, width);
  if (k < 0 || !buttons[k].enabled) return -1;
  buttons[k].up = false;
  return k;
}

// ---- primitives ----

void setPixel(QImage &img, int x, int y, QRgb colour) {
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return;
  reinterpret_cast<QRgb *>(img.scanLine(y))[x] = colour;
}

void fillRect(QImage &img, int left, int top, int right, int bottom, QRgb colour) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, img.width());
  bottom = std::min(bottom, img.height());
  for (int y = top; y < bottom; ++y) {
    QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
    std::fill(line + left, line + std::max(left, right), colour);
  }
}

namespace {

void line(QImage &img, QPoint a, QPoint b, QRgb colour) {
  int x = a.x(), y = a.y();
  const int dx = std::abs(b.x() - x), dy = -std::abs(b.y() - y);
  const int sx = x < b.x() ? 1 : -1, sy = y < b.y() ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    setPixel(img, x, y, colour);
    if (x == b.x() && y == b.y()) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

} // namespace

void polyline(QImage &img, std::span<const QPoint> points, QRgb colour) {
  if (points.size() == 1) setPixel(img, points[0].x(), points[0].y(), colour);
  for (std::size_t i = 1; i < points.size(); ++i)
    line(img, points[i - 1], points[i], colour);
}

void fillPolygon(QImage &img, std::span<const QPoint> points, QRgb colour) {
  if (points.size() < 3) return;
  int top = points[0].y(), bottom = top;
  for (const QPoint &p : points) {
    top = std::min(top, p.y());
    bottom = std::max(bottom, p.y());
  }
  std::vector<double> xs;
  for (int y = std::max(top, 0); y < std::min(bottom, img.height()); ++y) {
    const double yc = y + 0.5; // never on a vertex: vertices are whole numbers
    xs.clear();
    for (std::size_t i = 0; i < points.size(); ++i) {
      const QPoint p = points[i], q = points[(i + 1) % points.size()];
      if (p.y() == q.y()) continue;
      if (yc < std::min(p.y(), q.y()) || yc >= std::max(p.y(), q.y())) continue;
      xs.push_back(p.x() + (yc - p.y()) * (q.x() - p.x()) / double(q.y() - p.y()));
    }
    std::sort(xs.begin(), xs.end());
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
      // Centres x + 0.5 with xa <= x + 0.5 < xb.
      const int from = static_cast<int>(std::ceil(xs[i] - 0.5));
      const int to = static_cast<int>(std::ceil(xs[i + 1] - 0.5));
      fillRect(img, from, y, to, y + 1, colour);
    }
  }
}

void blit(QImage &img, QPoint at, const QImage &src) {
  for (int y = 0; y < src.height(); ++y) {
    const QRgb *from = reinterpret_cast<const QRgb *>(src.constScanLine(y));
    for (int x = 0; x < src.width(); ++x)
      setPixel(img, at.x() + x, at.y() + y, from[x]);
  }
}

// ---- one button ----

void drawButtonFace(QImage &img, const Cell &c, bool up, int bevel) {
  const int L = c.left, T = c.top, Rt = c.right, Bm = c.bottom;
  const int B = std::clamp(bevel, 0, 10);
  fillRect(img, L, T, Rt, Bm, kLightGrey);
  const std::array<QPoint, 5> outline{QPoint(L, T), QPoint(Rt - 1, T), QPoint(Rt - 1, Bm - 1),
                                      QPoint(L, Bm - 1), QPoint(L, T)};
  polyline(img, outline, kBlack);
  if (!up) {
    const std::array<QPoint, 5> inner{QPoint(L + 1, T + 1), QPoint(Rt - 2, T + 1),
                                      QPoint(Rt - 2, Bm - 2), QPoint(L + 1, Bm - 2),
                                      QPoint(L + 1, T + 1)};
    polyline(img, inner, kBlack);
  }
  for (const QPoint &p :
       {QPoint(L, T), QPoint(Rt - 1, T), QPoint(Rt - 1, Bm - 1), QPoint(L, Bm - 1)})
    setPixel(img, p.x(), p.y(), kLightGrey);
  if (up) {
    const std::array<QPoint, 7> shadow{
        QPoint(Rt - 1, T + 1),          QPoint(Rt - B - 1, T + B + 1),
        QPoint(Rt - B - 1, Bm - B - 1), QPoint(L + B + 1, Bm - B - 1),
        QPoint(L + 1, Bm - 1),          QPoint(Rt - 1, Bm - 1),
        QPoint(Rt - 1, T + 1)};
    fillPolygon(img, shadow, kDarkGrey);
    const std::array<QPoint, 7> light{QPoint(Rt - 2, T + 1),        QPoint(Rt - B - 2, T + B + 1),
                                      QPoint(L + B + 1, T + B + 1), QPoint(L + B + 1, Bm - B - 2),
                                      QPoint(L + 1, Bm - 2),        QPoint(L + 1, T + 1),
                                      QPoint(Rt - 2, T + 1)};
    fillPolygon(img, light, kWhite);
  } else {
    const std::array<QPoint, 7> shadow{QPoint(Rt - 2, T + 2),        QPoint(Rt - 2, T + B + 2),
                                       QPoint(L + B + 2, T + B + 2), QPoint(L + B + 2, Bm - 2),
                                       QPoint(L + 2, Bm - 2),        QPoint(L + 2, T + 2),
                                       QPoint(Rt - 2, T + 2)};
    fillPolygon(img, shadow, kDarkGrey);
  }
}

void drawBar(QImage &img, const ButtonStates &buttons, bool controlEnabled, int bevel) {
  for (int k = 0; k < kButtonCount; ++k) {
    const Cell c = cellOf(k, img.width(), img.height());
    const bool down = !buttons[k].up;
    drawButtonFace(img, c, !down, bevel);
    const bool active = buttons[k].enabled && controlEnabled;
    blit(img, glyphOrigin(c, active && down), glyph(k, active));
  }
}

// ---- glyphs ----

namespace {

// A glyph is drawn as a mask of ink on a 16 x 14 grid.
struct Mask {
  std::array<std::array<bool, kGlyphWidth>, kGlyphHeight> on{};
  void set(int x, int y) {
    if (x >= 0 && x < kGlyphWidth && y >= 0 && y < kGlyphHeight) on[y][x] = true;
  }
  void bar(int x0, int x1, int y0, int y1) { // inclusive
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        set(x, y);
  }
  // A triangle 2h+1 rows high around row mid, h+1 columns wide, its point at
  // column tip, pointing left (dir -1) or right (+1).
  void triangle(int tip, int mid, int h, int dir) {
    for (int r = -h; r <= h; ++r) {
      const int w = h + 1 - std::abs(r);
      for (int i = 0; i < w; ++i)
        set(tip - dir * (h - (w - 1) + i), mid + r);
    }
  }
};

Mask glyphMask(int button) {
  Mask m;
  switch (button) {
  case PrevButton: // |<<
    m.bar(2, 3, 2, 10);
    m.triangle(4, 6, 4, -1);
    m.triangle(9, 6, 4, -1);
    break;
  case NextButton: // >>|
    m.triangle(6, 6, 4, 1);
    m.triangle(11, 6, 4, 1);
    m.bar(12, 13, 2, 10);
    break;
  case PlayButton: // >
    m.triangle(10, 6, 5, 1);
    break;
  case PauseButton: // ||
    m.bar(4, 6, 2, 10);
    m.bar(9, 11, 2, 10);
    break;
  case StopButton: // square
    m.bar(4, 11, 3, 10);
    break;
  case RecordButton: // disc
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const double dx = x - 3.5, dy = y - 3.5;
        if (dx * dx + dy * dy <= 17.0) m.set(4 + x, 3 + y);
      }
    break;
  case BackButton: // <|
    m.triangle(4, 6, 4, -1);
    m.bar(10, 11, 2, 10);
    break;
  case StepButton: // |>
    m.bar(4, 5, 2, 10);
    m.triangle(11, 6, 4, 1);
    break;
  case EjectButton: // triangle up over a bar
    for (int r = 0; r < 5; ++r)
      m.bar(7 - r, 8 + r, 2 + r, 2 + r);
    m.bar(3, 12, 9, 10);
    break;
  default:
    break;
  }
  return m;
}

QImage renderGlyph(int button, bool enabled) {
  QImage img(kGlyphWidth, kGlyphHeight, QImage::Format_RGB32);
  img.fill(kLightGrey);
  const Mask m = glyphMask(button);
  const QRgb ink = button == RecordButton ? 0xffff0000 : kBlack;
  if (!enabled) // greyed: an etched look, white one pixel down and right under grey
    for (int y = 0; y < kGlyphHeight; ++y)
      for (int x = 0; x < kGlyphWidth; ++x)
        if (m.on[y][x]) setPixel(img, x + 1, y + 1, kWhite);
  for (int y = 0; y < kGlyphHeight; ++y)
    for (int x = 0; x < kGlyphWidth; ++x)
      if (m.on[y][x]) setPixel(img, x, y, enabled ? ink : kDarkGrey);
  return img;
}

} // namespace

const QImage &glyph(int button, bool enabled) {
  static const auto images = [] {
    std::array<std::array<QImage, 2>, kButtonCount> all;
    for (int k = 0; k < kButtonCount; ++k) {
      all[k][0] = renderGlyph(k, false);
      all[k][1] = renderGlyph(k, true);
    }
    return all;
  }();
  static const QImage none;
  if (button < 0 || button >= kButtonCount) return none;
  return images[button][enabled ? 1 : 0];
}

namespace {

// The toolbox picture: two raised buttons, PLAY and STOP. Kept in its own
// section of the library file, where a form designer reads it without
// loading the library (the registered ToolboxBitmap32 names the file).
__attribute__((section("dorrin_toolbox"), used)) const char kToolboxXpm[] = R"(/* XPM */
static const char *zelomm_toolbox[] = {
"16 15 4 1",
"  c #C0C0C0",
"# c #000000",
"w c #FFFFFF",
"d c #808080",
"                ",
" ######  ###### ",
"#wwwwwd##wwwwwd#",
"#w    d##w    d#",
"#w    d##w    d#",
"#w #  d##w    d#",
"#w ## d##w### d#",
"#w ###d##w### d#",
"#w ## d##w### d#",
"#w #  d##w    d#",
"#w    d##w    d#",
"#w    d##w    d#",
"#dddddd##dddddd#",
" ######  ###### ",
"                "};
)";

} // namespace

QByteArray toolboxPictureData() {
  return QByteArray(kToolboxXpm, sizeof kToolboxXpm - 1);
}

QImage toolboxPicture() {
  QImage img;
  img.loadFromData(toolboxPictureData(), "XPM");
  return img.convertToFormat(QImage::Format_RGB32);
}

} // namespace dorrin::zelomm
