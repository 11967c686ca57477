#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "document/icon_document.h"
#include "files/ani_format.h"
#include "files/ani_frames.h"
#include "files/bmp_format.h"
#include "files/depth.h"
#include "files/icon_writer.h"
#include "files/pcx_format.h"
#include "tests/files/file_test_util.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

using test::U16At;
using test::U32At;
using Bytes = std::vector<std::uint8_t>;

TEST(BitmapExport, HeaderFieldsAtEveryDepth) {
  struct Row {
    int bits;
    std::uint32_t size, offset, imageSize, colours;
  } rows[] = {
      {1, 190, 62, 0, 2}, {4, 630, 118, 0, 16}, {8, 2102, 1078, 0, 256}, {24, 3126, 54, 3072, 0}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.bits);
    const Bytes b = BuildBitmapBytes(test::ManyColours(), r.bits);
    ASSERT_EQ(b.size(), r.size);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(U32At(b, 2), r.size);
    EXPECT_EQ(U32At(b, 6), 0u);
    EXPECT_EQ(U32At(b, 10), r.offset);
    EXPECT_EQ(U32At(b, 14), 40u);
    EXPECT_EQ(U32At(b, 18), 32u);
    EXPECT_EQ(U32At(b, 22), 32u);
    EXPECT_EQ(U16At(b, 26), 1);
    EXPECT_EQ(U16At(b, 28), r.bits);
    EXPECT_EQ(U32At(b, 30), 0u);
    EXPECT_EQ(U32At(b, 34), r.imageSize);
    EXPECT_EQ(U32At(b, 38), 0u);
    EXPECT_EQ(U32At(b, 42), 0u);
    EXPECT_EQ(U32At(b, 46), r.colours);
    EXPECT_EQ(U32At(b, 50), r.colours);
  }
}

TEST(BitmapExport, WhiteStaysWhiteAndBlackAndWhiteIsExactAtOneBit) {
  const Bytes white = BuildBitmapBytes(MakeIconSurface(), 24);
  ASSERT_EQ(white.size(), 3126u);
  for (std::size_t i = 54; i < white.size(); ++i) ASSERT_EQ(white[i], 0xFF);

  const Surface pic = test::Picture({"#.#.", ".##."});
  const Bytes mono = BuildBitmapBytes(pic, 1);
  // Table: black then white; top row is the last stored row.
  EXPECT_EQ(U32At(mono, 54), 0u);
  EXPECT_EQ(U32At(mono, 58), 0x00FFFFFFu);
  EXPECT_EQ(mono[62 + 31 * 4], 0b01011111);
  EXPECT_EQ(mono[62 + 30 * 4], 0b10011111);
}

Bytes Encode(const Bytes& line) {
  Bytes out;
  EncodePcxLine(line, out);
  return out;
}

TEST(PcxExport, EncodePcxLineRuns) {
  struct Case {
    const char* name;
    Bytes in, want;
  } cases[] = {
      {"32 equal bytes", Bytes(32, 200), {224, 200}},
      {"lone high byte", {1, 200, 2}, {1, 193, 200, 2}},
      {"lone low byte", {100}, {100}},
      {"191 is still literal", {191}, {191}},
      {"192 needs a pair", {192}, {193, 192}},
      {"pair of low bytes", {7, 7}, {194, 7}},
      {"64 bytes split at 63", Bytes(64, 5), {255, 5, 5}},
      {"126 bytes: two full runs", Bytes(126, 0), {255, 0, 255, 0}},
      {"empty", {}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Encode(c.in), c.want) << c.name;
}

TEST(PcxExport, NoRunOver63AndDecodingGivesTheLineBack) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    Bytes line(1 + rng() % 300);
    for (auto& v : line) v = rng() % 4 == 0 ? static_cast<std::uint8_t>(rng()) : 192;
    const Bytes enc = Encode(line);
    Bytes dec;
    for (std::size_t i = 0; i < enc.size();) {
      if (enc[i] >= 192) {
        ASSERT_LE(enc[i] - 192, 63);
        ASSERT_LT(i + 1, enc.size());
        dec.insert(dec.end(), enc[i] - 192, enc[i + 1]);
        i += 2;
      } else {
        dec.push_back(enc[i++]);
      }
    }
    ASSERT_EQ(dec, line);
  }
}

TEST(PcxExport, AllWhiteFileLengthsAndHeader) {
  struct Row {
    int bits;
    std::size_t length;
    int bitsPerPlane, planes, lineBytes;
  } rows[] = {{8, 961, 8, 1, 32},
              {24, 320, 8, 3, 32},
              {1, 128 + 32 * 2, 1, 1, 4},
              {4, 128 + 32 * 2, 4, 1, 16}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.bits);
    const Bytes b = BuildPcxBytes(MakeIconSurface(), r.bits);
    ASSERT_EQ(b.size(), r.length);
    EXPECT_EQ(b[0], 10);
    EXPECT_EQ(b[1], 5);
    EXPECT_EQ(b[2], 1);
    EXPECT_EQ(b[3], r.bitsPerPlane);
    EXPECT_EQ(U16At(b, 4), 1);
    EXPECT_EQ(U16At(b, 6), 1);
    EXPECT_EQ(U16At(b, 8), 32);
    EXPECT_EQ(U16At(b, 10), 32);
    EXPECT_EQ(U16At(b, 12), 96);
    EXPECT_EQ(U16At(b, 14), 96);
    EXPECT_EQ(b[64], 0);
    EXPECT_EQ(b[65], r.planes);
    EXPECT_EQ(U16At(b, 66), r.lineBytes);
    EXPECT_EQ(U16At(b, 68), 0);
    for (int i = 70; i < 128; ++i) ASSERT_EQ(b[i], 0);
    // The 16-colour map is filled at 4 bits only.
    bool mapZero = true;
    for (int i = 16; i < 64; ++i) mapZero = mapZero && b[i] == 0;
    EXPECT_EQ(mapZero, r.bits != 4);
  }
  const Bytes rgb = BuildPcxBytes(MakeIconSurface(), 24);
  for (std::size_t i = 128; i < rgb.size(); i += 2) {
    ASSERT_EQ(rgb[i], 224);
    ASSERT_EQ(rgb[i + 1], 255);
  }
  const Bytes pal = BuildPcxBytes(MakeIconSurface(), 8);
  EXPECT_EQ(pal[128 + 64], 12);
  const int white = NearestStandardIndex(8, kWhite);
  EXPECT_EQ(pal[129], white);
  EXPECT_EQ(pal[128 + 65 + 3 * white], 255);
}

TEST(PcxExport, TwentyFourBitPlanesAreRedGreenBlueTopRowFirst) {
  const Surface pic = test::Picture({"a"}, {{'a', RGB(1, 2, 3)}}, RGB(9, 9, 9));
  const Bytes b = BuildPcxBytes(pic, 24);
  // Top row, red plane: 1 then a run of 31 nines.
  EXPECT_EQ((Bytes{b.begin() + 128, b.begin() + 140}),
            (Bytes{1, 192 + 31, 9, 2, 192 + 31, 9, 3, 192 + 31, 9, 224, 9, 224}));
}

TEST(PcxExport, BlockTooShortOrUnknownDepthGivesNothing) {
  const auto table = StandardTable(8);
  EXPECT_TRUE(BuildPcxBytes(Bytes(100), 32, 32, 8, table).empty());
  EXPECT_TRUE(BuildPcxBytes(Bytes(1024), 32, 32, 8, table.first(10)).empty());
  EXPECT_TRUE(BuildPcxBytes(Bytes(1024), 32, 32, 16, table).empty());
  EXPECT_TRUE(BuildPcxBytes(MakeIconSurface(), 2).empty());
}

TEST(AnimatedCursor, OneFrameLayout) {
  const Bytes frame = BuildIconBytes(MakeIconSurface(), 1, PaletteMethod::None);
  ASSERT_EQ(frame.size(), 326u);
  const std::vector<Bytes> frames{frame};
  const Bytes b = BuildAnimatedCursorBytes(frames, 25);
  ASSERT_EQ(b.size(), 514u);
  auto tag = [&](std::size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); };
  EXPECT_EQ(tag(0), "RIFF");
  EXPECT_EQ(U32At(b, 4), 506u);
  EXPECT_EQ(tag(8), "ACON");
  // The header first, then the texts: readers that stop at a first chunk
  // other than "anih" refuse the file.
  EXPECT_EQ(tag(12), "anih");
  const std::uint32_t anih[] = {36, 36, 1, 1, 0, 0, 0, 0, 25, 1};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(U32At(b, 16 + 4 * i), anih[i]) << i;
  EXPECT_EQ(tag(56), "LIST");
  EXPECT_EQ(U32At(b, 60), 104u);
  EXPECT_EQ(tag(64), "INFO");
  EXPECT_EQ(tag(68), "INAM");
  EXPECT_EQ(U32At(b, 72), 66u);
  EXPECT_EQ(b[76 + 65], 0);
  EXPECT_EQ(tag(142), "IART");
  EXPECT_EQ(U32At(b, 146), 18u);
  EXPECT_EQ(b[150 + 17], 0);
  EXPECT_EQ(tag(168), "LIST");
  EXPECT_EQ(U32At(b, 172), 338u);
  EXPECT_EQ(tag(176), "fram");
  EXPECT_EQ(tag(180), "icon");
  EXPECT_EQ(U32At(b, 184), 326u);
  EXPECT_EQ(Bytes(b.begin() + 188, b.end()), frame);
}

// Walks [begin, end) as RIFF chunks: every size fits its parent, an odd
// chunk is followed by a zero pad byte, lists nest, and the last chunk ends
// exactly where its parent does. Returns the first fault, or "".
std::string CheckChunks(const Bytes& b, std::size_t begin, std::size_t end, int& count) {
  std::size_t at = begin;
  while (at < end) {
    if (end - at < 8) return "chunk header cut at " + std::to_string(at);
    const std::string id(b.begin() + at, b.begin() + at + 4);
    const std::uint32_t size = U32At(b, at + 4);
    const std::size_t body = at + 8;
    if (size > end - body) return id + " runs past its parent at " + std::to_string(at);
    ++count;
    if (id == "RIFF" || id == "LIST") {
      const std::string inner = CheckChunks(b, body + 4, body + size, count);
      if (!inner.empty()) return inner;
    }
    at = body + size;
    if (size & 1) {
      if (at >= end) return id + " has no pad byte inside its parent";
      if (b[at] != 0) return id + " pad byte is not 0";
      ++at;
    }
  }
  return at == end ? "" : "chunks overrun their parent";
}

TEST(AnimatedCursor, EveryChunkIsEvenPaddedAndNested) {
  const Bytes icon = BuildIconBytes(MakeIconSurface(), 1, PaletteMethod::None);
  struct Case {
    const char* name;
    std::vector<Bytes> frames;
    std::string note, author;
    std::size_t framList;  // offset of the frame list, 168 with our texts
  } cases[] = {
      {"our texts, one cursor",
       {icon},
       std::string(AniCreatorNote()),
       std::string(AniAuthorName()),
       168},
      {"odd-length frames",
       {icon, Bytes(3, 1), Bytes(5, 2)},
       std::string(AniCreatorNote()),
       std::string(AniAuthorName()),
       168},
      {"odd texts", {Bytes(3, 1)}, "ab", "c", 24 + 8 + 4 + 8 + 2 + 8 + 36},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes b = BuildAnimatedCursorBytes(c.frames, 1, c.note, c.author);
    ASSERT_GE(b.size(), 12u);
    EXPECT_EQ(b.size() % 2, 0u);
    EXPECT_EQ(U32At(b, 4), b.size() - 8);
    int count = 0;
    EXPECT_EQ(CheckChunks(b, 0, b.size(), count), "");
    EXPECT_EQ(count, 6 + static_cast<int>(c.frames.size()));
    EXPECT_EQ(std::string(b.begin() + c.framList, b.begin() + c.framList + 4), "LIST");
    // Cursor frames come back whole through the reader of animated cursors.
    if (c.frames[0] == icon) {
      AniSequence seq;
      std::string problem;
      ASSERT_TRUE(ReadAniSequence(b, seq, problem)) << problem;
      const auto got = seq.FrameBytes(b, 0);
      EXPECT_EQ(Bytes(got.begin(), got.end()), icon);
    }
  }
  // "anih" is the first chunk whatever the texts and frames.
  const Bytes b = BuildAnimatedCursorBytes(std::vector<Bytes>{Bytes(7, 0)}, 1, "ab", "c");
  EXPECT_EQ(std::string(b.begin() + 12, b.begin() + 16), "anih");
}

TEST(AnimatedCursor, DisplayRateFromInterval) {
  struct Case {
    double ms;
    bool ok;
    std::uint32_t rate;
  } cases[] = {{10, true, 1},
               {250, true, 25},
               {9, true, 1},
               {1, true, 1},
               {19.9, true, 1},
               {0, false, 0},
               {0.5, false, 0},
               {-5, false, 0},
               {1e12, false, 0},
               {3e9, true, 300000000},
               {42949672959.0, true, 4294967295u},
               {42949672960.0, false, 0}};
  for (const Case& c : cases) {
    std::uint32_t rate = 0;
    EXPECT_EQ(DisplayRateFromInterval(c.ms, rate), c.ok) << c.ms;
    if (c.ok) {
      EXPECT_EQ(rate, c.rate) << c.ms;
    }
  }
}

TEST(AnimatedCursor, MissingFrameWritesNothingAndNamesTheFrame) {
  test::TempDir dir;
  const Bytes frame = BuildIconBytes(MakeIconSurface(), 1, PaletteMethod::None);
  test::WriteAll(dir.file("a.cur"), frame);
  test::WriteAll(dir.file("out.ani"), {1, 2, 3});
  const std::vector<std::string> paths{dir.file("a.cur"), dir.file("gone.cur")};
  const WriteStatus st = WriteAnimatedCursor(dir.file("out.ani"), paths, 1);
  EXPECT_FALSE(st);
  EXPECT_NE(st.error.find("gone.cur"), std::string::npos) << st.error;
  EXPECT_EQ(test::ReadAll(dir.file("out.ani")), (Bytes{1, 2, 3}));

  const std::vector<std::string> three{dir.file("a.cur"), dir.file("a.cur"), dir.file("a.cur")};
  ASSERT_TRUE(WriteAnimatedCursor(dir.file("out.ani"), three, 1));
  EXPECT_EQ(test::ReadAll(dir.file("out.ani")).size(), 98u + 65 + 17 + 3 * (8 + 326));
}

TEST(AnimatedCursor, RiffChunksOfWhatWeWriteAndOfDamage) {
  const std::vector<Bytes> frames{Bytes(326, 0)};
  Bytes b = BuildAnimatedCursorBytes(frames, 1);
  std::vector<RiffChunk> chunks;
  std::string problem;
  ASSERT_TRUE(ReadRiffChunks(b, chunks, problem));
  EXPECT_EQ(problem, "");
  std::vector<std::string> ids;
  for (const auto& c : chunks) ids.push_back(c.id);
  EXPECT_EQ(ids, (std::vector<std::string>{"RIFF ACON", "anih", "LIST INFO", "INAM", "IART",
                                           "LIST fram", "icon"}));
  b.resize(300);
  ASSERT_TRUE(ReadRiffChunks(b, chunks, problem));
  EXPECT_NE(problem, "");
  EXPECT_FALSE(ReadRiffChunks(Bytes{'R', 'I', 'F'}, chunks, problem));
}

TEST(DepthConversion, TablesHoldBlackAndWhiteAndConvertingTwiceChangesNothing) {
  for (int bits : {1, 4, 8}) {
    SCOPED_TRACE(bits);
    const auto t = StandardTable(bits);
    ASSERT_EQ(t.size(), static_cast<std::size_t>(1) << bits);
    const auto fileBytes = StandardTableBytes(bits);
    EXPECT_EQ(std::vector<std::uint8_t>(fileBytes.begin(), fileBytes.end()), ColorTableBytes(t));
    EXPECT_EQ(t[NearestStandardIndex(bits, kWhite)].ToColor(), kWhite);
    EXPECT_EQ(t[NearestStandardIndex(bits, kBlack)].ToColor(), kBlack);
    Surface s = test::ManyColours();
    s.SetPixelV(0, 0, kWhite);
    ASSERT_TRUE(ConvertDocumentToDepth(s, bits));
    EXPECT_EQ(s.GetPixel(0, 0), kWhite);
    const Surface once = s;
    ConvertDocumentToDepth(s, bits);
    EXPECT_EQ(test::FirstDifference(s, once), "");
  }
  Surface s = test::Picture({"a"}, {{'a', RGB(250, 250, 250)}}, kBlack);
  ConvertDocumentToDepth(s, 1);
  EXPECT_EQ(s.GetPixel(0, 0), kWhite);
  EXPECT_FALSE(ConvertDocumentToDepth(s, 24));
  EXPECT_TRUE(StandardTableBytes(24).empty());
}

// The writers read a surface of 32 x 32 or more by whole rows and a smaller
// one pixel by pixel; both give what a 32 x 32 copy gives, black beyond the
// smaller one, and a stored invalid colour reads black either way.
TEST(DepthConversion, WritersReadLargerSmallerAndOddSurfacesAlike) {
  const Surface pic = test::ManyColours();
  auto copyOf = [&](int w, int h) {
    Surface s(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) s.SetPixelV(x, y, x < 32 && y < 32 ? pic.GetPixel(x, y) : kWhite);
    return s;
  };
  Surface odd = pic, oddAsRead = pic;
  odd.Pixels()[5 * 32 + 7] = kInvalidColor;
  oddAsRead.SetPixelV(7, 5, kBlack);
  const Surface larger = copyOf(40, 37), smaller = copyOf(20, 30);
  Surface smallerAsRead(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      smallerAsRead.SetPixelV(
          x, y, smaller.GetPixel(x, y) == kInvalidColor ? kBlack : smaller.GetPixel(x, y));
  for (int bits : {1, 4, 8, 24}) {
    SCOPED_TRACE(bits);
    EXPECT_EQ(BuildBitmapBytes(larger, bits), BuildBitmapBytes(pic, bits));
    EXPECT_EQ(BuildBitmapBytes(smaller, bits), BuildBitmapBytes(smallerAsRead, bits));
    EXPECT_EQ(BuildBitmapBytes(odd, bits), BuildBitmapBytes(oddAsRead, bits));
    EXPECT_EQ(BuildIconBytes(larger, bits, PaletteMethod::None),
              BuildIconBytes(pic, bits, PaletteMethod::None));
    EXPECT_EQ(BuildIconBytes(smaller, bits, PaletteMethod::None),
              BuildIconBytes(smallerAsRead, bits, PaletteMethod::None));
    EXPECT_EQ(BuildIconBytes(odd, bits, PaletteMethod::None),
              BuildIconBytes(oddAsRead, bits, PaletteMethod::None));
  }
}

TEST(DepthConversion, ConversionInPlaceMatchesTheImageAndRefusesShortBlocks) {
  const std::array<Color, 1024> pixels = PixelsOf(test::ManyColours());
  for (int bits : {1, 4, 8, 24})
    for (RowOrder order : {RowOrder::BottomUp, RowOrder::TopDown}) {
      SCOPED_TRACE(bits);
      const std::size_t size = static_cast<std::size_t>(BlockRowBytes(bits)) * 32;
      // One byte more than needed: it must survive.
      std::vector<std::uint8_t> block(size + 1, 0xA5);
      ASSERT_TRUE(ConvertPixelsInto(pixels, bits, order, block));
      EXPECT_EQ(block[size], 0xA5);
      block.pop_back();
      EXPECT_EQ(block, ConvertPixelsToDepth(pixels, bits, order).block);
      std::vector<std::uint8_t> shortBlock(size - 1, 0xA5);
      EXPECT_FALSE(ConvertPixelsInto(pixels, bits, order, shortBlock));
      EXPECT_EQ(shortBlock, std::vector<std::uint8_t>(size - 1, 0xA5));
    }
  std::vector<std::uint8_t> block(4096, 0xA5);
  EXPECT_FALSE(ConvertPixelsInto(pixels, 16, RowOrder::BottomUp, block));
  EXPECT_EQ(block, std::vector<std::uint8_t>(4096, 0xA5));
}

// Every writer goes through the safe write: a failure leaves the old file and
// says which file and why.
TEST(SafeSaving, EveryWriterKeepsTheOldFileWhenTheSaveFails) {
  test::TempDir dir;
  const Surface doc = test::ManyColours();
  // A path whose folder is a regular file cannot be created, even by root.
  test::WriteAll(dir.file("plain"), {1});
  const std::string impossible = dir.file("plain") + "/x";
  const std::string missingFolder = dir.file("nowhere") + "/x";
  for (const std::string& target : {impossible, missingFolder}) {
    for (const WriteStatus& st :
         {WriteIconFile(target + ".ico", doc, 8, PaletteMethod::High),
          WriteCursorFile(target + ".cur", doc, 1, PaletteMethod::None, 1, 1),
          WriteBitmapFile(target + ".bmp", doc, 24), WritePcxFile(target + ".pcx", doc, 8)}) {
      EXPECT_FALSE(st);
      EXPECT_EQ(st.error.rfind(target, 0), 0u) << st.error;
    }
  }
  // Over a read-only file: refused, old bytes kept, no temporary left behind.
  test::WriteAll(dir.file("old.ico"), {9, 9, 9});
  chmod(dir.file("old.ico").c_str(), 0444);
  const WriteStatus st = WriteIconFile(dir.file("old.ico"), doc, 24, PaletteMethod::None);
  EXPECT_FALSE(st);
  EXPECT_NE(st.error.find("Permission denied"), std::string::npos) << st.error;
  EXPECT_EQ(test::ReadAll(dir.file("old.ico")), (Bytes{9, 9, 9}));
  int entries = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++entries;
  EXPECT_EQ(entries, 2);

  // A read-only folder (root writes there anyway, so only for other users).
  if (geteuid() != 0) {
    const std::string folder = dir.file("ro");
    std::filesystem::create_directory(folder);
    test::WriteAll(folder + "/a.bmp", {4});
    chmod(folder.c_str(), 0555);
    const WriteStatus ro = WriteBitmapFile(folder + "/a.bmp", doc, 8);
    EXPECT_NE(ro.error.find("Permission denied"), std::string::npos) << ro.error;
    EXPECT_EQ(test::ReadAll(folder + "/a.bmp"), (Bytes{4}));
  }
}

}  // namespace
}  // namespace gs

namespace gs {
namespace {

TEST(DepthConversion, NearestStandardIndexMatchesAFullSearch) {
  // Every grey, every colour on a coarse grid, the tie points of the classic
  // table's levels (64, 191, 192) and a spread of others, at every depth.
  std::vector<Color> colours;
  for (int v = 0; v < 256; ++v) colours.push_back(RGB(v, v, v));
  for (int r = 0; r < 256; r += 5)
    for (int g = 0; g < 256; g += 5)
      for (int b = 0; b < 256; b += 5) colours.push_back(RGB(r, g, b));
  for (int r : {0, 63, 64, 65, 127, 128, 129, 191, 192, 193, 255})
    for (int g : {0, 64, 128, 191, 192, 255})
      for (int b : {0, 64, 128, 192, 255}) colours.push_back(RGB(r, g, b));
  std::mt19937 rng(3);
  for (int i = 0; i < 20000; ++i) colours.push_back(rng() & 0xFFFFFF);
  for (int bits : {1, 4, 8}) {
    const auto table = StandardTable(bits);
    auto fullSearch = [&](Color c) {
      int best = 0, bestDistance = 1 << 30;
      for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        const int dr = RedOf(c) - table[i].red, dg = GreenOf(c) - table[i].green,
                  db = BlueOf(c) - table[i].blue;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) best = i, bestDistance = d;
      }
      return best;
    };
    for (Color c : colours)
      ASSERT_EQ(NearestStandardIndex(bits, c), fullSearch(c)) << bits << " bits " << std::hex << c;
  }
}

}  // namespace
}  // namespace gs
