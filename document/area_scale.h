#pragma once
// The one smoothing scaler: resample, picture import and icons of other sizes
// all go through it, so that they cannot disagree.
//
// Each axis is resampled on its own. Shrinking gives every destination pixel
// the exact area average of the source pixels it covers (32 -> 32 is the
// identity, 64 -> 32 averages each 2 x 2 block); growing interpolates linearly
// between the nearest source pixel centres. Channels are rounded to the nearest
// value, halves to even.
#include <cstddef>

#include "document/colors.h"
#include "document/surface.h"

namespace gs {

// A read-only picture of any size, rows top first.
struct PixelView {
  const Color* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;  // in pixels; 0 means width
  const Color* Row(int y) const { return pixels + y * (stride ? stride : width); }
};

PixelView ViewOf(const Surface& s);

// Scaled copy of the source area onto the destination area. A negative extent
// makes that area run from its origin leftward or upward, the origin included:
// {31, 0, -32, 32} covers columns 31 down to 0. When the signs of source and
// destination extents differ, that axis is mirrored. Destination pixels outside
// `dst` are left alone (clipped); source coordinates beyond the picture repeat
// its edge. A zero extent, or an empty picture, draws nothing.
void AreaScaleCopy(Surface& dst, const Area& to, const PixelView& src, const Area& from);

}  // namespace gs
