// PNG entries of icons whose headers claim far more than their bytes hold:
// refused or read within a small, fixed amount of memory.
#include "files/png_guard.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <functional>
#include <string>

#include "files/byte_io.h"
#include "files/icon_reader.h"
#include "files/png_codec.h"

namespace gs {
namespace {

using Bytes = std::vector<std::uint8_t>;

void U32BE(bytes::Writer& w, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) w.U8((v >> shift) & 0xFF);
}

void Chunk(bytes::Writer& w, const char* type, const Bytes& data, std::uint32_t claimed) {
  Bytes typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  U32BE(w, claimed);
  w.Bytes(typed);
  U32BE(w, static_cast<std::uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}
void Chunk(bytes::Writer& w, const char* type, const Bytes& data) {
  Chunk(w, type, data, static_cast<std::uint32_t>(data.size()));
}

Bytes Deflated(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
  out.resize(size);
  return out;
}

// An RGBA PNG of side x side; `extra` adds chunks between the header and the pixels.
Bytes Png(int side, const std::function<void(bytes::Writer&)>& extra, const Bytes* pixels = nullptr) {
  bytes::Writer w;
  w.Bytes(Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
  bytes::Writer h;
  U32BE(h, static_cast<std::uint32_t>(side));
  U32BE(h, static_cast<std::uint32_t>(side));
  h.Bytes(Bytes{8, 6, 0, 0, 0});
  Chunk(w, "IHDR", h.Take());
  if (extra) extra(w);
  if (pixels) {
    Chunk(w, "IDAT", *pixels);
  } else {
    Bytes raw;
    for (int y = 0; y < side; ++y) {
      raw.push_back(0);
      for (int x = 0; x < side; ++x) raw.insert(raw.end(), {200, 10, 20, 255});
    }
    Chunk(w, "IDAT", Deflated(raw));
  }
  Chunk(w, "IEND", {});
  return w.Take();
}

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

// Peak resident memory, in MB, of reading `icon` in a child process (so
// what the test process itself holds does not count twice).
long PeakMegabytesReading(const Bytes& icon, std::string& problem) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    const IconDecodeResult r = DecodeIconFile(icon);
    const char ok = r.problem.empty() ? 'y' : 'n';
    (void)!write(fds[1], &ok, 1);
    _exit(0);
  }
  close(fds[1]);
  char ok = '?';
  (void)!read(fds[0], &ok, 1);
  close(fds[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  problem = ok == 'y' ? "" : ok == 'n' ? "refused" : "child died";
  return usage.ru_maxrss / 1024;
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
       IconOf(Png(32, [](bytes::Writer& w) { Chunk(w, "tEXt", {'k', 0, 'v'}, 0x7FFFFFF0); }), 32), false},
      {"compressed text claiming 2 GB",
       IconOf(Png(32, [](bytes::Writer& w) { Chunk(w, "zTXt", {'k', 0, 0}, 0x7FFFFFF0); }), 32), false},
      {"profile claiming 2 GB",
       IconOf(Png(32, [](bytes::Writer& w) { Chunk(w, "iCCP", {'p', 0, 0}, 0x7FFFFFF0); }), 32), false},
      {"unknown chunk claiming 2 GB",
       IconOf(Png(32, [](bytes::Writer& w) { Chunk(w, "quIk", {1, 2, 3}, 0x7FFFFFF0); }), 32), false},
      {"256 x 256 header over 64 bytes of pixels", IconOf(Png(256, nullptr, &tinyIdat), 256), false},
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
    std::string problem;
    EXPECT_LT(PeakMegabytesReading(c.icon, problem), 64);
    EXPECT_EQ(problem, c.reads ? "" : "refused");
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
  EXPECT_FALSE(PngChunksBeforePixelsFit(
      Png(4, [](bytes::Writer& w) { Chunk(w, "tEXt", {'k', 0, 'v'}, 3 + 200); })));
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
    const Bytes real = EncodeRgbaPng(img, PngEffort::Small);
    EXPECT_TRUE(PngPixelDataCanHold(real, s, s)) << s;
    RgbaImage back;
    EXPECT_TRUE(DecodePng(real, back, 256)) << s;
  }
}

}  // namespace
}  // namespace gs
