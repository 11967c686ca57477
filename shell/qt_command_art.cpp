#include "shell/qt_command_art.h"

#include <QPainter>
#include <QPainterPath>

#include "tools/qt_tool_art.h"

namespace gs {

namespace {

// One ink for every outline keeps the set consistent.
const QColor kInk(52, 56, 68);
const QColor kPaper(252, 252, 248);
const QColor kBlue(58, 110, 200);
const QColor kLightBlue(160, 195, 240);
const QColor kYellow(244, 198, 70);
const QColor kRed(210, 60, 50);
const QColor kGreen(70, 160, 80);

QPen Ink(qreal w = 1.0) { return QPen(kInk, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void Page(QPainter& p, QRectF r) {
  const qreal fold = 4;
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setPen(Ink());
  p.setBrush(kPaper);
  p.drawPath(path);
  QPainterPath ear;
  ear.moveTo(r.right() - fold, r.top());
  ear.lineTo(r.right() - fold, r.top() + fold);
  ear.lineTo(r.right(), r.top() + fold);
  p.setBrush(QColor(220, 220, 214));
  p.drawPath(ear);
}

void Floppy(QPainter& p) {
  p.setPen(Ink());
  p.setBrush(kBlue);
  QPainterPath body;
  body.moveTo(2.5, 2.5);
  body.lineTo(12, 2.5);
  body.lineTo(13.5, 4);
  body.lineTo(13.5, 13.5);
  body.lineTo(2.5, 13.5);
  body.closeSubpath();
  p.drawPath(body);
  p.setBrush(kPaper);
  p.drawRect(QRectF(4.5, 2.5, 7, 4.5));
  p.setBrush(QColor(230, 230, 235));
  p.drawRect(QRectF(4.5, 9.5, 7, 4));
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawRect(QRectF(9, 3.5, 1.5, 2.5));
}

void Magnifier(QPainter& p, bool plus) {
  p.setPen(QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(10, 10), QPointF(14, 14));
  p.setPen(Ink(1.2));
  p.setBrush(QColor(225, 240, 255));
  p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
  p.setPen(QPen(kBlue, 1.6, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
  if (plus) p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
}

void Draw(QPainter& p, CommandArt art) {
  switch (art) {
    case CommandArt::New:
      Page(p, QRectF(3.5, 1.5, 9, 13));
      p.setPen(Qt::NoPen);
      p.setBrush(kYellow);
      p.drawEllipse(QPointF(12, 12), 2.6, 2.6);
      break;
    case CommandArt::Open: {
      p.setPen(Ink());
      p.setBrush(QColor(214, 170, 60));
      QPainterPath back;
      back.moveTo(1.5, 13.5);
      back.lineTo(1.5, 3.5);
      back.lineTo(5.5, 3.5);
      back.lineTo(7, 5);
      back.lineTo(12.5, 5);
      back.lineTo(12.5, 7);
      p.drawPath(back);
      p.setBrush(kYellow);
      QPainterPath front;
      front.moveTo(1.5, 13.5);
      front.lineTo(4, 7.5);
      front.lineTo(15, 7.5);
      front.lineTo(12.5, 13.5);
      front.closeSubpath();
      p.drawPath(front);
      break;
    }
    case CommandArt::Save:
      Floppy(p);
      break;
    case CommandArt::SaveAs:
      p.save();
      p.translate(-1, 0);
      p.scale(0.9, 0.9);
      Floppy(p);
      p.restore();
      p.setPen(Ink(0.8));
      p.setBrush(kYellow);
      p.drawPolygon(QPolygonF({QPointF(8, 14.5), QPointF(9, 11.5), QPointF(14, 6.5),
                               QPointF(15.5, 8), QPointF(10.5, 13)}));
      break;
    case CommandArt::Print:
      p.setPen(Ink());
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 1.5, 7, 5));
      p.setBrush(QColor(190, 194, 204));
      p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 10.5, 7, 4));
      p.setPen(Qt::NoPen);
      p.setBrush(kGreen);
      p.drawEllipse(QPointF(12.5, 8.5), 0.9, 0.9);
      break;
    case CommandArt::Undo: {
      QPainterPath arc;
      arc.moveTo(4, 7);
      arc.cubicTo(6, 2.5, 14, 3, 13.5, 9);
      arc.cubicTo(13.2, 12, 10.5, 13.5, 8, 13.5);
      p.setPen(QPen(kBlue, 2.2, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawPath(arc);
      p.setPen(Ink(0.8));
      p.setBrush(kBlue);
      p.drawPolygon(QPolygonF({QPointF(1.5, 3), QPointF(7, 8.5), QPointF(1.5, 9.5)}));
      break;
    }
    case CommandArt::Cut:
      p.setPen(QPen(kInk, 1.3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(5, 1.5), QPointF(10.5, 10));
      p.drawLine(QPointF(11, 1.5), QPointF(5.5, 10));
      p.setPen(QPen(kRed, 1.4));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(4.5, 12), 2.3, 2.3);
      p.drawEllipse(QPointF(11.5, 12), 2.3, 2.3);
      break;
    case CommandArt::Copy:
      Page(p, QRectF(1.5, 1.5, 8, 10));
      Page(p, QRectF(6.5, 4.5, 8, 10));
      break;
    case CommandArt::Paste:
      p.setPen(Ink());
      p.setBrush(QColor(180, 130, 70));
      p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
      p.setBrush(QColor(200, 200, 205));
      p.drawRect(QRectF(4.5, 1.5, 4, 2.5));
      Page(p, QRectF(7.5, 6.5, 7, 8));
      break;
    case CommandArt::ZoomIn:
      Magnifier(p, true);
      break;
    case CommandArt::ZoomOut:
      Magnifier(p, false);
      break;
    case CommandArt::ImportPicture:
      p.setPen(Ink());
      p.setBrush(QColor(200, 228, 250));
      p.drawRect(QRectF(1.5, 2.5, 13, 11));
      p.setPen(Qt::NoPen);
      p.setBrush(kGreen);
      p.drawPolygon(QPolygonF({QPointF(2, 13), QPointF(6.5, 7), QPointF(9.5, 10.5),
                               QPointF(11.5, 8.5), QPointF(14, 13)}));
      p.setBrush(kYellow);
      p.drawEllipse(QPointF(11, 5.5), 1.6, 1.6);
      break;
    case CommandArt::ExtractIcons:
      p.setPen(Ink());
      p.setBrush(QColor(205, 210, 222));
      p.drawRect(QRectF(1.5, 4.5, 9, 10));
      p.setBrush(kBlue);
      p.drawRect(QRectF(1.5, 4.5, 9, 2));
      p.setPen(Qt::NoPen);
      p.setBrush(kRed);
      p.drawRect(QRectF(3.5, 9, 3, 3));
      p.setPen(QPen(kGreen, 1.8, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(8, 8), QPointF(13.5, 2.5));
      p.setPen(Qt::NoPen);
      p.setBrush(kGreen);
      p.drawPolygon(QPolygonF({QPointF(15, 1), QPointF(15, 6), QPointF(10, 1)}));
      break;
    case CommandArt::WebPage:
      p.setPen(Ink());
      p.setBrush(QColor(120, 175, 235));
      p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
      p.setPen(QPen(kPaper, 0.9));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(8, 8), 3, 6.2);
      p.drawLine(QPointF(1.8, 8), QPointF(14.2, 8));
      p.drawLine(QPointF(3, 4.8), QPointF(13, 4.8));
      p.drawLine(QPointF(3, 11.2), QPointF(13, 11.2));
      break;
    case CommandArt::Help: {
      p.setPen(Ink());
      p.setBrush(kBlue);
      p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
      // Drawn, not written: a bold face loaded for one mark would cost the
      // start more than the whole toolbar.
      QPainterPath hook;
      hook.moveTo(5.6, 6.2);
      hook.cubicTo(5.6, 3.5, 10.5, 3.5, 10.5, 6.1);
      hook.cubicTo(10.5, 7.7, 8, 7.9, 8, 9.7);
      p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(Qt::NoBrush);
      p.drawPath(hook);
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(8, 12), 1.15, 1.15);
      break;
    }
  }
}

}  // namespace

QPixmap CommandPicture(CommandArt art, int side) {
  QPixmap pm(side, side);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(side / 16.0, side / 16.0);
  Draw(p, art);
  return pm;
}

QPixmap ToolMenuPicture(ToolIndex tool) {
  // Menus are light in both looks.
  return ToolButtonGlyph(tool, Qt::white)
      .scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace gs
