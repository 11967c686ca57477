#include "shell/print_layout.h"

#include <algorithm>
#include <string>

#include "document/numeric.h"

namespace gs {

PrintSize MagnifiedSize(std::string_view text, int printableWidth, int printableHeight) {
  std::string_view trimmed = text;
  while (!trimmed.empty() && trimmed.front() == ' ') trimmed.remove_prefix(1);
  while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
  if (trimmed == "Stretch") return {printableWidth, printableHeight};
  const int side = std::max(0, Nearest(ParseLeadingNumber(text) * 32.0 / 100.0));
  return {side, side};
}

PixelRect PagePlacement(int printableWidth, int printableHeight, PrintSize size) {
  return {Nearest((static_cast<double>(printableWidth) - size.width) / 2.0),
          Nearest((static_cast<double>(printableHeight) - size.height) / 2.0), size.width,
          size.height};
}

SheetGeometry SheetFor(PrintOrientation o) {
  constexpr double kLong = 467.667;
  if (o == PrintOrientation::Landscape) return {2, 18, kLong, 344};
  return {18, 2, 344, kLong};
}

SheetGeometry InitialSheet() {
  SheetGeometry s = SheetFor(PrintOrientation::Portrait);
  s.left = 56;
  return s;
}

PixelRect PreviewPlacement(const SheetGeometry& sheet, double pw, double ph, PrintSize size) {
  if (pw <= 0 || ph <= 0) return {};
  const double w = size.width, h = size.height;
  const double W = sheet.width, H = sheet.height;
  return {Nearest((pw - w) / 2.0 * W / pw), Nearest((ph - h) / 2.0 * H / ph), Nearest(W / pw * w),
          Nearest(H / ph * h)};
}

}  // namespace gs
