#pragma once
// The choices of the save-options window (frmSave): colour depth, the palette
// method of 8-bit icons and the cursor hotspot. The window only shows this
// model and forwards its control events to it.
//
//   SaveOptions o;                          // first load: 4 bits, "Extreme"
//   o.Prepare(kSaveIconTitle, false);       // what each save flow does first
//   o.SelectType(2);                        // 8 bits: the optimise list is enabled
//   HotspotCheck c = o.Confirm("5", "7");   // OK
//   if (!c.ok) ShowWarning(c.warning);      // the window stays open
//   WriteIconFile(path, doc, o.bitCnt, PaletteMethodFromResult(o.result));
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/surface.h"
#include "files/palette_methods.h"

namespace gs {

inline constexpr std::uint8_t kSaveCancelled = 255;

inline constexpr char kSaveIconTitle[] = "Save Icon";
inline constexpr char kSaveCursorTitle[] = "Save Cursor";
inline constexpr char kSaveBitmapTitle[] = "Save Bitmap";
inline constexpr char kSavePcxTitle[] = "Save PCX";

inline constexpr char kHotspotXWarning[] = "X Hotspot doit avoir une valeur entre 0 et 31 !";
inline constexpr char kHotspotYWarning[] = "Y Hotspot doit avoir une valeur entre 0 et 31 !";

struct SaveTypeRow {
  const char* text;
  int bitCnt;
  int arrUBnd;  // last index of the colour block
};
inline constexpr std::array<SaveTypeRow, 4> kSaveTypeRows{{
    {"Black/White (1bit)", 1, 127},
    {"16 colors (4bit)", 4, 511},
    {"256 colors (8bit)", 8, 1023},
    {"24 bit", 24, 3071},
}};
inline constexpr std::array<const char*, 3> kOptimizeRows{"None", "High", "Extreme"};

// The row of kSaveTypeRows that saves at bitCnt; -1 for none.
int SaveTypeRowFor(int bitCnt);

// The optimise list is usable for 8-bit icons and cursors only: never in a
// window titled "Save Bitmap" or "Save PCX".
bool OptimizeListEnabled(std::string_view title, int bitCnt);

// The writer's reading of the result: lowest bit set "High", else second bit
// "Extreme", else "None".
PaletteMethod PaletteMethodFromResult(std::uint8_t result);

struct HotspotCheck {
  bool ok = true;
  std::string warning;  // the X or the Y warning when not ok
  std::int16_t x = 0;
  std::int16_t y = 0;
};
// The hotspot texts as typed: each read as its leading number (no number is
// 0), X checked before Y, each within 0..31, then rounded halves to even.
HotspotCheck CheckHotspot(std::string_view xText, std::string_view yText);

class SaveOptions {
 public:
  // The state after the window's first load: "16 colors (4bit)" and
  // "Extreme", hotspot texts "0".
  SaveOptions();

  // Each save flow, before showing the window.
  void Prepare(std::string_view title, bool hotspotVisible);

  void SelectType(int row);      // 0..3; other rows are ignored
  void SelectOptimize(int row);  // 0..2; other rows are ignored
  bool OptimizeEnabled() const { return OptimizeListEnabled(title, bitCnt); }

  // A press (or a drag with the left button) on the preview at (x, y).
  void PointAtPreview(int x, int y);

  // OK. When the hotspot group is shown, checks the texts; on success the
  // hotspot is taken and the result becomes the palette method the list
  // shows. Returns the check (always ok without the hotspot group).
  HotspotCheck Confirm(std::string_view xText, std::string_view yText);
  HotspotCheck Confirm() { return Confirm(hotXText, hotYText); }
  // Cancel, the close box and Escape.
  void Cancel() { result = kSaveCancelled; }
  bool Cancelled() const { return result == kSaveCancelled; }

  std::string title;
  bool hotspotVisible = false;
  int typeRow = 1;
  int optimizeRow = 2;
  int bitCnt = 4;
  int arrUBnd = 511;
  std::uint8_t result = 2;
  std::string hotXText = "0";
  std::string hotYText = "0";
  std::int16_t hotspotX = 0;
  std::int16_t hotspotY = 0;
};

// The 32 x 32 picture the preview shows: the document through the standard
// table of bitCnt (transparent pixels stay white). Unknown depths give the
// document unchanged.
Surface PreviewAtDepth(const Surface& document, int bitCnt);

}  // namespace gs
