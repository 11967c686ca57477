#pragma once
// The magnified canvas (picIcon) and the actual-size preview (picSmallIcon).
// Both only show the document; the canvas forwards pointer and key events to
// whoever listens (the drawing engine) and decides nothing itself.
#include <QImage>
#include <QWidget>

#include "document/canvas_view.h"
#include "document/icon_document.h"

namespace gs {

class IconCanvas : public QWidget {
  Q_OBJECT
 public:
  IconCanvas(IconDocument& doc, QWidget* parent = nullptr);

  // The canvas's inner size in screen pixels, kept as floating point because
  // zooming scales it by 1.1 and 0.88; the widget itself takes the nearest size.
  double ScaleWidth() const { return scaleWidth_; }
  double ScaleHeight() const { return scaleHeight_; }
  // Takes the nearest whole size; where it stands is its parent's business
  // (the main window's scroll view).
  void SetScale(double width, double height);

  // Document cell under a canvas position.
  Point CellAt(QPointF pos) const {
    return MapPointer(pos.x(), pos.y(), scaleWidth_, scaleHeight_);
  }

  // While a selection is moved the outline is hidden.
  void SetMoving(bool moving) { moving_ = moving; }
  bool Moving() const { return moving_; }

  // Cell borders, once a cell is large enough (GridFits).
  void SetGrid(bool on);
  bool Grid() const { return grid_; }

  // The part `area` of the picture the canvas shows, outline included, and
  // the grid unless `withGrid` is false.
  QImage Render(const QRect& area, bool withGrid = true) const;
  // The whole picture (for tests and screenshots).
  QImage Rendered() const { return Render(rect()); }

 signals:
  void pressed(Qt::MouseButton button, QPointF pos, Qt::KeyboardModifiers mods);
  void moved(Qt::MouseButtons buttons, QPointF pos, Qt::KeyboardModifiers mods);
  void released(Qt::MouseButton button, QPointF pos, Qt::KeyboardModifiers mods);
  void doubleClicked(Qt::MouseButton button, QPointF pos);
  void keyPressed(int key, Qt::KeyboardModifiers mods);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  // The outline onto `image`, which shows the canvas from `origin` on.
  void DrawMask(QImage& image, QPoint origin) const;

  IconDocument& doc_;
  double scaleWidth_ = 256;
  double scaleHeight_ = 256;
  bool moving_ = false;
  bool grid_ = false;
};

class IconPreview : public QWidget {
  Q_OBJECT
 public:
  IconPreview(const IconDocument& doc, QWidget* parent = nullptr);
  QImage Rendered() const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  const IconDocument& doc_;
};

// A surface's pixels as a picture of the same size.
QImage SurfaceImage(const Surface& surface);

}  // namespace gs
