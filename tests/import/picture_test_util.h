#pragma once
// Small pictures built byte by byte for the decoder tests.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

// jpeglib.h uses FILE and size_t without including their headers.
#include <jpeglib.h>

#include "document/colors.h"
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

// A JPEG as libjpeg writes it: `setup` changes the parameters after the
// defaults (size and colour space are set), `fill` gives row y before it is written.
inline std::vector<std::uint8_t> CompressJpeg(
    int w, int h, int components, J_COLOR_SPACE space,
    const std::function<void(jpeg_compress_struct&)>& setup,
    const std::function<void(int, std::vector<std::uint8_t>&)>& fill) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = static_cast<JDIMENSION>(w);
  cinfo.image_height = static_cast<JDIMENSION>(h);
  cinfo.input_components = components;
  cinfo.in_color_space = space;
  jpeg_set_defaults(&cinfo);
  if (setup) setup(cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(w) * components);
  while (cinfo.next_scanline < cinfo.image_height) {
    fill(static_cast<int>(cinfo.next_scanline), row);
    JSAMPROW r[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, r, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<std::uint8_t> bytes(out, out + size);
  jpeg_destroy_compress(&cinfo);
  std::free(out);
  return bytes;
}

// A JPEG of quality 95: one colour, or with `gradient` red across, green down
// and blue in 64-pixel squares of 30 and 220.
inline std::vector<std::uint8_t> EncodeJpeg(int w, int h, Color c, bool gradient = false) {
  return CompressJpeg(
      w, h, 3, JCS_RGB, [](jpeg_compress_struct& cinfo) { jpeg_set_quality(&cinfo, 95, TRUE); },
      [&](int y, std::vector<std::uint8_t>& row) {
        for (int x = 0; x < w; ++x) {
          if (gradient) {
            row[3 * x] = static_cast<std::uint8_t>(x * 255 / w);
            row[3 * x + 1] = static_cast<std::uint8_t>(y * 255 / h);
            row[3 * x + 2] = static_cast<std::uint8_t>((x / 64 + y / 64) % 2 ? 220 : 30);
          } else {
            row[3 * x] = RedOf(c), row[3 * x + 1] = GreenOf(c), row[3 * x + 2] = BlueOf(c);
          }
        }
      });
}

}  // namespace gs::test
