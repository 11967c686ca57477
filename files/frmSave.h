#pragma once
// The save-options window: colour depth, the palette method of 8-bit icons,
// the cursor hotspot, and a preview at the chosen depth. OK and Cancel only
// hide it, so its choices carry over to the next save; the close box unloads
// it (Unloaded() turns true and the owner deletes it).
//
//   frmSave* w = new frmSave(doc, QSize(36, 36), env, mainWindow);
//   w->Prepare(kSaveCursorTitle, true);   // result 0, hotspot group shown
//   env.Dialogs().RunModal(w);
//   if (!w->Model().Cancelled()) write(w->Model().bitCnt, w->Model().result, ...);
#include <QDialog>

#include "document/icon_document.h"
#include "files/save_options.h"
#include "platform/environment.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace gs {

class SavePreview;

class frmSave : public QDialog {
  Q_OBJECT
 public:
  // previewSize: that of the main window's actual-size preview.
  // `env` must outlive the window.
  frmSave(const IconDocument& doc, QSize previewSize, Environment& env, QWidget* parent = nullptr);

  // keepsOtherImages: the save writes the picture among the file's other images.
  // A keepDepth of 1, 4, 8 or 24 selects that depth (the one that keeps the
  // picture where the file opens); 0 leaves the last choice.
  void Prepare(const QString& title, bool hotspotVisible, bool keepsOtherImages = false,
               int keepDepth = 0);

  const SaveOptions& Model() const { return model_; }
  bool Unloaded() const { return unloaded_; }

  QComboBox* cmbSaveAs() const { return cmbSaveAs_; }
  QComboBox* cmbOptimize() const { return cmbOptimize_; }
  QLineEdit* txtHotX() const { return txtHotX_; }
  QLineEdit* txtHotY() const { return txtHotY_; }
  QPushButton* cmdOK() const { return cmdOK_; }
  QPushButton* cmdCancel() const { return cmdCancel_; }
  QGroupBox* Frame2() const { return frame2_; }
  QLabel* lblKept() const { return lblKept_; }
  QWidget* picPrev() const;

 public slots:
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void TypeChanged(int row);
  void PointAt(int x, int y);
  void Confirm();

  const IconDocument& doc_;
  Environment& env_;
  SaveOptions model_;
  bool unloaded_ = false;

  QLabel* label1_ = nullptr;
  QLabel* lblKept_ = nullptr;
  QComboBox* cmbSaveAs_ = nullptr;
  SavePreview* picPrev_ = nullptr;
  QGroupBox* frame1_ = nullptr;
  QComboBox* cmbOptimize_ = nullptr;
  QGroupBox* frame2_ = nullptr;
  QLineEdit* txtHotX_ = nullptr;
  QLineEdit* txtHotY_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
};

}  // namespace gs
