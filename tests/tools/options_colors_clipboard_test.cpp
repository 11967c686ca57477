// Option panels, colour boxes, the spectrum and the clipboard commands.
#include <gtest/gtest.h>

#include "tests/tools/engine_fixture.h"
#include "tools/clipboard.h"
#include "tools/color_state.h"
#include "tools/tool_options.h"

namespace gs::test {
namespace {

TEST(ToolTable, CaptionsPanelsAndPointers) {
  EXPECT_EQ(GetToolInfo(ToolIndex::kSelect).caption, "&Sélection");
  EXPECT_EQ(GetToolInfo(ToolIndex::kRoundRect).caption, "&Rectangle arrondie");
  EXPECT_EQ(GetToolInfo(ToolIndex::kEraser).panel, OptionPanel::Tool1);
  EXPECT_EQ(GetToolInfo(ToolIndex::kEllipse).panel, OptionPanel::Tool9);
  EXPECT_EQ(GetToolInfo(ToolIndex::kText).pointerImage, 0);
  EXPECT_EQ(GetToolInfo(ToolIndex::kSpray).pointerImage, 6);
  EXPECT_EQ(PointerHotspot(6), (Point{2, 4}));
  EXPECT_EQ(PointerHotspot(7), (Point{16, 16}));
  EXPECT_EQ(GetToolInfo(static_cast<ToolIndex>(99)).caption, "&Sélection");
}

TEST(OptionPanels, ClickRules) {
  const struct {
    OptionPanel panel;
    double x, y;
    int expected;
  } cases[] = {
      // 40 x 80 panel: rows of 20 (eraser), 16 (lines), 26.67 (fill).
      {OptionPanel::Tool1, 5, 0, 0},     {OptionPanel::Tool1, 5, 19.9, 0},
      {OptionPanel::Tool1, 5, 20, 1},    {OptionPanel::Tool1, 5, 79, 3},
      {OptionPanel::Tool1, 5, 80, 3},  // the border line keeps the last row
      {OptionPanel::Tool5, 0, 0, 0},     {OptionPanel::Tool5, 39, 0, 2},
      {OptionPanel::Tool5, 14, 21, 4},   {OptionPanel::Tool5, 39, 79, 11},
      {OptionPanel::Tool6, 20, 40, 0},  // the middle line belongs to the top
      {OptionPanel::Tool6, 20.5, 40, 1}, {OptionPanel::Tool6, 0, 40.5, 2},
      {OptionPanel::Tool8, 0, 15, 0},    {OptionPanel::Tool8, 0, 16, 1},
      {OptionPanel::Tool8, 0, 79, 4},    {OptionPanel::Tool9, 0, 26, 0},
      {OptionPanel::Tool9, 0, 27, 1},    {OptionPanel::Tool9, 0, 79, 2},
  };
  for (const auto& c : cases) {
    const auto v = PanelChoice(c.panel, c.x, c.y, 40, 80, kLeftButton);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(*v, c.expected) << static_cast<int>(c.panel) << " at " << c.x << "," << c.y;
  }
  EXPECT_EQ(PanelChoice(OptionPanel::Tool1, -3, -3, 40, 80, kLeftButton), 0);
  EXPECT_EQ(PanelChoice(OptionPanel::None, 1, 1, 40, 80, kLeftButton), std::nullopt);
}

TEST(OptionPanels, OnlyTheFillPanelTakesTheRightButton) {
  ToolOptions o;
  o.currentTool = ToolIndex::kRectangle;
  for (OptionPanel p :
       {OptionPanel::Tool1, OptionPanel::Tool5, OptionPanel::Tool6, OptionPanel::Tool8})
    EXPECT_FALSE(ApplyPanelClick(o, p, 39, 79, 40, 80, kRightButton));
  EXPECT_EQ(o.eraserSize + o.brushShape + o.spraySize + o.lineWidth, 0);
  EXPECT_TRUE(ApplyPanelClick(o, OptionPanel::Tool9, 0, 79, 40, 80, kRightButton));
  EXPECT_EQ(o.FillStyleOf(ToolIndex::kRectangle), FillStyle::kSolid);
}

TEST(OptionPanels, FillStyleIsRememberedPerTool) {
  ToolOptions o;
  // Start-up press at (0, 0) with the selection tool current stores nothing.
  ApplyPanelClick(o, OptionPanel::Tool9, 0, 0, 40, 80, kLeftButton);
  o.currentTool = ToolIndex::kSelect;
  EXPECT_TRUE(ApplyPanelClick(o, OptionPanel::Tool9, 0, 79, 40, 80, kLeftButton));
  EXPECT_EQ(o.fillStyle, (std::array<FillStyle, 3>{FillStyle::kOutline, FillStyle::kOutline,
                                                   FillStyle::kOutline}));

  o.currentTool = ToolIndex::kEllipse;
  ApplyPanelClick(o, OptionPanel::Tool9, 0, 79, 40, 80, kLeftButton);
  EXPECT_EQ(PanelValue(o, OptionPanel::Tool9), 2);
  o.currentTool = ToolIndex::kRectangle;
  EXPECT_EQ(PanelValue(o, OptionPanel::Tool9), 0);
  o.currentTool = ToolIndex::kEllipse;
  EXPECT_EQ(PanelValue(o, OptionPanel::Tool9), 2);
  o.currentTool = ToolIndex::kLine;
  EXPECT_EQ(PanelValue(o, OptionPanel::Tool9), 0);
}

TEST(OptionPanels, MarkedCells) {
  EXPECT_EQ(PanelCell(OptionPanel::Tool1, 1, 40, 80), (CellF{0, 20, 40, 40}));
  EXPECT_EQ(PanelCell(OptionPanel::Tool5, 5, 30, 80), (CellF{20, 20, 30, 40}));
  EXPECT_EQ(PanelCell(OptionPanel::Tool6, 0, 40, 80), (CellF{0, 0, 20, 40}));
  EXPECT_EQ(PanelCell(OptionPanel::Tool6, 1, 40, 80), (CellF{20, 0, 40, 40}));
  EXPECT_EQ(PanelCell(OptionPanel::Tool6, 2, 40, 80), (CellF{0, 40, 40, 80}));
  EXPECT_EQ(PanelCell(OptionPanel::Tool8, 4, 40, 80), (CellF{0, 64, 40, 80}));
  EXPECT_EQ(PanelCell(OptionPanel::Tool9, 2, 40, 90), (CellF{0, 60, 40, 90}));
}

TEST(ColorBar, DefaultsBoxesAndPicks) {
  ColorState c;
  EXPECT_EQ(c.left, kBlack);
  EXPECT_EQ(c.right, kWhite);
  EXPECT_EQ(c.boxes[0], RGB(255, 0, 0));
  EXPECT_EQ(c.boxes[13], RGB(244, 0, 122));
  EXPECT_EQ(c.boxes[19], kBlack);
  EXPECT_EQ(c.boxes[20], kWhite);
  for (Color k : c.customColors) EXPECT_EQ(k, kBlack);

  EXPECT_TRUE(c.PickBox(0, kRightButton));
  EXPECT_TRUE(c.PickBox(19, kRightButton));
  EXPECT_EQ(c.right, kBlack);
  EXPECT_TRUE(c.PickBox(20, kLeftButton));
  EXPECT_EQ(c.left, kWhite);
  EXPECT_FALSE(c.PickBox(3, kMiddleButton));
  EXPECT_FALSE(c.PickBox(21, kLeftButton));
  EXPECT_FALSE(ColorState::BoxTakesDialog(20));
  EXPECT_TRUE(ColorState::BoxTakesDialog(0));
  EXPECT_TRUE(ColorState::BoxTakesDialog(19));
}

TEST(ColorBar, BoxPlaces) {
  EXPECT_EQ(PaletteBoxRect(0), (Rect{48, 8, 65, 25}));
  EXPECT_EQ(PaletteBoxRect(1), (Rect{48, 24, 65, 41}));
  EXPECT_EQ(PaletteBoxRect(19), (Rect{192, 24, 209, 41}));
  EXPECT_EQ(PaletteBoxRect(20), (Rect{244, 24, 261, 41}));
}

TEST_F(EngineTest, WhiteFromBox20PaintsTransparentPixels) {
  doc.surface.FillRect({0, 0, 32, 32}, kBlack);
  colors.PickBox(kTransparentBox, kLeftButton);
  Tool(ToolIndex::kPencil);
  Click(3, 3);
  EXPECT_EQ(doc.surface.GetPixel(3, 3), kTransparent);
}

TEST(Spectrum, SmoothFieldFromWhiteToBlack) {
  const Surface s = MakeSpectrum(kSpectrumWidth, kSpectrumHeight);
  EXPECT_EQ(s.GetPixel(0, 0), kWhite);
  EXPECT_EQ(s.GetPixel(100, kSpectrumHeight - 1), kBlack);
  EXPECT_EQ(s.GetPixel(0, 65), RGB(255, 0, 0));
  // Neighbours never jump: the field is smooth.
  for (int y = 0; y < kSpectrumHeight; ++y)
    for (int x = 1; x < kSpectrumWidth; ++x) {
      const Color a = s.GetPixel(x - 1, y), b = s.GetPixel(x, y);
      ASSERT_LE(std::abs(RedOf(a) - RedOf(b)) + std::abs(GreenOf(a) - GreenOf(b)) +
                    std::abs(BlueOf(a) - BlueOf(b)),
                40);
    }
  EXPECT_TRUE(SpectrumKeepsOpen(201, 1, 202, 131));
  EXPECT_FALSE(SpectrumKeepsOpen(202, 1, 202, 131));
  EXPECT_FALSE(SpectrumKeepsOpen(0, 50, 202, 131));
}

// --- clipboard --------------------------------------------------------------

TEST(Clipboard, CopySizesFollowTheSelection) {
  IconDocument doc;
  MemoryClipboard clip;
  EXPECT_TRUE(EditCopy(doc, clip));
  EXPECT_EQ(clip.GetImage()->Width(), 32);
  EXPECT_EQ(clip.GetImage()->Height(), 32);

  doc.surface.SetPixelV(4, 4, RGB(1, 2, 3));
  doc.selection = MakeSelection(4, 4, 8, 10);
  EditCopy(doc, clip);
  ASSERT_EQ(clip.GetImage()->Width(), 4);
  ASSERT_EQ(clip.GetImage()->Height(), 6);
  EXPECT_EQ(clip.GetImage()->GetPixel(0, 0), RGB(1, 2, 3));
  EXPECT_FALSE(doc.modified);

  // A selection dragged past the edge gives only the pixels that exist.
  doc.selection = MakeSelection(28, 30, 41, 45);
  EditCopy(doc, clip);
  EXPECT_EQ(clip.GetImage()->Width(), 4);
  EXPECT_EQ(clip.GetImage()->Height(), 2);
}

TEST(Clipboard, PasteLandsAtTheOriginCutAt32) {
  IconDocument doc;
  MemoryClipboard clip;
  Surface big(48, 48);
  big.FillRect({0, 0, 48, 48}, RGB(9, 9, 9));
  clip.SetImage(big);
  EXPECT_TRUE(EditPaste(doc, clip));
  EXPECT_TRUE(doc.modified);
  for (Color c : doc.surface.Pixels()) ASSERT_EQ(c, RGB(9, 9, 9));

  IconDocument small;
  Surface ten(10, 10);  // black
  clip.SetImage(ten);
  small.selection = MakeSelection(20, 20, 25, 25);
  EditPaste(small, clip);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(small.surface.GetPixel(x, y), (x < 10 && y < 10) ? kBlack : kWhite);
}

TEST(Clipboard, NothingToPasteChangesNothing) {
  IconDocument doc;
  MemoryClipboard clip;
  EXPECT_FALSE(EditPaste(doc, clip));
  EXPECT_FALSE(doc.modified);
}

TEST_F(EngineTest, CutThenPasteLandsTheBlockTopLeft) {
  MemoryClipboard clip;
  doc.surface.FillRect({10, 10, 13, 12}, kBlack);
  doc.modified = false;
  doc.selection = MakeSelection(10, 10, 13, 12);
  engine.EditCut(clip);
  EXPECT_TRUE(doc.modified);
  EXPECT_TRUE(doc.selection.active);
  EXPECT_EQ(CountNonWhite(), 0);
  EXPECT_TRUE(engine.EditPaste(clip));
  EXPECT_EQ(Picture(0, 0, 4, 3), "KKK.\nKKK.\n....");
}

TEST_F(EngineTest, CutAndPasteCanBeTakenBack) {
  MemoryClipboard clip;
  doc.surface.FillRect({10, 10, 13, 12}, kBlack);
  doc.selection = MakeSelection(10, 10, 13, 12);
  engine.EditCut(clip);
  EXPECT_TRUE(host.undoEnabled);
  EXPECT_TRUE(engine.EditUndo());
  EXPECT_EQ(CountNonWhite(), 6);  // the block is back in its place

  EXPECT_TRUE(engine.EditPaste(clip));
  EXPECT_EQ(CountNonWhite(), 12);
  EXPECT_TRUE(host.undoEnabled);
  EXPECT_TRUE(engine.EditUndo());
  EXPECT_EQ(Picture(0, 0, 4, 3), "....\n....\n....");
  EXPECT_EQ(CountNonWhite(), 6);

  // Nothing to paste: the undo step of the last change stays.
  engine.CreateBackup();
  clip.Clear();
  EXPECT_FALSE(engine.EditPaste(clip));
  EXPECT_TRUE(undo.Available());
}

}  // namespace
}  // namespace gs::test
