#pragma once
// The picture-import window: choose a picture, mark a region on it with the
// mouse or in the four fields, watch the 32 x 32 preview, and import it over
// the whole icon after the undo copy (modified flag and file name untouched).
//
//   auto* w = new frmImport({doc, [&] { CreateBackup(); }, [&] { RePaint(); }},
//                           previewSize, env, mainWindow);
//   env.Dialogs().RunModal(w);  // the first activation opens the file dialog;
//   delete w;               // cancelling it closes the window
//
// The rules (region, fields, scaling) are in import/picture_import.h.
#include <QDialog>
#include <QImage>
#include <functional>

#include "document/icon_document.h"
#include "import/import_target.h"
#include "import/picture_decoder.h"
#include "import/picture_import.h"
#include "platform/app_identity.h"
#include "platform/environment.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace gs {

class ImportPictureView;
class ImportPreview;

inline constexpr const char* kImportTitle =
    GLYPHSMITH_APP_TITLE " " GLYPHSMITH_TITLE_VERSION " -  Importation d'image";

class frmImport : public QDialog {
  Q_OBJECT
 public:
  frmImport(ImportTarget target, QSize previewSize, Environment& env, QWidget* parent = nullptr);
  ~frmImport() override;

  // What the first activation does: the file dialog at once, and closing when
  // no picture came of it; then the translation.
  void Activate();
  // Algorithms of the window, reachable by tests as the controls reach them.
  bool ChoosePicture();
  // Decodes and shows `path`; false (after the message box) when it cannot be read.
  bool LoadPicture(const QString& path);
  void Import();

  bool HasPicture() const { return !picture_.Empty(); }
  const Picture& CurrentPicture() const { return picture_; }
  // The corners as the fields give them, and ordered for drawing and importing.
  const ImportRegion& Region() const { return region_; }
  ImportRegion OrderedRegion() const;
  const Surface& PreviewPixels() const { return preview_; }

  QWidget* Picture1() const { return picture1_; }
  QWidget* picFull() const;
  QWidget* picResult() const;
  QScrollBar* scrHorizontal() const { return scrHorizontal_; }
  QScrollBar* scrVertical() const { return scrVertical_; }
  QLineEdit* txtLeft() const { return fields_[0]; }
  QLineEdit* txtTop() const { return fields_[1]; }
  QLineEdit* txtWidth() const { return fields_[2]; }
  QLineEdit* txtHeight() const { return fields_[3]; }
  QPushButton* cmdSelect() const { return cmdSelect_; }
  QPushButton* cmdImport() const { return cmdImport_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  friend class ImportPictureView;
  void ReDraw(bool showRectangle);
  void FieldChanged(int index, const QString& text);
  void PointerPressed(double x, double y);
  void PointerMoved(double x, double y, bool leftOnly);
  void PointerReleased(double x, double y);
  // The corners into the fields and the region, then the view and the preview.
  void ShowRegion(const ImportRegion& r);
  void UpdateScrollRanges();
  void LayoutControls();

  ImportTarget target_;
  Picture picture_;
  QImage shown_;
  ImportRegion region_;
  Surface preview_;
  bool activated_ = false;
  bool showRectangle_ = true;
  bool dragging_ = false;

  QLabel* label1_ = nullptr;
  QWidget* picture1_ = nullptr;
  ImportPictureView* picFull_ = nullptr;
  QScrollBar* scrHorizontal_ = nullptr;
  QScrollBar* scrVertical_ = nullptr;
  QLabel* fieldLabels_[4] = {};
  QLineEdit* fields_[4] = {};
  QLabel* label2_ = nullptr;
  ImportPreview* picResult_ = nullptr;
  QPushButton* cmdSelect_ = nullptr;
  QPushButton* cmdImport_ = nullptr;
  Environment& env_;
};

}  // namespace gs
