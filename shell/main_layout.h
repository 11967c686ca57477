#pragma once
// Where the main window puts its canvas, preview and size grip for a given
// client size. Pure arithmetic so the rules can be checked without a window.

namespace gs {

struct MainLayoutInput {
  int clientWidth = 0;
  int clientHeight = 0;
  int outerWidth = 0;  // the whole window, frame included
  bool minimized = false;
  bool maximized = false;
  int toolsPanelWidth = 64;
  int colorBarHeight = 48;
  int statusBarHeight = 21;
  int previewWidth = 36;
  int gripWidth = 12;
};

struct MainLayout {
  bool moveCanvas = false;   // false: the canvas keeps its geometry
  bool movePreview = false;  // false: the preview keeps its place (minimised)
  int canvasLeft = 0;
  int canvasTop = 0;
  int canvasSide = 0;
  // What the canvas may cover, from its top-left corner to the colour bar
  // and the right edge; a zoomed canvas is seen through this much and scrolled.
  int roomWidth = 0;
  int roomHeight = 0;
  int previewLeft = 0;
  int gripLeft = 0;
  bool gripVisible = true;
};

inline constexpr int kCanvasTop = 25;
inline constexpr int kMinWindowWidth = 500;
inline constexpr int kMinWindowHeight = 400;

MainLayout ComputeMainLayout(const MainLayoutInput& in);

// The window the canvas is seen through: the canvas's own size where it fits
// the room, else the room, with a scroll bar (`barExtent` thick) on each axis
// the canvas overflows once the other bar has taken its share.
struct CanvasViewport {
  int width = 0;
  int height = 0;
  bool horizontalBar = false;
  bool verticalBar = false;
  friend bool operator==(const CanvasViewport&, const CanvasViewport&) = default;
};
CanvasViewport FitCanvasViewport(int canvasWidth, int canvasHeight, int roomWidth, int roomHeight,
                                 int barExtent);

struct InnerSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const InnerSize&, const InnerSize&) = default;
};

// The smallest inner size (frame excluded) that keeps the outer window at
// kMinWindowWidth x kMinWindowHeight for a frame of the given thickness (both
// sides together). Never above the start size: where the frame is thinner
// than the one the minimum was made for, the window may still open at its
// built-in size.
InnerSize MinimumInnerSize(int frameWidth, int frameHeight, InnerSize start);

}  // namespace gs
