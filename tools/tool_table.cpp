#include "tools/tool_table.h"

namespace gs {

namespace {

constexpr std::array<Point, kPointerImageCount> kHotspots{
    {{15, 16}, {0, 0}, {3, 14}, {3, 13}, {0, 15}, {0, 15}, {2, 4}, {16, 16}}};

}  // namespace

const ToolInfo& GetToolInfo(ToolIndex tool) {
  const ToolIndex known = ToolFromIndex(IndexOf(tool)).value_or(ToolIndex::kSelect);
  return kToolTable[static_cast<std::size_t>(IndexOf(known))];
}

Point PointerHotspot(int image) {
  if (image < 0 || image >= kPointerImageCount) image = 0;
  return kHotspots[static_cast<std::size_t>(image)];
}

}  // namespace gs
