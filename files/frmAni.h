#pragma once
// The animated-cursor builder: cursor files picked from the drive, folder and
// "*.cur" file lists go into an ordered frame list; "Créez ANI" asks for a
// target and writes them with the interval typed (files/ani_format.h). The
// open document is not touched.
//
//   frmAni w(mainWindow->picSmallIcon()->size(), mainWindow);
//   env.Dialogs().RunModal(&w);
#include <QDialog>
#include <memory>

#include "platform/environment.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace gs {

class FileBrowser;
class CursorPreview;

inline constexpr const char* kAniTitle = "Création des curseurs animés";

class frmAni : public QDialog {
  Q_OBJECT
 public:
  // previewSize: that of the main window's actual-size preview.
  frmAni(QSize previewSize, Environment& env, QWidget* parent = nullptr);
  ~frmAni() override;

  void BuildAnimatedCursor();  // "Créez ANI"
  void AddFrame();             // "->" and a double-click in the file list
  void RemoveFrame();          // "<-"
  void ShowPreview(const std::string& path);

  FileBrowser& Browser() { return *browser_; }
  QListWidget* lstFiles() const { return lstFiles_; }
  QLineEdit* txtInterval() const { return txtInterval_; }
  QPushButton* cmdAdd() const { return cmdAdd_; }
  QPushButton* cmdDelete() const { return cmdDelete_; }
  QPushButton* cmdCreate() const { return cmdCreate_; }
  QPushButton* cmdCancel() const { return cmdCancel_; }
  QWidget* picPrev() const;

 private:
  void Error(const QString& text, bool exclamation);
  std::unique_ptr<FileBrowser> browser_;
  CursorPreview* picPrev_ = nullptr;
  QListWidget* lstFiles_ = nullptr;
  QLineEdit* txtInterval_ = nullptr;
  QPushButton* cmdAdd_ = nullptr;
  QPushButton* cmdDelete_ = nullptr;
  QPushButton* cmdCreate_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  Environment& env_;
};

}  // namespace gs
