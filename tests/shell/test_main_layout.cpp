#include <gtest/gtest.h>

#include <algorithm>

#include "shell/main_layout.h"

namespace gs {
namespace {

MainLayout Lay(int w, int h, bool minimized = false, bool maximized = false) {
  MainLayoutInput in;
  in.clientWidth = w;
  in.clientHeight = h;
  in.outerWidth = w;
  in.minimized = minimized;
  in.maximized = maximized;
  return ComputeMainLayout(in);
}

TEST(MainLayout, CanvasSideIsAMultipleOf32DecidedByTheTighterAxis) {
  const struct {
    int w, h, side;
    const char* why;
  } cases[] = {
      {560, 420, 320, "room 326 < 451: 324 rounds down to 320"},
      {1200, 420, 320, "wide and flat: the height decides"},
      {500, 900, 384, "tall and narrow: 500 - 64 - 45 = 391 -> 384"},
      {64 + 45 + 320, 25 + 320 + 48 + 21, 320, "room equals side: no shrink by 2"},
      {64 + 45 + 320, 25 + 320 + 48 + 20, 288, "room one short: 319 - 2 = 317 -> 288"},
      {487, 407, 288, "room from the canvas top: 313 - 2 -> 288, not 320 under the bar"},
  };
  for (const auto& c : cases) {
    const MainLayout l = Lay(c.w, c.h);
    EXPECT_EQ(l.canvasSide, c.side) << c.why;
    EXPECT_EQ(l.canvasLeft, 64);
    EXPECT_EQ(l.canvasTop, 25);
    EXPECT_TRUE(l.moveCanvas);
  }
}

// Every client size: the canvas, and the view it is scrolled in, end above the
// colour bar (so above the status line) and inside the right edge.
TEST(MainLayout, TheCanvasNeverLiesUnderTheColourBar) {
  constexpr int kBar = 16;
  for (int h = 1; h <= 2160; ++h)
    for (int w = 200; w <= 3840; w += (h % 7 == 0 ? 1 : 37)) {
      const MainLayout l = Lay(w, h);
      const int barTop = h - 48 - 21;
      if (l.moveCanvas) {
        ASSERT_LE(l.canvasTop + l.canvasSide, barTop) << w << " x " << h;
        ASSERT_LE(l.canvasLeft + l.canvasSide, w) << w << " x " << h;
        ASSERT_EQ(l.canvasSide % 32, 0);
        // At its layout size the canvas needs no scroll bar.
        const CanvasViewport v =
            FitCanvasViewport(l.canvasSide, l.canvasSide, l.roomWidth, l.roomHeight, kBar);
        ASSERT_EQ(v, (CanvasViewport{l.canvasSide, l.canvasSide, false, false})) << w << "x" << h;
      }
      // However large a zoom made it.
      for (int side : {l.canvasSide * 2, 5000}) {
        const CanvasViewport v = FitCanvasViewport(side, side, l.roomWidth, l.roomHeight, kBar);
        ASSERT_LE(l.canvasTop + v.height, std::max(barTop, l.canvasTop)) << w << " x " << h;
        ASSERT_LE(l.canvasLeft + v.width, std::max(w, l.canvasLeft)) << w << " x " << h;
      }
    }
}

TEST(MainLayout, AZoomedCanvasIsSeenThroughScrollBarsItNeeds) {
  const struct {
    int w, h;
    CanvasViewport v;
    const char* why;
  } cases[] = {
      {300, 200, {300, 200, false, false}, "fits: the view is the canvas"},
      {300, 400, {316, 300, false, true}, "too tall: a vertical bar, its width added"},
      {290, 320, {306, 300, false, true}, "the bar fits beside a narrower canvas"},
      {310, 400, {316, 300, true, true}, "the vertical bar pushes the width over"},
      {600, 200, {316, 216, true, false}, "too wide: a horizontal bar below"},
      {600, 290, {316, 300, true, true}, "the horizontal bar pushes the height over"},
      {600, 600, {316, 300, true, true}, "both"},
  };
  for (const auto& c : cases) EXPECT_EQ(FitCanvasViewport(c.w, c.h, 316, 300, 16), c.v) << c.why;
}

TEST(MainLayout, GripAndPreviewFollowTheRightEdge) {
  const MainLayout l = Lay(560, 420);
  EXPECT_EQ(l.gripLeft, 560 - 12 - 12);
  EXPECT_EQ(l.previewLeft, 560 - 36 - 15);
  EXPECT_TRUE(l.gripVisible);
}

TEST(MainLayout, MinimisedMovesOnlyTheGripAndMaximisedHidesIt) {
  const MainLayout min = Lay(160, 30, true);
  EXPECT_FALSE(min.moveCanvas);
  EXPECT_FALSE(min.movePreview);
  EXPECT_EQ(min.gripLeft, 160 - 24);
  const MainLayout max = Lay(1920, 1000, false, true);
  EXPECT_FALSE(max.gripVisible);
  EXPECT_TRUE(max.moveCanvas);
}

TEST(MainLayout, ANegativeSideLeavesTheCanvasAlone) {
  const MainLayout l = Lay(100, 60);
  EXPECT_LE(l.canvasSide, 0);
  EXPECT_FALSE(l.moveCanvas);
  EXPECT_TRUE(l.movePreview);
}

}  // namespace
}  // namespace gs

namespace gs {
namespace {

TEST(MainLayout, MinimumHoldsForTheOuterWindowButNotAboveTheStartSize) {
  const InnerSize start{487, 430};
  const struct {
    int frameW, frameH;
    InnerSize min;
    const char* why;
  } cases[] = {
      {16, 38, {484, 362}, "a thick frame: 500 x 400 outer"},
      {0, 0, {487, 400}, "no frame: the start width is allowed"},
      {4, 24, {487, 376}, "a thin frame"},
      {600, 500, {0, 0}, "a frame larger than the minimum"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MinimumInnerSize(c.frameW, c.frameH, start), c.min) << c.why;
}

}  // namespace
}  // namespace gs
