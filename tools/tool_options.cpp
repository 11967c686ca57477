#include "tools/tool_options.h"

#include <algorithm>
#include <cmath>

namespace gs {

namespace {

// floor(v / (size / parts)), kept in 0..parts-1 so a click on the last pixel
// line or a rounding slip never yields a value the tools do not know.
int Band(double v, double size, int parts) {
  if (!(size > 0)) return 0;
  const double band = std::floor(v / (size / parts));
  if (!(band >= 0)) return 0;
  return static_cast<int>(std::min<double>(band, parts - 1));
}

std::size_t FillSlot(ToolIndex tool) {
  return static_cast<std::size_t>(IndexOf(tool) - IndexOf(ToolIndex::kRectangle));
}

}  // namespace

FillStyle ToolOptions::FillStyleOf(ToolIndex tool) const {
  return HasFillStyle(tool) ? fillStyle[FillSlot(tool)] : FillStyle::kOutline;
}

void ToolOptions::SetFillStyle(ToolIndex tool, FillStyle style) {
  if (HasFillStyle(tool)) fillStyle[FillSlot(tool)] = style;
}

std::optional<int> PanelChoice(OptionPanel panel, double x, double y, double w, double h,
                               int button) {
  if (panel == OptionPanel::None) return std::nullopt;
  if (panel != OptionPanel::Tool9 && button != kLeftButton) return std::nullopt;
  switch (panel) {
    case OptionPanel::Tool1:
      return Band(y, h, 4);
    case OptionPanel::Tool5:
      return Band(y, h, 4) * 3 + Band(x, w, 3);
    case OptionPanel::Tool6:
      // The middle line itself belongs to the top quarters.
      if (y > h / 2) return 2;
      return x <= w / 2 ? 0 : 1;
    case OptionPanel::Tool8:
      return Band(y, h, 5);
    case OptionPanel::Tool9:
      return Band(y, h, 3);
    case OptionPanel::None:
      break;
  }
  return std::nullopt;
}

bool ApplyPanelClick(ToolOptions& o, OptionPanel panel, double x, double y, double w, double h,
                     int button) {
  const std::optional<int> v = PanelChoice(panel, x, y, w, h, button);
  if (!v) return false;
  const auto value = static_cast<std::uint8_t>(*v);
  switch (panel) {
    case OptionPanel::Tool1:
      o.eraserSize = value;
      break;
    case OptionPanel::Tool5:
      o.brushShape = value;
      break;
    case OptionPanel::Tool6:
      o.spraySize = value;
      break;
    case OptionPanel::Tool8:
      o.lineWidth = value;
      break;
    case OptionPanel::Tool9:
      o.SetFillStyle(o.currentTool, FillStyleFromIndex(*v).value_or(FillStyle::kOutline));
      break;
    case OptionPanel::None:
      return false;
  }
  return true;
}

int PanelValue(const ToolOptions& o, OptionPanel panel) {
  switch (panel) {
    case OptionPanel::Tool1:
      return o.eraserSize;
    case OptionPanel::Tool5:
      return o.brushShape;
    case OptionPanel::Tool6:
      return o.spraySize;
    case OptionPanel::Tool8:
      return o.lineWidth;
    case OptionPanel::Tool9:
      return IndexOf(o.FillStyleOf(o.currentTool));
    case OptionPanel::None:
      break;
  }
  return 0;
}

CellF PanelCell(OptionPanel panel, int v, double w, double h) {
  switch (panel) {
    case OptionPanel::Tool1:
      return {0, h / 4 * v, w, h / 4 * (v + 1)};
    case OptionPanel::Tool5: {
      const int row = v / 3, col = v % 3;
      return {w / 3 * col, h / 4 * row, w / 3 * (col + 1), h / 4 * (row + 1)};
    }
    case OptionPanel::Tool6:
      if (v == 2) return {0, h / 2, w, h};
      if (v == 1) return {w / 2, 0, w, h / 2};
      return {0, 0, w / 2, h / 2};
    case OptionPanel::Tool8:
      return {0, h / 5 * v, w, h / 5 * (v + 1)};
    case OptionPanel::Tool9:
      return {0, h / 3 * v, w, h / 3 * (v + 1)};
    case OptionPanel::None:
      break;
  }
  return {};
}

}  // namespace gs
