#pragma once
// The text window: a line of text in a chosen font, stamped into the icon with
// "Appliquer" as often as wanted. Opened by the text tool's press, which has
// already taken the undo copy, so one undo removes every stamp.
//
//   frmText w(host, previewSize, cellX, cellY, buttonColour, &mainWindow);
//   env.Dialogs().RunModal(&w);
#include <QDialog>

#include "effects/effect_host.h"
#include "effects/text_stamp.h"
#include "platform/environment.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace gs {

class SurfaceBox;
class SampleBox;

class frmText : public QDialog {
  Q_OBJECT
 public:
  // offX, offY: the pressed pixel; foreColor: the pressed button's colour.
  frmText(EffectHost& host, QSize previewSize, int offX, int offY, Color foreColor,
          Environment& env, QWidget* parent = nullptr);

  int OffX = 0;
  int OffY = 0;
  Color NewForeColor = kBlack;

  // Redraws the sample and the result from the controls.
  void RedrawMe();
  const TextStyle& Style() const { return style_; }

  QComboBox* cmbFonts() const { return cmbFonts_; }
  QComboBox* cmbFontSize() const { return cmbFontSize_; }
  QCheckBox* chkBold() const { return chkBold_; }
  QCheckBox* chkItalic() const { return chkItalic_; }
  QCheckBox* chkUnderlined() const { return chkUnderlined_; }
  QCheckBox* chkStrikeThrough() const { return chkStrikeThrough_; }
  QLineEdit* txtOffX() const { return txtOffX_; }
  QLineEdit* txtOffY() const { return txtOffY_; }
  QLineEdit* txtText() const { return txtText_; }
  SurfaceBox* picOrg() const { return picOrg_; }
  SurfaceBox* picResult() const { return picResult_; }
  QWidget* picPreview() const;
  QPushButton* cmdapply() const { return cmdapply_; }
  QPushButton* cmdCancel() const { return cmdCancel_; }

 private:
  void SetFont();
  void Apply();

  EffectHost& host_;
  TextStyle style_;
  QComboBox* cmbFonts_ = nullptr;
  QComboBox* cmbFontSize_ = nullptr;
  QCheckBox* chkBold_ = nullptr;
  QCheckBox* chkItalic_ = nullptr;
  QCheckBox* chkUnderlined_ = nullptr;
  QCheckBox* chkStrikeThrough_ = nullptr;
  SampleBox* picPreview_ = nullptr;
  QLineEdit* txtOffX_ = nullptr;
  QLineEdit* txtOffY_ = nullptr;
  QLineEdit* txtText_ = nullptr;
  SurfaceBox* picOrg_ = nullptr;
  SurfaceBox* picResult_ = nullptr;
  QPushButton* cmdapply_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  bool loading_ = true;
  Environment& env_;
};

}  // namespace gs
