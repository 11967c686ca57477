// PNG entries of icons whose headers claim far more than their bytes hold:
// refused or read within a small, fixed amount of memory.
#include "files/png_guard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "files/icon_reader.h"
#include "files/png_codec.h"
#include "tests/files/hostile_png.h"

namespace gs {
namespace {

using namespace test::png_bytes;

Bytes IconOf(const Bytes& png, int side) {
  bytes::Writer w;
  w.U16(0);
  w.U16(1);
  w.U16(1);
  w.U8(static_cast<std::uint8_t>(side % 256));
  w.U8(static_cast<std::uint8_t>(side % 256));
  w.U16(0);
  w.U16(1);
  w.U16(32);
  w.U32(static_cast<std::uint32_t>(png.size()));
  w.U32(22);
  w.Bytes(png);
  return w.Take();
}

// n zero bytes deflated a megabyte at a time, so the test itself stays small.
Bytes DeflatedZeros(std::size_t n) {
  z_stream z{};
  deflateInit(&z, 9);
  const Bytes zeros(1 << 20, 0);
  Bytes out(1 << 16);
  Bytes all;
  for (std::size_t left = n;;) {
    const std::size_t step = std::min(left, zeros.size());
    z.next_in = const_cast<Bytef*>(zeros.data());
    z.avail_in = static_cast<uInt>(step);
    left -= step;
    do {
      z.next_out = out.data();
      z.avail_out = static_cast<uInt>(out.size());
      deflate(&z, left == 0 ? Z_FINISH : Z_NO_FLUSH);
      all.insert(all.end(), out.data(), z.next_out);
    } while (z.avail_out == 0);
    if (left == 0) break;
  }
  deflateEnd(&z);
  return all;
}

TEST(PngGuard, HostileEntriesStayWithinAFewMegabytes) {
  const Bytes tinyIdat = Deflated(Bytes(64, 0));
  const Bytes inflatesToAMegabyte = Deflated(Bytes(1000000, 'a'));
  struct Case {
    const char* name;
    Bytes icon;
    bool reads;  // the picture itself is sound
  } cases[] = {
      {"text chunk claiming 2 GB",
       IconOf(Png(32,
                  [](bytes::Writer& w) {
                    Chunk(w, "tEXt", {'k', 0, 'v'}, 0x7FFFFFF0);
                  }),
              32),
       false},
      {"compressed text claiming 2 GB",
       IconOf(Png(32,
                  [](bytes::Writer& w) {
                    Chunk(w, "zTXt", {'k', 0, 0}, 0x7FFFFFF0);
                  }),
              32),
       false},
      {"profile claiming 2 GB",
       IconOf(Png(32,
                  [](bytes::Writer& w) {
                    Chunk(w, "iCCP", {'p', 0, 0}, 0x7FFFFFF0);
                  }),
              32),
       false},
      {"unknown chunk claiming 2 GB",
       IconOf(Png(32,
                  [](bytes::Writer& w) {
                    Chunk(w, "quIk", {1, 2, 3}, 0x7FFFFFF0);
                  }),
              32),
       false},
      {"256 x 256 header over 64 bytes of pixels", IconOf(Png(256, nullptr, &tinyIdat), 256),
       false},
      {"the rows followed by deflate of 100 MB",
       IconOf(Png(32, nullptr,
                  [] {
                    static const Bytes z = DeflatedZeros(32 * 129 + (std::size_t{100} << 20));
                    return &z;
                  }()),
              32),
       false},
      {"100 compressed texts of a megabyte each",
       IconOf(Png(32,
                  [&](bytes::Writer& w) {
                    Bytes z{'k', 0, 0};
                    z.insert(z.end(), inflatesToAMegabyte.begin(), inflatesToAMegabyte.end());
                    for (int i = 0; i < 100; ++i) Chunk(w, "zTXt", z);
                  }),
              32),
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool read = false;
    EXPECT_LT(PeakMegabytesDoing([&] { return DecodeIconFile(c.icon).problem.empty(); }, read), 64);
    EXPECT_EQ(read, c.reads);
    if (c.reads) {
      EXPECT_EQ(DecodeIconFile(c.icon).pixels.GetPixel(0, 0), RGB(200, 10, 20));
    }
  }
}

TEST(PngGuard, ChunksMustFitUpToThePixels) {
  const Bytes sound = Png(4, [](bytes::Writer& w) { Chunk(w, "tEXt", {'k', 0, 'v'}); });
  EXPECT_TRUE(PngChunksBeforePixelsFit(sound));
  // A chunk after the pixels is not read: its length does not matter.
  Bytes after = sound;
  after.resize(after.size() - 12);
  bytes::Writer tail;
  Chunk(tail, "tEXt", {'k', 0, 'v'}, 0x7FFFFFF0);
  const Bytes t = tail.Take();
  after.insert(after.end(), t.begin(), t.end());
  EXPECT_TRUE(PngChunksBeforePixelsFit(after));
  // One byte too long before the pixels, or the file cut inside a chunk.
  EXPECT_FALSE(PngChunksBeforePixelsFit(Png(4, [](bytes::Writer& w) {
    Chunk(w, "tEXt", {'k', 0, 'v'}, 3 + 200);
  })));
  Bytes cut = sound;
  cut.resize(8 + 25 + 10);
  EXPECT_FALSE(PngChunksBeforePixelsFit(cut));
}

TEST(PngGuard, PixelDataBoundsTheSize) {
  // 1 + 4 * side bytes a row; deflate's best is 1032:1 (plus one block's slack).
  const Bytes tiny = Deflated(Bytes(64, 0));
  const Bytes png = Png(64, nullptr, &tiny);
  const std::uint64_t deliverable = (tiny.size() + 1) * 1032;
  const std::uint64_t side = 64;
  EXPECT_TRUE(PngPixelDataCanHold(png, side, deliverable / (1 + 4 * side)));
  EXPECT_FALSE(PngPixelDataCanHold(png, side, deliverable / (1 + 4 * side) + 1));
  EXPECT_FALSE(PngPixelDataCanHold(png, 0xFFFFFFFFu, 0xFFFFFFFFu));  // no overflow
  // A real picture of any side passes, well compressed or not.
  for (int s : {1, 16, 256}) {
    RgbaImage img{s, s, Bytes(static_cast<std::size_t>(s) * s * 4, 0)};
    // Noise does not compress: the longest pixel data an encoder writes.
    for (std::size_t i = 0; i < img.rgba.size(); ++i)
      img.rgba[i] = static_cast<std::uint8_t>(i * 2654435761u >> 13);
    const Bytes real = EncodeRgbaPng(img, PngEffort::Small);
    EXPECT_TRUE(PngPixelDataCanHold(real, s, s)) << s;
    EXPECT_FALSE(PngPixelDataTooLong(real, s, s)) << s;
    RgbaImage back;
    EXPECT_TRUE(DecodePng(real, back, 256)) << s;
  }
}

}  // namespace
}  // namespace gs
