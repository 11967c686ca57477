#pragma once
// Pieces the effect windows share: a picture box showing a surface at actual
// size, named controls, and the layout of the window around its previews.
#include <QColor>
#include <QImage>
#include <QWidget>

class QLabel;
class QLayout;
class QPushButton;

#include "document/surface.h"
#include "tools/qt_tool_panels.h"  // ToQColor, FromQColor

namespace gs {

// A picture box the size of the main window's actual-size preview, showing a
// surface's pixels at (0, 0) on white; its content stays until replaced.
class SurfaceBox : public QWidget {
  Q_OBJECT
 public:
  SurfaceBox(const QString& name, QSize size, QWidget* parent);
  void SetSurface(const Surface& s);
  const Surface& Shown() const { return surface_; }
  // The box's picture as it is on screen (for tests and screenshots).
  QImage Rendered() const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Surface surface_;
};

// Controls carry their names, which the language files use as keys.
QLabel* NamedLabel(const char* name, const char* text, QWidget* parent);
QPushButton* NamedButton(const char* name, const char* text, QWidget* parent);

enum class ControlsAt { Above, Below };

// The layout every effect window shares: the window's own controls above or
// below the original and changed pictures, OK and Cancel stacked on the right,
// the window at its natural size.
void LayOutEffectWindow(QWidget* window, QLayout* controls, ControlsAt where, QLabel* label1,
                        SurfaceBox* original, QLabel* label2, SurfaceBox* changed, QPushButton* ok,
                        QPushButton* cancel);

}  // namespace gs
