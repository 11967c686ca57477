#include "files/bmp_format.h"

#include "files/bitmap_info_header.h"
#include "files/byte_io.h"
#include "files/depth.h"

namespace gs {

std::vector<std::uint8_t> BuildBitmapBytes(const Surface& document, int bitCount) {
  if (!IsSupportedDepth(bitCount)) return {};
  // The document as it is: white stays white, bitmaps have no mask.
  const std::span<const PaletteEntry> table = StandardTable(bitCount);
  const std::uint32_t tableEntries = static_cast<std::uint32_t>(table.size());
  const std::uint32_t blockBytes = static_cast<std::uint32_t>(BlockRowBytes(bitCount)) * 32;
  const std::uint32_t dataOffset =
      14 + static_cast<std::uint32_t>(kBitmapInfoHeaderBytes) + tableEntries * 4;
  const std::uint32_t fileSize = dataOffset + blockBytes;

  bytes::Writer w(fileSize);
  // BITMAPFILEHEADER
  w.Tag("BM");
  w.U32(fileSize);
  w.U16(0);
  w.U16(0);
  w.U32(dataOffset);
  BitmapInfoHeader info;
  info.headerSize = kBitmapInfoHeaderBytes;
  info.width = 32;
  info.height = 32;
  info.planes = 1;
  info.bitCount = static_cast<std::uint16_t>(bitCount);
  info.imageSize = bitCount == 24 ? 3072 : 0;
  info.colorsUsed = tableEntries;
  info.colorsImportant = tableEntries;
  WriteBitmapInfoHeader(w, info);
  w.Bytes(StandardTableBytes(bitCount));
  ConvertPixelsInto(PixelsOf(document), bitCount, RowOrder::BottomUp,
                    {w.Grow(blockBytes), blockBytes});
  return w.Take();
}

WriteStatus WriteBitmapFile(const std::string& path, const Surface& document, int bitCount) {
  const std::vector<std::uint8_t> b = BuildBitmapBytes(document, bitCount);
  if (b.empty())
    return WriteStatus::Failure(path, "unsupported colour depth " + std::to_string(bitCount));
  return WriteFileSafely(path, b);
}

}  // namespace gs
