#pragma once
// Geometry of the magnified canvas, without any window: pointer mapping, zoom
// steps, the selection's place on screen, and the enlarged picture itself.
#include <cstdint>
#include <vector>

#include "document/icon_document.h"

namespace gs {

struct SizeF {
  double width = 0;
  double height = 0;
};

// The one cell rule of the canvas, shared by the picture and the pointer: a
// position p screen pixels from the canvas's left (top) edge lies in cell
// floor(p / (scale / 32)), scale being the canvas's width (height). A screen
// column is shown with the cell of its left edge, so a click anywhere in a
// column paints the cell the column shows. Not clamped: negative before the
// canvas, 32 and more beyond it.
int CellOf(double p, double scale);

// The screen columns [first, end) that CellOf puts in `cell`; empty where the
// cell is narrower than a column and no column starts in it.
struct ScreenSpan {
  int first = 0;
  int end = 0;
  friend bool operator==(const ScreenSpan&, const ScreenSpan&) = default;
};
ScreenSpan CellSpan(int cell, double scale);

// Document cell under a canvas position: CellOf on each axis.
Point MapPointer(double x, double y, double scaleWidth, double scaleHeight);

SizeF ZoomIn(SizeF s);   // x 1.1
SizeF ZoomOut(SizeF s);  // x 0.8, then a zoom-in: x 0.88 in all

// Zoom steps of a wheel turn: one per notch (120 eighths of a degree), in
// for positive; `pending` keeps the part of a notch that fine wheels send.
int WheelZoomSteps(int& pending, int delta);

// Cell borders are drawn from this many screen pixels a cell on: below it the
// lines would hide the picture.
inline constexpr double kGridMinCell = 6;
bool GridFits(double scaleWidth, double scaleHeight);
// The screen columns (rows) where cells 1 to 31 start: the borders between
// cells, from the same rule as the picture.
std::vector<int> GridLines(double scale);

// The selection in canvas pixels, each corner f x corner rounded, with
// f = scaleWidth / 32 on both axes.
Rect SelectionViewRect(const Selection& sel, double scaleWidth);

// A window onto the document enlarged to scaleWidth x scaleHeight screen
// pixels: the columns [left, left + width) and rows [top, top + height).
struct PictureArea {
  double scaleWidth = 0;
  double scaleHeight = 0;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Paints `area` of the enlarged document onto 0xAARRGGBB pixels (stride in
// 32-bit words), each pixel the cell CellOf gives it, white outside the
// document; no smoothing. The picture the canvas shows and the page prints.
void StretchToArgb32(const Surface& src, std::uint32_t* out, int strideWords,
                     const PictureArea& area);
// The whole document enlarged to exactly outW x outH pixels.
void StretchToArgb32(const Surface& src, std::uint32_t* out, int outW, int outH, int strideWords);

inline std::uint32_t ToArgb32(Color c) {
  return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(c)) << 16) |
         (static_cast<std::uint32_t>(GreenOf(c)) << 8) | static_cast<std::uint32_t>(BlueOf(c));
}
inline Color FromArgb32(std::uint32_t argb) {
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

}  // namespace gs
