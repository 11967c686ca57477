// Drives glyphsmith-tool as a user would and checks it writes what the editor writes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "document/icon_document.h"
#include "files/ani_format.h"
#include "files/bmp_format.h"
#include "files/icon_reader.h"
#include "files/icon_writer.h"
#include "files/pcx_format.h"
#include "files/png_codec.h"
#include "platform/file_read.h"
#include "tests/files/file_test_util.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct ToolRun {
  int rc = -1;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

ToolRun Tool(const test::TempDir& dir, const std::string& args) {
  const std::string cmd = std::string(GS_TOOL_PATH) + " " + args + " >" + dir.file(".out") + " 2>" +
                          dir.file(".err") + " </dev/null";
  const int status = std::system(cmd.c_str());
  ToolRun r;
  r.rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = Slurp(dir.file(".out"));
  r.err = Slurp(dir.file(".err"));
  return r;
}

int Lines(const std::string& s) { return static_cast<int>(std::count(s.begin(), s.end(), '\n')); }

Surface Sample() {
  return test::Picture({"..rr", ".#gg", "bb.."},
                       {{'r', RGB(255, 0, 0)}, {'g', RGB(0, 128, 0)}, {'b', RGB(12, 34, 56)}});
}

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    in_ = dir_.file("in.ico");
    test::WriteAll(in_, BuildIconBytes(Sample(), 24, PaletteMethod::None));
  }
  test::TempDir dir_;
  std::string in_;
};

TEST_F(ToolTest, ConvertWritesWhatTheEditorWrites) {
  struct Case {
    std::string args, out;
    Bytes want;
  } cases[] = {
      {"", "a.ico", BuildIconBytes(Sample(), 24, PaletteMethod::None)},
      {"--depth 8 --palette high", "b.ico", BuildIconBytes(Sample(), 8, PaletteMethod::High)},
      {"--depth 8 --palette extreme", "c.ICO", BuildIconBytes(Sample(), 8, PaletteMethod::Extreme)},
      {"--depth 1 --hotspot 0,31", "d.cur",
       [] {
         Bytes b = BuildIconBytes(Sample(), 1, PaletteMethod::None);
         MarkAsCursor(b, 0, 31);
         return b;
       }()},
      {"--depth 4", "e.bmp", BuildBitmapBytes(Sample(), 4)},
      {"--depth 8", "f.pcx", BuildPcxBytes(Sample(), 8)},
      {"", "g.png", BuildPngBytes(Sample())},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.out);
    const ToolRun r = Tool(dir_, "convert " + in_ + " " + dir_.file(c.out) + " " + c.args);
    EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(test::ReadAll(dir_.file(c.out)), c.want);
  }
  RgbaImage png;
  ASSERT_TRUE(DecodePng(test::ReadAll(dir_.file("g.png")), png));
  EXPECT_EQ(png.rgba[3], 0) << "white is transparent";
  EXPECT_EQ(png.rgba[4 * 2 + 3], 255);
}

TEST_F(ToolTest, PixelsPrintsTheLoadedDocument) {
  const ToolRun r = Tool(dir_, "pixels " + in_);
  ASSERT_EQ(r.rc, 0) << r.err;
  ASSERT_EQ(Lines(r.out), 32);
  EXPECT_EQ(r.out.substr(0, 28), "FFFFFF FFFFFF FF0000 FF0000 ");
  const std::string row2 = r.out.substr(2 * (32 * 7), 14);
  EXPECT_EQ(row2, "0C2238 0C2238 ");
}

TEST_F(ToolTest, InfoListsHeaderEntriesAndAniChunks) {
  ToolRun r = Tool(dir_, "info " + in_);
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_NE(r.out.find("header: reserved 0, type 1, count 1"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("bit count 0, bytes in resource 3240, image offset 22"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("image size 1153, colours used 0, important colours 0"), std::string::npos)
      << r.out;

  Bytes cur = BuildIconBytes(Sample(), 1, PaletteMethod::None);
  MarkAsCursor(cur, 4, 5);
  test::WriteAll(dir_.file("c.cur"), cur);
  r = Tool(dir_, "ani " + dir_.file("x.ani") + " --interval 250 " + dir_.file("c.cur"));
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(test::ReadAll(dir_.file("x.ani")).size(), 514u);
  r = Tool(dir_, "info " + dir_.file("x.ani"));
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_NE(r.out.find("anih size 36 at 12: frames 1, steps 1, rate 25, flags 1"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("icon size 326 at 180"), std::string::npos) << r.out;
}

TEST_F(ToolTest, BadInputIsOneLineNamingTheFileAndNothingIsWritten) {
  test::WriteAll(dir_.file("bad.ico"), {0, 0, 1, 0, 0, 0});
  test::WriteAll(dir_.file("keep.bmp"), {1, 2, 3});
  struct Case {
    std::string args, names;
  } cases[] = {
      {"convert " + dir_.file("none.ico") + " " + dir_.file("keep.bmp"), "none.ico"},
      {"convert " + dir_.file("bad.ico") + " " + dir_.file("keep.bmp"), "bad.ico"},
      {"convert " + dir_.path() + " " + dir_.file("keep.bmp"), dir_.path()},
      {"pixels " + dir_.file("bad.ico"), "bad.ico"},
      {"info " + dir_.file("bad.ico"), "bad.ico"},
      {"convert " + in_ + " " + dir_.file("no/such/dir.bmp"), "no/such/dir.bmp"},
      {"ani " + dir_.file("keep.ani") + " --interval 10 " + dir_.file("gone.cur"), "gone.cur"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const ToolRun r = Tool(dir_, c.args);
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_NE(r.err.find(c.names), std::string::npos) << r.err;
    EXPECT_EQ(test::ReadAll(dir_.file("keep.bmp")), (Bytes{1, 2, 3}));
  }
}

TEST_F(ToolTest, UsageErrorsExitTwo) {
  const std::string out = dir_.file("o.ico");
  const std::vector<std::string> bad = {
      std::string("frobnicate"),
      "convert " + in_,
      "convert " + in_ + " " + out + " --depth 16",
      "convert " + in_ + " " + out + " --depth",
      "convert " + in_ + " " + out + " --palette best",
      "convert " + in_ + " " + out + " --hotspot 1,2",
      "convert " + in_ + " " + dir_.file("o.cur") + " --hotspot 32,0",
      "convert " + in_ + " " + dir_.file("o.gif"),
      "pixels",
      "ani " + out + " --interval abc " + in_,
      "ani " + out + " --interval 0 " + in_,
      "convert --out-dir " + dir_.path() + " --to gif " + in_};
  for (const std::string& args : bad) {
    const ToolRun r = Tool(dir_, args);
    EXPECT_EQ(r.rc, 2) << args;
    EXPECT_NE(r.err, "") << args;
    EXPECT_FALSE(RegularFileExists(out)) << args;
  }
  EXPECT_EQ(Tool(dir_, "--help").rc, 0);
  EXPECT_EQ(Tool(dir_, "--version").out.rfind("glyphsmith-tool ", 0), 0u);
}

TEST_F(ToolTest, OutDirConvertsManyAndReportsEachBadOne) {
  const std::string out = dir_.file("out");
  mkdir(out.c_str(), 0755);
  test::WriteAll(dir_.file("b.ico"), BuildIconBytes(test::ManyColours(), 8, PaletteMethod::None));
  test::WriteAll(dir_.file("bad.ico"), {1, 2});
  const ToolRun r = Tool(dir_, "convert --out-dir " + out + " " + in_ + " " + dir_.file("bad.ico") +
                                   " " + dir_.file("b.ico"));
  EXPECT_EQ(r.rc, 1);
  EXPECT_EQ(Lines(r.err), 2) << r.err;
  EXPECT_NE(r.err.find("bad.ico"), std::string::npos);
  EXPECT_NE(r.err.find("\n3 files: 2 written, 1 failed\n"), std::string::npos) << r.err;
  EXPECT_EQ(test::ReadAll(out + "/in.bmp"), BuildBitmapBytes(Sample(), 24));
  IconDocument doc;
  LoadIconFile(dir_.file("b.ico"), doc);
  EXPECT_EQ(test::ReadAll(out + "/b.bmp"), BuildBitmapBytes(doc.surface, 24));
  EXPECT_FALSE(RegularFileExists(out + "/bad.bmp"));

  const ToolRun cur = Tool(dir_, "convert --out-dir " + out + " --to cur --hotspot 2,3 " + in_);
  EXPECT_EQ(cur.rc, 0) << cur.err;
  EXPECT_EQ(test::U16At(test::ReadAll(out + "/in.cur"), 12), 3);
  EXPECT_EQ(Tool(dir_, "convert --out-dir " + dir_.file("nope") + " " + in_).rc, 1);
}

TEST_F(ToolTest, OutDirShowsProgressOnlyOnATerminal) {
  if (std::system("command -v script >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "no `script` for a terminal";
  const std::string out = dir_.file("out");
  mkdir(out.c_str(), 0755);
  const std::string convert = std::string(GS_TOOL_PATH) + " convert --out-dir " + out + " " + in_;
  // `script` runs the tool on a pseudo-terminal and copies what it shows.
  const std::string cmd = "script -qec '" + convert + "' /dev/null >" + dir_.file("tty.txt");
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  EXPECT_NE(Slurp(dir_.file("tty.txt")).find("converting 1/1"), std::string::npos);
  const ToolRun piped = Tool(dir_, "convert --out-dir " + out + " " + in_);
  EXPECT_EQ(piped.err, "1 file: 1 written, 0 failed\n");
}

}  // namespace
}  // namespace gs
