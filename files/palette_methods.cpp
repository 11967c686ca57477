#include "files/palette_methods.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
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

std::size_t BlockIndex(int n) { return static_cast<std::size_t>(31 - n / 32) * 32 + n % 32; }

// Colour -> small number, for at most 1024 colours: open addressing in twice
// that many slots, so a lookup is a probe or two instead of a walk of the list.
class ColorIndex {
 public:
  ColorIndex() { keys_.fill(kInvalidColor); }
  // The value stored for c, or -1.
  int Find(Color c) const {
    for (std::size_t i = Slot(c);; i = (i + 1) & kMask) {
      if (keys_[i] == c) return values_[i];
      if (keys_[i] == kInvalidColor) return -1;
    }
  }
  void Insert(Color c, int value) {
    std::size_t i = Slot(c);
    while (keys_[i] != kInvalidColor && keys_[i] != c) i = (i + 1) & kMask;
    keys_[i] = c;
    values_[i] = static_cast<std::uint16_t>(value);
  }

 private:
  static constexpr std::size_t kSlots = 2048, kMask = kSlots - 1;
  static std::size_t Slot(Color c) { return (c * 2654435761u) >> 21 & kMask; }
  std::array<Color, kSlots> keys_;
  std::array<std::uint16_t, kSlots> values_{};
};

// NearestPaletteIndex keeps the first entry of least distance unless a later
// one of the same distance has a strictly smaller crossed measure: its answer
// is the entry with the least (distance, crossed measure, index). That order
// does not depend on the order of the search, so the entries can be visited
// by the sum of their channels, outward from the colour's own, stopping where
// the difference of sums alone (never more than the distance) exceeds the
// best distance. The crossed measure is only needed on a tie of distances.
class PaletteSearch {
 public:
  explicit PaletteSearch(std::span<const PaletteEntry> table) {
    // A counting sort by sum (0..765), stable so equal sums keep index order.
    std::array<std::uint16_t, kSums + 1> count{};
    const int n = static_cast<int>(std::min<std::size_t>(table.size(), 256));
    for (int i = 0; i < n; ++i) ++count[Sum(table[i]) + 1];
    for (int s = 0; s < kSums; ++s) count[s + 1] = static_cast<std::uint16_t>(count[s + 1] + count[s]);
    first_ = count;  // first_[s]: position of the first entry whose sum is s or more
    size_ = n;
    for (int i = 0; i < n; ++i) {
      const int at = count[Sum(table[i])]++;
      red_[at] = table[i].red;
      green_[at] = table[i].green;
      blue_[at] = table[i].blue;
      sum_[at] = static_cast<std::int16_t>(Sum(table[i]));
      index_[at] = static_cast<std::uint8_t>(i);
    }
  }

  int Nearest(int red, int green, int blue) const {
    const int sum = red + green + blue;
    int bestDistance = 1 << 30, bestCrossed = 0, best = 0;
    auto visit = [&](int at) {
      const int d = std::abs(red - red_[at]) + std::abs(green - green_[at]) +
                    std::abs(blue - blue_[at]);
      if (d > bestDistance) return;
      const int crossed = std::abs(green - red_[at]) + std::abs(blue - green_[at]) +
                          std::abs(red - blue_[at]);
      if (d < bestDistance || crossed < bestCrossed ||
          (crossed == bestCrossed && index_[at] < best)) {
        bestDistance = d;
        bestCrossed = crossed;
        best = index_[at];
      }
    };
    int above = first_[sum], below = above - 1;
    bool up = above < size_, down = below >= 0;
    while (up || down) {
      if (up) {
        if (sum_[above] - sum > bestDistance) {
          up = false;
        } else {
          visit(above);
          up = ++above < size_;
        }
      }
      if (down) {
        if (sum - sum_[below] > bestDistance) {
          down = false;
        } else {
          visit(below);
          down = --below >= 0;
        }
      }
    }
    return best;
  }

 private:
  static constexpr int kSums = 766;
  static int Sum(const PaletteEntry& e) { return e.red + e.green + e.blue; }
  std::array<std::uint16_t, kSums + 1> first_;
  int size_ = 0;
  std::array<std::int16_t, 256> red_, green_, blue_, sum_;
  std::array<std::uint8_t, 256> index_;
};

}  // namespace

DepthImage BuildExactPalette(std::span<const Color, 1024> pixels) {
  DepthImage img = EmptyByteImage();
  ColorIndex seen;
  int distinct = 0;
  for (int n = 0; n < 1024; ++n) {
    const Color c = pixels[n];
    int p = seen.Find(c);
    if (p < 0) {
      p = distinct++;
      seen.Insert(c, p);
      if (p < 256) img.table[p] = PaletteEntry::FromColor(c);
    }
    // The 257th and later colours have no entry and keep index 0.
    if (p < 256) img.block[BlockIndex(n)] = static_cast<std::uint8_t>(p);
  }
  return img;
}

DepthImage BuildSampledPalette(std::span<const Color, 1024> pixels) {
  DepthImage img = EmptyByteImage();
  // Whole pixels in four interleaved passes, so every sample is a colour the
  // image really holds and the whole image is covered.
  ColorIndex answer;  // colour -> its index: first the exact entries, then each miss
  int held = 0;
  for (int k = 0; k < 4 && held < 256; ++k) {
    for (int n = k; n < 1024 && held < 256; n += 4) {
      const Color c = pixels[n];
      if (answer.Find(c) >= 0) continue;
      answer.Insert(c, held);
      img.table[held++] = PaletteEntry::FromColor(c);
    }
  }
  // Unfilled entries are black and take part: black not collected is found there.
  if (held < 256 && answer.Find(kBlack) < 0) answer.Insert(kBlack, held);
  // An exact colour's nearest entry is its lowest index (distance 0 and an
  // equal crossed measure keep the first); only a miss needs a search.
  std::optional<PaletteSearch> search;
  for (int n = 0; n < 1024; ++n) {
    const Color c = pixels[n];
    int index = answer.Find(c);
    if (index < 0) {
      if (!search) search.emplace(img.table);
      index = search->Nearest(RedOf(c), GreenOf(c), BlueOf(c));
      answer.Insert(c, index);
    }
    img.block[BlockIndex(n)] = static_cast<std::uint8_t>(index);
  }
  return img;
}

DepthImage BuildExactPalette(const Surface& workingCopy) {
  return BuildExactPalette(PixelsOf(workingCopy));
}

DepthImage BuildSampledPalette(const Surface& workingCopy) {
  return BuildSampledPalette(PixelsOf(workingCopy));
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
