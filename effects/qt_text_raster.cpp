#include "effects/qt_text_raster.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

namespace gs {

namespace {

// 96 pixels per inch, as a desktop screen: 8 points are about 11 pixels.
constexpr int kDotsPerMeter96 = 3780;

QImage Canvas(QSize size, QImage::Format format) {
  QImage image(size, format);
  image.setDotsPerMeterX(kDotsPerMeter96);
  image.setDotsPerMeterY(kDotsPerMeter96);
  return image;
}

void SetUpPainter(QPainter& p, const TextStyle& style, const QColor& color) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setFont(TextFont(style));
  p.setPen(color);
}

}  // namespace

QFont TextFont(const TextStyle& style) {
  QFont f(QString::fromStdString(style.family));
  f.setPointSize(style.pointSize);
  f.setBold(style.bold);
  f.setItalic(style.italic);
  f.setUnderline(style.underline);
  f.setStrikeOut(style.strikeOut);
  f.setStyleStrategy(QFont::NoAntialias);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

std::vector<std::uint8_t> TextCoverage(const TextStyle& style, const QString& text, int x, int y,
                                       int w, int h) {
  std::vector<std::uint8_t> coverage(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
  if (text.isEmpty() || w <= 0 || h <= 0 || x >= w || y >= h) return coverage;
  QImage image = Canvas(QSize(w, h), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  const QFontMetrics metrics(TextFont(style), &image);
  // Text that ends before the picture starts draws nothing; skipping it also
  // keeps far-off positions out of the rasteriser's fixed-point range.
  const qint64 width = metrics.horizontalAdvance(text) + metrics.height();
  if (static_cast<qint64>(x) + width <= 0 || static_cast<qint64>(y) + metrics.height() * 2 <= 0)
    return coverage;
  QPainter p(&image);
  SetUpPainter(p, style, Qt::black);
  p.drawText(QPoint(x, y + metrics.ascent()), text);
  p.end();
  for (int py = 0; py < h; ++py) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(py));
    for (int px = 0; px < w; ++px)
      coverage[static_cast<std::size_t>(py) * w + px] = static_cast<std::uint8_t>(qAlpha(row[px]));
  }
  return coverage;
}

Surface StampText(const Surface& icon, const TextStyle& style, const QString& text, int x, int y,
                  Color color) {
  Surface out = icon;
  StampCoverage(out, TextCoverage(style, text, x, y, out.Width(), out.Height()), color);
  return out;
}

QImage TextSampleImage(const TextStyle& style, Color color, QSize size) {
  QImage image = Canvas(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  SetUpPainter(p, style, QColor(RedOf(color), GreenOf(color), BlueOf(color)));
  const QFontMetrics metrics(p.font(), &image);
  const QString sample = QString::fromLatin1(kTextSample);
  const int x = (size.width() - metrics.horizontalAdvance(sample)) / 2;
  const int y = (size.height() - metrics.height()) / 2;
  p.drawText(QPoint(x, y + metrics.ascent()), sample);
  return image;
}

QStringList InstalledFontFamilies() {
  QStringList names;
  for (const QString& f : QFontDatabase::families())
    if (!QFontDatabase::isPrivateFamily(f)) names << f;
  return names;
}

QString DesktopSansSerif() {
  QFont f(QStringLiteral("Sans Serif"));
  f.setStyleHint(QFont::SansSerif);
  return QFontInfo(f).family();
}

}  // namespace gs
