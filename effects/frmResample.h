#pragma once
// The resample window ("Taille"): the icon, or the selection, is erased and
// drawn again, smoothed, into the rectangle typed in the four fields; the
// preview follows every keystroke. OK applies.
#include <QDialog>

#include "effects/effect_host.h"
#include "platform/environment.h"

class QLineEdit;
class QPushButton;

namespace gs {

class SurfaceBox;

class frmResample : public QDialog {
  Q_OBJECT
 public:
  frmResample(EffectHost& host, QSize previewSize, Environment& env, QWidget* parent = nullptr);

  void ReDrawResample();

  QLineEdit* txtOffX() const { return txtOffX_; }
  QLineEdit* txtOffY() const { return txtOffY_; }
  QLineEdit* txtNewWidth() const { return txtNewWidth_; }
  QLineEdit* txtNewHeight() const { return txtNewHeight_; }
  SurfaceBox* picOrg() const { return picOrg_; }
  SurfaceBox* picSample() const { return picSample_; }
  QPushButton* cmdOK() const { return cmdOK_; }
  QPushButton* cmdCancel() const { return cmdCancel_; }

 private:
  void Confirm();

  EffectHost& host_;
  QLineEdit* txtOffX_ = nullptr;
  QLineEdit* txtOffY_ = nullptr;
  QLineEdit* txtNewWidth_ = nullptr;
  QLineEdit* txtNewHeight_ = nullptr;
  SurfaceBox* picOrg_ = nullptr;
  SurfaceBox* picSample_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  Environment& env_;
};

}  // namespace gs
