// A second independent decoder for what we write: ImageMagick (installed by
// scripts/setup.sh) reads our icons, cursors and PCX pictures. Qt has no PCX
// reader, and its ICO reader skips the colour table of 24-bit images, which
// ours has (one entry, colours used 1, as the bitmap format allows).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "document/pixel_helpers.h"
#include "files/depth.h"
#include "files/icon_writer.h"
#include "files/pcx_format.h"
#include "tests/files/file_test_util.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

std::string ImageMagick() {
  for (const char* p : {"/usr/bin/convert-im6.q16", "/usr/bin/magick", "/usr/bin/convert"})
    if (std::filesystem::exists(p)) return p;
  return "";
}

struct Rgba {
  int r = -1, g = -1, b = -1, a = 255;
};

// Every pixel as ImageMagick's text enumeration gives it.
std::vector<Rgba> ReadWithImageMagick(const std::string& file, const test::TempDir& dir) {
  const std::string txt = dir.file("pixels.txt");
  const std::string cmd = ImageMagick() + " " + file + " -depth 8 txt:" + txt + " 2>/dev/null";
  if (std::system(cmd.c_str()) != 0) return {};
  std::ifstream in(txt);
  std::string line;
  std::vector<Rgba> px(32 * 32);
  while (std::getline(in, line)) {
    int x, y, r, g, b, a = 255;
    const int n = std::sscanf(line.c_str(), "%d,%d: (%d,%d,%d,%d", &x, &y, &r, &g, &b, &a);
    if (n >= 5 && x >= 0 && x < 32 && y >= 0 && y < 32)
      px[y * 32 + x] = {r, g, b, n == 6 ? a : 255};
  }
  return px;
}

std::string Compare(const std::vector<Rgba>& got, const Surface& want, const Surface* document) {
  if (got.size() != 1024) return "ImageMagick could not read the file";
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const Rgba& g = got[y * 32 + x];
      const Color w = want.GetPixel(x, y);
      const bool clear = document && document->GetPixel(x, y) == kWhite;
      const bool ok = clear ? g.a == 0 : g.a == 255 && RGB(g.r, g.g, g.b) == w;
      if (!ok) {
        char buf[120];
        std::snprintf(buf, sizeof buf, "at (%d, %d): got %d,%d,%d,%d want %06X%s", x, y, g.r, g.g,
                      g.b, g.a, w, clear ? " transparent" : "");
        return buf;
      }
    }
  return "";
}

Surface Sample() {
  Surface s = test::ManyColours();
  s.FillRect({4, 4, 12, 9}, kWhite);
  s.FillRect({20, 0, 32, 3}, kBlack);
  return s;
}

class ImageMagickReads : public ::testing::Test {
 protected:
  void SetUp() override {
    if (ImageMagick().empty()) GTEST_SKIP() << "ImageMagick is not installed";
  }
  test::TempDir dir_;
};

TEST_F(ImageMagickReads, IconsAndCursorsAtEveryDepth) {
  const Surface pic = Sample();
  for (int bits : {1, 4, 8, 24}) {
    SCOPED_TRACE(bits);
    Surface want = pic;
    if (bits != 24) ConvertDocumentToDepth(want, bits);
    std::vector<std::uint8_t> b = BuildIconBytes(pic, bits, PaletteMethod::None);
    test::WriteAll(dir_.file("a.ico"), b);
    EXPECT_EQ(Compare(ReadWithImageMagick(dir_.file("a.ico"), dir_), want, &pic), "");
    MarkAsCursor(b, 31, 0);
    test::WriteAll(dir_.file("a.cur"), b);
    EXPECT_EQ(Compare(ReadWithImageMagick(dir_.file("a.cur"), dir_), want, &pic), "") << "cursor";
  }
}

TEST_F(ImageMagickReads, PcxAtFourEightAndTwentyFourBits) {
  const Surface pic = Sample();
  for (int bits : {4, 8, 24}) {
    SCOPED_TRACE(bits);
    Surface want = pic;
    if (bits != 24) ConvertDocumentToDepth(want, bits);
    test::WriteAll(dir_.file("a.pcx"), BuildPcxBytes(pic, bits));
    EXPECT_EQ(Compare(ReadWithImageMagick(dir_.file("a.pcx"), dir_), want, nullptr), "");
  }
}

TEST_F(ImageMagickReads, OneBitPcxKeepsItsTwoLevels) {
  // The 1-bit map is all zero, so readers choose the two colours themselves;
  // the partition into two levels must survive.
  const Surface pic = test::Picture({"#.#..##."}, {}, kBlack);
  test::WriteAll(dir_.file("m.pcx"), BuildPcxBytes(pic, 1));
  const auto got = ReadWithImageMagick(dir_.file("m.pcx"), dir_);
  ASSERT_EQ(got.size(), 1024u);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool sameAsCorner = got[y * 32 + x].r == got[0].r;
      ASSERT_EQ(sameAsCorner, pic.GetPixel(x, y) == pic.GetPixel(0, 0)) << x << "," << y;
    }
}

}  // namespace
}  // namespace gs
