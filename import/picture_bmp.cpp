// Windows bitmaps and packed DIBs: every header size in use, 1/4/8/16/24/32
// bits with bit fields, RLE4 and RLE8, bottom-up and top-down rows, and the
// PNG or JPEG that a bitmap may carry. Every read is bounds-checked.
#include <array>
#include <bit>
#include <cstring>

#include "files/bitmap_info_header.h"
#include "files/byte_io.h"
#include "files/icon_image.h"
#include "import/picture_decoder.h"

namespace gs {

namespace {

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiJpeg = 4,
                        kBiPng = 5, kBiAlphaBitfields = 6;

// 14 bytes at offset 0 of a .bmp file.
struct BitmapFileHeader {
  std::uint16_t type = 0;  // "BM"
  std::uint32_t size = 0;
  std::uint32_t offBits = 0;
};

// Bit fields: from the V2 headers on (52 bytes and more), or the 12 or 16
// bytes after a 40-byte header that asks for them.
struct ChannelMasks {
  std::uint32_t red = 0, green = 0, blue = 0, alpha = 0;
};

bool ReadInfoHeader(std::span<const std::uint8_t> b, std::size_t at, BitmapInfoHeader& h,
                    ChannelMasks& m, std::string& error) {
  std::uint32_t size = 0;
  if (!bytes::GetU32(b, at, size)) return error = "bitmap header cut short", false;
  if (size != 12 && (size < 16 || size > 4096))
    return error = "unknown bitmap header size " + std::to_string(size), false;
  if (!ReadSizedBitmapInfoHeader(b, at, h)) return error = "bitmap header cut short", false;
  // The 64-byte OS/2 header gives compressions 3 and 4 other meanings.
  if (h.headerSize == 64 && (h.compression == 3 || h.compression == 4))
    return error = "OS/2 Huffman and RLE24 bitmaps are not supported", false;
  if (h.headerSize >= 52) {
    if (!bytes::GetU32(b, at + 40, m.red) || !bytes::GetU32(b, at + 44, m.green) ||
        !bytes::GetU32(b, at + 48, m.blue))
      return error = "bitmap header cut short", false;
    if (h.headerSize >= 56 && !bytes::GetU32(b, at + 52, m.alpha))
      return error = "bitmap header cut short", false;
  } else if (h.headerSize == 40 &&
             (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields)) {
    if (!bytes::GetU32(b, at + 40, m.red) || !bytes::GetU32(b, at + 44, m.green) ||
        !bytes::GetU32(b, at + 48, m.blue))
      return error = "bit fields cut short", false;
    if (h.compression == kBiAlphaBitfields && !bytes::GetU32(b, at + 52, m.alpha))
      return error = "bit fields cut short", false;
  }
  return true;
}

// One channel of a bit-field pixel scaled to 0..255.
struct Field {
  unsigned shift = 0;
  unsigned bits = 0;
  std::uint32_t mask = 0;
  explicit Field(std::uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = static_cast<unsigned>(std::countr_zero(m));
    bits = static_cast<unsigned>(std::countr_one(m >> shift));
  }
  int Get(std::uint32_t px) const {
    if (bits == 0) return 0;
    const std::uint32_t v = (px & mask) >> shift;
    if (bits >= 8) return static_cast<int>((v >> (bits - 8)) & 0xFF);
    const std::uint32_t top = (1u << bits) - 1;
    return static_cast<int>(((v & top) * 255 + top / 2) / top);
  }
};

// Every index a row can hold has an entry: those the file lacks are black.
struct Palette {
  std::array<Color, 256> colors{};
  Color At(unsigned i) const { return i < colors.size() ? colors[i] : kBlack; }
};

// Rows of the picture in the order they are stored.
int StoredRowToY(int row, int height, bool topDown) { return topDown ? row : height - 1 - row; }

// Walks a run-length stream, calling plot(pixel, index) for each pixel it
// writes inside a w x h picture (pixel = y * w + x); skipped pixels are not
// visited. The same walk counts before it draws.
template <typename Plot>
void WalkRle(std::span<const std::uint8_t> data, bool four, int w, int h, bool topDown,
             Plot&& plot) {
  int x = 0, row = 0;
  std::size_t i = 0;
  auto put = [&](int count, auto indexOf) {
    // Pixels beyond the right edge are dropped; x still advances.
    for (int k = 0; k < count; ++k) {
      if (x >= w) {
        x += count - k;
        return;
      }
      plot(static_cast<std::size_t>(StoredRowToY(row, h, topDown)) * w + x, indexOf(k));
      ++x;
    }
  };
  while (i + 1 < data.size() && row < h) {
    const int n = data[i], v = data[i + 1];
    i += 2;
    if (n > 0) {
      // Encoded run: one index, or two alternating indexes for RLE4.
      if (four)
        put(n, [&](int k) { return static_cast<unsigned>((k & 1) ? (v & 0x0F) : (v >> 4)); });
      else
        put(n, [&](int) { return static_cast<unsigned>(v); });
      continue;
    }
    if (v == 0) {  // end of line
      x = 0;
      ++row;
    } else if (v == 1) {  // end of bitmap
      return;
    } else if (v == 2) {  // delta
      if (i + 1 >= data.size()) return;
      x += data[i];
      row += data[i + 1];
      i += 2;
    } else {  // absolute run of v pixels, padded to a 16-bit boundary
      const std::size_t stored =
          four ? (static_cast<std::size_t>(v) + 1) / 2 : static_cast<std::size_t>(v);
      const std::size_t avail = i < data.size() ? data.size() - i : 0;
      const std::size_t take = std::min(stored, avail);
      const std::span<const std::uint8_t> run = data.subspan(i, take);
      const int count =
          four ? static_cast<int>(std::min<std::size_t>(v, take * 2)) : static_cast<int>(take);
      put(count, [&](int k) {
        const std::uint8_t byte =
            run[four ? static_cast<std::size_t>(k / 2) : static_cast<std::size_t>(k)];
        return static_cast<unsigned>(four ? ((k & 1) ? (byte & 0x0F) : (byte >> 4)) : byte);
      });
      i += (stored + 1) & ~std::size_t{1};
    }
  }
}

}  // namespace

bool DecodeBmpPicture(std::span<const std::uint8_t> b, Picture& out, std::string& error,
                      const PictureLimits& limits) {
  out = {};
  error.clear();
  BitmapFileHeader file;
  std::size_t infoAt = 0;
  bool hasFileHeader = false;
  if (bytes::GetU16(b, 0, file.type) && file.type == 0x4D42) {
    if (!bytes::GetU32(b, 2, file.size) || !bytes::GetU32(b, 10, file.offBits))
      return error = "bitmap file header cut short", false;
    infoAt = 14;
    hasFileHeader = true;
  }
  BitmapInfoHeader h;
  ChannelMasks masks;
  if (!ReadInfoHeader(b, infoAt, h, masks, error)) return false;

  const bool topDown = h.height < 0 && h.headerSize != 12;
  const std::int64_t width = h.width;
  const std::int64_t height = topDown ? -static_cast<std::int64_t>(h.height) : h.height;
  if (std::string why = CheckPictureSize(width, height, limits); !why.empty())
    return error = why, false;

  // Where the colour table and the pixels start.
  std::size_t tableAt = infoAt + h.headerSize;
  if (h.headerSize == 40 && h.compression == kBiBitfields) tableAt += 12;
  if (h.headerSize == 40 && h.compression == kBiAlphaBitfields) tableAt += 16;
  const std::size_t entrySize = h.headerSize == 12 ? 3 : 4;
  std::size_t tableCount = 0;
  if (h.bitCount <= 8) {
    const std::size_t full = std::size_t{1} << h.bitCount;
    tableCount = h.colorsUsed != 0 && h.colorsUsed < full ? h.colorsUsed : full;
  } else if (h.colorsUsed != 0 && h.colorsUsed <= 256) {
    tableCount = h.colorsUsed;  // an optimisation hint for true-colour pictures; skipped
  }
  std::size_t pixelsAt = tableAt + tableCount * entrySize;
  if (hasFileHeader && file.offBits >= 14 && file.offBits < b.size()) pixelsAt = file.offBits;
  if (pixelsAt > b.size()) return error = "bitmap data missing", false;
  const std::span<const std::uint8_t> data = b.subspan(pixelsAt);

  if (h.compression == kBiPng || h.compression == kBiJpeg) {
    const bool png = h.compression == kBiPng;
    if (!(png ? DecodePngPicture(data, out, error, limits)
              : DecodeJpegPicture(data, out, error, {limits})))
      return false;
    return true;
  }

  switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return error = "unsupported bit count " + std::to_string(h.bitCount), false;
  }
  const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
  if (rle && h.bitCount != (h.compression == kBiRle8 ? 8 : 4))
    return error = "run-length compression does not match the bit count", false;
  const bool fields = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
  if (!rle && !fields && h.compression != kBiRgb)
    return error = "unsupported bitmap compression " + std::to_string(h.compression), false;
  if (fields && h.bitCount != 16 && h.bitCount != 32)
    return error = "bit fields need 16 or 32 bits a pixel", false;

  const int w = static_cast<int>(width), hgt = static_cast<int>(height);
  const std::uint64_t stride = ((static_cast<std::uint64_t>(w) * h.bitCount + 31) / 32) * 4;
  // Uncompressed pixels must all be there before we allocate for them, so a
  // few bytes can never claim a huge picture.
  if (!rle) {
    const std::uint64_t need = stride * static_cast<std::uint64_t>(hgt - 1) +
                               (static_cast<std::uint64_t>(w) * h.bitCount + 7) / 8;
    if (data.size() < need) return error = "bitmap pixel data cut short", false;
  }

  Palette pal;
  if (h.bitCount <= 8) {
    for (std::size_t k = 0; k < tableCount; ++k) {
      const std::size_t at = tableAt + k * entrySize;
      if (!bytes::Has(b, at, 3) || at + 3 > pixelsAt) break;  // missing entries read as black
      pal.colors[k] = RGB(b[at + 2], b[at + 1], b[at]);
    }
  }

  if (rle) {
    const bool four = h.compression == kBiRle4;
    // End of line and delta skip pixels, which stay white: a few bytes can
    // claim a picture of nothing. Before a large picture's memory is taken,
    // the stream must be seen to write a share of it.
    const std::uint64_t area = static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(hgt);
    if (area > kRleFreePixels) {
      std::uint64_t written = 0;
      WalkRle(data, four, w, hgt, topDown, [&](std::size_t, unsigned) { ++written; });
      if (written * kRleAreaPerPixel < area)
        return error = "run-length data writes " + std::to_string(written) + " of the picture's " +
                       std::to_string(area) + " pixels; past " + std::to_string(kRleFreePixels) +
                       " pixels it must write one in " + std::to_string(kRleAreaPerPixel),
               false;
    }
    out.width = w;
    out.height = hgt;
    out.pixels.assign(static_cast<std::size_t>(area), kWhite);
    WalkRle(data, four, w, hgt, topDown,
            [&](std::size_t at, unsigned index) { out.pixels[at] = pal.At(index); });
    return true;
  }
  out.width = w;
  out.height = hgt;
  out.pixels.assign(static_cast<std::size_t>(w) * hgt, kBlack);

  // Default fields: 5-5-5 for 16 bits, 8-8-8 for 32; alpha only when given.
  std::uint32_t rm = masks.red, gm = masks.green, bm = masks.blue, am = masks.alpha;
  if (!fields && h.headerSize < 56) am = 0;
  if (!fields) {
    if (h.bitCount == 16) rm = 0x7C00, gm = 0x03E0, bm = 0x001F;
    if (h.bitCount == 32) rm = 0x00FF0000, gm = 0x0000FF00, bm = 0x000000FF;
  }
  const Field fr(rm), fg(gm), fb(bm), fa(am);
  // An alpha channel that is zero everywhere means none was meant.
  bool anyAlpha = false;
  if (am != 0 && (h.bitCount == 32 || h.bitCount == 16)) {
    for (int row = 0; row < hgt && !anyAlpha; ++row) {
      const std::uint8_t* p = data.data() + stride * static_cast<std::uint64_t>(row);
      for (int x = 0; x < w; ++x) {
        const std::uint32_t px = h.bitCount == 32
                                     ? static_cast<std::uint32_t>(p[4 * x] | (p[4 * x + 1] << 8) |
                                                                  (p[4 * x + 2] << 16)) |
                                           (static_cast<std::uint32_t>(p[4 * x + 3]) << 24)
                                     : static_cast<std::uint32_t>(p[2 * x] | (p[2 * x + 1] << 8));
        if (fa.Get(px) != 0) {
          anyAlpha = true;
          break;
        }
      }
    }
  }

  for (int row = 0; row < hgt; ++row) {
    const std::uint8_t* p = data.data() + stride * static_cast<std::uint64_t>(row);
    Color* dst = out.pixels.data() + static_cast<std::size_t>(StoredRowToY(row, hgt, topDown)) * w;
    switch (h.bitCount) {
      case 1:
        DecodeRow1(p, w, pal.colors.data(), dst);
        break;
      case 4:
        DecodeRow4(p, w, pal.colors.data(), dst);
        break;
      case 8:
        DecodeRow8(p, w, pal.colors.data(), dst);
        break;
      case 24:
        DecodeRow24(p, w, dst);
        break;
      case 16:
      case 32:
        for (int x = 0; x < w; ++x) {
          const std::uint32_t px = h.bitCount == 32
                                       ? static_cast<std::uint32_t>(p[4 * x] | (p[4 * x + 1] << 8) |
                                                                    (p[4 * x + 2] << 16)) |
                                             (static_cast<std::uint32_t>(p[4 * x + 3]) << 24)
                                       : static_cast<std::uint32_t>(p[2 * x] | (p[2 * x + 1] << 8));
          dst[x] = anyAlpha ? OverWhite(fr.Get(px), fg.Get(px), fb.Get(px), fa.Get(px))
                            : RGB(fr.Get(px), fg.Get(px), fb.Get(px));
        }
        break;
    }
  }
  return true;
}

}  // namespace gs
