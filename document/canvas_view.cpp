#include "document/canvas_view.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "document/numeric.h"

namespace gs {

Point MapPointer(double x, double y, double scaleWidth, double scaleHeight) {
  const double cw = scaleWidth / kIconSize, ch = scaleHeight / kIconSize;
  if (cw <= 0 || ch <= 0) return {0, 0};
  const double fx = std::floor(x / cw), fy = std::floor(y / ch);
  auto toInt = [](double v) {
    if (v > 1e9) return 1000000000;
    if (v < -1e9) return -1000000000;
    return static_cast<int>(v);
  };
  return {toInt(fx), toInt(fy)};
}

SizeF ZoomIn(SizeF s) { return {s.width + s.width / 10, s.height + s.height / 10}; }

SizeF ZoomOut(SizeF s) {
  return ZoomIn({s.width - s.width * 2 / 10, s.height - s.height * 2 / 10});
}

Rect SelectionViewRect(const Selection& sel, double scaleWidth) {
  const double f = scaleWidth / kIconSize;
  return {Nearest(f * sel.X1), Nearest(f * sel.Y1), Nearest(f * sel.X2), Nearest(f * sel.Y2)};
}

void StretchToArgb32(const Surface& src, std::uint32_t* out, int outW, int outH, int strideWords) {
  if (outW <= 0 || outH <= 0 || src.Width() <= 0 || src.Height() <= 0) return;
  const int sw = src.Width(), sh = src.Height();
  // Column map once; then each output row is the converted source row spread out.
  std::vector<int> colOf(static_cast<std::size_t>(outW));
  for (int i = 0; i < outW; ++i)
    colOf[static_cast<std::size_t>(i)] = static_cast<int>((2LL * i + 1) * sw / (2LL * outW));
  std::vector<std::uint32_t> argbRow(static_cast<std::size_t>(sw));
  int lastSrcRow = -1;
  std::uint32_t* lastOut = nullptr;
  for (int j = 0; j < outH; ++j) {
    const int v = static_cast<int>((2LL * j + 1) * sh / (2LL * outH));
    std::uint32_t* dst = out + static_cast<std::size_t>(j) * strideWords;
    if (v == lastSrcRow && lastOut) {
      std::copy(lastOut, lastOut + outW, dst);
      continue;
    }
    const Color* row = src.Row(v);
    for (int i = 0; i < sw; ++i) argbRow[static_cast<std::size_t>(i)] = ToArgb32(row[i]);
    for (int i = 0; i < outW; ++i)
      dst[i] = argbRow[static_cast<std::size_t>(colOf[static_cast<std::size_t>(i)])];
    lastSrcRow = v;
    lastOut = dst;
  }
}

}  // namespace gs
