#include "files/bitmap_info_header.h"

namespace gs {

namespace {

constexpr std::size_t kCoreHeaderBytes = 12;
constexpr std::size_t kShortHeaderBytes = 16;

// Reads the first n bytes of the layout (16 or 40); the bytes must be there.
void ReadLayout(std::span<const std::uint8_t> b, std::size_t o, std::size_t n,
                BitmapInfoHeader& h) {
  std::uint32_t w = 0, ht = 0;
  bytes::GetU32(b, o, h.headerSize);
  bytes::GetU32(b, o + 4, w);
  bytes::GetU32(b, o + 8, ht);
  bytes::GetU16(b, o + 12, h.planes);
  bytes::GetU16(b, o + 14, h.bitCount);
  h.width = static_cast<std::int32_t>(w);
  h.height = static_cast<std::int32_t>(ht);
  if (n < kBitmapInfoHeaderBytes) return;
  std::uint32_t xr = 0, yr = 0;
  bytes::GetU32(b, o + 16, h.compression);
  bytes::GetU32(b, o + 20, h.imageSize);
  bytes::GetU32(b, o + 24, xr);
  bytes::GetU32(b, o + 28, yr);
  bytes::GetU32(b, o + 32, h.colorsUsed);
  bytes::GetU32(b, o + 36, h.colorsImportant);
  h.xPelsPerMeter = static_cast<std::int32_t>(xr);
  h.yPelsPerMeter = static_cast<std::int32_t>(yr);
}

}  // namespace

bool ReadBitmapInfoHeader(std::span<const std::uint8_t> b, std::size_t offset,
                          BitmapInfoHeader& h) {
  h = {};
  if (!bytes::Has(b, offset, kBitmapInfoHeaderBytes)) return false;
  ReadLayout(b, offset, kBitmapInfoHeaderBytes, h);
  return true;
}

bool ReadSizedBitmapInfoHeader(std::span<const std::uint8_t> b, std::size_t offset,
                               BitmapInfoHeader& h) {
  h = {};
  if (!bytes::GetU32(b, offset, h.headerSize)) return false;
  if (h.headerSize == kCoreHeaderBytes) {
    std::uint16_t w = 0, ht = 0;
    if (!bytes::GetU16(b, offset + 4, w) || !bytes::GetU16(b, offset + 6, ht) ||
        !bytes::GetU16(b, offset + 8, h.planes) || !bytes::GetU16(b, offset + 10, h.bitCount))
      return false;
    h.width = w;
    h.height = ht;
    return true;
  }
  const std::size_t n =
      h.headerSize < kBitmapInfoHeaderBytes ? kShortHeaderBytes : kBitmapInfoHeaderBytes;
  if (!bytes::Has(b, offset, n)) return false;
  ReadLayout(b, offset, n, h);
  return true;
}

void WriteBitmapInfoHeader(bytes::Writer& w, const BitmapInfoHeader& h) {
  w.U32(h.headerSize);
  w.U32(static_cast<std::uint32_t>(h.width));
  w.U32(static_cast<std::uint32_t>(h.height));
  w.U16(h.planes);
  w.U16(h.bitCount);
  w.U32(h.compression);
  w.U32(h.imageSize);
  w.U32(static_cast<std::uint32_t>(h.xPelsPerMeter));
  w.U32(static_cast<std::uint32_t>(h.yPelsPerMeter));
  w.U32(h.colorsUsed);
  w.U32(h.colorsImportant);
}

}  // namespace gs
