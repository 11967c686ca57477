#include "files/depth.h"

#include <algorithm>
#include <array>

namespace gs {

namespace {

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

int Nearest(std::span<const PaletteEntry> table, Color c) {
  const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
  int best = 0;
  int bestDistance = 1 << 30;
  for (int i = 0; i < static_cast<int>(table.size()); ++i) {
    const int dr = r - table[i].red, dg = g - table[i].green, db = b - table[i].blue;
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
      if (d == 0) break;
    }
  }
  return best;
}

// Pixels of one image repeat a lot; a small direct-mapped cache of the last
// answers keeps the 256-entry search off most of them.
class IndexCache {
 public:
  explicit IndexCache(int bitCount) : bitCount_(bitCount) { keys_.fill(kInvalidColor); }
  int Get(Color c) {
    const std::size_t slot = (c * 2654435761u) >> 24;
    if (keys_[slot] != c) {
      keys_[slot] = c;
      values_[slot] = static_cast<std::uint8_t>(NearestStandardIndex(bitCount_, c));
    }
    return values_[slot];
  }

 private:
  int bitCount_;
  std::array<Color, 256> keys_;
  std::array<std::uint8_t, 256> values_{};
};

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

int BlockBytes(int bitCount) { return BlockRowBytes(bitCount) * 32; }

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

// The 256-colour table is 16 classic colours, a uniform cube and a grey ramp,
// so its nearest entry is among: the classic colours, the cube point found by
// rounding each channel, and the one or two greys nearest the channels' mean
// (squared distance to grey v grows with |mean - v|). Same answer as a full
// search, lowest index first on a tie, at a tenth of the work.
int NearestByteIndex(Color c) {
  const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
  int best = 0;
  int bestDistance = 1 << 30;
  auto consider = [&](int i) {
    const PaletteEntry& e = kByteTable[i];
    const int dr = r - e.red, dg = g - e.green, db = b - e.blue;
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance || (d == bestDistance && i < best)) {
      best = i;
      bestDistance = d;
    }
  };
  for (int i = 0; i < 16; ++i) consider(i);
  auto level = [](int v) { return (v + 25) / 51; };
  consider(16 + level(r) * 36 + level(g) * 6 + level(b));
  // Grey k has value 6 + 10k; the mean's neighbours on that ramp.
  const int mean3 = r + g + b;  // three times the mean
  const int below = std::clamp((mean3 - 18) / 30, 0, 23);
  consider(232 + below);
  if (below < 23) consider(232 + below + 1);
  return best;
}

int NearestStandardIndex(int bitCount, Color c) {
  if (bitCount == 8) return NearestByteIndex(c);
  return Nearest(StandardTable(bitCount), c);
}

DepthImage ConvertToDepth(const Surface& src, int bitCount, RowOrder order) {
  DepthImage img;
  img.bitCount = bitCount;
  if (!IsSupportedDepth(bitCount)) return img;
  const auto table = StandardTable(bitCount);
  img.table.assign(table.begin(), table.end());
  const int rowBytes = BlockRowBytes(bitCount);
  img.block.assign(static_cast<std::size_t>(rowBytes) * 32, 0);
  IndexCache cache(bitCount);
  for (int y = 0; y < 32; ++y) {
    const int stored = order == RowOrder::BottomUp ? 31 - y : y;
    std::uint8_t* row = img.block.data() + static_cast<std::size_t>(stored) * rowBytes;
    for (int x = 0; x < 32; ++x) {
      // A source smaller than 32 x 32 reads black outside its area.
      Color c = src.GetPixel(x, y);
      if (c == kInvalidColor) c = kBlack;
      switch (bitCount) {
        case 24:
          row[3 * x] = static_cast<std::uint8_t>(BlueOf(c));
          row[3 * x + 1] = static_cast<std::uint8_t>(GreenOf(c));
          row[3 * x + 2] = static_cast<std::uint8_t>(RedOf(c));
          break;
        case 8:
          row[x] = static_cast<std::uint8_t>(cache.Get(c));
          break;
        case 4:
          row[x / 2] |= static_cast<std::uint8_t>(cache.Get(c) << (x % 2 ? 0 : 4));
          break;
        case 1:
          if (cache.Get(c)) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
          break;
      }
    }
  }
  return img;
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
  std::vector<std::uint8_t> out;
  out.reserve(table.size() * 4);
  for (const PaletteEntry& e : table) out.insert(out.end(), {e.blue, e.green, e.red, 0});
  return out;
}

}  // namespace gs
