#include "files/icon_writer.h"

#include <gtest/gtest.h>

#include <set>

#include "document/icon_document.h"
#include "files/icon_reader.h"
#include "platform/file_read.h"
#include "tests/files/file_test_util.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

using test::U16At;
using test::U32At;

struct DepthFields {
  int bits;
  std::size_t length;
  int colorCount, planes, entryBits;
  std::uint32_t resource, imageSize, colorsUsed;
  std::size_t tableBytes, blockBytes;
};

const DepthFields kDepths[] = {
    {1, 326, 0, 1, 1, 304, 128, 0, 8, 128},
    {4, 766, 16, 0, 0, 744, 2, 0, 64, 512},
    {8, 2238, 0, 0, 0, 2216, 1152, 256, 1024, 1024},
    {24, 3262, 0, 0, 0, 3240, 1153, 0, 0, 3072},
};

TEST(IconWriter, EveryFieldAtEveryDepth) {
  const Surface doc = test::ManyColours();
  for (const DepthFields& d : kDepths) {
    SCOPED_TRACE("bits " + std::to_string(d.bits));
    const auto b = BuildIconBytes(doc, d.bits, PaletteMethod::None);
    ASSERT_EQ(b.size(), d.length);
    EXPECT_EQ(U16At(b, 0), 0);
    EXPECT_EQ(U16At(b, 2), 1);
    EXPECT_EQ(U16At(b, 4), 1);
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[7], 32);
    EXPECT_EQ(b[8], d.colorCount);
    EXPECT_EQ(b[9], 0);
    EXPECT_EQ(U16At(b, 10), d.planes);
    EXPECT_EQ(U16At(b, 12), d.entryBits);
    EXPECT_EQ(U32At(b, 14), d.resource);
    EXPECT_EQ(U32At(b, 18), 22u);
    EXPECT_EQ(U32At(b, 22), 40u);
    EXPECT_EQ(U32At(b, 26), 32u);
    EXPECT_EQ(U32At(b, 30), 64u);
    EXPECT_EQ(U16At(b, 34), 1);
    EXPECT_EQ(U16At(b, 36), d.bits);
    EXPECT_EQ(U32At(b, 38), 0u);
    EXPECT_EQ(U32At(b, 42), d.imageSize);
    EXPECT_EQ(U32At(b, 46), 0u);
    EXPECT_EQ(U32At(b, 50), 0u);
    EXPECT_EQ(U32At(b, 54), d.colorsUsed);
    EXPECT_EQ(U32At(b, 58), 0u);
    EXPECT_EQ(22 + d.resource, d.length);
    EXPECT_EQ(62 + d.tableBytes + d.blockBytes + 128, d.length);
  }
}

TEST(IconWriter, TwentyFourBitsHasNoTableAndStoresColoursAsTheyStand) {
  Surface doc = test::Picture({"r"}, {{'r', RGB(200, 100, 50)}}, RGB(1, 2, 3));
  const auto b = BuildIconBytes(doc, 24, PaletteMethod::None);
  // Top-left pixel is the first pixel of the last stored row: blue, green, red.
  const std::size_t topLeft = 62 + 31 * 96;
  EXPECT_EQ(b[topLeft], 50);
  EXPECT_EQ(b[topLeft + 1], 100);
  EXPECT_EQ(b[topLeft + 2], 200);
  EXPECT_EQ(b[62], 3);  // bottom-left, stored first, right after the header
}

// Older 24-bit files of ours carry one table entry (four spaces, colours
// used 1, 4 bytes more in the entry); colours used says where the pixels
// start, so both layouts read back the same picture.
TEST(IconWriter, TwentyFourBitsReadsBackInTheOldAndTheNewLayout) {
  Surface doc = test::ManyColours();
  doc.FillRect({3, 3, 9, 7}, kWhite);
  const auto now = BuildIconBytes(doc, 24, PaletteMethod::None);
  auto old = now;
  old.insert(old.begin() + 62, 4, 0x20);
  old[54] = 1;   // colours used
  old[14] += 4;  // bytes in resource
  ASSERT_EQ(old.size(), 3266u);
  ASSERT_EQ(U32At(old, 14), 3244u);
  for (const auto* b : std::initializer_list<const std::vector<std::uint8_t>*>{&now, &old}) {
    SCOPED_TRACE(b->size());
    const IconDecodeResult r = DecodeIconFile(*b);
    EXPECT_EQ(r.problem, "");
    EXPECT_EQ(test::FirstDifference(r.pixels, doc), "");
  }
}

TEST(IconWriter, AllWhiteIsAllMaskOverBlackAtEveryDepth) {
  const Surface white = MakeIconSurface();
  for (const DepthFields& d : kDepths) {
    SCOPED_TRACE("bits " + std::to_string(d.bits));
    const auto b = BuildIconBytes(white, d.bits, PaletteMethod::None);
    const std::size_t block = 62 + d.tableBytes;
    for (std::size_t i = b.size() - 128; i < b.size(); ++i) ASSERT_EQ(b[i], 0xFF);
    // Black is index 0 of every standard table.
    for (std::size_t i = block; i < block + d.blockBytes; ++i) ASSERT_EQ(b[i], 0) << i;
  }
}

TEST(IconWriter, MaskMarksExactlyThePureWhitePixels) {
  const Surface doc = test::Picture(
      {
          ".#a",
          "#.#",
      },
      {{'a', RGB(254, 255, 255)}}, kBlack);
  const auto mask = BuildIconMask(doc);
  // Image row 0 is the last stored row; bits from the most significant.
  EXPECT_EQ(mask[31 * 4], 0b10000000);
  EXPECT_EQ(mask[30 * 4], 0b01000000);
  for (int i = 0; i < 30 * 4; ++i) ASSERT_EQ(mask[i], 0);
}

TEST(IconWriter, CursorHotspotBytesReplaceTypePlanesAndBitCount) {
  std::vector<std::uint8_t> b = BuildIconBytes(MakeIconSurface(), 1, PaletteMethod::None);
  const std::vector<std::uint8_t> icon = b;
  ASSERT_TRUE(MarkAsCursor(b, 0, 31));
  EXPECT_EQ(U16At(b, 2), 2);
  EXPECT_EQ(U16At(b, 10), 0);
  EXPECT_EQ(U16At(b, 12), 31);
  for (std::size_t i = 0; i < b.size(); ++i) {
    if (i == 2 || (i >= 10 && i <= 13)) continue;
    ASSERT_EQ(b[i], icon[i]) << i;
  }
  std::vector<std::uint8_t> tiny(10, 0);
  EXPECT_FALSE(MarkAsCursor(tiny, 1, 1));
  EXPECT_EQ(tiny, std::vector<std::uint8_t>(10, 0));
}

TEST(IconWriter, ExactPaletteKeepsTheFirst256ColoursAndSendsLaterOnesToZero) {
  // 300 distinct colours in screen order, then repeats of colour 255 and 299.
  Surface doc(32, 32);
  for (int n = 0; n < 1024; ++n) {
    const int k = n < 300 ? n : (n % 2 ? 255 : 299);
    doc.SetPixelV(n % 32, n / 32, RGB(k % 256, k / 256 + 1, 7));
  }
  const DepthImage img = BuildExactPalette(doc);
  ASSERT_EQ(img.table.size(), 256u);
  for (int n = 0; n < 1024; ++n) {
    const int k = n < 300 ? n : (n % 2 ? 255 : 299);
    const int x = n % 32, y = n / 32;
    const int want = k < 256 ? k : 0;
    ASSERT_EQ(img.block[(31 - y) * 32 + x], want) << "pixel " << n;
  }
  EXPECT_EQ(img.table[255], PaletteEntry::FromColor(RGB(255, 1, 7)));
}

TEST(IconWriter, ExactPaletteOfExactly256ColoursIndexesEveryOne) {
  Surface doc(32, 32);
  for (int n = 0; n < 1024; ++n) doc.SetPixelV(n % 32, n / 32, RGB(n % 256, 0, 9));
  const DepthImage img = BuildExactPalette(doc);
  for (int n = 0; n < 1024; ++n) ASSERT_EQ(img.block[(31 - n / 32) * 32 + n % 32], n % 256) << n;
}

TEST(IconWriter, SampledPaletteFindsExactColoursAndLowestOfEqualEntries) {
  // Few colours, one of them black: the real black and the unfilled black
  // entries are equal, so the lowest index must win.
  const Surface doc = test::Picture(
      {"#rg", "b#r"}, {{'r', RGB(255, 0, 0)}, {'g', RGB(0, 200, 0)}, {'b', RGB(0, 0, 90)}},
      RGB(10, 20, 30));
  const DepthImage img = BuildSampledPalette(doc);
  std::set<int> used;
  for (int n = 0; n < 1024; ++n) {
    const int x = n % 32, y = n / 32;
    const int idx = img.block[(31 - y) * 32 + x];
    ASSERT_EQ(img.table[idx].ToColor(), doc.GetPixel(x, y)) << "pixel " << n;
    used.insert(idx);
  }
  // Pass 0 sees pixel 0 (black) first.
  EXPECT_EQ(img.block[31 * 32], 0);
  EXPECT_EQ(used.size(), 5u);
}

TEST(IconWriter, SampledPaletteMapsColoursBeyond256ToTheirNearestEntry) {
  // 512 colours on a coarse grid: many misses at equal distances, where the
  // crossed measure and then the lower index decide.
  Surface grid(32, 32);
  for (int n = 0; n < 1024; ++n)
    grid.SetPixelV(n % 32, n / 32, RGB(n % 8 * 10, n / 8 % 8 * 10, n / 64 % 8 * 10));
  for (const Surface& coarse : {grid}) {
    const DepthImage img = BuildSampledPalette(coarse);
    for (int n = 0; n < 1024; ++n) {
      const Color c = coarse.GetPixel(n % 32, n / 32);
      ASSERT_EQ(img.block[(31 - n / 32) * 32 + n % 32],
                NearestPaletteIndex(img.table, RedOf(c), GreenOf(c), BlueOf(c)))
          << "pixel " << n;
    }
  }
  const Surface doc = test::ManyColours();
  const DepthImage img = BuildSampledPalette(doc);
  std::set<PaletteEntry, bool (*)(const PaletteEntry&, const PaletteEntry&)> distinct(
      [](const PaletteEntry& a, const PaletteEntry& b) { return a.ToColor() < b.ToColor(); });
  for (const auto& e : img.table) distinct.insert(e);
  EXPECT_EQ(distinct.size(), 256u);
  for (int n = 0; n < 1024; ++n) {
    const Color c = doc.GetPixel(n % 32, n / 32);
    ASSERT_EQ(img.block[(31 - n / 32) * 32 + n % 32],
              NearestPaletteIndex(img.table, RedOf(c), GreenOf(c), BlueOf(c)));
  }
}

TEST(IconWriter, NearestPaletteIndexTieBreaks) {
  std::vector<PaletteEntry> t(256);  // all black
  // Exact match wins with distance 0; the first of equal entries is kept.
  t[5] = PaletteEntry::FromColor(RGB(10, 20, 30));
  t[9] = PaletteEntry::FromColor(RGB(10, 20, 30));
  EXPECT_EQ(NearestPaletteIndex(t, 10, 20, 30), 5);
  EXPECT_EQ(NearestPaletteIndex(t, 0, 0, 0), 0);
  // (0,0,0) against entries (2,0,0) and (0,0,2): both at distance 2 once
  // (0,0,0) itself is out of the way; the crossed measure decides.
  std::vector<PaletteEntry> u(256, PaletteEntry::FromColor(RGB(200, 200, 200)));
  u[3] = PaletteEntry::FromColor(RGB(0, 0, 2));  // crossed: |g-r|+|b-g|+|r-b| = 0+0+2
  u[7] = PaletteEntry::FromColor(RGB(2, 0, 0));  // crossed: 2+0+0, not strictly smaller
  EXPECT_EQ(NearestPaletteIndex(u, 0, 0, 0), 3);
  u[7] = PaletteEntry::FromColor(RGB(0, 2, 0));  // crossed for (0,0,0): |0-0|+|0-2|+|0-0| = 2
  EXPECT_EQ(NearestPaletteIndex(u, 0, 0, 0), 3);
  // A crossed measure strictly smaller replaces the earlier entry.
  std::vector<PaletteEntry> v(256, PaletteEntry::FromColor(RGB(255, 255, 255)));
  v[1] = PaletteEntry::FromColor(RGB(10, 0, 0));  // for (5,0,0): d 5, crossed |0-10|+0+|5-0| = 15
  v[2] = PaletteEntry::FromColor(RGB(0, 0, 0));   // d 5, crossed 0+0+5 = 5 < 15
  EXPECT_EQ(NearestPaletteIndex(v, 5, 0, 0), 2);
}

TEST(IconWriter, PaletteMethodMattersOnlyAtEightBits) {
  const Surface doc = test::ManyColours();
  for (int bits : {1, 4, 24}) {
    EXPECT_EQ(BuildIconBytes(doc, bits, PaletteMethod::High),
              BuildIconBytes(doc, bits, PaletteMethod::None));
    EXPECT_EQ(BuildIconBytes(doc, bits, PaletteMethod::Extreme),
              BuildIconBytes(doc, bits, PaletteMethod::None));
  }
  EXPECT_NE(BuildIconBytes(doc, 8, PaletteMethod::High),
            BuildIconBytes(doc, 8, PaletteMethod::None));
  EXPECT_TRUE(BuildIconBytes(doc, 2, PaletteMethod::None).empty());
  EXPECT_TRUE(BuildIconBytes(doc, 32, PaletteMethod::None).empty());
}

TEST(IconWriter, WriteIconAndCursorFilesThroughTheDisk) {
  test::TempDir dir;
  const Surface doc = test::ManyColours();
  ASSERT_TRUE(WriteIconFile(dir.file("a.ico"), doc, 8, PaletteMethod::High));
  EXPECT_EQ(test::ReadAll(dir.file("a.ico")), BuildIconBytes(doc, 8, PaletteMethod::High));
  ASSERT_TRUE(WriteCursorFile(dir.file("a.cur"), doc, 1, PaletteMethod::None, 3, 4));
  const auto cur = test::ReadAll(dir.file("a.cur"));
  EXPECT_EQ(cur.size(), 326u);
  EXPECT_EQ(U16At(cur, 2), 2);
  EXPECT_EQ(U16At(cur, 10), 3);
  EXPECT_EQ(U16At(cur, 12), 4);
  const WriteStatus bad = WriteCursorFile(dir.file("b.cur"), doc, 1, PaletteMethod::None, 32, 0);
  EXPECT_FALSE(bad);
  EXPECT_FALSE(RegularFileExists(dir.file("b.cur")));
}

}  // namespace
}  // namespace gs
