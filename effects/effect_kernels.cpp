#include "effects/effect_kernels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "document/area_scale.h"
#include "document/numeric.h"
#include "document/pixel_helpers.h"
#include "platform/system_library.h"

namespace gs {

namespace {

constexpr double kPi = 3.141592654;

// The area clipped to the surface, computed in 64 bits so that x + w cannot overflow.
Rect Clip(const Surface& s, const Area& area) {
  const std::int64_t x = area.x, y = area.y, w = area.w, h = area.h;
  if (w <= 0 || h <= 0) return {};
  const std::int64_t l = std::max<std::int64_t>(x, 0), t = std::max<std::int64_t>(y, 0);
  const std::int64_t r = std::min<std::int64_t>(x + w, s.Width());
  const std::int64_t b = std::min<std::int64_t>(y + h, s.Height());
  if (l >= r || t >= b) return {};
  return {static_cast<int>(l), static_cast<int>(t), static_cast<int>(r), static_cast<int>(b)};
}

Rect SelectionOrWhole(const Selection& selection) {
  if (selection.active) return selection.Pixels().Normalized();
  return {0, 0, kIconSize, kIconSize};
}

bool IsSquareIcon(const Surface& s) { return s.Width() >= kIconSize && s.Height() >= kIconSize; }

}  // namespace

void InvertColors(Surface& s, const Rect& r) {
  const Rect clip = r.Normalized().Intersected(s.Bounds());
  if (clip.IsEmpty()) return;
  s.InvertRect(clip);
  // The black to clear is the inverse of white.
  const Color black = RGB(255 - 255, 255 - 255, 255 - 255);
  ReplaceColorInRect(s, Area::Of(clip), black, kWhite, s);
}

void ReplaceColor(Surface& s, const Rect& r, Color from, Color to) {
  const Rect clip = r.Normalized().Intersected(s.Bounds());
  if (clip.IsEmpty()) return;
  ReplaceColorInRect(s, Area::Of(clip), from, to, s);
}

std::optional<int> PixelateBlockSize(std::string_view reply) {
  const double v = ParseLeadingNumber(reply);
  if (!(v > 0)) return std::nullopt;
  const int n = Nearest(v);
  if (n <= 0) return std::nullopt;
  return std::min(n, kIconSize);
}

void PixelateRect(const Surface& src, const Area& area, int n, Surface& dst) {
  if (n < 1) return;
  const Rect clip = Clip(dst, area).Intersected(src.Bounds());
  if (clip.IsEmpty()) return;
  // The block grid runs from the area's origin, even where that lies off the
  // surfaces; only the blocks that meet the clipped area are filled.
  const std::int64_t x = area.x, y = area.y;
  const std::int64_t firstX = x + (clip.left - x) / n * n, firstY = y + (clip.top - y) / n * n;
  Surface scratch = dst;
  for (std::int64_t bx = firstX; bx < clip.right; bx += n)
    for (std::int64_t by = firstY; by < clip.bottom; by += n) {
      const Rect block{static_cast<int>(std::max<std::int64_t>(bx, clip.left)),
                       static_cast<int>(std::max<std::int64_t>(by, clip.top)),
                       static_cast<int>(std::min<std::int64_t>(bx + n, clip.right)),
                       static_cast<int>(std::min<std::int64_t>(by + n, clip.bottom))};
      scratch.FillRect(block, src.GetPixel(block.left, block.top));
    }
  BitBlt(dst, Area::Of(clip), scratch, Point{clip.left, clip.top});
}

void ZigzagRect(Surface& s, const Area& area, bool keepTransparent, Color transparentColor,
                Color highlight) {
  const Rect clip = Clip(s, area);
  for (int py = clip.top; py < clip.bottom; ++py) {
    Color* row = s.Row(py);
    for (int px = clip.left; px < clip.right; ++px) {
      if (keepTransparent && row[px] == transparentColor) continue;
      // Parity from the area's own corner, even when it starts off the surface.
      const std::int64_t i = static_cast<std::int64_t>(px) - area.x,
                         j = static_cast<std::int64_t>(py) - area.y;
      if (((i + j) & 1) == 0) row[px] = highlight;
    }
  }
}

void Mirror(Surface& s, MirrorAxis axis) {
  const int w = s.Width(), h = s.Height();
  if (axis == MirrorAxis::Horizontal) {
    for (int y = 0; y < h / 2; ++y) std::swap_ranges(s.Row(y), s.Row(y) + w, s.Row(h - 1 - y));
  } else {
    for (int y = 0; y < h; ++y) std::reverse(s.Row(y), s.Row(y) + w);
  }
}

void RotateQuarter(Surface& s, int angle) {
  if (angle != 90 && angle != 180 && angle != 270) return;
  if (s.Width() != s.Height()) return;
  const int n = s.Width();
  const Surface src = s;
  for (int y = 0; y < n; ++y) {
    Color* row = s.Row(y);
    for (int x = 0; x < n; ++x) {
      if (angle == 90)
        row[x] = src.Row(n - 1 - x)[y];
      else if (angle == 270)
        row[x] = src.Row(x)[n - 1 - y];
      else
        row[x] = src.Row(n - 1 - y)[n - 1 - x];
    }
  }
}

namespace {

// Each source pixel's angle (after the quadrant rule) and distance from the
// centre; they do not depend on the turn, so they are worked out once.
struct Polar {
  double angle;
  double radius;
};

const std::array<Polar, kIconSize * kIconSize>& PolarTable() {
  static const auto table = [] {
    std::array<Polar, kIconSize * kIconSize> t{};
    for (int y = 0; y < kIconSize; ++y) {
      for (int x = 0; x < kIconSize; ++x) {
        const double dx = x - 16, dy = 16 - y;
        double a = dx == 0 ? kPi / 2 : std::atan(std::fabs(dy / dx));
        if (dy >= 0 && dx >= 0) {
        } else if (dy >= 0 && dx < 0) {
          a = kPi - a;
        } else if (dy < 0 && dx < 0) {
          a = a + kPi;
        } else {
          a = 6.283185308 - a;
        }
        t[static_cast<std::size_t>(y * kIconSize + x)] = {a, std::sqrt(dx * dx + dy * dy)};
      }
    }
    return t;
  }();
  return table;
}

// Turning by any angle is the one thing of the tool that needs libm, whose
// loading would cost every call of it (about a tenth of a small conversion):
// it is loaded here, for this. The functions are libm's own, so every pixel
// is what std::sin and std::cos give.
struct Trigonometry {
  double (*sin)(double) = nullptr;
  double (*cos)(double) = nullptr;
};
const Trigonometry& Trig() {
  static const Trigonometry trig = [] {
    Trigonometry t;
    SystemLibrary libm("libm.so.6", "libc6");
    libm.Find(t.sin, "sin");
    libm.Find(t.cos, "cos");
    // libm comes with the C library itself, in the same package.
    if (!libm.ok()) std::abort();
    return t;
  }();
  return trig;
}

// The cell the pixel of `p` lands on, turned by theta (radians, counter-clockwise).
Point Turned(const Polar& p, double theta) {
  const double a = p.angle + theta;
  // Beyond about 1e9 the rounding saturates and the pixel is dropped anyway.
  return {Nearest(Trig().cos(a) * p.radius + 16), Nearest(16 - Trig().sin(a) * p.radius)};
}

}  // namespace

Point RotatedCell(int x, int y, double angle) {
  if (x < 0 || x >= kIconSize || y < 0 || y >= kIconSize || !std::isfinite(angle)) return {x, y};
  return Turned(PolarTable()[static_cast<std::size_t>(y * kIconSize + x)], -angle / 180 * kPi);
}

void RotateByAngle(Surface& s, double angle, Color fill) {
  if (!IsSquareIcon(s) || !std::isfinite(angle)) return;
  const auto& polar = PolarTable();
  const double theta = -angle / 180 * kPi;
  std::array<Color, kIconSize * kIconSize> result;
  result.fill(fill);
  for (int y = 0; y < kIconSize; ++y) {
    const Color* row = s.Row(y);
    for (int x = 0; x < kIconSize; ++x) {
      const auto [tx, ty] = Turned(polar[static_cast<std::size_t>(y * kIconSize + x)], theta);
      if (tx < 0 || tx > 31 || ty < 0 || ty > 31) continue;
      result[static_cast<std::size_t>(ty * kIconSize + tx)] = row[x];
      if (tx <= 30) result[static_cast<std::size_t>(ty * kIconSize + tx + 1)] = row[x];
    }
  }
  for (int y = 0; y < kIconSize; ++y)
    std::copy_n(result.begin() + y * kIconSize, kIconSize, s.Row(y));
}

std::optional<double> RotationAngle(std::string_view reply) {
  const double a = ParseLeadingNumber(reply);
  if (a == 0) return std::nullopt;
  return a;
}

void DuoToneRect(const Surface& src, const Area& area, Color colour, Surface& dst,
                 Color transparentColor) {
  const Rect clip = Clip(dst, area).Intersected(src.Bounds());
  for (int py = clip.top; py < clip.bottom; ++py) {
    const Color* in = src.Row(py);
    Color* out = dst.Row(py);
    for (int px = clip.left; px < clip.right; ++px)
      out[px] = in[px] == transparentColor ? transparentColor : (in[px] & colour & 0x00FFFFFF);
  }
}

int EarthQuakeShift(std::string_view text, int width) {
  const int n = Nearest(ParseLeadingNumber(text));
  return std::clamp(n, 0, std::max(width, 0));
}

bool EarthQuakeRect(const Surface& src, const Area& area, int n, Surface& dst, bool wrap) {
  const int x = area.x, y = area.y, w = area.w, h = area.h;
  if (w <= 0 || h <= 0) return false;
  const Rect clip = Clip(dst, area);
  if (clip.IsEmpty()) return false;
  n = std::clamp(n, 0, w);
  auto source = [&](std::int64_t c, std::int64_t r) {
    const std::int64_t sx = x + c, sy = y + r;
    if (sx < 0 || sy < 0 || sx >= src.Width() || sy >= src.Height()) return kWhite;
    return src.Row(static_cast<int>(sy))[sx];
  };
  // Only the rows and columns that land on dst are worked out.
  for (int py = clip.top; py < clip.bottom; ++py) {
    const std::int64_t r = static_cast<std::int64_t>(py) - y;
    Color* out = dst.Row(py);
    for (int px = clip.left; px < clip.right; ++px) {
      const std::int64_t c = static_cast<std::int64_t>(px) - x;
      Color v = kWhite;
      if (r % 2 == 0) {
        // Even rows slide right:  [abcdefg] -> [efg|abcd] with n = 3 and wrap.
        if (c >= n)
          v = source(c - n, r);
        else if (wrap)
          v = source(c + w - n, r);
      } else {
        // Odd rows slide left:    [abcdefg] -> [defg|abc].
        if (c < w - n)
          v = source(c + n, r);
        else if (wrap)
          v = source(c - (w - n), r);
      }
      out[px] = v;
    }
  }
  return true;
}

ResampleBox ResampleBoxFromTexts(std::string_view offX, std::string_view offY,
                                 std::string_view width, std::string_view height) {
  return {Nearest(ParseLeadingNumber(offX)), Nearest(ParseLeadingNumber(offY)),
          Nearest(ParseLeadingNumber(width)), Nearest(ParseLeadingNumber(height))};
}

ResampleBox InitialResampleBox(const Selection& selection) {
  if (!selection.active) return {};
  const Rect r = selection.Pixels().Normalized();
  return {r.left, r.top, r.Width(), r.Height()};
}

Surface ResampleIcon(const Surface& icon, const Selection& selection, const ResampleBox& box) {
  Surface out = icon;
  const Rect source = SelectionOrWhole(selection);
  out.FillRect(selection.active ? source : out.Bounds(), kWhite);
  AreaScaleCopy(out, Area{box.offX, box.offY, box.width, box.height}, ViewOf(icon),
                Area::Of(source));
  return out;
}

Surface DuoTonePreview(const Surface& icon, const Selection& selection, Color colour) {
  Surface out = icon;
  const Rect r = SelectionOrWhole(selection);
  DuoToneRect(icon, Area::Of(r), colour, out, kWhite);
  return out;
}

Surface EarthQuakePreview(const Surface& icon, const Selection& selection, int n, bool wrap) {
  Surface out = icon;
  const Rect r = SelectionOrWhole(selection);
  EarthQuakeRect(icon, Area::Of(r), n, out, wrap);
  return out;
}

}  // namespace gs
