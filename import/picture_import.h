#pragma once
// The rules of the picture-import window, without the window: the region's
// corners and how they are typed, dragged and ordered, the scroll ranges, the
// open dialog's filter, and the scaled copy into the icon.
//
//   ImportRegion r = StartRegion(pic.width, pic.height);  // the first picture's
//   r.SetCorner(2, CornerFromText("12"));    // typed into txtWidth: X2 = 12
//   r.Press(40, 30); r.Release(10, 5, pic);  // a drag, clamped to the picture
//   r.Arrange();                             // X1 = 10, Y1 = 5, X2 = 40, Y2 = 30
//   ImportPictureRegion(doc.surface, pic, r);
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "document/icon_document.h"
#include "document/surface.h"
#include "files/file_dialogs.h"
#include "import/picture_decoder.h"

namespace gs {

// X1, Y1, X2, Y2 in picture pixels; once ordered the region is X1 <= x < X2,
// Y1 <= y < Y2.
struct ImportRegion {
  int x1 = 0;
  int y1 = 0;
  int x2 = 32;
  int y2 = 3;

  // Swaps X1/X2 and Y1/Y2 where they are reversed.
  void Arrange();
  // Corner 0..3 (X1, Y1, X2, Y2: the order of the four fields).
  int Corner(int index) const;
  void SetCorner(int index, int value);
  // A press puts X1, Y1 under the pointer; a release puts X2, Y2 there,
  // clamped to 0..width and 0..height.
  void Press(double x, double y);
  void Release(double x, double y, int pictureWidth, int pictureHeight);
  // A left-button move updates X2, Y2 like a release.
  void Move(double x, double y, int pictureWidth, int pictureHeight) {
    Release(x, y, pictureWidth, pictureHeight);
  }
  bool Empty() const { return x1 == x2 || y1 == y2; }
  friend bool operator==(const ImportRegion&, const ImportRegion&) = default;
};

// The built-in texts of the four fields, shown until the first picture comes.
inline constexpr std::array<const char*, 4> kImportFieldDefaults = {"0", "0", "32", "3"};

// What the window marks when its first picture comes: the largest square
// centred on the picture (the whole of a square one), so that the icon made of
// it is not squeezed.
ImportRegion StartRegion(int pictureWidth, int pictureHeight);

// A pointer coordinate in picture pixels: nearest whole number (halves to
// even), then clamped to 0..limit.
int ClampedPicturePixel(double v, int limit);

// The corner typed into a field: the leading number, nearest whole number.
int CornerFromText(std::string_view text);

// What a digits-only field keeps of typed or pasted text.
std::string DigitsOnly(std::string_view text);

// Scroll-bar maximum: how far the picture reaches beyond the visible part.
int ScrollMaximum(int pictureExtent, int visibleExtent);

// The region, ordered, scaled onto the 32 x 32 surface (each axis on its own,
// area-averaging). A region of no width or height leaves the surface as it was;
// corners beyond the picture read its edge pixels. False when nothing was drawn.
bool ImportPictureRegion(Surface& icon, const Picture& picture, ImportRegion region);

// The whole picture as a new 32 x 32 icon: the region (0, 0)-(width, height).
Surface ImportWholePicture(const Picture& picture);

// A picture file's bytes as a new 32 x 32 icon: the region when one is given
// (ordered; beyond the picture its edge repeats), else the whole picture. The
// tool and the editor's Open import through here, from the picture decoded at
// its full size as the import window shows it, so the whole picture and the
// region (0, 0)-(width, height) give the same icon everywhere. False with the
// decoder's reason when the bytes are no readable picture.
bool ImportPictureBytes(std::span<const std::uint8_t> bytes,
                        const std::optional<ImportRegion>& region, Surface& icon,
                        std::string& error);

// A picture given to the editor's Open or command line becomes a new document:
// the whole picture imported, no file name (Save asks for one, so the picture
// is never overwritten by an icon), not modified, no selection. False with the
// decoder's reason when the bytes are no readable picture; `doc` is then
// untouched.
bool OpenPictureAsDocument(std::span<const std::uint8_t> bytes, IconDocument& doc,
                           std::string& error);

// The open dialog: title "Import Picture" and the six pairs of the filter.
FileDialogRequest ImportPictureDialog();

// The region "X1,Y1,X2,Y2" as the tool takes it; false for anything else
// (four non-negative whole numbers, each at most 2^31 - 1).
bool ParseRegionText(std::string_view text, ImportRegion& out);

}  // namespace gs
