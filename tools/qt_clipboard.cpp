#include "tools/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <algorithm>

#include "document/canvas_view.h"
#include "document/qt_canvas.h"

namespace gs {

QImage SurfaceToImage(const Surface& s) {
  // 24 bits, so other programs paste plain colour pixels.
  if (s.Width() <= 0 || s.Height() <= 0) {
    QImage blank(1, 1, QImage::Format_RGB888);
    blank.fill(Qt::white);
    return blank;
  }
  return SurfaceImage(s).convertToFormat(QImage::Format_RGB888);
}

Surface ImageToSurface(const QImage& image, int maxW, int maxH) {
  const int w = std::min(image.width(), maxW), h = std::min(image.height(), maxH);
  if (w <= 0 || h <= 0) return Surface();
  QImage flat(w, h, QImage::Format_RGB32);
  flat.fill(Qt::white);
  {
    QPainter p(&flat);
    p.drawImage(0, 0, image, 0, 0, w, h);
  }
  Surface s(w, h);
  for (int y = 0; y < h; ++y) {
    const auto* line = reinterpret_cast<const std::uint32_t*>(flat.constScanLine(y));
    for (int x = 0; x < w; ++x) s.Row(y)[x] = FromArgb32(line[x]);
  }
  return s;
}

bool SystemClipboard::SetImage(const Surface& image) {
  QClipboard* clip = QGuiApplication::clipboard();
  if (!clip) return false;
  clip->setImage(SurfaceToImage(image));
  return true;
}

std::optional<Surface> SystemClipboard::GetImage() {
  QClipboard* clip = QGuiApplication::clipboard();
  if (!clip) return std::nullopt;
  const QMimeData* mime = clip->mimeData();
  if (!mime || !mime->hasImage()) return std::nullopt;
  const QImage image = clip->image();
  if (image.isNull()) return std::nullopt;
  Surface s = ImageToSurface(image, kIconSize, kIconSize);
  if (s.Width() <= 0 || s.Height() <= 0) return std::nullopt;
  return s;
}

}  // namespace gs
