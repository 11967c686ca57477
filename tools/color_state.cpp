#include "tools/color_state.h"

#include <algorithm>
#include <cmath>

#include "document/numeric.h"
#include "tools/tool_options.h"

namespace gs {

std::array<Color, kPaletteBoxes> ColorState::DefaultPalette() {
  return {RGB(255, 0, 0),     RGB(0, 128, 255),   RGB(117, 186, 255),
          RGB(236, 187, 19),  RGB(221, 232, 23),  RGB(34, 221, 44),
          RGB(0, 0, 255),     RGB(0, 255, 255),   RGB(114, 184, 184),
          RGB(255, 0, 128),   RGB(128, 0, 0),     RGB(43, 255, 43),
          RGB(157, 157, 255), RGB(244, 0, 122),   RGB(197, 197, 226),
          RGB(193, 239, 143), RGB(132, 215, 255), RGB(192, 192, 192),
          RGB(255, 255, 255), RGB(0, 0, 0),       kWhite};
}

Color ColorState::ForButton(int button) const { return button == kLeftButton ? left : right; }

bool ColorState::PickColor(Color c, int buttons) {
  if (buttons & kLeftButton)
    left = c;
  else if (buttons & kRightButton)
    right = c;
  else
    return false;
  return true;
}

bool ColorState::PickBox(int box, int button) {
  if (box < 0 || box >= kPaletteBoxes) return false;
  if (button != kLeftButton && button != kRightButton) return false;
  return PickColor(boxes[static_cast<std::size_t>(box)], button);
}

Rect PaletteBoxRect(int box) {
  if (box == kTransparentBox) return {244, 24, 244 + kColorBoxSide, 24 + kColorBoxSide};
  if (box < 0 || box > kTransparentBox) return {};
  const int x = 48 + 16 * (box / 2);
  const int y = box % 2 == 0 ? 8 : 24;
  return {x, y, x + kColorBoxSide, y + kColorBoxSide};
}

Rect FrameRect() { return {8, 8, 8 + 33, 8 + 33}; }
Rect LeftButtonRect() { return {4, 4, 4 + 17, 4 + 17}; }
Rect RightButtonRect() { return {10, 10, 10 + 17, 10 + 17}; }

Color SpectrumColor(double x, double y, double width, double height) {
  if (!(width > 1) || !(height > 1)) return kWhite;
  const double hue = std::clamp(x / (width - 1), 0.0, 1.0) * 6.0;     // sextants
  const double light = 1.0 - std::clamp(y / (height - 1), 0.0, 1.0);  // 1 top .. 0 bottom
  // Fully saturated colour of this hue.
  const double f = hue - std::floor(hue);
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(std::floor(hue)) % 6) {
    case 0:
      r = 1, g = f, b = 0;
      break;
    case 1:
      r = 1 - f, g = 1, b = 0;
      break;
    case 2:
      r = 0, g = 1, b = f;
      break;
    case 3:
      r = 0, g = 1 - f, b = 1;
      break;
    case 4:
      r = f, g = 0, b = 1;
      break;
    default:
      r = 1, g = 0, b = 1 - f;
      break;
  }
  // Top half blends from white to the colour, bottom half from it to black.
  auto channel = [&](double c) {
    const double v = light >= 0.5 ? c + (1 - c) * (light - 0.5) * 2 : c * light * 2;
    return std::clamp(Nearest(v * 255), 0, 255);
  };
  return RGB(channel(r), channel(g), channel(b));
}

Surface MakeSpectrum(int width, int height) {
  Surface s(width, height);
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) s.Row(y)[x] = SpectrumColor(x, y, width, height);
  return s;
}

}  // namespace gs
