#include "document/canvas_view.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "document/numeric.h"

namespace gs {

namespace {
int ClampToInt(double v) {
  if (v > 1e9) return 1000000000;
  if (v < -1e9) return -1000000000;
  return static_cast<int>(v);
}
}  // namespace

int CellOf(double p, double scale) {
  const double cell = scale / kIconSize;
  if (!(cell > 0)) return 0;  // a collapsed canvas: no division by zero
  return ClampToInt(std::floor(p / cell));
}

ScreenSpan CellSpan(int cell, double scale) {
  if (!(scale > 0)) return {};
  // The first column at or past the start of `c`: estimated, then settled by
  // CellOf itself so that rounding can never make the two disagree.
  const auto firstColumn = [scale](int c) {
    int i = ClampToInt(std::ceil(c * scale / kIconSize));
    while (CellOf(i - 1, scale) >= c) --i;
    while (CellOf(i, scale) < c) ++i;
    return i;
  };
  return {firstColumn(cell), firstColumn(cell + 1)};
}

Point MapPointer(double x, double y, double scaleWidth, double scaleHeight) {
  return {CellOf(x, scaleWidth), CellOf(y, scaleHeight)};
}

SizeF ZoomIn(SizeF s) { return {s.width + s.width / 10, s.height + s.height / 10}; }

SizeF ZoomOut(SizeF s) {
  return ZoomIn({s.width - s.width * 2 / 10, s.height - s.height * 2 / 10});
}

int WheelZoomSteps(int& pending, int delta) {
  constexpr int kNotch = 120;
  pending += delta;
  const int steps = pending / kNotch;  // towards zero: a part notch waits
  pending -= steps * kNotch;
  return steps;
}

bool GridFits(double scaleWidth, double scaleHeight) {
  return std::min(scaleWidth, scaleHeight) / kIconSize >= kGridMinCell;
}

std::vector<int> GridLines(double scale) {
  std::vector<int> lines;
  lines.reserve(kIconSize - 1);
  for (int c = 1; c < kIconSize; ++c) lines.push_back(CellSpan(c, scale).first);
  return lines;
}

Rect SelectionViewRect(const Selection& sel, double scaleWidth) {
  const double f = scaleWidth / kIconSize;
  return {Nearest(f * sel.X1), Nearest(f * sel.Y1), Nearest(f * sel.X2), Nearest(f * sel.Y2)};
}

void StretchToArgb32(const Surface& src, std::uint32_t* out, int strideWords,
                     const PictureArea& area) {
  if (area.width <= 0 || area.height <= 0 || src.Width() <= 0 || src.Height() <= 0) return;
  constexpr std::uint32_t kOutside = 0xFFFFFFFFu;
  const int sw = src.Width(), sh = src.Height();
  const auto inside = [](int cell, int size) { return cell >= 0 && cell < size; };
  // Column map once; then each output row is the converted source row spread out.
  std::vector<int> colOf(static_cast<std::size_t>(area.width));
  for (int i = 0; i < area.width; ++i)
    colOf[static_cast<std::size_t>(i)] = CellOf(area.left + i, area.scaleWidth);
  std::vector<std::uint32_t> argbRow(static_cast<std::size_t>(sw));
  int lastRow = -2;  // -1: a row outside the document
  std::uint32_t* lastOut = nullptr;
  for (int j = 0; j < area.height; ++j) {
    const int v = CellOf(area.top + j, area.scaleHeight);
    const int row = inside(v, sh) ? v : -1;
    std::uint32_t* dst = out + static_cast<std::size_t>(j) * strideWords;
    if (lastOut && row == lastRow) {
      std::copy(lastOut, lastOut + area.width, dst);
      continue;
    }
    if (row < 0) {
      std::fill(dst, dst + area.width, kOutside);
    } else {
      const Color* pixels = src.Row(row);
      for (int i = 0; i < sw; ++i) argbRow[static_cast<std::size_t>(i)] = ToArgb32(pixels[i]);
      for (int i = 0; i < area.width; ++i) {
        const int u = colOf[static_cast<std::size_t>(i)];
        dst[i] = inside(u, sw) ? argbRow[static_cast<std::size_t>(u)] : kOutside;
      }
    }
    lastRow = row;
    lastOut = dst;
  }
}

void StretchToArgb32(const Surface& src, std::uint32_t* out, int outW, int outH, int strideWords) {
  StretchToArgb32(src, out, strideWords,
                  {static_cast<double>(outW), static_cast<double>(outH), 0, 0, outW, outH});
}

}  // namespace gs
