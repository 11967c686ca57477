#include "import/picture_decoder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/png_codec.h"
#include "import/picture_import.h"
#include "tests/import/picture_test_util.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

using test::BmpSpec;
using test::BuildBmp;

constexpr Color R = RGB(255, 0, 0), G = RGB(0, 255, 0), B = RGB(0, 0, 255), K = kBlack, W = kWhite;

Picture Decode(const std::vector<std::uint8_t>& bytes) {
  Picture p;
  std::string error;
  EXPECT_TRUE(DecodePicture(bytes, p, error)) << error;
  return p;
}

std::string Refusal(const std::vector<std::uint8_t>& bytes, const PictureLimits& limits = {}) {
  Picture p;
  std::string error;
  EXPECT_FALSE(DecodePicture(bytes, p, error, limits));
  EXPECT_TRUE(p.pixels.empty());
  return error;
}

// 3 x 2 pictures at every depth; rows stored bottom-up unless the height is negative.
struct BmpCase {
  const char* name;
  BmpSpec layout;
  std::vector<Color> expected;  // top row first
};

std::vector<BmpCase> BmpCases() {
  const std::vector<std::uint32_t> rgbTable = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000};
  return {
      {"1 bit",
       {3, 2, 1, 0, 40, {}, {0xFF0000, 0x0000FF}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}},
       {R, B, R, B, R, B}},
      {"4 bits",
       {3, 2, 4, 0, 40, {}, rgbTable, {0x01, 0x20, 0, 0, 0x30, 0x10, 0, 0}},
       {K, R, G, R, G, B}},
      {"8 bits, short table",
       {3, 2, 8, 0, 40, {}, {0xFF0000, 0x00FF00}, {0, 1, 9, 0, 1, 0, 0, 0}, 2},
       {G, R, R, R, G, K}},
      {"24 bits",
       {3, 2, 24, 0, 40, {}, {}, {0,   0,   255, 0, 255, 0, 255, 0, 0,   0, 0, 0,
                                  255, 255, 255, 0, 0,   0, 0,   0, 255, 0, 0, 0}},
       {W, K, R, R, G, B}},
      {"24 bits top-down",
       {3, -2, 24, 0, 40, {}, {}, {0,   0,   255, 0, 255, 0, 255, 0, 0,   0, 0, 0,
                                   255, 255, 255, 0, 0,   0, 0,   0, 255, 0, 0, 0}},
       {R, G, B, W, K, R}},
      {"16 bits 5-5-5",
       {3, 1, 16, 0, 40, {}, {}, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0}},
       {R, G, B}},
      {"16 bits 5-6-5 fields",
       {3, 1, 16, 3, 40, {0xF800, 0x07E0, 0x001F}, {}, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0}},
       {R, G, B}},
      // A middle value scales to the nearest of 0..255: 16/31 is 131.6, 32/63 is 129.5.
      {"16 bits 5-5-5 rounds",
       {3, 1, 16, 0, 40, {}, {}, {0x00, 0x40, 0x00, 0x02, 0x10, 0x00, 0, 0}},
       {RGB(132, 0, 0), RGB(0, 132, 0), RGB(0, 0, 132)}},
      {"16 bits 5-6-5 rounds",
       {1, 1, 16, 3, 40, {0xF800, 0x07E0, 0x001F}, {}, {0x00, 0x04, 0, 0}},
       {RGB(0, 130, 0)}},
      {"32 bits", {2, 1, 32, 0, 40, {}, {}, {0, 0, 255, 0, 255, 0, 0, 0}}, {R, B}},
      {"32 bits alpha over white (V5 header)",
       {3,
        1,
        32,
        3,
        124,
        {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},
        {},
        {0, 0, 255, 255, 0, 0, 0, 0, 0, 0, 0, 128}},
       {R, W, RGB(127, 127, 127)}},
      {"32 bits zero alpha everywhere means opaque",
       {2,
        1,
        32,
        3,
        124,
        {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},
        {},
        {0, 0, 255, 0, 0, 255, 0, 0}},
       {R, G}},
      // RLE8: run of 2 red, end of line, delta (1, 0)... then absolute run of 3.
      {"RLE8 with delta and absolute run",
       {4, 3, 8, 1, 40, {}, rgbTable, {2, 0, 0, 0, 0, 2, 1, 0, 1, 1, 0, 0, 0, 3, 2, 1, 0, 0, 0, 1}},
       {B, G, R, W, W, G, W, W, R, R, W, W}},
      {"RLE4 alternating run and absolute run",
       {4, 2, 4, 2, 40, {}, rgbTable, {4, 0x01, 0, 0, 0, 3, 0x21, 0x00, 0, 1}},
       {B, G, R, W, R, G, R, G}},
      // An absolute run of odd length mid-row: its pad byte is skipped, not read as the
      // next code (unpadded, "0, 2, 3" would be a delta and the run of black lost).
      {"RLE8 odd absolute run in mid-row",
       {5, 1, 8, 1, 40, {}, rgbTable, {0, 3, 0, 1, 2, 0, 2, 3, 0, 1}},
       {R, G, B, K, K}},
      // RLE4: 5 pixels fill 3 bytes, padded to 4.
      {"RLE4 odd absolute run in mid-row",
       {7, 1, 4, 2, 40, {}, rgbTable, {0, 5, 0x01, 0x20, 0x10, 0, 2, 0x33, 0, 1}},
       {R, G, B, R, G, K, K}},
      {"RLE8 run past the right edge is clipped",
       {2, 1, 8, 1, 40, {}, rgbTable, {200, 1, 0, 1}},
       {G, G}},
  };
}

TEST(PictureDecoder, BmpEveryDepthAndLayout) {
  for (const BmpCase& c : BmpCases()) {
    SCOPED_TRACE(c.name);
    const Picture p = Decode(BuildBmp(c.layout));
    ASSERT_EQ(p.width, c.layout.width);
    ASSERT_EQ(p.height, std::abs(c.layout.height));
    for (std::size_t i = 0; i < c.expected.size(); ++i)
      EXPECT_EQ(p.pixels[i], c.expected[i]) << "pixel " << i % p.width << "," << i / p.width;
  }
}

TEST(PictureDecoder, PackedDibAndCoreHeader) {
  // Without the file header: the information header comes first (.dib, clipboard).
  std::vector<std::uint8_t> bmp = BuildBmp({2, 1, 24, 0, 40, {}, {}, {0, 0, 255, 255, 0, 0, 0, 0}});
  std::vector<std::uint8_t> dib(bmp.begin() + 14, bmp.end());
  EXPECT_EQ(SniffPictureFormat(dib), PictureFormat::Dib);
  EXPECT_EQ(Decode(dib).pixels, (std::vector<Color>{R, B}));
  // 12-byte header with a 3-byte colour table.
  bytes::Writer w;
  w.Tag("BM");
  w.U32(0);
  w.U32(0);
  w.U32(14 + 12 + 6);
  w.U32(12);
  w.U16(2);
  w.U16(1);
  w.U16(1);
  w.U16(1);
  w.Bytes(std::vector<std::uint8_t>{0, 0, 255, 0, 255, 0});
  w.Bytes(std::vector<std::uint8_t>{0x40, 0, 0, 0});
  EXPECT_EQ(Decode(w.Take()).pixels, (std::vector<Color>{R, G}));
}

TEST(PictureDecoder, HostileHeadersAreRefusedWithAReason) {
  struct Row {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* says;
  };
  BmpSpec huge{65535, 65535, 24, 0, 40, {}, {}, {}};
  BmpSpec cut{100, 100, 24, 0, 40, {}, {}, std::vector<std::uint8_t>(100)};
  BmpSpec zero{0, 5, 24, 0, 40, {}, {}, {}};
  BmpSpec odd{2, 2, 7, 0, 40, {}, {}, std::vector<std::uint8_t>(16)};
  BmpSpec rleMismatch{2, 2, 24, 1, 40, {}, {}, std::vector<std::uint8_t>(16)};
  BmpSpec minHeight{2, static_cast<int>(0x80000000u), 24, 0, 40, {}, {}, {}};
  // A PNG header claiming 65535 x 65535 pixels.
  std::vector<std::uint8_t> png = BuildPngBytes(Surface(32, 32));
  png[16] = 0, png[17] = 0, png[18] = 0xFF, png[19] = 0xFF, png[20] = 0, png[21] = 0,
  png[22] = 0xFF, png[23] = 0xFF;
  const uLong crc = crc32(0, png.data() + 12, 17);
  png[29] = static_cast<std::uint8_t>(crc >> 24), png[30] = static_cast<std::uint8_t>(crc >> 16);
  png[31] = static_cast<std::uint8_t>(crc >> 8), png[32] = static_cast<std::uint8_t>(crc);
  const std::vector<std::uint8_t> gifHuge = {'G', 'I', 'F', '8', '9', 'a',  0xFF, 0xFF, 0xFF, 0xFF,
                                             0,   0,   0,   ',', 0,   0,    0,    0,    1,    0,
                                             1,   0,   0,   2,   2,   0x4C, 1,    0,    ';'};
  // Within the side limit, one row past 16 million pixels (64 MB decoded).
  std::vector<std::uint8_t> gifTall = gifHuge;
  gifTall[6] = 0x00, gifTall[7] = 0x10, gifTall[8] = 0x01, gifTall[9] = 0x10;
  const std::vector<Row> rows = {
      {"65535 x 65535 bitmap", BuildBmp(huge), "too large"},
      {"GIF screen of 4096 x 4097", gifTall,
       "too large (4096 x 4097 pixels; at most 16384 a side and 16 million pixels)"},
      {"bitmap pixels cut short", BuildBmp(cut), "cut short"},
      {"no width", BuildBmp(zero), "no pixels"},
      {"7 bits a pixel", BuildBmp(odd), "bit count 7"},
      {"RLE8 at 24 bits", BuildBmp(rleMismatch), "does not match"},
      {"height -2^31", BuildBmp(minHeight), "too large"},
      {"PNG of 65535 x 65535", png, "too large"},
      {"GIF screen of 65535 x 65535", gifHuge, "too large"},
      {"empty", {}, "empty"},
      {"text", {'h', 'e', 'l', 'l', 'o'}, "not a picture"},
      {"placeable metafile", {0xD7, 0xCD, 0xC6, 0x9A, 0, 0}, "Windows Metafile (WMF)"},
      {"plain metafile", {1, 0, 9, 0, 0, 3, 0, 0}, "Windows Metafile (WMF)"},
      {"JPEG with nothing after its marker", {0xFF, 0xD8, 0xFF}, "JPEG"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const std::string why = Refusal(r.bytes);
    EXPECT_NE(why.find(r.says), std::string::npos) << why;
  }
  std::vector<std::uint8_t> emf(88, 0);
  emf[0] = 1;
  emf[40] = ' ', emf[41] = 'E', emf[42] = 'M', emf[43] = 'F';
  EXPECT_NE(Refusal(emf).find("Enhanced Metafile (EMF)"), std::string::npos);
}

// Past kRleFreePixels a run-length stream must write one pixel in 64 before
// the picture's memory is taken: 1,080 bytes claiming 4,096 x 4,096 that end
// at once are refused; at 4,096 x 1,025, one pixel decides.
TEST(PictureDecoder, LargeRunLengthPictureMustWriteAShareOfItsPixels) {
  const std::vector<std::uint32_t> table(256, 0x0000FF);  // every index blue
  const std::vector<std::uint8_t> bomb = BuildBmp({4096, 4096, 8, 1, 40, {}, table, {0, 1}});
  EXPECT_EQ(bomb.size(), 1080u);
  EXPECT_NE(Refusal(bomb).find("writes 0 of the picture's 16777216 pixels; past 4194304 pixels "
                               "it must write one in 64"),
            std::string::npos);

  ASSERT_EQ(4096u * 1025u, kRleFreePixels + 4096u);
  ASSERT_EQ(4096u * 1025u / kRleAreaPerPixel, 65600u);  // 16 rows and 64 pixels
  for (int last : {63, 64}) {
    std::vector<std::uint8_t> stream;
    for (int row = 0; row < 16; ++row) {
      for (int run = 0; run < 16; ++run) stream.insert(stream.end(), {255, 7});
      stream.insert(stream.end(), {16, 7, 0, 0});
    }
    // A delta may skip far, and what it skips does not count.
    stream.insert(stream.end(), {0, 2, 200, 100, static_cast<std::uint8_t>(last), 7, 0, 1});
    const std::vector<std::uint8_t> bmp =
        BuildBmp({4096, 1025, 8, 1, 40, {}, table, std::move(stream)});
    if (last == 63) {
      EXPECT_NE(Refusal(bmp).find("writes 65599 of the picture's 4198400 pixels"),
                std::string::npos);
      continue;
    }
    const Picture p = Decode(bmp);
    ASSERT_EQ(p.pixels.size(), 4096u * 1025u);
    EXPECT_EQ(p.pixels[1024 * 4096], B);                // bottom row, stored first
    EXPECT_EQ(p.pixels[(1024 - 116) * 4096 + 199], W);  // skipped by the delta
    EXPECT_EQ(p.pixels[(1024 - 116) * 4096 + 200], B);
    EXPECT_EQ(p.pixels[(1024 - 116) * 4096 + 264], W);
    EXPECT_EQ(p.pixels[0], W);
  }
  // Up to the free size, a stream that ends at once is a white picture.
  const Picture white = Decode(BuildBmp({4096, 1024, 8, 1, 40, {}, table, {0, 1}}));
  ASSERT_EQ(white.pixels.size(), kRleFreePixels);
  EXPECT_EQ(white.pixels[12345], W);
}

TEST(PictureDecoder, PngTransparencyBecomesWhite) {
  Surface s(32, 32);
  s.FillRect(s.Bounds(), RGB(10, 20, 30));
  s.SetPixelV(3, 4, kWhite);  // written with alpha 0
  const Picture p = Decode(BuildPngBytes(s));
  ASSERT_EQ(p.width, 32);
  EXPECT_EQ(p.pixels[4 * 32 + 3], kWhite);
  EXPECT_EQ(p.pixels[0], RGB(10, 20, 30));
  EXPECT_EQ(OverWhite(0, 0, 0, 128), RGB(127, 127, 127));
  EXPECT_EQ(OverWhite(9, 8, 7, 255), RGB(9, 8, 7));
}

TEST(PictureDecoder, GifFirstFrameWithTransparentIndex) {
  // 2 x 1 screen, palette {red, green}, transparent index 1, pixels 0 1; then
  // a second frame that must not be drawn.
  const std::vector<std::uint8_t> gif = {
      'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 0, 0, 255, 0, 0, 0, 255, 0, 0x21, 0xF9, 4, 1,
      0, 0, 1, 0,                                           // graphic control: transparent 1
      ',', 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 2, 0x44, 0x0A, 0,  // codes: clear, 0, 1,
                                                            // end
      ',', 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 2, 0x4C, 0x01, 0, ';'};
  const Picture p = Decode(gif);
  ASSERT_EQ(p.width, 2);
  ASSERT_EQ(p.height, 1);
  EXPECT_EQ(p.pixels, (std::vector<Color>{R, W}));
}

TEST(PictureDecoder, JpegAtItsFullSize) {
  const std::vector<std::uint8_t> jpg = test::EncodeJpeg(256, 128, RGB(200, 40, 90));
  Picture p;
  std::string error;
  ASSERT_TRUE(DecodePicture(jpg, p, error)) << error;
  EXPECT_EQ(p.width, 256);
  EXPECT_EQ(p.height, 128);
  const Color c = p.pixels[p.pixels.size() / 2];
  EXPECT_NEAR(RedOf(c), 200, 3);
  EXPECT_NEAR(GreenOf(c), 40, 3);
  EXPECT_NEAR(BlueOf(c), 90, 3);
  // Cut in the middle: still a picture (libjpeg fills the rest), never a crash.
  std::vector<std::uint8_t> cut(jpg.begin(), jpg.begin() + static_cast<long>(jpg.size() / 2));
  DecodePicture(cut, p, error);
  // A header claiming more than the limit, refused before decoding.
  PictureLimits small;
  small.maxSide = 100;
  EXPECT_NE(Refusal(jpg, small).find("too large"), std::string::npos);
}

// A grey progressive JPEG of one DC scan and `acScans` AC scans: one scan per
// coefficient at half precision, then refinement scans of the same.
std::vector<std::uint8_t> ProgressiveJpeg(int acScans) {
  std::vector<jpeg_scan_info> script(1 + acScans);
  script[0] = {1, {0, 0, 0, 0}, 0, 0, 0, 0};
  for (int i = 0; i < acScans; ++i) {
    const int k = 1 + i % 63;
    const bool refine = i >= 63;
    script[1 + i] = {1, {0, 0, 0, 0}, k, k, refine ? 1 : 0, refine ? 0 : 1};
  }
  return test::CompressJpeg(
      16, 16, 1, JCS_GRAYSCALE,
      [&](jpeg_compress_struct& cinfo) {
        cinfo.scan_info = script.data();
        cinfo.num_scans = static_cast<int>(script.size());
      },
      [](int y, std::vector<std::uint8_t>& row) {
        for (int x = 0; x < 16; ++x) row[x] = static_cast<std::uint8_t>(x * 16 + y);
      });
}

// Every scan is a pass over the whole picture: far more scans than any
// encoder writes are refused, what encoders write is read.
TEST(PictureDecoder, ProgressiveJpegScansAreLimited) {
  Picture p;
  std::string error;
  EXPECT_TRUE(DecodePicture(ProgressiveJpeg(63), p, error)) << error;
  EXPECT_FALSE(DecodePicture(ProgressiveJpeg(126), p, error));
  EXPECT_NE(error.find("too many scans"), std::string::npos) << error;
  // A picture of the most pixels the limits allow gets 24 scans.
  PictureLimits limits;
  limits.maxPixels = 16 * 16;
  EXPECT_TRUE(DecodePicture(ProgressiveJpeg(23), p, error, limits)) << error;
  EXPECT_FALSE(DecodePicture(ProgressiveJpeg(24), p, error, limits));
  EXPECT_EQ(error,
            "damaged JPEG picture: too many scans in a progressive JPEG (at most 24 at this size)");
}

// Every import of the whole picture is the region (0, 0)-(width, height) of
// the picture decoded at its full size, as the import window shows it: the
// JPEG library's reduced decoding would differ by a few levels here (and by
// dozens on photographs), so nothing may take it.
TEST(PictureDecoder, WholeJpegImportIsItsFullRegionImport) {
  const std::vector<std::uint8_t> jpg = test::EncodeJpeg(512, 384, kBlack, true);
  Surface whole, region;
  std::string error;
  ASSERT_TRUE(ImportPictureBytes(jpg, std::nullopt, whole, error)) << error;
  ASSERT_TRUE(ImportPictureBytes(jpg, ImportRegion{0, 0, 512, 384}, region, error)) << error;
  EXPECT_EQ(whole.Pixels(), region.Pixels());
  // The import window: the picture as loaded, the region scaled onto the icon.
  const Picture shown = Decode(jpg);
  ASSERT_EQ(shown.width, 512);
  Surface window(32, 32);
  ASSERT_TRUE(ImportPictureRegion(window, shown, {0, 0, 512, 384}));
  EXPECT_EQ(window.Pixels(), whole.Pixels());
  IconDocument doc;
  ASSERT_TRUE(OpenPictureAsDocument(jpg, doc, error)) << error;
  EXPECT_EQ(doc.surface.Pixels(), whole.Pixels());
}

// Headers claiming more pixels than the compressed data could ever give are
// refused before the picture's memory is taken (decompression bombs cut short).
TEST(PictureDecoder, ClaimsTheDataCannotHoldAreRefused) {
  std::vector<std::uint8_t> png = BuildPngBytes(Surface(32, 32));
  png[18] = 0x0F, png[22] = 0x0F;  // 3872 x 3872
  const uLong crc = crc32(0, png.data() + 12, 17);
  png[29] = static_cast<std::uint8_t>(crc >> 24), png[30] = static_cast<std::uint8_t>(crc >> 16);
  png[31] = static_cast<std::uint8_t>(crc >> 8), png[32] = static_cast<std::uint8_t>(crc);
  EXPECT_NE(Refusal(png).find("cut short"), std::string::npos) << Refusal(png);
  // A text chunk claiming 1.2 GB in a file of 131 bytes (found by fuzzing).
  std::vector<std::uint8_t> text = BuildPngBytes(Surface(32, 32));
  text.resize(33);
  const std::vector<std::uint8_t> chunk = {0x49, 0x00, 0x00, 0x25, 't', 'E', 'X', 't', 'a', 'b'};
  text.insert(text.end(), chunk.begin(), chunk.end());
  EXPECT_NE(Refusal(text).find("past the end"), std::string::npos) << Refusal(text);
  std::vector<std::uint8_t> jpg = test::EncodeJpeg(4000, 4000, RGB(1, 2, 3));
  jpg.resize(700);
  EXPECT_NE(Refusal(jpg).find("cut short"), std::string::npos) << Refusal(jpg);
  // 48 bytes claiming a 4,000 x 4,000 frame.
  const std::vector<std::uint8_t> gif = {
      'G',  'I',  'F',  '8',  '9', 'a', 0xA0, 0x0F, 0xA0, 0x0F, 0x80, 0,    0, 0, 0, 0,
      255,  255,  255,  ',',  0,   0,   0,    0,    0xA0, 0x0F, 0xA0, 0x0F, 0, 2, 5, 0x84,
      0x8F, 0xA9, 0xCB, 0xED, 0,   ';', 0,    0,    0,    0,    0,    0,    0, 0, 0, 0};
  EXPECT_NE(Refusal(gif).find("cut short"), std::string::npos) << Refusal(gif);
}

// A progressive JPEG keeps every coefficient of the picture until its last
// scan: past 7 bytes a pixel of the limit it is refused, naming the limit,
// before those buffers are taken. Tables make each zero bit a whole block.
TEST(PictureDecoder, ProgressiveJpegCoefficientsStopAtTheLimit) {
  auto progressive = [](int components) {
    std::vector<std::uint8_t> b = {0xFF, 0xD8};
    auto segment = [&b](std::uint8_t marker, std::vector<std::uint8_t> body) {
      const std::size_t n = body.size() + 2;
      b.insert(b.end(),
               {0xFF, marker, static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n)});
      b.insert(b.end(), body.begin(), body.end());
    };
    std::vector<std::uint8_t> quant(65, 1);
    quant[0] = 0;
    segment(0xDB, quant);
    std::vector<std::uint8_t> frame = {8, 4, 0, 4, 0, static_cast<std::uint8_t>(components)};
    std::vector<std::uint8_t> scan = {static_cast<std::uint8_t>(components)};
    for (int c = 1; c <= components; ++c) {
      frame.insert(frame.end(), {static_cast<std::uint8_t>(c), 0x11, 0});
      scan.insert(scan.end(), {static_cast<std::uint8_t>(c), 0});
    }
    segment(0xC2, frame);  // 1,024 x 1,024, progressive
    for (std::uint8_t table : {0x00, 0x10}) {
      std::vector<std::uint8_t> huffman(18, 0);
      huffman[0] = table, huffman[1] = 1;  // one code of one bit, for symbol 0
      segment(0xC4, huffman);
    }
    scan.insert(scan.end(), {0, 0, 0});  // DC, first pass
    segment(0xDA, scan);
    b.resize(b.size() + 4096, 0);
    b.insert(b.end(), {0xFF, 0xD9});
    return b;
  };
  PictureLimits limits;
  limits.maxPixels = 1 << 20;  // 7 MB of coefficients
  EXPECT_EQ(Refusal(progressive(4), limits),
            "picture too large (a progressive JPEG's data past 7 MB)");
  Picture p;
  std::string error;
  EXPECT_TRUE(DecodePicture(progressive(3), p, error, limits)) << error;  // 6 MB
  EXPECT_EQ(p.width * p.height, 1 << 20);
}

TEST(PictureDecoder, FilesThatCannotBeRead) {
  test::TempDir dir;
  Picture p;
  std::string error;
  EXPECT_FALSE(LoadPictureFile(dir.path(), p, error));
  EXPECT_NE(error.find(dir.path()), std::string::npos);
  EXPECT_FALSE(LoadPictureFile(dir.file("missing.bmp"), p, error));
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
  test::WriteAll(dir.file("empty.png"), {});
  EXPECT_FALSE(LoadPictureFile(dir.file("empty.png"), p, error));
  EXPECT_NE(error.find("empty"), std::string::npos) << error;
}

}  // namespace
}  // namespace gs
