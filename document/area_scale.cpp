#include "document/area_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "document/numeric.h"

namespace gs {

PixelView ViewOf(const Surface& s) { return {s.Pixels().data(), s.Width(), s.Height(), s.Width()}; }

namespace {

struct Tap {
  int index;  // source coordinate, already clamped to the picture
  double weight;
};

// Normalised span of a signed extent: `start` is the lowest coordinate.
struct Span {
  std::int64_t start;
  std::int64_t length;
  bool reversed;
};

Span SpanOf(int origin, int extent) {
  if (extent >= 0) return {origin, extent, false};
  // Runs leftward from the origin, origin included.
  return {static_cast<std::int64_t>(origin) + extent + 1, -static_cast<std::int64_t>(extent), true};
}

// For each destination pixel i of n (in increasing order), the source taps of a
// span of m pixels starting at s0 (clamped into [0, limit)).
std::vector<std::vector<Tap>> AxisTaps(std::int64_t n, std::int64_t m, std::int64_t s0,
                                       bool mirrored, int limit, std::int64_t firstNeeded,
                                       std::int64_t lastNeeded) {
  std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(lastNeeded - firstNeeded));
  const double scale = static_cast<double>(m) / static_cast<double>(n);
  auto clampIndex = [&](std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, 0, limit - 1));
  };
  for (std::int64_t i = firstNeeded; i < lastNeeded; ++i) {
    const std::int64_t k = mirrored ? n - 1 - i : i;
    auto& out = taps[static_cast<std::size_t>(i - firstNeeded)];
    if (m >= n) {
      // Shrinking (or 1:1): the area of [a, b) that each source pixel covers.
      // Coverage beyond the picture goes to its edge pixel in one tap, so a
      // huge typed extent costs no more than the picture's width.
      const double a = static_cast<double>(s0) + static_cast<double>(k) * scale;
      const double b = static_cast<double>(s0) + static_cast<double>(k + 1) * scale;
      const double top = static_cast<double>(limit);
      if (a < 0.0) out.push_back({0, (std::min(b, 0.0) - a) / scale});
      // Both ends are at least 0 and at most `top`: truncating is the floor,
      // and one more where it cut a fraction off is the ceiling.
      const double from = std::max(a, 0.0), to = std::min(b, top);
      const std::int64_t first = static_cast<std::int64_t>(from);
      std::int64_t last = static_cast<std::int64_t>(to);
      if (static_cast<double>(last) < to) ++last;
      last = std::min<std::int64_t>(limit, last);
      for (std::int64_t j = first; j < last; ++j) {
        const double lo = std::max(a, static_cast<double>(j));
        const double hi = std::min(b, static_cast<double>(j + 1));
        if (hi > lo) out.push_back({static_cast<int>(j), (hi - lo) / scale});
      }
      if (b > top) out.push_back({limit - 1, (b - std::max(a, top)) / scale});
    } else {
      // Growing: linear between the two nearest source centres.
      double c = (static_cast<double>(k) + 0.5) * scale - 0.5;
      c = std::clamp(c, 0.0, static_cast<double>(m - 1));
      const std::int64_t j = static_cast<std::int64_t>(c);  // c >= 0: the floor
      const double f = c - static_cast<double>(j);
      out.push_back({clampIndex(s0 + j), 1.0 - f});
      if (f > 0.0) out.push_back({clampIndex(s0 + j + 1), f});
    }
  }
  return taps;
}

std::uint8_t Channel(double v) { return static_cast<std::uint8_t>(std::clamp(Nearest(v), 0, 255)); }

}  // namespace

void AreaScaleCopy(Surface& dst, const Area& to, const PixelView& src, const Area& from) {
  const int dx = to.x, dy = to.y, dw = to.w, dh = to.h;
  const int sx = from.x, sy = from.y, sw = from.w, sh = from.h;
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
  if (!src.pixels || src.width <= 0 || src.height <= 0) return;
  const Span dX = SpanOf(dx, dw), dY = SpanOf(dy, dh);
  const Span sX = SpanOf(sx, sw), sY = SpanOf(sy, sh);

  // Only the destination pixels that land on the surface are computed, so huge
  // typed extents cost nothing beyond the clipped area.
  const std::int64_t x0 = std::max<std::int64_t>(0, -dX.start);
  const std::int64_t x1 = std::min<std::int64_t>(dX.length, dst.Width() - dX.start);
  const std::int64_t y0 = std::max<std::int64_t>(0, -dY.start);
  const std::int64_t y1 = std::min<std::int64_t>(dY.length, dst.Height() - dY.start);
  if (x0 >= x1 || y0 >= y1) return;

  const auto colTaps =
      AxisTaps(dX.length, sX.length, sX.start, dX.reversed != sX.reversed, src.width, x0, x1);
  const auto rowTaps =
      AxisTaps(dY.length, sY.length, sY.start, dY.reversed != sY.reversed, src.height, y0, y1);

  const std::size_t cols = static_cast<std::size_t>(x1 - x0);
  std::vector<double> acc(cols * 3);
  for (std::int64_t y = y0; y < y1; ++y) {
    std::fill(acc.begin(), acc.end(), 0.0);
    for (const Tap& rt : rowTaps[static_cast<std::size_t>(y - y0)]) {
      const Color* row = src.Row(rt.index);
      for (std::size_t c = 0; c < cols; ++c) {
        double r = 0, g = 0, b = 0;
        for (const Tap& ct : colTaps[c]) {
          const Color p = row[ct.index];
          r += ct.weight * RedOf(p);
          g += ct.weight * GreenOf(p);
          b += ct.weight * BlueOf(p);
        }
        acc[c * 3] += rt.weight * r;
        acc[c * 3 + 1] += rt.weight * g;
        acc[c * 3 + 2] += rt.weight * b;
      }
    }
    Color* out = dst.Row(static_cast<int>(dY.start + y));
    for (std::size_t c = 0; c < cols; ++c) {
      const Color v = RGB(Channel(acc[c * 3]), Channel(acc[c * 3 + 1]), Channel(acc[c * 3 + 2]));
      out[dX.start + x0 + static_cast<std::int64_t>(c)] =
          dst.IsMono() ? (v == kWhite ? kWhite : kBlack) : v;
    }
  }
}

}  // namespace gs
