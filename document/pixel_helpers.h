#pragma once
// Colour-keyed copies built from block operations, over areas that run
// rightward and downward. Each returns false when a step fails (an empty or
// negative extent at once); the surface is then left as that step found it.
#include "document/surface.h"

namespace gs {

// dst (area) := src (area) with every pixel equal to `match` replaced by
// `fill`. src and dst may be the same surface.
bool ReplaceColorInRect(const Surface& src, const Area& area, Color match, Color fill,
                        Surface& dst);

// dst (x + i, y + j) := background (i, j) where src (x + i, y + j) equals `key`,
// else the source pixel, for the w x h pixels of the area at (x, y).
bool MaskedCopy(const Surface& src, const Area& area, Color key, const Surface& background,
                Surface& dst);

// mask := a one-bit surface of the area's size, 1 where src (x + i, y + j)
// equals `key`.
bool MakeColorMask(const Surface& src, const Area& area, Surface& mask, Color key);

}  // namespace gs
