#pragma once
// The one open image: 32 x 32 pixels in 24-bit colour, pure white meaning
// transparent, plus the state that tools, files and effects share.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/colors.h"
#include "document/surface.h"

namespace gs {

inline constexpr int kIconSize = 32;

// The rectangular selection. While it is dragged out the corners may be in
// any order; the selected pixels are X1 <= x < X2, Y1 <= y < Y2.
struct Selection {
  bool active = false;
  std::int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  // The same rectangle in canvas pixels, set when the outline is drawn; used
  // to hit-test the pointer.
  Rect viewRect;

  void ArrangeMask();
  void DestroyMask();
  Rect Pixels() const { return {X1, Y1, X2, Y2}; }
};

struct IconDocument {
  std::int32_t Width = kIconSize;
  std::int32_t Height = kIconSize;
  Surface surface;
  bool modified = false;
  std::string fileName;
  std::int16_t hotspotX = 0;
  std::int16_t hotspotY = 0;
  Selection selection;
  // The file the picture was opened from, when it held images besides the one
  // shown (other sizes and depths, PNG entries, other cursor images): Save
  // writes them back byte for byte around the edited picture. Empty for a
  // single-image file, a new, imported or pasted-in picture.
  std::shared_ptr<const std::vector<std::uint8_t>> sourceFile;
  int sourceEntry = -1;  // the directory entry the picture was read from
  // Read from a cursor of one image: Save writes a cursor again, with the
  // file's hotspot, rather than turning the user's cursor into an icon.
  bool fromCursor = false;
  std::int16_t fileHotspotX = 0, fileHotspotY = 0;

  // A white, unmodified, unnamed document.
  IconDocument();

  // New: every pixel white; file name and modified flag stay as they are.
  void Clear();

  // The picture no longer comes from a file it could be saved back into
  // (its other images, a one-image cursor's hotspot).
  void ForgetOtherImages() {
    sourceFile.reset();
    sourceEntry = -1;
    fromCursor = false;
  }
  bool HasOtherImages() const { return sourceFile != nullptr; }

  // The selection when one is active, else the whole icon.
  Rect EffectRect() const;
};

// A fresh all-white 32 x 32 surface.
Surface MakeIconSurface();

}  // namespace gs
