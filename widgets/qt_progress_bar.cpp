#include "widgets/qt_progress_bar.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QTransform>
#include <algorithm>

namespace gs {

namespace {

Rgb ToRgb(const QColor& c) { return {c.red(), c.green(), c.blue()}; }
QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }
QColor Light(const QColor& c, int k) { return ToQColor(Lighten(ToRgb(c), k)); }
// Toward black by `k`, the mirror of Lighten.
QColor Dark(const QColor& c, int k) {
  const auto ch = [k](int v) { return v * (255 - std::clamp(k, 0, 255)) / 255; };
  return QColor(ch(c.red()), ch(c.green()), ch(c.blue()));
}
QRect ToQRect(const BarRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

// The platform's six hatch patterns, in their usual order.
Qt::BrushStyle Hatch(int style) {
  switch (style) {
    case 0:
      return Qt::HorPattern;
    case 1:
      return Qt::VerPattern;
    case 2:
      return Qt::FDiagPattern;
    case 3:
      return Qt::BDiagPattern;
    case 4:
      return Qt::CrossPattern;
    case 5:
      return Qt::DiagCrossPattern;
    default:
      return Qt::CrossPattern;
  }
}

void Edge(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
  p.setPen(topLeft);
  p.drawLine(r.left(), r.top(), r.right(), r.top());
  p.drawLine(r.left(), r.top(), r.left(), r.bottom());
  p.setPen(bottomRight);
  p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

// Segments of a vertical gradient: light at the top, the base colour in the
// middle, lighter again at the bottom.
QLinearGradient Tube(const QColor& c, int top, int bottom) {
  QLinearGradient g(0, top, 0, bottom);
  g.setColorAt(0.0, Light(c, 220));
  g.setColorAt(0.45, Light(c, 60));
  g.setColorAt(0.55, c);
  g.setColorAt(1.0, Light(c, 200));
  return g;
}

}  // namespace

XP_ProgressBar::XP_ProgressBar(QWidget* parent) : QWidget(parent) {
  setObjectName("XP_ProgressBar");
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor XP_ProgressBar::color() const {
  return color_.isValid() ? color_ : palette().color(QPalette::Highlight);
}

void XP_ProgressBar::setColor(const QColor& c) {
  color_ = c;
  Redraw();
}

void XP_ProgressBar::setImage(const QPixmap& p) {
  image_ = p;
  Redraw();
}

void XP_ProgressBar::setOrientation(int o) {
  orientation_ = o;
  Redraw();
}

void XP_ProgressBar::setScrolling(int s) {
  scrolling_ = std::clamp(s, 0, 9);
  Redraw();
}

void XP_ProgressBar::setShowText(bool on) {
  showText_ = on;
  Redraw();
}

void XP_ProgressBar::setValue(int v) {
  value_.SetValue(v);
  Redraw();
}

void XP_ProgressBar::Redraw() {
  offscreen_ = QImage();
  update();
}

void XP_ProgressBar::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::PaletteChange || e->type() == QEvent::FontChange) Redraw();
}

void XP_ProgressBar::paintEvent(QPaintEvent*) {
  if (offscreen_.size() != size()) offscreen_ = Render(size());
  QPainter p(this);
  p.drawImage(0, 0, offscreen_);
}

QImage XP_ProgressBar::Rendered() const { return Render(size()); }

QImage XP_ProgressBar::Render(QSize size) const {
  if (size.isEmpty()) return QImage();
  if (orientation_ != 1) {
    QImage img(size, QImage::Format_RGB32);
    DrawHorizontal(img);
    return img;
  }
  // Vertical: the horizontal drawing turned a quarter, filling upward.
  QImage img(size.height(), size.width(), QImage::Format_RGB32);
  DrawHorizontal(img);
  return img.transformed(QTransform().rotate(-90));
}

void XP_ProgressBar::DrawHorizontal(QImage& img) const {
  const int w = img.width(), h = img.height();
  const int p = value_.DrawnPercent();
  const QColor c = color();
  img.fill(scrolling_ == 6 ? Qt::black : Qt::white);
  QPainter g(&img);
  const QRect all(0, 0, w, h);
  const int filled = static_cast<int>(std::lround(p / 100.0 * w));

  switch (scrolling_) {
    case 0:
    case 1:
    case 2: {
      g.setPen(Light(c, 100));
      g.drawRect(all.adjusted(0, 0, -1, -1));
      const QRect inner = all.adjusted(1, 1, -1, -1);
      const int end = std::min(inner.right() + 1, filled);
      if (scrolling_ == 0) {
        // Solid blocks with a gap, as a bar that counts steps.
        const int block = std::max(4, h - 2), gap = 2;
        for (int x = inner.left() + 1; x < end; x += block + gap) {
          const QRect seg(x, inner.top() + 1, std::min(block, end - x), inner.height() - 2);
          g.fillRect(seg, Tube(c, seg.top(), seg.bottom()));
        }
      } else if (end > inner.left()) {
        const QRect seg(inner.left(), inner.top(), end - inner.left(), inner.height());
        g.fillRect(seg, Tube(c, seg.top(), seg.bottom()));
      }
      if (end > inner.left() + 2) {
        g.setPen(QColor(239, 239, 239));
        g.drawLine(end - 2, inner.top(), end - 2, inner.bottom());
      }
      break;
    }
    case 3: {
      const Style3Layout s = LayoutStyle3(w, h, p, ToRgb(c));
      g.setPen(ToQColor(s.frameColor));
      g.drawRect(QRect(0, 0, w, h).adjusted(0, 0, -1, -1));
      if (!s.fill.Empty()) g.fillRect(ToQRect(s.fill), ToQColor(s.fillColor));
      break;
    }
    case 4: {
      Edge(g, all, palette().color(QPalette::Mid), Qt::white);
      Edge(g, all.adjusted(1, 1, -1, -1), Qt::white, palette().color(QPalette::Mid));
      const QRect inner = all.adjusted(2, 2, -2, -2);
      const int end = std::min(inner.right() + 1, filled);
      if (end > inner.left()) {
        const QRect f(inner.left(), inner.top(), end - inner.left(), inner.height());
        g.fillRect(f, Light(c, 140));
        g.fillRect(
            QRect(f.left(), f.top() + f.height() / 2, f.width(), f.height() - f.height() / 2),
            Light(c, 200));
      }
      break;
    }
    case 5: {
      const int len = FillLength101(w, p);
      if (len > 0) {
        QLinearGradient body(0, 0, len, 0);
        body.setColorAt(0, Light(c, 10));
        body.setColorAt(1, Light(c, 100));
        g.fillRect(QRect(0, 0, len, h), body);
        QLinearGradient shine(0, 0, 0, h / 2.0);
        shine.setColorAt(0, Light(c, 250));
        shine.setColorAt(1, Light(c, 100));
        g.fillRect(QRect(0, 0, len, h / 2), shine);
        g.setPen(Light(c, 25));
        g.drawLine(len - 1, 0, len - 1, h - 1);
      }
      break;
    }
    case 6: {
      g.setPen(Light(Dark(c, 200), 10));
      g.drawRect(all.adjusted(0, 0, -1, -1));
      const int end = std::min(w - 1, filled);
      if (end > 1) g.fillRect(QRect(1, 1, end - 1, h - 2), Dark(c, 100));
      break;
    }
    case 7: {
      // Bump: raised outside, sunken inside.
      Edge(g, all, Qt::white, palette().color(QPalette::Mid));
      Edge(g, all.adjusted(1, 1, -1, -1), palette().color(QPalette::Mid), Qt::white);
      const int len = std::min(w - 4, FillLength101(w - 4, p));
      if (len > 0) g.fillRect(QRect(2, 2, len, h - 4), QBrush(Light(c, 140), Hatch(brushStyle_)));
      break;
    }
    case 8: {
      Edge(g, all, palette().color(QPalette::Mid), Qt::white);
      const QRect inner = all.adjusted(1, 1, -1, -1);
      const int end = std::min(inner.right() + 1, filled);
      if (!image_.isNull() && end > inner.left())
        g.fillRect(QRect(inner.left(), inner.top(), end - inner.left(), inner.height()),
                   QBrush(image_));
      break;
    }
    case 9: {
      // Rounded capsule with a soft top light.
      g.setRenderHint(QPainter::Antialiasing);
      const QRectF frame = QRectF(all).adjusted(0.5, 0.5, -0.5, -0.5);
      const qreal radius = h / 2.0;
      g.setPen(Light(c, 100));
      g.setBrush(Light(c, 235));
      g.drawRoundedRect(frame, radius, radius);
      if (filled > 2) {
        QLinearGradient grad(0, 0, 0, h);
        grad.setColorAt(0, Light(c, 160));
        grad.setColorAt(1, c);
        g.setPen(Qt::NoPen);
        g.setBrush(grad);
        g.drawRoundedRect(QRectF(1, 1, std::min<qreal>(filled, w) - 2, h - 2), radius - 1,
                          radius - 1);
      }
      break;
    }
    default:
      break;
  }

  if (showText_) {
    const QString text = scrolling_ == 2 ? QString::fromLatin1(SearchingText())
                                         : QString::number(p) + QStringLiteral(" %");
    g.setRenderHint(QPainter::TextAntialiasing);
    g.setFont(font());
    if (scrolling_ == 6 || scrolling_ == 9) {
      // The variant: a one-pixel shadow under the text.
      g.setPen(scrolling_ == 6 ? QColor(0, 0, 0) : QColor(255, 255, 255));
      g.drawText(all.translated(1, 1), Qt::AlignCenter | Qt::TextSingleLine, text);
      g.setPen(scrolling_ == 6 ? QColor(192, 192, 192) : QColor(0, 0, 0));
    } else {
      g.setPen(Qt::black);
    }
    g.drawText(all, Qt::AlignCenter | Qt::TextSingleLine, text);
  }
}

}  // namespace gs
