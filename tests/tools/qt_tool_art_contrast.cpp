// Tool pictures stay readable on a dark desktop palette.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <algorithm>

#include "document/contrast.h"
#include "tools/qt_tool_art.h"
#include "tools/tool_table.h"

namespace gs {
namespace {

// The least contrast, against `background`, of the picture's pixels where
// its light-palette drawing has its lines (the dark grey and black ones).
double LeastLineContrast(ToolIndex tool, QColor background, int* lines) {
  const QImage reference =
      ToolButtonGlyph(tool, Qt::white).toImage().convertToFormat(QImage::Format_ARGB32);
  const QImage image = ToolButtonGlyph(tool).toImage().convertToFormat(QImage::Format_ARGB32);
  const Color bg = RGB(background.red(), background.green(), background.blue());
  double least = 21;
  *lines = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb ref = reference.pixel(x, y);
      const int r = qRed(ref), g = qGreen(ref), b = qBlue(ref);
      if (qAlpha(ref) < 160 || std::max({r, g, b}) > 96 ||
          std::max({r, g, b}) - std::min({r, g, b}) > 24)
        continue;
      ++*lines;
      const QRgb px = image.pixel(x, y);
      least = std::min(least, ContrastRatio(RGB(qRed(px), qGreen(px), qBlue(px)), bg));
    }
  return least;
}

TEST(ToolArt, LinesKeepTheirContrastOnDarkAndLightPalettes) {
  const QPalette saved = QApplication::palette();
  for (const QColor button : {QColor(53, 53, 53), QColor(30, 30, 46), QColor(239, 239, 239)}) {
    QPalette palette = saved;
    palette.setColor(QPalette::Button, button);
    QApplication::setPalette(palette);
    for (int t = 0; t < kToolCount; ++t) {
      int lines = 0;
      const double least = LeastLineContrast(*ToolFromIndex(t), button, &lines);
      EXPECT_GT(lines, 0) << "tool " << t;
      EXPECT_GE(least, kReadableContrast) << "tool " << t << " on " << button.name().toStdString();
    }
  }
  QApplication::setPalette(saved);
}

}  // namespace
}  // namespace gs
