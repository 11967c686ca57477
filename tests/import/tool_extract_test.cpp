// glyphsmith-tool extract, driven as a user would.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "files/byte_io.h"
#include "files/icon_reader.h"
#include "import/icon_resources.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

struct ToolRun {
  int code = 0;
  std::string out;
};

ToolRun Tool(const test::TempDir& dir, const std::string& args) {
  const std::string errFile = dir.file("stderr.txt");
  const std::string cmd = std::string(GS_TOOL_PATH) + " " + args + " 2>" + errFile;
  ToolRun r;
  FILE* p = popen(cmd.c_str(), "r");
  char buf[4096];
  std::size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  const int status = pclose(p);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  const auto err = test::ReadAll(errFile);
  r.out.append(err.begin(), err.end());
  return r;
}

std::string Program(const std::string& name) { return test::DataPath("import/programs/" + name); }

TEST(ToolExtract, ListsIconsWithTheirImages) {
  test::TempDir dir;
  const ToolRun r = Tool(dir, "extract --list " + Program("groups64.exe"));
  EXPECT_EQ(r.code, 0) << r.out;
  EXPECT_EQ(r.out.substr(0, 3), "11\n");
  EXPECT_NE(r.out.find("0 \"ALPHA\" 32x32x1\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("8 40 16x16x8 32x32x8\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("9 41 32x32x32png\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("10 300 32x32x24\n"), std::string::npos) << r.out;
}

// 300 groups sharing one directory of 256 images: the first 256 groups
// (65,536 images) are listed with their images, the rest by name only, and
// the listing says so.
TEST(ToolExtract, ListingStopsDescribingImagesPastTheLimit) {
  constexpr int kGroups = 300;
  bytes::Writer w;
  w.Tag("MZ");
  w.Fill(0x3C - 2, 0);
  w.U32(0x40);
  const std::size_t tableLength = 2 + 8 + 12 * kGroups + 8 + 12 + 2;
  w.Tag("NE");
  w.Fill(0x24 - 2, 0);
  w.U16(0x40);                                       // resource table, from the header
  w.U16(static_cast<unsigned>(0x40 + tableLength));  // resident names
  w.Fill(0x40 - 0x28, 0);
  const std::uint32_t groupAt = (0x80 + tableLength + 15) / 16 * 16;
  const std::uint32_t iconAt = groupAt + (6 + 14 * 256 + 15) / 16 * 16;
  w.U16(4);  // shift
  w.U16(0x800E), w.U16(kGroups), w.U32(0);
  for (int k = 0; k < kGroups; ++k)
    w.U16(groupAt >> 4), w.U16(230), w.U16(0x1030), w.U16(0x8000 | (k + 1)), w.U32(0);
  w.U16(0x8003), w.U16(1), w.U32(0);
  w.U16(iconAt >> 4), w.U16(3), w.U16(0x1030), w.U16(0x8001), w.U32(0);
  w.U16(0);
  w.Fill(groupAt - w.Size(), 0);
  w.U16(0), w.U16(1), w.U16(256);
  for (int i = 0; i < 256; ++i)
    w.U8(16), w.U8(16), w.U8(0), w.U8(0), w.U16(1), w.U16(4), w.U32(40), w.U16(1);
  w.Fill(iconAt - w.Size(), 0);
  w.U32(40), w.U32(16), w.U32(32), w.U16(1), w.U16(4);
  w.Fill(40 - 16, 0);
  test::TempDir dir;
  test::WriteAll(dir.file("many.exe"), w.Take());
  const ToolRun r = Tool(dir, "extract --list " + dir.file("many.exe"));
  EXPECT_EQ(r.code, 1) << r.out.substr(0, 200);
  std::string all16;
  for (int i = 0; i < 256; ++i) all16 += " 16x16x4";
  EXPECT_NE(r.out.find("\n255 256" + all16 + "\n256 257\n257 258\n"), std::string::npos);
  EXPECT_NE(r.out.find("\n299 300\n"), std::string::npos);
  EXPECT_NE(r.out.find("more than 65536 images; icons from 256 on are listed by name only"),
            std::string::npos);
}

TEST(ToolExtract, WritesTheIconAsTheWindowPutsItIntoTheDocument) {
  test::TempDir dir;
  for (int k : {0, 3, 9}) {
    const ToolRun r = Tool(dir, "extract " + Program("groups64.exe") + " " + dir.file("out.ico") +
                                    " --index " + std::to_string(k));
    ASSERT_EQ(r.code, 0) << r.out;
    std::string error;
    auto src = FileSource::Open(Program("groups64.exe"), error);
    IconResourceReader reader(*src);
    IconPicture want;
    ASSERT_TRUE(ExtractIconPicture(reader, k, want));
    EXPECT_EQ(DecodeIconFile(test::ReadAll(dir.file("out.ico"))).pixels.Pixels(),
              want.overWhite.Pixels())
        << k;
  }
}

TEST(ToolExtract, RefusesWhatItCannotDo) {
  test::TempDir dir;
  const std::string text = "Some notes, not a program.\n";
  test::WriteAll(dir.file("notes.txt"), std::vector<std::uint8_t>(text.begin(), text.end()));
  struct Row {
    const char* what;
    std::string args;
    int code;
    const char* message;
  } rows[] = {
      {"index beyond the icons", Program("one_icon32.exe") + " x.ico --index 1", 1,
       "no icon 1 (1 icon)"},
      {"a text file", dir.file("notes.txt") + " x.ico", 1, "holds no icons (not a program"},
      {"a folder", dir.path() + " x.ico", 1, "Is a directory"},
      {"a missing file", dir.file("none.exe") + " x.ico", 1, "No such file"},
      {"standard input", "- x.ico", 1, "not from standard input"},
      {"index not a number", Program("one_icon32.exe") + " x.ico --index abc", 2, "--index takes"},
      {"unknown output", Program("one_icon32.exe") + " x.gif", 2, "OUT must end in"},
      {"list with two files", "--list a b", 2, "one FILE"},
  };
  for (const Row& r : rows) {
    const ToolRun run = Tool(dir, "extract " + r.args);
    EXPECT_EQ(run.code, r.code) << r.what << ": " << run.out;
    EXPECT_NE(run.out.find(r.message), std::string::npos) << r.what << ": " << run.out;
  }
}

TEST(ToolExtract, ManyFilesIntoAFolder) {
  test::TempDir dir;
  ASSERT_EQ(mkdir(dir.file("out").c_str(), 0700), 0);
  test::WriteAll(dir.file("notes.txt"), {'h', 'i'});
  const ToolRun r =
      Tool(dir, "extract --out-dir " + dir.file("out") + " --to png " + Program("one_icon32.exe") +
                    " " + Program("sixteen.exe") + " " + dir.file("notes.txt"));
  EXPECT_EQ(r.code, 1) << r.out;
  EXPECT_NE(r.out.find("3 files: 2 written, 1 failed"), std::string::npos) << r.out;
  EXPECT_FALSE(test::ReadAll(dir.file("out/one_icon32.png")).empty());
  EXPECT_FALSE(test::ReadAll(dir.file("out/sixteen.png")).empty());
}

}  // namespace
}  // namespace gs
