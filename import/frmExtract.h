#pragma once
// The extraction window: page 1 picks a file (drive, folder and file lists),
// page 2 shows the icons it holds in a grid of three 32-pixel columns, and
// "&Extraire" puts the selected one into the document after the undo copy
// (file name unchanged). An icon that cannot be taken is refused with a
// message naming the file and the reason; the document stays as it was and
// the window stays open. Icons are drawn as their rows scroll into view; a
// file holding more than kMaxIconGroups is said once and its first ones offered.
// The rules are ExtractGrid's (import/icon_extraction.h).
//
//   frmExtract w({doc, [&] { CreateBackup(); }, [&] { RePaint(); }}, env, mainWindow);
//   env.Dialogs().RunModal(&w);
#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "document/icon_document.h"
#include "import/icon_extraction.h"
#include "import/import_target.h"
#include "platform/environment.h"
#include "platform/qt_file_browser.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QFrame;

namespace gs {

class ExtractGridView;

class frmExtract : public QDialog {
  Q_OBJECT
 public:
  // `icons` defaults to the desktop's (resources, theme, built-in document icon).
  frmExtract(ImportTarget target, Environment& env, QWidget* parent = nullptr,
             std::unique_ptr<IconProvider> icons = nullptr);
  ~frmExtract() override;

  // The handlers, as the controls call them.
  void ChooseFile(const std::string& path);  // a click in the file list
  void NextPage();                           // "&Suivant"
  void Extract();                            // "&Extraire"
  void GridMouse(int x, int y, bool leftOnly);
  void Scroll(int value);

  FileBrowser& Browser() { return *browser_; }
  const ExtractGrid& Grid() const { return grid_; }
  QGroupBox* FramePlus1() const { return frame1_; }
  QGroupBox* FramePlus3() const { return frame3_; }
  QPushButton* ButtonPlus1() const { return next_; }
  QPushButton* cmdCancel() const { return cancel_; }
  QPushButton* cmdExtract() const { return extract_; }
  QScrollBar* scrPreview() const { return scroll_; }
  QWidget* picIcons() const;
  QFrame* picPreview() const { return preview_; }

 private:
  ImportTarget target_;
  std::unique_ptr<IconProvider> icons_;
  ExtractGrid grid_;
  std::unique_ptr<FileBrowser> browser_;
  QGroupBox* frame1_ = nullptr;
  QGroupBox* frame2_ = nullptr;
  QGroupBox* frame3_ = nullptr;
  QPushButton* next_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* extract_ = nullptr;
  QScrollBar* scroll_ = nullptr;
  QFrame* preview_ = nullptr;
  ExtractGridView* gridView_ = nullptr;
  std::string cutSaid_;  // the file whose cut icons were last told of
  Environment& env_;
};

}  // namespace gs
