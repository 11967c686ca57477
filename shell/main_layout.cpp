#include "shell/main_layout.h"

#include <algorithm>

namespace gs {

namespace {
constexpr int kHorizontalAllowance = 45;
constexpr int kVerticalShrink = 2;
constexpr int kGranularity = 32;
constexpr int kGripRightOffset = 12;
constexpr int kPreviewRightOffset = 15;

int FloorToMultiple(int v, int m) {
  // Floor division, so a negative side stays negative and is refused below.
  int q = v / m;
  if (v % m != 0 && v < 0) --q;
  return q * m;
}
}  // namespace

MainLayout ComputeMainLayout(const MainLayoutInput& in) {
  MainLayout out;
  int side = in.clientWidth - in.toolsPanelWidth - kHorizontalAllowance;
  // Measured from the canvas's own top, so that its last rows never lie under
  // the colour bar.
  const int room = in.clientHeight - in.colorBarHeight - in.statusBarHeight - kCanvasTop;
  if (room < side) side = room - kVerticalShrink;
  side = FloorToMultiple(side, kGranularity);

  out.gripLeft = in.outerWidth - in.gripWidth - kGripRightOffset;
  // A canvas without area cannot be placed; it keeps its previous geometry.
  out.moveCanvas = !in.minimized && side > 0;
  out.movePreview = !in.minimized;
  out.canvasLeft = in.toolsPanelWidth;
  out.canvasTop = kCanvasTop;
  out.canvasSide = side;
  out.roomWidth = std::max(0, in.clientWidth - in.toolsPanelWidth);
  out.roomHeight = std::max(0, room);
  out.previewLeft = in.outerWidth - in.previewWidth - kPreviewRightOffset;
  out.gripVisible = !in.maximized;
  return out;
}

CanvasViewport FitCanvasViewport(int canvasWidth, int canvasHeight, int roomWidth, int roomHeight,
                                 int barExtent) {
  CanvasViewport v;
  v.horizontalBar = canvasWidth > roomWidth;
  v.verticalBar = canvasHeight > roomHeight;
  // One bar narrows the room for the other.
  if (v.horizontalBar && !v.verticalBar) v.verticalBar = canvasHeight > roomHeight - barExtent;
  if (v.verticalBar && !v.horizontalBar) v.horizontalBar = canvasWidth > roomWidth - barExtent;
  v.width = std::max(0, std::min(canvasWidth + (v.verticalBar ? barExtent : 0), roomWidth));
  v.height = std::max(0, std::min(canvasHeight + (v.horizontalBar ? barExtent : 0), roomHeight));
  return v;
}

InnerSize MinimumInnerSize(int frameWidth, int frameHeight, InnerSize start) {
  const auto clamp = [](int v, int limit) { return v < 0 ? 0 : (v > limit ? limit : v); };
  return {clamp(kMinWindowWidth - frameWidth, start.width),
          clamp(kMinWindowHeight - frameHeight, start.height)};
}

}  // namespace gs
