// glyphsmith-tool's command line: help for every command, option forms,
// warnings, standard input and output, batch lists and summaries, hotspots
// and animated-cursor rates.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "files/ani_format.h"
#include "files/bmp_format.h"
#include "files/icon_writer.h"
#include "files/png_codec.h"
#include "platform/file_read.h"
#include "tests/files/file_test_util.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct CliRun {
  int rc = -1;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Runs the tool with `args` (shell words) and standard input from `input`.
CliRun Tool(const test::TempDir& dir, const std::string& args,
            const std::string& input = "/dev/null") {
  const std::string cmd = std::string(GS_TOOL_PATH) + " " + args + " >" + dir.file(".out") + " 2>" +
                          dir.file(".err") + " <" + input;
  const int status = std::system(cmd.c_str());
  CliRun r;
  r.rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = Slurp(dir.file(".out"));
  r.err = Slurp(dir.file(".err"));
  return r;
}

Bytes AsBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

Surface Picture() {
  return test::Picture({"rr..", "..gg"}, {{'r', RGB(200, 0, 0)}, {'g', RGB(0, 90, 0)}});
}

Bytes Cursor(int x, int y) {
  Bytes b = BuildIconBytes(Picture(), 4, PaletteMethod::None);
  MarkAsCursor(b, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
  return b;
}

// The command names the overview lists.
std::vector<std::string> Commands(const test::TempDir& dir) {
  const CliRun r = Tool(dir, "--help");
  std::vector<std::string> names;
  std::istringstream in(r.out.substr(r.out.find("Commands:")));
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line) && !line.empty())
    names.push_back(line.substr(2, line.find(' ', 2) - 2));
  return names;
}

class ToolCli : public ::testing::Test {
 protected:
  void SetUp() override {
    in_ = dir_.file("in.ico");
    test::WriteAll(in_, BuildIconBytes(Picture(), 24, PaletteMethod::None));
  }
  test::TempDir dir_;
  std::string in_;
};

TEST_F(ToolCli, EveryCommandHasHelpInBothForms) {
  const std::vector<std::string> commands = Commands(dir_);
  ASSERT_GE(commands.size(), 4u);
  for (const std::string& c : commands) {
    SCOPED_TRACE(c);
    const CliRun a = Tool(dir_, c + " --help");
    EXPECT_EQ(a.rc, 0) << a.err;
    EXPECT_EQ(a.out.rfind("Usage: glyphsmith-tool " + c + " ", 0), 0u) << a.out;
    EXPECT_NE(a.out.find("  --help"), std::string::npos);
    const CliRun b = Tool(dir_, "help " + c);
    EXPECT_EQ(b.rc, 0);
    EXPECT_EQ(b.out, a.out);
  }
  EXPECT_EQ(Tool(dir_, "help frobnicate").rc, 2);
  EXPECT_EQ(Tool(dir_, "help").rc, 0);
}

// The man page and the README tell of every option that --help shows.
TEST_F(ToolCli, ManPageAndReadmeNameEveryOption) {
  const std::string root = std::string(GS_TEST_DATA_DIR) + "/../../";
  const std::string man = Slurp(root + "app/tool/glyphsmith-tool.1");
  const std::string readme = Slurp(root + "README.md");
  ASSERT_FALSE(man.empty());
  const std::regex option(R"(^  (--?[a-z0-9-]+))");
  for (const std::string& c : Commands(dir_)) {
    EXPECT_NE(man.find(".SS " + c), std::string::npos) << c;
    EXPECT_NE(readme.find("glyphsmith-tool " + c), std::string::npos) << c;
    std::istringstream help(Tool(dir_, c + " --help").out);
    std::string line;
    std::smatch m;
    while (std::getline(help, line)) {
      if (!std::regex_search(line, m, option)) continue;
      std::string roff = m[1];
      for (std::size_t i = 0; (i = roff.find('-', i)) != std::string::npos; i += 2)
        roff.insert(i, "\\");
      EXPECT_NE(man.find(roff), std::string::npos) << c << " " << m[1] << " in the man page";
      EXPECT_NE(readme.find(m[1]), std::string::npos) << c << " " << m[1] << " in the README";
    }
  }
}

TEST_F(ToolCli, OptionsTakeTheirValueEitherWay) {
  const CliRun a = Tool(dir_, "convert --depth 4 " + in_ + " " + dir_.file("a.bmp"));
  const CliRun b = Tool(dir_, "convert --depth=4 " + in_ + " " + dir_.file("b.bmp"));
  ASSERT_EQ(a.rc, 0) << a.err;
  ASSERT_EQ(b.rc, 0) << b.err;
  EXPECT_EQ(test::ReadAll(dir_.file("b.bmp")), BuildBitmapBytes(Picture(), 4));
  EXPECT_EQ(test::ReadAll(dir_.file("a.bmp")), test::ReadAll(dir_.file("b.bmp")));

  struct Case {
    std::string args, says;
  } bad[] = {
      {"convert --depth= " + in_ + " x.bmp", "--depth takes"},
      {"convert --nope " + in_ + " x.bmp", "unknown option '--nope'"},
      {"convert --out-dir=" + dir_.path() + " -0=1 " + in_, "-0"},
      {"convert --files-from list " + in_ + " x.bmp", "--files-from needs --out-dir"},
      {"pixels --depth 8 " + in_, "unknown option"},
      {"convert " + in_ + " -", "needs --to"},
      {"convert " + in_ + " x.bmp --to png", "--to says png"},
  };
  for (const Case& c : bad) {
    SCOPED_TRACE(c.args);
    const CliRun r = Tool(dir_, c.args);
    EXPECT_EQ(r.rc, 2);
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
  // After "--" a name that looks like an option is a file.
  test::WriteAll(dir_.file("--odd.ico"), test::ReadAll(in_));
  EXPECT_EQ(Tool(dir_, "pixels -- " + dir_.file("--odd.ico")).rc, 0);
}

TEST_F(ToolCli, OptionsThatDoNothingAreWarnedOf) {
  struct Case {
    std::string args;
    bool warned;
  } cases[] = {
      {"--depth 24 --palette high", true},
      {"--depth 8 --palette high", false},
      {"--depth 8 --palette extreme --to bmp", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const std::string ext = c.args.find("--to bmp") != std::string::npos ? "bmp" : "ico";
    const CliRun r = Tool(dir_, "convert " + c.args + " " + in_ + " " + dir_.file("w." + ext));
    EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.err.find("warning: --palette does nothing") != std::string::npos, c.warned)
        << r.err;
  }
  const CliRun r = Tool(dir_, "convert --out-dir " + dir_.path() + " -0 " + in_);
  EXPECT_NE(r.err.find("warning: -0 does nothing without --files-from"), std::string::npos);
}

TEST_F(ToolCli, DashIsStandardInputAndOutput) {
  CliRun r = Tool(dir_, "convert - - --to bmp", in_);
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(AsBytes(r.out), BuildBitmapBytes(Picture(), 24));
  r = Tool(dir_, "pixels -", in_);
  EXPECT_EQ(r.rc, 0);
  EXPECT_EQ(r.out.substr(0, 14), "C80000 C80000 ");
  r = Tool(dir_, "info -", in_);
  EXPECT_EQ(r.out.rfind("standard input: icon, ", 0), 0u) << r.out;
  test::WriteAll(dir_.file("c.cur"), Cursor(1, 2));
  r = Tool(dir_, "ani - --interval 100 " + dir_.file("c.cur"));
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.out.size(), 954u);  // one 4-bit cursor of 766 bytes
  test::WriteAll(dir_.file("bad"), {0, 0, 1});
  r = Tool(dir_, "pixels -", dir_.file("bad"));
  EXPECT_EQ(r.rc, 1);
  EXPECT_EQ(r.err.rfind("glyphsmith-tool: standard input: ", 0), 0u) << r.err;
}

TEST_F(ToolCli, BatchTakesNamesFromAListAndSumsUp) {
  const std::string out = dir_.file("out");
  mkdir(out.c_str(), 0755);
  test::WriteAll(dir_.file("b.ico"), test::ReadAll(in_));
  test::WriteAll(dir_.file("bad.ico"), {1, 2, 3});
  const std::string names[] = {in_, dir_.file("bad.ico"), dir_.file("b.ico"),
                               dir_.file("missing.ico")};
  std::string lines, nuls;
  for (const std::string& n : names) lines += n + "\n\n", nuls += n + '\0';
  test::WriteAll(dir_.file("list"), AsBytes(lines));
  test::WriteAll(dir_.file("list0"), AsBytes(nuls));

  struct Case {
    std::string args, input;
  } cases[] = {
      {"--files-from " + dir_.file("list"), "/dev/null"},
      {"--files-from=- ", dir_.file("list")},
      {"-0 --files-from " + dir_.file("list0"), "/dev/null"},
      {"--files-from " + dir_.file("list0") + " -0", "/dev/null"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    std::remove((out + "/in.png").c_str());
    const CliRun r = Tool(dir_, "convert --to png --out-dir " + out + " " + c.args, c.input);
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 3) << r.err;
    EXPECT_NE(r.err.find("bad.ico"), std::string::npos);
    EXPECT_NE(r.err.find("missing.ico"), std::string::npos);
    EXPECT_EQ(r.err.substr(r.err.rfind('\n', r.err.size() - 2) + 1),
              "4 files: 2 written, 2 failed\n");
    EXPECT_TRUE(RegularFileExists(out + "/in.png"));
  }
  // Operands come first, then the list; both outputs named "in" clash.
  const CliRun r =
      Tool(dir_, "convert --out-dir " + out + " " + in_ + " --files-from -", dir_.file("list"));
  EXPECT_NE(r.err.find("same output name"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("5 files: 2 written, 3 failed"), std::string::npos) << r.err;

  EXPECT_EQ(Tool(dir_, "convert --out-dir " + out + " --files-from " + dir_.file("nolist")).rc, 1);
  EXPECT_EQ(Tool(dir_, "convert --out-dir " + out + " -").rc, 2);
}

TEST_F(ToolCli, BatchSummaryGroupsThousands) {
  const std::string out = dir_.file("out");
  mkdir(out.c_str(), 0755);
  std::string list;
  for (int i = 0; i < 1000; ++i) list += dir_.file("none" + std::to_string(i) + ".ico") + "\n";
  for (int i = 0; i < 2; ++i) {
    const std::string name = dir_.file("ok" + std::to_string(i) + ".ico");
    test::WriteAll(name, test::ReadAll(in_));
    list += name + "\n";
  }
  test::WriteAll(dir_.file("list"), AsBytes(list));
  const CliRun r = Tool(dir_, "convert --out-dir " + out + " --files-from " + dir_.file("list"));
  EXPECT_NE(r.err.find("\n1,002 files: 2 written, 1,000 failed\n"), std::string::npos);
}

TEST_F(ToolCli, CursorsKeepTheirHotspot) {
  test::WriteAll(dir_.file("c.cur"), Cursor(7, 9));
  struct Case {
    std::string args;
    int x, y;
  } cases[] = {
      {"", 7, 9},
      {"--depth 1", 7, 9},
      {"--hotspot 0,31", 0, 31},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    const CliRun r =
        Tool(dir_, "convert " + c.args + " " + dir_.file("c.cur") + " " + dir_.file("o.cur"));
    ASSERT_EQ(r.rc, 0) << r.err;
    const Bytes b = test::ReadAll(dir_.file("o.cur"));
    EXPECT_EQ(test::U16At(b, 10), c.x);
    EXPECT_EQ(test::U16At(b, 12), c.y);
  }
  // An icon has none; batch conversions keep them too.
  EXPECT_EQ(Tool(dir_, "convert " + in_ + " " + dir_.file("i.cur")).rc, 0);
  EXPECT_EQ(test::U16At(test::ReadAll(dir_.file("i.cur")), 10), 0);
  const std::string out = dir_.file("out");
  mkdir(out.c_str(), 0755);
  EXPECT_EQ(Tool(dir_, "convert --out-dir " + out + " --to cur " + dir_.file("c.cur")).rc, 0);
  EXPECT_EQ(test::U16At(test::ReadAll(out + "/c.cur"), 12), 9);
  const CliRun info = Tool(dir_, "info " + dir_.file("c.cur"));
  EXPECT_NE(info.out.find("read: entry 0 (indexed colours), hotspot 7,9"), std::string::npos)
      << info.out;
}

// Multi-size icons made into cursors, a hotspot per entry: the entry the
// editor reads gives the hotspot, scaled as its picture is.
TEST_F(ToolCli, MultiSizeCursorsKeepTheHotspotOfTheEntryRead) {
  struct Case {
    std::string fixture;
    std::vector<std::pair<int, int>> hotspots;
    int x, y;
  } cases[] = {
      {"valid/sizes_16_32_8bit_32_24bit.ico", {{2, 3}, {5, 6}, {9, 10}}, 9, 10},
      {"valid/modern_16_48_32bit.ico", {{1, 1}, {24, 47}}, 16, 31},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    Bytes b = test::ReadAll(test::DataPath("files/" + c.fixture));
    b[2] = 2;
    for (std::size_t i = 0; i < c.hotspots.size(); ++i) {
      b[6 + 16 * i + 4] = static_cast<std::uint8_t>(c.hotspots[i].first);
      b[6 + 16 * i + 6] = static_cast<std::uint8_t>(c.hotspots[i].second);
    }
    test::WriteAll(dir_.file("multi.cur"), b);
    const CliRun r = Tool(
        dir_, "convert " + dir_.file("multi.cur") + " " + dir_.file("o.cur") + " --single-image");
    ASSERT_EQ(r.rc, 0) << r.err;
    const Bytes out = test::ReadAll(dir_.file("o.cur"));
    EXPECT_EQ(test::U16At(out, 10), c.x);
    EXPECT_EQ(test::U16At(out, 12), c.y);
  }
}

TEST_F(ToolCli, InfoStopsAtTheFirstImpossibleField) {
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  png.resize(6000, 0x41);
  Bytes longDir = {0, 0, 1, 0, 200, 0};
  longDir.resize(100, 0);
  Bytes farImage = test::ReadAll(in_);
  farImage[18] = 0x7F;  // image offset of entry 0 far beyond the end
  struct Case {
    std::string name;
    Bytes bytes;
    std::string says;
  } cases[] = {
      {"png.ico", png, "png.ico: this is a PNG picture: use import"},
      {"type.ico", {0, 0, 3, 0, 1, 0}, "type 3"},
      {"count.ico", {0, 0, 1, 0, 0, 0}, "count 0"},
      {"dir.ico", longDir, "directory of 200 entries runs past the end"},
      {"far.ico", farImage, "entry 0: image of 3240 bytes at offset"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::WriteAll(dir_.file(c.name), c.bytes);
    const CliRun r = Tool(dir_, "info " + dir_.file(c.name));
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(r.out.find("entry"), std::string::npos) << r.out;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
}

TEST_F(ToolCli, InfoListsABoundedNumberOfChunks) {
  Bytes riff = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'C', 'O', 'N'};
  for (int i = 0; i < 50000; ++i) riff.insert(riff.end(), {'j', 'u', 'n', 'k', 0, 0, 0, 0});
  const std::uint32_t size = static_cast<std::uint32_t>(riff.size() - 8);
  for (int k = 0; k < 4; ++k) riff[4 + k] = static_cast<std::uint8_t>(size >> (8 * k));
  test::WriteAll(dir_.file("many.ani"), riff);
  const CliRun r = Tool(dir_, "info " + dir_.file("many.ani"));
  EXPECT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 10002);
  EXPECT_NE(r.out.find("only the first 10,000 are listed"), std::string::npos);

  Bytes huge(std::size_t{16} << 20 | 1, 0);
  test::WriteAll(dir_.file("huge.ani"), huge);
  const CliRun big = Tool(dir_, "info " + dir_.file("huge.ani"));
  EXPECT_EQ(big.rc, 1);
  EXPECT_NE(big.err.find("file too large"), std::string::npos) << big.err;
}

TEST_F(ToolCli, AniRatesAreSixtiethsAndFitIn32Bits) {
  test::WriteAll(dir_.file("c.cur"), Cursor(0, 0));
  const std::string frame = " " + dir_.file("c.cur");
  struct Case {
    std::string args;
    int rc;
    std::uint32_t rate;
  } cases[] = {
      {"--interval 250", 0, 25},
      {"--interval=9", 0, 1},
      {"--jiffies 7", 0, 7},
      {"--jiffies=4294967295", 0, 4294967295u},
      {"--interval 30000000000", 0, 3000000000u},
      // Read as the builder window reads its field, with its rule.
      {"--interval 19.9", 0, 1},
      {"--interval 2500ms", 0, 250},
      {"--interval 3000000000", 0, 300000000u},
      {"--interval 42949672959", 0, 4294967295u},
      {"--interval 42949672960", 2, 0},
      {"--interval 99999999999", 2, 0},
      {"--jiffies 4294967296", 2, 0},
      {"--jiffies 0", 2, 0},
      {"--interval 10 --jiffies 1", 2, 0},
      {"", 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    std::remove(dir_.file("a.ani").c_str());
    const CliRun r = Tool(dir_, "ani " + dir_.file("a.ani") + " " + c.args + frame);
    EXPECT_EQ(r.rc, c.rc) << r.err;
    if (c.rc != 0) {
      EXPECT_FALSE(RegularFileExists(dir_.file("a.ani")));
      continue;
    }
    const Bytes b = test::ReadAll(dir_.file("a.ani"));
    ASSERT_GE(b.size(), 170u);
    const std::uint32_t rate = static_cast<std::uint32_t>(test::U16At(b, 48)) |
                               static_cast<std::uint32_t>(test::U16At(b, 50)) << 16;
    EXPECT_EQ(rate, c.rate);
  }
}

TEST_F(ToolCli, HelpFitsEightyColumnsAndSaysTheLastValueCounts) {
  std::vector<std::string> texts = {Tool(dir_, "--help").out};
  for (const std::string& c : Commands(dir_)) texts.push_back(Tool(dir_, c + " --help").out);
  for (const std::string& text : texts) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) EXPECT_LE(line.size(), 80u) << line;
  }
  EXPECT_NE(texts.back().find("the last value counts"), std::string::npos);
  // Given twice, an option takes its last value.
  ASSERT_EQ(Tool(dir_, "convert --depth 1 --depth=4 " + in_ + " " + dir_.file("o.bmp")).rc, 0);
  EXPECT_EQ(test::ReadAll(dir_.file("o.bmp")), BuildBitmapBytes(Picture(), 4));
}

// A full standard output is said once, whichever command met it.
TEST_F(ToolCli, FullStandardOutputIsOneMessage) {
  test::WriteAll(dir_.file("c.cur"), Cursor(1, 1));
  for (const std::string& args :
       {"convert " + in_ + " - --to bmp", "pixels " + in_, "thumbnail " + in_ + " - 16",
        "xcursor " + dir_.file("c.cur") + " -", "ani - --jiffies 1 " + dir_.file("c.cur")}) {
    SCOPED_TRACE(args);
    const std::string cmd =
        std::string(GS_TOOL_PATH) + " " + args + " >/dev/full 2>" + dir_.file(".err");
    const int status = std::system(cmd.c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
    const std::string err = Slurp(dir_.file(".err"));
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("No space left on device"), std::string::npos) << err;
  }
}

// A command that writes one format refuses OUT named for another, as convert does.
TEST_F(ToolCli, SingleFormatOutputsCheckTheirExtension) {
  test::WriteAll(dir_.file("c.cur"), Cursor(1, 1));
  const std::string cur = dir_.file("c.cur");
  struct Case {
    std::string args, out;
    int rc;
  } cases[] = {
      {"thumbnail " + in_ + " @ 16", "t.bmp", 2}, {"thumbnail " + in_ + " @ 16", "t.PNG", 0},
      {"xcursor " + cur + " @", "x.cur", 2},      {"xcursor " + cur + " @", "watch", 0},
      {"ani @ --jiffies 1 " + cur, "a.cur", 2},   {"ani @ --jiffies 1 " + cur, "a.ani", 0},
  };
  for (const Case& c : cases) {
    std::string args = c.args;
    args.replace(args.find('@'), 1, dir_.file(c.out));
    SCOPED_TRACE(args);
    const CliRun r = Tool(dir_, args);
    EXPECT_EQ(r.rc, c.rc) << r.err;
    EXPECT_EQ(RegularFileExists(dir_.file(c.out)), c.rc == 0);
    if (c.rc != 0) {
      EXPECT_NE(r.err.find("OUT ends in ." + c.out.substr(2)), std::string::npos) << r.err;
    }
  }
}

// Pictures where an icon is read are named, with the command that takes them;
// an animated cursor reads as its first frame.
TEST_F(ToolCli, PicturesAreNamedAndAnimatedCursorsGiveTheirFirstFrame) {
  test::WriteAll(dir_.file("p.ico"), BuildPngBytes(Picture()));
  test::WriteAll(dir_.file("b.cur"), BuildBitmapBytes(Picture(), 24));
  for (const std::string& args : {"convert " + dir_.file("p.ico") + " " + dir_.file("o.bmp"),
                                  "pixels " + dir_.file("b.cur")}) {
    const CliRun r = Tool(dir_, args);
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(": this is a " + std::string(args[0] == 'c' ? "PNG" : "BMP") +
                         " picture: use import"),
              std::string::npos)
        << r.err;
  }
  Surface second(32, 32);
  second.FillRect(second.Bounds(), RGB(0, 0, 160));
  Bytes secondCursor = BuildIconBytes(second, 24, PaletteMethod::None);
  MarkAsCursor(secondCursor, 9, 9);
  const Bytes ani = BuildAnimatedCursorBytes(std::vector<Bytes>{Cursor(4, 7), secondCursor}, 1);
  test::WriteAll(dir_.file("s.ani"), ani);
  test::WriteAll(dir_.file("first.cur"), Cursor(4, 7));
  EXPECT_EQ(Tool(dir_, "pixels " + dir_.file("s.ani")).out,
            Tool(dir_, "pixels " + dir_.file("first.cur")).out);
  ASSERT_EQ(Tool(dir_, "convert " + dir_.file("s.ani") + " " + dir_.file("o.cur")).rc, 0);
  const Bytes out = test::ReadAll(dir_.file("o.cur"));
  EXPECT_EQ(test::U16At(out, 10), 4);
  EXPECT_EQ(test::U16At(out, 12), 7);
}

// ani stores any frame, and says which are no cursor.
TEST_F(ToolCli, AniWarnsOfFramesThatAreNoCursor) {
  test::WriteAll(dir_.file("c.cur"), Cursor(0, 0));
  test::WriteAll(dir_.file("p.cur"), BuildPngBytes(Picture()));
  const CliRun r = Tool(dir_, "ani " + dir_.file("a.ani") + " --jiffies 2 " + dir_.file("c.cur") +
                                  " " + in_ + " " + dir_.file("p.cur"));
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;
  EXPECT_NE(r.err.find("warning: " + in_ + ": not a cursor"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("warning: " + dir_.file("p.cur") + ": this is a PNG picture"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(r.err.find("c.cur"), std::string::npos) << r.err;
}

// A list written on Windows names the same files.
TEST_F(ToolCli, FilesFromTakesCrLfLines) {
  test::WriteAll(dir_.file("b.ico"), test::ReadAll(in_));
  test::WriteAll(dir_.file("list"), AsBytes(in_ + "\r\n\r\n" + dir_.file("b.ico") + "\r\n"));
  const std::string out = dir_.file("out");
  std::filesystem::create_directory(out);
  const CliRun r = Tool(dir_, "convert --out-dir " + out + " --files-from " + dir_.file("list"));
  EXPECT_EQ(r.rc, 0) << r.err;
  EXPECT_TRUE(RegularFileExists(out + "/in.bmp"));
  EXPECT_TRUE(RegularFileExists(out + "/b.bmp"));
}

// On a read-only file system the system's own reason is given. Needs a mount
// namespace of its own; skipped where there is none.
TEST(ToolCliFs, ReadOnlyFileSystemSaysSo) {
  test::TempDir dir;
  const std::string mnt = dir.file("ro");
  std::filesystem::create_directory(mnt);
  const std::string tool = GS_TOOL_PATH;
  const std::string in = dir.file("in.cur");
  // The tool's own reader and writer, run inside a private mount of a tmpfs
  // that is made read-only after one file is put there.
  test::WriteAll(in, Cursor(0, 0));
  const std::string script = "mount -t tmpfs none " + mnt + " && echo old >" + mnt +
                             "/a.ani && mount -o remount,ro " + mnt + " && " + tool + " ani " +
                             mnt + "/a.ani --jiffies 1 " + in + " 2>" + dir.file("err") + "; " +
                             tool + " ani " + mnt + "/new.ani --jiffies 1 " + in + " 2>>" +
                             dir.file("err") + "; cat " + mnt + "/a.ani >" + dir.file("kept");
  if (std::system(("unshare -m true 2>/dev/null")) != 0) GTEST_SKIP() << "no mount namespace";
  ASSERT_EQ(std::system(("unshare -m sh -c '" + script + "'").c_str()), 0);
  const std::string err = Slurp(dir.file("err"));
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
  EXPECT_EQ(err.find("Permission denied"), std::string::npos) << err;
  EXPECT_NE(err.find("a.ani: Read-only file system"), std::string::npos) << err;
  EXPECT_NE(err.find("new.ani: Read-only file system"), std::string::npos) << err;
  EXPECT_EQ(test::ReadAll(dir.file("kept")), (Bytes{'o', 'l', 'd', '\n'}));
}

}  // namespace
}  // namespace gs
