#include "widgets/progress_bar.h"

#include <gtest/gtest.h>

#include <cmath>

namespace gs {
namespace {

TEST(Lighten, EndsAndTheSplashColours) {
  const Rgb splash{51, 94, 168};
  struct Case {
    Rgb in;
    int k;
    Rgb out;
  } cases[] = {
      {splash, 0, splash},
      {splash, 255, {255, 255, 255}},
      {{0, 0, 0}, 255, {255, 255, 255}},
      {splash, 100, {131, 157, 202}},
      {splash, 180, {195, 207, 229}},
      {{255, 255, 255}, 100, {255, 255, 255}},
      {{0, 0, 0}, 10, {10, 10, 10}},
      {{1, 2, 3}, 300, {255, 255, 255}},  // held to 255
      {{1, 2, 3}, -5, {1, 2, 3}},         // held to 0
  };
  for (const Case& c : cases) {
    const Rgb got = Lighten(c.in, c.k);
    EXPECT_EQ(got, c.out) << c.in.r << "," << c.in.g << "," << c.in.b << " k=" << c.k << " gave "
                          << got.r << "," << got.g << "," << got.b;
  }
}

TEST(ProgressValue, SetAndReadBack) {
  struct Case {
    int min, max, set, percent, read;
  } cases[] = {
      {0, 100, 0, 0, 0},      {0, 100, 6, 6, 6},
      {0, 100, 96, 96, 96},   {0, 100, 102, 100, 100},  // a full bar, reads 100
      {0, 200, 101, 50, 100},                           // 50.5 rounds to the even 50
      {0, 200, 103, 52, 104},                           // 51.5 rounds to 52
      {0, 100, -3, 0, -3},    {0, 0, 50, 0, 0},         // no maximum: empty, no division by zero
  };
  for (const Case& c : cases) {
    ProgressValue v;
    v.SetMin(c.min);
    v.SetMax(c.max);
    v.SetValue(c.set);
    EXPECT_EQ(v.DrawnPercent(), c.percent) << "set " << c.set << " max " << c.max;
    EXPECT_EQ(v.Value(), c.read) << "set " << c.set << " max " << c.max;
  }
}

TEST(ProgressValue, SplashTicksPassNinetyNineOnTheSeventeenth) {
  ProgressValue v;
  int ticks = 0;
  double value = 0;
  while (true) {
    ++ticks;
    v.SetValue(static_cast<int>(std::nearbyint(value + 5.5)));
    value = v.Value();
    if (value > 99) break;
  }
  EXPECT_EQ(ticks, 17);
  EXPECT_EQ(v.Value(), 100);
}

TEST(Style3, FillFollowsThePercentage) {
  const Rgb c{51, 94, 168};
  struct Case {
    int percent;
    BarRect fill;
  } cases[] = {
      {0, {1, 1, 1, 1}},      // only the frame
      {1, {1, 1, 2, 8}},      // 2.17 -> 2
      {50, {1, 1, 108, 8}},   // 108.5 -> 108, the even neighbour
      {100, {1, 1, 217, 8}},  // covers the right frame column, as drawn after it
      {150, {1, 1, 217, 8}},
  };
  for (const Case& k : cases) {
    const Style3Layout s = LayoutStyle3(217, 9, k.percent, c);
    EXPECT_EQ(s.frame, (BarRect{0, 0, 217, 9}));
    EXPECT_EQ(s.fill, k.fill) << k.percent << "%: " << s.fill.left << "," << s.fill.top << "-"
                              << s.fill.right << "," << s.fill.bottom;
    EXPECT_EQ(s.frameColor, (Rgb{131, 157, 202}));
    EXPECT_EQ(s.fillColor, (Rgb{195, 207, 229}));
  }
  EXPECT_TRUE(LayoutStyle3(217, 9, 0, c).fill.Empty());
}

TEST(FillLength101, NeverReachesTheWholeWidth) {
  EXPECT_EQ(FillLength101(101, 100), 100);
  EXPECT_EQ(FillLength101(202, 50), 100);
  EXPECT_EQ(FillLength101(202, 0), 0);
  EXPECT_EQ(FillLength101(202, 200), 200);
}

}  // namespace
}  // namespace gs
