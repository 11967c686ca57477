// The writer's fast paths against the plain searches they stand in for: the
// box tables of the standard colours over every 24-bit colour, and the
// Extreme palette's search on a miss over pictures full of near ties.
#include <gtest/gtest.h>

#include "files/depth.h"
#include "files/palette_methods.h"

namespace gs {
namespace {

int IndexAt(const DepthImage& img, int n) {
  const std::uint8_t b = img.block[n * img.bitCount / 8];
  return img.bitCount == 8 ? b : n % 2 ? b & 0x0F : b >> 4;
}

TEST(DepthLookup, EveryColourGetsTheNearestStandardIndex) {
  std::array<Color, 1024> pixels;
  for (int bits : {4, 8}) {
    for (Color first = 0; first < (1u << 24); first += 1024) {
      for (int n = 0; n < 1024; ++n) pixels[n] = first + n;
      const DepthImage img = ConvertPixelsToDepth(pixels, bits, RowOrder::TopDown);
      for (int n = 0; n < 1024; ++n)
        ASSERT_EQ(IndexAt(img, n), NearestStandardIndex(bits, pixels[n]))
            << bits << " bits, colour " << std::hex << pixels[n];
    }
  }
}

TEST(SampledPalette, EveryMissGetsTheFullSearchsAnswer) {
  // Channels on coarse steps make many equal distances (crossed measure and
  // index decide); wide ones make far misses; 1200 colours overflow the table.
  struct Case {
    int step, levels;
    std::uint32_t seed;
  } cases[] = {{1, 256, 1}, {5, 12, 2}, {10, 8, 3}, {51, 6, 4}, {3, 40, 5}, {17, 16, 6}};
  for (const Case& c : cases) {
    std::uint32_t s = c.seed;
    auto next = [&] { return (s = s * 1664525u + 1013904223u) >> 8; };
    std::array<Color, 1024> pixels;
    for (Color& p : pixels)
      p = RGB(next() % c.levels * c.step % 256, next() % c.levels * c.step % 256,
              next() % c.levels * c.step % 256);
    const DepthImage img = BuildSampledPalette(pixels);
    for (int n = 0; n < 1024; ++n) {
      const Color p = pixels[n];
      ASSERT_EQ(img.block[(31 - n / 32) * 32 + n % 32],
                NearestPaletteIndex(img.table, RedOf(p), GreenOf(p), BlueOf(p)))
          << "step " << c.step << ", pixel " << n;
    }
  }
}

// A miss whose nearest entry is exactly 255 away: byte distances saturate
// there, so a farther entry (red, 510 away) must not tie with it.
TEST(SampledPalette, MissAtDistance255KeepsTheNearest) {
  std::array<Color, 1024> pixels;
  pixels.fill(RGB(0, 255, 0));  // never sampled: the table fills first
  pixels[0] = kBlack;
  pixels[4] = RGB(255, 0, 0);
  for (int k = 2; k < 256; ++k) pixels[4 * k] = RGB(k, 0, 1);
  const DepthImage img = BuildSampledPalette(pixels);
  ASSERT_EQ(img.table[0].red + img.table[0].green + img.table[0].blue, 0);
  EXPECT_EQ(NearestPaletteIndex(img.table, 0, 255, 0), 0);
  EXPECT_EQ(img.block[(31 - 0) * 32 + 1], 0) << "green beside black maps to black";
}

}  // namespace
}  // namespace gs
