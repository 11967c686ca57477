#include "files/bmp_format.h"

#include "files/byte_io.h"
#include "files/depth.h"

namespace gs {

std::vector<std::uint8_t> BuildBitmapBytes(const Surface& document, int bitCount) {
  if (!IsSupportedDepth(bitCount)) return {};
  // The document as it is: white stays white, bitmaps have no mask.
  const std::span<const PaletteEntry> table = StandardTable(bitCount);
  const std::uint32_t tableEntries = static_cast<std::uint32_t>(table.size());
  const std::uint32_t blockBytes = static_cast<std::uint32_t>(BlockRowBytes(bitCount)) * 32;
  const std::uint32_t dataOffset = 14 + 40 + tableEntries * 4;
  const std::uint32_t fileSize = dataOffset + blockBytes;

  bytes::Writer w(fileSize);
  // BITMAPFILEHEADER
  w.Tag("BM");
  w.U32(fileSize);
  w.U16(0);
  w.U16(0);
  w.U32(dataOffset);
  // BITMAPINFOHEADER
  w.U32(40);
  w.U32(32);
  w.U32(32);
  w.U16(1);
  w.U16(bitCount);
  w.U32(0);
  w.U32(bitCount == 24 ? 3072 : 0);
  w.U32(0);
  w.U32(0);
  w.U32(tableEntries);
  w.U32(tableEntries);
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
