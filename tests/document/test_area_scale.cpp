#include <gtest/gtest.h>

#include <climits>

#include "document/area_scale.h"

namespace gs {
namespace {

Surface Pattern(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.SetPixelV(x, y, RGB(x * 7 % 256, y * 5 % 256, (x ^ y) % 256));
  return s;
}

TEST(AreaScale, SameSizeIsIdentityAndNegativeWidthMirrorsFromItsOrigin) {
  const Surface src = Pattern(32, 32);
  Surface same(32, 32);
  AreaScaleCopy(same, Area{0, 0, 32, 32}, ViewOf(src), Area{0, 0, 32, 32});
  EXPECT_EQ(same.Pixels(), src.Pixels());

  Surface mirrored(32, 32);
  AreaScaleCopy(mirrored, Area{31, 0, -32, 32}, ViewOf(src), Area{0, 0, 32, 32});
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(mirrored.GetPixel(x, y), src.GetPixel(31 - x, y)) << x << "," << y;
}

TEST(AreaScale, HalvingAveragesEachTwoByTwoBlockWithHalvesToEven) {
  Surface src(64, 64);
  src.FillRect({0, 0, 64, 64}, kWhite);
  // One block: 0, 255, 0, 255 in red -> 127.5 -> 128; green 1,2,1,2 -> 1.5 -> 2.
  src.SetPixelV(0, 0, RGB(0, 1, 0));
  src.SetPixelV(1, 0, RGB(255, 2, 0));
  src.SetPixelV(0, 1, RGB(0, 1, 0));
  src.SetPixelV(1, 1, RGB(255, 2, 0));
  Surface out(32, 32);
  AreaScaleCopy(out, Area{0, 0, 32, 32}, ViewOf(src), Area{0, 0, 64, 64});
  EXPECT_EQ(out.GetPixel(0, 0), RGB(128, 2, 0));
  EXPECT_EQ(out.GetPixel(1, 0), kWhite);
  EXPECT_EQ(out.GetPixel(31, 31), kWhite);
}

TEST(AreaScale, ClipsToTheDestinationAndIgnoresEmptyOrHugeExtents) {
  const Surface src = Pattern(32, 32);
  Surface out(32, 32);
  out.FillRect({0, 0, 32, 32}, kWhite);
  AreaScaleCopy(out, Area{8, 8, 16, 16}, ViewOf(src), Area{0, 0, 32, 32});
  EXPECT_EQ(out.GetPixel(7, 7), kWhite);
  EXPECT_EQ(out.GetPixel(24, 24), kWhite);
  EXPECT_NE(out.GetPixel(8, 8), kWhite);

  Surface untouched(32, 32);
  untouched.FillRect({0, 0, 32, 32}, kWhite);
  AreaScaleCopy(untouched, Area{0, 0, 0, 32}, ViewOf(src), Area{0, 0, 32, 32});
  AreaScaleCopy(untouched, Area{40, 0, 32, 32}, ViewOf(src), Area{0, 0, 32, 32});
  for (Color c : untouched.Pixels()) ASSERT_EQ(c, kWhite);

  // Extents at the ends of the int range compute only the clipped pixels.
  Surface big(32, 32);
  AreaScaleCopy(big, Area{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, ViewOf(src),
                Area{0, 0, INT_MAX, -INT_MAX});
  AreaScaleCopy(big, Area{0, 0, INT_MAX, INT_MAX}, ViewOf(src), Area{INT_MIN, INT_MIN, 32, 32});
  AreaScaleCopy(big, Area{0, 0, 32, 32}, ViewOf(src), Area{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  AreaScaleCopy(big, Area{0, 0, 32, 32}, ViewOf(src), Area{0, 0, INT_MAX, INT_MAX});
}

TEST(AreaScale, EnlargingInterpolatesBetweenCentres) {
  Surface src(2, 1);
  src.SetPixelV(0, 0, RGB(0, 0, 0));
  src.SetPixelV(1, 0, RGB(200, 0, 0));
  Surface out(4, 1);
  AreaScaleCopy(out, Area{0, 0, 4, 1}, ViewOf(src), Area{0, 0, 2, 1});
  EXPECT_EQ(out.GetPixel(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(out.GetPixel(1, 0), RGB(50, 0, 0));
  EXPECT_EQ(out.GetPixel(2, 0), RGB(150, 0, 0));
  EXPECT_EQ(out.GetPixel(3, 0), RGB(200, 0, 0));
}

}  // namespace
}  // namespace gs
