#pragma once
// The resample window ("Taille"): the icon, or the selection, is erased and
// drawn again, smoothed, into the rectangle typed in the four fields; the
// preview follows every keystroke. OK applies.
#include "effects/qt_effect_widgets.h"

class QLineEdit;

namespace gs {

class frmResample : public PreviewEffectWindow {
  Q_OBJECT
 public:
  frmResample(EffectHost& host, QSize previewSize, Environment& env, QWidget* parent = nullptr);

  void ReDrawResample();

  QLineEdit* txtOffX() const { return txtOffX_; }
  QLineEdit* txtOffY() const { return txtOffY_; }
  QLineEdit* txtNewWidth() const { return txtNewWidth_; }
  QLineEdit* txtNewHeight() const { return txtNewHeight_; }

 private:
  void Confirm();

  QLineEdit* txtOffX_ = nullptr;
  QLineEdit* txtOffY_ = nullptr;
  QLineEdit* txtNewWidth_ = nullptr;
  QLineEdit* txtNewHeight_ = nullptr;
};

}  // namespace gs
