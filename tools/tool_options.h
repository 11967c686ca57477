#pragma once
// The current tool, the option values the drawing engine reads, and the
// click rules of the five option panels. Everything here is plain data and
// pure functions, so the panels' windows only draw and forward clicks.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "document/surface.h"
#include "tools/tool_table.h"

namespace gs {

// Mouse buttons as the canvas handlers see them; a bit set when several are held.
enum MouseButton : int { kNoButton = 0, kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

struct ToolOptions {
  ToolIndex currentTool = ToolIndex::kSelect;
  std::uint8_t eraserSize = 0;  // 0..kEraserSizes-1
  std::uint8_t brushShape = 0;  // 0..kBrushShapes-1
  std::uint8_t spraySize = 0;   // 0..kSpraySizes-1
  std::uint8_t lineWidth = 0;   // 0..kLineWidths-1
  // Fill style of the rectangle, ellipse and rounded rectangle, each kept apart.
  std::array<FillStyle, IndexOf(ToolIndex::kRoundRect) - IndexOf(ToolIndex::kRectangle) + 1>
      fillStyle{};

  static bool HasFillStyle(ToolIndex tool) {
    return tool >= ToolIndex::kRectangle && tool <= ToolIndex::kRoundRect;
  }
  // The fill style of `tool`, the outline for tools without one.
  FillStyle FillStyleOf(ToolIndex tool) const;
  // Keeps `style` for `tool`; tools without a fill style ignore it.
  void SetFillStyle(ToolIndex tool, FillStyle style);

  int EraserSide() const { return EraserSideFor(eraserSize); }
  int LinePenWidth() const { return LinePenWidthFor(lineWidth); }
};

// A cell of an option panel, in panel pixels (fractions allowed: the panel
// size need not divide evenly).
struct CellF {
  double left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const CellF&, const CellF&) = default;
};

// Which value a click at (x, y) on a panel of inner size w x h chooses, or
// nothing when the panel ignores the click (wrong button, empty panel).
// Results are kept inside each option's range.
std::optional<int> PanelChoice(OptionPanel panel, double x, double y, double w, double h,
                               int button);

// Applies a click to the options: stores the value the panel chose. On
// `picTool9` the value is kept only while a fill-style tool is current.
// Returns true when a click was taken (the panel is then marked again).
bool ApplyPanelClick(ToolOptions& options, OptionPanel panel, double x, double y, double w,
                     double h, int button);

// The value a panel shows marked, from the stored options.
int PanelValue(const ToolOptions& options, OptionPanel panel);

// The cell marked for `value`.
CellF PanelCell(OptionPanel panel, int value, double w, double h);

}  // namespace gs
