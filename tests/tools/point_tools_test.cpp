// Press, move and key handling shared by every tool, and the point tools.
#include "tests/tools/engine_fixture.h"
#include "tools/tool_kinds.h"

namespace gs::test {
namespace {

TEST_F(EngineTest, PencilClickSetsOnePixelMarksModifiedAndUndoes) {
  Tool(ToolIndex::kPencil);
  Click(5, 7);
  EXPECT_EQ(doc.surface.GetPixel(5, 7), kLeftTest);
  EXPECT_EQ(CountNonWhite(), 1);
  EXPECT_TRUE(doc.modified);
  EXPECT_TRUE(host.undoEnabled);

  EXPECT_TRUE(engine.EditUndo());
  EXPECT_EQ(CountNonWhite(), 0);
  EXPECT_FALSE(host.undoEnabled);
  EXPECT_TRUE(doc.modified) << "undo leaves the modified flag alone";
  EXPECT_FALSE(engine.EditUndo()) << "one step taken, one undone";
}

TEST_F(EngineTest, SecondStrokeIsTheOnlyOneUndone) {
  Tool(ToolIndex::kPencil);
  Click(1, 1);
  Click(2, 2, kRightButton);
  EXPECT_EQ(doc.surface.GetPixel(2, 2), kRightTest);
  engine.EditUndo();
  EXPECT_EQ(Picture(1, 1, 2, 2), "L.\n..");
}

TEST_F(EngineTest, PencilMovesAreSeparateDotsNotJoined) {
  Tool(ToolIndex::kPencil);
  Press(0, 0);
  MoveTo(4, 0);
  MoveTo(8, 0, kRightButton);
  Release(8, 0, kRightButton);
  EXPECT_EQ(Picture(0, 0, 9, 1), "L...L...R");
}

TEST_F(EngineTest, PressesWithOtherButtonsAreIgnored) {
  Tool(ToolIndex::kPencil);
  engine.Press(kMiddleButton, At(3), At(3), kScale, kScale);
  EXPECT_EQ(CountNonWhite(), 0);
  EXPECT_FALSE(doc.modified);
  EXPECT_FALSE(undo.Available());
}

TEST_F(EngineTest, EraserStampsSquaresOfItsSize) {
  Tool(ToolIndex::kEraser);
  Click(0, 0);
  EXPECT_EQ(Picture(0, 0, 3, 3), "LL.\nLL.\n...");

  const struct { int size, side; } cases[] = {{0, 4}, {1, 6}, {2, 8}, {3, 10}};
  for (const auto& c : cases) {
    doc.Clear();
    options.eraserSize = static_cast<std::uint8_t>(c.size);
    Click(15, 15, kRightButton);
    EXPECT_EQ(CountNonWhite(), c.side * c.side) << "size " << c.size;
    const int lo = 15 - c.side / 2;
    EXPECT_EQ(doc.surface.GetPixel(lo, lo), kRightTest);
    EXPECT_EQ(doc.surface.GetPixel(lo + c.side - 1, lo + c.side - 1), kRightTest);
    EXPECT_EQ(doc.surface.GetPixel(lo + c.side, lo + c.side), kWhite);
  }
}

TEST_F(EngineTest, BrushShapesStampTheirFigures) {
  Tool(ToolIndex::kBrush);
  options.brushShape = 8;
  Click(10, 10);
  EXPECT_EQ(Picture(8, 8, 5, 5),
            ".....\n"
            ".....\n"
            "..L..\n"
            ".L...\n"
            ".....");

  doc.Clear();
  options.brushShape = 11;
  Click(10, 10);
  EXPECT_EQ(Picture(8, 8, 5, 5),
            ".....\n"
            ".L...\n"
            "..L..\n"
            ".....\n"
            ".....");

  doc.Clear();
  options.brushShape = 5;
  Click(10, 10);
  EXPECT_EQ(Picture(8, 8, 4, 4),
            "....\n"
            ".LL.\n"
            ".LL.\n"
            "....");

  const struct {
    int shape, count;
  } counts[] = {{2, 1}, {3, 64}, {4, 25}, {5, 4}, {6, 8}, {7, 5}, {9, 8}, {10, 5}};
  for (const auto& c : counts) {
    doc.Clear();
    options.brushShape = static_cast<std::uint8_t>(c.shape);
    Click(16, 16);
    EXPECT_EQ(CountNonWhite(), c.count) << "shape " << c.shape;
  }
}

// The option panel draws each shape from BrushShapePixels: it must be what
// the brush leaves on the document, whichever button and colour paint it.
TEST_F(EngineTest, BrushShapePixelsAreWhatTheBrushPaints) {
  Tool(ToolIndex::kBrush);
  const struct {
    Point at;
    int button;
  } strokes[] = {{{16, 16}, kLeftButton}, {{9, 20}, kRightButton}};
  for (int shape = 0; shape < kBrushShapes; ++shape) {
    const std::vector<Point> expected = BrushShapePixels(shape);
    EXPECT_FALSE(expected.empty()) << "shape " << shape;
    for (const auto& stroke : strokes) {
      doc.Clear();
      options.brushShape = static_cast<std::uint8_t>(shape);
      Click(stroke.at.x, stroke.at.y, stroke.button);
      std::vector<Point> painted;
      for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x)
          if (doc.surface.GetPixel(x, y) != kWhite)
            painted.push_back({x - stroke.at.x, y - stroke.at.y});
      EXPECT_EQ(painted, expected) << "shape " << shape << ", button " << stroke.button;
    }
  }
  EXPECT_TRUE(BrushShapePixels(-1).empty());
  EXPECT_TRUE(BrushShapePixels(kBrushShapes).empty());
}

TEST(BrushShapes, BoundsHoldEveryCellAndNoMore) {
  const struct {
    int shape;
    Rect bounds;
  } cases[] = {
      {0, {-4, -4, 3, 3}},  // the disc leaves its box's right and bottom out
      {2, {0, 0, 1, 1}},    // the single cell
      {3, {-4, -4, 4, 4}},
      {6, {-4, -3, 4, 5}},  // the rising line ends before its top-right corner
      {11, {-1, -1, 1, 1}},
      {-1, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(BoundsOf(BrushShapePixels(c.shape)), c.bounds) << c.shape;
}

TEST_F(EngineTest, LargeDiscStaysInsideItsBox) {
  Tool(ToolIndex::kBrush);
  options.brushShape = 0;
  Click(16, 16);
  // Ellipse (12, 12)-(19, 19): nothing outside x, y in 12..18.
  EXPECT_EQ(PaintOutside(doc.surface, {12, 12, 19, 19}), std::nullopt);
  EXPECT_EQ(doc.surface.GetPixel(15, 15), kLeftTest);
}

TEST_F(EngineTest, FloodFillLeaksOnlyThroughEdges) {
  // A closed diagonal from (0, 0) to (31, 31): the two halves touch by corners only.
  for (int i = 0; i < 32; ++i) doc.surface.SetPixelV(i, i, kBlack);
  Tool(ToolIndex::kFill);
  Click(0, 31);
  EXPECT_EQ(doc.surface.GetPixel(0, 31), kLeftTest);
  EXPECT_EQ(doc.surface.GetPixel(31, 0), kWhite) << "no leak through corners";
  EXPECT_EQ(CountNonWhite(), 32 + (32 * 31) / 2);

  // Widen a gap to an edge contact: (10, 10) gone joins (10, 10)'s neighbours.
  doc.Clear();
  for (int i = 0; i < 32; ++i) doc.surface.SetPixelV(i, i, kBlack);
  doc.surface.SetPixelV(10, 10, kWhite);
  Click(0, 31);
  EXPECT_EQ(doc.surface.GetPixel(31, 0), kLeftTest);
}

TEST_F(EngineTest, FloodFillOnTheSameColourChangesNothing) {
  doc.surface.FillRect({0, 0, 32, 32}, kLeftTest);
  Tool(ToolIndex::kFill);
  Click(3, 3);
  EXPECT_EQ(Picture(0, 0, 2, 1), "LL");
}

TEST_F(EngineTest, PickerSetsButtonColourAndStillReplacesUndo) {
  Tool(ToolIndex::kPencil);
  Click(4, 4);
  doc.surface.SetPixelV(6, 6, RGB(1, 2, 3));
  Tool(ToolIndex::kPicker);
  Click(6, 6, kRightButton);
  EXPECT_EQ(colors.right, RGB(1, 2, 3));
  EXPECT_EQ(colors.left, kLeftTest);
  EXPECT_TRUE(doc.modified);
  engine.EditUndo();
  EXPECT_EQ(doc.surface.GetPixel(4, 4), kLeftTest) << "the pencil dot can no longer be undone";
}

TEST_F(EngineTest, PickerMoveOutsideTheIconEndsWithoutRepaint) {
  Tool(ToolIndex::kPicker);
  Press(1, 1);
  const int before = host.repaints;
  colors.left = RGB(9, 9, 9);
  MoveTo(32, 5);
  MoveTo(-1, 5);
  EXPECT_EQ(host.repaints, before);
  EXPECT_EQ(colors.left, RGB(9, 9, 9));
  MoveTo(31, 5);
  EXPECT_EQ(colors.left, kWhite);
  EXPECT_EQ(host.repaints, before + 1);
}

TEST_F(EngineTest, TextToolHandsOverCellAndColour) {
  Tool(ToolIndex::kText);
  Click(7, 9, kRightButton);
  ASSERT_EQ(host.textAt.size(), 1u);
  EXPECT_EQ(host.textAt[0], (Point{7, 9}));
  EXPECT_EQ(host.textColor, kRightTest);
  EXPECT_TRUE(undo.Available());
}

TEST_F(EngineTest, DeleteClearsTheSelectionOnly) {
  doc.surface.FillRect({0, 0, 32, 32}, kBlack);
  engine.KeyDown(kKeyDelete);
  EXPECT_FALSE(undo.Available()) << "no selection: no undo copy";
  EXPECT_EQ(doc.surface.GetPixel(0, 0), kBlack);

  Tool(ToolIndex::kSelect);
  Drag({2, 2}, {3, 4});
  doc.modified = false;  // as after a save
  engine.KeyDown(kKeyDelete);
  EXPECT_EQ(Picture(1, 1, 4, 5),
            "KKKK\n"
            "K..K\n"
            "K..K\n"
            "K..K\n"
            "KKKK");
  EXPECT_TRUE(doc.modified);
  EXPECT_TRUE(doc.selection.active);
  engine.EditUndo();
  EXPECT_EQ(doc.surface.GetPixel(2, 2), kBlack);
}

// The copy Delete takes is its own: undo after an effect and a Delete
// gives back the effect's picture, not the one before the selection.
TEST_F(EngineTest, DeleteTakesItsOwnUndoCopy) {
  doc.surface.FillRect({0, 0, 32, 32}, kBlack);
  Tool(ToolIndex::kSelect);
  Drag({2, 2}, {3, 4});
  engine.CreateBackup();  // as an effect does
  doc.surface.FillRect({0, 0, 32, 32}, RGB(0, 0, 200));
  engine.KeyDown(kKeyDelete);
  EXPECT_EQ(doc.surface.GetPixel(2, 2), kWhite);
  ASSERT_TRUE(engine.EditUndo());
  EXPECT_EQ(doc.surface.GetPixel(2, 2), RGB(0, 0, 200));
}

TEST_F(EngineTest, StatusLineReadsTheCanvasWhenNoButtonIsHeld) {
  EXPECT_EQ(StatusText(RGB(255, 128, 0)), "RGB: 255 128 0");
  EXPECT_EQ(StatusText(kBlack), "RGB: 0 0 0");
  EXPECT_EQ(StatusText(kBlack, {31, 0}), "RGB: 0 0 0   31, 0");
  EXPECT_EQ(StatusText(kBlack, {32, 0}), "RGB: 0 0 0") << "no cell of the image";
  engine.Move(kNoButton, 10.5, 11.5, kScale, kScale);
  EXPECT_EQ(host.status, "RGB: 255 128 0   1, 1");
  ASSERT_EQ(host.canvasReads.size(), 1u);
  EXPECT_EQ(host.canvasReads[0], (Point{10, 12})) << "halves round to even";
}

TEST_F(EngineTest, AfterEscapeMovesChangeNothingUntilTheNextPress) {
  Tool(ToolIndex::kPencil);
  Press(1, 1);
  engine.KeyDown(kKeyEscape);
  host.pointer = -1;
  host.status.clear();
  MoveTo(2, 2);
  engine.Move(kNoButton, 40, 40, kScale, kScale);
  EXPECT_EQ(host.pointer, -1);
  EXPECT_EQ(host.status, "");
  EXPECT_EQ(CountNonWhite(), 1);
  Release(2, 2);
  Press(3, 3);
  MoveTo(4, 4);
  EXPECT_EQ(doc.surface.GetPixel(4, 4), kLeftTest);
}

TEST_F(EngineTest, ChoosingAToolOtherThanSelectionDropsTheSelection) {
  Tool(ToolIndex::kSelect);
  Drag({1, 1}, {5, 5});
  ASSERT_TRUE(doc.selection.active);
  EXPECT_EQ(engine.SelectTool(ToolIndex::kSelect), OptionPanel::None);
  EXPECT_TRUE(doc.selection.active);
  EXPECT_EQ(engine.SelectTool(ToolIndex::kEllipse), OptionPanel::Tool9);
  EXPECT_FALSE(doc.selection.active);
  EXPECT_EQ(doc.selection.viewRect, Rect{});
  EXPECT_EQ(options.currentTool, ToolIndex::kEllipse);
}

TEST_F(EngineTest, PointerShapeFollowsToolAndSelection) {
  Tool(ToolIndex::kSpray);
  engine.Move(kNoButton, 1, 1, kScale, kScale);
  EXPECT_EQ(host.pointer, 6);
  Tool(ToolIndex::kLine);
  engine.Move(kNoButton, 1, 1, kScale, kScale);
  EXPECT_EQ(host.pointer, 0);

  Tool(ToolIndex::kSelect);
  Drag({2, 2}, {5, 5});  // view rect (16, 16)-(48, 48)
  EXPECT_EQ(doc.selection.viewRect, (Rect{16, 16, 48, 48}));
  engine.Move(kNoButton, 20, 20, kScale, kScale);
  EXPECT_EQ(host.pointer, kMovePointerImage);
  engine.Move(kNoButton, 48, 20, kScale, kScale);
  EXPECT_EQ(host.pointer, 0) << "right edge is outside";
  // Dragging out a new selection over the old one keeps the tool's pointer.
  Press(10, 10);
  engine.Move(kLeftButton, 20, 20, kScale, kScale);
  EXPECT_EQ(host.pointer, 0);
}

}  // namespace
}  // namespace gs::test
