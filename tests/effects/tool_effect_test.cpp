// glyphsmith-tool effect gives the pixels the kernels give, and refuses bad
// operations without writing anything.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

#include "effects/effect_kernels.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

struct ToolRun {
  int rc = -1;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

ToolRun Tool(const test::TempDir& dir, const std::string& args) {
  const std::string cmd = std::string(GS_TOOL_PATH) + " " + args + " >" + dir.file(".out") + " 2>" +
                          dir.file(".err") + " </dev/null";
  const int status = std::system(cmd.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir.file(".out")),
          Slurp(dir.file(".err"))};
}

// `pixels` output back into a surface.
Surface Pixels(const test::TempDir& dir, const std::string& file) {
  const ToolRun r = Tool(dir, "pixels " + file);
  EXPECT_EQ(r.rc, 0) << r.err;
  Surface s(32, 32);
  std::istringstream in(r.out);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      std::string cell;
      in >> cell;
      const unsigned v = static_cast<unsigned>(std::stoul(cell.empty() ? "0" : cell, nullptr, 16));
      s.SetPixelV(x, y,
                  RGB(static_cast<int>(v >> 16), static_cast<int>((v >> 8) & 0xFF),
                      static_cast<int>(v & 0xFF)));
    }
  return s;
}

const std::string kInput =
    std::string(GS_TEST_DATA_DIR) + "/files/valid/gradient_24bit_no_table.ico";

TEST(ToolEffect, AgreesWithTheKernels) {
  test::TempDir dir;
  const Surface src = Pixels(dir, kInput);
  struct Case {
    const char* args;
    std::function<void(Surface&)> expect;
  } cases[] = {
      {"invert", [](Surface& s) { InvertColors(s, s.Bounds()); }},
      {"replace FFFFFF 102030",
       [](Surface& s) { ReplaceColor(s, s.Bounds(), kWhite, RGB(16, 32, 48)); }},
      {"pixelate 3.5",
       [](Surface& s) {
         PixelateRect(s, Area{0, 0, 32, 32}, 4, s);
       }},
      {"pixelate 0", [](Surface&) {}},
      {"zigzag",
       [](Surface& s) {
         ZigzagRect(s, Area{0, 0, 32, 32}, true, kWhite, kDefaultHighlight);
       }},
      {"zigzag --highlight 00ff00",
       [](Surface& s) {
         ZigzagRect(s, Area{0, 0, 32, 32}, true, kWhite, RGB(0, 255, 0));
       }},
      {"mirror h", [](Surface& s) { Mirror(s, MirrorAxis::Horizontal); }},
      {"mirror v", [](Surface& s) { Mirror(s, MirrorAxis::Vertical); }},
      {"turn 90", [](Surface& s) { RotateQuarter(s, 90); }},
      {"turn 270", [](Surface& s) { RotateQuarter(s, 270); }},
      {"rotate 90", [](Surface& s) { RotateByAngle(s, 90, kWhite); }},
      {"rotate -33.3 --fill 010203", [](Surface& s) { RotateByAngle(s, -33.3, RGB(1, 2, 3)); }},
      {"duotone", [](Surface& s) { s = DuoTonePreview(s, Selection{}); }},
      {"duotone 00FF00", [](Surface& s) { s = DuoTonePreview(s, Selection{}, RGB(0, 255, 0)); }},
      {"earthquake 3 --wrap", [](Surface& s) { s = EarthQuakePreview(s, Selection{}, 3, true); }},
      {"earthquake 7x", [](Surface& s) { s = EarthQuakePreview(s, Selection{}, 7, false); }},
      {"resample 31 0 -32 32",
       [](Surface& s) {
         s = ResampleIcon(s, Selection{}, {31, 0, -32, 32});
       }},
      {"resample 8 8 16 16",
       [](Surface& s) {
         s = ResampleIcon(s, Selection{}, {8, 8, 16, 16});
       }},
  };
  for (const Case& c : cases) {
    const std::string out = dir.file("out.ico");
    const ToolRun r = Tool(dir, "effect " + kInput + " " + out + " " + c.args);
    ASSERT_EQ(r.rc, 0) << c.args << ": " << r.err;
    Surface expected = src;
    c.expect(expected);
    EXPECT_TRUE(Pixels(dir, out).Pixels() == expected.Pixels()) << c.args;
  }
}

TEST(ToolEffect, BadOperationsWriteNothing) {
  test::TempDir dir;
  const std::string out = dir.file("out.ico");
  for (const char* args :
       {"sharpen", "mirror x", "turn 45", "depth 2", "replace FFFFFF", "replace GGGGGG 000000",
        "resample 1 2 3", "invert --wrap", "rotate", "duotone red", "pixelate 2 --bogus"}) {
    const ToolRun r = Tool(dir, "effect " + kInput + " " + out + " " + args);
    EXPECT_EQ(r.rc, 2) << args;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args << ": " << r.err;
    struct stat st {};
    EXPECT_NE(stat(out.c_str(), &st), 0) << args;
  }
  EXPECT_EQ(Tool(dir, "effect --help").rc, 0);
}

TEST(ToolEffect, ManyInputsIntoAFolder) {
  test::TempDir dir;
  const std::string folder = dir.file("outdir");
  ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
  const std::string second = std::string(GS_TEST_DATA_DIR) + "/files/valid/red_cross_4bit.ico";
  const ToolRun r =
      Tool(dir, "effect --out-dir " + folder + " depth 1 -- " + kInput + " " + second);
  ASSERT_EQ(r.rc, 0) << r.err;
  for (const char* name : {"gradient_24bit_no_table.ico", "red_cross_4bit.ico"}) {
    const Surface s = Pixels(dir, folder + "/" + name);
    for (Color c : s.Pixels()) ASSERT_TRUE(c == kWhite || c == kBlack) << name;
  }
  // The operation's own words come first, negative numbers included; then the
  // inputs, also from a list.
  {
    std::ofstream list(dir.file("list"));
    list << second << "\n";
  }
  const ToolRun batch = Tool(dir, "effect --out-dir " + folder + " --to cur --files-from " +
                                      dir.file("list") + " rotate -45 " + kInput);
  ASSERT_EQ(batch.rc, 0) << batch.err;
  Surface expected = Pixels(dir, kInput);
  RotateByAngle(expected, -45, kWhite);
  EXPECT_TRUE(Pixels(dir, folder + "/gradient_24bit_no_table.cur").Pixels() == expected.Pixels());
  struct stat st {};
  EXPECT_EQ(stat((folder + "/red_cross_4bit.cur").c_str(), &st), 0);
  // An optional colour is taken only when it is one.
  EXPECT_EQ(Tool(dir, "effect --out-dir " + folder + " duotone " + kInput).rc, 0);
  EXPECT_EQ(Tool(dir, "effect --out-dir " + folder + " bogus " + kInput).rc, 2);
}

// Numbers with a minus sign are the operation's, however they are written.
TEST(ToolEffect, NegativeNumbersAreNotOptions) {
  test::TempDir dir;
  const Surface src = Pixels(dir, kInput);
  Surface turned = src;
  RotateByAngle(turned, -90, kWhite);
  struct Case {
    const char* args;
    const Surface& expected;
  } cases[] = {{"rotate -0", src},      {"rotate -0x", src},    {"pixelate -1e400", src},
               {"earthquake -.5", src}, {"rotate -90", turned}, {"rotate -9e1", turned}};
  for (const Case& c : cases) {
    const std::string out = dir.file("out.ico");
    std::remove(out.c_str());
    const ToolRun r = Tool(dir, "effect " + kInput + " " + out + " " + c.args);
    ASSERT_EQ(r.rc, 0) << c.args << ": " << r.err;
    EXPECT_TRUE(Pixels(dir, out).Pixels() == c.expected.Pixels()) << c.args;
  }
}

// A cursor's hotspot goes with the picture: it names the same pixel after a
// mirror or a turn, and the cell that pixel lands on after a free rotation.
TEST(ToolEffect, HotspotMovesWithThePicture) {
  test::TempDir dir;
  const std::string cur = dir.file("in.cur");
  ASSERT_EQ(Tool(dir, "convert " + kInput + " " + cur + " --hotspot 3,5").rc, 0);
  const Surface src = Pixels(dir, cur);
  auto hotspot = [](const std::string& file) {
    const std::string b = Slurp(file);
    return Point{static_cast<unsigned char>(b[10]) | static_cast<unsigned char>(b[11]) << 8,
                 static_cast<unsigned char>(b[12]) | static_cast<unsigned char>(b[13]) << 8};
  };
  // A free rotation copies each pixel onto its right neighbour too, so the
  // cell may show another pixel; a cell beyond the icon is brought to its edge.
  auto rotated = [](double angle) {
    const Point p = RotatedCell(3, 5, angle);
    return Point{std::clamp(p.x, 0, 31), std::clamp(p.y, 0, 31)};
  };
  ASSERT_EQ(RotatedCell(3, 5, -30).x, -1) << "the case of a cell beyond the icon";
  struct Case {
    const char* op;
    Point to;
    bool samePixel;
  } cases[] = {{"mirror h", {3, 26}, true},        {"mirror v", {28, 5}, true},
               {"turn 90", {26, 3}, true},         {"turn 180", {28, 26}, true},
               {"turn 270", {5, 28}, true},        {"rotate 90", rotated(90), false},
               {"rotate -30", rotated(-30), false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.op);
    const std::string out = dir.file("out.cur");
    ASSERT_EQ(Tool(dir, "effect " + cur + " " + out + " " + c.op).rc, 0);
    const Point at = hotspot(out);
    EXPECT_EQ(at, c.to);
    if (c.samePixel) {
      EXPECT_EQ(Pixels(dir, out).GetPixel(at.x, at.y), src.GetPixel(3, 5));
    }
  }
  // An effect that moves nothing keeps it; --hotspot overrides.
  const std::string out = dir.file("out.cur");
  ASSERT_EQ(Tool(dir, "effect " + cur + " " + out + " invert").rc, 0);
  EXPECT_EQ(hotspot(out), (Point{3, 5}));
  ASSERT_EQ(Tool(dir, "effect " + cur + " " + out + " turn 90 --hotspot 1,2").rc, 0);
  EXPECT_EQ(hotspot(out), (Point{1, 2}));
}

}  // namespace
}  // namespace gs
