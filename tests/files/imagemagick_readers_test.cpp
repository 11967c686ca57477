// More independent decoders for what we write (installed by scripts/setup.sh):
// ImageMagick reads our icons, cursors and PCX pictures (Qt has no PCX reader,
// and its ICO reader keeps no mask above 8 bits); Pillow reads our 24-bit
// icons, which once carried a one-entry colour table it took for pixels; and
// gdk-pixbuf plays our animated cursors, which it refuses unless "anih" is the
// first chunk.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "document/pixel_helpers.h"
#include "files/ani_format.h"
#include "files/depth.h"
#include "files/icon_writer.h"
#include "files/pcx_format.h"
#include "files/png_codec.h"
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
  if (got.size() != 1024) return "the reader could not read the file";
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

// Runs a Python program with the system's interpreter; false when it fails.
bool RunPython(const test::TempDir& dir, const std::string& program, const std::string& args) {
  const std::string script = dir.file("reader.py");
  std::ofstream(script) << program;
  const std::string cmd = "/usr/bin/python3 " + script + " " + args + " 2>/dev/null";
  return std::system(cmd.c_str()) == 0;
}

bool HavePython(const char* module) {
  const std::string cmd =
      std::string("/usr/bin/python3 -c 'import ") + module + "' >/dev/null 2>&1";
  return std::filesystem::exists("/usr/bin/python3") && std::system(cmd.c_str()) == 0;
}

std::vector<Rgba> PixelsOfPng(const std::string& path) {
  RgbaImage img;
  if (!DecodePng(test::ReadAll(path), img, 256) || img.width != 32 || img.height != 32) return {};
  std::vector<Rgba> px;
  for (std::size_t i = 0; i < img.rgba.size(); i += 4)
    px.push_back({img.rgba[i], img.rgba[i + 1], img.rgba[i + 2], img.rgba[i + 3]});
  return px;
}

TEST(PillowReads, TwentyFourBitIconsAndCursorsWithTheirColoursInPlace) {
  if (!HavePython("PIL")) GTEST_SKIP() << "Pillow is not installed";
  test::TempDir dir;
  const Surface pic = Sample();
  std::vector<std::uint8_t> b = BuildIconBytes(pic, 24, PaletteMethod::None);
  test::WriteAll(dir.file("a.ico"), b);
  MarkAsCursor(b, 31, 0);
  test::WriteAll(dir.file("a.cur"), b);
  // Pillow's cursor reader keeps no mask: the black stored under the
  // transparent pixels shows there.
  Surface stored = pic;
  ReplaceColorInRect(stored, Area{0, 0, 32, 32}, kWhite, kBlack, stored);
  for (const char* name : {"a.ico", "a.cur"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(RunPython(dir,
                          "import sys\n"
                          "from PIL import Image\n"
                          "Image.open(sys.argv[1]).convert('RGBA').save(sys.argv[2])\n",
                          dir.file(name) + " " + dir.file("out.png")));
    const bool icon = name[2] == 'i';
    EXPECT_EQ(Compare(PixelsOfPng(dir.file("out.png")), icon ? pic : stored, icon ? &pic : nullptr),
              "");
  }
}

// Every frame in order, each for the display rate (25 sixtieths: 416 ms).
TEST(GdkPixbufReads, AnimatedCursorsFrameByFrameWithTheirDelays) {
  if (!HavePython("gi")) GTEST_SKIP() << "Python's gi is not installed";
  test::TempDir dir;
  const Surface pic = Sample();
  Surface other = test::ManyColours();
  other.FillRect({10, 20, 30, 25}, kWhite);
  std::vector<std::vector<std::uint8_t>> frames = {BuildIconBytes(pic, 24, PaletteMethod::None),
                                                   BuildIconBytes(other, 8, PaletteMethod::None),
                                                   BuildIconBytes(other, 24, PaletteMethod::None)};
  for (auto& f : frames) MarkAsCursor(f, 2, 3);
  test::WriteAll(dir.file("a.ani"), BuildAnimatedCursorBytes(frames, 25));
  const std::string delays = dir.file("delays.txt");
  ASSERT_TRUE(
      RunPython(dir,
                "import sys, gi\n"
                "gi.require_version('GdkPixbuf', '2.0')\n"
                "from gi.repository import GdkPixbuf, GLib\n"
                "a = GdkPixbuf.PixbufAnimation.new_from_file(sys.argv[1])\n"
                "t = GLib.TimeVal()\n"
                "t.tv_sec = 1000\n"
                "it = a.get_iter(t)\n"
                "with open(sys.argv[2], 'w') as out:\n"
                "    for k in range(3):\n"
                "        it.get_pixbuf().savev(sys.argv[3] + str(k) + '.png', 'png', [], [])\n"
                "        out.write(str(it.get_delay_time()) + '\\n')\n"
                "        t.add(it.get_delay_time() * 1000)\n"
                "        it.advance(t)\n",
                dir.file("a.ani") + " " + delays + " " + dir.file("frame")))
      << "gdk-pixbuf could not read the file";
  Surface low = other;
  ConvertDocumentToDepth(low, 8);
  const Surface* want[] = {&pic, &low, &other};
  const Surface* shape[] = {&pic, &other, &other};
  std::ifstream in(delays);
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE("frame " + std::to_string(k));
    int ms = 0;
    in >> ms;
    EXPECT_EQ(ms, 25 * 1000 / 60);
    EXPECT_EQ(
        Compare(PixelsOfPng(dir.file("frame" + std::to_string(k) + ".png")), *want[k], shape[k]),
        "");
  }
}

}  // namespace
}  // namespace gs
