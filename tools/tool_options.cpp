#include "tools/tool_options.h"

#include <algorithm>
#include <cmath>

namespace gs {

namespace {

constexpr std::array<ToolInfo, kToolCount> kTools{{
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

constexpr std::array<Point, kPointerImageCount> kHotspots{
    {{15, 16}, {0, 0}, {3, 14}, {3, 13}, {0, 15}, {0, 15}, {2, 4}, {16, 16}}};

// floor(v / (size / parts)), kept in 0..parts-1 so a click on the last pixel
// line or a rounding slip never yields a value the tools do not know.
int Band(double v, double size, int parts) {
  if (!(size > 0)) return 0;
  const double band = std::floor(v / (size / parts));
  if (!(band >= 0)) return 0;
  return static_cast<int>(std::min<double>(band, parts - 1));
}

}  // namespace

const ToolInfo& GetToolInfo(int tool) {
  if (tool < 0 || tool >= kToolCount) tool = 0;
  return kTools[static_cast<std::size_t>(tool)];
}

Point PointerHotspot(int image) {
  if (image < 0 || image >= kPointerImageCount) image = 0;
  return kHotspots[static_cast<std::size_t>(image)];
}

int ToolOptions::FillStyleOf(int tool) const {
  return HasFillStyle(tool) ? fillStyle[static_cast<std::size_t>(tool - kToolRectangle)] : 0;
}

int PanelChoiceCount(OptionPanel panel) {
  switch (panel) {
    case OptionPanel::Tool1:
      return 4;
    case OptionPanel::Tool5:
      return 12;
    case OptionPanel::Tool6:
      return 3;
    case OptionPanel::Tool8:
      return 5;
    case OptionPanel::Tool9:
      return 3;
    case OptionPanel::None:
      break;
  }
  return 0;
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
      if (ToolOptions::HasFillStyle(o.currentTool))
        o.fillStyle[static_cast<std::size_t>(o.currentTool - kToolRectangle)] = value;
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
      return o.FillStyleOf(o.currentTool);
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
