#include "files/icon_image.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "document/area_scale.h"
#include "document/icon_mask.h"
#include "files/bitmap_info_header.h"
#include "files/byte_io.h"
#include "files/png_codec.h"
#include "files/png_guard.h"

namespace gs {

namespace {

constexpr std::size_t kInfoHeaderBytes = kBitmapInfoHeaderBytes;
// Icons are at most 256 pixels a side; this also bounds what a hostile header can ask for.
constexpr int kMaxSide = 256;
constexpr int kOpaque = 255;
constexpr int kAlphaThreshold = 128;

void AddProblem(std::string& problem, const std::string& what) {
  if (problem.empty()) problem = what;
}

bool IsSupportedBits(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

// Where the parts of a bitmap-format image lie, from its header.
struct DibLayout {
  int width = 32;
  int height = 32;
  bool topDown = false;
  int bits = 0;  // 0: a depth with no decoder, only the mask is read
  std::size_t tableEntries = 0;
  std::size_t stride = 0;
  std::size_t maskStride = 4;
  std::size_t tableAt = kInfoHeaderBytes;
  std::size_t pixelsAt = kInfoHeaderBytes;
  std::size_t maskAt = kInfoHeaderBytes;
  std::size_t end = kInfoHeaderBytes + 128;
};

// Table length as the bitmap format defines it: colours-used when it is set
// and smaller than the full table; 24 and 32 bits carry only the optional
// entries colours-used counts. This reads our older 24-bit icons (one entry,
// colours used 1) and today's, like those of other programs (no table), alike.
std::size_t TableEntries(int bits, std::uint32_t colorsUsed) {
  if (bits > 8) return std::min<std::uint32_t>(colorsUsed, 256);
  const std::uint32_t full = 1u << bits;
  return colorsUsed > 0 && colorsUsed < full ? colorsUsed : full;
}

DibLayout LayoutOf(const BitmapInfoHeader& h, std::string& problem) {
  DibLayout L;
  std::size_t headerSize = h.headerSize;
  if (headerSize < kInfoHeaderBytes || headerSize > 1024) headerSize = kInfoHeaderBytes;
  const std::int64_t height = h.height < 0 ? -static_cast<std::int64_t>(h.height) : h.height;
  if (h.width >= 1 && h.width <= kMaxSide && height / 2 >= 1 && height / 2 <= kMaxSide) {
    L.width = h.width;
    L.height = static_cast<int>(height / 2);
    L.topDown = h.height < 0;
  } else {
    // The byte counts of a 32 x 32 image, as the editor's own files have.
    AddProblem(problem, "image size " + std::to_string(h.width) + " x " +
                            std::to_string(h.height / 2) + " out of range");
  }
  if (IsSupportedBits(h.bitCount) && h.compression == 0) {
    L.bits = h.bitCount;
    L.tableEntries = TableEntries(L.bits, h.colorsUsed);
    L.stride = ((static_cast<std::size_t>(L.width) * L.bits + 31) / 32) * 4;
    L.tableAt = headerSize;
  } else if (h.compression != 0 && IsSupportedBits(h.bitCount)) {
    AddProblem(problem, "compressed image");
  } else {
    AddProblem(problem, "unsupported bit count " + std::to_string(h.bitCount));
  }
  L.maskStride = ((static_cast<std::size_t>(L.width) + 31) / 32) * 4;
  L.pixelsAt = L.tableAt + 4 * L.tableEntries;
  L.maskAt = L.pixelsAt + L.stride * L.height;
  L.end = L.maskAt + L.maskStride * L.height;
  return L;
}

// For each mask byte, the alpha of its eight pixels and which of their
// colours stay (all ones) or give way to white (zero).
constexpr auto kMaskAlpha = [] {
  std::array<std::array<std::uint8_t, 8>, 256> t{};
  for (int bits = 0; bits < 256; ++bits)
    for (int k = 0; k < 8; ++k) t[bits][k] = (bits & (0x80 >> k)) ? 0 : kOpaque;
  return t;
}();
constexpr auto kMaskKeep = [] {
  std::array<std::array<Color, 8>, 256> t{};
  for (int bits = 0; bits < 256; ++bits)
    for (int k = 0; k < 8; ++k) t[bits][k] = (bits & (0x80 >> k)) ? 0 : ~Color{0};
  return t;
}();

// Eight pixels per mask byte, without a branch per pixel.
void ApplyMaskRow(const std::uint8_t* m, int w, Color* out, std::uint8_t* a) {
  constexpr Color kShown = MaskedPixel(kBlack, true);  // what a set bit shows, whatever the colour
  int x = 0;
  for (; x + 8 <= w; x += 8) {
    const std::uint8_t bits = m[x >> 3];
    std::memcpy(a + x, kMaskAlpha[bits].data(), 8);
    if (bits == 0) continue;
    const Color* keep = kMaskKeep[bits].data();
    for (int k = 0; k < 8; ++k) out[x + k] = (out[x + k] & keep[k]) | (kShown & ~keep[k]);
  }
  for (; x < w; ++x) {
    const bool bit = (m[x >> 3] >> (7 - (x & 7))) & 1;
    out[x] = MaskedPixel(out[x], bit);
    a[x] = bit ? 0 : kOpaque;
  }
}

// Decodes the rows at real size into colors/alpha (width x height, top row
// first); the AND mask is applied to each row as it is decoded. `maskPresent`
// false: a 32-bit image without its mask, whose alpha then decides.
void DecodeDib(const std::uint8_t* data, const DibLayout& L, bool maskPresent, Color* colors,
               std::uint8_t* alpha) {
  std::array<Color, 256> table{};  // entries the image lacks are black
  for (std::size_t i = 0; i < L.tableEntries; ++i) {
    const std::uint8_t* e = data + L.tableAt + 4 * i;
    table[i] = RGB(e[2], e[1], e[0]);
  }
  bool anyAlpha = false;
  if (L.bits == 32)
    for (std::size_t i = L.pixelsAt + 3; i < L.maskAt && !anyAlpha; i += 4) anyAlpha = data[i] != 0;
  const bool useMask = L.bits != 32 || (!anyAlpha && maskPresent);
  const int w = L.width;
  for (int r = 0; r < L.height; ++r) {
    const int y = L.topDown ? r : L.height - 1 - r;
    Color* out = colors + static_cast<std::size_t>(y) * w;
    std::uint8_t* a = alpha + static_cast<std::size_t>(y) * w;
    const std::uint8_t* in = data + L.pixelsAt + L.stride * r;
    switch (L.bits) {
      case 1:
        DecodeRow1(in, w, table.data(), out);
        break;
      case 4:
        DecodeRow4(in, w, table.data(), out);
        break;
      case 8:
        DecodeRow8(in, w, table.data(), out);
        break;
      case 24:
        DecodeRow24(in, w, out);
        break;
      case 32:
        DecodeRow32(in, w, out, a);
        break;
      default:
        std::fill(out, out + w, kBlack);
        break;
    }
    if (useMask) {
      ApplyMaskRow(data + L.maskAt + L.maskStride * r, w, out, a);
    } else if (!anyAlpha) {
      std::fill(a, a + w, static_cast<std::uint8_t>(kOpaque));
    }
  }
}

// The image bytes to decode from: the data itself when whole, else a copy
// padded with zeros (and what was missing noted).
const std::uint8_t* WholeImage(std::span<const std::uint8_t> b, const DibLayout& L,
                               std::vector<std::uint8_t>& padded, bool& maskPresent,
                               std::string& problem) {
  maskPresent = b.size() >= L.end;
  if (maskPresent) return b.data();
  if (b.size() < L.pixelsAt) AddProblem(problem, "colour table cut short");
  if (b.size() < L.maskAt) AddProblem(problem, "image data cut short");
  // A 32-bit image may come without its AND mask: alpha decides then.
  if (L.bits != 32 || b.size() > L.maskAt) AddProblem(problem, "mask cut short");
  if (L.bits == 32 && b.size() == L.maskAt) return b.data();
  padded.assign(L.end, 0);
  std::copy(b.begin(), b.end(), padded.begin());
  return padded.data();
}

IconImageKind KindOf(int bits) {
  switch (bits) {
    case 1:
    case 4:
    case 8:
      return IconImageKind::Indexed;
    case 24:
      return IconImageKind::Rgb24;
    case 32:
      return IconImageKind::Rgba32;
    default:
      return IconImageKind::None;
  }
}

// Alpha below the threshold is transparent: white and 0; anything else opaque.
void Threshold(Color* colors, std::uint8_t* alpha, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    const bool clear = alpha[i] < kAlphaThreshold;
    colors[i] = MaskedPixel(colors[i], clear);
    alpha[i] = clear ? 0 : kOpaque;
  }
}

// A machine without libpng is no reason to call the file damaged.
std::string PngProblem() {
  const std::string& missing = PngUnavailable();
  return missing.empty() ? "damaged PNG image" : "PNG images need " + missing;
}

bool PngToImage(std::span<const std::uint8_t> b, IconImage& out) {
  RgbaImage img;
  if (!DecodePng(b, img, kMaxSide)) return false;
  out.width = img.width;
  out.height = img.height;
  const std::size_t n = static_cast<std::size_t>(img.width) * img.height;
  out.colors.resize(n);
  out.alpha.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t* p = img.rgba.data() + 4 * i;
    out.colors[i] = RGB(p[0], p[1], p[2]);
    out.alpha[i] = p[3];
  }
  return true;
}

int Rounded(int num, int den) { return (2 * num + den) / (2 * den); }

}  // namespace

// A byte at a time: the shifts within it become constants.
void DecodeRow1(const std::uint8_t* row, int count, const Color* table, Color* out) {
  const Color zero = table[0], one = table[1];
  int x = 0;
  for (; x + 8 <= count; x += 8) {
    const unsigned b = row[x >> 3];
    for (int k = 0; k < 8; ++k) out[x + k] = (b >> (7 - k)) & 1 ? one : zero;
  }
  for (; x < count; ++x) out[x] = (row[x >> 3] >> (7 - (x & 7))) & 1 ? one : zero;
}

void DecodeRow4(const std::uint8_t* row, int count, const Color* table, Color* out) {
  int x = 0;
  for (; x + 2 <= count; x += 2) {
    const unsigned b = row[x >> 1];
    out[x] = table[b >> 4];
    out[x + 1] = table[b & 0x0F];
  }
  if (x < count) out[x] = table[row[x >> 1] >> 4];
}

void DecodeRow8(const std::uint8_t* row, int count, const Color* table, Color* out) {
  for (int x = 0; x < count; ++x) out[x] = table[row[x]];
}

void DecodeRow24(const std::uint8_t* row, int count, Color* out) {
  // Four bytes read at once hold blue, green, red and the next pixel's blue;
  // the last pixel reads its three alone, so nothing past the row is touched.
  int x = 0;
  if constexpr (std::endian::native == std::endian::little)
    for (; x + 1 < count; ++x, row += 3) {
      std::uint32_t v;
      std::memcpy(&v, row, 4);
      out[x] = __builtin_bswap32(v) >> 8;  // B G R x -> 0x00BBGGRR
    }
  for (; x < count; ++x, row += 3) out[x] = RGB(row[2], row[1], row[0]);
}

void DecodeRow32(const std::uint8_t* row, int count, Color* out, std::uint8_t* alpha) {
  for (int x = 0; x < count; ++x, row += 4) {
    out[x] = RGB(row[2], row[1], row[0]);
    alpha[x] = row[3];
  }
}

bool PeekIconImage(std::span<const std::uint8_t> b, IconImageHeader& out) {
  out = {};
  if (HasPngSignature(b)) {
    std::uint32_t w = 0, h = 0;
    if (!bytes::Has(b, 16, 8)) return false;
    w = static_cast<std::uint32_t>(b[16] << 24 | b[17] << 16 | b[18] << 8 | b[19]);
    h = static_cast<std::uint32_t>(b[20] << 24 | b[21] << 16 | b[22] << 8 | b[23]);
    out.width = static_cast<int>(std::min<std::uint32_t>(w, 1u << 30));
    out.height = static_cast<int>(std::min<std::uint32_t>(h, 1u << 30));
    out.bitCount = 32;
    out.png = true;
    return true;
  }
  BitmapInfoHeader h;
  if (!ReadBitmapInfoHeader(b, 0, h)) return false;
  out.width = h.width;
  out.height = h.height < 0 ? -(h.height / 2) : h.height / 2;
  out.bitCount = h.bitCount;
  return true;
}

void BringTo32(const IconImage& img, Surface& pixels, std::array<std::uint8_t, 1024>& alpha) {
  pixels = Surface(32, 32);
  alpha.fill(0);
  const int w = img.width, h = img.height;
  if (w < 1 || h < 1 || img.colors.size() < static_cast<std::size_t>(w) * h ||
      img.alpha.size() < img.colors.size())
    return;
  Color* out = pixels.Pixels().data();
  if (w <= 32 && h <= 32 && 32 % w == 0 && 32 % h == 0) {
    const int fx = 32 / w, fy = 32 / h;
    int column[32];  // no division per pixel
    for (int x = 0; x < 32; ++x) column[x] = x / fx;
    for (int y = 0; y < 32; ++y) {
      const Color* colors = img.colors.data() + static_cast<std::size_t>(y / fy) * w;
      const std::uint8_t* alphas = img.alpha.data() + static_cast<std::size_t>(y / fy) * w;
      for (int x = 0; x < 32; ++x) {
        out[y * 32 + x] = colors[column[x]];
        alpha[y * 32 + x] = alphas[column[x]];
      }
    }
    Threshold(out, alpha.data(), 1024);
    return;
  }
  // Colours weighted by alpha, so see-through pixels give nothing to their
  // neighbours; the weights are scaled alongside and divided out after.
  Surface weighted(w, h), weights(w, h);
  for (std::size_t i = 0; i < img.colors.size(); ++i) {
    const Color c = img.colors[i];
    const int a = img.alpha[i];
    weighted.Pixels()[i] =
        RGB(Rounded(RedOf(c) * a, 255), Rounded(GreenOf(c) * a, 255), Rounded(BlueOf(c) * a, 255));
    weights.Pixels()[i] = RGB(a, a, a);
  }
  Surface sw(32, 32), sa(32, 32);
  AreaScaleCopy(sw, Area{0, 0, 32, 32}, ViewOf(weighted), Area{0, 0, w, h});
  AreaScaleCopy(sa, Area{0, 0, 32, 32}, ViewOf(weights), Area{0, 0, w, h});
  for (int i = 0; i < 1024; ++i) {
    const int a = RedOf(sa.Pixels()[i]);
    alpha[i] = static_cast<std::uint8_t>(a);
    if (a == 0) continue;
    const Color p = sw.Pixels()[i];
    auto un = [a](int v) { return std::min(255, Rounded(v * 255, a)); };
    out[i] = RGB(un(RedOf(p)), un(GreenOf(p)), un(BlueOf(p)));
  }
  Threshold(out, alpha.data(), 1024);
}

bool DecodeIconImageAtSize(std::span<const std::uint8_t> b, IconImage& out, std::string& problem) {
  out = {};
  if (HasPngSignature(b)) {
    if (PngToImage(b, out)) return true;
    AddProblem(problem, PngProblem());
    return false;
  }
  BitmapInfoHeader h;
  if (!ReadBitmapInfoHeader(b, 0, h)) {
    AddProblem(problem, "image header cut short");
    return false;
  }
  const DibLayout L = LayoutOf(h, problem);
  if (L.bits == 0) return false;
  std::vector<std::uint8_t> padded;
  bool maskPresent = false;
  const std::uint8_t* data = WholeImage(b, L, padded, maskPresent, problem);
  out.width = L.width;
  out.height = L.height;
  out.colors.resize(static_cast<std::size_t>(L.width) * L.height);
  out.alpha.resize(out.colors.size());
  DecodeDib(data, L, maskPresent, out.colors.data(), out.alpha.data());
  return true;
}

bool DecodeIconImage(std::span<const std::uint8_t> b, IconImageResult& out) {
  out.kind = IconImageKind::None;
  out.width = out.height = out.bitCount = 0;
  out.problem.clear();
  if (HasPngSignature(b)) {
    IconImage img;
    out.kind = IconImageKind::Png;
    out.bitCount = 32;
    if (!PngToImage(b, img)) {
      out.pixels = Surface(32, 32);
      out.alpha.fill(kOpaque);
      out.problem = PngProblem();
      return false;
    }
    out.width = img.width;
    out.height = img.height;
    BringTo32(img, out.pixels, out.alpha);
    return true;
  }
  BitmapInfoHeader h;  // a missing header reads as zeros, as every other missing byte does
  if (!ReadBitmapInfoHeader(b, 0, h)) AddProblem(out.problem, "image header cut short");
  const DibLayout L = LayoutOf(h, out.problem);
  out.kind = KindOf(L.bits);
  out.width = L.width;
  out.height = L.height;
  out.bitCount = h.bitCount;
  std::vector<std::uint8_t> padded;
  bool maskPresent = false;
  const std::uint8_t* data = WholeImage(b, L, padded, maskPresent, out.problem);
  if (L.width == 32 && L.height == 32) {
    // The common case decodes straight into the picture.
    if (out.pixels.Width() != 32 || out.pixels.Height() != 32) out.pixels = Surface(32, 32);
    DecodeDib(data, L, maskPresent, out.pixels.Pixels().data(), out.alpha.data());
    if (L.bits == 32) Threshold(out.pixels.Pixels().data(), out.alpha.data(), 1024);
  } else {
    IconImage img;
    img.width = L.width;
    img.height = L.height;
    img.colors.resize(static_cast<std::size_t>(L.width) * L.height);
    img.alpha.resize(img.colors.size());
    DecodeDib(data, L, maskPresent, img.colors.data(), img.alpha.data());
    BringTo32(img, out.pixels, out.alpha);
  }
  return L.bits != 0;
}

}  // namespace gs
