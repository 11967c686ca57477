// SSE2 speeds up the "Extreme" palette's nearest-entry search, sixteen
// entries at a time (PaletteSearch::NearestInRun); its plain twin is the
// loop in PaletteSearch::Nearest (built alone with GLYPHSMITH_NO_SIMD).
#include "files/palette_methods.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <vector>

#include "files/simd.h"

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
// does not depend on the order of the search, so any set of entries that
// holds every one within the best distance gives the same answer. The
// entries are sorted by the sum of their channels: an entry at distance d
// has a sum within d of the colour's, so a hint entry at distance h bounds
// the search to one run of the sorted entries, whose distances are taken 16
// at a time; the crossed measure is only needed among the nearest.
class PaletteSearch {
 public:
  explicit PaletteSearch(std::span<const PaletteEntry> table) : table_(table) {
    // A counting sort by sum (0..765).
    std::array<std::uint16_t, kSums + 1> count{};
    n_ = static_cast<int>(std::min<std::size_t>(table.size(), 256));
    for (int i = 0; i < n_; ++i) ++count[Sum(table[i]) + 1];
    for (int s = 0; s < kSums; ++s)
      count[s + 1] = static_cast<std::uint16_t>(count[s + 1] + count[s]);
    first_ = count;  // first_[s]: position of the first entry whose sum is s or more
    for (int i = 0; i < n_; ++i) {
      const int at = count[Sum(table[i])]++;
      red_[at] = table[i].red;
      green_[at] = table[i].green;
      blue_[at] = table[i].blue;
      index_[at] = static_cast<std::uint8_t>(i);
    }
  }

  // hints: any entries; the nearer the nearest of them is to the colour,
  // the shorter the run searched.
  int Nearest(int red, int green, int blue, std::initializer_list<int> hints) const {
    int bound = 1 << 30;
    for (int hint : hints) {
      const PaletteEntry& e = table_[hint];
      bound = std::min(bound,
                       std::abs(red - e.red) + std::abs(green - e.green) + std::abs(blue - e.blue));
    }
    const int sum = red + green + blue;
    const int lo = first_[std::max(sum - bound, 0)];
    const int hi = first_[std::min(sum + bound, kSums - 1) + 1];
#if GS_SSE2
    // Byte distances saturate at 255; below that they are exact, and the
    // hint itself (within the run) keeps the least below 255.
    if (bound < 255 && n_ >= 16) return NearestInRun(red, green, blue, lo, hi);
#endif
    int best = -1, bestDistance = 0, bestCrossed = 0;
    for (int at = lo; at < hi; ++at) {
      const int d =
          std::abs(red - red_[at]) + std::abs(green - green_[at]) + std::abs(blue - blue_[at]);
      if (best >= 0 && d > bestDistance) continue;
      const int crossed = Crossed(red, green, blue, at);
      if (best < 0 || d < bestDistance || crossed < bestCrossed ||
          (crossed == bestCrossed && index_[at] < best)) {
        best = index_[at];
        bestDistance = d;
        bestCrossed = crossed;
      }
    }
    return best;
  }

 private:
  static constexpr int kSums = 766;
  static int Sum(const PaletteEntry& e) { return e.red + e.green + e.blue; }
  int Crossed(int red, int green, int blue, int at) const {
    return std::abs(green - red_[at]) + std::abs(blue - green_[at]) + std::abs(red - blue_[at]);
  }

#if GS_SSE2
  int NearestInRun(int red, int green, int blue, int lo, int hi) const {
    const __m128i qr = _mm_set1_epi8(static_cast<char>(red));
    const __m128i qg = _mm_set1_epi8(static_cast<char>(green));
    const __m128i qb = _mm_set1_epi8(static_cast<char>(blue));
    auto absDiff = [](__m128i a, __m128i b) {
      return _mm_or_si128(_mm_subs_epu8(a, b), _mm_subs_epu8(b, a));
    };
    __m128i distances[16];
    std::array<int, 16> starts;
    int chunks = 0;
    __m128i least = _mm_set1_epi8(static_cast<char>(0xFF));
    // Chunks of 16 from lo; the last one is moved back to end within the
    // table (entries beyond the run only add to the set searched).
    for (int start = lo; start < hi; start += 16) {
      const int at = std::min(start, n_ - 16);
      auto load = [at](const std::array<std::uint8_t, 256>& a) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(a.data() + at));
      };
      const __m128i d =
          _mm_adds_epu8(_mm_adds_epu8(absDiff(load(red_), qr), absDiff(load(green_), qg)),
                        absDiff(load(blue_), qb));
      distances[chunks] = d;
      starts[chunks++] = at;
      least = _mm_min_epu8(least, d);
    }
    least = _mm_min_epu8(least, _mm_srli_si128(least, 8));
    least = _mm_min_epu8(least, _mm_srli_si128(least, 4));
    least = _mm_min_epu8(least, _mm_srli_si128(least, 2));
    least = _mm_min_epu8(least, _mm_srli_si128(least, 1));
    const __m128i nearest = _mm_set1_epi8(static_cast<char>(_mm_cvtsi128_si32(least) & 0xFF));
    int best = 256, bestCrossed = 1 << 30;
    for (int k = 0; k < chunks; ++k) {
      for (unsigned mask =
               static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(distances[k], nearest)));
           mask; mask &= mask - 1) {
        const int at = starts[k] + std::countr_zero(mask);
        const int crossed = Crossed(red, green, blue, at);
        if (crossed < bestCrossed || (crossed == bestCrossed && index_[at] < best)) {
          best = index_[at];
          bestCrossed = crossed;
        }
      }
    }
    return best;
  }
#endif

  std::span<const PaletteEntry> table_;
  int n_ = 0;
  std::array<std::uint16_t, kSums + 1> first_;
  std::array<std::uint8_t, 256> red_{}, green_{}, blue_{}, index_{};
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
  int lastMiss = 0;
  for (int n = 0; n < 1024; ++n) {
    const Color c = pixels[n];
    int index = answer.Find(c);
    if (index < 0) {
      if (!search) search = std::make_unique<PaletteSearch>(img.table);
      // Entries near the colour bound the search: the left and upper
      // neighbours' and the last miss's.
      const int left = n % 32 ? img.block[BlockIndex(n - 1)] : lastMiss;
      const int up = n >= 32 ? img.block[BlockIndex(n - 32)] : lastMiss;
      index = lastMiss = search->Nearest(RedOf(c), GreenOf(c), BlueOf(c), {left, up, lastMiss});
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
