#include <gtest/gtest.h>

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
      {560, 420, 320, "room 351 < 451: 349 rounds down to 320"},
      {1200, 420, 320, "wide and flat: the height decides"},
      {500, 900, 384, "tall and narrow: 500 - 64 - 45 = 391 -> 384"},
      {64 + 45 + 320, 320 + 48 + 21, 320, "room equals side: no shrink by 2"},
      {64 + 45 + 320, 320 + 48 + 20, 288, "room one short: 319 - 2 = 317 -> 288"},
  };
  for (const auto& c : cases) {
    const MainLayout l = Lay(c.w, c.h);
    EXPECT_EQ(l.canvasSide, c.side) << c.why;
    EXPECT_EQ(l.canvasLeft, 64);
    EXPECT_EQ(l.canvasTop, 25);
    EXPECT_TRUE(l.moveCanvas);
  }
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
