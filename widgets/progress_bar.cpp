#include "widgets/progress_bar.h"

#include <algorithm>

#include "document/numeric.h"

namespace gs {

Rgb Lighten(Rgb c, int k) {
  k = std::clamp(k, 0, 255);
  const auto channel = [k](int v) {
    v = std::clamp(v, 0, 255);
    return std::min(255, k + v * (255 - k) / 255);
  };
  return {channel(c.r), channel(c.g), channel(c.b)};
}

void ProgressValue::SetValue(int v) {
  // A zero maximum would divide by zero; the bar then shows nothing.
  if (max_ == 0) {
    percent_ = 0;
    return;
  }
  percent_ = Nearest(static_cast<double>(v) * 100.0 / max_ + min_);
}

int ProgressValue::DrawnPercent() const { return std::clamp(percent_, 0, 100); }

int ProgressValue::Value() const {
  const double shown = std::min(percent_, 100);
  const double v = shown / 100.0 * max_ / (min_ > 0 ? min_ : 1);
  return static_cast<int>(v);
}

Style3Layout LayoutStyle3(int width, int height, int percent, Rgb color) {
  Style3Layout out;
  out.frame = {0, 0, width, height};
  const int p = std::clamp(percent, 0, 100);
  const int right = Nearest(p / 100.0 * width);
  out.fill = {1, 1, right, height - 1};
  if (out.fill.Empty()) out.fill = {1, 1, 1, 1};
  out.frameColor = Lighten(color, 100);
  out.fillColor = Lighten(color, 180);
  return out;
}

int FillLength101(int width, int percent) {
  return Nearest(std::clamp(percent, 0, 100) / 101.0 * width);
}

const char* SearchingText() { return "Searching.."; }

}  // namespace gs
