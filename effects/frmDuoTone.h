#pragma once
// The duotone window ("Nocturne"): the icon, or the selection, keeps only the
// bits of the duotone colour (pure red); white stays white. OK applies.
//
//   frmDuoTone w(host, mainWindow.picSmallIcon()->size(), &mainWindow);
//   env.Dialogs().RunModal(&w);
#include <QDialog>

#include "effects/effect_host.h"
#include "platform/environment.h"

class QFrame;
class QLabel;
class QPushButton;

namespace gs {

class SurfaceBox;

class frmDuoTone : public QDialog {
  Q_OBJECT
 public:
  frmDuoTone(EffectHost& host, QSize previewSize, Environment& env, QWidget* parent = nullptr);

  // Recomputes the preview from the document.
  void ReDrawDuo();

  SurfaceBox* picOrg() const { return picOrg_; }
  SurfaceBox* picSample() const { return picSample_; }
  QFrame* picDuoColor() const { return picDuoColor_; }
  QPushButton* cmdColor() const { return cmdColor_; }
  QPushButton* cmdOK() const { return cmdOK_; }
  QPushButton* cmdCancel() const { return cmdCancel_; }

 private:
  void Confirm();

  EffectHost& host_;
  Color duoColor_;
  SurfaceBox* picOrg_ = nullptr;
  SurfaceBox* picSample_ = nullptr;
  QFrame* picDuoColor_ = nullptr;
  QPushButton* cmdColor_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  Environment& env_;
};

}  // namespace gs
