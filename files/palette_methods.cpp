#include "files/palette_methods.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
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
// best distance.
class PaletteSearch {
 public:
  explicit PaletteSearch(std::span<const PaletteEntry> table) : table_(table) {
    order_.resize(table.size());
    for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = static_cast<std::uint16_t>(i);
    std::stable_sort(order_.begin(), order_.end(),
                     [&](int a, int b) { return Sum(table_[a]) < Sum(table_[b]); });
  }

  int Nearest(int red, int green, int blue) const {
    struct Key {
      int distance, crossed, index;
      bool operator<(const Key& o) const {
        return distance != o.distance ? distance < o.distance
               : crossed != o.crossed ? crossed < o.crossed
                                      : index < o.index;
      }
    };
    auto key = [&](int i) {
      const PaletteEntry& e = table_[i];
      return Key{std::abs(green - e.green) + std::abs(red - e.red) + std::abs(blue - e.blue),
                 std::abs(green - e.red) + std::abs(blue - e.green) + std::abs(red - e.blue), i};
    };
    const int sum = red + green + blue;
    const auto start = std::lower_bound(order_.begin(), order_.end(), sum, [&](int i, int v) {
      return Sum(table_[i]) < v;
    });
    Key best{1 << 30, 0, 0};
    auto below = start, above = start;
    bool down = below != order_.begin(), up = above != order_.end();
    while (down || up) {
      if (up) {
        const int i = *above;
        if (Sum(table_[i]) - sum > best.distance) {
          up = false;
        } else {
          best = std::min(best, key(i));
          up = ++above != order_.end();
        }
      }
      if (down) {
        const int i = *(below - 1);
        if (sum - Sum(table_[i]) > best.distance) {
          down = false;
        } else {
          best = std::min(best, key(i));
          down = --below != order_.begin();
        }
      }
    }
    return best.index;
  }

 private:
  static int Sum(const PaletteEntry& e) { return e.red + e.green + e.blue; }
  std::span<const PaletteEntry> table_;
  std::vector<std::uint16_t> order_;
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
  // Made on the first miss only (most icons have none).
  std::unique_ptr<PaletteSearch> search;
  for (int n = 0; n < 1024; ++n) {
    const Color c = pixels[n];
    int index = answer.Find(c);
    if (index < 0) {
      if (!search) search = std::make_unique<PaletteSearch>(img.table);
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
