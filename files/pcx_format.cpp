#include "files/pcx_format.h"

#include "files/byte_io.h"

namespace gs {

namespace {

constexpr int kMaxRun = 63;

}  // namespace

void EncodePcxLine(std::span<const std::uint8_t> line, std::vector<std::uint8_t>& out) {
  std::size_t i = 0;
  while (i < line.size()) {
    const std::uint8_t v = line[i];
    std::size_t run = 1;
    while (i + run < line.size() && run < kMaxRun && line[i + run] == v) ++run;
    if (run > 1 || v >= 192) {
      out.push_back(static_cast<std::uint8_t>(192 + run));
      out.push_back(v);
    } else {
      out.push_back(v);
    }
    i += run;
  }
}

std::vector<std::uint8_t> BuildPcxBytes(std::span<const std::uint8_t> block, int width, int height,
                                        int bitCount, std::span<const PaletteEntry> table) {
  if (!IsSupportedDepth(bitCount) || width < 1 || height < 1 || width > 0xFFFF || height > 0xFFFF)
    return {};
  const bool rgb = bitCount == 24;
  // Bytes of one plane of one row, and of one stored row of the block.
  const std::size_t planeBytes =
      rgb ? static_cast<std::size_t>(width) : (static_cast<std::size_t>(width) * bitCount + 7) / 8;
  const std::size_t blockRow = rgb ? 3 * planeBytes : planeBytes;
  // Rows of the block as ConvertToDepth lays them out (padded to 4 bytes).
  const std::size_t blockStride = (blockRow + 3) / 4 * 4;
  if (block.size() < blockStride * (height - 1) + blockRow) return {};
  if ((bitCount == 4 && table.size() < 16) || (bitCount == 8 && table.size() < 256)) return {};

  bytes::Writer w(128 + 2 * block.size() + 769);
  w.U8(10);
  w.U8(5);
  w.U8(1);
  w.U8(rgb ? 8 : bitCount);
  w.U16(1);
  w.U16(1);
  w.U16(width);
  w.U16(height);
  w.U16(96);
  w.U16(96);
  for (int i = 0; i < 16; ++i) {
    if (bitCount == 4) {
      w.U8(table[i].red);
      w.U8(table[i].green);
      w.U8(table[i].blue);
    } else {
      w.Fill(3, 0);
    }
  }
  w.U8(0);
  w.U8(rgb ? 3 : 1);
  w.U16(static_cast<unsigned>(planeBytes));
  w.U16(0);
  w.Fill(58, 0);

  std::vector<std::uint8_t> encoded;
  encoded.reserve(2 * block.size());
  std::vector<std::uint8_t> plane(planeBytes);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = block.data() + blockStride * y;
    if (!rgb) {
      EncodePcxLine({row, planeBytes}, encoded);
      continue;
    }
    // Blue-green-red triples split into red, green and blue planes.
    for (int channel : {2, 1, 0}) {
      for (std::size_t x = 0; x < planeBytes; ++x) plane[x] = row[3 * x + channel];
      EncodePcxLine(plane, encoded);
    }
  }
  w.Bytes(encoded);
  if (bitCount == 8) {
    w.U8(12);
    for (int i = 0; i < 256; ++i) {
      w.U8(table[i].red);
      w.U8(table[i].green);
      w.U8(table[i].blue);
    }
  }
  return w.Take();
}

std::vector<std::uint8_t> BuildPcxBytes(const Surface& document, int bitCount) {
  if (!IsSupportedDepth(bitCount)) return {};
  const DepthImage img = ConvertToDepth(document, bitCount, RowOrder::TopDown);
  return BuildPcxBytes(img.block, 32, 32, bitCount, img.table);
}

WriteStatus WritePcxFile(const std::string& path, const Surface& document, int bitCount) {
  const std::vector<std::uint8_t> b = BuildPcxBytes(document, bitCount);
  if (b.empty())
    return WriteStatus::Failure(path, "unsupported colour depth " + std::to_string(bitCount));
  return WriteFileSafely(path, b);
}

WriteStatus WritePcxFile(const std::string& path, std::span<const std::uint8_t> block, int width,
                         int height, int bitCount, std::span<const PaletteEntry> table) {
  const std::vector<std::uint8_t> b = BuildPcxBytes(block, width, height, bitCount, table);
  if (b.empty()) return WriteStatus::Failure(path, "colour block and sizes do not agree");
  return WriteFileSafely(path, b);
}

}  // namespace gs
