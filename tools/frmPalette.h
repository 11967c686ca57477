#pragma once
// The floating spectrum: a borderless window over the thumbnail that picks
// the left or right colour while a button is dragged across it and goes away
// as soon as the pointer leaves it. It never takes the focus, and it never
// holds the mouse while a modal window is up: it does not show then, and a
// modal window that opens unloads it (the grab would swallow the dialog's
// clicks).
#include <QWidget>
#include <functional>

#include "tools/color_state.h"

namespace gs {

class SpectrumPicture;

class frmPalette : public QWidget {
  Q_OBJECT
 public:
  // `colorsChanged` runs after every pick; `focusBack` gets the keyboard
  // focus when the window unloads.
  frmPalette(ColorState& colors, std::function<void()> colorsChanged, QWidget* focusBack);

  // Bottom-left corner on the thumbnail's bottom-left corner (global pixels).
  void PlaceOver(const QRect& thumbnailGlobal);
  // Shows topmost without activating.
  void ShowFloating();

  SpectrumPicture* picPalette() const { return picture_; }

  // The picture's handlers, positions in picture pixels.
  void PicturePress(Qt::MouseButton button, QPointF pos);
  void PictureMove(Qt::MouseButtons buttons, QPointF pos);

 protected:
  bool event(QEvent* e) override;

 private:
  void Unload(bool focusMain);
  // Grabs the mouse unless a modal window is up.
  void Grab();

  ColorState& colors_;
  std::function<void()> colorsChanged_;
  QWidget* focusBack_;
  SpectrumPicture* picture_;
};

}  // namespace gs
