// Extraction agrees with an independent extractor: icoutils' wrestool puts
// each icon group back into an icon file and icotool turns its images into
// PNG. For every icon of the committed test programs, and of the real
// Windows launchers that Python packaging tools carry when they are on this
// machine, our 32 x 32 picture must equal icotool's image brought to 32 x 32,
// pixel for pixel, transparent pixels as white; and every image of every
// group decodes to icotool's pixels at its own size. Skipped without icoutils.
#include <glob.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "files/icon_image.h"
#include "files/png_codec.h"
#include "import/icon_resources.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

bool HaveIcoutils() {
  return std::system("command -v wrestool >/dev/null 2>&1 && command -v icotool >/dev/null 2>&1") ==
         0;
}

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::vector<std::string> Programs() {
  std::vector<std::string> out;
  for (const char* name :
       {"one_icon32.exe", "groups64.exe", "depths64.exe", "library32.dll", "sixteen.exe"})
    out.push_back(test::DataPath(std::string("import/programs/") + name));
  // Real programs: the launchers of pip's and setuptools' copies of distlib.
  for (const char* pattern :
       {"/usr/lib/python3/dist-packages/pip/_vendor/distlib/*.exe",
        "/usr/lib/python3/dist-packages/setuptools/*.exe",
        "/root/.pyenv/versions/*/lib/python3*/site-packages/pip/_vendor/distlib/*.exe"}) {
    glob_t g{};
    if (glob(pattern, 0, nullptr, &g) == 0)
      for (std::size_t i = 0; i < g.gl_pathc; ++i) out.push_back(g.gl_pathv[i]);
    globfree(&g);
  }
  return out;
}

// icotool's image `index` (from 0) of group `name`, as RGBA. Images are
// extracted into a folder: `icotool -x -i N -o FILE` repeats the first PNG
// image for every N of a group of PNG images.
bool Reference(const std::string& program, const std::string& name, int index,
               const test::TempDir& dir, RgbaImage& out) {
  const std::string ico = dir.file("g.ico"), images = dir.file("images");
  static std::string extracted;  // the group whose images are in the folder
  const std::string cmd = "rm -rf " + Quote(images) + " && mkdir " + Quote(images) +
                          " && wrestool -x --type=14 --name=" + Quote(name) + " -o " + Quote(ico) +
                          " " + Quote(program) + " 2>/dev/null && icotool -x -o " + Quote(images) +
                          " " + Quote(ico) + " 2>/dev/null";
  if (extracted != dir.path() + program + "|" + name) {
    extracted.clear();
    if (std::system(cmd.c_str()) != 0) return false;
    extracted = dir.path() + program + "|" + name;
  }
  glob_t g{};
  const std::string pattern = images + "/g_" + std::to_string(index + 1) + "_*.png";
  const bool found = glob(pattern.c_str(), 0, nullptr, &g) == 0 && g.gl_pathc == 1;
  const std::string png = found ? g.gl_pathv[0] : "";
  globfree(&g);
  return found && DecodePng(test::ReadAll(png), out, 1024);
}

// Transparent as white: the editor's rule, alpha below 128 is see-through.
Color Shown(const std::uint8_t* rgba) {
  return rgba[3] < 128 ? kWhite : RGB(rgba[0], rgba[1], rgba[2]);
}

std::string FirstDifference(const Surface& ours, const RgbaImage& ref) {
  if (ours.Width() != ref.width || ours.Height() != ref.height)
    return "size " + std::to_string(ours.Width()) + " x " + std::to_string(ours.Height()) +
           " against " + std::to_string(ref.width) + " x " + std::to_string(ref.height);
  for (int y = 0; y < ref.height; ++y)
    for (int x = 0; x < ref.width; ++x) {
      const Color want = Shown(&ref.rgba[(static_cast<std::size_t>(y) * ref.width + x) * 4]);
      if (ours.GetPixel(x, y) != want) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "(%d, %d): ours %06X, icotool %06X", x, y,
                      ours.GetPixel(x, y), want);
        return buf;
      }
    }
  return "";
}

TEST(IcoutilsAgreement, EveryIconAndEveryImage) {
  if (!HaveIcoutils()) GTEST_SKIP() << "icoutils not installed";
  test::TempDir dir;
  int icons = 0, images = 0;
  for (const std::string& program : Programs()) {
    std::string error;
    auto src = FileSource::Open(program, error);
    ASSERT_TRUE(src) << error;
    IconResourceReader reader(*src);
    ASSERT_GT(reader.Count(), 0) << program << ": " << reader.Problem();
    for (int k = 0; k < reader.Count(); ++k) {
      const IconGroupName& g = reader.GroupName(k);
      const std::string name = g.named ? g.name : std::to_string(g.id);
      SCOPED_TRACE(program + " group " + name);
      IconPicture pic;
      ASSERT_TRUE(ExtractIconPicture(reader, k, pic));
      RgbaImage ref;
      ASSERT_TRUE(Reference(program, name, pic.imageIndex, dir, ref));
      // The reference brought to 32 x 32 by the same rule as every icon.
      IconImage at{ref.width, ref.height, {}, {}};
      for (std::size_t i = 0; i < ref.rgba.size(); i += 4) {
        at.colors.push_back(RGB(ref.rgba[i], ref.rgba[i + 1], ref.rgba[i + 2]));
        at.alpha.push_back(ref.rgba[i + 3]);
      }
      Surface want;
      std::array<std::uint8_t, 1024> alpha{};
      BringTo32(at, want, alpha);
      RgbaImage want32{32, 32, {}};
      for (int i = 0; i < 1024; ++i) {
        const Color c = want.Pixels()[i];
        want32.rgba.insert(want32.rgba.end(), {static_cast<std::uint8_t>(RedOf(c)),
                                               static_cast<std::uint8_t>(GreenOf(c)),
                                               static_cast<std::uint8_t>(BlueOf(c)), alpha[i]});
      }
      EXPECT_EQ(FirstDifference(pic.overWhite, want32), "") << "icon " << k;
      ++icons;

      std::vector<IconGroupEntry> entries;
      ASSERT_TRUE(reader.ReadGroup(k, entries));
      for (std::size_t j = 0; j < entries.size(); ++j) {
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(reader.ReadImage(entries[j], bytes));
        IconImage mine;
        std::string problem;
        ASSERT_TRUE(DecodeIconImageAtSize(bytes, mine, problem)) << problem;
        Surface shown(mine.width, mine.height);
        for (int i = 0; i < mine.width * mine.height; ++i)
          shown.Pixels()[i] = mine.alpha[i] < 128 ? kWhite : mine.colors[i];
        RgbaImage image;
        ASSERT_TRUE(Reference(program, name, static_cast<int>(j), dir, image));
        EXPECT_EQ(FirstDifference(shown, image), "") << "image " << j;
        ++images;
      }
    }
  }
  RecordProperty("icons", icons);
  RecordProperty("images", images);
  std::printf("compared %d icons and %d images with icotool\n", icons, images);
}

}  // namespace
}  // namespace gs
