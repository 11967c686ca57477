#pragma once
// The pixel rules of the effects menu and the effect windows. Each kernel is a
// plain function over a surface (and a rectangle where it has one); the menu
// handlers, the windows and glyphsmith-tool wrap them with the undo copy and
// the repaint, so all three produce the same pixels.
//
// Coordinates are icon pixels, x to the right, y downward. An Area runs
// rightward and downward from its origin; an empty or negative extent changes
// nothing. Rectangles and areas outside the surface are clipped; no kernel
// writes outside it.
#include <cstdint>
#include <optional>
#include <string_view>

#include "document/colors.h"
#include "document/icon_document.h"
#include "document/surface.h"

namespace gs {

// The highlight colour zigzag uses where no desktop palette is at hand (the
// tool, tests); the editor passes its palette's highlight instead.
inline constexpr Color kDefaultHighlight = RGB(0x30, 0x8C, 0xC6);
// The duotone colour of the window: the effect keeps the red channel.
inline constexpr Color kDuoToneRed = RGB(255, 0, 0);

// Every pixel of r turns into its inverse, and a pixel whose inverse is black
// turns white instead: white and black both end up white (transparent).
void InvertColors(Surface& s, const Rect& r);

// Pixels of r exactly equal to `from` become `to`.
void ReplaceColor(Surface& s, const Rect& r, Color from, Color to);

// The block size a pixelate reply asks for: the leading number rounded halves
// to even. Empty, non-numeric, zero, negative or rounding-to-zero replies give
// nothing (the menu then changes nothing and takes no undo copy). Sizes of 32
// and more all mean one block, so they come back as 32.
std::optional<int> PixelateBlockSize(std::string_view reply);

// dst (area) := blocks of n x n from the area's origin, each filled with the
// src pixel at its top-left corner (the first of its pixels on both surfaces
// when the corner is off them); the last column and row of blocks are cut at
// the area's edge. src and dst may be the same surface. n < 1 leaves dst alone.
void PixelateRect(const Surface& src, const Area& area, int n, Surface& dst);

// Checkerboard anchored at the area's origin: pixels (x + i, y + j) with an
// even (i + j) become `highlight`, the others stay. With keepTransparent,
// pixels equal to transparentColor never change.
void ZigzagRect(Surface& s, const Area& area, bool keepTransparent, Color transparentColor,
                Color highlight = kDefaultHighlight);

// Horizontal: top and bottom rows swap (result (x, y) = source (x, 31 - y)).
// Vertical: left and right columns swap (result (x, y) = source (31 - x, y)).
enum class MirrorAxis { Horizontal, Vertical };
void Mirror(Surface& s, MirrorAxis axis);

// 90 clockwise, 180, 270 (the counter-clockwise quarter turn); any other
// angle does nothing.
void RotateQuarter(Surface& s, int angle);

// The free-angle turn (degrees, clockwise), mapping each source pixel forward
// around pixel (16, 16) with the constant 3.141592654; the pixel also lands on
// its right neighbour, the last pixel visited wins, and what nothing reaches
// takes `fill`. No interpolation. Works on the top-left 32 x 32 pixels.
void RotateByAngle(Surface& s, double angle, Color fill);
// The cell RotateByAngle moves the pixel at (x, y) of the icon to (before its
// right-neighbour copy); it may lie beyond the icon.
Point RotatedCell(int x, int y, double angle);

// The angle a free-rotation reply asks for: its leading number; nothing when
// it is 0 (or the reply holds no number), which means "do not turn".
std::optional<double> RotationAngle(std::string_view reply);

// dst (area) := src pixel AND colour, byte by byte, or the transparent colour
// where the src pixel is transparent. dst keeps everything else.
void DuoToneRect(const Surface& src, const Area& area, Color colour, Surface& dst,
                 Color transparentColor = kTransparent);

// Earthquake intensity from the field's text: leading number, halves to even.
// Anything below 0 counts as 0 and anything above the width as the width, so
// huge or negative typing gives a defined picture instead of stray copies.
int EarthQuakeShift(std::string_view text, int width);

// Within the area: even rows (0, 2, ... of the area) slide right by n, odd
// rows left by n. With wrap the pixels pushed out re-enter on the other side;
// without, the freed pixels turn white. n is clamped to 0..w. dst receives the
// area; false when it is empty or lies wholly outside dst.
bool EarthQuakeRect(const Surface& src, const Area& area, int n, Surface& dst, bool wrap);

// The four resample numbers.
struct ResampleBox {
  int offX = 0;
  int offY = 0;
  int width = kIconSize;
  int height = kIconSize;
};
// What the fields read: leading number of each text, halves to even,
// saturating at the int range.
ResampleBox ResampleBoxFromTexts(std::string_view offX, std::string_view offY,
                                 std::string_view width, std::string_view height);
// The fields' starting values: the selection where it is, else the whole icon.
ResampleBox InitialResampleBox(const Selection& selection);

// The resampled icon: the source (the selection, else the whole icon) is
// erased to white and drawn again, area-averaged, into `box` (negative extents
// mirror, running from the origin leftward or upward, origin included).
Surface ResampleIcon(const Surface& icon, const Selection& selection, const ResampleBox& box);

// The picture of a whole-icon effect window: the document with the effect
// applied to the selection, or to the whole icon without one.
Surface DuoTonePreview(const Surface& icon, const Selection& selection, Color colour = kDuoToneRed);
Surface EarthQuakePreview(const Surface& icon, const Selection& selection, int n, bool wrap);

}  // namespace gs
