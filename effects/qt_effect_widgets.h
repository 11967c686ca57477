#pragma once
// Pieces the effect windows share: a picture box showing a surface at actual
// size, named controls, the layout of the window around its previews, and
// the base of the windows with a live preview.
#include <QColor>
#include <QDialog>
#include <QImage>
#include <QWidget>

class QLabel;
class QLayout;
class QPushButton;

#include "document/surface.h"
#include "effects/effect_host.h"
#include "platform/environment.h"
#include "tools/qt_tool_panels.h"  // ToQColor, FromQColor

class QGridLayout;

namespace gs {

// A picture box the size of the main window's actual-size preview, showing a
// surface's pixels at (0, 0) on white; its content stays until replaced.
class SurfaceBox : public QWidget {
  Q_OBJECT
 public:
  SurfaceBox(const QString& name, QSize size, QWidget* parent);
  void SetSurface(const Surface& s);
  const Surface& Shown() const { return surface_; }
  // The box's picture as it is on screen (for tests and screenshots).
  QImage Rendered() const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  Surface surface_;
};

// Controls carry their names, which the language files use as keys.
QLabel* NamedLabel(const char* name, const char* text, QWidget* parent);
QPushButton* NamedButton(const char* name, const char* text, QWidget* parent);

enum class ControlsAt { Above, Below };

// The two captioned pictures side by side: the icon as it is, and as it would become.
QGridLayout* PicturePair(QLabel* label1, SurfaceBox* original, QLabel* label2, SurfaceBox* changed);

// The layout every effect window shares: the window's own controls above or
// below the original and changed pictures, OK and Cancel stacked on the right,
// the window at its natural size.
void LayOutEffectWindow(QWidget* window, QLayout* controls, ControlsAt where, QLabel* label1,
                        SurfaceBox* original, QLabel* label2, SurfaceBox* changed, QPushButton* ok,
                        QPushButton* cancel);

// What the windows with a live preview (duotone, earthquake, resample) share:
// the editor they change, the environment, the original and changed pictures
// under "Label1" and "Label2", and OK and Cancel. Each window makes these
// where its own controls' order puts them (that order is the keyboard's).
class PreviewEffectWindow : public QDialog {
  Q_OBJECT
 public:
  SurfaceBox* picOrg() const { return picOrg_; }
  SurfaceBox* picSample() const { return picSample_; }
  QPushButton* cmdOK() const { return cmdOK_; }
  QPushButton* cmdCancel() const { return cmdCancel_; }

 protected:
  PreviewEffectWindow(EffectHost& host, Environment& env, QWidget* parent);

  // The two pictures at `previewSize` under their captions.
  void MakePictures(QSize previewSize, const char* originalCaption, const char* changedCaption);
  // OK (the default button) and Cancel.
  void MakeOkCancel();
  // LayOutEffectWindow with the pieces above.
  void LayOut(QLayout* controls, ControlsAt where);
  // Hands the preview to the editor and closes.
  void ApplyPreview();

  EffectHost& host_;
  Environment& env_;
  SurfaceBox* picOrg_ = nullptr;
  SurfaceBox* picSample_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;

 private:
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
};

}  // namespace gs
