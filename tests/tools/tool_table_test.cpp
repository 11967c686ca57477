// The tool table's facts as the rest of the editor reads them, and the one
// rule for which colour a mouse button picks.
#include "tools/tool_table.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "document/icon_document.h"
#include "tools/color_state.h"
#include "tools/spray.h"
#include "tools/tool_options.h"

namespace gs::test {
namespace {

TEST(ToolTable, EveryPanelBelongsToItsToolsAndOffersTheirRange) {
  const struct {
    OptionPanel panel;
    int choices;
  } panels[] = {{OptionPanel::Tool1, kEraserSizes},
                {OptionPanel::Tool5, kBrushShapes},
                {OptionPanel::Tool6, kSpraySizes},
                {OptionPanel::Tool8, kLineWidths},
                {OptionPanel::Tool9, kFillStyles}};
  for (const auto& p : panels) {
    // The far corner is the last choice, and the last cell reaches it.
    EXPECT_EQ(PanelChoice(p.panel, 39, 79, 40, 80, kLeftButton), p.choices - 1);
    const CellF last = PanelCell(p.panel, p.choices - 1, 40, 80);
    EXPECT_DOUBLE_EQ(last.right, 40);
    EXPECT_DOUBLE_EQ(last.bottom, 80);
    int owners = 0;
    for (ToolIndex t : kAllTools) owners += GetToolInfo(t).panel == p.panel;
    EXPECT_GE(owners, 1) << "a panel no tool shows";
  }
  for (ToolIndex t : kAllTools) {
    // Captions are handed on as C strings (the menu tree): they must end there.
    const std::string_view caption = GetToolInfo(t).caption;
    EXPECT_EQ(caption.data()[caption.size()], '\0');
    EXPECT_GE(GetToolInfo(t).pointerImage, 0);
    EXPECT_LT(GetToolInfo(t).pointerImage, kPointerImageCount);
    // Only the shapes keep a fill style, and exactly they show its panel.
    EXPECT_EQ(ToolOptions::HasFillStyle(t), GetToolInfo(t).panel == OptionPanel::Tool9)
        << IndexOf(t);
  }
}

TEST(ToolTable, PlainNumbersBecomeToolsOnlyInsideTheTable) {
  const struct {
    int index;
    bool known;
  } cases[] = {{0, true},   {5, true},   {11, true},       {-1, false},
               {12, false}, {99, false}, {INT_MIN, false}, {INT_MAX, false}};
  for (const auto& c : cases) {
    const std::optional<ToolIndex> tool = ToolFromIndex(c.index);
    EXPECT_EQ(tool.has_value(), c.known) << c.index;
    if (tool) {
      EXPECT_EQ(IndexOf(*tool), c.index);
    }
  }
  // Every tool makes the round trip, in the order of the menu and kToolTable.
  for (int i = 0; i < kToolCount; ++i) {
    const ToolIndex tool = kAllTools[static_cast<std::size_t>(i)];
    EXPECT_EQ(IndexOf(tool), i);
    EXPECT_EQ(ToolFromIndex(i), tool) << i;
    EXPECT_EQ(&GetToolInfo(tool), &kToolTable[static_cast<std::size_t>(i)]) << i;
  }
}

TEST(ToolTable, PlainNumbersBecomeFillStylesOnlyForTheirRows) {
  const struct {
    int index;
    std::optional<FillStyle> style;
  } cases[] = {{0, FillStyle::kOutline}, {1, FillStyle::kOutlinedSolid},
               {2, FillStyle::kSolid},   {3, std::nullopt},
               {-1, std::nullopt},       {INT_MAX, std::nullopt}};
  for (const auto& c : cases) {
    EXPECT_EQ(FillStyleFromIndex(c.index), c.style) << c.index;
    if (c.style) {
      EXPECT_EQ(IndexOf(*c.style), c.index);
    }
  }
}

TEST(ToolTable, OptionSizesGrowWithTheirChoice) {
  // A burst of the largest spray must still fit the icon, and each size must
  // place more dots than the last.
  for (int s = 1; s < kSpraySizes; ++s) {
    EXPECT_GT(SprayDiameterFor(s), SprayDiameterFor(s - 1));
    EXPECT_GT(SprayDotCount(s), SprayDotCount(s - 1));
  }
  EXPECT_LE(SprayDiameterFor(kSpraySizes - 1), kIconSize);
  for (int s = 1; s < kEraserSizes; ++s) EXPECT_GT(EraserSideFor(s), EraserSideFor(s - 1));
  // Even sides: the eraser is centred on the cell by half its side.
  for (int s = 0; s < kEraserSizes; ++s) EXPECT_EQ(EraserSideFor(s) % 2, 0);
}

TEST(ColorState, PickColorSetsTheColourOfTheButtonHeld) {
  const Color c = RGB(10, 20, 30);
  const struct {
    int buttons;
    bool taken;
    Color left, right;
  } cases[] = {
      {kLeftButton, true, c, kWhite},
      {kRightButton, true, kBlack, c},
      {kLeftButton | kRightButton, true, c, kWhite},  // the left wins
      {kMiddleButton, false, kBlack, kWhite},
      {kMiddleButton | kRightButton, true, kBlack, c},
      {kNoButton, false, kBlack, kWhite},
  };
  for (const auto& k : cases) {
    ColorState s;
    EXPECT_EQ(s.PickColor(c, k.buttons), k.taken) << k.buttons;
    EXPECT_EQ(s.left, k.left) << k.buttons;
    EXPECT_EQ(s.right, k.right) << k.buttons;
    // The colour a button picks is the one it then paints with.
    if (k.taken && k.buttons != (kLeftButton | kRightButton)) {
      const int painter = (k.buttons & kLeftButton) ? kLeftButton : kRightButton;
      EXPECT_EQ(s.ForButton(painter), c);
    }
  }
}

TEST(ColorState, PickBoxTakesOnlyOneDrawingButton) {
  ColorState s;
  EXPECT_FALSE(s.PickBox(0, kLeftButton | kRightButton));
  EXPECT_FALSE(s.PickBox(0, kMiddleButton));
  EXPECT_FALSE(s.PickBox(kPaletteBoxes, kLeftButton));
  EXPECT_EQ(s.left, kBlack);
  EXPECT_TRUE(s.PickBox(0, kRightButton));
  EXPECT_EQ(s.right, s.boxes[0]);
}

TEST(ColorBar, ButtonsSitInsideTheirFrame) {
  const Rect f = FrameRect();
  for (const Rect& r : {LeftButtonRect(), RightButtonRect()}) {
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.right, f.Width());
    EXPECT_LE(r.bottom, f.Height());
  }
  // The palette starts to the right of the frame.
  EXPECT_GE(PaletteBoxRect(0).left, f.right);
}

}  // namespace
}  // namespace gs::test
