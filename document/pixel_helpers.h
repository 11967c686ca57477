#pragma once
// Colour-keyed copies built from block operations. Each returns false when a
// step fails; the surface is then left as that step found it.
#include "document/surface.h"

namespace gs {

// dst (x, y, w, h) := src (x, y, w, h) with every pixel equal to `match`
// replaced by `fill`. src and dst may be the same surface.
bool ReplaceColorInRect(const Surface& src, int x, int y, int w, int h, Color match, Color fill,
                        Surface& dst);

// dst (x + i, y + j) := background (i, j) where src (x + i, y + j) equals `key`,
// else the source pixel.
bool MaskedCopy(const Surface& src, int x, int y, int w, int h, Color key,
                const Surface& background, Surface& dst);

// mask := a w x h one-bit surface, 1 where src (x + i, y + j) equals `key`.
bool MakeColorMask(const Surface& src, int x, int y, int w, int h, Surface& mask, Color key);

}  // namespace gs
