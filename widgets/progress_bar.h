#pragma once
// The rules of the self-drawn progress bar, without any window: the value as
// a fill percentage, the colour lightening, and where style 3 puts its frame
// and fill. The Qt control (widgets/qt_progress_bar.h) only draws what these say.
#include <cstdint>

namespace gs {

// A colour as three channels, so the rules read without a toolkit.
struct Rgb {
  int r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Moves each channel toward white by `k` (0 keeps the colour, 255 gives
// white): k + c * (255 - k) / 255, truncating, capped at 255. `k` is held to 0-255.
Rgb Lighten(Rgb c, int k);

// Min, Max and the fill percentage behind Value.
class ProgressValue {
 public:
  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetMin(int v) { min_ = v; }
  void SetMax(int v) { max_ = v; }

  // percent := nearest(v * 100 / Max + Min); a Max of 0 gives an empty bar.
  void SetValue(int v);
  // (percent / 100 * Max) / (Min if Min > 0, else 1), as an integer; the
  // percentage is taken capped at 100, as it is drawn.
  int Value() const;
  // The percentage as drawn: 0-100.
  int DrawnPercent() const;

 private:
  int min_ = 0;
  int max_ = 100;
  int percent_ = 0;
};

struct BarRect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  bool Empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const BarRect&, const BarRect&) = default;
};

// Style 3: a one-pixel frame round the whole client area in Lighten(color, 100),
// and the fill from (1, 1) to (nearest(p / 100 * width), height - 1) in
// Lighten(color, 180). The fill is drawn after the frame, over it.
struct Style3Layout {
  BarRect frame;
  BarRect fill;  // empty at 0 %
  Rgb frameColor;
  Rgb fillColor;
};
Style3Layout LayoutStyle3(int width, int height, int percent, Rgb color);

// The length of a fill of `percent` over `width` for the styles that divide by
// 101 (5 and 7).
int FillLength101(int width, int percent);

// The percentage text: "Searching.." in style 2, else "<p> %".
const char* SearchingText();

}  // namespace gs
