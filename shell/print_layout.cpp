#include "shell/print_layout.h"

#include <algorithm>
#include <string>

#include "document/canvas_view.h"
#include "document/numeric.h"
#include "platform/text_util.h"

namespace gs {

PrintSize MagnifiedSize(std::string_view text, int printableWidth, int printableHeight) {
  if (TrimBlanks(text) == "Stretch") return {printableWidth, printableHeight};
  const int side = std::max(0, Nearest(ParseLeadingNumber(text) * 32.0 / 100.0));
  return {side, side};
}

PixelRect PagePlacement(int printableWidth, int printableHeight, PrintSize size) {
  return {Nearest((static_cast<double>(printableWidth) - size.width) / 2.0),
          Nearest((static_cast<double>(printableHeight) - size.height) / 2.0), size.width,
          size.height};
}

std::vector<PixelRect> PrintBands(const PixelRect& sheet, const PixelRect& page,
                                  long long maxPixels) {
  std::vector<PixelRect> bands;
  const int left = std::max(sheet.left, page.left);
  const int right = std::min(sheet.left + sheet.width, page.left + page.width);
  const int top = std::max(sheet.top, page.top);
  const int bottom = std::min(sheet.top + sheet.height, page.top + page.height);
  if (left >= right || top >= bottom) return bands;
  const long long rowsPerBand = std::max(1LL, maxPixels / (right - left));
  // Cell rows in page rows, by the rule the picture is enlarged with.
  const int firstCell = std::max(0, CellOf(top - page.top, page.height));
  int bandTop = top;
  for (int cell = firstCell; cell < kIconSize && bandTop < bottom; ++cell) {
    const int cellEnd = std::min(bottom, page.top + CellSpan(cell, page.height).end);
    const bool last = cell + 1 == kIconSize || cellEnd >= bottom;
    const int nextEnd =
        last ? cellEnd : std::min(bottom, page.top + CellSpan(cell + 1, page.height).end);
    // Close the band here when the next cell row would make it too tall.
    if (last || nextEnd - bandTop > rowsPerBand) {
      if (cellEnd > bandTop) bands.push_back({left, bandTop, right - left, cellEnd - bandTop});
      bandTop = cellEnd;
    }
  }
  return bands;
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
