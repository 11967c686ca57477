#include "effects/qt_effect_widgets.h"

#include <QPainter>

#include "document/qt_canvas.h"

namespace gs {

SurfaceBox::SurfaceBox(const QString& name, QSize size, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setFixedSize(size);
}

void SurfaceBox::SetSurface(const Surface& s) {
  surface_ = s;
  update();
}

QImage SurfaceBox::Rendered() const {
  QImage image(size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  if (surface_.Width() > 0) p.drawImage(0, 0, SurfaceImage(surface_));
  return image;
}

void SurfaceBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Rendered());
}

}  // namespace gs
