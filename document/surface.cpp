#include "document/surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gs {

namespace {

// Surfaces are small; this bounds any loop that hostile sizes could feed.
constexpr int kMaxSide = 1 << 14;

bool MonoBitOf(Color c) {
  // Nearest of black and white, by the green-weighted sum.
  const int lum = RedOf(c) * 30 + GreenOf(c) * 59 + BlueOf(c) * 11;
  return lum >= 128 * 100;
}

}  // namespace

Rect Rect::Normalized() const {
  return {std::min(left, right), std::min(top, bottom), std::max(left, right),
          std::max(top, bottom)};
}

Rect Rect::Intersected(const Rect& o) const {
  Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
         std::min(bottom, o.bottom)};
  if (r.IsEmpty()) return {};
  return r;
}

Surface::Surface(int width, int height, Depth depth)
    : width_(std::clamp(width, 0, kMaxSide)),
      height_(std::clamp(height, 0, kMaxSide)),
      depth_(depth),
      pixels_(static_cast<std::size_t>(width_) * height_, kBlack) {}

Pen Surface::SelectPen(const Pen& pen) {
  Pen old = pen_;
  pen_ = pen;
  return old;
}

Brush Surface::SelectBrush(const Brush& brush) {
  Brush old = brush_;
  brush_ = brush;
  return old;
}

Color Surface::ToDepth(Color c) const {
  c &= 0x00FFFFFF;
  if (depth_ == Depth::Mono) return MonoBitOf(c) ? kWhite : kBlack;
  return c;
}

Color Surface::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kInvalidColor;
  return Row(y)[x];
}

void Surface::SetPixelV(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Row(y)[x] = ToDepth(c);
}

void Surface::FillRect(const Rect& r, const Brush& brush) {
  if (brush.style == BrushStyle::Hollow) return;
  const Rect clip = r.Intersected(Bounds());
  const Color c = ToDepth(brush.color);
  for (int y = clip.top; y < clip.bottom; ++y)
    std::fill(Row(y) + clip.left, Row(y) + clip.right, c);
}

void Surface::InvertRect(const Rect& r) {
  const Rect clip = r.Intersected(Bounds());
  for (int y = clip.top; y < clip.bottom; ++y)
    for (int x = clip.left; x < clip.right; ++x) Row(y)[x] ^= 0x00FFFFFF;
}

void Surface::MoveToEx(int x, int y) { position_ = {x, y}; }

void Surface::PaintDot(int x, int y, int width, Color c) {
  if (width <= 1) {
    SetPixelV(x, y, c);
    return;
  }
  // A disc of diameter `width` centred on the pixel; even widths lean up-left.
  const int lo = -(width / 2);
  const double centre = lo + (width - 1) / 2.0;
  const double r2 = (width / 2.0) * (width / 2.0);
  for (int dy = lo; dy < lo + width; ++dy)
    for (int dx = lo; dx < lo + width; ++dx) {
      const double ex = dx - centre + 0.0, ey = dy - centre + 0.0;
      if (ex * ex + ey * ey <= r2 - 0.25) SetPixelV(x + dx, y + dy, c);
    }
}

void Surface::LineTo(int x, int y) {
  const Point from = position_;
  position_ = {x, y};
  if (pen_.style == PenStyle::Null) return;
  const Color c = pen_.color;
  const int width = std::min(pen_.width, 64);
  // Far-away end points only happen while the pointer is captured outside the
  // canvas; walking them is bounded by clipping the step count.
  long long dx = std::llabs(static_cast<long long>(x) - from.x);
  long long dy = std::llabs(static_cast<long long>(y) - from.y);
  const int sx = from.x < x ? 1 : -1;
  const int sy = from.y < y ? 1 : -1;
  long long err = dx - dy;
  long long cx = from.x, cy = from.y;
  const long long limit = 4LL * kMaxSide;
  for (long long steps = 0; steps <= limit; ++steps) {
    if (cx == x && cy == y) {
      if (width > 1) PaintDot(x, y, width, c);
      break;
    }
    if (cx > -kMaxSide && cx < kMaxSide && cy > -kMaxSide && cy < kMaxSide)
      PaintDot(static_cast<int>(cx), static_cast<int>(cy), width, c);
    const long long e2 = 2 * err;
    if (e2 > -dy) {
      err -= dy;
      cx += sx;
    }
    if (e2 < dx) {
      err += dx;
      cy += sy;
    }
  }
}

// Shared by the three figures: `inside(x, y)` says whether a pixel belongs to
// the figure; its border (a pixel inside with a 4-neighbour outside) takes the
// pen, the rest the brush.
template <class Inside>
void Surface::DrawFigure(const Rect& box, Inside inside) {
  if (box.IsEmpty()) return;
  const bool hasPen = pen_.style != PenStyle::Null;
  const bool hasBrush = brush_.style != BrushStyle::Hollow;
  const Rect clip = box.Intersected(Bounds());
  auto in = [&](int x, int y) { return box.Contains(x, y) && inside(x, y); };
  for (int y = clip.top; y < clip.bottom; ++y)
    for (int x = clip.left; x < clip.right; ++x) {
      if (!in(x, y)) continue;
      const bool border = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
      if (border && hasPen)
        Row(y)[x] = ToDepth(pen_.color);
      else if (hasBrush)
        Row(y)[x] = ToDepth(brush_.color);
    }
}

void Surface::Rectangle(int left, int top, int right, int bottom) {
  DrawFigure(Rect{left, top, right, bottom}.Normalized(), [](int, int) { return true; });
}

void Surface::Ellipse(int left, int top, int right, int bottom) {
  const Rect box = Rect{left, top, right, bottom}.Normalized();
  const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
  const double a = box.Width() / 2.0, b = box.Height() / 2.0;
  DrawFigure(box, [=](int x, int y) {
    const double u = (x + 0.5 - cx) / a, v = (y + 0.5 - cy) / b;
    return u * u + v * v <= 1.0;
  });
}

void Surface::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight) {
  const Rect box = Rect{left, top, right, bottom}.Normalized();
  // Each corner is a quarter of a cornerWidth x cornerHeight ellipse; a corner
  // ellipse larger than the box shrinks to it.
  const double rx = std::min(std::abs(cornerWidth), box.Width()) / 2.0;
  const double ry = std::min(std::abs(cornerHeight), box.Height()) / 2.0;
  DrawFigure(box, [=](int x, int y) {
    if (rx <= 0 || ry <= 0) return true;
    const double px = x + 0.5, py = y + 0.5;
    const double ccx = std::clamp(px, box.left + rx, box.right - rx);
    const double ccy = std::clamp(py, box.top + ry, box.bottom - ry);
    const double u = (px - ccx) / rx, v = (py - ccy) / ry;
    return u * u + v * v <= 1.0;
  });
}

bool Surface::ExtFloodFill(int x, int y, Color color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
  if (Row(y)[x] != color) return false;
  if (brush_.style == BrushStyle::Hollow) return true;
  const Color fill = ToDepth(brush_.color);
  if (fill == color) return true;  // nothing would change
  // Scanline fill: each run is painted once, so the fill colour marks what is done.
  std::vector<Point> stack;
  stack.reserve(64);
  stack.push_back({x, y});
  while (!stack.empty()) {
    const Point p = stack.back();
    stack.pop_back();
    Color* row = Row(p.y);
    if (row[p.x] != color) continue;
    int l = p.x, r = p.x;
    while (l > 0 && row[l - 1] == color) --l;
    while (r + 1 < width_ && row[r + 1] == color) ++r;
    std::fill(row + l, row + r + 1, fill);
    for (int ny : {p.y - 1, p.y + 1}) {
      if (ny < 0 || ny >= height_) continue;
      const Color* nrow = Row(ny);
      for (int i = l; i <= r; ++i)
        if (nrow[i] == color && (i == l || nrow[i - 1] != color)) stack.push_back({i, ny});
    }
  }
  return true;
}

namespace {

// What a source pixel becomes on the destination, across depths.
inline Color Convert(Color s, const Surface& src, const Surface& dst) {
  if (src.IsMono() == dst.IsMono()) return s;
  if (dst.IsMono()) return s == (src.bkColor & 0x00FFFFFF) ? kWhite : kBlack;
  return (s == kWhite ? dst.bkColor : dst.textColor) & 0x00FFFFFF;
}

inline Color Apply(Rop rop, Color d, Color s) {
  switch (rop) {
    case Rop::SrcAnd:
      return d & s;
    case Rop::SrcPaint:
      return d | s;
    case Rop::SrcCopy:
      break;
  }
  return s;
}

}  // namespace

bool BitBlt(Surface& dst, const Area& to, const Surface& src, Point from, Rop rop) {
  const int x = to.x, y = to.y, w = to.w, h = to.h, sx = from.x, sy = from.y;
  if (w <= 0 || h <= 0) return true;
  // Clip against the destination, then the source, moving both origins together.
  long long x0 = std::max<long long>({0, x, static_cast<long long>(x) - sx});
  long long y0 = std::max<long long>({0, y, static_cast<long long>(y) - sy});
  long long x1 = std::min<long long>(
      {dst.Width(), static_cast<long long>(x) + w, static_cast<long long>(x) - sx + src.Width()});
  long long y1 = std::min<long long>(
      {dst.Height(), static_cast<long long>(y) + h, static_cast<long long>(y) - sy + src.Height()});
  if (x0 >= x1 || y0 >= y1) return true;
  const int cw = static_cast<int>(x1 - x0), ch = static_cast<int>(y1 - y0);
  const int srcX = static_cast<int>(x0 - x + sx), srcY = static_cast<int>(y0 - y + sy);
  // Read the source block first so overlapping copies within one surface are safe.
  std::vector<Color> block(static_cast<std::size_t>(cw) * ch);
  for (int j = 0; j < ch; ++j) {
    const Color* row = src.Row(srcY + j) + srcX;
    for (int i = 0; i < cw; ++i)
      block[static_cast<std::size_t>(j) * cw + i] = Convert(row[i], src, dst);
  }
  for (int j = 0; j < ch; ++j) {
    Color* row = dst.Row(static_cast<int>(y0) + j) + x0;
    for (int i = 0; i < cw; ++i)
      row[i] = Apply(rop, row[i], block[static_cast<std::size_t>(j) * cw + i]);
  }
  return true;
}

bool StretchBlt(Surface& dst, const Area& to, const Surface& src, const Area& from) {
  const int x = to.x, y = to.y, w = to.w, h = to.h;
  const int sx = from.x, sy = from.y, sw = from.w, sh = from.h;
  if (w == 0 || h == 0 || sw == 0 || sh == 0) return true;
  if (std::abs(static_cast<long long>(w)) > kMaxSide ||
      std::abs(static_cast<long long>(h)) > kMaxSide)
    return false;
  const int aw = std::abs(w), ah = std::abs(h), asw = std::abs(sw), ash = std::abs(sh);
  // A negative extent puts the rectangle at [origin + extent, origin) read backwards.
  const bool flipX = (w < 0) != (sw < 0), flipY = (h < 0) != (sh < 0);
  const int dstLeft = w < 0 ? x + w : x, dstTop = h < 0 ? y + h : y;
  const int srcLeft = sw < 0 ? sx + sw : sx, srcTop = sh < 0 ? sy + sh : sy;
  std::vector<Color> copy = src.Pixels();  // src may be dst
  auto srcAt = [&](int px, int py) -> const Color* {
    if (px < 0 || py < 0 || px >= src.Width() || py >= src.Height()) return nullptr;
    return &copy[static_cast<std::size_t>(py) * src.Width() + px];
  };
  for (int j = 0; j < ah; ++j) {
    const int dy = dstTop + j;
    if (dy < 0 || dy >= dst.Height()) continue;
    int v = static_cast<int>((static_cast<long long>(j) * 2 + 1) * ash / (2LL * ah));
    if (flipY) v = ash - 1 - v;
    for (int i = 0; i < aw; ++i) {
      const int dx = dstLeft + i;
      if (dx < 0 || dx >= dst.Width()) continue;
      int u = static_cast<int>((static_cast<long long>(i) * 2 + 1) * asw / (2LL * aw));
      if (flipX) u = asw - 1 - u;
      if (const Color* s = srcAt(srcLeft + u, srcTop + v)) dst.Row(dy)[dx] = Convert(*s, src, dst);
    }
  }
  return true;
}

}  // namespace gs
