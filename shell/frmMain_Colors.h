#pragma once
// State of the main window's colours concern: the two drawing colours, the
// colour bar's boxes, the colour dialog and the floating spectrum.
#include <QColor>
#include <QPointer>
#include <array>
#include <functional>
#include <optional>

#include "shell/frmMain.h"
#include "tools/color_state.h"

class QFrame;

namespace gs {

class ColorBox;
class SpectrumPicture;
class frmPalette;

struct ColorsPart {
  ColorState colors;
  QFrame* Picture2 = nullptr;
  ColorBox* picLeftButton = nullptr;
  ColorBox* picRightButton = nullptr;
  std::array<ColorBox*, kPaletteBoxes> picColor{};
  SpectrumPicture* picPalette = nullptr;  // the thumbnail
  QPointer<frmPalette> palette;           // the floating spectrum while shown
  // The colour dialog: the chosen colour, or nothing when cancelled. Tests
  // put their own in place of Qt's dialog.
  std::function<std::optional<QColor>(QWidget* owner)> chooseColor;
};

// After a colour changed anywhere: the two button boxes show the colours.
void RefreshColorButtons(frmMain& window);

// The colour bar's handlers.
void ColorBoxReleased(frmMain& window, int box, Qt::MouseButton button);
void ColorBoxDoubleClicked(frmMain& window, int box);
// Shows the floating spectrum over the thumbnail (once).
void ShowSpectrum(frmMain& window);

}  // namespace gs
