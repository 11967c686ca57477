// SSE2 speeds up the depth conversions of the icon writer four pixels at a
// time: the box-table keys (BoxKeys), the 24-bit rows (StoreBgrRow) and the
// 1-bit rows (MonoByte); the plain twin of each is its #else branch or tail
// loop (built alone with GLYPHSMITH_NO_SIMD).
#include "files/depth.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstring>

#include "files/simd.h"

namespace gs {

// The searches the box tables stand in for, and fall back on.
int NearestClassicIndex(Color c);
int NearestByteIndex(Color c);

// Nearest of black and white: white exactly when the channels sum past half
// of 3 x 255 (the squared distances differ by 3 x 255^2 - 510 x sum).
constexpr int NearestMonoIndex(Color c) { return RedOf(c) + GreenOf(c) + BlueOf(c) > 382 ? 1 : 0; }

namespace {

#if __has_include("files/depth_lookup.inc") && !defined(GS_DEPTH_LOOKUP_GENERATOR)
#include "files/depth_lookup.inc"
constexpr bool kHaveLookup = true;
#else
// Builds without the generated tables (the generator itself) search every pixel.
constexpr int kClassicPairCount = 0, kBytePairCount = 0, kClassicIdBytes = 1, kByteIdBytes = 1;
constexpr unsigned char kClassicBoxes[1] = {}, kClassicMasks[1] = {}, kClassicPairs[1] = {};
constexpr unsigned char kByteBoxes[1] = {}, kByteMasks[1] = {}, kBytePairs[1] = {};
constexpr bool kHaveLookup = false;
#endif

constexpr PaletteEntry E(int r, int g, int b) {
  return {static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(r),
          0};
}

constexpr std::array<PaletteEntry, 2> kMonoTable = {E(0, 0, 0), E(255, 255, 255)};

constexpr std::array<PaletteEntry, 16> kClassicTable = {
    E(0, 0, 0),       E(128, 0, 0),   E(0, 128, 0),   E(128, 128, 0),
    E(0, 0, 128),     E(128, 0, 128), E(0, 128, 128), E(192, 192, 192),
    E(128, 128, 128), E(255, 0, 0),   E(0, 255, 0),   E(255, 255, 0),
    E(0, 0, 255),     E(255, 0, 255), E(0, 255, 255), E(255, 255, 255)};

// The 16 classic colours, a 6 x 6 x 6 cube (steps of 51) and 24 greys that
// neither of those holds (6, 16, ..., 236).
constexpr std::array<PaletteEntry, 256> MakeByteTable() {
  std::array<PaletteEntry, 256> t{};
  int n = 0;
  for (const PaletteEntry& e : kClassicTable) t[n++] = e;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) t[n++] = E(r * 51, g * 51, b * 51);
  for (int k = 0; k < 24; ++k) t[n++] = E(6 + 10 * k, 6 + 10 * k, 6 + 10 * k);
  return t;
}

constexpr std::array<PaletteEntry, 256> kByteTable = MakeByteTable();

// The tables as files store them, ready to copy.
template <std::size_t N>
constexpr std::array<std::uint8_t, 4 * N> FileBytes(const std::array<PaletteEntry, N>& table) {
  std::array<std::uint8_t, 4 * N> out{};
  for (std::size_t i = 0; i < N; ++i) {
    out[4 * i] = table[i].blue;
    out[4 * i + 1] = table[i].green;
    out[4 * i + 2] = table[i].red;
  }
  return out;
}
constexpr auto kMonoBytes = FileBytes(kMonoTable);
constexpr auto kClassicBytes = FileBytes(kClassicTable);
constexpr auto kByteBytes = FileBytes(kByteTable);

// Nearest standard index through the box tables. A row's keys come first,
// apart from the lookups, so that they are computed four at a time.
void BoxKeys(const Color* in, std::uint32_t* keys) {
#if GS_SSE2
  // DepthLookupKey on four pixels: red's top six bits to 12..17, green's to
  // 6..11, blue's to 0..5 (a colour is 0x00BBGGRR).
  static_assert(DepthLookupKey(RGB(4, 0, 0)) == 1 << 12 && DepthLookupKey(RGB(0, 4, 0)) == 1 << 6 &&
                DepthLookupKey(RGB(0, 0, 4)) == 1);
  const __m128i redBits = _mm_set1_epi32(0x3F000), greenBits = _mm_set1_epi32(0xFC0),
                blueBits = _mm_set1_epi32(0x3F);
  for (int x = 0; x < 32; x += 4) {
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
    const __m128i key = _mm_or_si128(_mm_or_si128(_mm_and_si128(_mm_slli_epi32(c, 10), redBits),
                                                  _mm_and_si128(_mm_srli_epi32(c, 4), greenBits)),
                                     _mm_and_si128(_mm_srli_epi32(c, 18), blueBits));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(keys + x), key);
  }
#else
  for (int x = 0; x < 32; ++x) keys[x] = static_cast<std::uint32_t>(DepthLookupKey(in[x]));
#endif
}

template <typename T>
T LittleEndian(const unsigned char* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  if constexpr (std::endian::native == std::endian::big) {
    T swapped = 0;
    for (std::size_t i = 0; i < sizeof v; ++i)
      swapped = static_cast<T>(swapped << 8 | (v >> (8 * i) & 0xFF));
    v = swapped;
  }
  return v;
}

// One depth's tables: a box's id, which is the answer itself for a box of
// one answer; otherwise the id picks a mask and two answers (the marker
// twice for a box of more than two), and the mask's bit for the colour's
// cell in the box picks the answer.
struct BoxTables {
  const unsigned char* boxes;
  int idBytes;
  unsigned answers;  // ids below this are answers
  const unsigned char* masks;
  const unsigned char* pairs;
  int marker;
  int (*search)(Color);

  int Index(Color c, std::uint32_t key) const {
    if constexpr (kHaveLookup) {
      const unsigned id = idBytes == 1 ? boxes[key] : LittleEndian<std::uint16_t>(boxes + 2 * key);
      if (id < answers) return static_cast<int>(id);
      const auto mask = LittleEndian<std::uint64_t>(masks + 8 * id);
      const int v = pairs[2 * id + (mask >> DepthLookupCell(c) & 1)];
      if (v != marker) return v;
    }
    return search(c);
  }
};

constexpr BoxTables kClassicBoxTables = {kClassicBoxes,      kClassicIdBytes, 16,
                                         kClassicMasks,      kClassicPairs,   kClassicLookupMarker,
                                         NearestClassicIndex};
constexpr BoxTables kByteBoxTables = {
    kByteBoxes, kByteIdBytes, 256, kByteMasks, kBytePairs, kByteLookupMarker, NearestByteIndex};
static_assert(!kHaveLookup || (sizeof kClassicBoxes == kClassicIdBytes * kDepthLookupSize + 1 &&
                               sizeof kByteBoxes == kByteIdBytes * kDepthLookupSize + 1 &&
                               sizeof kClassicMasks == 8 * kClassicPairCount + 1 &&
                               sizeof kBytePairs == 2 * kBytePairCount + 1));

// A row of 32 pixels as blue, green, red bytes.
void StoreBgrRow(const Color* in, std::uint8_t* row) {
  int x = 0;
#if GS_SSE2
  // Four pixels at a time: red and blue swapped in each lane (0x00BBGGRR to
  // 0x00RRGGBB, stored B G R 0), then each pair of lanes closed up to six
  // bytes. Each store writes two bytes past its group that the next group
  // overwrites, so the last group is left to the plain loop.
  const __m128i green = _mm_set1_epi32(0xFF00), low = _mm_set1_epi32(0xFF);
  const __m128i firstOfPair = _mm_set1_epi64x(0xFFFFFF),
                secondOfPair = _mm_set1_epi64x(0xFFFFFF000000);
  for (; x < 28; x += 4) {
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
    const __m128i bgr = _mm_or_si128(
        _mm_or_si128(_mm_and_si128(c, green), _mm_and_si128(_mm_srli_epi32(c, 16), low)),
        _mm_slli_epi32(_mm_and_si128(c, low), 16));
    const __m128i packed = _mm_or_si128(_mm_and_si128(bgr, firstOfPair),
                                        _mm_and_si128(_mm_srli_epi64(bgr, 8), secondOfPair));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(row + 3 * x), packed);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(row + 3 * x + 6),
                     _mm_unpackhi_epi64(packed, packed));
  }
#endif
  for (; x < 32; ++x) {
    row[3 * x] = static_cast<std::uint8_t>(BlueOf(in[x]));
    row[3 * x + 1] = static_cast<std::uint8_t>(GreenOf(in[x]));
    row[3 * x + 2] = static_cast<std::uint8_t>(RedOf(in[x]));
  }
}

// Eight pixels at one bit, the first in the top bit.
std::uint8_t MonoByte(const Color* in) {
#if GS_SSE2
  // NearestMonoIndex four at a time: the channels summed in each lane.
  static_assert(NearestMonoIndex(RGB(128, 127, 128)) == 1 &&
                NearestMonoIndex(RGB(127, 127, 128)) == 0);
  const __m128i channel = _mm_set1_epi32(0xFF), half = _mm_set1_epi32(382);
  unsigned bits = 0;
  for (int k = 0; k < 8; k += 4) {
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + k));
    const __m128i sum = _mm_add_epi32(
        _mm_add_epi32(_mm_and_si128(c, channel), _mm_and_si128(_mm_srli_epi32(c, 8), channel)),
        _mm_and_si128(_mm_srli_epi32(c, 16), channel));
    // Lanes reversed, so that the first pixel lands in the top bit.
    const __m128i white = _mm_shuffle_epi32(_mm_cmpgt_epi32(sum, half), _MM_SHUFFLE(0, 1, 2, 3));
    bits = bits << 4 | static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(white)));
  }
  return static_cast<std::uint8_t>(bits);
#else
  unsigned bits = 0;
  for (int x = 0; x < 8; ++x) bits = bits << 1 | static_cast<unsigned>(NearestMonoIndex(in[x]));
  return static_cast<std::uint8_t>(bits);
#endif
}

}  // namespace

bool IsSupportedDepth(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
}

int BlockRowBytes(int bitCount) {
  switch (bitCount) {
    case 1:
      return 4;
    case 4:
      return 16;
    case 8:
      return 32;
    case 24:
      return 96;
    default:
      return 0;
  }
}

std::span<const PaletteEntry> StandardTable(int bitCount) {
  switch (bitCount) {
    case 1:
      return kMonoTable;
    case 4:
      return kClassicTable;
    case 8:
      return kByteTable;
    default:
      return {};
  }
}

// The classic colours that can be nearest anywhere in each 32 x 32 x 32 box of
// colours: those whose least distance to the box is at most the smallest
// greatest distance of any colour. The search among them, lowest index first
// on a tie, gives what a search of the whole table gives.
constexpr std::array<std::uint16_t, 512> MakeClassicCandidates() {
  std::array<std::uint16_t, 512> m{};
  for (int box = 0; box < 512; ++box) {
    const int lo[3] = {(box >> 6) * 32, ((box >> 3) & 7) * 32, (box & 7) * 32};
    int least[16] = {}, bound = 1 << 30;
    for (int i = 0; i < 16; ++i) {
      const int v[3] = {kClassicTable[i].red, kClassicTable[i].green, kClassicTable[i].blue};
      int dMin = 0, dMax = 0;
      for (int ch = 0; ch < 3; ++ch) {
        const int hi = lo[ch] + 31;
        const int near = v[ch] < lo[ch] ? lo[ch] - v[ch] : v[ch] > hi ? v[ch] - hi : 0;
        const int far = std::max(v[ch] - lo[ch], hi - v[ch]);
        dMin += near * near;
        dMax += far * far;
      }
      least[i] = dMin;
      bound = std::min(bound, dMax);
    }
    for (int i = 0; i < 16; ++i)
      if (least[i] <= bound) m[box] = static_cast<std::uint16_t>(m[box] | (1u << i));
  }
  return m;
}

int NearestClassicIndex(Color c) {
  static constexpr std::array<std::uint16_t, 512> kCandidates = MakeClassicCandidates();
  const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
  unsigned candidates = kCandidates[(r >> 5) << 6 | (g >> 5) << 3 | b >> 5];
  int best = std::countr_zero(candidates);
  candidates &= candidates - 1;
  if (candidates == 0) return best;
  auto distance = [&](int i) {
    const PaletteEntry& e = kClassicTable[i];
    const int dr = r - e.red, dg = g - e.green, db = b - e.blue;
    return dr * dr + dg * dg + db * db;
  };
  int bestDistance = distance(best);
  for (; candidates; candidates &= candidates - 1) {
    const int i = std::countr_zero(candidates);
    const int d = distance(i);
    if (d < bestDistance) best = i, bestDistance = d;
  }
  return best;
}

// The 256-colour table is 16 classic colours, a uniform cube and a grey ramp,
// so its nearest entry is among: the cube point found by rounding each
// channel, the classic colours near enough to beat it, and the one or two
// greys nearest the channels' mean (squared distance to grey v grows with
// |mean - v|). Same answer as a full search, lowest index first on a tie.
int NearestByteIndex(Color c) {
  // A cube point is never more than 25 from a pixel per channel, so an entry
  // that beats it (or ties) lies within sqrt(3 x 25^2) < 44 on every channel.
  constexpr int kReach = 43;
  // For each channel value, the classic colours that are not cube points
  // (channels 128 or 192) within reach on that channel; cube-point classics
  // are found through the cube below.
  static constexpr auto kNear = [] {
    std::array<std::array<std::uint16_t, 256>, 3> m{};
    for (int ch = 0; ch < 3; ++ch)
      for (int v = 0; v < 256; ++v)
        for (int i = 0; i < 16; ++i) {
          const PaletteEntry& e = kClassicTable[i];
          const int val = ch == 0 ? e.red : ch == 1 ? e.green : e.blue;
          const int d = v > val ? v - val : val - v;
          if (d <= kReach) m[ch][v] |= static_cast<std::uint16_t>(1u << i);
        }
    return m;
  }();
  // Cube indices whose colour is also a classic one answer with the classic index.
  static constexpr auto kCubeToClassic = [] {
    std::array<std::uint8_t, 216> t{};
    for (int k = 0; k < 216; ++k) {
      t[k] = static_cast<std::uint8_t>(16 + k);
      for (int i = 0; i < 16; ++i)
        if (kClassicTable[i] == kByteTable[16 + k]) {
          t[k] = static_cast<std::uint8_t>(i);
          break;
        }
    }
    return t;
  }();
  const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
  auto level = [](int v) { return (v + 25) / 51; };
  int best = kCubeToClassic[level(r) * 36 + level(g) * 6 + level(b)];
  auto distanceTo = [&](int i) {
    const PaletteEntry& e = kByteTable[i];
    const int dr = r - e.red, dg = g - e.green, db = b - e.blue;
    return dr * dr + dg * dg + db * db;
  };
  int bestDistance = distanceTo(best);
  if (bestDistance == 0) return best;
  auto consider = [&](int i) {
    const int d = distanceTo(i);
    if (d < bestDistance || (d == bestDistance && i < best)) {
      best = i;
      bestDistance = d;
    }
  };
  for (unsigned near = kNear[0][r] & kNear[1][g] & kNear[2][b]; near; near &= near - 1)
    consider(std::countr_zero(near));
  // Greys: only when every channel can be within reach of one grey.
  if (std::max({r, g, b}) - std::min({r, g, b}) <= 2 * kReach) {
    // Grey k has value 6 + 10k; the mean's neighbours on that ramp.
    const int mean3 = r + g + b;  // three times the mean
    const int below = std::clamp((mean3 - 18) / 30, 0, 23);
    consider(232 + below);
    if (below < 23) consider(232 + below + 1);
  }
  return best;
}

std::span<const std::uint8_t> StandardTableBytes(int bitCount) {
  switch (bitCount) {
    case 1:
      return kMonoBytes;
    case 4:
      return kClassicBytes;
    case 8:
      return kByteBytes;
    default:
      return {};
  }
}

int NearestStandardIndex(int bitCount, Color c) {
  switch (bitCount) {
    case 1:
      return NearestMonoIndex(c);
    case 4:
      return NearestClassicIndex(c);
    case 8:
      return NearestByteIndex(c);
    default:
      return 0;  // no standard table beyond 8 bits
  }
}

bool ConvertPixelsInto(std::span<const Color, 1024> pixels, int bitCount, RowOrder order,
                       std::span<std::uint8_t> block) {
  const int rowBytes = BlockRowBytes(bitCount);
  if (rowBytes == 0 || block.size() < static_cast<std::size_t>(rowBytes) * 32) return false;
  std::uint32_t keys[32];
  for (int y = 0; y < 32; ++y) {
    const int stored = order == RowOrder::BottomUp ? 31 - y : y;
    std::uint8_t* row = block.data() + static_cast<std::size_t>(stored) * rowBytes;
    const Color* in = pixels.data() + y * 32;
    switch (bitCount) {
      case 24:
        StoreBgrRow(in, row);
        break;
      case 8:
        BoxKeys(in, keys);
        for (int x = 0; x < 32; ++x)
          row[x] = static_cast<std::uint8_t>(kByteBoxTables.Index(in[x], keys[x]));
        break;
      case 4:
        BoxKeys(in, keys);
        for (int x = 0; x < 32; x += 2)
          row[x / 2] = static_cast<std::uint8_t>(kClassicBoxTables.Index(in[x], keys[x]) << 4 |
                                                 kClassicBoxTables.Index(in[x + 1], keys[x + 1]));
        break;
      case 1:
        for (int k = 0; k < 4; ++k) row[k] = MonoByte(in + 8 * k);
        break;
    }
  }
  return true;
}

DepthImage ConvertPixelsToDepth(std::span<const Color, 1024> pixels, int bitCount, RowOrder order) {
  DepthImage img;
  img.bitCount = bitCount;
  if (!IsSupportedDepth(bitCount)) return img;
  const auto table = StandardTable(bitCount);
  img.table.assign(table.begin(), table.end());
  img.block.resize(static_cast<std::size_t>(BlockRowBytes(bitCount)) * 32);
  ConvertPixelsInto(pixels, bitCount, order, img.block);
  return img;
}

std::array<Color, 1024> PixelsOf(const Surface& src) {
  std::array<Color, 1024> out;
  if (src.Width() >= 32 && src.Height() >= 32) {
    for (int y = 0; y < 32; ++y) {
      const Color* row = src.Row(y);
      for (int x = 0; x < 32; ++x) out[y * 32 + x] = row[x] == kInvalidColor ? kBlack : row[x];
    }
    return out;
  }
  // A source smaller than 32 x 32 reads black outside its area.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const Color c = src.GetPixel(x, y);
      out[y * 32 + x] = c == kInvalidColor ? kBlack : c;
    }
  return out;
}

DepthImage ConvertToDepth(const Surface& src, int bitCount, RowOrder order) {
  return ConvertPixelsToDepth(PixelsOf(src), bitCount, order);
}

Color DepthImagePixel(const DepthImage& img, RowOrder order, int x, int y) {
  const int rowBytes = BlockRowBytes(img.bitCount);
  if (rowBytes == 0 || x < 0 || x > 31 || y < 0 || y > 31 ||
      img.block.size() < static_cast<std::size_t>(rowBytes) * 32)
    return kBlack;
  const int stored = order == RowOrder::BottomUp ? 31 - y : y;
  const std::uint8_t* row = img.block.data() + static_cast<std::size_t>(stored) * rowBytes;
  int index = 0;
  switch (img.bitCount) {
    case 24:
      return RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    case 8:
      index = row[x];
      break;
    case 4:
      index = x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4;
      break;
    case 1:
      index = (row[x / 8] >> (7 - x % 8)) & 1;
      break;
  }
  if (index >= static_cast<int>(img.table.size())) return kBlack;
  return img.table[index].ToColor();
}

bool ConvertDocumentToDepth(Surface& surface, int bitCount) {
  if (bitCount != 1 && bitCount != 4 && bitCount != 8) return false;
  const DepthImage img = ConvertToDepth(surface, bitCount, RowOrder::BottomUp);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      surface.SetPixelV(x, y, DepthImagePixel(img, RowOrder::BottomUp, x, y));
  return true;
}

std::vector<std::uint8_t> ColorTableBytes(std::span<const PaletteEntry> table) {
  std::vector<std::uint8_t> out(table.size() * 4);
  for (std::size_t i = 0; i < table.size(); ++i) {
    out[4 * i] = table[i].blue;
    out[4 * i + 1] = table[i].green;
    out[4 * i + 2] = table[i].red;
  }
  return out;
}

}  // namespace gs
