#pragma once
// Small pictures built byte by byte for the decoder tests.
#include <cstdint>
#include <vector>

#include "files/byte_io.h"

namespace gs::test {

// A .bmp file: 14-byte file header, 40-byte information header (or `infoSize`
// bytes, zero-padded beyond the first 40, with the masks at 40..55 when given),
// colour table, pixels.
struct BmpSpec {
  int width = 0;
  int height = 0;  // negative: top-down
  int bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t infoSize = 40;
  std::vector<std::uint32_t> masks;  // red, green, blue[, alpha]
  std::vector<std::uint32_t> table;  // 0x00RRGGBB entries
  std::vector<std::uint8_t> pixels;  // as stored
  std::uint32_t colorsUsed = 0;
};

inline std::vector<std::uint8_t> BuildBmp(const BmpSpec& s) {
  bytes::Writer w;
  const bool masksAfter = s.infoSize == 40 && !s.masks.empty();
  const std::uint32_t offBits = 14 + s.infoSize + (masksAfter ? 4 * s.masks.size() : 0) +
                                static_cast<std::uint32_t>(4 * s.table.size());
  w.Tag("BM");
  w.U32(offBits + static_cast<std::uint32_t>(s.pixels.size()));
  w.U32(0);
  w.U32(offBits);
  w.U32(s.infoSize);
  w.U32(static_cast<std::uint32_t>(s.width));
  w.U32(static_cast<std::uint32_t>(s.height));
  w.U16(1);
  w.U16(static_cast<unsigned>(s.bitCount));
  w.U32(s.compression);
  w.U32(static_cast<std::uint32_t>(s.pixels.size()));
  w.U32(2835);
  w.U32(2835);
  w.U32(s.colorsUsed);
  w.U32(0);
  std::size_t extra = s.infoSize - 40;
  for (std::size_t i = 0; i < s.masks.size(); ++i) {
    w.U32(s.masks[i]);
    if (!masksAfter) extra -= 4;
  }
  w.Fill(extra, 0);
  for (std::uint32_t c : s.table) w.U32(c);
  w.Bytes(s.pixels);
  return w.Take();
}

}  // namespace gs::test
