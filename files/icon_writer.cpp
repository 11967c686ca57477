#include "files/icon_writer.h"

#include <algorithm>

#include "document/icon_mask.h"
#include "files/byte_io.h"

namespace gs {

namespace {

// Values of the directory entry and image header that differ by depth. They
// follow no one rule (planes 5 and bit count 7 at 1 bit, image size 2 at
// 4 bits...) and other programs have long read them as they are.
struct IconFields {
  int colorCount;
  int entryPlanes;
  int entryBitCount;
  std::uint32_t imageSize;
  std::uint32_t colorsUsed;
};

bool FieldsFor(int bitCount, IconFields& f) {
  switch (bitCount) {
    case 1:
      f = {0, 5, 7, 128, 0};
      return true;
    case 4:
      f = {16, 0, 0, 2, 0};
      return true;
    case 8:
      f = {0, 0, 0, 1152, 256};
      return true;
    case 24:
      f = {0, 0, 0, 1153, 1};
      return true;
    default:
      return false;
  }
}

constexpr std::uint32_t kImageOffset = 22;

// One pass over the document gives both halves of an icon image: the mask
// bit and the colour stored under it (the rules of document/icon_mask.h).
// Pixels beyond a smaller surface read black and opaque, as block copies leave them.
void SplitDocument(const Surface& document, std::array<Color, 1024>& working,
                   std::array<std::uint8_t, 128>& mask) {
  const bool whole = document.Width() >= 32 && document.Height() >= 32;
  for (int y = 0; y < 32; ++y) {
    Color row[32];
    if (whole)
      std::copy_n(document.Row(y), 32, row);
    else
      for (int x = 0; x < 32; ++x) row[x] = document.GetPixel(x, y);
    Color* out = working.data() + y * 32;
    std::uint32_t bits = 0;  // the row's mask, first pixel in the top bit
    for (int x = 0; x < 32; ++x) {
      const Color c = row[x] == kInvalidColor ? kBlack : row[x];
      bits |= static_cast<std::uint32_t>(IsMaskedOut(c)) << (31 - x);
      out[x] = WorkingColor(c);
    }
    std::uint8_t* maskRow = mask.data() + (31 - y) * 4;
    for (int k = 0; k < 4; ++k) maskRow[k] = static_cast<std::uint8_t>(bits >> (24 - 8 * k));
  }
}

}  // namespace

std::array<std::uint8_t, 128> BuildIconMask(const Surface& document) {
  std::array<Color, 1024> working;
  std::array<std::uint8_t, 128> mask;
  SplitDocument(document, working, mask);
  return mask;
}

std::vector<std::uint8_t> BuildIconBytes(const Surface& document, int bitCount,
                                         PaletteMethod method) {
  IconFields f;
  if (!FieldsFor(bitCount, f)) return {};
  // The colours come from a copy with white turned black; the mask says
  // which of those black pixels are really transparent.
  std::array<Color, 1024> working;
  std::array<std::uint8_t, 128> mask;
  SplitDocument(document, working, mask);

  DepthImage img;
  if (bitCount == 8 && method == PaletteMethod::High) {
    img = BuildExactPalette(working);
  } else if (bitCount == 8 && method == PaletteMethod::Extreme) {
    img = BuildSampledPalette(working);
  } else {
    img = ConvertPixelsToDepth(working, bitCount, RowOrder::BottomUp);
  }
  const std::uint32_t tableBytes =
      bitCount == 24 ? 4 : static_cast<std::uint32_t>(img.table.size()) * 4;
  const std::uint32_t resourceBytes =
      40 + tableBytes + static_cast<std::uint32_t>(img.block.size()) + 128;

  bytes::Writer w(kImageOffset + resourceBytes);
  // IconFileHeader
  w.U16(0);
  w.U16(1);
  w.U16(1);
  // IconDirectoryEntry
  w.U8(32);
  w.U8(32);
  w.U8(f.colorCount);
  w.U8(0);
  w.U16(f.entryPlanes);
  w.U16(f.entryBitCount);
  w.U32(resourceBytes);
  w.U32(kImageOffset);
  // ImageInfoHeader
  w.U32(40);
  w.U32(32);
  w.U32(64);
  w.U16(1);
  w.U16(bitCount);
  w.U32(0);
  w.U32(f.imageSize);
  w.U32(0);
  w.U32(0);
  w.U32(f.colorsUsed);
  w.U32(0);
  if (bitCount == 24) {
    w.Fill(4, 0x20);
  } else {
    w.Bytes(ColorTableBytes(img.table));
  }
  w.Bytes(img.block);
  w.Bytes(mask);
  return w.Take();
}

bool MarkAsCursor(std::vector<std::uint8_t>& b, std::int16_t hotspotX, std::int16_t hotspotY) {
  if (b.size() < 14) return false;
  bytes::PutU16(b, 2, 2);
  bytes::PutU16(b, 10, static_cast<std::uint16_t>(hotspotX));
  bytes::PutU16(b, 12, static_cast<std::uint16_t>(hotspotY));
  return true;
}

WriteStatus WriteIconFile(const std::string& path, const Surface& document, int bitCount,
                          PaletteMethod method) {
  const std::vector<std::uint8_t> b = BuildIconBytes(document, bitCount, method);
  if (b.empty())
    return WriteStatus::Failure(path, "unsupported colour depth " + std::to_string(bitCount));
  return WriteFileSafely(path, b);
}

WriteStatus WriteCursorFile(const std::string& path, const Surface& document, int bitCount,
                            PaletteMethod method, std::int16_t hotspotX, std::int16_t hotspotY) {
  if (hotspotX < 0 || hotspotX > 31 || hotspotY < 0 || hotspotY > 31)
    return WriteStatus::Failure(path, "hotspot outside 0..31");
  std::vector<std::uint8_t> b = BuildIconBytes(document, bitCount, method);
  if (b.empty())
    return WriteStatus::Failure(path, "unsupported colour depth " + std::to_string(bitCount));
  // The cursor is made whole in memory, so no half-made one ever reaches the disk.
  MarkAsCursor(b, hotspotX, hotspotY);
  return WriteFileSafely(path, b);
}

}  // namespace gs
