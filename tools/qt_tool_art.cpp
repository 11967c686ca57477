#include "tools/qt_tool_art.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "document/contrast.h"
#include "document/numeric.h"
#include "tools/tool_kinds.h"

namespace gs {

namespace {

// Black strokes with a white halo, so pointers read on any colour.
void HaloStroke(QPainter& p, const QPainterPath& path, qreal width = 1.0) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, width + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
  p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
}

QPainterPath Segment(QPointF a, QPointF b) {
  QPainterPath path(a);
  path.lineTo(b);
  return path;
}

// Shapes shared by buttons and pointers, drawn in a 22 x 22 box.
void DrawEraser(QPainter& p) {
  QPolygonF body({QPointF(3, 14), QPointF(11, 6), QPointF(18, 13), QPointF(10, 21)});
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(QColor(240, 150, 170));
  p.drawPolygon(body);
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF({QPointF(3, 14), QPointF(6, 11), QPointF(13, 18), QPointF(10, 21)}));
}

void DrawBucket(QPainter& p) {
  QPolygonF pail({QPointF(6, 8), QPointF(13, 3), QPointF(20, 11), QPointF(13, 18)});
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(230, 230, 230));
  p.drawPolygon(pail);
  p.setBrush(QColor(30, 90, 220));
  p.drawPolygon(QPolygonF({QPointF(6, 8), QPointF(3, 14), QPointF(4, 17), QPointF(7, 12)}));
}

void DrawDropper(QPainter& p) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(200, 220, 255));
  QPolygonF tube({QPointF(4, 18), QPointF(12, 10), QPointF(14, 12), QPointF(6, 20)});
  p.drawPolygon(tube);
  p.setBrush(QColor(60, 60, 60));
  p.drawEllipse(QRectF(13, 4, 6, 6));
}

void DrawPencil(QPainter& p) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(250, 210, 60));
  p.drawPolygon(QPolygonF({QPointF(5, 14), QPointF(15, 4), QPointF(19, 8), QPointF(9, 18)}));
  p.setBrush(QColor(240, 200, 160));
  p.drawPolygon(QPolygonF({QPointF(5, 14), QPointF(9, 18), QPointF(2, 21)}));
}

void DrawBrush(QPainter& p) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(150, 90, 40));
  p.drawPolygon(QPolygonF({QPointF(10, 11), QPointF(18, 3), QPointF(20, 5), QPointF(12, 13)}));
  p.setBrush(QColor(40, 40, 40));
  p.drawPolygon(QPolygonF(
      {QPointF(10, 11), QPointF(12, 13), QPointF(8, 19), QPointF(2, 21), QPointF(4, 15)}));
}

void DrawSprayCan(QPainter& p) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(200, 60, 60));
  p.drawRoundedRect(QRectF(10, 8, 8, 13), 2, 2);
  p.setBrush(QColor(120, 120, 120));
  p.drawRect(QRectF(12, 5, 4, 3));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  for (QPointF d :
       {QPointF(3, 3), QPointF(6, 5), QPointF(2, 7), QPointF(5, 9), QPointF(8, 3), QPointF(4, 12)})
    p.drawEllipse(d, 0.9, 0.9);
}

}  // namespace

QPixmap ReadableOn(const QPixmap& picture, QColor background) {
  if (!background.isValid()) background = QGuiApplication::palette().color(QPalette::Button);
  const Color bg = RGB(background.red(), background.green(), background.blue());
  if (ContrastRatio(kBlack, bg) >= kReadableContrast) return picture;  // a light palette
  QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb px = row[x];
      const int r = qRed(px), g = qGreen(px), b = qBlue(px);
      // Lines are the unsaturated pixels; a coloured fill keeps its colour.
      if (qAlpha(px) == 0 || std::max({r, g, b}) - std::min({r, g, b}) > 24) continue;
      const Color ink = ReadableInk(RGB(r, g, b), bg);
      row[x] = qRgba(RedOf(ink), GreenOf(ink), BlueOf(ink), qAlpha(px));
    }
  }
  QPixmap out = QPixmap::fromImage(image);
  out.setDevicePixelRatio(picture.devicePixelRatio());
  return out;
}

QPixmap ToolButtonGlyph(ToolIndex tool, QColor background) {
  QPixmap pm(22, 22);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QPen ink(Qt::black, 1.4);
  using enum ToolIndex;
  switch (tool) {
    case kSelect:
      p.setPen(QPen(Qt::black, 1, Qt::DashLine));
      p.drawRect(QRectF(3.5, 4.5, 15, 13));
      break;
    case kEraser:
      DrawEraser(p);
      break;
    case kFill:
      DrawBucket(p);
      break;
    case kPicker:
      DrawDropper(p);
      break;
    case kPencil:
      DrawPencil(p);
      break;
    case kBrush:
      DrawBrush(p);
      break;
    case kSpray:
      DrawSprayCan(p);
      break;
    case kText: {
      // A bold serif capital, drawn rather than written: loading a serif
      // face for one letter cost the editor's start more than all its tools.
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::black);
      p.drawPolygon(
          QPolygonF({QPointF(10.2, 5), QPointF(12.2, 5), QPointF(16.8, 16.5), QPointF(14, 16.5)}));
      p.setPen(QPen(Qt::black, 1.3));
      p.drawLine(QPointF(10.7, 5.6), QPointF(6.2, 16.5));
      p.setPen(QPen(Qt::black, 1));
      p.drawLine(QPointF(8, 12.5), QPointF(14.6, 12.5));
      p.drawLine(QPointF(4.4, 16.5), QPointF(8.6, 16.5));
      p.drawLine(QPointF(12.6, 16.5), QPointF(18.2, 16.5));
      break;
    }
    case kLine:
      p.setPen(ink);
      p.drawLine(QPointF(4, 18), QPointF(18, 4));
      break;
    case kRectangle:
      p.setPen(ink);
      p.drawRect(QRectF(3.5, 5.5, 15, 11));
      break;
    case kEllipse:
      p.setPen(ink);
      p.drawEllipse(QRectF(3.5, 5.5, 15, 11));
      break;
    case kRoundRect:
      p.setPen(ink);
      p.drawRoundedRect(QRectF(3.5, 5.5, 15, 11), 4, 4);
      break;
    default:
      break;
  }
  p.end();
  return ReadableOn(pm, background);
}

QCursor ToolPointer(int image) {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  {
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (image) {
      case 1: {  // eraser square, hot at its top-left corner
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 10, 10));
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(QRectF(0.5, 0.5, 10, 10));
        break;
      }
      case 2:  // bucket pouring at (3, 14)
        p.translate(0, -3);
        DrawBucket(p);
        break;
      case 3:  // dropper, tip at (3, 13)
        p.translate(-1, -6);
        DrawDropper(p);
        break;
      case 4:  // pencil, tip at (0, 15)
        p.translate(-2, -6);
        DrawPencil(p);
        break;
      case 5:  // brush, tip at (0, 15)
        p.translate(-2, -6);
        DrawBrush(p);
        break;
      case 6:  // spray can, the mist starting at (2, 4)
        p.translate(0, 1);
        DrawSprayCan(p);
        break;
      case 7: {  // four-way move arrows around (16, 16)
        QPainterPath path;
        path.moveTo(16, 4);
        path.lineTo(16, 28);
        path.moveTo(4, 16);
        path.lineTo(28, 16);
        for (auto [x, y, dx, dy] :
             {std::array<int, 4>{16, 4, 1, 1}, {16, 28, 1, -1}, {4, 16, 1, 1}, {28, 16, -1, 1}}) {
          if (x == 16) {
            path.moveTo(x - 3, y + 3 * dy);
            path.lineTo(x, y);
            path.lineTo(x + 3, y + 3 * dy);
          } else {
            path.moveTo(x + 3 * dx, y - 3);
            path.lineTo(x, y);
            path.lineTo(x + 3 * dx, y + 3);
          }
        }
        HaloStroke(p, path, 1.2);
        break;
      }
      default: {  // crosshair on (15, 16)
        p.setRenderHint(QPainter::Antialiasing, false);
        QPainterPath path = Segment({15.5, 6.5}, {15.5, 13.5});
        path.addPath(Segment({15.5, 19.5}, {15.5, 26.5}));
        path.addPath(Segment({5.5, 16.5}, {12.5, 16.5}));
        path.addPath(Segment({18.5, 16.5}, {25.5, 16.5}));
        HaloStroke(p, path);
        break;
      }
    }
  }
  const Point hot = PointerHotspot(image);
  return QCursor(pm, hot.x, hot.y);
}

QImage PanelPicture(OptionPanel panel, int w, int h) {
  QImage img(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setPen(Qt::black);
  p.setBrush(Qt::black);
  auto cellCentre = [&](int v) {
    const CellF c = PanelCell(panel, v, w, h);
    return QPointF((c.left + c.right) / 2, (c.top + c.bottom) / 2);
  };
  switch (panel) {
    case OptionPanel::Tool1:
      for (int v = 0; v < kEraserSizes; ++v) {
        const int side = EraserSideFor(v);
        const QPointF c = cellCentre(v);
        p.fillRect(
            QRectF(std::floor(c.x() - side / 2.0), std::floor(c.y() - side / 2.0), side, side),
            Qt::black);
      }
      break;
    case OptionPanel::Tool5: {
      // The brush's own cells, each drawn 2 x 2 (one pixel each would be
      // tiny), the stamp centred in its cell.
      for (int v = 0; v < kBrushShapes; ++v) {
        const std::vector<Point> cells = BrushShapePixels(v);
        const Rect box = BoundsOf(cells);
        const QPointF c = cellCentre(v);
        const int x0 = static_cast<int>(std::floor(c.x())) - box.Width();
        const int y0 = static_cast<int>(std::floor(c.y())) - box.Height();
        for (const Point& cell : cells)
          p.fillRect(x0 + 2 * (cell.x - box.left), y0 + 2 * (cell.y - box.top), 2, 2, Qt::black);
      }
      break;
    }
    case OptionPanel::Tool6: {
      p.setPen(Qt::NoPen);
      for (int v = 0; v < kSpraySizes; ++v) {
        const QPointF c = cellCentre(v);
        const double radius = SprayDiameterFor(v) / 2.0;
        // A fixed scatter: golden-angle dots fill the blot evenly.
        const int dots = 10 * v + 14;
        for (int k = 0; k < dots; ++k) {
          const double r = radius * std::sqrt((k + 0.5) / dots);
          const double a = k * 2.39996323;
          p.drawRect(QRectF(std::floor(c.x() + r * std::cos(a)),
                            std::floor(c.y() + r * std::sin(a)), 1, 1));
        }
      }
      break;
    }
    case OptionPanel::Tool8:
      for (int v = 0; v < kLineWidths; ++v) {
        const QPointF c = cellCentre(v);
        const int width = LinePenWidthFor(v);
        p.fillRect(QRectF(6, std::floor(c.y() - width / 2.0), w - 12, width), Qt::black);
      }
      break;
    case OptionPanel::Tool9:
      for (int v = 0; v < kFillStyles; ++v) {
        const CellF cell = PanelCell(panel, v, w, h);
        const QRect box(Nearest(cell.left) + 8, Nearest(cell.top) + 6,
                        Nearest(cell.right - cell.left) - 17, Nearest(cell.bottom - cell.top) - 13);
        const FillStyle style = FillStyleFromIndex(v).value_or(FillStyle::kOutline);
        p.setPen(style == FillStyle::kSolid ? Qt::NoPen : QPen(Qt::black));
        p.setBrush(style == FillStyle::kOutline ? QBrush(Qt::NoBrush)
                                                : QBrush(QColor(128, 128, 128)));
        p.drawRect(box);
      }
      break;
    case OptionPanel::None:
      break;
  }
  return img;
}

void MarkPanelCell(QImage& image, OptionPanel panel, int value) {
  const CellF c = PanelCell(panel, value, image.width(), image.height());
  const int l = std::max(0, Nearest(c.left)), t = std::max(0, Nearest(c.top));
  const int r = std::min(image.width(), Nearest(c.right));
  const int b = std::min(image.height(), Nearest(c.bottom));
  for (int y = t; y < b; ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = l; x < r; ++x) line[x] ^= 0x00FFFFFF;
  }
}

}  // namespace gs
