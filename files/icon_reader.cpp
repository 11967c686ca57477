#include "files/icon_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "document/pixel_helpers.h"
#include "files/byte_io.h"
#include "files/png_codec.h"
#include "platform/safe_file.h"

namespace gs {

namespace {

constexpr std::size_t kHeaderBytes = 6;
constexpr std::size_t kEntryBytes = 16;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::size_t kMaskBytes = 128;
// Icons are at most 256 pixels a side; this also bounds what a hostile header can ask for.
constexpr int kMaxIconSide = 256;
// Icon files beyond this are not icons; reading stops there.
constexpr std::size_t kMaxIconFileBytes = std::size_t{16} << 20;

void AddProblem(std::string& problem, const std::string& what) {
  if (problem.empty()) problem = what;
}

// Colour-table length of an indexed or 24-bit image, as the bitmap format
// defines it: colours-used when it is set and smaller than the full table.
// This reads our own 24-bit icons (one entry, colours used 1) and those of
// other programs (no table) alike.
std::size_t TableEntries(int bitCount, std::uint32_t colorsUsed) {
  if (bitCount == 24) return std::min<std::uint32_t>(colorsUsed, 256);
  const std::uint32_t full = 1u << bitCount;
  return colorsUsed > 0 && colorsUsed < full ? colorsUsed : full;
}

// Stored rows are bottom row first; the surface is top row first.
Surface SurfaceFromBgr(const std::uint8_t* bgr) {
  Surface s(32, 32);
  for (int r = 0; r < 32; ++r) {
    Color* row = s.Row(31 - r);
    const std::uint8_t* in = bgr + static_cast<std::size_t>(r) * 96;
    for (int x = 0; x < 32; ++x) row[x] = RGB(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
  }
  return s;
}

// A picture of any size with the pixels that are see-through.
struct DecodedImage {
  Surface colors;
  std::vector<std::uint8_t> transparent;  // 1 per pixel, top row first
};

// Any bitmap-format entry of 1, 4, 8, 24 or 32 bits with its real size and
// padded rows, as other programs store them. Used where the file holds no
// 32 x 32 image at a depth the editor knows.
bool DecodeDibEntry(std::span<const std::uint8_t> bytes, std::uint32_t offset, DecodedImage& out,
                    std::string& problem) {
  ImageInfoHeader h;
  if (!ReadImageInfoHeader(bytes, offset, h)) return false;
  const int bits = h.bitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  if (h.compression != 0 || h.headerSize < kInfoHeaderBytes || h.headerSize > 1024) return false;
  const int w = h.width;
  const int hh = h.height < 0 ? -(h.height / 2) : h.height / 2;
  if (w < 1 || w > kMaxIconSide || hh < 1 || hh > kMaxIconSide) return false;

  std::vector<PaletteEntry> table(bits <= 8 ? (1u << bits) : 0);
  std::size_t pos = std::size_t{offset} + h.headerSize;
  const std::size_t tableEntries = bits <= 8 ? TableEntries(bits, h.colorsUsed) : 0;
  for (std::size_t i = 0; i < tableEntries; ++i, pos += 4) {
    std::array<std::uint8_t, 4> e{};
    if (!bytes::CopyPadded(bytes, pos, 4, e.data())) AddProblem(problem, "colour table cut short");
    table[i] = {e[0], e[1], e[2], 0};
  }
  const std::size_t stride = ((static_cast<std::size_t>(w) * bits + 31) / 32) * 4;
  const std::size_t maskStride = ((static_cast<std::size_t>(w) + 31) / 32) * 4;
  std::vector<std::uint8_t> block(stride * hh), mask(maskStride * hh);
  if (!bytes::CopyPadded(bytes, pos, block.size(), block.data()))
    AddProblem(problem, "image data cut short");
  pos += block.size();
  if (!bytes::CopyPadded(bytes, pos, mask.size(), mask.data()))
    AddProblem(problem, "mask cut short");

  out.colors = Surface(w, hh);
  out.transparent.assign(static_cast<std::size_t>(w) * hh, 0);
  bool anyAlpha = false;
  for (int r = 0; r < hh; ++r) {
    const std::uint8_t* in = block.data() + stride * r;
    const int y = h.height < 0 ? r : hh - 1 - r;
    Color* row = out.colors.Row(y);
    for (int x = 0; x < w; ++x) {
      Color c = kBlack;
      if (bits == 32 || bits == 24) {
        const std::uint8_t* p = in + static_cast<std::size_t>(x) * (bits / 8);
        c = RGB(p[2], p[1], p[0]);
        if (bits == 32) {
          const bool seeThrough = p[3] < 128;
          anyAlpha = anyAlpha || p[3] != 0;
          out.transparent[static_cast<std::size_t>(y) * w + x] = seeThrough;
        }
      } else {
        int index = 0;
        if (bits == 8) index = in[x];
        if (bits == 4) index = x % 2 ? in[x / 2] & 0x0F : in[x / 2] >> 4;
        if (bits == 1) index = (in[x / 8] >> (7 - x % 8)) & 1;
        c = table[index].ToColor();
      }
      row[x] = c;
    }
  }
  // Without alpha (or with an all-zero alpha channel) the mask says what is see-through.
  if (!anyAlpha) {
    for (int r = 0; r < hh; ++r) {
      const std::uint8_t* in = mask.data() + maskStride * r;
      const int y = h.height < 0 ? r : hh - 1 - r;
      for (int x = 0; x < w; ++x)
        out.transparent[static_cast<std::size_t>(y) * w + x] = (in[x / 8] >> (7 - x % 8)) & 1;
    }
  }
  return true;
}

bool DecodePngEntry(std::span<const std::uint8_t> bytes, std::uint32_t offset, DecodedImage& out) {
  if (!IsPngImage(bytes, offset)) return false;
  RgbaImage img;
  if (!DecodePng(bytes.subspan(offset), img, kMaxIconSide)) return false;
  out.colors = Surface(img.width, img.height);
  out.transparent.assign(static_cast<std::size_t>(img.width) * img.height, 0);
  for (int y = 0; y < img.height; ++y) {
    Color* row = out.colors.Row(y);
    for (int x = 0; x < img.width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * img.width + x;
      const std::uint8_t* p = img.rgba.data() + 4 * i;
      row[x] = RGB(p[0], p[1], p[2]);
      out.transparent[i] = p[3] < 128;
    }
  }
  return true;
}

// Scales the picture to 32 x 32 (nearest pixel) and puts it on `onto`:
// see-through pixels become `transparentAs`, or are left as they are when
// that is kInvalidColor.
void PlaceScaled(const DecodedImage& img, Surface& onto, Color transparentAs) {
  const int w = img.colors.Width(), h = img.colors.Height();
  for (int y = 0; y < 32; ++y) {
    const int sy = y * h / 32;
    for (int x = 0; x < 32; ++x) {
      const int sx = x * w / 32;
      if (img.transparent[static_cast<std::size_t>(sy) * w + sx]) {
        if (transparentAs != kInvalidColor) onto.SetPixelV(x, y, transparentAs);
      } else {
        onto.SetPixelV(x, y, img.colors.GetPixel(sx, sy));
      }
    }
  }
}

int EntrySide(std::uint8_t v) { return v == 0 ? 256 : v; }

// The fallback's choice among all entries: the smallest at least 32 pixels
// wide, else the largest; then the deepest; then the earliest.
std::vector<int> FallbackOrder(std::span<const IconDirectoryEntry> entries) {
  std::vector<int> order(entries.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  auto rank = [&](int i) {
    const int side = EntrySide(entries[i].width);
    const int sizeRank = side >= 32 ? side - 32 : 1000 + (32 - side);
    return std::pair(sizeRank, -static_cast<int>(entries[i].bitCount));
  };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return rank(a) < rank(b); });
  return order;
}

// The 32 x 32 path every icon the editor writes takes: byte counts of a
// 32 x 32 image whatever the sizes say, the mask folded into white.
void DecodeFixedEntry(std::span<const std::uint8_t> bytes, std::uint32_t offset,
                      const ImageInfoHeader& h, IconDecodeResult& r) {
  const int bits = h.bitCount;
  std::size_t pos = std::size_t{offset} + kInfoHeaderBytes;
  std::vector<std::uint8_t> bgr(3072, 0);
  std::array<std::uint8_t, kMaskBytes> mask{};
  if (IsSupportedDepth(bits)) {
    std::vector<PaletteEntry> table(bits == 24 ? 0 : (1u << bits));
    const std::size_t tableEntries = TableEntries(bits, h.colorsUsed);
    for (std::size_t i = 0; i < tableEntries; ++i, pos += 4) {
      std::array<std::uint8_t, 4> e{};
      if (!bytes::CopyPadded(bytes, pos, 4, e.data()))
        AddProblem(r.problem, "colour table cut short");
      if (i < table.size()) table[i] = {e[0], e[1], e[2], 0};
    }
    std::vector<std::uint8_t> block(BlockBytes(bits));
    if (!bytes::CopyPadded(bytes, pos, block.size(), block.data()))
      AddProblem(r.problem, "image data cut short");
    pos += block.size();
    if (bits == 24) {
      bgr = std::move(block);
    } else {
      ExpandIndexedPixels(block, bits, table, bgr);
    }
    r.kind = bits == 24 ? IconImageKind::Rgb24 : IconImageKind::Indexed;
  } else {
    AddProblem(r.problem, "unsupported bit count " + std::to_string(bits));
  }
  if (!bytes::CopyPadded(bytes, pos, mask.size(), mask.data()))
    AddProblem(r.problem, "mask cut short");

  std::vector<std::uint8_t> maskBgr(3072);
  static constexpr std::array<PaletteEntry, 2> kMaskTable = {PaletteEntry{0, 0, 0, 0},
                                                             PaletteEntry{255, 255, 255, 0}};
  ExpandIndexedPixels(mask, 1, kMaskTable, maskBgr);
  r.pixels = SurfaceFromBgr(bgr.data());
  const Surface maskImage = SurfaceFromBgr(maskBgr.data());
  // Black (mask bit 0) keeps the colour; white (bit 1) stays white.
  MaskedCopy(maskImage, 0, 0, 32, 32, kBlack, r.pixels, r.pixels);
}

}  // namespace

IconDirectory ReadIconDirectory(std::span<const std::uint8_t> b) {
  IconDirectory d;
  std::uint16_t count = 0;
  if (!bytes::GetU16(b, 0, d.header.reserved) || !bytes::GetU16(b, 2, d.header.type) ||
      !bytes::GetU16(b, 4, count))
    return d;
  d.header.count = static_cast<std::int16_t>(count);
  const int wanted = std::max<int>(0, d.header.count);
  d.complete = true;
  for (int i = 0; i < wanted; ++i) {
    const std::size_t at = kHeaderBytes + kEntryBytes * i;
    if (!bytes::Has(b, at, kEntryBytes)) {
      d.complete = false;
      break;
    }
    IconDirectoryEntry e;
    e.width = b[at];
    e.height = b[at + 1];
    e.colorCount = b[at + 2];
    e.reserved = b[at + 3];
    bytes::GetU16(b, at + 4, e.planes);
    bytes::GetU16(b, at + 6, e.bitCount);
    bytes::GetU32(b, at + 8, e.bytesInResource);
    bytes::GetU32(b, at + 12, e.imageOffset);
    d.entries.push_back(e);
  }
  return d;
}

bool ReadImageInfoHeader(std::span<const std::uint8_t> b, std::uint32_t offset,
                         ImageInfoHeader& h) {
  const std::size_t o = offset;
  if (!bytes::Has(b, o, kInfoHeaderBytes)) return false;
  std::uint32_t w = 0, ht = 0, xr = 0, yr = 0;
  bytes::GetU32(b, o, h.headerSize);
  bytes::GetU32(b, o + 4, w);
  bytes::GetU32(b, o + 8, ht);
  bytes::GetU16(b, o + 12, h.planes);
  bytes::GetU16(b, o + 14, h.bitCount);
  bytes::GetU32(b, o + 16, h.compression);
  bytes::GetU32(b, o + 20, h.imageSize);
  bytes::GetU32(b, o + 24, xr);
  bytes::GetU32(b, o + 28, yr);
  bytes::GetU32(b, o + 32, h.colorsUsed);
  bytes::GetU32(b, o + 36, h.colorsImportant);
  h.width = static_cast<std::int32_t>(w);
  h.height = static_cast<std::int32_t>(ht);
  h.xPelsPerMeter = static_cast<std::int32_t>(xr);
  h.yPelsPerMeter = static_cast<std::int32_t>(yr);
  return true;
}

bool IsPngImage(std::span<const std::uint8_t> b, std::uint32_t offset) {
  static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return bytes::Has(b, offset, 8) && std::memcmp(b.data() + offset, kSignature, 8) == 0;
}

int PickIconImage(std::span<const IconDirectoryEntry> entries) {
  for (int wanted : {24, 8, 4, 1}) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const IconDirectoryEntry& e = entries[i];
      if (e.width == 32 && e.height == 32 && e.bitCount == wanted) return static_cast<int>(i);
    }
  }
  return -1;
}

void ExpandIndexedPixels(std::span<const std::uint8_t> block, int bitCount,
                         std::span<const PaletteEntry> table, std::span<std::uint8_t> out) {
  if (out.size() < 3072) return;
  auto put = [&](std::size_t pixel, unsigned index) {
    const PaletteEntry e = index < table.size() ? table[index] : PaletteEntry{};
    out[3 * pixel] = e.blue;
    out[3 * pixel + 1] = e.green;
    out[3 * pixel + 2] = e.red;
  };
  switch (bitCount) {
    case 1:
      if (block.size() < 128) return;
      for (std::size_t i = 0; i < 128; ++i)
        for (int j = 0; j < 8; ++j) put(8 * i + j, (block[i] >> (7 - j)) & 1);
      break;
    case 4:
      if (block.size() < 512) return;
      for (std::size_t i = 0; i < 512; ++i) {
        put(2 * i, block[i] >> 4);
        put(2 * i + 1, block[i] & 0x0F);
      }
      break;
    case 8:
      if (block.size() < 1024) return;
      for (std::size_t i = 0; i < 1024; ++i) put(i, block[i]);
      break;
    default:
      break;
  }
}

IconDecodeResult DecodeIconFile(std::span<const std::uint8_t> bytes) {
  IconDecodeResult r;
  r.pixels = Surface(32, 32);  // black until something is read
  const IconDirectory dir = ReadIconDirectory(bytes);
  if (bytes.size() < kHeaderBytes) {
    r.problem = "too short for an icon header";
    return r;
  }
  if (dir.header.reserved != 0 || (dir.header.type != 1 && dir.header.type != 2))
    AddProblem(r.problem, "not an icon or cursor header");
  if (dir.header.count <= 0) {
    AddProblem(r.problem, "no images (count " + std::to_string(dir.header.count) + ")");
    return r;
  }
  if (!dir.complete) AddProblem(r.problem, "directory cut short");
  if (dir.entries.empty()) return r;

  const int chosen = dir.header.count == 1 ? 0 : PickIconImage(dir.entries);
  if (chosen < 0) {
    r.fallback = true;
    r.kind = IconImageKind::Fallback;
    for (int i : FallbackOrder(dir.entries)) {
      DecodedImage img;
      std::string ignored;
      const std::uint32_t off = dir.entries[i].imageOffset;
      if (DecodePngEntry(bytes, off, img) || DecodeDibEntry(bytes, off, img, ignored)) {
        // The icon is drawn over the fresh black surface: see-through parts stay black.
        PlaceScaled(img, r.pixels, kInvalidColor);
        r.entryIndex = i;
        return r;
      }
    }
    AddProblem(r.problem, "no image could be read");
    return r;
  }

  r.entryIndex = chosen;
  const std::uint32_t offset = dir.entries[chosen].imageOffset;
  if (IsPngImage(bytes, offset)) {
    DecodedImage img;
    if (DecodePngEntry(bytes, offset, img)) {
      r.kind = IconImageKind::Png;
      PlaceScaled(img, r.pixels, kWhite);
    } else {
      AddProblem(r.problem, "damaged PNG image");
    }
    return r;
  }
  ImageInfoHeader h;
  if (!ReadImageInfoHeader(bytes, offset, h)) {
    AddProblem(r.problem, "image offset beyond the end of the file");
    // The missing header reads as zeros: no colours, and the mask from where it would be.
    h = ImageInfoHeader{};
  }
  if (h.bitCount == 32) {
    DecodedImage img;
    if (DecodeDibEntry(bytes, offset, img, r.problem)) {
      r.kind = IconImageKind::Rgba32;
      PlaceScaled(img, r.pixels, kWhite);
    } else {
      AddProblem(r.problem, "unreadable 32-bit image");
    }
    return r;
  }
  DecodeFixedEntry(bytes, offset, h, r);
  return r;
}

std::string LoadedTitle(const std::string& path) { return path + " - Varnel Glyphsmith"; }

IconLoadResult LoadIconFile(const std::string& path, IconDocument& doc) {
  IconLoadResult r;
  if (!RegularFileExists(path)) return r;
  r.started = true;
  r.title = LoadedTitle(path);
  doc.modified = false;
  doc.fileName = path;
  doc.Width = doc.Height = kIconSize;

  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, &error, kMaxIconFileBytes)) {
    // Nothing could be read: the fresh black surface stays, as with any damaged file.
    r.readFailed = true;
    r.problem = error;
    doc.surface = Surface(kIconSize, kIconSize);
    r.repaint = r.addToRecent = true;
    return r;
  }
  r.decoded = DecodeIconFile(bytes);
  doc.surface = std::move(r.decoded.pixels);
  r.decoded.pixels = Surface();
  r.problem = r.decoded.problem;
  r.repaint = r.addToRecent = !r.decoded.fallback;
  return r;
}

}  // namespace gs
