#pragma once
// Widgets of the tool side of the main window: the option panels, the colour
// boxes and the spectrum thumbnail. They draw and forward; the rules are in
// tool_options.h and color_state.h.
#include <QColor>
#include <QWidget>

#include "tools/color_state.h"
#include "tools/tool_options.h"

namespace gs {

// Qt's buttons as the MouseButton values of the engine and panels.
int ToEngineButton(Qt::MouseButton b);
int ToEngineButtons(Qt::MouseButtons b);

inline QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
inline Color FromQColor(const QColor& q) { return RGB(q.red(), q.green(), q.blue()); }

// picTool1, picTool5, picTool6, picTool8, picTool9: the choices with the
// current one inverted.
class OptionPanelWidget : public QWidget {
  Q_OBJECT
 public:
  OptionPanelWidget(OptionPanel panel, ToolOptions& options, QWidget* parent);
  OptionPanel Panel() const { return panel_; }
  // A press at (x, y) in panel pixels, as the mouse gives it.
  void Click(double x, double y, Qt::MouseButton button);
  QImage Rendered() const;

 signals:
  void changed();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  OptionPanel panel_;
  ToolOptions& options_;
};

// A coloured square: the palette boxes picColor(i) and the two button colours.
class ColorBox : public QWidget {
  Q_OBJECT
 public:
  ColorBox(const QString& name, int index, QWidget* parent);
  void SetColor(Color c);
  Color GetColor() const { return color_; }
  int Index() const { return index_; }

 signals:
  void released(int index, Qt::MouseButton button);
  void doubleClicked(int index);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;

 private:
  int index_;
  Color color_ = kWhite;
};

// A picture of the spectrum; picks colours with the mouse. The thumbnail
// only reports that the pointer came over it.
class SpectrumPicture : public QWidget {
  Q_OBJECT
 public:
  SpectrumPicture(int w, int h, QWidget* parent);
  const QImage& Image() const { return image_; }
  // The picture's pixel at the nearest whole position; white when outside.
  Color ColorAt(double x, double y) const;

 signals:
  void pressed(Qt::MouseButton button, QPointF pos);
  void moved(Qt::MouseButtons buttons, QPointF pos);
  void entered();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void enterEvent(QEnterEvent* e) override;

 private:
  QImage image_;
};

}  // namespace gs
