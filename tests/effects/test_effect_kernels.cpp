// Pixel rules of the effects, one table per effect where the cases line up.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "effects/effect_kernels.h"

namespace gs {
namespace {

constexpr Color kRed = RGB(255, 0, 0);
constexpr Color kFill = RGB(1, 2, 3);

// Every pixel a different, non-white colour.
Surface Pattern() {
  Surface s(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) s.SetPixelV(x, y, RGB(x * 8, y * 8, (x * 3 + y) % 200));
  return s;
}

Surface Uniform(Color c) {
  Surface s(32, 32);
  s.FillRect(s.Bounds(), c);
  return s;
}

// First differing pixel, for readable failures.
std::string Diff(const Surface& a, const Surface& b) {
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y))
        return "first difference at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
  return "";
}

Selection Sel(int x1, int y1, int x2, int y2) {
  Selection s;
  s.active = true;
  s.X1 = x1, s.Y1 = y1, s.X2 = x2, s.Y2 = y2;
  return s;
}

TEST(Invert, ColoursInvertWhiteAndBlackBothEndWhiteOutsideUntouched) {
  Surface s = Uniform(kWhite);
  s.SetPixelV(0, 0, RGB(10, 20, 30));
  s.SetPixelV(1, 0, kBlack);
  s.SetPixelV(20, 20, kBlack);  // outside the rectangle below
  s.SetPixelV(21, 20, RGB(10, 20, 30));
  InvertColors(s, {0, 0, 10, 10});
  EXPECT_EQ(s.GetPixel(0, 0), RGB(245, 235, 225));
  EXPECT_EQ(s.GetPixel(1, 0), kWhite);
  EXPECT_EQ(s.GetPixel(2, 0), kWhite);
  EXPECT_EQ(s.GetPixel(20, 20), kBlack);
  EXPECT_EQ(s.GetPixel(21, 20), RGB(10, 20, 30));
  Surface white = Uniform(kWhite);
  InvertColors(white, {0, 0, 32, 32});
  EXPECT_EQ(Diff(white, Uniform(kWhite)), "");
}

TEST(ReplaceColour, Cases) {
  struct Case {
    const char* name;
    Color from, to;
    Color at00, at1010;  // (0, 0) is red, (10, 10) white; the rectangle is 0..8
  } cases[] = {
      {"red to black", kRed, kBlack, kBlack, kWhite},
      {"same colours", kRed, kRed, kRed, kWhite},
      {"white fills transparent only in rect", kWhite, kBlack, kRed, kWhite},
  };
  for (const Case& c : cases) {
    Surface s = Uniform(kWhite);
    s.SetPixelV(0, 0, kRed);
    ReplaceColor(s, {0, 0, 8, 8}, c.from, c.to);
    EXPECT_EQ(s.GetPixel(0, 0), c.at00) << c.name;
    EXPECT_EQ(s.GetPixel(10, 10), c.at1010) << c.name;
    if (c.from == kWhite) {
      EXPECT_EQ(s.GetPixel(1, 1), kBlack) << c.name;
    }
  }
}

TEST(Pixelate, RepliesGiveBlockSizes) {
  struct Case {
    const char* reply;
    std::optional<int> size;
  } cases[] = {{"2", 2},
               {"1", 1},
               {"2.5", 2},
               {"3.5", 4},
               {"7x", 7},
               {"  3", 3},
               {"32", 32},
               {"1e9", 32},
               {"99999999999", 32},
               {"", std::nullopt},
               {"abc", std::nullopt},
               {"0", std::nullopt},
               {"-4", std::nullopt},
               {"0.5", std::nullopt},
               {"0.4", std::nullopt},
               {"0.6", 1}};
  for (const Case& c : cases)
    EXPECT_EQ(PixelateBlockSize(c.reply), c.size) << '"' << c.reply << '"';
}

TEST(Pixelate, BlocksTakeTheirTopLeftPixel) {
  const Surface src = Pattern();
  struct Case {
    int n;
  } cases[] = {{1}, {2}, {3}, {5}, {7}, {32}, {1000}};
  for (const Case& c : cases) {
    Surface s = src;
    PixelateRect(s, Area{0, 0, 32, 32}, c.n, s);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const int bx = std::min(x / c.n * c.n, 31), by = std::min(y / c.n * c.n, 31);
        ASSERT_EQ(s.GetPixel(x, y), src.GetPixel(bx, by)) << "n=" << c.n << " at " << x << "," << y;
      }
  }
  // With 3 the last blocks start at 30 and are two pixels wide.
  Surface s = src;
  PixelateRect(s, Area{0, 0, 32, 32}, 3, s);
  EXPECT_EQ(s.GetPixel(31, 31), src.GetPixel(30, 30));
  EXPECT_EQ(s.GetPixel(29, 29), src.GetPixel(27, 27));
  Surface same = src;
  PixelateRect(same, Area{0, 0, 32, 32}, 0, same);
  EXPECT_EQ(Diff(same, src), "");
}

TEST(Pixelate, BlocksRunFromTheAreaOriginAndStayInsideIt) {
  const Surface src = Pattern();
  struct Case {
    Area area;
    int n;
  } cases[] = {
      {{3, 5, 10, 9}, 4},
      {{-5, -3, 20, 20}, 4},
      {{20, 20, 100, 100}, 5},
      {{-1, 0, INT_MAX, 40}, 3},
      {{4, 4, 0, 10}, 2},
      {{4, 4, -3, 5}, 2},
      {{INT_MIN, 2, INT_MAX, 8}, 7},
  };
  for (const Case& c : cases) {
    Surface s = src;
    PixelateRect(s, c.area, c.n, s);
    const long long left = c.area.x, top = c.area.y;
    const long long right = left + c.area.w, bottom = top + c.area.h;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        Color want = src.GetPixel(x, y);
        if (x >= left && x < right && y >= top && y < bottom) {
          // A block's colour is its top-left pixel, or its first pixel on the surface.
          const long long bx = std::max(left + (x - left) / c.n * c.n, std::max(left, 0LL));
          const long long by = std::max(top + (y - top) / c.n * c.n, std::max(top, 0LL));
          want = src.GetPixel(static_cast<int>(bx), static_cast<int>(by));
        }
        ASSERT_EQ(s.GetPixel(x, y), want)
            << c.area.x << "," << c.area.y << " n=" << c.n << " at " << x << "," << y;
      }
  }
}

TEST(Zigzag, CheckerboardFromTheCornerKeepsWhite) {
  struct Case {
    const char* name;
    Rect r;
    Point highlighted, kept;
  } cases[] = {
      {"whole icon", {0, 0, 32, 32}, {0, 0}, {1, 0}},
      {"selection from (3, 4)", {3, 4, 10, 10}, {3, 4}, {4, 4}},
      {"selection from (4, 4)", {4, 4, 10, 10}, {5, 5}, {5, 4}},
  };
  for (const Case& c : cases) {
    Surface s = Uniform(kRed);
    ZigzagRect(s, Area::Of(c.r), true, kWhite, kDefaultHighlight);
    EXPECT_EQ(s.GetPixel(c.highlighted.x, c.highlighted.y), kDefaultHighlight) << c.name;
    EXPECT_EQ(s.GetPixel(c.kept.x, c.kept.y), kRed) << c.name;
    if (c.r.left > 0) {
      EXPECT_EQ(s.GetPixel(c.r.left - 1, c.r.top - 1), kRed) << c.name;
    }
  }
  Surface white = Uniform(kWhite);
  ZigzagRect(white, Area{0, 0, 32, 32}, true, kWhite, kBlack);
  EXPECT_EQ(Diff(white, Uniform(kWhite)), "");
  ZigzagRect(white, Area{0, 0, 32, 32}, false, kWhite, kBlack);
  EXPECT_EQ(white.GetPixel(0, 0), kBlack);
  EXPECT_EQ(white.GetPixel(1, 0), kWhite);
  // Off-surface rectangles neither crash nor lose their anchor.
  Surface off = Uniform(kRed);
  ZigzagRect(off, Area{-1, 0, INT_MAX, 40}, true, kWhite, kBlack);
  EXPECT_EQ(off.GetPixel(0, 0), kRed);
  EXPECT_EQ(off.GetPixel(1, 0), kBlack);
}

TEST(MirrorAndQuarterTurns, PixelMaps) {
  const Surface src = Pattern();
  struct Case {
    const char* name;
    void (*apply)(Surface&);
    Point (*from)(int x, int y);  // result (x, y) = source from(x, y)
  } cases[] = {
      {"Horizontale", [](Surface& s) { Mirror(s, MirrorAxis::Horizontal); },
       [](int x, int y) {
         return Point{x, 31 - y};
       }},
      {"Verticale", [](Surface& s) { Mirror(s, MirrorAxis::Vertical); },
       [](int x, int y) {
         return Point{31 - x, y};
       }},
      {"90 clockwise", [](Surface& s) { RotateQuarter(s, 90); },
       [](int x, int y) {
         return Point{y, 31 - x};
       }},
      {"270", [](Surface& s) { RotateQuarter(s, 270); },
       [](int x, int y) {
         return Point{31 - y, x};
       }},
      {"180", [](Surface& s) { RotateQuarter(s, 180); },
       [](int x, int y) {
         return Point{31 - x, 31 - y};
       }},
      {"45 does nothing", [](Surface& s) { RotateQuarter(s, 45); },
       [](int x, int y) {
         return Point{x, y};
       }},
      {"-90 does nothing", [](Surface& s) { RotateQuarter(s, -90); },
       [](int x, int y) {
         return Point{x, y};
       }},
  };
  for (const Case& c : cases) {
    Surface s = src;
    c.apply(s);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const Point p = c.from(x, y);
        ASSERT_EQ(s.GetPixel(x, y), src.GetPixel(p.x, p.y)) << c.name << " at " << x << "," << y;
      }
  }
  // Where the top-left pixel goes.
  Surface s = src;
  RotateQuarter(s, 90);
  EXPECT_EQ(s.GetPixel(31, 0), src.GetPixel(0, 0));
  RotateQuarter(s, 270);
  EXPECT_EQ(Diff(s, src), "");
  for (int i = 0; i < 4; ++i) RotateQuarter(s, 90);
  EXPECT_EQ(Diff(s, src), "");
  Mirror(s, MirrorAxis::Vertical);
  Mirror(s, MirrorAxis::Vertical);
  EXPECT_EQ(Diff(s, src), "");
}

TEST(FreeRotation, AnglesThatReproduceTheIcon) {
  const Surface src = Pattern();
  for (double angle : {0.0001, 360.0, -360.0, 720.0}) {
    Surface s = src;
    RotateByAngle(s, angle, kFill);
    EXPECT_EQ(Diff(s, src), "") << angle;
  }
}

TEST(FreeRotation, NinetyIsNotTheQuarterTurn) {
  const Surface src = Pattern();
  Surface s = src;
  RotateByAngle(s, 90, kFill);
  for (int c = 0; c < 32; ++c) {
    EXPECT_EQ(s.GetPixel(0, c), kFill) << c;
    if (c >= 1) {
      EXPECT_EQ(s.GetPixel(1, c), src.GetPixel(c, 31)) << c;
      EXPECT_EQ(s.GetPixel(2, c), src.GetPixel(c, 31)) << c;
    }
  }
  Surface quarter = src;
  RotateQuarter(quarter, 90);
  EXPECT_NE(Diff(s, quarter), "");
}

TEST(FreeRotation, FillColourWhereNothingLands) {
  const Surface src = Pattern();
  Surface half = src;
  RotateByAngle(half, 180, kFill);
  for (int i = 0; i < 32; ++i) {
    EXPECT_EQ(half.GetPixel(i, 0), kFill) << i;
    EXPECT_EQ(half.GetPixel(0, i), kFill) << i;
  }
  // (1, 1) lands on (31, 31), then (2, 1) lands beside it and overwrites it.
  EXPECT_EQ(half.GetPixel(31, 31), src.GetPixel(2, 1));
  EXPECT_EQ(half.GetPixel(30, 30), src.GetPixel(3, 2));

  Surface diag = src;
  RotateByAngle(diag, 45, kWhite);
  for (Point p : {Point{0, 0}, Point{31, 0}, Point{0, 31}, Point{31, 31}})
    EXPECT_EQ(diag.GetPixel(p.x, p.y), kWhite) << p.x << "," << p.y;

  // Negative angles turn the other way: the top-centre column moves left.
  for (double angle : {30.0, -30.0}) {
    Surface marked = Uniform(kWhite);
    marked.FillRect({16, 0, 17, 8}, kRed);
    RotateByAngle(marked, angle, kWhite);
    int left = 0, right = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if (marked.GetPixel(x, y) == kRed) (x < 16 ? left : right)++;
    EXPECT_GT(angle > 0 ? right : left, 4) << angle;
    EXPECT_EQ(angle > 0 ? left : right, 0) << angle;
  }
}

TEST(FreeRotation, RepliesAndHugeAngles) {
  EXPECT_EQ(RotationAngle("0"), std::nullopt);
  EXPECT_EQ(RotationAngle(""), std::nullopt);
  EXPECT_EQ(RotationAngle("abc"), std::nullopt);
  EXPECT_EQ(RotationAngle(" 45deg"), 45.0);
  EXPECT_EQ(RotationAngle("-12.5"), -12.5);
  Surface s = Pattern();
  RotateByAngle(s, 1e300, kFill);  // any picture, but no crash and no stray write
  RotateByAngle(s, -1e300, kFill);
}

TEST(DuoTone, ChannelsAndTransparency) {
  struct Case {
    Color in, out;
  } cases[] = {{RGB(200, 100, 50), RGB(200, 0, 0)},
               {RGB(0, 255, 255), kBlack},
               {kBlack, kBlack},
               {kWhite, kWhite},
               {RGB(255, 255, 254), RGB(255, 0, 0)}};
  for (const Case& c : cases) {
    Surface s = Uniform(c.in);
    const Surface out = DuoTonePreview(s, Selection{}, kDuoToneRed);
    EXPECT_EQ(out.GetPixel(5, 5), c.out) << std::hex << c.in;
  }
  const Surface src = Pattern();
  const Surface out = DuoTonePreview(src, Sel(4, 4, 12, 12));
  int changed = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (out.GetPixel(x, y) != src.GetPixel(x, y)) {
        ++changed;
        EXPECT_TRUE(x >= 4 && x < 12 && y >= 4 && y < 12) << x << "," << y;
      }
  EXPECT_GT(changed, 50);
}

TEST(EarthQuake, Cases) {
  const Surface red = Uniform(kRed);
  const Surface src = Pattern();
  // n = 3 without wrap on red: white at the left of even rows, the right of odd rows.
  Surface out = EarthQuakePreview(red, Selection{}, 3, false);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool white = y % 2 == 0 ? x < 3 : x > 28;
      ASSERT_EQ(out.GetPixel(x, y), white ? kWhite : kRed) << x << "," << y;
    }
  out = EarthQuakePreview(src, Selection{}, 3, true);
  EXPECT_EQ(out.GetPixel(0, 0), src.GetPixel(29, 0));
  EXPECT_EQ(out.GetPixel(3, 0), src.GetPixel(0, 0));
  EXPECT_EQ(out.GetPixel(0, 1), src.GetPixel(3, 1));
  EXPECT_EQ(out.GetPixel(29, 1), src.GetPixel(0, 1));

  struct Same {
    const char* name;
    int n;
    bool wrap;
  } identity[] = {{"0", 0, false},
                  {"0 wrap", 0, true},
                  {"32 wrap", 32, true},
                  {"negative as 0", -5, false},
                  {"huge wrap as width", 70000, true}};
  for (const Same& c : identity)
    EXPECT_EQ(Diff(EarthQuakePreview(src, Selection{}, c.n, c.wrap), src), "") << c.name;
  EXPECT_EQ(Diff(EarthQuakePreview(src, Selection{}, 32, false), Uniform(kWhite)), "");

  // Selection (8, 8)-(16, 16), n = 2: only those pixels move; row 8 slides right.
  out = EarthQuakePreview(src, Sel(8, 8, 16, 16), 2, false);
  EXPECT_EQ(out.GetPixel(10, 8), src.GetPixel(8, 8));
  EXPECT_EQ(out.GetPixel(8, 8), kWhite);
  EXPECT_EQ(out.GetPixel(8, 9), src.GetPixel(10, 9));
  EXPECT_EQ(out.GetPixel(16, 8), src.GetPixel(16, 8));
  EXPECT_EQ(out.GetPixel(7, 9), src.GetPixel(7, 9));
  // Odd heights: the last (even) row shifts and nothing beyond the rectangle moves.
  out = EarthQuakePreview(src, Sel(0, 0, 32, 3), 1, false);
  EXPECT_EQ(out.GetPixel(1, 2), src.GetPixel(0, 2));
  EXPECT_EQ(out.GetPixel(0, 3), src.GetPixel(0, 3));
  // Empty and far-off rectangles.
  Surface dst = src;
  EXPECT_FALSE(EarthQuakeRect(src, Area{0, 0, 0, 32}, 3, dst, false));
  EXPECT_FALSE(EarthQuakeRect(src, Area{40, 40, 8, 8}, 3, dst, false));
  EXPECT_EQ(Diff(dst, src), "");
}

TEST(EarthQuake, IntensityTexts) {
  struct Case {
    const char* text;
    int n;
  } cases[] = {{"3", 3}, {"2.5", 2}, {"3.5", 4}, {"abc", 0},
               {"", 0},  {"-4", 0},  {"40", 32}, {"99999999999999", 32},
               {"7x", 7}};
  for (const Case& c : cases) EXPECT_EQ(EarthQuakeShift(c.text, 32), c.n) << c.text;
}

TEST(Resample, Cases) {
  const Surface src = Pattern();
  Surface out = ResampleIcon(src, Selection{}, ResampleBoxFromTexts("0", "0", "32", "32"));
  EXPECT_EQ(Diff(out, src), "");

  out = ResampleIcon(src, Selection{}, {31, 0, -32, 32});
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(out.GetPixel(x, y), src.GetPixel(31 - x, y));

  out = ResampleIcon(src, Selection{}, {8, 8, 16, 16});
  for (int i = 0; i < 32; ++i) {
    for (int k = 0; k < 8; ++k) {
      EXPECT_EQ(out.GetPixel(i, k), kWhite);
      EXPECT_EQ(out.GetPixel(k, i), kWhite);
      EXPECT_EQ(out.GetPixel(i, 31 - k), kWhite);
    }
  }
  EXPECT_NE(out.GetPixel(8, 8), kWhite);

  // (0, 0, 64, 64): the top-left quarter fills the icon.
  Surface block = Uniform(kWhite);
  block.FillRect({0, 0, 16, 16}, kRed);
  out = ResampleIcon(block, Selection{}, {0, 0, 64, 64});
  EXPECT_EQ(out.GetPixel(0, 0), kRed);
  EXPECT_EQ(out.GetPixel(30, 30), kRed);

  // A selection moves; its old place turns white.
  out = ResampleIcon(src, Sel(4, 4, 12, 12), {20, 20, 8, 8});
  EXPECT_EQ(out.GetPixel(20, 20), src.GetPixel(4, 4));
  EXPECT_EQ(out.GetPixel(27, 27), src.GetPixel(11, 11));
  EXPECT_EQ(out.GetPixel(4, 4), kWhite);
  EXPECT_EQ(out.GetPixel(0, 0), src.GetPixel(0, 0));

  out = ResampleIcon(src, Sel(4, 4, 12, 12), {4, 4, 0, 8});
  EXPECT_EQ(out.GetPixel(5, 5), kWhite);
  out = ResampleIcon(src, Selection{}, ResampleBoxFromTexts("zz", "-1e99", "1e99", "2147483648"));
  EXPECT_EQ(out.Width(), 32);

  const ResampleBox start = InitialResampleBox(Sel(4, 5, 12, 20));
  EXPECT_EQ(start.offX, 4);
  EXPECT_EQ(start.offY, 5);
  EXPECT_EQ(start.width, 8);
  EXPECT_EQ(start.height, 15);
  EXPECT_EQ(InitialResampleBox(Selection{}).width, 32);
}

}  // namespace
}  // namespace gs
