#pragma once
// The earthquake window ("Tirage"): even rows of the icon, or of the
// selection, slide right and odd rows left; the preview follows the intensity
// field and the wrap box. OK applies.
#include "effects/qt_effect_widgets.h"

class QCheckBox;
class QLineEdit;

namespace gs {

class frmEarthQuake : public PreviewEffectWindow {
  Q_OBJECT
 public:
  frmEarthQuake(EffectHost& host, QSize previewSize, Environment& env, QWidget* parent = nullptr);

  void ReDrawQuake();

  QLineEdit* txtIntense() const { return txtIntense_; }
  QCheckBox* chkEnds() const { return chkEnds_; }

 private:
  void Confirm();

  QLineEdit* txtIntense_ = nullptr;
  QCheckBox* chkEnds_ = nullptr;
};

}  // namespace gs
