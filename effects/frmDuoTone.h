#pragma once
// The duotone window ("Nocturne"): the icon, or the selection, keeps only the
// bits of the duotone colour (pure red); white stays white. OK applies.
//
//   frmDuoTone w(host, mainWindow.picSmallIcon()->size(), &mainWindow);
//   env.Dialogs().RunModal(&w);
#include "effects/qt_effect_widgets.h"

class QFrame;
class QPushButton;

namespace gs {

class frmDuoTone : public PreviewEffectWindow {
  Q_OBJECT
 public:
  frmDuoTone(EffectHost& host, QSize previewSize, Environment& env, QWidget* parent = nullptr);

  // Recomputes the preview from the document.
  void ReDrawDuo();

  QFrame* picDuoColor() const { return picDuoColor_; }
  QPushButton* cmdColor() const { return cmdColor_; }

 private:
  void Confirm();

  Color duoColor_;
  QFrame* picDuoColor_ = nullptr;
  QPushButton* cmdColor_ = nullptr;
};

}  // namespace gs
