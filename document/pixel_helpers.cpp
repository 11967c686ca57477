#include "document/pixel_helpers.h"

namespace gs {

bool MakeColorMask(const Surface& src, const Area& area, Surface& mask, Color key) {
  const int w = area.w, h = area.h;
  if (w <= 0 || h <= 0) return false;
  Surface bits(w, h, Depth::Mono);
  // Colour -> mono gives 1 where the pixel equals the source's background colour.
  Surface keyed = src;
  keyed.bkColor = key;
  if (!BitBlt(bits, Area{0, 0, w, h}, keyed, Point{area.x, area.y}, Rop::SrcCopy)) return false;
  if (mask.Width() < w || mask.Height() < h) mask = Surface(w, h, Depth::Mono);
  return BitBlt(mask, Area{0, 0, w, h}, bits, Point{0, 0}, Rop::SrcCopy);
}

bool MaskedCopy(const Surface& src, const Area& area, Color key, const Surface& background,
                Surface& dst) {
  const int w = area.w, h = area.h;
  if (w <= 0 || h <= 0) return false;
  Surface mask(w, h, Depth::Mono);
  if (!MakeColorMask(src, area, mask, key)) return false;
  const Area block{0, 0, w, h};
  Surface a(w, h), b(w, h);
  if (!BitBlt(a, block, src, Point{area.x, area.y})) return false;
  if (!BitBlt(b, block, background, Point{0, 0})) return false;
  // Mono 1 expands to white and 0 to black, so AND keeps pixels under the 1 bits.
  if (!BitBlt(b, block, mask, Point{0, 0}, Rop::SrcAnd)) return false;
  mask.InvertRect({0, 0, w, h});
  if (!BitBlt(a, block, mask, Point{0, 0}, Rop::SrcAnd)) return false;
  if (!BitBlt(b, block, a, Point{0, 0}, Rop::SrcPaint)) return false;
  return BitBlt(dst, area, b, Point{0, 0});
}

bool ReplaceColorInRect(const Surface& src, const Area& area, Color match, Color fill,
                        Surface& dst) {
  if (area.w <= 0 || area.h <= 0) return false;
  Surface scratch(area.w, area.h);
  scratch.FillRect({0, 0, area.w, area.h}, fill);
  return MaskedCopy(src, area, match, scratch, dst);
}

}  // namespace gs
