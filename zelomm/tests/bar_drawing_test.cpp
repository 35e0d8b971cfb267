// The bar as pixels: size rules, cells, raised and sunken buttons at several
// bevels, glyph placement and the press hit test.
#include "zelomm/bar_drawing.h"

#include <gtest/gtest.h>
#include <set>

namespace dorrin::zelomm {
namespace {

QRgb px(const QImage &img, int x, int y) {
  return img.pixel(x, y) | 0xff000000;
}

// The glyph's 16 x 14 pixels sit exactly at `at`.
::testing::AssertionResult glyphAt(const QImage &img, QPoint at, const QImage &g) {
  for (int y = 0; y < g.height(); ++y)
    for (int x = 0; x < g.width(); ++x)
      if (px(img, at.x() + x, at.y() + y) != (g.pixel(x, y) | 0xff000000))
        return ::testing::AssertionFailure()
               << "glyph pixel " << x << "," << y << " at " << at.x() << "," << at.y();
  return ::testing::AssertionSuccess();
}

TEST(BarGeometry, SizeRules) {
  struct Case {
    QSize in;
    SizeRule::Kind kind;
    QSize target;
  } cases[] = {
      {{300, 40}, SizeRule::Trim, {297, 40}}, {{200, 20}, SizeRule::Grow, {234, 31}},
      {{234, 33}, SizeRule::Draw, {234, 33}}, {{234, 30}, SizeRule::Grow, {234, 31}},
      {{234, 31}, SizeRule::Draw, {234, 31}}, {{233, 90}, SizeRule::Grow, {234, 90}},
      {{500, 10}, SizeRule::Grow, {500, 31}}, {{243, 31}, SizeRule::Draw, {243, 31}},
      {{251, 31}, SizeRule::Trim, {243, 31}},
  };
  for (const Case &c : cases) {
    const SizeRule r = sizeRule(c.in);
    EXPECT_EQ(r.kind, c.kind) << c.in.width() << "x" << c.in.height();
    if (c.kind != SizeRule::Draw) {
      EXPECT_EQ(r.target, c.target) << c.in.width();
    }
  }
}

TEST(BarGeometry, CellsFiveIsShortSixToEightShiftLeft) {
  const int spans[9][2] = {{0, 33},    {33, 66},   {66, 99},   {99, 132}, {132, 165},
                           {165, 197}, {197, 230}, {230, 263}, {263, 296}};
  for (int k = 0; k < 9; ++k) {
    const Cell c = cellOf(k, 297, 40);
    EXPECT_EQ(c.left, spans[k][0]) << k;
    EXPECT_EQ(c.right, spans[k][1]) << k;
    EXPECT_EQ(c.top, 0);
    EXPECT_EQ(c.bottom, 40);
  }
}

TEST(BarGeometry, PressHitsRangesOfWidthPlusOneOverNine) {
  struct Case {
    int width, x, button;
  } cases[] = {
      {297, 0, 0},   {297, 32, 0}, {297, 33, 1},  {297, 296, 8}, {297, 297, -1},
      {297, -1, -1}, {234, 25, 0}, {234, 26, 1},  {234, 233, 8}, {234, 234, -1}, // d = 26
      {242, 26, 0},  {242, 27, 1}, {242, 242, 8}, // d = 27: one short of 243
  };
  for (const Case &c : cases)
    EXPECT_EQ(buttonAtX(c.x, c.width), c.button) << c.width << " @" << c.x;

  ButtonStates b{};
  b[2].enabled = true;
  b[0].up = false; // a stale down button is released by any press
  EXPECT_EQ(pressButtons(b, 66, 297), 2);
  EXPECT_FALSE(b[2].up);
  EXPECT_TRUE(b[0].up);
  EXPECT_EQ(pressButtons(b, 100, 297), -1) << "PAUSE is disabled";
  for (const ButtonState &s : b)
    EXPECT_TRUE(s.up);
}

class BarPixels : public ::testing::Test {
protected:
  // A 297 x 40 bar: cell 0 is [0, 33) x [0, 40), its glyph at (8, 12).
  QImage draw(int bevel, bool firstDown, bool enabled = true) {
    ButtonStates b{};
    for (auto &s : b)
      s.enabled = enabled;
    b[0].up = !firstDown;
    QImage img(297, 40, QImage::Format_RGB32);
    img.fill(0xff123456);
    drawBar(img, b, true, bevel);
    return img;
  }
  struct Expect {
    int x, y;
    QRgb colour;
  };
  void check(const QImage &img, std::initializer_list<Expect> e, int bevel) {
    for (const Expect &p : e)
      EXPECT_EQ(px(img, p.x, p.y), p.colour) << "bevel " << bevel << " at " << p.x << "," << p.y;
  }
};

TEST_F(BarPixels, RaisedButtonAtBevels0_2_10) {
  for (int bevel : {0, 2, 10}) {
    const QImage img = draw(bevel, false);
    // Outline on all four sides, corners in light grey.
    check(img,
          {{5, 0, kBlack},
           {0, 5, kBlack},
           {32, 5, kBlack},
           {5, 39, kBlack},
           {0, 0, kLightGrey},
           {32, 0, kLightGrey},
           {32, 39, kLightGrey},
           {0, 39, kLightGrey}},
          bevel);
    EXPECT_TRUE(glyphAt(img, {8, 12}, glyph(0, true))) << bevel;
  }
  check(draw(0, false),
        {{1, 5, kLightGrey}, {5, 1, kLightGrey}, {31, 5, kLightGrey}, {5, 38, kLightGrey}}, 0);
  check(draw(2, false),
        {{5, 1, kWhite},
         {5, 2, kWhite},
         {1, 5, kWhite},
         {2, 5, kWhite},
         {3, 5, kLightGrey},
         {5, 3, kLightGrey},
         {31, 5, kDarkGrey},
         {30, 5, kDarkGrey},
         {29, 5, kLightGrey},
         {5, 38, kDarkGrey},
         {5, 37, kDarkGrey},
         {5, 36, kLightGrey},
         {31, 1, kDarkGrey}, // the shadow's top end under the outline
         {1, 38, kDarkGrey}},
        2);
  check(draw(10, false),
        {{5, 20, kWhite},
         {12, 5, kWhite},
         {25, 5, kWhite}, // the highlight's slanted end
         {26, 5, kLightGrey},
         {27, 5, kDarkGrey}, // the shadow's slanted end
         {30, 20, kDarkGrey},
         {20, 35, kDarkGrey},
         {15, 27, kLightGrey}},
        10);
}

TEST_F(BarPixels, SunkenButtonAtBevels0_2_10) {
  for (int bevel : {0, 2, 10}) {
    const QImage img = draw(bevel, true);
    // Double outline, corners in light grey, glyph two pixels right and down.
    check(img,
          {{5, 0, kBlack},
           {5, 1, kBlack},
           {0, 5, kBlack},
           {1, 5, kBlack},
           {32, 5, kBlack},
           {31, 5, kBlack},
           {5, 39, kBlack},
           {5, 38, kBlack},
           {0, 0, kLightGrey},
           {32, 39, kLightGrey},
           {1, 1, kBlack},
           {30, 20, kLightGrey}, // no white, no right or bottom shadow
           {29, 37, kLightGrey}},
          bevel);
    EXPECT_TRUE(glyphAt(img, {10, 14}, glyph(0, true))) << bevel;
  }
  check(draw(0, true), {{2, 20, kLightGrey}, {5, 2, kLightGrey}}, 0);
  check(draw(2, true),
        {{5, 2, kDarkGrey},
         {5, 3, kDarkGrey},
         {5, 4, kLightGrey},
         {30, 2, kDarkGrey},
         {2, 20, kDarkGrey},
         {3, 20, kDarkGrey},
         {4, 20, kLightGrey},
         {2, 37, kDarkGrey}},
        2);
  check(draw(10, true),
        {{11, 30, kDarkGrey}, {12, 30, kLightGrey}, {28, 11, kDarkGrey}, {28, 12, kLightGrey}}, 10);
}

TEST_F(BarPixels, DisabledButtonsShowTheirGreyedGlyphAndNeverMove) {
  const QImage off = draw(2, false, false);
  for (int k = 0; k < 9; ++k)
    EXPECT_TRUE(glyphAt(off, glyphOrigin(cellOf(k, 297, 40), false), glyph(k, false))) << k;
  // A disabled button drawn down keeps its glyph in place.
  const QImage downOff = draw(2, true, false);
  EXPECT_TRUE(glyphAt(downOff, {8, 12}, glyph(0, false)));
  // The column after cell 8 is not drawn.
  EXPECT_EQ(px(off, 296, 20), 0xff123456u);
  // The control's own Enabled false greys every glyph.
  ButtonStates all{};
  for (auto &s : all)
    s.enabled = true;
  QImage img(234, 33, QImage::Format_RGB32);
  drawBar(img, all, false, 2);
  for (int k = 0; k < 9; ++k)
    EXPECT_TRUE(glyphAt(img, glyphOrigin(cellOf(k, 234, 33), false), glyph(k, false))) << k;
}

TEST(BarGlyphs, EighteenDistinctPicturesNormalAndGreyed) {
  std::set<QByteArray> seen;
  for (int k = 0; k < 9; ++k)
    for (bool enabled : {true, false}) {
      const QImage &g = glyph(k, enabled);
      ASSERT_EQ(g.size(), QSize(16, 14));
      int ink = 0, strong = 0;
      for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 16; ++x) {
          const QRgb c = g.pixel(x, y) | 0xff000000;
          if (c != kLightGrey) ++ink;
          if (c == kBlack || c == 0xffff0000) ++strong;
        }
      EXPECT_GT(ink, 12) << k;
      if (!enabled) {
        EXPECT_EQ(strong, 0) << "greyed glyph " << k << " has black or red ink";
      }
      seen.insert(QByteArray(reinterpret_cast<const char *>(g.constBits()), g.sizeInBytes()));
    }
  EXPECT_EQ(seen.size(), 18u);
  EXPECT_EQ(toolboxPicture().size(), QSize(16, 15));
}

TEST(BarPrimitives, PolygonFillLeavesRightAndBottomEdges) {
  QImage img(10, 10, QImage::Format_RGB32);
  img.fill(kWhite);
  const QPoint square[] = {{2, 2}, {6, 2}, {6, 6}, {2, 6}};
  fillPolygon(img, square, kBlack);
  int filled = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      if (px(img, x, y) == kBlack) {
        ++filled;
        EXPECT_TRUE(x >= 2 && x < 6 && y >= 2 && y < 6) << x << "," << y;
      }
  EXPECT_EQ(filled, 16);
  // A polygon with no area paints nothing; drawing past the image is clipped.
  const QPoint flat[] = {{1, 1}, {8, 1}, {1, 1}};
  fillPolygon(img, flat, kDarkGrey);
  const QPoint outside[] = {{-5, -5}, {20, -5}, {20, 20}};
  fillPolygon(img, outside, kDarkGrey);
  EXPECT_EQ(px(img, 5, 1), kDarkGrey);
}

} // namespace
} // namespace dorrin::zelomm
