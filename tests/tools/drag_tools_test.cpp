// Line, rectangle, ellipse, rounded rectangle, selection and spray.
#include <cmath>
#include <cstdlib>

#include "tests/tools/engine_fixture.h"

namespace gs::test {
namespace {

TEST_F(EngineTest, LinesEndExactlyOnThePointerCell) {
  Tool(ToolIndex::kLine);
  Drag({2, 2}, {5, 5});
  EXPECT_EQ(Picture(1, 1, 6, 6),
            "......\n"
            ".L....\n"
            "..L...\n"
            "...L..\n"
            "....L.\n"
            "......");

  doc.Clear();
  Drag({10, 10}, {5, 10}, kRightButton);
  EXPECT_EQ(Picture(4, 9, 8, 3),
            "........\n"
            ".RRRRRR.\n"
            "........");
}

TEST_F(EngineTest, LineWidthWidensThePen) {
  Tool(ToolIndex::kLine);
  options.lineWidth = 2;  // a pen of 3
  Drag({5, 10}, {20, 10});
  for (int x = 5; x <= 20; ++x) {
    EXPECT_EQ(doc.surface.GetPixel(x, 9), kLeftTest) << x;
    EXPECT_EQ(doc.surface.GetPixel(x, 11), kLeftTest) << x;
  }
  EXPECT_EQ(doc.surface.GetPixel(12, 8), kWhite);
  EXPECT_EQ(doc.surface.GetPixel(12, 12), kWhite);
}

TEST_F(EngineTest, LiveFigureIsRedrawnOverThePressImage) {
  Tool(ToolIndex::kLine);
  Press(0, 0);
  MoveTo(20, 0);
  MoveTo(3, 0);
  EXPECT_EQ(doc.surface.GetPixel(10, 0), kWhite) << "the earlier live line is gone";
  Release(3, 0);
  EXPECT_EQ(Picture(0, 0, 5, 1), "LLLL.");
  EXPECT_FALSE(engine.State().workingCopy.has_value());
}

TEST_F(EngineTest, RectangleStylesAndButtons) {
  Tool(ToolIndex::kRectangle);
  Drag({3, 3}, {6, 6});
  EXPECT_EQ(Picture(2, 2, 6, 6),
            "......\n"
            ".LLLL.\n"
            ".L..L.\n"
            ".L..L.\n"
            ".LLLL.\n"
            "......");

  // Style 0 outlines in the dragging button's colour.
  doc.Clear();
  Drag({3, 3}, {5, 5}, kRightButton);
  EXPECT_EQ(Picture(3, 3, 3, 3), "RRR\nR.R\nRRR");

  // Style 1: outline left, interior right, whichever button drags.
  engine.SelectTool(ToolIndex::kRectangle);
  ApplyPanelClick(options, OptionPanel::Tool9, 0, 40, 30, 90, kLeftButton);
  ASSERT_EQ(options.FillStyleOf(ToolIndex::kRectangle), FillStyle::kOutlinedSolid);
  doc.Clear();
  Drag({3, 3}, {6, 6}, kRightButton);
  EXPECT_EQ(Picture(3, 3, 4, 4),
            "LLLL\n"
            "LRRL\n"
            "LRRL\n"
            "LLLL");

  // Style 2: interior only, in the right colour.
  options.fillStyle[0] = FillStyle::kSolid;
  doc.Clear();
  Drag({3, 3}, {6, 6});
  EXPECT_EQ(Picture(2, 2, 6, 6),
            "......\n"
            ".RRRR.\n"
            ".RRRR.\n"
            ".RRRR.\n"
            ".RRRR.\n"
            "......");
}

TEST_F(EngineTest, RectangleClickDrawsOnePixel) {
  Tool(ToolIndex::kRectangle);
  Click(9, 9);
  EXPECT_EQ(CountNonWhite(), 1);
  EXPECT_EQ(doc.surface.GetPixel(9, 9), kLeftTest);
}

TEST_F(EngineTest, ReversedRectangleLeavesOutTheStartColumn) {
  Tool(ToolIndex::kRectangle);
  Drag({10, 10}, {5, 10});
  EXPECT_EQ(Picture(4, 9, 8, 3),
            "........\n"
            ".LLLLL..\n"
            "........");
  // Up and to the left: both start row and column are left out.
  doc.Clear();
  Drag({10, 10}, {7, 7});
  EXPECT_EQ(Picture(6, 6, 6, 6),
            "......\n"
            ".LLL..\n"
            ".L.L..\n"
            ".LLL..\n"
            "......\n"
            "......");
}

TEST_F(EngineTest, EllipseAndRoundRectFillTheirBoxOnly) {
  for (ToolIndex tool : {ToolIndex::kEllipse, ToolIndex::kRoundRect}) {
    doc.Clear();
    Tool(tool);
    options.SetFillStyle(tool, FillStyle::kSolid);
    Drag({4, 4}, {19, 15});
    EXPECT_EQ(PaintOutside(doc.surface, {4, 4, 20, 16}), std::nullopt) << IndexOf(tool);
    EXPECT_EQ(doc.surface.GetPixel(11, 9), kRightTest);
    EXPECT_EQ(doc.surface.GetPixel(4, 4), kWhite) << "corners are rounded";
  }
}

TEST_F(EngineTest, EscapeDuringAShapeDragRestoresThePressImage) {
  doc.surface.SetPixelV(8, 8, kBlack);
  Tool(ToolIndex::kRectangle);
  Press(2, 2);
  MoveTo(12, 12);
  ASSERT_NE(CountNonWhite(), 1);
  engine.KeyDown(kKeyEscape);
  EXPECT_EQ(CountNonWhite(), 1);
  MoveTo(14, 14);
  Release(14, 14);
  EXPECT_EQ(CountNonWhite(), 1);
  EXPECT_EQ(doc.surface.GetPixel(8, 8), kBlack);
  EXPECT_FALSE(engine.State().workingCopy.has_value());
}

TEST_F(EngineTest, ReleaseWithoutPressDrawsNothing) {
  Tool(ToolIndex::kEllipse);
  Release(5, 5);
  Tool(ToolIndex::kLine);
  Release(5, 5);
  EXPECT_EQ(CountNonWhite(), 0);
}

TEST_F(EngineTest, NewSelectionIncludesThePointerCellForward) {
  Tool(ToolIndex::kSelect);
  Drag({4, 4}, {7, 9});
  const Selection& s = doc.selection;
  EXPECT_TRUE(s.active);
  EXPECT_EQ(s.Pixels(), (Rect{4, 4, 8, 10}));

  Tool(ToolIndex::kPencil);  // drops the selection, so the next press starts a new one
  Tool(ToolIndex::kSelect);
  Drag({7, 9}, {4, 4});
  EXPECT_EQ(s.Pixels(), (Rect{4, 4, 7, 9}));

  Click(20, 20);
  EXPECT_EQ(s.Pixels(), (Rect{20, 20, 21, 21}));
  EXPECT_EQ(CountNonWhite(), 0) << "selecting draws nothing";
}

TEST_F(EngineTest, EscapeWhileSelectingDropsTheSelection) {
  Tool(ToolIndex::kSelect);
  Press(4, 4);
  MoveTo(9, 9);
  engine.KeyDown(kKeyEscape);
  EXPECT_FALSE(doc.selection.active);
  Release(9, 9);
  EXPECT_FALSE(doc.selection.active);
}

class SelectionMoveTest : public EngineTest {
 protected:
  void SetUp() override {
    // A 4 x 4 block with a marked top-left corner at (4, 4).
    doc.surface.FillRect({4, 4, 8, 8}, kBlack);
    doc.surface.SetPixelV(4, 4, kLeftTest);
    Tool(ToolIndex::kSelect);
    Drag({4, 4}, {7, 7});
    ASSERT_EQ(doc.selection.Pixels(), (Rect{4, 4, 8, 8}));
  }
};

TEST_F(SelectionMoveTest, BlockFollowsTheGrabOffsetAndLeavesWhite) {
  Press(5, 6);
  EXPECT_TRUE(engine.Moving());
  EXPECT_EQ(engine.State().anchor, (Point{1, 2}));
  MoveTo(10, 10);
  EXPECT_EQ(doc.surface.GetPixel(9, 8), kLeftTest);
  EXPECT_EQ(Picture(4, 4, 4, 4), "....\n....\n....\n....");
  Release(10, 10);
  EXPECT_FALSE(engine.Moving());
  EXPECT_FALSE(doc.selection.active);
  EXPECT_EQ(Picture(8, 7, 6, 6),
            "......\n"
            ".LKKK.\n"
            ".KKKK.\n"
            ".KKKK.\n"
            ".KKKK.\n"
            "......");
  EXPECT_EQ(CountNonWhite(), 16);

  engine.EditUndo();
  EXPECT_EQ(doc.surface.GetPixel(4, 4), kLeftTest);
  EXPECT_EQ(doc.surface.GetPixel(9, 8), kWhite);
}

TEST_F(SelectionMoveTest, OverlappingMoveKeepsTheBlock) {
  Press(4, 4);
  Release(5, 4);
  EXPECT_EQ(Picture(4, 4, 6, 1), ".LKKK.");
}

TEST_F(SelectionMoveTest, PartsMovedOffTheIconAreLost) {
  Press(4, 4);
  Release(30, 4);  // block now at x = 30..33
  EXPECT_EQ(Picture(30, 4, 2, 1), "LK");
  Tool(ToolIndex::kSelect);
  Drag({30, 4}, {31, 7});
  Press(30, 4);
  Release(4, 4);
  EXPECT_EQ(Picture(4, 4, 4, 1), "LK..");
  EXPECT_EQ(CountNonWhite(), 8);
}

TEST_F(SelectionMoveTest, RightDragOfTheSelectionIsFinishedAtRelease) {
  Press(5, 5, kRightButton);
  MoveTo(6, 5, kRightButton);
  Release(6, 5, kRightButton);  // still over the old outline
  EXPECT_FALSE(engine.Moving());
  EXPECT_FALSE(engine.State().workingCopy.has_value());
  EXPECT_EQ(Picture(4, 4, 6, 1), ".LKKK.");
}

TEST_F(SelectionMoveTest, RightReleaseOverSelectionWithoutDragIsIgnored) {
  const int repaints = host.repaints;
  Release(5, 5, kRightButton);
  EXPECT_EQ(host.repaints, repaints);
  EXPECT_TRUE(doc.selection.active);
}

// --- spray ------------------------------------------------------------------

TEST(SprayBurstTest, DotCountRadiusAndReseed) {
  for (int size = 0; size <= 2; ++size) {
    Surface s = MakeIconSurface();
    ScriptedRandom r;
    r.values = {0.0, 0.99};  // angle 0, the longest radius
    SprayBurst(s, 16, 16, kBlack, size, r, [] { return 42.5; });
    EXPECT_EQ(r.reseeds, 1);
    EXPECT_EQ(r.seeds[0], 42.5);
    EXPECT_EQ(r.draws, 2 * (10 * size + 10)) << "two numbers per dot";
    const int radius = (8 * size + 9) / 2;  // 4, 8, 12
    EXPECT_EQ(s.GetPixel(16 + radius, 16), kBlack) << size;
  }
  EXPECT_EQ(SprayDotCount(0), 10);
  EXPECT_EQ(SprayDotCount(1), 20);
  EXPECT_EQ(SprayDotCount(2), 30);
}

TEST(SprayBurstTest, DotsStayWithinTheRadiusAndAreClipped) {
  ClockSeededRandom r;
  for (int size = 0; size <= 2; ++size) {
    const int reach = (8 * size + 9) / 2;
    for (int burst = 0; burst < 200; ++burst) {
      Surface s = MakeIconSurface();
      SprayBurst(s, 16, 16, kBlack, size, r, [burst] { return burst * 0.01; });
      ASSERT_EQ(PaintOutside(s, {16 - reach, 16 - reach, 17 + reach, 17 + reach}), std::nullopt);
    }
  }
  Surface corner = MakeIconSurface();
  SprayBurst(corner, 0, 0, kBlack, 2, r, [] { return 1.0; });
  EXPECT_EQ(PaintOutside(corner, {0, 0, 13, 13}), std::nullopt);
}

TEST(SprayBurstTest, SameClockReadingStillGivesFreshDots) {
  ClockSeededRandom r;
  r.Reseed(10);
  const double a = r.Next();
  r.Reseed(10);
  EXPECT_NE(r.Next(), a);
  for (int i = 0; i < 1000; ++i) {
    const double v = r.Next();
    ASSERT_GE(v, 0.0);
    ASSERT_LT(v, 1.0);
  }
}

TEST_F(EngineTest, SprayRunsOnTheTimerUntilReleaseOrEscape) {
  Tool(ToolIndex::kSpray);
  random.values = {0.0, 0.0};  // every dot on the centre
  Press(10, 10, kRightButton);
  EXPECT_TRUE(host.timerOn);
  EXPECT_EQ(random.reseeds, 1);
  EXPECT_EQ(doc.surface.GetPixel(10, 10), kRightTest);

  MoveTo(12, 10, kRightButton);
  EXPECT_EQ(engine.State().anchor, (Point{12, 10}));
  colors.right = kBlack;
  for (int i = 0; i < 10; ++i) engine.SprayTick();
  EXPECT_EQ(random.reseeds, 12) << "re-seeded before every burst";
  EXPECT_EQ(doc.surface.GetPixel(12, 10), kBlack) << "ticks use the spray button's colour now";

  Release(12, 10, kRightButton);
  EXPECT_FALSE(host.timerOn);
  engine.SprayTick();
  EXPECT_EQ(random.reseeds, 12) << "no burst after the release";

  Press(20, 20);
  engine.KeyDown(kKeyEscape);
  EXPECT_FALSE(host.timerOn);
  engine.SprayTick();
  EXPECT_EQ(random.reseeds, 13);
  EXPECT_EQ(doc.surface.GetPixel(20, 20), kLeftTest) << "dots already placed stay";
}

}  // namespace
}  // namespace gs::test
