// Icons laid out by hand (tests/data/files/make_fixtures.py), read against the
// pixels that script expects.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/icon_reader.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

std::string ExpectedText(const std::string& icon) {
  std::ifstream in(std::filesystem::path(icon).replace_extension(".txt"));
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string AsText(const Surface& s) {
  std::string out;
  char cell[8];
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const Color c = s.GetPixel(x, y);
      std::snprintf(cell, sizeof cell, "%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
      out += cell;
      out += x == 31 ? '\n' : ' ';
    }
  return out;
}

std::vector<std::string> FixturesIn(const std::string& folder) {
  std::vector<std::string> files;
  for (auto& e : std::filesystem::directory_iterator(test::DataPath("files/" + folder)))
    if (e.path().extension() != ".txt") files.push_back(e.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(Fixtures, ValidIconsReadToTheExpectedPixels) {
  const auto files = FixturesIn("valid");
  ASSERT_GE(files.size(), 6u);
  for (const std::string& f : files) {
    SCOPED_TRACE(f);
    const IconDecodeResult r = DecodeIconFile(test::ReadAll(f));
    EXPECT_EQ(r.problem, "");
    EXPECT_EQ(AsText(r.pixels), ExpectedText(f));
  }
}

TEST(Fixtures, ToolPrintsTheSamePixels) {
  test::TempDir dir;
  for (const std::string& f : FixturesIn("valid")) {
    const std::string cmd = std::string(GS_TOOL_PATH) + " pixels " + f + " >" + dir.file("out");
    ASSERT_EQ(std::system(cmd.c_str()), 0) << f;
    std::ifstream in(dir.file("out"));
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_EQ(ss.str(), ExpectedText(f)) << f;
  }
}

TEST(Fixtures, InvalidIconsSayWhatIsWrongAndTheToolRefusesThem) {
  test::TempDir dir;
  for (const std::string& f : FixturesIn("invalid")) {
    SCOPED_TRACE(f);
    EXPECT_NE(DecodeIconFile(test::ReadAll(f)).problem, "");
    const std::string cmd =
        std::string(GS_TOOL_PATH) + " convert " + f + " " + dir.file("o.bmp") + " 2>/dev/null";
    const int status = std::system(cmd.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.bmp")));
  }
}

TEST(Fixtures, FuzzSeedsAndRegressionsReadWithoutHarm) {
  int files = 0;
  for (const char* folder : {"/../fuzz/corpus", "/../fuzz/regressions"}) {
    const std::string path = test::DataPath("") + folder;
    if (!std::filesystem::is_directory(path)) continue;
    for (auto& e : std::filesystem::directory_iterator(path)) {
      const IconDecodeResult r = DecodeIconFile(test::ReadAll(e.path().string()));
      EXPECT_EQ(r.pixels.Width(), 32) << e.path();
      EXPECT_EQ(r.pixels.Height(), 32) << e.path();
      ++files;
    }
  }
  EXPECT_GT(files, 5);
}

}  // namespace
}  // namespace gs
