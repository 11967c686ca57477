#include "document/qt_canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "document/numeric.h"

namespace gs {

QImage SurfaceImage(const Surface& surface) {
  QImage image(surface.Width(), surface.Height(), QImage::Format_RGB32);
  for (int y = 0; y < surface.Height(); ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    const Color* row = surface.Row(y);
    for (int x = 0; x < surface.Width(); ++x) line[x] = ToArgb32(row[x]);
  }
  return image;
}

IconCanvas::IconCanvas(IconDocument& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  setObjectName("picIcon");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setAutoFillBackground(false);
}

void IconCanvas::SetScale(double width, double height) {
  scaleWidth_ = width;
  scaleHeight_ = height;
  resize(std::max(1, Nearest(width)), std::max(1, Nearest(height)));
  update();
}

void IconCanvas::SetGrid(bool on) {
  grid_ = on;
  update();
}

QImage IconCanvas::Render(const QRect& area, bool withGrid) const {
  QImage image(area.size(), QImage::Format_RGB32);
  if (image.isNull()) return image;
  StretchToArgb32(
      doc_.surface, reinterpret_cast<std::uint32_t*>(image.bits()), image.bytesPerLine() / 4,
      {scaleWidth_, scaleHeight_, area.left(), area.top(), area.width(), area.height()});
  if (withGrid && grid_ && GridFits(scaleWidth_, scaleHeight_)) {
    constexpr std::uint32_t kGridLine = 0xFFA0A0A0u;
    for (int x : GridLines(scaleWidth_)) {
      x -= area.left();
      if (x < 0 || x >= image.width()) continue;
      for (int y = 0; y < image.height(); ++y)
        reinterpret_cast<std::uint32_t*>(image.scanLine(y))[x] = kGridLine;
    }
    for (int y : GridLines(scaleHeight_)) {
      y -= area.top();
      if (y < 0 || y >= image.height()) continue;
      std::fill_n(reinterpret_cast<std::uint32_t*>(image.scanLine(y)), image.width(), kGridLine);
    }
  }
  if (!moving_) DrawMask(image, area.topLeft());
  return image;
}

void IconCanvas::paintEvent(QPaintEvent* e) {
  // Only what is exposed: a zoomed canvas may be far larger than its view.
  const QRect area = e->rect();
  QPainter p(this);
  p.drawImage(area.topLeft(), Render(area));
}

// Dotted outline that inverts what is under it, at f x the selection's corners.
void IconCanvas::DrawMask(QImage& image, QPoint origin) const {
  Selection& sel = doc_.selection;
  if (!sel.active) return;
  const Rect r = SelectionViewRect(sel, scaleWidth_);
  sel.viewRect = r;
  const int l = std::min(r.left, r.right), t = std::min(r.top, r.bottom);
  const int rr = std::max(r.left, r.right), b = std::max(r.top, r.bottom);
  auto invert = [&](int x, int y) {
    x -= origin.x();
    y -= origin.y();
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return;
    auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    line[x] ^= 0x00FFFFFF;
  };
  int dot = 0;
  for (int x = l; x <= rr; ++x, ++dot)
    if (dot % 2 == 0) invert(x, t), invert(x, b);
  dot = 0;
  for (int y = t + 1; y < b; ++y, ++dot)
    if (dot % 2 == 1) invert(l, y), invert(rr, y);
}

void IconCanvas::mousePressEvent(QMouseEvent* e) {
  setFocus(Qt::MouseFocusReason);
  emit pressed(e->button(), e->position(), e->modifiers());
}

void IconCanvas::mouseMoveEvent(QMouseEvent* e) {
  emit moved(e->buttons(), e->position(), e->modifiers());
}

void IconCanvas::mouseReleaseEvent(QMouseEvent* e) {
  emit released(e->button(), e->position(), e->modifiers());
}

void IconCanvas::mouseDoubleClickEvent(QMouseEvent* e) {
  // A double click is also a second press, as the drawing tools expect.
  emit pressed(e->button(), e->position(), e->modifiers());
  emit doubleClicked(e->button(), e->position());
}

void IconCanvas::keyPressEvent(QKeyEvent* e) {
  emit keyPressed(e->key(), e->modifiers());
  QWidget::keyPressEvent(e);
}

IconPreview::IconPreview(const IconDocument& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  setObjectName("picSmallIcon");
  setFixedSize(36, 36);
}

QImage IconPreview::Rendered() const {
  QImage image(36, 36, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.drawImage(0, 0, SurfaceImage(doc_.surface));
  return image;
}

void IconPreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Rendered());
}

}  // namespace gs
