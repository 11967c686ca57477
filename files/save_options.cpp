#include "files/save_options.h"

#include "document/numeric.h"
#include "files/depth.h"

namespace gs {

bool OptimizeListEnabled(std::string_view title, int bitCnt) {
  return title != kSavePcxTitle && title != kSaveBitmapTitle && bitCnt == 8;
}

PaletteMethod PaletteMethodFromResult(std::uint8_t result) {
  if (result & 1) return PaletteMethod::High;
  if (result & 2) return PaletteMethod::Extreme;
  return PaletteMethod::None;
}

HotspotCheck CheckHotspot(std::string_view xText, std::string_view yText) {
  HotspotCheck check;
  const double x = ParseLeadingNumber(xText);
  // Written as "not within" so that a value that is not a number is refused too.
  if (!(x >= 0 && x <= 31)) {
    check.ok = false;
    check.warning = kHotspotXWarning;
    return check;
  }
  const double y = ParseLeadingNumber(yText);
  if (!(y >= 0 && y <= 31)) {
    check.ok = false;
    check.warning = kHotspotYWarning;
    return check;
  }
  check.x = static_cast<std::int16_t>(Nearest(x));
  check.y = static_cast<std::int16_t>(Nearest(y));
  return check;
}

SaveOptions::SaveOptions() {
  SelectType(1);
  SelectOptimize(2);
}

void SaveOptions::Prepare(std::string_view newTitle, bool showHotspot) {
  result = 0;
  hotspotVisible = showHotspot;
  title = newTitle;
}

int SaveTypeRowFor(int bitCnt) {
  for (std::size_t i = 0; i < kSaveTypeRows.size(); ++i)
    if (kSaveTypeRows[i].bitCnt == bitCnt) return static_cast<int>(i);
  return -1;
}

void SaveOptions::SelectType(int row) {
  if (row < 0 || row >= static_cast<int>(kSaveTypeRows.size())) return;
  typeRow = row;
  bitCnt = kSaveTypeRows[row].bitCnt;
  arrUBnd = kSaveTypeRows[row].arrUBnd;
}

void SaveOptions::SelectOptimize(int row) {
  if (row < 0 || row >= static_cast<int>(kOptimizeRows.size())) return;
  optimizeRow = row;
  result = static_cast<std::uint8_t>(row);
}

void SaveOptions::PointAtPreview(int x, int y) {
  hotXText = std::to_string(x);
  hotYText = std::to_string(y);
}

HotspotCheck SaveOptions::Confirm(std::string_view xText, std::string_view yText) {
  HotspotCheck check;
  if (hotspotVisible) {
    hotXText = std::string(xText);
    hotYText = std::string(yText);
    check = CheckHotspot(xText, yText);
    if (!check.ok) return check;
    hotspotX = check.x;
    hotspotY = check.y;
  }
  // The method written is the one the list shows, whatever was picked or
  // reset before this showing.
  result = static_cast<std::uint8_t>(optimizeRow);
  return check;
}

Surface PreviewAtDepth(const Surface& document, int bitCnt) {
  constexpr int kPreviewSide = 32;
  Surface out(kPreviewSide, kPreviewSide);
  if (!IsSupportedDepth(bitCnt) || bitCnt == 24) {
    BitBlt(out, Area{0, 0, kPreviewSide, kPreviewSide}, document, Point{0, 0});
    return out;
  }
  const DepthImage img = ConvertToDepth(document, bitCnt, RowOrder::BottomUp);
  for (int y = 0; y < kPreviewSide; ++y)
    for (int x = 0; x < kPreviewSide; ++x)
      out.SetPixelV(x, y, DepthImagePixel(img, RowOrder::BottomUp, x, y));
  return out;
}

}  // namespace gs
