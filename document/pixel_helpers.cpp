#include "document/pixel_helpers.h"

namespace gs {

bool MakeColorMask(const Surface& src, int x, int y, int w, int h, Surface& mask, Color key) {
  if (w <= 0 || h <= 0) return false;
  Surface bits(w, h, Depth::Mono);
  // Colour -> mono gives 1 where the pixel equals the source's background colour.
  Surface keyed = src;
  keyed.bkColor = key;
  if (!BitBlt(bits, 0, 0, w, h, keyed, x, y, Rop::SrcCopy)) return false;
  if (mask.Width() < w || mask.Height() < h) mask = Surface(w, h, Depth::Mono);
  return BitBlt(mask, 0, 0, w, h, bits, 0, 0, Rop::SrcCopy);
}

bool MaskedCopy(const Surface& src, int x, int y, int w, int h, Color key,
                const Surface& background, Surface& dst) {
  if (w <= 0 || h <= 0) return false;
  Surface mask(w, h, Depth::Mono);
  if (!MakeColorMask(src, x, y, w, h, mask, key)) return false;
  Surface a(w, h), b(w, h);
  if (!BitBlt(a, 0, 0, w, h, src, x, y)) return false;
  if (!BitBlt(b, 0, 0, w, h, background, 0, 0)) return false;
  // Mono 1 expands to white and 0 to black, so AND keeps pixels under the 1 bits.
  if (!BitBlt(b, 0, 0, w, h, mask, 0, 0, Rop::SrcAnd)) return false;
  mask.InvertRect({0, 0, w, h});
  if (!BitBlt(a, 0, 0, w, h, mask, 0, 0, Rop::SrcAnd)) return false;
  if (!BitBlt(b, 0, 0, w, h, a, 0, 0, Rop::SrcPaint)) return false;
  return BitBlt(dst, x, y, w, h, b, 0, 0);
}

bool ReplaceColorInRect(const Surface& src, int x, int y, int w, int h, Color match, Color fill,
                        Surface& dst) {
  if (w <= 0 || h <= 0) return false;
  Surface scratch(w, h);
  scratch.FillRect({0, 0, w, h}, fill);
  return MaskedCopy(src, x, y, w, h, match, scratch, dst);
}

}  // namespace gs
