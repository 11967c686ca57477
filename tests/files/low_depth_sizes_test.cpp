// Images of sizes other than 32 x 32, built byte by byte: the leftmost pixel
// is the highest bit (1-bit and the mask) or the high nibble (4-bit), rows are
// bottom-up and padded to four bytes, for widths that do not fill whole bytes
// as well as those that do.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "files/icon_image.h"

namespace gs {
namespace {

void Put16(std::vector<std::uint8_t>& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& b, int v) {
  Put16(b, v & 0xFFFF);
  Put16(b, (v >> 16) & 0xFFFF);
}

Color TableColor(int i) { return RGB(i * 16, 255 - i * 16, 3 * i); }

// An indexed icon image whose pixel (x, y), top row first, is index(x, y).
template <class Index>
std::vector<std::uint8_t> IndexedImage(int w, int h, int bits, Index index) {
  std::vector<std::uint8_t> b;
  Put32(b, 40);
  Put32(b, w);
  Put32(b, 2 * h);
  Put16(b, 1);
  Put16(b, bits);
  for (int i = 0; i < 6; ++i) Put32(b, 0);
  for (int i = 0; i < (1 << bits); ++i) {
    const Color c = TableColor(i);
    b.push_back(static_cast<std::uint8_t>(BlueOf(c)));
    b.push_back(static_cast<std::uint8_t>(GreenOf(c)));
    b.push_back(static_cast<std::uint8_t>(RedOf(c)));
    b.push_back(0);
  }
  const int stride = ((w * bits + 31) / 32) * 4;
  for (int y = h - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride), 0);
    for (int x = 0; x < w; ++x) {
      const int v = index(x, y);
      const int bit = x * bits;
      const int shift = 8 - bits - bit % 8;
      row[static_cast<std::size_t>(bit / 8)] |= static_cast<std::uint8_t>(v << shift);
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  const int maskStride = ((w + 31) / 32) * 4;
  b.insert(b.end(), static_cast<std::size_t>(maskStride * h), 0);  // all opaque
  return b;
}

TEST(LowDepthImages, BitAndNibbleOrderAtOtherSizes) {
  const struct {
    int w, h, bits;
  } cases[] = {
      {10, 3, 1}, {17, 5, 1}, {48, 2, 1}, {1, 1, 1}, {5, 3, 4}, {16, 16, 4}, {7, 1, 4}, {33, 2, 4},
  };
  for (const auto& c : cases) {
    const int levels = 1 << c.bits;
    // Neighbours differ, and no row repeats the one before it.
    const auto index = [&](int x, int y) { return (x * 3 + y * 5 + x / 3) % levels; };
    const std::vector<std::uint8_t> bytes = IndexedImage(c.w, c.h, c.bits, index);
    IconImage image;
    std::string problem;
    const std::string what = std::to_string(c.w) + " x " + std::to_string(c.h) + " at " +
                             std::to_string(c.bits) + " bits";
    ASSERT_TRUE(DecodeIconImageAtSize(bytes, image, problem)) << what << ": " << problem;
    ASSERT_EQ(image.width, c.w) << what;
    ASSERT_EQ(image.height, c.h) << what;
    std::string wrong;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        const Color got = image.colors[static_cast<std::size_t>(y * c.w + x)];
        if (got != TableColor(index(x, y)))
          wrong += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
      }
    EXPECT_EQ(wrong, "") << what << ": pixels with the wrong colour";
  }
}

// A 24-bit image of distinct colours under the mask `clear(x, y)`.
template <class Clear>
std::vector<std::uint8_t> MaskedRgbImage(int w, int h, Clear clear) {
  std::vector<std::uint8_t> b;
  Put32(b, 40);
  Put32(b, w);
  Put32(b, 2 * h);
  Put16(b, 1);
  Put16(b, 24);
  for (int i = 0; i < 6; ++i) Put32(b, 0);
  const int stride = ((w * 24 + 31) / 32) * 4, maskStride = ((w + 31) / 32) * 4;
  for (int y = h - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride), 0);
    for (int x = 0; x < w; ++x) {
      row[3 * x] = static_cast<std::uint8_t>(x);
      row[3 * x + 1] = static_cast<std::uint8_t>(y);
      row[3 * x + 2] = static_cast<std::uint8_t>(x * 7 + y);
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  for (int y = h - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
    for (int x = 0; x < w; ++x)
      if (clear(x, y)) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

// Rows mixing mask bytes that are all clear, all set and mixed, at widths
// on and off the byte and word boundaries; the colours' byte order too.
TEST(LowDepthImages, MaskAndColourBytesAtOtherWidths) {
  const auto clear = [](int x, int y) {
    switch (y % 4) {
      case 0:
        return false;
      case 1:
        return true;
      case 2:
        return x / 8 % 2 == 1;  // whole bytes alternate
      default:
        return (x + y) % 3 == 0;
    }
  };
  for (const int w : {1, 7, 8, 9, 15, 16, 17, 31, 32, 33, 40}) {
    const int h = 8;
    IconImage image;
    std::string problem;
    ASSERT_TRUE(DecodeIconImageAtSize(MaskedRgbImage(w, h, clear), image, problem)) << problem;
    std::string wrong;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::size_t i = static_cast<std::size_t>(y * w + x);
        const bool transparent = clear(x, y);
        const Color want = transparent ? kTransparent : RGB(x * 7 + y, y, x);
        if (image.colors[i] != want || image.alpha[i] != (transparent ? 0 : 255))
          wrong += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
      }
    EXPECT_EQ(wrong, "") << "width " << w << ": pixels with the wrong colour or alpha";
  }
}

TEST(LowDepthImages, RowDecodersReadTheHighBitsFirst) {
  Color table[256] = {};
  for (int i = 0; i < 16; ++i) table[i] = TableColor(i);
  const std::uint8_t ones[] = {0b10110000, 0b01000000};
  Color out1[10] = {};
  DecodeRow1(ones, 10, table, out1);
  const int want1[] = {1, 0, 1, 1, 0, 0, 0, 0, 0, 1};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(out1[x], table[want1[x]]) << "1-bit pixel " << x;
  const std::uint8_t nibbles[] = {0x1F, 0xA0};
  Color out4[3] = {};
  DecodeRow4(nibbles, 3, table, out4);
  EXPECT_EQ(out4[0], table[1]);
  EXPECT_EQ(out4[1], table[15]);
  EXPECT_EQ(out4[2], table[10]);
}

}  // namespace
// Sizes that divide 32 are blown up by whole pixels, each to a block of
// 32 / width by 32 / height.
TEST(LowDepthImages, SizesThatDivide32GrowByWholeBlocks) {
  for (const auto& [w, h] : {std::pair{16, 16}, {8, 4}, {32, 1}, {1, 32}, {2, 8}, {32, 32}}) {
    IconImage image;
    image.width = w;
    image.height = h;
    for (int i = 0; i < w * h; ++i) {
      image.colors.push_back(RGB(i % 251, i / 7 % 256, (i * 37) % 256));
      image.alpha.push_back(255);
    }
    Surface pixels(1, 1);
    std::array<std::uint8_t, 1024> alpha{};
    BringTo32(image, pixels, alpha);
    ASSERT_EQ(pixels.Width(), 32);
    std::string wrong;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const Color want = image.colors[static_cast<std::size_t>(y * h / 32 * w + x * w / 32)];
        if (pixels.GetPixel(x, y) != want || alpha[static_cast<std::size_t>(y * 32 + x)] != 255)
          wrong += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
      }
    EXPECT_EQ(wrong, "") << w << " x " << h;
  }
}

}  // namespace gs
