#include "files/palette_methods.h"

#include <cstdlib>
#include <vector>

namespace gs {

namespace {

DepthImage EmptyByteImage() {
  DepthImage img;
  img.bitCount = 8;
  img.block.assign(1024, 0);
  img.table.assign(256, PaletteEntry{});
  return img;
}

Color PixelOrBlack(const Surface& s, int x, int y) {
  const Color c = s.GetPixel(x, y);
  return c == kInvalidColor ? kBlack : c;
}

std::size_t BlockIndex(int x, int y) { return static_cast<std::size_t>(31 - y) * 32 + x; }

}  // namespace

DepthImage BuildExactPalette(const Surface& workingCopy) {
  DepthImage img = EmptyByteImage();
  std::vector<Color> seen;
  seen.reserve(1024);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const Color c = PixelOrBlack(workingCopy, x, y);
      std::size_t p = 0;
      while (p < seen.size() && seen[p] != c) ++p;
      if (p == seen.size()) {
        seen.push_back(c);
        if (p < 256) img.table[p] = PaletteEntry::FromColor(c);
      }
      // The 257th and later colours have no entry and keep index 0.
      if (p < 256) img.block[BlockIndex(x, y)] = static_cast<std::uint8_t>(p);
    }
  }
  return img;
}

DepthImage BuildSampledPalette(const Surface& workingCopy) {
  DepthImage img = EmptyByteImage();
  // Whole pixels in four interleaved passes, so every sample is a colour the
  // image really holds and the whole image is covered.
  std::size_t held = 0;
  for (int k = 0; k < 4 && held < 256; ++k) {
    for (int n = k; n < 1024 && held < 256; n += 4) {
      const PaletteEntry e = PaletteEntry::FromColor(PixelOrBlack(workingCopy, n % 32, n / 32));
      bool known = false;
      for (std::size_t i = 0; i < held && !known; ++i) known = img.table[i] == e;
      if (!known) img.table[held++] = e;
    }
  }
  for (int n = 0; n < 1024; ++n) {
    const int x = n % 32, y = n / 32;
    const Color c = PixelOrBlack(workingCopy, x, y);
    img.block[BlockIndex(x, y)] =
        static_cast<std::uint8_t>(NearestPaletteIndex(img.table, RedOf(c), GreenOf(c), BlueOf(c)));
  }
  return img;
}

int NearestPaletteIndex(std::span<const PaletteEntry> table, int red, int green, int blue) {
  int best = 0;
  int bestDistance = 1000;
  const int n = static_cast<int>(std::min<std::size_t>(table.size(), 256));
  for (int i = 0; i < n; ++i) {
    const PaletteEntry& e = table[i];
    const int d = std::abs(green - e.green) + std::abs(red - e.red) + std::abs(blue - e.blue);
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    } else if (d == bestDistance) {
      const PaletteEntry& b = table[best];
      const int crossedI =
          std::abs(green - e.red) + std::abs(blue - e.green) + std::abs(red - e.blue);
      const int crossedB =
          std::abs(green - b.red) + std::abs(blue - b.green) + std::abs(red - b.blue);
      if (crossedI < crossedB) best = i;
    }
  }
  return best;
}

}  // namespace gs
