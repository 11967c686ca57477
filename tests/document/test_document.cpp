#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "document/canvas_view.h"
#include "document/icon_document.h"
#include "document/numeric.h"
#include "document/pixel_helpers.h"
#include "document/undo.h"
#include "tests/support/pixel_art.h"

namespace gs {
namespace {

using test::Lines;
using test::Picture;

constexpr Color kRed = RGB(255, 0, 0);
constexpr Color kGreen = RGB(0, 255, 0);
constexpr Color kBlue = RGB(0, 0, 255);

TEST(Numeric, NearestGoesToTheEvenNeighbourOnHalves) {
  const struct {
    double in;
    int out;
  } cases[] = {{2.5, 2},
               {3.5, 4},
               {-0.5, 0},
               {-1.5, -2},
               {0.4999, 0},
               {30.5, 30},
               {29.5, 30},
               {31.4, 31},
               {-0.4, 0},
               {1e12, 2147483647},
               {-1e12, -2147483647 - 1}};
  for (const auto& c : cases) EXPECT_EQ(Nearest(c.in), c.out) << c.in;
  EXPECT_EQ(Nearest(std::nan("")), 0);
}

TEST(Numeric, LeadingNumberOfTypedText) {
  const struct {
    const char* in;
    double out;
  } cases[] = {{"  7x", 7},  {"2.5", 2.5}, {"abc", 0},   {"", 0},   {"-0.4", -0.4}, {"+3", 3},
               {".5", 0.5},  {"5.", 5},    {"1e2", 100}, {"2e", 2}, {"-", 0},       {"\t12 34", 12},
               {"31,5", 31}, {"0x1F", 0},  {"1e999", 0}, {"- 5", 0}};
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(c.in), c.out) << '"' << c.in << '"';
}

TEST(Selection, ArrangeOrdersCornersAndDestroyEmptiesEverything) {
  Selection s{true, 20, 3, 5, 9, {1, 2, 3, 4}};
  s.ArrangeMask();
  EXPECT_EQ(s.Pixels(), (Rect{5, 3, 20, 9}));
  s.DestroyMask();
  EXPECT_FALSE(s.active);
  EXPECT_EQ(s.Pixels(), Rect{});
  EXPECT_TRUE(s.viewRect.IsEmpty());
  EXPECT_FALSE(s.viewRect.Contains(0, 0));
}

TEST(IconDocumentState, FreshDocumentIsWhiteUnnamedUnmodified) {
  IconDocument doc;
  EXPECT_EQ(doc.Width, 32);
  EXPECT_EQ(doc.surface.Pixels().size(), 1024u);
  for (Color c : doc.surface.Pixels()) ASSERT_EQ(c, kWhite);
  EXPECT_FALSE(doc.modified);
  EXPECT_TRUE(doc.fileName.empty());
  EXPECT_EQ(doc.EffectRect(), (Rect{0, 0, 32, 32}));
  doc.selection = {true, 2, 3, 10, 12, {}};
  EXPECT_EQ(doc.EffectRect(), (Rect{2, 3, 10, 12}));
  doc.surface.SetPixelV(0, 0, kRed);
  doc.modified = true;
  doc.fileName = "a.ico";
  doc.Clear();  // New keeps name and flag
  EXPECT_EQ(doc.surface.GetPixel(0, 0), kWhite);
  EXPECT_TRUE(doc.modified);
  EXPECT_EQ(doc.fileName, "a.ico");
}

TEST(PixelHelpers, SplitColorTakesTheChannelsApart) {
  const ColorParts p = SplitColor(0x00123456);
  EXPECT_EQ(p.red, 0x56);
  EXPECT_EQ(p.green, 0x34);
  EXPECT_EQ(p.blue, 0x12);
}

TEST(PixelHelpers, ReplaceColorInRectOnlyInsideTheRect) {
  Surface s(4, 3);
  s.FillRect({0, 0, 4, 3}, kRed);
  s.SetPixelV(1, 1, kGreen);
  ASSERT_TRUE(ReplaceColorInRect(s, Area{1, 0, 2, 2}, kRed, kWhite, s));
  EXPECT_EQ(Picture(s, s.Bounds(), {{kRed, 'r'}, {kGreen, 'g'}}), Lines({"r..r", "rg.r", "rrrr"}));
  const Surface before = s;
  ASSERT_TRUE(ReplaceColorInRect(s, Area{0, 0, 4, 3}, kRed, kRed, s));  // match = fill: unchanged
  EXPECT_EQ(s.Pixels(), before.Pixels());
}

TEST(PixelHelpers, MaskedCopyTakesTheBackgroundWhereTheKeyMatches) {
  Surface src(3, 1);
  src.SetPixelV(0, 0, kRed);
  src.SetPixelV(1, 0, kWhite);
  src.SetPixelV(2, 0, kRed);
  Surface bg(3, 1);
  bg.FillRect({0, 0, 3, 1}, kGreen);
  Surface dst(3, 1);
  ASSERT_TRUE(MaskedCopy(src, Area{0, 0, 3, 1}, kWhite, bg, dst));
  EXPECT_EQ(Picture(dst, dst.Bounds(), {{kRed, 'r'}, {kGreen, 'g'}}), Lines({"rgr"}));
  // A key no pixel has: a plain copy.
  ASSERT_TRUE(MaskedCopy(src, Area{0, 0, 3, 1}, RGB(1, 2, 3), bg, dst));
  EXPECT_EQ(dst.Pixels(), src.Pixels());
}

TEST(PixelHelpers, ColorMaskMarksEqualPixelsAndKeepsTheSourceBackground) {
  Surface src(2, 2);
  src.FillRect({0, 0, 2, 2}, kRed);
  src.SetPixelV(1, 1, kGreen);
  src.bkColor = RGB(9, 9, 9);
  Surface mask(2, 2, Depth::Mono);
  ASSERT_TRUE(MakeColorMask(src, Area{0, 0, 2, 2}, mask, kGreen));
  EXPECT_EQ(Picture(mask, mask.Bounds()), Lines({"##", "#."}));
  EXPECT_EQ(src.bkColor, RGB(9, 9, 9));
}

TEST(Undo, StepsBackAndForthAndANewChangeDropsTheRedoSteps) {
  IconDocument doc;
  UndoBuffer undo;
  EXPECT_FALSE(undo.Available());
  EXPECT_FALSE(undo.RestoreBackup(doc.surface));
  EXPECT_FALSE(undo.Redo(doc.surface));
  undo.CreateBackup(doc.surface);
  doc.surface.SetPixelV(1, 1, kRed);  // first stroke
  undo.CreateBackup(doc.surface);
  doc.surface.SetPixelV(2, 2, kGreen);  // second stroke
  doc.modified = true;
  EXPECT_TRUE(undo.RestoreBackup(doc.surface));
  EXPECT_EQ(doc.surface.GetPixel(1, 1), kRed);
  EXPECT_EQ(doc.surface.GetPixel(2, 2), kWhite);
  EXPECT_TRUE(doc.modified);  // undo leaves the flag alone
  EXPECT_TRUE(undo.RestoreBackup(doc.surface));
  EXPECT_EQ(doc.surface.GetPixel(1, 1), kWhite);
  EXPECT_FALSE(undo.RestoreBackup(doc.surface));
  EXPECT_EQ(undo.RedoSteps(), 2u);

  EXPECT_TRUE(undo.Redo(doc.surface));
  EXPECT_EQ(doc.surface.GetPixel(1, 1), kRed);
  EXPECT_EQ(doc.surface.GetPixel(2, 2), kWhite);
  undo.CreateBackup(doc.surface);  // another change
  doc.surface.SetPixelV(3, 3, kBlue);
  EXPECT_FALSE(undo.CanRedo());
  EXPECT_FALSE(undo.Redo(doc.surface));
  EXPECT_EQ(doc.surface.GetPixel(3, 3), kBlue);
  EXPECT_EQ(undo.UndoSteps(), 2u);

  undo.Clear();
  EXPECT_FALSE(undo.Available());
  EXPECT_FALSE(undo.CanRedo());
}

TEST(Undo, KeepsTheNewestHundredStepsInUnderOneMegabyte) {
  IconDocument doc;
  UndoBuffer undo;
  for (int i = 0; i < 150; ++i) {
    undo.CreateBackup(doc.surface);
    doc.surface.SetPixelV(i % 32, i / 32, kBlack);
  }
  EXPECT_EQ(undo.UndoSteps(), kUndoSteps);
  while (undo.RestoreBackup(doc.surface)) {
  }
  // Back to the picture before change 50, the oldest one kept.
  EXPECT_EQ(doc.surface.GetPixel(49 % 32, 49 / 32), kBlack);
  EXPECT_EQ(doc.surface.GetPixel(50 % 32, 50 / 32), kWhite);
  EXPECT_EQ(undo.RedoSteps(), kUndoSteps);
  EXPECT_LT(undo.MemoryBytes(), std::size_t{1} << 20);
}

TEST(CanvasView, PointerMappingIsNotClamped) {
  EXPECT_EQ(MapPointer(255, 255, 256, 256), (Point{31, 31}));
  EXPECT_EQ(MapPointer(256, 0, 256, 256), (Point{32, 0}));
  EXPECT_EQ(MapPointer(-0.5, -9, 256, 256), (Point{-1, -2}));
  EXPECT_EQ(MapPointer(8.8, 0, 281.6, 281.6), (Point{1, 0}));
  EXPECT_EQ(MapPointer(10, 10, 0, 0), (Point{0, 0}));  // collapsed canvas: no division by zero
}

// The picture and the pointer share one cell rule: at every zoom, each screen
// column shows the cell a click on it names, every cell shows, and CellSpan
// lists exactly the columns of its cell.
TEST(CanvasView, PictureAndPointerAgreeOnEveryColumnAtEveryZoom) {
  IconDocument doc;
  for (int x = 0; x < kIconSize; ++x) doc.surface.SetPixelV(x, 0, RGB(x * 8, 255 - x, 7));
  std::vector<double> scales = {256, 320, 64.5, 30};
  for (SizeF s{256, 256}; s.width < 1000; s = ZoomIn(s)) scales.push_back(s.width);
  for (SizeF s{320, 320}; s.width > 40; s = ZoomOut(s)) scales.push_back(s.width);
  for (double scale : scales) {
    const int columns = Nearest(scale);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(columns));
    StretchToArgb32(doc.surface, row.data(), columns, {scale, scale, 0, 0, columns, 1});
    std::vector<int> shown(kIconSize, 0);
    for (int i = 0; i < columns; ++i) {
      const int cell = MapPointer(i, 0, scale, scale).x;
      ASSERT_TRUE(cell >= 0 && cell < kIconSize) << "scale " << scale << " column " << i;
      ASSERT_EQ(FromArgb32(row[static_cast<std::size_t>(i)]), doc.surface.GetPixel(cell, 0))
          << "scale " << scale << " column " << i;
      ++shown[static_cast<std::size_t>(cell)];
    }
    for (int cell = 0; cell < kIconSize; ++cell) {
      const ScreenSpan span = CellSpan(cell, scale);
      // The canvas is nearest(scale) wide: the last cell may lose a column.
      EXPECT_EQ(std::min(span.end, columns) - span.first, shown[static_cast<std::size_t>(cell)])
          << scale;
      if (scale >= kIconSize) {
        EXPECT_GT(span.end, span.first) << "cell " << cell << " hidden";
      }
      for (int i = span.first; i < span.end; ++i) ASSERT_EQ(CellOf(i, scale), cell) << scale;
    }
  }
}

TEST(CanvasView, APartOfThePictureIsThatPartOfTheWhole) {
  IconDocument doc;
  for (int y = 0; y < kIconSize; ++y)
    for (int x = 0; x < kIconSize; ++x) doc.surface.SetPixelV(x, y, RGB(x * 8, y * 8, 1));
  const double scale = 309.76;  // two zooms in from 256
  const int side = Nearest(scale);
  std::vector<std::uint32_t> whole(static_cast<std::size_t>(side * side));
  StretchToArgb32(doc.surface, whole.data(), side, {scale, scale, 0, 0, side, side});
  // A window reaching past the picture: white beyond it.
  const PictureArea part{scale, scale, 101, 250, 80, 70};
  std::vector<std::uint32_t> window(80 * 70);
  StretchToArgb32(doc.surface, window.data(), 80, part);
  for (int j = 0; j < part.height; ++j)
    for (int i = 0; i < part.width; ++i) {
      const int x = part.left + i, y = part.top + j;
      const std::uint32_t expected =
          y < side ? whole[static_cast<std::size_t>(y * side + x)] : 0xFFFFFFFFu;
      ASSERT_EQ(window[static_cast<std::size_t>(j * 80 + i)], expected) << x << "," << y;
    }
}

TEST(CanvasView, ZoomFactors) {
  const SizeF in = ZoomIn({256, 256});
  EXPECT_DOUBLE_EQ(in.width, 281.6);
  const SizeF roundTrip = ZoomIn(ZoomOut({256, 200}));
  EXPECT_NEAR(roundTrip.width, 256 * 0.88 * 1.1, 1e-9);
  EXPECT_NEAR(ZoomOut({256, 200}).height, 200 * 0.88, 1e-9);
  EXPECT_NE(roundTrip.width, 256);
}

TEST(CanvasView, GridLinesStartEachCellAndWheelNotchesAddUp) {
  for (double scale : {192.0, 218.0976, 256.0, 281.6, 1000.0}) {
    const std::vector<int> lines = GridLines(scale);
    ASSERT_EQ(lines.size(), 31u);
    for (int c = 1; c < 32; ++c) {
      const int x = lines[static_cast<std::size_t>(c - 1)];
      EXPECT_EQ(CellOf(x, scale), c) << scale;
      EXPECT_EQ(CellOf(x - 1, scale), c - 1) << scale;
    }
  }
  EXPECT_TRUE(GridFits(192, 192));
  EXPECT_FALSE(GridFits(191.9, 191.9));
  EXPECT_FALSE(GridFits(400, 150)) << "the smaller side decides";

  int pending = 0;
  EXPECT_EQ(WheelZoomSteps(pending, 240), 2);
  EXPECT_EQ(WheelZoomSteps(pending, -60), 0);
  EXPECT_EQ(WheelZoomSteps(pending, -60), -1);
  EXPECT_EQ(WheelZoomSteps(pending, 40), 0);
  EXPECT_EQ(pending, 40);
}

TEST(CanvasView, SelectionViewRectScalesEachCorner) {
  Selection sel{true, 2, 3, 10, 12, {}};
  EXPECT_EQ(SelectionViewRect(sel, 320), (Rect{20, 30, 100, 120}));
  // f = 281.6 / 32 = 8.8: 8.8 * 5 = 44, 8.8 * 2.5 would be halves to even.
  Selection odd{true, 5, 1, 7, 3, {}};
  EXPECT_EQ(SelectionViewRect(odd, 281.6), (Rect{44, 9, 62, 26}));
}

TEST(CanvasView, StretchRepeatsEachPixelOverItsBlock) {
  IconDocument doc;
  doc.surface.SetPixelV(0, 0, kRed);
  doc.surface.SetPixelV(31, 31, kGreen);
  std::vector<std::uint32_t> out(64 * 64);
  StretchToArgb32(doc.surface, out.data(), 64, 64, 64);
  EXPECT_EQ(out[0], 0xFFFF0000u);
  EXPECT_EQ(out[1 * 64 + 1], 0xFFFF0000u);
  EXPECT_EQ(out[2], 0xFFFFFFFFu);
  EXPECT_EQ(out[63 * 64 + 63], 0xFF00FF00u);
  EXPECT_EQ(out[62 * 64 + 62], 0xFF00FF00u);
  EXPECT_EQ(out[61 * 64 + 61], 0xFFFFFFFFu);
}

}  // namespace
}  // namespace gs
