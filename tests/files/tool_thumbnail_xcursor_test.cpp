// glyphsmith-tool thumbnail and xcursor, driven as a file manager or a
// cursor-theme script would.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "files/ani_format.h"
#include "files/byte_io.h"
#include "files/icon_writer.h"
#include "files/png_codec.h"
#include "files/xcursor_format.h"
#include "tests/files/file_test_util.h"
#include "tests/files/xcursor_readback.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

using Bytes = std::vector<std::uint8_t>;

// `env`: "NAME=value " settings for the call.
int RunTool(const test::TempDir& dir, const std::string& args, std::string* err = nullptr,
            const std::string& env = "") {
  const std::string cmd = env + std::string(GS_TOOL_PATH) + " " + args + " >/dev/null 2>" +
                          dir.file(".err") + " </dev/null";
  const int status = std::system(cmd.c_str());
  if (err) {
    std::ifstream in(dir.file(".err"));
    std::stringstream ss;
    ss << in.rdbuf();
    *err = ss.str();
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Bytes Cursor(Color c, int hx, int hy) {
  Bytes b = BuildIconBytes(test::Picture({"xx", "x."}, {{'x', c}}), 4, PaletteMethod::None);
  MarkAsCursor(b, static_cast<std::int16_t>(hx), static_cast<std::int16_t>(hy));
  return b;
}

class ToolDesktop : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteAll(
        dir_.file("a.ico"),
        BuildIconBytes(test::Picture({"x."}, {{'x', RGB(255, 0, 0)}}), 24, PaletteMethod::None));
    test::WriteAll(dir_.file("a.cur"), Cursor(RGB(0, 0, 255), 4, 5));
    test::WriteAll(dir_.file("b.cur"), Cursor(RGB(0, 255, 0), 6, 7));
    test::WriteAll(
        dir_.file("a.ani"),
        BuildAnimatedCursorBytes(
            std::vector<Bytes>{Cursor(RGB(0, 255, 0), 6, 7), Cursor(RGB(0, 0, 255), 4, 5)}, 12));
  }
  test::TempDir dir_;
};

TEST_F(ToolDesktop, ThumbnailsOfIconsCursorsAndAnimatedCursors) {
  const struct {
    const char* in;
    int size;
    std::array<std::uint8_t, 4> topLeft;
  } cases[] = {
      {"a.ico", 128, {255, 0, 0, 255}},
      {"a.cur", 256, {0, 0, 255, 255}},
      {"a.ani", 48, {0, 255, 0, 255}},
      {"a.ico", 16, {255, 0, 0, 64}},  // one red pixel in its 2 x 2 block
  };
  for (const auto& c : cases) {
    const std::string out = dir_.file(std::string(c.in) + std::to_string(c.size) + ".png");
    ASSERT_EQ(RunTool(dir_, std::string("thumbnail ") + dir_.file(c.in) + " " + out + " " +
                                std::to_string(c.size)),
              0)
        << c.in;
    RgbaImage img;
    ASSERT_TRUE(DecodePng(test::ReadAll(out), img)) << c.in;
    EXPECT_EQ(img.width, c.size);
    EXPECT_EQ(img.height, c.size);
    const std::array<std::uint8_t, 4> got{img.rgba[0], img.rgba[1], img.rgba[2], img.rgba[3]};
    EXPECT_EQ(got, c.topLeft) << c.in << " at " << c.size;
    EXPECT_EQ(img.rgba.back(), 0) << "the bottom right is transparent";
  }
}

TEST_F(ToolDesktop, BadThumbnailRequestsAreRefusedAndWriteNothing) {
  test::WriteAll(dir_.file("text.ico"), {'h', 'e', 'l', 'l', 'o'});
  // Cut after the directory, then after the image header: no pixel in either.
  Bytes cut = test::ReadAll(dir_.file("a.ico"));
  cut.resize(6 + 16);
  test::WriteAll(dir_.file("head.ico"), cut);
  cut = test::ReadAll(dir_.file("a.ico"));
  cut.resize(6 + 16 + 40);
  test::WriteAll(dir_.file("nopix.ico"), cut);
  cut = test::ReadAll(dir_.file("a.cur"));  // 4 bits: 16 colours, then the pixels
  cut.resize(6 + 16 + 40 + 16 * 4);
  test::WriteAll(dir_.file("table.cur"), cut);
  const struct {
    const char* args;
    int rc;
  } cases[] = {
      {"thumbnail a.ico out.png", 2},          {"thumbnail a.ico out.png 0", 2},
      {"thumbnail a.ico out.png 12x", 2},      {"thumbnail a.ico out.png 5000", 2},
      {"thumbnail missing.ico out.png 64", 1}, {"thumbnail text.ico out.png 64", 1},
      {"thumbnail head.ico out.png 64", 1},    {"thumbnail nopix.ico out.png 64", 1},
      {"thumbnail table.cur out.png 64", 1},   {"xcursor a.cur", 2},
      {"xcursor text.ico out.x11", 1},
  };
  for (const auto& c : cases) {
    std::string args = c.args;
    for (const char* name : {"a.ico", "missing.ico", "text.ico", "head.ico", "nopix.ico",
                             "table.cur", "a.cur", "out.png", "out.x11"}) {
      const auto at = args.find(name);
      if (at != std::string::npos) args.replace(at, std::strlen(name), dir_.file(name));
    }
    std::string err;
    EXPECT_EQ(RunTool(dir_, args, &err), c.rc) << c.args;
    EXPECT_FALSE(err.empty()) << c.args;
  }
  std::ifstream png(dir_.file("out.png")), x11(dir_.file("out.x11"));
  EXPECT_FALSE(png.good());
  EXPECT_FALSE(x11.good());
}

// libXcursor is loaded for X11 cursors alone: without it the other commands
// work, and xcursor says what to install and writes nothing.
TEST_F(ToolDesktop, WithoutLibXcursorOnlyXcursorFailsAndSaysWhatIsMissing) {
  const std::string without =
      std::string("LD_PRELOAD=") + GS_NO_LIBRARY_SHIM +
      " ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 ";
  std::string err;
  EXPECT_EQ(RunTool(dir_, "xcursor " + dir_.file("a.cur") + " " + dir_.file("out"), &err, without),
            1);
  EXPECT_NE(err.find(dir_.file("out") + ": X11 cursors need libXcursor.so.1 (the libxcursor1 "
                                        "package), which cannot be loaded"),
            std::string::npos)
      << err;
  EXPECT_FALSE(std::ifstream(dir_.file("out")).good());
  EXPECT_EQ(
      RunTool(dir_, "convert " + dir_.file("a.cur") + " " + dir_.file("a.bmp"), &err, without), 0)
      << err;
  EXPECT_EQ(RunTool(dir_, "xcursor " + dir_.file("a.cur") + " " + dir_.file("out"), &err), 0)
      << err;
}

// libpng too is loaded when a PNG is met, not at start: without it only PNG
// files fail, and say what to install.
TEST_F(ToolDesktop, WithoutLibpngOnlyPngFilesFailAndSayWhatIsMissing) {
  const std::string without =
      std::string("GS_MISSING_LIBRARY=libpng LD_PRELOAD=") + GS_NO_LIBRARY_SHIM +
      " ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0 ";
  const std::string need = "need libpng16.so.16 (the libpng16-16 package), which cannot be loaded";
  std::string err;
  const std::string pngIcon = std::string(GS_TEST_DATA_DIR) + "/files/valid/png_64.ico";
  EXPECT_EQ(RunTool(dir_, "convert " + pngIcon + " " + dir_.file("p.bmp"), &err, without), 1);
  EXPECT_NE(err.find(pngIcon + ": PNG images " + need), std::string::npos) << err;
  EXPECT_EQ(RunTool(dir_, "thumbnail " + dir_.file("a.ico") + " " + dir_.file("t.png") + " 32",
                    &err, without),
            1);
  EXPECT_NE(err.find(dir_.file("t.png") + ": PNG pictures " + need), std::string::npos) << err;
  EXPECT_FALSE(std::ifstream(dir_.file("t.png")).good());
  EXPECT_FALSE(std::ifstream(dir_.file("p.bmp")).good());
  EXPECT_EQ(
      RunTool(dir_, "convert " + dir_.file("a.cur") + " " + dir_.file("a.bmp"), &err, without), 0)
      << err;
}

TEST_F(ToolDesktop, XcursorOfAnAnimatedCursorKeepsFramesHotspotsAndDelays) {
  ASSERT_EQ(RunTool(dir_, "xcursor " + dir_.file("a.ani") + " " + dir_.file("busy")), 0);
  std::vector<test::XcursorFrame> x;
  ASSERT_TRUE(test::LoadXcursorFile(dir_.file("busy"), x));
  ASSERT_EQ(x.size(), 2u);
  EXPECT_EQ(x[0].xhot, 6u);
  EXPECT_EQ(x[0].yhot, 7u);
  EXPECT_EQ(x[1].xhot, 4u);
  EXPECT_EQ(x[0].delay, 200u) << "interval 12 ticks of 1/60 s";
  EXPECT_EQ(x[1].pixels[0], 0xFF0000FFu);

  ASSERT_EQ(RunTool(dir_, "xcursor " + dir_.file("b.cur") + " " + dir_.file("arrow")), 0);
  ASSERT_TRUE(test::LoadXcursorFile(dir_.file("arrow"), x));
  ASSERT_EQ(x.size(), 1u);
  EXPECT_EQ(x[0].xhot, 6u);
  EXPECT_EQ(x[0].delay, 0u);
  EXPECT_EQ(x[0].pixels[0], 0xFF00FF00u);
}

// 64 steps of a frame whose headers claim every size from 129 to 256: a few
// kilobytes that would make a file of over a gigabyte. Refused from the
// headers, before anything is decoded or written.
TEST_F(ToolDesktop, XcursorRefusesWhatWouldExceedItsLimit) {
  bytes::Writer f;
  f.U16(0), f.U16(2), f.U16(128);
  for (int side = 129; side <= 256; ++side) {
    f.U8(side & 0xFF), f.U8(side & 0xFF), f.U8(0), f.U8(0), f.U16(0), f.U16(0), f.U32(40);
    f.U32(6 + 16 * 128 + 40 * (side - 129));
  }
  for (int side = 129; side <= 256; ++side) {
    f.U32(40), f.U32(side), f.U32(2 * side), f.U16(1), f.U16(32);
    f.Fill(24, 0);
  }
  const Bytes frame = f.Take();
  const Bytes ani = BuildAnimatedCursorBytes(std::vector<Bytes>(64, frame), 6);
  std::vector<XcursorFrameImage> images;
  std::string problem;
  EXPECT_FALSE(CursorFileImages(ani, images, problem));
  EXPECT_EQ(problem, "the X11 cursor would be larger than 16 MiB");
  test::WriteAll(dir_.file("bomb.ani"), ani);
  EXPECT_EQ(RunTool(dir_, "xcursor " + dir_.file("bomb.ani") + " " + dir_.file("bomb")), 1);
  EXPECT_FALSE(std::ifstream(dir_.file("bomb")).good());
}

}  // namespace
}  // namespace gs
