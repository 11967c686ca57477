// The writer's bytes may not change when its inner workings do: a digest of
// every file written for several hundred pictures, at every depth and palette
// method, against the digests of the block-copy writer they replaced.
#include <gtest/gtest.h>

#include "files/icon_reader.h"
#include "files/icon_writer.h"

namespace gs {
namespace {

struct Lcg {
  std::uint32_t s;
  std::uint32_t Next() { return s = s * 1664525u + 1013904223u; }
};

// Pictures of every kind the palettes treat differently: few colours (exact
// hits), many (misses and the 257th colour), white sprinkled (the mask), grey
// ramps, and the plain extremes.
Surface GoldenPicture(int n) {
  Lcg r{static_cast<std::uint32_t>(n) * 2654435761u + 7};
  Surface s(32, 32);
  const int kind = n % 6;
  std::vector<Color> palette;
  const int colours = kind == 0 ? 4 : kind == 1 ? 40 : kind == 2 ? 255 : kind == 3 ? 600 : 0;
  for (int i = 0; i < colours; ++i) palette.push_back(r.Next() & 0xFFFFFF);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      Color c;
      if (kind == 4) {
        const int v = (x * 8 + y + n) % 256;
        c = RGB(v, v, (v + n) % 256);
      } else if (kind == 5) {
        c = n % 12 == 5 ? kWhite : n % 12 == 11 ? kBlack : r.Next() & 0xFFFFFF;
      } else {
        c = palette[r.Next() % palette.size()];
      }
      if (r.Next() % 9 == 0) c = kWhite;
      s.SetPixelV(x, y, c);
    }
  return s;
}

std::uint64_t Fnv(std::uint64_t h, std::span<const std::uint8_t> b) {
  for (std::uint8_t v : b) h = (h ^ v) * 1099511628211ull;
  return h;
}

TEST(WriterGolden, BytesAreThoseOfTheBlockCopyWriter) {
  struct Case {
    int bits;
    PaletteMethod method;
    std::uint64_t digest;
  } cases[] = {
      // 1 bit: planes 1 and bit count 1 in the directory entry.
      {1, PaletteMethod::None, 0xb893de82f9ad1b27ull},
      {4, PaletteMethod::None, 0xea79afff672c92c4ull},
      {8, PaletteMethod::None, 0xbdaa6584143864b6ull},
      {8, PaletteMethod::High, 0x85e9b5f35b6c2687ull},
      {8, PaletteMethod::Extreme, 0x4108121d264f7c6dull},
      // 24 bits: no colour table and colours used 0 (the four-space entry dropped).
      {24, PaletteMethod::None, 0x46fe5e1634a89ef3ull},
  };
  for (const Case& c : cases) {
    std::uint64_t h = 14695981039346656037ull;
    for (int n = 0; n < 300; ++n) h = Fnv(h, BuildIconBytes(GoldenPicture(n), c.bits, c.method));
    EXPECT_EQ(h, c.digest) << c.bits << " bits, method " << static_cast<int>(c.method);
  }
}

}  // namespace
}  // namespace gs
