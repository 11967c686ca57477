#include "import/qt_icon_provider.h"

#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>

#include "files/icon_image.h"
#include "platform/file_read.h"

namespace gs {

IconPicture PictureFromImage(const QImage& source) {
  const QImage img = source.convertToFormat(QImage::Format_ARGB32);
  IconImage at{img.width(), img.height(), {}, {}};
  at.colors.reserve(static_cast<std::size_t>(img.width()) * img.height());
  at.alpha.reserve(at.colors.capacity());
  for (int y = 0; y < img.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      at.colors.push_back(RGB(qRed(row[x]), qGreen(row[x]), qBlue(row[x])));
      at.alpha.push_back(static_cast<std::uint8_t>(qAlpha(row[x])));
    }
  }
  IconPicture p;
  BringTo32(at, p.overWhite, p.alpha);
  p.scaled = img.width() != 32 || img.height() != 32;
  return p;
}

QImage ImageOfPicture(const IconPicture& p) {
  QImage img(32, 32, QImage::Format_ARGB32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const Color c = p.overWhite.GetPixel(x, y);
      img.setPixel(x, y, qRgba(RedOf(c), GreenOf(c), BlueOf(c), p.alpha[y * 32 + x]));
    }
  return img;
}

bool DesktopIconProvider::Associated(const std::string& path, IconPicture& out) {
  if (!RegularFileExists(path)) return false;
  const QMimeType type = QMimeDatabase().mimeTypeForFile(QString::fromStdString(path));
  QIcon icon = QIcon::fromTheme(type.iconName());
  if (icon.isNull()) icon = QIcon::fromTheme(type.genericIconName());
  if (!icon.isNull()) {
    const QImage img = icon.pixmap(QSize(32, 32)).toImage();
    if (!img.isNull()) {
      out = PictureFromImage(img);
      return true;
    }
  }
  out = GenericDocumentIcon();
  return true;
}

}  // namespace gs
