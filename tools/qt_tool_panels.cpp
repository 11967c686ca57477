#include "tools/qt_tool_panels.h"

#include <QMouseEvent>
#include <QPainter>

#include "document/canvas_view.h"
#include "document/numeric.h"
#include "document/qt_canvas.h"
#include "lang/qt_translation.h"
#include "tools/qt_tool_art.h"

namespace gs {

int ToEngineButton(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton:
      return kLeftButton;
    case Qt::RightButton:
      return kRightButton;
    case Qt::NoButton:
      return kNoButton;
    default:
      return kMiddleButton;
  }
}

int ToEngineButtons(Qt::MouseButtons b) {
  int out = kNoButton;
  if (b & Qt::LeftButton) out |= kLeftButton;
  if (b & Qt::RightButton) out |= kRightButton;
  if (b & Qt::MiddleButton) out |= kMiddleButton;
  return out;
}

// --- option panels ---------------------------------------------------------

namespace {

const char* ControlName(OptionPanel panel) {
  switch (panel) {
    case OptionPanel::Tool1:
      return "picTool1";
    case OptionPanel::Tool5:
      return "picTool5";
    case OptionPanel::Tool6:
      return "picTool6";
    case OptionPanel::Tool8:
      return "picTool8";
    case OptionPanel::Tool9:
      return "picTool9";
    case OptionPanel::None:
      break;
  }
  return "";
}

}  // namespace

OptionPanelWidget::OptionPanelWidget(OptionPanel panel, ToolOptions& options, QWidget* parent)
    : QWidget(parent), panel_(panel), options_(options) {
  setObjectName(ControlName(panel));
  setAttribute(Qt::WA_OpaquePaintEvent);
  hide();
}

void OptionPanelWidget::Click(double x, double y, Qt::MouseButton button) {
  if (ApplyPanelClick(options_, panel_, x, y, width(), height(), ToEngineButton(button))) {
    update();
    emit changed();
  }
}

QImage OptionPanelWidget::Rendered() const {
  QImage img = PanelPicture(panel_, width(), height());
  MarkPanelCell(img, panel_, PanelValue(options_, panel_));
  return img;
}

void OptionPanelWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Rendered());
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void OptionPanelWidget::mousePressEvent(QMouseEvent* e) {
  Click(e->position().x(), e->position().y(), e->button());
}

// --- colour boxes ----------------------------------------------------------

ColorBox::ColorBox(const QString& name, int index, QWidget* parent)
    : QWidget(parent), index_(index) {
  setObjectName(name);
  if (index >= 0) setProperty(kControlIndexProperty, index);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColorBox::SetColor(Color c) {
  color_ = c;
  update();
}

void ColorBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // A sunken square: dark top-left edge, light bottom-right.
  p.fillRect(rect(), ToQColor(color_));
  const int r = width() - 1, b = height() - 1;
  p.setPen(QColor(128, 128, 128));
  p.drawLine(0, 0, r, 0);
  p.drawLine(0, 0, 0, b);
  p.setPen(Qt::white);
  p.drawLine(1, b, r, b);
  p.drawLine(r, 1, r, b);
}

void ColorBox::mouseReleaseEvent(QMouseEvent* e) {
  // Released elsewhere after pressing here picks nothing.
  if (rect().contains(e->position().toPoint())) emit released(index_, e->button());
}

void ColorBox::mouseDoubleClickEvent(QMouseEvent*) { emit doubleClicked(index_); }

// --- spectrum --------------------------------------------------------------

SpectrumPicture::SpectrumPicture(int w, int h, QWidget* parent) : QWidget(parent) {
  setFixedSize(w, h);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  image_ = SurfaceImage(MakeSpectrum(w, h));
}

Color SpectrumPicture::ColorAt(double x, double y) const {
  const int px = Nearest(x), py = Nearest(y);
  if (!image_.rect().contains(px, py)) return kWhite;
  return FromArgb32(image_.pixel(px, py));
}

void SpectrumPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, image_);
}

void SpectrumPicture::mousePressEvent(QMouseEvent* e) { emit pressed(e->button(), e->position()); }
void SpectrumPicture::mouseMoveEvent(QMouseEvent* e) { emit moved(e->buttons(), e->position()); }
void SpectrumPicture::enterEvent(QEnterEvent*) { emit entered(); }

}  // namespace gs
