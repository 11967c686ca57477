#include <gtest/gtest.h>

#include "shell/print_layout.h"

namespace gs {
namespace {

TEST(PrintLayout, MagnificationRule) {
  struct Case {
    const char* text;
    PrintSize size;
  } cases[] =
      {
          {"100%", {32, 32}},   {"5000%", {1600, 1600}}, {"250%", {80, 80}},
          {"1%", {0, 0}},  // 0.32
          {"5%", {2, 2}},  // 1.6
          {"25%", {8, 8}},      {"  300%", {96, 96}},    {"abc", {0, 0}},
          {"", {0, 0}},         {"-200%", {0, 0}},       {"Stretch", {4800, 6600}},
          {"7.8125%", {2, 2}},   // 2.5 goes to the even 2
          {"10.9375%", {4, 4}},  // 3.5 goes to 4
      };
  for (const Case& c : cases) EXPECT_EQ(MagnifiedSize(c.text, 4800, 6600), c.size) << c.text;
}

TEST(PrintLayout, PageIsCentredAndCutWhenTooLarge) {
  struct Case {
    int pw, ph;
    PrintSize size;
    PixelRect rect;
  } cases[] = {
      {4800, 6600, {32, 32}, {2384, 3284, 32, 32}},
      {4800, 6600, {1600, 1600}, {1600, 2500, 1600, 1600}},
      {1000, 800, {1600, 1600}, {-300, -400, 1600, 1600}},  // cut by the page, still centred
      {4801, 6601, {32, 32}, {2384, 3284, 32, 32}},         // 2384.5 -> 2384
      {4803, 6603, {32, 32}, {2386, 3286, 32, 32}},         // 2385.5 -> 2386
      {4800, 6600, {4800, 6600}, {0, 0, 4800, 6600}},       // Stretch
  };
  for (const Case& c : cases)
    EXPECT_EQ(PagePlacement(c.pw, c.ph, c.size), c.rect) << c.pw << "x" << c.ph;
}

TEST(PrintLayout, SheetGeometry) {
  EXPECT_EQ(SheetFor(PrintOrientation::Portrait), (SheetGeometry{18, 2, 344, 467.667}));
  EXPECT_EQ(SheetFor(PrintOrientation::Landscape), (SheetGeometry{2, 18, 467.667, 344}));
  EXPECT_EQ(InitialSheet(), (SheetGeometry{56, 2, 344, 467.667}));
}

TEST(PrintLayout, PreviewProportions) {
  const SheetGeometry portrait = SheetFor(PrintOrientation::Portrait);
  // 5000% on a printable width of 4800 and a sheet 344 wide: 115 pixels.
  const PixelRect r = PreviewPlacement(portrait, 4800, 6600, {1600, 1600});
  EXPECT_EQ(r.width, 115);
  EXPECT_EQ(r.height, 113);  // 467.667 / 6600 * 1600 = 113.4
  EXPECT_EQ(r.left, 115);    // 1600 * 344 / 4800 = 114.67
  EXPECT_EQ(r.top, 177);     // 2500 * 467.667 / 6600 = 177.1
  EXPECT_EQ(PreviewPlacement(portrait, 4800, 6600, {4800, 6600}), (PixelRect{0, 0, 344, 468}));
  EXPECT_EQ(PreviewPlacement(portrait, 0, 6600, {32, 32}), PixelRect{});
}

}  // namespace
}  // namespace gs
