#include <gtest/gtest.h>

#include <algorithm>

#include "document/canvas_view.h"
#include "shell/print_layout.h"

namespace gs {
namespace {

TEST(PrintLayout, MagnificationRule) {
  struct Case {
    const char* text;
    PrintSize size;
  } cases[] = {
      {"100%", {32, 32}},
      {"5000%", {1600, 1600}},
      {"250%", {80, 80}},
      {"1%", {0, 0}},  // 0.32
      {"5%", {2, 2}},  // 1.6
      {"25%", {8, 8}},
      {"  300%", {96, 96}},
      {"abc", {0, 0}},
      {"", {0, 0}},
      {"-200%", {0, 0}},
      {"Stretch", {4800, 6600}},
      {" Stretch ", {4800, 6600}},  // typed into the editable box with blanks
      {"\tStretch", {4800, 6600}},
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

namespace gs {
namespace {

// The bands tile the visible part of the page exactly, each as wide as it,
// split only where a cell row ends, and no taller than the budget allows
// unless a single cell row already is.
TEST(PrintLayout, BandsTileTheVisiblePageAlongCellRows) {
  const struct {
    PixelRect sheet;
    PixelRect page;
    long long budget;
    std::size_t count;
    const char* why;
  } cases[] = {
      {{0, 0, 4800, 6600}, {1600, 2500, 1600, 1600}, 4 << 20, 1, "5000%: one piece"},
      {{0, 0, 4800, 6600}, {1600, 2500, 1600, 1600}, 1600 * 120, 16, "two 50-row cells a band"},
      {{0, 0, 4800, 6600}, {1600, 2500, 1600, 1600}, 1, 32, "one cell row at least"},
      {{0, 0, 1000, 800}, {-300, -410, 1600, 1600}, 1000 * 120, 8, "cut by the sheet, mid-cell"},
      {{-150, -150, 1300, 1100}, {-300, -410, 1600, 1600}, 1, 23, "margins are paper too"},
      {{0, 0, 4800, 6600}, {2384, 3284, 80, 80}, 80 * 5, 16, "250%: cells of 2 and 3 rows"},
      {{0, 0, 4800, 6600}, {4800, 6600, 32, 32}, 4 << 20, 0, "off the sheet"},
      {{0, 0, 4800, 6600}, {10, 10, 0, 0}, 4 << 20, 0, "nothing to print"},
  };
  for (const auto& c : cases) {
    const std::vector<PixelRect> bands = PrintBands(c.sheet, c.page, c.budget);
    EXPECT_EQ(bands.size(), c.count) << c.why;
    if (bands.empty()) continue;
    const int left = std::max(c.sheet.left, c.page.left);
    const int right = std::min(c.sheet.left + c.sheet.width, c.page.left + c.page.width);
    int next = std::max(c.sheet.top, c.page.top);
    for (const PixelRect& b : bands) {
      EXPECT_EQ(b.left, left) << c.why;
      EXPECT_EQ(b.width, right - left) << c.why;
      EXPECT_EQ(b.top, next) << c.why;
      const bool lastBand = &b == &bands.back();
      if (!lastBand) {
        const int bottom = b.top + b.height - c.page.top;  // in page rows
        EXPECT_NE(CellOf(bottom - 1, c.page.height), CellOf(bottom, c.page.height))
            << c.why << ": split inside a cell row";
      }
      const bool oneCellRow = CellOf(b.top - c.page.top, c.page.height) ==
                              CellOf(b.top + b.height - 1 - c.page.top, c.page.height);
      if (!oneCellRow) {
        EXPECT_LE(static_cast<long long>(b.height) * b.width, c.budget) << c.why;
      }
      next = b.top + b.height;
    }
    EXPECT_EQ(next, std::min(c.sheet.top + c.sheet.height, c.page.top + c.page.height)) << c.why;
  }
}

}  // namespace
}  // namespace gs
