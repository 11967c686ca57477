#pragma once
// The duotone window ("Nocturne"): the icon, or the selection, keeps only the
// bits of the duotone colour (pure red until "..." chooses another); white
// stays white. OK applies.
//
//   frmDuoTone w(host, mainWindow.picSmallIcon()->size(), &mainWindow);
//   env.Dialogs().RunModal(&w);
#include <QColor>
#include <functional>
#include <optional>

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
  Color DuoColor() const { return duoColor_; }

  // What "..." asks for the tint: the colour dialog, starting from the tint in
  // use; a test answers in its place. Nothing when cancelled.
  std::function<std::optional<QColor>(QWidget* owner)> chooseColor;

 private:
  void Confirm();
  void ChooseTint();
  void ShowTint();

  Color duoColor_;
  QFrame* picDuoColor_ = nullptr;
  QPushButton* cmdColor_ = nullptr;
};

}  // namespace gs
