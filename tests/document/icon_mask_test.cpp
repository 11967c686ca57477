// The per-pixel icon mask rules give what the block operations give on whole
// surfaces, so the file code may use either.
#include "document/icon_mask.h"

#include <gtest/gtest.h>

#include <random>

#include "document/pixel_helpers.h"

namespace gs {
namespace {

Surface Sample(unsigned seed) {
  std::mt19937 rng(seed);
  const Color specials[] = {kWhite, kBlack, RGB(254, 255, 255), RGB(255, 255, 254), RGB(0, 0, 1)};
  Surface s(32, 32);
  for (Color& c : s.Pixels()) c = rng() % 3 == 0 ? specials[rng() % 5] : (rng() & 0xFFFFFF);
  return s;
}

TEST(IconMaskRules, AgreeWithTheBlockOperations) {
  for (unsigned seed = 0; seed < 20; ++seed) {
    const Surface doc = Sample(seed);
    Surface mono(32, 32, Depth::Mono);
    ASSERT_TRUE(MakeColorMask(doc, Area{0, 0, 32, 32}, mono, kWhite));
    Surface working(32, 32);
    ASSERT_TRUE(ReplaceColorInRect(doc, Area{0, 0, 32, 32}, kWhite, kBlack, working));
    // Reading back: the mask as an image (white where set) over the stored colours.
    const Surface readBack = Sample(seed + 100);
    Surface maskImage(32, 32);
    for (int i = 0; i < 1024; ++i)
      maskImage.Pixels()[i] = readBack.Pixels()[i] & 1 ? kWhite : kBlack;
    Surface stored = readBack;
    ASSERT_TRUE(MaskedCopy(maskImage, Area{0, 0, 32, 32}, kBlack, stored, stored));
    for (int i = 0; i < 1024; ++i) {
      const int x = i % 32, y = i / 32;
      ASSERT_EQ(IsMaskedOut(doc.Pixels()[i]), mono.GetPixel(x, y) == kWhite) << x << "," << y;
      ASSERT_EQ(WorkingColor(doc.Pixels()[i]), working.Pixels()[i]) << x << "," << y;
      ASSERT_EQ(MaskedPixel(readBack.Pixels()[i], maskImage.Pixels()[i] == kWhite),
                stored.Pixels()[i])
          << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace gs
