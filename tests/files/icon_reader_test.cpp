#include "files/icon_reader.h"

#include <gtest/gtest.h>
#include <png.h>

#include "document/icon_document.h"
#include "files/byte_io.h"
#include "files/depth.h"
#include "files/icon_writer.h"
#include "files/png_codec.h"
#include "tests/files/file_test_util.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

using test::FirstDifference;

// A picture the 16- and 256-colour tables hold exactly, with transparency.
Surface TableColours() {
  return test::Picture(
      {
          "..##rrgg",
          ".#y#rrgg",
          "bbccmm..",
      },
      {{'r', RGB(255, 0, 0)},
       {'g', RGB(0, 255, 0)},
       {'y', RGB(255, 255, 0)},
       {'b', RGB(0, 0, 255)},
       {'c', RGB(0, 255, 255)},
       {'m', RGB(128, 0, 128)}});
}

// What reading gives back: the picture reduced to the table, white still white.
Surface ReducedTo(const Surface& s, int bits) {
  Surface r = s;
  if (bits != 24) ConvertDocumentToDepth(r, bits);
  return r;
}

TEST(IconReader, ReadsBackWhatTheWriterWritesAtEveryDepth) {
  const Surface pictures[] = {TableColours(), test::ManyColours(), MakeIconSurface()};
  for (const Surface& pic : pictures) {
    for (int bits : {1, 4, 8, 24}) {
      SCOPED_TRACE("bits " + std::to_string(bits));
      const auto b = BuildIconBytes(pic, bits, PaletteMethod::None);
      const IconDecodeResult r = DecodeIconFile(b);
      EXPECT_EQ(r.problem, "");
      EXPECT_EQ(r.entryIndex, 0);
      EXPECT_EQ(FirstDifference(r.pixels, ReducedTo(pic, bits)), "");
    }
  }
}

TEST(IconReader, HighAndExtremePalettesReadBackExactlyWhenColoursFit) {
  const Surface pic = TableColours();
  for (PaletteMethod m : {PaletteMethod::High, PaletteMethod::Extreme}) {
    const IconDecodeResult r = DecodeIconFile(BuildIconBytes(pic, 8, m));
    EXPECT_EQ(FirstDifference(r.pixels, pic), "");
  }
}

// A multi-entry file whose images are 32 x 32 single colours, so the picked
// entry can be told from the pixels.
struct EntrySpec {
  int width, height, dirBits;
  Color color;
};
std::vector<std::uint8_t> MultiEntryFile(const std::vector<EntrySpec>& specs) {
  std::vector<std::vector<std::uint8_t>> images;
  for (const EntrySpec& s : specs) {
    Surface pic(32, 32);
    pic.FillRect({0, 0, 32, 32}, s.color);
    const auto whole = BuildIconBytes(pic, 24, PaletteMethod::None);
    images.emplace_back(whole.begin() + 22, whole.end());
  }
  bytes::Writer w;
  w.U16(0);
  w.U16(1);
  w.U16(static_cast<unsigned>(specs.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(specs.size());
  for (std::size_t i = 0; i < specs.size(); ++i) {
    w.U8(specs[i].width);
    w.U8(specs[i].height);
    w.U8(0);
    w.U8(0);
    w.U16(1);
    w.U16(specs[i].dirBits);
    w.U32(static_cast<std::uint32_t>(images[i].size()));
    w.U32(offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const auto& img : images) w.Bytes(img);
  return w.Take();
}

TEST(IconReader, PicksTheDeepest32x32EntryAndTheEarlierOfEquals) {
  const Color a = RGB(10, 0, 0), b = RGB(20, 0, 0), c = RGB(30, 0, 0), d = RGB(40, 0, 0);
  struct Case {
    const char* name;
    std::vector<EntrySpec> entries;
    Color want;
  } cases[] = {
      {"24 bits wins even when last", {{32, 32, 8, a}, {32, 32, 4, b}, {32, 32, 24, c}}, c},
      {"earlier of two 8-bit entries", {{32, 32, 8, a}, {32, 32, 8, b}}, a},
      {"size must be 32 x 32", {{16, 16, 24, a}, {48, 48, 24, b}, {32, 32, 1, c}}, c},
      {"4 before 1", {{32, 32, 1, a}, {32, 32, 4, b}, {32, 16, 8, d}}, b},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const IconDecodeResult r = DecodeIconFile(MultiEntryFile(k.entries));
    EXPECT_FALSE(r.fallback);
    EXPECT_EQ(r.pixels.GetPixel(5, 5), k.want);
  }
}

TEST(IconReader, PickIconImageReturnsMinusOneWhenNothingQualifies) {
  std::vector<IconDirectoryEntry> e(3);
  e[0] = {16, 16, 0, 0, 1, 24, 0, 0};
  e[1] = {48, 48, 0, 0, 1, 8, 0, 0};
  e[2] = {32, 32, 0, 0, 1, 32, 0, 0};
  EXPECT_EQ(PickIconImage(e), -1);
  e[1].width = e[1].height = 32;
  EXPECT_EQ(PickIconImage(e), 1);
}

TEST(IconReader, SingleEntryIsReadWithoutLookingAtItsDirectoryFields) {
  auto b = BuildIconBytes(TableColours(), 4, PaletteMethod::None);
  b[6] = 16;                 // width
  b[7] = 48;                 // height
  bytes::PutU16(b, 12, 99);  // bit count
  const IconDecodeResult r = DecodeIconFile(b);
  EXPECT_EQ(r.problem, "");
  EXPECT_EQ(FirstDifference(r.pixels, TableColours()), "");
}

TEST(IconReader, MaskBitMakesWhiteAndOpaqueWhiteIsWhiteToo) {
  // Hand-made 24-bit image: pixel (0,0) black with mask 1, pixel (1,0) white with mask 0.
  auto b = BuildIconBytes(test::Picture({"##"}, {}, RGB(5, 5, 5)), 24, PaletteMethod::None);
  const std::size_t topRow = 62 + 31 * 96;
  b[topRow + 3] = b[topRow + 4] = b[topRow + 5] = 0xFF;
  const std::size_t maskTopRow = 62 + 3072 + 31 * 4;
  b[maskTopRow] = 0x80;
  const IconDecodeResult r = DecodeIconFile(b);
  EXPECT_EQ(r.pixels.GetPixel(0, 0), kWhite);
  EXPECT_EQ(r.pixels.GetPixel(1, 0), kWhite);
  EXPECT_EQ(r.pixels.GetPixel(2, 0), RGB(5, 5, 5));
}

TEST(IconReader, ExpandIndexedPixelsBitOrder) {
  std::vector<PaletteEntry> table(256);
  for (int i = 0; i < 256; ++i) table[i] = {static_cast<std::uint8_t>(i), 0, 0, 0};
  std::vector<std::uint8_t> out(3072, 0xEE);
  std::vector<std::uint8_t> one(128, 0);
  one[0] = 0b10100000;
  ExpandIndexedPixels(one, 1, table, out);
  EXPECT_EQ(out[0], 1);
  EXPECT_EQ(out[3], 0);
  EXPECT_EQ(out[6], 1);
  std::vector<std::uint8_t> four(512, 0);
  four[1] = 0x5C;
  ExpandIndexedPixels(four, 4, table, out);
  EXPECT_EQ(out[3 * 2], 5);
  EXPECT_EQ(out[3 * 3], 12);
  std::vector<std::uint8_t> eight(1024, 0);
  eight[1023] = 200;
  ExpandIndexedPixels(eight, 8, table, out);
  EXPECT_EQ(out[3 * 1023], 200);
  // Other depths and short inputs write nothing.
  std::vector<std::uint8_t> untouched(3072, 0xEE);
  ExpandIndexedPixels(eight, 24, table, untouched);
  ExpandIndexedPixels(std::vector<std::uint8_t>(10), 8, table, untouched);
  EXPECT_EQ(untouched, std::vector<std::uint8_t>(3072, 0xEE));
  // Indices beyond a short table read black.
  ExpandIndexedPixels(eight, 8, std::vector<PaletteEntry>(2, {9, 9, 9, 0}), out);
  EXPECT_EQ(out[3 * 1023], 0);
}

TEST(IconReader, ForeignTwentyFourBitIconWithoutTableReadsUnshifted) {
  // Other programs store no colour table at 24 bits and colours-used 0, as
  // ours now do, with the pixel and mask bytes as image size.
  const Surface pic = test::ManyColours();
  auto foreign = BuildIconBytes(pic, 24, PaletteMethod::None);
  ASSERT_EQ(foreign.size(), 62u + 3072 + 128);
  bytes::PutU16(foreign, 42, 3072 + 128);  // image size (its high half is 0)
  const IconDecodeResult r = DecodeIconFile(foreign);
  EXPECT_EQ(r.problem, "");
  EXPECT_EQ(FirstDifference(r.pixels, pic), "");
}

// A PNG whose top-left block (as wide as one pixel of the 32 x 32 result) has
// the given alpha.
std::vector<std::uint8_t> PngBytes(int w, int h, std::uint8_t alphaTopLeft) {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(w) * h * 4);
  for (int i = 0; i < w * h; ++i) {
    rgba[4 * i] = 200;
    rgba[4 * i + 1] = 10;
    rgba[4 * i + 2] = 20;
    rgba[4 * i + 3] = i % w < w / 32 && i / w < h / 32 ? alphaTopLeft : 255;
  }
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  img.width = w;
  img.height = h;
  img.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&img, nullptr, &size, 0, rgba.data(), 0, nullptr);
  std::vector<std::uint8_t> out(size);
  png_image_write_to_memory(&img, out.data(), &size, 0, rgba.data(), 0, nullptr);
  out.resize(size);
  return out;
}

std::vector<std::uint8_t> SingleEntryFile(const std::vector<std::uint8_t>& image, int side,
                                          int bits) {
  bytes::Writer w;
  w.U16(0);
  w.U16(1);
  w.U16(1);
  w.U8(side == 256 ? 0 : side);
  w.U8(side == 256 ? 0 : side);
  w.U8(0);
  w.U8(0);
  w.U16(1);
  w.U16(bits);
  w.U32(static_cast<std::uint32_t>(image.size()));
  w.U32(22);
  w.Bytes(image);
  return w.Take();
}

TEST(IconReader, PngEntryIsDecodedScaledAndLowAlphaBecomesWhite) {
  for (int side : {32, 64, 256}) {
    SCOPED_TRACE(side);
    const IconDecodeResult r = DecodeIconFile(SingleEntryFile(PngBytes(side, side, 100), side, 32));
    EXPECT_EQ(r.kind, IconImageKind::Png);
    EXPECT_EQ(r.problem, "");
    EXPECT_EQ(r.pixels.GetPixel(0, 0), kWhite);
    EXPECT_EQ(r.pixels.GetPixel(31, 31), RGB(200, 10, 20));
  }
  const IconDecodeResult opaque = DecodeIconFile(SingleEntryFile(PngBytes(32, 32, 128), 32, 32));
  EXPECT_EQ(opaque.pixels.GetPixel(0, 0), RGB(200, 10, 20));
}

// A 32-bit image whose top-left quarter is see-through, by alpha or by the AND mask.
std::vector<std::uint8_t> Dib32(int side, bool withAlpha) {
  auto clear = [side](int x, int y) { return x < side / 4 && y < side / 4; };
  bytes::Writer w;
  w.U32(40);
  w.U32(side);
  w.U32(2 * side);
  w.U16(1);
  w.U16(32);
  for (int i = 0; i < 6; ++i) w.U32(0);
  for (int r = 0; r < side; ++r)
    for (int x = 0; x < side; ++x) {
      w.U8(30);
      w.U8(20);
      w.U8(10);
      // Stored bottom row first.
      w.U8(withAlpha ? (clear(x, side - 1 - r) ? 0 : 255) : 0);
    }
  const int maskStride = (side + 31) / 32 * 4;
  for (int r = 0; r < side; ++r) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < side; ++x)
      if (!withAlpha && clear(x, side - 1 - r)) row[x / 8] |= 0x80 >> (x % 8);
    w.Bytes(row);
  }
  return w.Take();
}

TEST(IconReader, ThirtyTwoBitEntryUsesAlphaOrElseTheMask) {
  for (bool alpha : {true, false}) {
    for (int side : {16, 32, 48, 64}) {
      SCOPED_TRACE(std::to_string(side) + (alpha ? " alpha" : " mask"));
      const IconDecodeResult r = DecodeIconFile(SingleEntryFile(Dib32(side, alpha), side, 32));
      EXPECT_EQ(r.kind, IconImageKind::Rgba32);
      EXPECT_EQ(r.problem, "");
      EXPECT_EQ(r.pixels.GetPixel(0, 0), kWhite);
      EXPECT_EQ(r.pixels.GetPixel(7, 7), kWhite);
      EXPECT_EQ(r.pixels.GetPixel(8, 8), RGB(10, 20, 30));
      EXPECT_EQ(r.pixels.GetPixel(31, 0), RGB(10, 20, 30));
    }
  }
}

TEST(IconReader, HostileInputsLoadToADefinedPictureAndSayWhy) {
  const auto good = BuildIconBytes(TableColours(), 8, PaletteMethod::None);
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  auto with = [&](auto change) {
    auto b = good;
    change(b);
    return b;
  };
  const Case cases[] = {
      {"empty", {}},
      {"five bytes", {0, 0, 1, 0, 1}},
      {"count zero", with([](auto& b) { bytes::PutU16(b, 4, 0); })},
      {"negative count", with([](auto& b) { bytes::PutU16(b, 4, 0x8000); })},
      {"huge count", with([](auto& b) { bytes::PutU16(b, 4, 0x7FFF); })},
      {"offset past end", with([](auto& b) { b[18] = b[19] = b[20] = b[21] = 0xFF; })},
      {"offset near end",
       with([](auto& b) { bytes::PutU16(b, 18, static_cast<std::uint16_t>(b.size() - 3)); })},
      {"cut in the table", std::vector<std::uint8_t>(good.begin(), good.begin() + 100)},
      {"cut in the mask", std::vector<std::uint8_t>(good.end() - 200, good.end())},
      {"cut in the pixels", std::vector<std::uint8_t>(good.begin(), good.begin() + 1500)},
      {"bit count 16", with([](auto& b) { bytes::PutU16(b, 36, 16); })},
      {"bit count 65535", with([](auto& b) { bytes::PutU16(b, 36, 0xFFFF); })},
      {"bit count 32, huge sizes", with([](auto& b) {
         bytes::PutU16(b, 36, 32);
         b[26] = b[27] = b[28] = b[29] = 0xFF;
       })},
      {"PNG signature then junk", with([](auto& b) {
         const std::uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
         std::copy(sig, sig + 8, b.begin() + 22);
       })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const IconDecodeResult r = DecodeIconFile(c.bytes);
    EXPECT_EQ(r.pixels.Width(), 32);
    EXPECT_EQ(r.pixels.Height(), 32);
    EXPECT_NE(r.problem, "") << "a damaged file must say so";
  }
  // A colours-used field beyond the table means the full table.
  const auto huge = with([](auto& b) { b[54] = b[55] = b[56] = b[57] = 0xFF; });
  EXPECT_EQ(FirstDifference(DecodeIconFile(huge).pixels, TableColours()), "");
}

TEST(IconReader, LoadIconFileStatusAndDocument) {
  test::TempDir dir;
  IconDocument doc;
  doc.surface.SetPixelV(0, 0, RGB(1, 2, 3));
  doc.fileName = "before";
  doc.modified = true;
  doc.hotspotX = 7;

  // Missing file and empty path: nothing changes.
  for (const std::string& p : {std::string(), dir.file("none.ico"), dir.path()}) {
    const IconLoadResult r = LoadIconFile(p, doc);
    EXPECT_FALSE(r.started) << p;
    EXPECT_EQ(doc.fileName, "before");
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(doc.surface.GetPixel(0, 0), RGB(1, 2, 3));
  }

  auto cur = BuildIconBytes(TableColours(), 24, PaletteMethod::None);
  MarkAsCursor(cur, 30, 31);
  test::WriteAll(dir.file("c.cur"), cur);
  const IconLoadResult r = LoadIconFile(dir.file("c.cur"), doc);
  EXPECT_TRUE(r.started && r.repaint && r.addToRecent);
  EXPECT_EQ(r.title, dir.file("c.cur") + " - Varnel Glyphsmith");
  EXPECT_EQ(doc.fileName, dir.file("c.cur"));
  EXPECT_FALSE(doc.modified);
  EXPECT_EQ(doc.hotspotX, 7) << "a cursor's hotspot is not read";
  EXPECT_EQ(FirstDifference(doc.surface, TableColours()), "");

  // A damaged file still loads, black where bytes are missing, with no failure.
  test::WriteAll(dir.file("bad.ico"), {0, 0, 1, 0});
  doc.modified = true;
  const IconLoadResult bad = LoadIconFile(dir.file("bad.ico"), doc);
  EXPECT_TRUE(bad.started);
  EXPECT_FALSE(bad.problem.empty());
  EXPECT_FALSE(doc.modified);
  EXPECT_EQ(doc.surface.GetPixel(3, 3), kBlack);
}

// A 24-bit image of any size in one colour, its top-left quarter masked out.
std::vector<std::uint8_t> Dib24(int side, Color c) {
  bytes::Writer w;
  w.U32(40);
  w.U32(side);
  w.U32(2 * side);
  w.U16(1);
  w.U16(24);
  for (int i = 0; i < 6; ++i) w.U32(0);
  const int stride = (side * 3 + 3) / 4 * 4;
  for (int r = 0; r < side; ++r) {
    for (int x = 0; x < side; ++x) {
      w.U8(BlueOf(c));
      w.U8(GreenOf(c));
      w.U8(RedOf(c));
    }
    w.Fill(stride - side * 3, 0);
  }
  const int maskStride = (side + 31) / 32 * 4;
  for (int r = 0; r < side; ++r) {
    std::vector<std::uint8_t> row(maskStride, 0);
    for (int x = 0; x < side / 4; ++x)
      if (side - 1 - r < side / 4) row[x / 8] |= 0x80 >> (x % 8);
    w.Bytes(row);
  }
  return w.Take();
}

struct Entry {
  int width, height, dirBits;  // as the directory states them
  std::vector<std::uint8_t> image;
};
std::vector<std::uint8_t> FileOf(const std::vector<Entry>& entries, int type = 1) {
  bytes::Writer w;
  w.U16(0);
  w.U16(type);
  w.U16(static_cast<unsigned>(entries.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
  for (const Entry& e : entries) {
    w.U8(e.width % 256);
    w.U8(e.height % 256);
    w.U8(0);
    w.U8(0);
    w.U16(type == 2 ? 3 : 1);  // hotspot X of a cursor
    w.U16(e.dirBits);
    w.U32(static_cast<std::uint32_t>(e.image.size()));
    w.U32(offset);
    offset += static_cast<std::uint32_t>(e.image.size());
  }
  for (const Entry& e : entries) w.Bytes(e.image);
  return w.Take();
}

TEST(IconReader, EntriesQualifyByTheirOwnHeaderWhenTheDirectoryDoesNot) {
  const Color a = RGB(10, 0, 0), b = RGB(20, 0, 0);
  const Color rgba = RGB(10, 20, 30);  // Dib32's colour
  struct Case {
    const char* name;
    std::vector<Entry> entries;
    int type;
    int wantEntry;
    Color want;
  } cases[] = {
      {"bit count 0 in the directory",
       {{16, 16, 0, Dib24(16, a)}, {32, 32, 0, Dib24(32, b)}},
       1,
       1,
       b},
      {"32 bits preferred, then 24",
       {{32, 32, 0, Dib24(32, a)}, {48, 48, 32, Dib32(48, true)}, {32, 32, 32, Dib32(32, true)}},
       1,
       2,
       rgba},
      {"cursor: the field holds hotspot Y",
       {{16, 16, 5, Dib24(16, a)}, {32, 32, 5, Dib24(32, b)}, {48, 48, 5, Dib24(48, a)}},
       2,
       1,
       b},
      {"directory choice kept",
       {{32, 32, 32, Dib32(32, true)}, {32, 32, 8, Dib24(32, b)}},
       1,
       1,
       b},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const IconDecodeResult r = DecodeIconFile(FileOf(k.entries, k.type));
    EXPECT_EQ(r.problem, "");
    EXPECT_FALSE(r.fallback);
    EXPECT_EQ(r.entryIndex, k.wantEntry);
    EXPECT_EQ(r.pixels.GetPixel(0, 0), kWhite) << "transparency kept";
    EXPECT_EQ(r.pixels.GetPixel(31, 31), k.want);
    if (k.type == 2) {
      EXPECT_TRUE(r.cursor);
      EXPECT_EQ(r.hotspotX, 3);
      EXPECT_EQ(r.hotspotY, 5);
    }
  }
}

TEST(IconReader, FallbackDrawsTheBestImageOverWhiteAndIsShownAndRemembered) {
  // Entries of 16 and 48 pixels only: the 48 one is nearest above 32 and is scaled down.
  const auto b =
      FileOf({{16, 16, 24, Dib24(16, RGB(1, 1, 1))}, {48, 48, 24, Dib24(48, RGB(9, 9, 9))}});
  IconDecodeResult r = DecodeIconFile(b);
  EXPECT_TRUE(r.fallback);
  EXPECT_EQ(r.entryIndex, 1);
  EXPECT_EQ(r.problem, "");
  EXPECT_EQ(r.pixels.GetPixel(0, 0), kWhite) << "transparent parts are white, never black";
  EXPECT_EQ(r.pixels.GetPixel(7, 7), kWhite);
  EXPECT_EQ(r.pixels.GetPixel(8, 8), RGB(9, 9, 9));

  test::TempDir dir;
  test::WriteAll(dir.file("f.ico"), b);
  IconDocument doc;
  doc.modified = true;
  const IconLoadResult load = LoadIconFile(dir.file("f.ico"), doc);
  EXPECT_TRUE(load.started);
  // Never left showing the previous picture, and offered again like any file.
  EXPECT_TRUE(load.repaint);
  EXPECT_TRUE(load.addToRecent);
  EXPECT_FALSE(doc.modified);
  EXPECT_EQ(doc.fileName, dir.file("f.ico"));
}

TEST(IconReader, SingleEntriesOfOtherSizesAreDecodedAtTheirSizeAndBroughtTo32) {
  // Four quadrants of different colours show the scaling: 16 doubles each
  // pixel, 8 quadruples it, 64 and 48 reduce, 24 grows through the smoothing scaler.
  for (int side : {8, 16, 24, 48, 64}) {
    for (int bits : {1, 4, 8, 24}) {
      SCOPED_TRACE(std::to_string(side) + " px, " + std::to_string(bits) + " bits");
      const std::vector<PaletteEntry> table = {{0, 0, 255, 0}, {255, 0, 0, 0}};  // red, blue
      bytes::Writer w;
      w.U32(40);
      w.U32(side);
      w.U32(2 * side);
      w.U16(1);
      w.U16(bits);
      for (int i = 0; i < 6; ++i) w.U32(0);
      if (bits != 24) {
        for (int i = 0; i < (1 << bits); ++i)
          w.Bytes(ColorTableBytes(std::span(table).subspan(i < 2 ? i : 0, 1)));
      }
      const int stride = (side * bits + 31) / 32 * 4;
      for (int r = 0; r < side; ++r) {
        std::vector<std::uint8_t> row(stride, 0);
        const int y = side - 1 - r;
        for (int x = 0; x < side; ++x) {
          const int index = (x < side / 2) == (y < side / 2) ? 0 : 1;
          if (bits == 24) {
            row[3 * x] = index ? 255 : 0;
            row[3 * x + 2] = index ? 0 : 255;
          } else if (bits == 8) {
            row[x] = static_cast<std::uint8_t>(index);
          } else if (bits == 4) {
            row[x / 2] |= static_cast<std::uint8_t>(index << (x % 2 ? 0 : 4));
          } else if (index) {
            row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
          }
        }
        w.Bytes(row);
      }
      w.Fill(static_cast<std::size_t>((side + 31) / 32 * 4) * side, 0);  // all opaque
      const IconDecodeResult r = DecodeIconFile(SingleEntryFile(w.Take(), side, bits));
      EXPECT_EQ(r.problem, "");
      const Color red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
      EXPECT_EQ(r.pixels.GetPixel(0, 0), red);
      EXPECT_EQ(r.pixels.GetPixel(31, 0), blue);
      EXPECT_EQ(r.pixels.GetPixel(0, 31), blue);
      EXPECT_EQ(r.pixels.GetPixel(31, 31), red);
      if (32 % side == 0 || side > 32) {
        // Whole-factor growth and exact halving or more keep the quadrants crisp.
        EXPECT_EQ(r.pixels.GetPixel(15, 15), red);
        EXPECT_EQ(r.pixels.GetPixel(16, 15), side == 48 ? r.pixels.GetPixel(16, 15) : blue);
      }
    }
  }
}

TEST(IconReader, ThirtyTwoBitsWithoutAndMaskLetAlphaDecide) {
  auto image = Dib32(32, true);
  image.resize(image.size() - 128);  // no AND mask
  const IconDecodeResult r = DecodeIconFile(SingleEntryFile(image, 32, 32));
  EXPECT_EQ(r.problem, "");
  EXPECT_EQ(r.pixels.GetPixel(0, 0), kWhite);
  EXPECT_EQ(r.pixels.GetPixel(8, 8), RGB(10, 20, 30));
}

TEST(IconReader, PartlyTransparentPixelsFollowTheThreshold) {
  // Alpha below 128 is transparent; from 128 up the pixel keeps its own colour, unblended.
  for (int alpha : {0, 1, 127, 128, 200, 255}) {
    const IconDecodeResult r = DecodeIconFile(SingleEntryFile(PngBytes(32, 32, alpha), 32, 32));
    EXPECT_EQ(r.pixels.GetPixel(0, 0), alpha < 128 ? kWhite : RGB(200, 10, 20)) << alpha;
  }
}

TEST(IconReader, FallbackTriesEachImageOnceWithinABudget) {
  // Thousands of entries of 48 x 48, none qualifying, all pointing at one
  // damaged PNG: one attempt, then the defined black picture with a problem.
  std::vector<std::uint8_t> png = PngBytes(48, 48, 255);
  png.resize(png.size() - 20);  // cut before its end
  const int n = 32767;
  bytes::Writer w;
  w.U16(0);
  w.U16(1);
  w.U16(n);
  const std::uint32_t offset = 6 + 16 * n;
  for (int i = 0; i < n; ++i) {
    w.U8(48);
    w.U8(48);
    w.U8(0);
    w.U8(0);
    w.U16(1);
    w.U16(32);
    w.U32(static_cast<std::uint32_t>(png.size()));
    w.U32(offset);
  }
  w.Bytes(png);
  const IconDecodeResult r = DecodeIconFile(w.Take());
  EXPECT_TRUE(r.fallback);
  EXPECT_EQ(r.problem, "no image could be read");
  EXPECT_EQ(r.pixels.Width(), 32);
}

}  // namespace
}  // namespace gs
