#pragma once
// The facts about each drawing tool, kept here once: its menu caption, its
// option panel, its pointer image, and the sizes its options stand for.
// The engine, the menus, the tool buttons and the panel pictures all read them.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "document/surface.h"

namespace gs {

// The twelve tools, in the order of the tool menu, the tool buttons and kToolTable.
enum class ToolIndex : int {
  kSelect = 0,
  kEraser = 1,
  kFill = 2,
  kPicker = 3,
  kPencil = 4,
  kBrush = 5,
  kSpray = 6,
  kText = 7,
  kLine = 8,
  kRectangle = 9,
  kEllipse = 10,
  kRoundRect = 11,
};
inline constexpr int kToolCount = 12;

// The tool's place in the tool menu, the button rows and kToolTable.
constexpr int IndexOf(ToolIndex tool) { return static_cast<int>(tool); }

// The one way from a plain number (a menu entry's index, a button's slot, a
// stored value) to a tool: nothing outside 0..kToolCount-1.
constexpr std::optional<ToolIndex> ToolFromIndex(int index) {
  if (index < 0 || index >= kToolCount) return std::nullopt;
  return static_cast<ToolIndex>(index);
}

// Every tool, in menu order.
inline constexpr std::array<ToolIndex, kToolCount> kAllTools{
    ToolIndex::kSelect, ToolIndex::kEraser,    ToolIndex::kFill,    ToolIndex::kPicker,
    ToolIndex::kPencil, ToolIndex::kBrush,     ToolIndex::kSpray,   ToolIndex::kText,
    ToolIndex::kLine,   ToolIndex::kRectangle, ToolIndex::kEllipse, ToolIndex::kRoundRect};

// The option panels, named after the pictures that show them (picTool1...).
enum class OptionPanel { None, Tool1, Tool5, Tool6, Tool8, Tool9 };

// The pointer shown over an existing selection.
inline constexpr int kMovePointerImage = 7;
inline constexpr int kPointerImageCount = 8;

struct ToolInfo {
  std::string_view caption;  // MnuTool entry and the tool button's tip (a literal: null-terminated)
  OptionPanel panel;
  int pointerImage;  // the text tool and the line and shapes use the crosshair
};

// One row per tool, in ToolIndex order.
inline constexpr std::array<ToolInfo, kToolCount> kToolTable{{
    {"&Sélection", OptionPanel::None, 0},
    {"&Gomme", OptionPanel::Tool1, 1},
    {"&Pot de peinture", OptionPanel::None, 2},
    {"&Capture", OptionPanel::None, 3},
    {"&Cryon", OptionPanel::None, 4},
    {"Pin&ceau", OptionPanel::Tool5, 5},
    {"&Moucheté", OptionPanel::Tool6, 6},
    {"&Texte", OptionPanel::None, 0},
    {"T&rait", OptionPanel::Tool8, 0},
    {"&Réctangle", OptionPanel::Tool9, 0},
    {"&Cercle", OptionPanel::Tool9, 0},
    {"&Rectangle arrondie", OptionPanel::Tool9, 0},
}};

// A value outside the table (only a cast makes one) gives the selection tool's entry.
const ToolInfo& GetToolInfo(ToolIndex tool);
Point PointerHotspot(int image);  // hotspot of pointer image 0..7

// How the rectangle, ellipse and rounded rectangle fill (picTool9's rows).
enum class FillStyle : std::uint8_t {
  kOutline = 0,        // the drawing button's colour, hollow
  kOutlinedSolid = 1,  // left colour outline round a right colour inside
  kSolid = 2,          // right colour inside, no outline
};

// The style's row on picTool9.
constexpr int IndexOf(FillStyle style) { return static_cast<int>(style); }
// The style of row 0..2 of picTool9; nothing for any other number.
constexpr std::optional<FillStyle> FillStyleFromIndex(int index) {
  if (index < 0 || index > IndexOf(FillStyle::kSolid)) return std::nullopt;
  return static_cast<FillStyle>(index);
}

// How many choices each option offers.
inline constexpr int kEraserSizes = 4;
inline constexpr int kBrushShapes = 12;
inline constexpr int kSpraySizes = 3;
inline constexpr int kLineWidths = 5;
inline constexpr int kFillStyles = 3;

// The square the eraser clears for eraser size 0..3: 4, 6, 8, 10.
constexpr int EraserSideFor(int size) { return (size + 2) * 2; }
// The blot a spray burst covers for spray size 0..2: 9, 17, 25.
constexpr int SprayDiameterFor(int size) { return 8 * size + 9; }
// The pen of the line and shapes for line width 0..4: 1..5.
constexpr int LinePenWidthFor(int width) { return width + 1; }

}  // namespace gs
