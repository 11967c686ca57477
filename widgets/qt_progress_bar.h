#pragma once
// XP_ProgressBar: the self-drawn progress bar. Ten drawing styles (property
// Scrolling, 0-9), an optional percentage text, a base colour, a hatch (style 7)
// or picture (style 8) fill. The value rules live in widgets/progress_bar.h.
//
//   auto* bar = new XP_ProgressBar(splash);
//   bar->setGeometry(248, 232, 217, 9);
//   bar->setColor(QColor(51, 94, 168));
//   bar->setScrolling(3);
//   bar->setValue(bar->value() + 6);   // reads back 0-100 with Min 0, Max 100
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "widgets/progress_bar.h"

namespace gs {

class XP_ProgressBar : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QColor Color READ color WRITE setColor)
  Q_PROPERTY(int BrushStyle READ brushStyle WRITE setBrushStyle)
  Q_PROPERTY(QPixmap Image READ image WRITE setImage)
  Q_PROPERTY(int Min READ min WRITE setMin)
  Q_PROPERTY(int Max READ max WRITE setMax)
  Q_PROPERTY(int Orientation READ orientation WRITE setOrientation)
  Q_PROPERTY(int Scrolling READ scrolling WRITE setScrolling)
  Q_PROPERTY(bool ShowText READ showText WRITE setShowText)
  Q_PROPERTY(int Value READ value WRITE setValue)

 public:
  explicit XP_ProgressBar(QWidget* parent = nullptr);

  // The base colour; by default the desktop's highlight colour, followed as
  // the palette changes until a colour is set.
  QColor color() const;
  void setColor(const QColor& c);
  int brushStyle() const { return brushStyle_; }
  void setBrushStyle(int s) { brushStyle_ = s; }
  QPixmap image() const { return image_; }
  void setImage(const QPixmap& p);
  int min() const { return value_.Min(); }
  void setMin(int v) { value_.SetMin(v); }
  int max() const { return value_.Max(); }
  void setMax(int v) { value_.SetMax(v); }
  int orientation() const { return orientation_; }
  void setOrientation(int o);
  int scrolling() const { return scrolling_; }
  void setScrolling(int s);
  bool showText() const { return showText_; }
  void setShowText(bool on);
  int value() const { return value_.Value(); }
  void setValue(int v);

  // The bar as it is drawn at its current size.
  QImage Rendered() const;
  // The same at any size (what the tests and paintEvent use).
  QImage Render(QSize size) const;

 protected:
  void paintEvent(QPaintEvent*) override;
  void changeEvent(QEvent* e) override;

 private:
  void Redraw();
  void DrawHorizontal(QImage& img) const;

  ProgressValue value_;
  QColor color_;  // invalid: the palette's highlight
  int brushStyle_ = 4;
  QPixmap image_;
  int orientation_ = 0;
  int scrolling_ = 0;
  bool showText_ = false;
  QImage offscreen_;
};

}  // namespace gs
