// Icons and cursors made by other programs (tests/data/files/corpus, written
// by make_corpus.py), read against an independent decoder of the same entry:
// icoutils' icotool or Pillow extract it to PNG, libpng reads that, and the
// shared rules bring it to 32 x 32 (alpha below 128 transparent, shown white).
// A save at 24 bits must then keep every transparent pixel transparent, as
// icotool reads our file back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/icon_image.h"
#include "files/icon_reader.h"
#include "files/icon_writer.h"
#include "files/png_codec.h"
#include "tests/files/file_test_util.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

struct CorpusFile {
  std::string name;
  int entry = 0;
  std::string decoder;
};

std::vector<CorpusFile> Manifest() {
  std::ifstream in(test::DataPath("files/corpus/MANIFEST"));
  std::vector<CorpusFile> files;
  CorpusFile f;
  while (in >> f.name >> f.entry >> f.decoder) files.push_back(f);
  return files;
}

bool Have(const char* program) { return std::filesystem::exists(program); }

// The entry as the other program decodes it, at its own size; false when it could not.
bool IndependentDecode(const CorpusFile& f, const std::string& path, const test::TempDir& dir,
                       IconImage& out) {
  const std::string png = dir.file("entry.png");
  std::filesystem::remove(png);
  std::string cmd;
  if (f.decoder == "icotool") {
    cmd = "/usr/bin/icotool -x -i " + std::to_string(f.entry + 1) + " -o " + png + " " + path +
          " 2>/dev/null";
  } else {
    cmd =
        "/usr/bin/python3 -c \"import sys; from PIL import Image; "
        "im = Image.open(sys.argv[1]); im.ico.frame(int(sys.argv[2])).convert('RGBA')"
        ".save(sys.argv[3])\" " +
        path + " " + std::to_string(f.entry) + " " + png + " 2>/dev/null";
  }
  if (std::system(cmd.c_str()) != 0) return false;
  RgbaImage rgba;
  if (!DecodePng(test::ReadAll(png), rgba, 256)) return false;
  out.width = rgba.width;
  out.height = rgba.height;
  for (std::size_t i = 0; i < rgba.rgba.size(); i += 4) {
    out.colors.push_back(RGB(rgba.rgba[i], rgba.rgba[i + 1], rgba.rgba[i + 2]));
    out.alpha.push_back(rgba.rgba[i + 3]);
  }
  return true;
}

class Corpus : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Have("/usr/bin/icotool") || !Have("/usr/bin/python3"))
      GTEST_SKIP() << "icoutils or Python is not installed (scripts/setup.sh)";
  }
  test::TempDir dir_;
};

TEST_F(Corpus, EveryFileReadsAsTheIndependentDecoderReadsItsEntry) {
  const auto files = Manifest();
  ASSERT_GE(files.size(), 30u);
  int transparentSeen = 0;
  for (const CorpusFile& f : files) {
    SCOPED_TRACE(f.name);
    const std::string path = test::DataPath("files/corpus/" + f.name);
    const IconDecodeResult r = DecodeIconFile(test::ReadAll(path));
    EXPECT_EQ(r.problem, "");
    EXPECT_FALSE(r.fallback);
    EXPECT_EQ(r.entryIndex, f.entry);
    IconImage native;
    ASSERT_TRUE(IndependentDecode(f, path, dir_, native)) << f.decoder << " could not read it";
    Surface want;
    std::array<std::uint8_t, 1024> wantAlpha;
    BringTo32(native, want, wantAlpha);
    EXPECT_EQ(test::FirstDifference(r.pixels, want), "");

    // Saved at 24 bits and read back by icotool: what was transparent still is.
    test::WriteAll(dir_.file("saved.ico"), BuildIconBytes(r.pixels, 24, PaletteMethod::None));
    IconImage back;
    ASSERT_TRUE(IndependentDecode({"saved.ico", 0, "icotool"}, dir_.file("saved.ico"), dir_, back));
    ASSERT_EQ(back.alpha.size(), 1024u);
    for (int i = 0; i < 1024; ++i) {
      if (wantAlpha[i] != 0) continue;
      ++transparentSeen;
      ASSERT_EQ(back.alpha[i], 0) << "pixel " << i % 32 << "," << i / 32
                                  << " lost its transparency";
    }
  }
  EXPECT_GT(transparentSeen, 1000);
}

TEST_F(Corpus, CursorsOfSeveralSizesKeepTheirHotspot) {
  const std::string path = test::DataPath("files/corpus/icotool_cursor_16_32.cur");
  const IconDecodeResult r = DecodeIconFile(test::ReadAll(path));
  EXPECT_TRUE(r.cursor);
  EXPECT_EQ(r.hotspotX, 8);
  EXPECT_EQ(r.hotspotY, 8);
}

}  // namespace
}  // namespace gs
