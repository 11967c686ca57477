#pragma once
// Where the icon goes on the printed page and in the print window's preview.
// Pure arithmetic; frmPrint only applies it.
//
//   PrintSize s = MagnifiedSize("5000%", pw, ph);        // 1600 x 1600
//   PixelRect page = PagePlacement(pw, ph, s);            // centred, may be negative
//   PixelRect shown = PreviewPlacement(SheetFor(Portrait), pw, ph, s);
#include <array>
#include <string_view>
#include <vector>

namespace gs {

// The magnification list of the print window, in order; the last is chosen at load.
inline constexpr std::array<const char*, 15> kMagnifications = {
    "100%", "200%",  "300%",  "400%",  "500%",  "600%",  "700%", "800%",
    "900%", "1000%", "1500%", "2000%", "3000%", "4000%", "5000%"};

struct PrintSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PrintSize&, const PrintSize&) = default;
};

// nearest(number at the start of `text` x 32 / 100) on both sides; "Stretch",
// with blanks around it or not, means the whole printable area. Text without a
// number gives 0; a negative number gives 0 (nothing is drawn).
PrintSize MagnifiedSize(std::string_view text, int printableWidth, int printableHeight);

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// On the printer, in printable-area pixels: centred, nearest halves to even.
// Larger than the page gives a negative left or top; the page edge cuts it.
PixelRect PagePlacement(int printableWidth, int printableHeight, PrintSize size);

// The part of `page` on the sheet (the whole paper, in the same printable-area
// pixels, so it starts left of and above 0 by the margins), cut into bands of
// whole cell rows of at most about `maxPixels` pixels each (one cell row at
// least), top to bottom: the pieces the page is drawn in, each enlarged in
// whole printer pixels, so that a huge magnification never needs one huge
// picture.
std::vector<PixelRect> PrintBands(const PixelRect& sheet, const PixelRect& page,
                                  long long maxPixels);

enum class PrintOrientation { Portrait, Landscape };

// The sheet of paper inside the 481 x 481 preview backdrop.
struct SheetGeometry {
  double left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const SheetGeometry&, const SheetGeometry&) = default;
};
inline constexpr int kPreviewBackdropSide = 481;
SheetGeometry SheetFor(PrintOrientation o);
// Before any orientation is clicked: the portrait sheet, further right.
SheetGeometry InitialSheet();

// The icon on the sheet, in backdrop pixels relative to the sheet: the page
// rectangle scaled by sheet / printable size on each axis. An empty printable
// area gives an empty rectangle.
PixelRect PreviewPlacement(const SheetGeometry& sheet, double printableWidth,
                           double printableHeight, PrintSize size);

}  // namespace gs
