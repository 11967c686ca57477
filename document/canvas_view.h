#pragma once
// Geometry of the magnified canvas, without any window: pointer mapping, zoom
// steps, the selection's place on screen, and the enlarged picture itself.
#include <cstdint>

#include "document/icon_document.h"

namespace gs {

struct SizeF {
  double width = 0;
  double height = 0;
};

// Document cell under a canvas position. Not clamped: left of or above the
// canvas gives negative values, beyond it 32 and more.
Point MapPointer(double x, double y, double scaleWidth, double scaleHeight);

SizeF ZoomIn(SizeF s);   // x 1.1
SizeF ZoomOut(SizeF s);  // x 0.8, then a zoom-in: x 0.88 in all

// The selection in canvas pixels, each corner f x corner rounded, with
// f = scaleWidth / 32 on both axes.
Rect SelectionViewRect(const Selection& sel, double scaleWidth);

// Enlarges the 32 x 32 document onto a 0xAARRGGBB picture of outW x outH
// pixels (stride in 32-bit words), each document pixel repeated over its
// block, no smoothing. The picture a canvas shows.
void StretchToArgb32(const Surface& src, std::uint32_t* out, int outW, int outH, int strideWords);

inline std::uint32_t ToArgb32(Color c) {
  return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(c)) << 16) |
         (static_cast<std::uint32_t>(GreenOf(c)) << 8) | static_cast<std::uint32_t>(BlueOf(c));
}
inline Color FromArgb32(std::uint32_t argb) {
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

}  // namespace gs
