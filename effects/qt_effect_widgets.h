#pragma once
// Pieces the effect windows share: a picture box showing a surface at actual
// size.
#include <QColor>
#include <QImage>
#include <QWidget>

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

}  // namespace gs
