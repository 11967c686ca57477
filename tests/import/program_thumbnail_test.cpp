// Thumbnails of programs and libraries: their first icon, the best stored
// image for the size, read by seeking; and through the tool as a file manager
// calls it.
#include "import/program_thumbnail.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "files/png_codec.h"
#include "import/icon_resources.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

std::string Program(const std::string& name) { return test::DataPath("import/programs/" + name); }

TEST(ProgramThumbnail, TheFirstIconAt32MatchesTheExtractedPictureWhereOpaque) {
  for (const char* name :
       {"one_icon32.exe", "groups64.exe", "depths64.exe", "library32.dll", "sixteen.exe"}) {
    std::string error;
    auto src = FileSource::Open(Program(name), error);
    ASSERT_TRUE(src) << error;
    ASSERT_TRUE(LooksLikeProgram(*src)) << name;
    RgbaImage thumb;
    std::string problem;
    ASSERT_TRUE(MakeProgramThumbnail(*src, 32, thumb, problem)) << name << ": " << problem;
    ASSERT_EQ(thumb.width, 32);

    auto again = FileSource::Open(Program(name), error);
    IconResourceReader reader(*again);
    IconPicture pic;
    ASSERT_TRUE(ExtractIconPicture(reader, 0, pic)) << name;
    if (pic.scaled) continue;  // no 32 x 32 image: the two scale differently
    int compared = 0;
    for (int i = 0; i < 1024; ++i) {
      const std::uint8_t* p = thumb.rgba.data() + i * 4;
      if (pic.alpha[i] != 255 || p[3] != 255) continue;
      const Color c = pic.overWhite.Pixels()[i];
      ASSERT_EQ((std::array<int, 3>{p[0], p[1], p[2]}),
                (std::array<int, 3>{RedOf(c), GreenOf(c), BlueOf(c)}))
          << name << " pixel " << i;
      ++compared;
    }
    EXPECT_GT(compared, 0) << name;
  }
}

TEST(ProgramThumbnail, FilesWithoutAReadableIconAreRefused) {
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"MZ and nothing else", {'M', 'Z'}},
      {"MZ header pointing nowhere", std::vector<std::uint8_t>(64, 0xFF)},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> bytes = c.bytes;
    bytes[0] = 'M';
    bytes[1] = 'Z';
    MemorySource src(bytes);
    RgbaImage thumb;
    std::string problem;
    EXPECT_FALSE(MakeProgramThumbnail(src, 64, thumb, problem)) << c.name;
    EXPECT_FALSE(problem.empty()) << c.name;
    EXPECT_TRUE(thumb.rgba.empty()) << c.name;
  }
}

TEST(ProgramThumbnail, TheToolMakesThemAsAFileManagerAsks) {
  test::TempDir dir;
  for (const char* name : {"groups64.exe", "library32.dll"}) {
    const std::string out = dir.file(std::string(name) + ".png");
    const std::string cmd = std::string(GS_TOOL_PATH) + " thumbnail " + Program(name) + " " + out +
                            " 128 >/dev/null 2>&1 </dev/null";
    const int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << name;
    RgbaImage png;
    ASSERT_TRUE(DecodePng(test::ReadAll(out), png)) << name;
    EXPECT_EQ(png.width, 128);
  }
  // Through standard input too, where nothing can seek.
  const std::string cmd = std::string(GS_TOOL_PATH) + " thumbnail - " + dir.file("stdin.png") +
                          " 48 <" + Program("one_icon32.exe") + " >/dev/null 2>&1";
  const int status = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  RgbaImage png;
  ASSERT_TRUE(DecodePng(test::ReadAll(dir.file("stdin.png")), png));
  EXPECT_EQ(png.width, 48);
}

}  // namespace
}  // namespace gs
