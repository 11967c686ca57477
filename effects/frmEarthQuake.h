#pragma once
// The earthquake window ("Tirage"): even rows of the icon, or of the
// selection, slide right and odd rows left; the preview follows the intensity
// field and the wrap box. OK applies.
#include <QDialog>

#include "effects/effect_host.h"
#include "platform/environment.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace gs {

class SurfaceBox;

class frmEarthQuake : public QDialog {
  Q_OBJECT
 public:
  frmEarthQuake(EffectHost& host, QSize previewSize, Environment& env, QWidget* parent = nullptr);

  void ReDrawQuake();

  QLineEdit* txtIntense() const { return txtIntense_; }
  QCheckBox* chkEnds() const { return chkEnds_; }
  SurfaceBox* picOrg() const { return picOrg_; }
  SurfaceBox* picSample() const { return picSample_; }
  QPushButton* cmdOK() const { return cmdOK_; }
  QPushButton* cmdCancel() const { return cmdCancel_; }

 private:
  void Confirm();

  EffectHost& host_;
  QLineEdit* txtIntense_ = nullptr;
  QCheckBox* chkEnds_ = nullptr;
  SurfaceBox* picOrg_ = nullptr;
  SurfaceBox* picSample_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  Environment& env_;
};

}  // namespace gs
