#pragma once
// The two drawing colours, the 21 colour boxes of the colour bar, the colour
// dialog's custom colours, and the spectrum the floating palette shows.
#include <array>

#include "document/colors.h"
#include "document/surface.h"

namespace gs {

inline constexpr int kPaletteBoxes = 21;  // 0..19 palette, 20 transparent
inline constexpr int kTransparentBox = 20;
inline constexpr int kCustomColors = 16;

struct ColorState {
  Color left = kBlack;
  Color right = kWhite;
  std::array<Color, kPaletteBoxes> boxes = DefaultPalette();
  // What the colour dialog keeps between openings during one run.
  std::array<Color, kCustomColors> customColors{};

  static std::array<Color, kPaletteBoxes> DefaultPalette();

  // The colour a button paints with: the left colour for the left button,
  // else the right colour.
  Color ForButton(int button) const;

  // Every way of picking a colour (a box, the spectrum, the picker tool) sets
  // it here: the left colour while the left button is among `buttons`, else
  // the right colour while the right one is. False when neither is held.
  bool PickColor(Color c, int buttons);

  // A button released over box i (0..20) picks its colour for that button.
  // False (nothing changes) for other buttons or boxes.
  bool PickBox(int box, int button);

  // Whether a double-click on box i opens the colour dialog (not box 20).
  static bool BoxTakesDialog(int box) { return box >= 0 && box < kTransparentBox; }
};

// Layout of the colour bar, in its pixels.
inline constexpr int kColorBoxSide = 17;
Rect PaletteBoxRect(int box);
Rect FrameRect();        // Picture2
Rect LeftButtonRect();   // picLeftButton, inside Picture2
Rect RightButtonRect();  // picRightButton, inside Picture2

// A smooth hue and lightness field: hue runs across, lightness down from
// white through the full colour to black. Used to draw both spectrum pictures.
Color SpectrumColor(double x, double y, double width, double height);
Surface MakeSpectrum(int width, int height);

inline constexpr int kSpectrumWidth = 202;
inline constexpr int kSpectrumHeight = 131;
inline constexpr int kSpectrumThumbSide = 47;

// While the pointer stays strictly inside the spectrum picture it picks (with
// a button held); at or past any edge the window goes away.
inline bool SpectrumKeepsOpen(double x, double y, double width, double height) {
  return x > 0 && x < width && y > 0 && y < height;
}

}  // namespace gs
