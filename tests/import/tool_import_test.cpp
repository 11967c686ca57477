// glyphsmith-tool import, driven as a user would, against the import rules.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "files/icon_reader.h"
#include "files/icon_writer.h"
#include "import/picture_decoder.h"
#include "import/picture_import.h"
#include "tests/import/picture_test_util.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

struct ToolRun {
  int rc = -1;
  std::string err;
};

ToolRun Tool(const test::TempDir& dir, const std::string& args) {
  const std::string cmd =
      std::string(GS_TOOL_PATH) + " " + args + " >/dev/null 2>" + dir.file(".err") + " </dev/null";
  const int status = std::system(cmd.c_str());
  std::ifstream in(dir.file(".err"));
  std::stringstream ss;
  ss << in.rdbuf();
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ss.str()};
}

// A 64 x 48 24-bit bitmap with a colour per pixel.
std::vector<std::uint8_t> Bitmap() {
  test::BmpSpec s{64, 48, 24, 0, 40, {}, {}, {}};
  for (int row = 0; row < 48; ++row)
    for (int x = 0; x < 64; ++x) {
      s.pixels.push_back(static_cast<std::uint8_t>(x * 3));
      s.pixels.push_back(static_cast<std::uint8_t>(row * 5));
      s.pixels.push_back(static_cast<std::uint8_t>((x * row) % 256));
    }
  return test::BuildBmp(s);
}

Surface IconPixels(const std::string& path) { return DecodeIconFile(test::ReadAll(path)).pixels; }

Surface Expected(const std::vector<std::uint8_t>& bytes, ImportRegion r) {
  Picture pic;
  std::string error;
  EXPECT_TRUE(DecodePicture(bytes, pic, error)) << error;
  Surface s(32, 32);
  s.FillRect(s.Bounds(), kWhite);
  ImportPictureRegion(s, pic, r);
  return s;
}

TEST(ToolImport, WholePictureAndRegionsInAnyOrder) {
  test::TempDir dir;
  const std::vector<std::uint8_t> bmp = Bitmap();
  test::WriteAll(dir.file("p.bmp"), bmp);
  struct Row {
    const char* args;
    ImportRegion region;
  };
  for (const Row& r :
       {Row{"", {0, 0, 64, 48}}, Row{"--region 40,30,10,5", {10, 5, 40, 30}},
        Row{"--region=0,0,32,32", {0, 0, 32, 32}}, Row{"--region 0,0,64,32", {0, 0, 64, 32}}}) {
    SCOPED_TRACE(r.args);
    const ToolRun run =
        Tool(dir, "import " + dir.file("p.bmp") + " " + dir.file("o.ico") + " " + r.args);
    ASSERT_EQ(run.rc, 0) << run.err;
    EXPECT_EQ(IconPixels(dir.file("o.ico")).Pixels(), Expected(bmp, r.region).Pixels());
  }
}

// A JPEG imported whole, as a region covering it and as the import window
// scales it: one icon, pixel for pixel.
TEST(ToolImport, WholeJpegEqualsItsFullRegion) {
  test::TempDir dir;
  const std::vector<std::uint8_t> jpg = test::EncodeJpeg(512, 384, kBlack, true);
  test::WriteAll(dir.file("p.jpg"), jpg);
  for (const char* args : {"", " --region 0,0,512,384"}) {
    SCOPED_TRACE(args);
    const ToolRun run = Tool(dir, "import " + dir.file("p.jpg") + " " + dir.file("o.ico") + args);
    ASSERT_EQ(run.rc, 0) << run.err;
    EXPECT_EQ(IconPixels(dir.file("o.ico")).Pixels(), Expected(jpg, {0, 0, 512, 384}).Pixels());
  }
}

TEST(ToolImport, StandardInputAndOutput) {
  test::TempDir dir;
  const std::vector<std::uint8_t> bmp = Bitmap();
  test::WriteAll(dir.file("p.bmp"), bmp);
  const std::string cmd = "cat " + dir.file("p.bmp") + " | " + GS_TOOL_PATH +
                          " import - - --to ico > " + dir.file("o.ico");
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  EXPECT_EQ(IconPixels(dir.file("o.ico")).Pixels(), Expected(bmp, {0, 0, 64, 48}).Pixels());
}

// A cursor with its hotspot and an 8-bit icon with the picture's own colours,
// each in one call, as convert writes them.
TEST(ToolImport, HotspotAndPaletteAsConvertTakesThem) {
  test::TempDir dir;
  const std::vector<std::uint8_t> bmp = Bitmap();
  test::WriteAll(dir.file("p.bmp"), bmp);
  const Surface icon = Expected(bmp, {0, 0, 64, 48});
  ToolRun run = Tool(dir, "import " + dir.file("p.bmp") + " " + dir.file("o.cur") +
                              " --hotspot 4,6 --depth 8 --palette extreme");
  ASSERT_EQ(run.rc, 0) << run.err;
  std::vector<std::uint8_t> expected = BuildIconBytes(icon, 8, PaletteMethod::Extreme);
  MarkAsCursor(expected, 4, 6);
  EXPECT_EQ(test::ReadAll(dir.file("o.cur")), expected);
  run = Tool(dir,
             "import " + dir.file("p.bmp") + " " + dir.file("o.ico") + " --depth 8 --palette high");
  ASSERT_EQ(run.rc, 0) << run.err;
  EXPECT_EQ(test::ReadAll(dir.file("o.ico")), BuildIconBytes(icon, 8, PaletteMethod::High));
  // Where they mean nothing: a usage error for the hotspot, a warning for the palette.
  EXPECT_EQ(
      Tool(dir, "import " + dir.file("p.bmp") + " " + dir.file("x.ico") + " --hotspot 1,1").rc, 2);
  run = Tool(dir, "import " + dir.file("p.bmp") + " " + dir.file("x.png") + " --palette high");
  EXPECT_EQ(run.rc, 0);
  EXPECT_NE(run.err.find("warning: --palette does nothing"), std::string::npos) << run.err;
}

TEST(ToolImport, RefusalsAreOneLineAndExitCodes) {
  test::TempDir dir;
  test::WriteAll(dir.file("p.bmp"), Bitmap());
  test::WriteAll(dir.file("m.wmf"), {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0});
  test::WriteAll(dir.file("cut.bmp"), [] {
    auto b = Bitmap();
    b.resize(b.size() / 2);
    return b;
  }());
  struct Row {
    std::string args;
    int rc;
    const char* says;
  };
  const std::vector<Row> rows = {
      {"import " + dir.path() + " " + dir.file("o.ico"), 1, "directory"},
      {"import " + dir.file("m.wmf") + " " + dir.file("o.ico"), 1, "Windows Metafile (WMF)"},
      {"import " + dir.file("cut.bmp") + " " + dir.file("o.ico"), 1, "cut short"},
      {"import " + dir.file("p.bmp") + " " + dir.file("o.ico") + " --region 1,2,3", 2, "--region"},
      {"import " + dir.file("p.bmp") + " " + dir.file("o.ico") + " --region 5,5,5,9", 2,
       "no width"},
      {"import " + dir.file("p.bmp") + " " + dir.file("o.txt"), 2, "OUT must end"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.args);
    const ToolRun run = Tool(dir, r.args);
    EXPECT_EQ(run.rc, r.rc);
    EXPECT_NE(run.err.find(r.says), std::string::npos) << run.err;
  }
  EXPECT_EQ(Tool(dir, "import " + dir.file("m.wmf") + " " + dir.file("o.ico")).err.find('\n') + 1,
            Tool(dir, "import " + dir.file("m.wmf") + " " + dir.file("o.ico")).err.size());
}

TEST(ToolImport, BatchWritesEachAndSummarises) {
  test::TempDir dir;
  test::WriteAll(dir.file("a.bmp"), Bitmap());
  test::WriteAll(dir.file("b.bmp"), Bitmap());
  test::WriteAll(dir.file("c.gif"), {'G', 'I', 'F'});
  ASSERT_EQ(std::system(("mkdir " + dir.file("out")).c_str()), 0);
  const ToolRun run =
      Tool(dir, "import --out-dir " + dir.file("out") + " --to png " + dir.file("a.bmp") + " " +
                    dir.file("b.bmp") + " " + dir.file("c.gif"));
  EXPECT_EQ(run.rc, 1);
  EXPECT_NE(run.err.find("3 files: 2 written, 1 failed"), std::string::npos) << run.err;
  EXPECT_EQ(test::ReadAll(dir.file("out/a.png")).size() > 8, true);
}

}  // namespace
}  // namespace gs
