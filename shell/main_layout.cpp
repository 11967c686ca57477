#include "shell/main_layout.h"

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
  const int room = in.clientHeight - in.colorBarHeight - in.statusBarHeight;
  if (room < side) side = room - kVerticalShrink;
  side = FloorToMultiple(side, kGranularity);

  out.gripLeft = in.outerWidth - in.gripWidth - kGripRightOffset;
  // A canvas without area cannot be placed; it keeps its previous geometry.
  out.moveCanvas = !in.minimized && side > 0;
  out.movePreview = !in.minimized;
  out.canvasLeft = in.toolsPanelWidth;
  out.canvasTop = kCanvasTop;
  out.canvasSide = side;
  out.previewLeft = in.outerWidth - in.previewWidth - kPreviewRightOffset;
  out.gripVisible = !in.maximized;
  return out;
}

InnerSize MinimumInnerSize(int frameWidth, int frameHeight, InnerSize start) {
  const auto clamp = [](int v, int limit) { return v < 0 ? 0 : (v > limit ? limit : v); };
  return {clamp(kMinWindowWidth - frameWidth, start.width),
          clamp(kMinWindowHeight - frameHeight, start.height)};
}

}  // namespace gs
