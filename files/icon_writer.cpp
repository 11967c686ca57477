// SSE2 speeds up the split of each row into mask bits and working colours
// (SplitEight), eight pixels at a time; its plain twin is the #else branch
// of the same function (built alone with GLYPHSMITH_NO_SIMD).
#include "files/icon_writer.h"

#include <algorithm>

#include "document/icon_mask.h"
#include "files/bitmap_info_header.h"
#include "files/byte_io.h"
#include "files/simd.h"

namespace gs {

namespace {

// Values of the directory entry and image header that differ by depth. They
// follow no one rule (image size 2 at 4 bits...) and other programs have long
// read them as they are. A 1-bit entry states planes 1 and bit count 1: some
// readers (Qt's among them) refuse any other planes value. A 24-bit
// image has no colour table: common readers ignore colours used there and
// would take a table entry for the first pixels.
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
      f = {0, 1, 1, 128, 0};
      return true;
    case 4:
      f = {16, 0, 0, 2, 0};
      return true;
    case 8:
      f = {0, 0, 0, 1152, 256};
      return true;
    case 24:
      f = {0, 0, 0, 1153, 0};
      return true;
    default:
      return false;
  }
}

constexpr std::uint32_t kImageOffset = 22;

// Eight pixels of a row: their working colours into `out`, their mask byte returned.
std::uint8_t SplitEight(const Color* in, Color* out) {
#if GS_SSE2
  // White and the invalid colour both become black, which is all zeros.
  static_assert(kBlack == 0 && WorkingColor(kTransparent) == kBlack);
  const __m128i white = _mm_set1_epi32(static_cast<int>(kTransparent));
  const __m128i invalid = _mm_set1_epi32(static_cast<int>(kInvalidColor));
  unsigned bits = 0;
  for (int half = 0; half < 2; ++half) {
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 4 * half));
    const __m128i isWhite = _mm_cmpeq_epi32(c, white);
    const __m128i gone = _mm_or_si128(isWhite, _mm_cmpeq_epi32(c, invalid));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * half), _mm_andnot_si128(gone, c));
    // The first pixel goes to the mask byte's top bit: lanes reversed, the
    // first half above the second.
    const __m128i reversed = _mm_shuffle_epi32(isWhite, _MM_SHUFFLE(0, 1, 2, 3));
    bits = bits << 4 | static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(reversed)));
  }
  return static_cast<std::uint8_t>(bits);
#else
  unsigned bits = 0;
  for (int x = 0; x < 8; ++x) {
    const Color c = in[x] == kInvalidColor ? kBlack : in[x];
    bits = bits << 1 | static_cast<unsigned>(IsMaskedOut(c));
    out[x] = WorkingColor(c);
  }
  return static_cast<std::uint8_t>(bits);
#endif
}

// One pass over the document gives both halves of an icon image: the mask
// bit and the colour stored under it (the rules of document/icon_mask.h).
// Pixels beyond a smaller surface read black and opaque, as block copies leave them.
void SplitDocument(const Surface& document, std::array<Color, 1024>& working,
                   std::array<std::uint8_t, 128>& mask) {
  const bool whole = document.Width() >= 32 && document.Height() >= 32;
  for (int y = 0; y < 32; ++y) {
    Color copy[32];
    const Color* row = copy;
    if (whole)
      row = document.Row(y);
    else
      for (int x = 0; x < 32; ++x) copy[x] = document.GetPixel(x, y);
    Color* out = working.data() + y * 32;
    std::uint8_t* maskRow = mask.data() + (31 - y) * 4;
    for (int k = 0; k < 4; ++k) maskRow[k] = SplitEight(row + 8 * k, out + 8 * k);
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

  // The standard tables go straight into the file; the 8-bit palette methods
  // make a table of the picture's own.
  DepthImage own;
  const bool standard = bitCount != 8 || method == PaletteMethod::None;
  if (!standard)
    own = method == PaletteMethod::High ? BuildExactPalette(working) : BuildSampledPalette(working);
  const std::size_t tableEntries = standard ? StandardTable(bitCount).size() : own.table.size();
  const auto tableBytes = static_cast<std::uint32_t>(tableEntries) * 4;  // none at 24 bits
  const auto blockBytes =
      static_cast<std::uint32_t>(standard ? BlockRowBytes(bitCount) * 32 : own.block.size());
  const std::uint32_t resourceBytes =
      static_cast<std::uint32_t>(kBitmapInfoHeaderBytes) + tableBytes + blockBytes + 128;

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
  BitmapInfoHeader info;
  info.headerSize = kBitmapInfoHeaderBytes;
  info.width = 32;
  info.height = 64;  // colour rows and mask rows
  info.planes = 1;
  info.bitCount = static_cast<std::uint16_t>(bitCount);
  info.imageSize = f.imageSize;
  info.colorsUsed = f.colorsUsed;
  WriteBitmapInfoHeader(w, info);
  if (standard)
    w.Bytes(StandardTableBytes(bitCount));
  else
    w.Bytes(ColorTableBytes(own.table));
  if (standard)
    ConvertPixelsInto(working, bitCount, RowOrder::BottomUp, {w.Grow(blockBytes), blockBytes});
  else
    w.Bytes(own.block);
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
