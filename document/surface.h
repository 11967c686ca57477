#pragma once
// A drawing surface with its drawing state: the software stand-in for a memory
// drawing context with a bitmap selected into it. Every pixel rule the editor
// relies on lives here, once:
//
//  - block copies (plain, AND, OR) clip to the destination; when a one-bit
//    surface meets a colour one, colour -> mono gives 1 where the pixel equals
//    the source's background colour, mono -> colour gives the destination's
//    background colour for 1 and its text colour for 0 (white and black unless
//    changed);
//  - lines leave their end point out (one-pixel pens);
//  - figures fill left <= x < right, top <= y < bottom;
//  - reads outside the surface give kInvalidColor, writes there are ignored.
//
// Pixels are stored top row first; file code turns rows around where a format
// wants bottom-up.
#include <cstdint>
#include <vector>

#include "document/colors.h"

namespace gs {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Left, top, right, bottom; right and bottom are exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  Rect Normalized() const;
  Rect Intersected(const Rect& o) const;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// An origin and a signed extent: w x h pixels from (x, y). A negative extent
// runs leftward or upward from the origin; each routine taking an Area says
// which pixels that covers. Extents stay apart from the origin so that
// x + w may lie beyond the int range.
struct Area {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;

  // The rectangle's top-left corner and size.
  static Area Of(const Rect& r) { return {r.left, r.top, r.Width(), r.Height()}; }
  friend bool operator==(const Area&, const Area&) = default;
};

enum class PenStyle { Solid, Null };
struct Pen {
  PenStyle style = PenStyle::Solid;
  int width = 1;
  Color color = kBlack;
  static Pen Solid(int width, Color c) { return {PenStyle::Solid, width < 1 ? 1 : width, c}; }
  static Pen None() { return {PenStyle::Null, 1, kBlack}; }
};

enum class BrushStyle { Solid, Hollow };
struct Brush {
  BrushStyle style = BrushStyle::Solid;
  Color color = kWhite;
  static Brush Solid(Color c) { return {BrushStyle::Solid, c}; }
  static Brush Hollow() { return {BrushStyle::Hollow, kWhite}; }
};

// Raster operations of block copies: destination := source, AND, OR.
enum class Rop { SrcCopy, SrcAnd, SrcPaint };

enum class Depth { Rgb24, Mono };

class Surface {
 public:
  Surface() = default;
  // A new surface is black, as freshly created bitmaps are.
  Surface(int width, int height, Depth depth = Depth::Rgb24);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool IsMono() const { return depth_ == Depth::Mono; }
  Rect Bounds() const { return {0, 0, width_, height_}; }

  // Raw pixels, top row first. Mono surfaces hold kWhite for 1 and kBlack for 0.
  Color* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const Color* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const std::vector<Color>& Pixels() const { return pixels_; }
  std::vector<Color>& Pixels() { return pixels_; }

  // Drawing state.
  Color bkColor = kWhite;
  Color textColor = kBlack;
  Pen SelectPen(const Pen& pen);          // returns the previous pen
  Brush SelectBrush(const Brush& brush);  // returns the previous brush
  Point CurrentPosition() const { return position_; }

  Color GetPixel(int x, int y) const;
  void SetPixelV(int x, int y, Color c);

  void FillRect(const Rect& r, const Brush& brush);
  void FillRect(const Rect& r, Color c) { FillRect(r, Brush::Solid(c)); }
  void InvertRect(const Rect& r);

  void MoveToEx(int x, int y);
  // Line from the current position with the selected pen; the end point is not
  // drawn by a one-pixel pen. A wider pen paints round dots of its width along
  // the line, both ends included, as wide pens have round caps.
  void LineTo(int x, int y);

  // Outline with the selected pen, interior with the selected brush, inside
  // the box; corners in any order. A null pen leaves the whole figure to the brush.
  void Rectangle(int left, int top, int right, int bottom);
  void Ellipse(int left, int top, int right, int bottom);
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);

  // Fills, with the selected brush, the 4-connected region of pixels equal to
  // `color` that holds (x, y). False when the seed is outside or not `color`.
  bool ExtFloodFill(int x, int y, Color color);

 private:
  Color ToDepth(Color c) const;
  void PaintDot(int x, int y, int width, Color c);
  template <class Inside>
  void DrawFigure(const Rect& box, Inside inside);

  int width_ = 0;
  int height_ = 0;
  Depth depth_ = Depth::Rgb24;
  std::vector<Color> pixels_;
  Pen pen_;
  Brush brush_;
  Point position_;
};

// Block copy of to.w x to.h pixels from src at `from` to dst at (to.x, to.y),
// clipped to both surfaces. src and dst may be the same surface. Negative
// sizes copy nothing.
bool BitBlt(Surface& dst, const Area& to, const Surface& src, Point from, Rop rop = Rop::SrcCopy);

// Scaled plain copy of `from` onto `to`, nearest pixel, no smoothing. A
// negative width or height on either side mirrors that axis: the area then
// runs from x + w up to x, x itself left out.
bool StretchBlt(Surface& dst, const Area& to, const Surface& src, const Area& from);

}  // namespace gs
