#include <gtest/gtest.h>

#include "document/surface.h"
#include "tests/support/pixel_art.h"

namespace gs {
namespace {

using test::Lines;
using test::Picture;

constexpr Color kRed = RGB(255, 0, 0);
constexpr Color kBlue = RGB(0, 0, 255);

Surface White(int w, int h) {
  Surface s(w, h);
  s.FillRect({0, 0, w, h}, kWhite);
  return s;
}

TEST(SurfacePixels, OutOfRangeReadsAreInvalidAndWritesIgnored) {
  Surface s = White(32, 32);
  EXPECT_EQ(s.GetPixel(-1, 0), kInvalidColor);
  EXPECT_EQ(s.GetPixel(0, 32), kInvalidColor);
  EXPECT_EQ(s.GetPixel(32, 31), kInvalidColor);
  s.SetPixelV(32, 0, kBlack);
  s.SetPixelV(-1, -1, kBlack);
  for (Color c : s.Pixels()) ASSERT_EQ(c, kWhite);
  s.SetPixelV(31, 31, kRed);
  EXPECT_EQ(s.GetPixel(31, 31), kRed);
}

TEST(SurfaceFill, FillAndInvertExcludeRightAndBottom) {
  Surface s = White(6, 4);
  s.FillRect({1, 1, 3, 3}, kBlack);
  EXPECT_EQ(Picture(s, s.Bounds()), Lines({"......", ".##...", ".##...", "......"}));
  s.InvertRect({2, 0, 8, 2});  // clipped at the right edge
  EXPECT_EQ(Picture(s, s.Bounds()), Lines({"..####", ".#.###", ".##...", "......"}));
  s.FillRect({0, 0, 6, 4}, Brush::Hollow());
  EXPECT_EQ(s.GetPixel(0, 0), kWhite);
}

TEST(SurfaceLine, EndPointIsLeftOut) {
  Surface s = White(8, 8);
  s.SelectPen(Pen::Solid(1, kBlack));
  s.MoveToEx(2, 2);
  s.LineTo(5, 5);
  EXPECT_EQ(Picture(s, {0, 0, 7, 7}),
            Lines({".......", ".......", "..#....", "...#...", "....#..", ".......", "......."}));
  EXPECT_EQ(s.CurrentPosition(), (Point{5, 5}));
  // Reversed horizontal: from (5, 1) back to (1, 1) covers x = 2..5.
  s.MoveToEx(5, 1);
  s.LineTo(1, 1);
  EXPECT_EQ(Picture(s, {0, 1, 7, 2}), Lines({"..####."}));
}

TEST(SurfaceLine, NullPenMovesWithoutDrawingAndWidePenIsRoundAndCentred) {
  Surface s = White(12, 12);
  s.SelectPen(Pen::None());
  s.MoveToEx(0, 0);
  s.LineTo(11, 11);
  for (Color c : s.Pixels()) ASSERT_EQ(c, kWhite);
  EXPECT_EQ(s.CurrentPosition(), (Point{11, 11}));

  s.SelectPen(Pen::Solid(3, kBlack));
  s.MoveToEx(3, 5);
  s.LineTo(8, 5);
  // Three rows thick, centred on row 5, both ends included.
  EXPECT_EQ(Picture(s, {0, 3, 12, 8}), Lines({"............", "..########..", "..########..",
                                              "..########..", "............"}));
}

TEST(SurfaceLine, FarEndpointsAreClippedNotWalkedForever) {
  Surface s = White(32, 32);
  s.SelectPen(Pen::Solid(1, kBlack));
  s.MoveToEx(-2000000000, 5);
  s.LineTo(2000000000, 5);
  s.MoveToEx(0, 0);
  s.LineTo(100000, 0);
  EXPECT_EQ(s.GetPixel(31, 0), kBlack);
}

TEST(SurfaceFigures, RectangleOutlineAndInteriorInsideTheBox) {
  Surface s = White(7, 6);
  s.SelectPen(Pen::Solid(1, kBlack));
  s.SelectBrush(Brush::Solid(kRed));
  s.Rectangle(5, 4, 1, 0);  // corners in any order
  EXPECT_EQ(Picture(s, s.Bounds(), {{kRed, 'r'}}),
            Lines({".####..", ".#rr#..", ".#rr#..", ".####..", ".......", "......."}));
}

TEST(SurfaceFigures, SinglePixelBoxAndNullPenFillTheWholeBox) {
  Surface s = White(5, 5);
  s.SelectPen(Pen::Solid(1, kBlack));
  s.SelectBrush(Brush::Hollow());
  s.Rectangle(2, 2, 3, 3);
  EXPECT_EQ(Picture(s, s.Bounds()), Lines({".....", ".....", "..#..", ".....", "....."}));
  s.SelectPen(Pen::None());
  s.SelectBrush(Brush::Solid(kBlue));
  s.Rectangle(0, 0, 2, 2);
  EXPECT_EQ(s.GetPixel(1, 1), kBlue);
  EXPECT_EQ(s.GetPixel(0, 0), kBlue);
  EXPECT_EQ(s.GetPixel(2, 2), kBlack);
  s.Rectangle(4, 4, 4, 5);  // empty box: nothing
  EXPECT_EQ(s.GetPixel(4, 4), kWhite);
}

TEST(SurfaceFigures, EllipseStaysInItsBoxAndIsSymmetric) {
  Surface s = White(12, 10);
  s.SelectPen(Pen::Solid(1, kBlack));
  s.SelectBrush(Brush::Solid(kRed));
  s.Ellipse(1, 1, 11, 8);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inBox = x >= 1 && x < 11 && y >= 1 && y < 8;
      if (!inBox) {
        ASSERT_EQ(s.GetPixel(x, y), kWhite) << x << "," << y;
      }
      ASSERT_EQ(s.GetPixel(x, y), s.GetPixel(11 - x, y)) << "mirror x at " << x << "," << y;
      if (inBox) {
        ASSERT_EQ(s.GetPixel(x, y), s.GetPixel(x, 8 - y)) << "mirror y at " << x << "," << y;
      }
    }
  // Touches all four sides of the box, corners stay clear.
  EXPECT_EQ(s.GetPixel(5, 1), kBlack);
  EXPECT_EQ(s.GetPixel(1, 4), kBlack);
  EXPECT_EQ(s.GetPixel(10, 4), kBlack);
  EXPECT_EQ(s.GetPixel(5, 7), kBlack);
  EXPECT_EQ(s.GetPixel(1, 1), kWhite);
  EXPECT_EQ(s.GetPixel(5, 4), kRed);
}

TEST(SurfaceFigures, RoundRectCutsOnlyTheCorners) {
  Surface s = White(32, 32);
  s.SelectPen(Pen::Solid(1, kBlack));
  s.SelectBrush(Brush::Hollow());
  s.RoundRect(0, 0, 20, 16, 10, 10);
  EXPECT_EQ(s.GetPixel(0, 0), kWhite);
  EXPECT_EQ(s.GetPixel(19, 15), kWhite);
  EXPECT_EQ(s.GetPixel(10, 0), kBlack);   // straight top edge
  EXPECT_EQ(s.GetPixel(0, 8), kBlack);    // straight left edge
  EXPECT_EQ(s.GetPixel(19, 8), kBlack);   // right edge is x = 19
  EXPECT_EQ(s.GetPixel(10, 15), kBlack);  // bottom edge is y = 15
  EXPECT_EQ(s.GetPixel(10, 8), kWhite);   // hollow
  EXPECT_EQ(s.GetPixel(20, 8), kWhite);
}

TEST(SurfaceFlood, FourConnectedOnlyAndNeverThroughADiagonal) {
  Surface s = White(6, 6);
  // A diagonal wall: pixels touch at corners only, so the fill must not leak.
  for (int i = 0; i < 6; ++i) s.SetPixelV(i, 5 - i, kBlack);
  s.SelectBrush(Brush::Solid(kRed));
  EXPECT_TRUE(s.ExtFloodFill(0, 0, kWhite));
  EXPECT_EQ(Picture(s, s.Bounds(), {{kRed, 'r'}}),
            Lines({"rrrrr#", "rrrr#.", "rrr#..", "rr#...", "r#....", "#....."}));
}

TEST(SurfaceFlood, SeedOfAnotherColourOrOutsideFillsNothing) {
  Surface s = White(4, 4);
  s.SelectBrush(Brush::Solid(kRed));
  EXPECT_FALSE(s.ExtFloodFill(1, 1, kBlack));
  EXPECT_FALSE(s.ExtFloodFill(4, 0, kWhite));
  EXPECT_FALSE(s.ExtFloodFill(-1, 0, kWhite));
  for (Color c : s.Pixels()) ASSERT_EQ(c, kWhite);
  s.SelectBrush(Brush::Solid(kWhite));  // same colour: terminates, no change
  EXPECT_TRUE(s.ExtFloodFill(0, 0, kWhite));
  s.SelectBrush(Brush::Solid(kRed));
  EXPECT_TRUE(s.ExtFloodFill(3, 3, kWhite));
  for (Color c : s.Pixels()) ASSERT_EQ(c, kRed);
}

TEST(SurfaceBlit, CopiesClipAtEveryEdge) {
  Surface src(4, 4);
  src.FillRect({0, 0, 4, 4}, kRed);
  for (Point at : {Point{-2, -2}, Point{30, -2}, Point{-2, 30}, Point{30, 30}}) {
    Surface dst = White(32, 32);
    BitBlt(dst, Area{at.x, at.y, 4, 4}, src, Point{0, 0});
    int red = 0;
    for (Color c : dst.Pixels()) red += c == kRed;
    EXPECT_EQ(red, 4) << "at " << at.x << "," << at.y;
  }
  // Source origin outside the source copies only what exists.
  Surface dst = White(8, 8);
  BitBlt(dst, Area{0, 0, 4, 4}, src, Point{2, 2});
  EXPECT_EQ(dst.GetPixel(1, 1), kRed);
  EXPECT_EQ(dst.GetPixel(2, 2), kWhite);
}

TEST(SurfaceBlit, AndOrAndOverlappingCopyWithinOneSurface) {
  Surface a(1, 1), b(1, 1);
  a.SetPixelV(0, 0, RGB(0xF0, 0x0F, 0xFF));
  b.SetPixelV(0, 0, RGB(0x3C, 0x3C, 0x00));
  Surface d = a;
  BitBlt(d, Area{0, 0, 1, 1}, b, Point{0, 0}, Rop::SrcAnd);
  EXPECT_EQ(d.GetPixel(0, 0), RGB(0x30, 0x0C, 0x00));
  d = a;
  BitBlt(d, Area{0, 0, 1, 1}, b, Point{0, 0}, Rop::SrcPaint);
  EXPECT_EQ(d.GetPixel(0, 0), RGB(0xFC, 0x3F, 0xFF));

  Surface s = White(6, 1);
  s.SetPixelV(0, 0, kBlack);
  s.SetPixelV(1, 0, kRed);
  BitBlt(s, Area{1, 0, 3, 1}, s, Point{0, 0});
  EXPECT_EQ(Picture(s, s.Bounds(), {{kRed, 'r'}}), Lines({"##r..."}));
}

TEST(SurfaceBlit, MonoMeetsColourByBackgroundAndTextColours) {
  Surface colour = White(3, 1);
  colour.SetPixelV(0, 0, kRed);
  colour.SetPixelV(2, 0, kBlue);
  colour.bkColor = kRed;
  Surface mono(3, 1, Depth::Mono);
  BitBlt(mono, Area{0, 0, 3, 1}, colour, Point{0, 0});
  EXPECT_EQ(Picture(mono, mono.Bounds()), Lines({".##"}));  // 1 only where equal to bkColor

  Surface back(3, 1);
  back.FillRect({0, 0, 3, 1}, kBlue);
  BitBlt(back, Area{0, 0, 3, 1}, mono, Point{0, 0}, Rop::SrcAnd);  // 1 expands to white, 0 to black
  EXPECT_EQ(Picture(back, back.Bounds(), {{kBlue, 'b'}}), Lines({"b##"}));

  Surface tinted(3, 1);
  tinted.bkColor = kRed;
  tinted.textColor = kBlue;
  BitBlt(tinted, Area{0, 0, 3, 1}, mono, Point{0, 0});
  EXPECT_EQ(Picture(tinted, tinted.Bounds(), {{kRed, 'r'}, {kBlue, 'b'}}), Lines({"rbb"}));
}

TEST(SurfaceStretch, NegativeExtentsFlip) {
  Surface src = White(2, 2);
  src.SetPixelV(0, 0, kBlack);  // top-left marker
  Surface dst = White(4, 4);
  StretchBlt(dst, Area{0, 0, 4, 4}, src, Area{0, 0, 2, 2});
  EXPECT_EQ(Picture(dst, dst.Bounds()), Lines({"##..", "##..", "....", "...."}));
  dst = White(2, 2);
  StretchBlt(dst, Area{0, 0, 2, 2}, src, Area{0, 2, 2, -2});  // bottom-up source
  EXPECT_EQ(Picture(dst, dst.Bounds()), Lines({"..", "#."}));
  dst = White(2, 2);
  StretchBlt(dst, Area{2, 0, -2, 2}, src, Area{0, 0, 2, 2});  // mirrored destination
  EXPECT_EQ(Picture(dst, dst.Bounds()), Lines({".#", ".."}));
}

TEST(SurfaceArea, OfARectKeepsItsCornerAndSignedSize) {
  Surface src(32, 32);
  src.FillRect(src.Bounds(), kRed);
  struct Case {
    Rect r;
    Area a;
    int copied;  // red pixels a block copy onto that area leaves
  } cases[] = {
      {{1, 2, 5, 7}, {1, 2, 4, 5}, 20},
      {{0, 0, 0, 0}, {0, 0, 0, 0}, 0},
      {{5, 5, 2, 3}, {5, 5, -3, -2}, 0},  // corners the wrong way round
      {{-2, 30, 3, 40}, {-2, 30, 5, 10}, 6},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Area::Of(c.r), c.a) << c.r.left << "," << c.r.top;
    Surface dst = White(32, 32);
    BitBlt(dst, Area::Of(c.r), src, Point{0, 0});
    int red = 0;
    for (Color p : dst.Pixels()) red += p == kRed;
    EXPECT_EQ(red, c.copied) << c.r.left << "," << c.r.top;
  }
}

TEST(SurfaceState, SelectingReturnsThePreviousObject) {
  Surface s(1, 1);
  const Pen first = s.SelectPen(Pen::Solid(3, kRed));
  EXPECT_EQ(first.width, 1);
  const Pen second = s.SelectPen(first);
  EXPECT_EQ(second.width, 3);
  EXPECT_EQ(second.color, kRed);
  const Brush b = s.SelectBrush(Brush::Hollow());
  EXPECT_EQ(b.style, BrushStyle::Solid);
}

}  // namespace
}  // namespace gs
