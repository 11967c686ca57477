#pragma once
// The editor's main window. It owns the document, the undo copy and the parts
// of the window; each concern (tools, colours, edit, file, language) lives in
// its own frmMain_<Concern>.cpp with a small state struct declared there.
// It is lent an Environment (platform/environment.h) and lends it on to every
// window it opens: `new frmX(..., Env(), this)`.
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>

#include "document/icon_document.h"
#include "document/undo.h"
#include "platform/app_identity.h"
#include "platform/environment.h"
#include "shell/main_layout.h"

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;

namespace gs {

class IconCanvas;
class IconPreview;

struct ToolsPart;   // shell/frmMain_Tools.h
struct ColorsPart;  // shell/frmMain_Colors.h
struct EditPart;    // shell/frmMain_Edit.h
struct FilePart;    // shell/frmMain_File.h
struct LangPart;    // shell/frmMain_Lang.h

class frmMain : public QMainWindow {
  Q_OBJECT
 public:
  // `env` must outlive the window.
  explicit frmMain(Environment& env, QWidget* parent = nullptr);
  ~frmMain() override;

  // The start-up sequence; `commandLine` is the whole command-line text, one
  // path, as bytes (names need not be UTF-8). It is made absolute against the
  // current folder before it is opened, so the title and the recent list name
  // the same file wherever the editor starts next.
  void Start(const std::string& commandLine);
  void Start(const QString& commandLine) { Start(commandLine.toStdString()); }
  // Before Start, for a window shown at once: the French language template is
  // brought up to date after its first frame (lang/qt_translation.h).
  void ExportTemplateAfterFirstFrame() { templateAfterFirstFrame_ = true; }

  Environment& Env() { return env_; }
  IconDocument& Document() { return doc_; }

  void RePaint();
  void DrawMask();
  // The undo copy, taken through the drawing engine's CreateBackup; the Edit
  // menu and the toolbar restore it through its EditUndo.
  void CreateBackup();
  // Drops the undo copy when the document holds another picture. (frmMain_Edit.cpp)
  void ForgetUndo();
  void ArrangeMask() { doc_.selection.ArrangeMask(); }
  void DestroyMask() { doc_.selection.DestroyMask(); }

  // Opens an icon or cursor into the document (title, recent list, repaint);
  // a path naming no existing file opens nothing. (frmMain_File.cpp)
  bool OpenIconFile(const std::string& path);
  bool OpenIconFile(const QString& path) { return OpenIconFile(path.toStdString()); }
  // Captions and enabled states of the recent entries mnuFile 12-15. (frmMain_File.cpp)
  void RefreshRecentMenu();

  void ZoomIn();
  void ZoomOut();
  // Cell borders on the canvas (the "&Grille" entry), remembered in the settings.
  void SetGrid(bool on);

  // An entry of the menu tree by name and, for indexed groups, index.
  QAction* MenuAction(const QString& name, int index = -1) const;
  QMenu* Menu(const QString& name) const;

  IconCanvas* picIcon() const { return picIcon_; }
  // The view the canvas is seen and scrolled through, placed by the layout.
  QScrollArea* picIconView() const { return picIconView_; }
  IconPreview* picSmallIcon() const { return picSmallIcon_; }
  QWidget* picLeft() const { return picLeft_; }
  QWidget* picColors() const { return picColors_; }
  QWidget* picStatus() const { return picStatus_; }
  QLabel* lblStatus() const { return lblStatus_; }
  QWidget* imgMaximize() const { return imgMaximize_; }
  QWidget* client() const { return client_; }
  QToolBar* Toolbar1() const { return toolbar_; }

  // Lays the parts out for the current size (runs on every resize).
  void Layout();

  // Concern state; each is defined in its own file.
  ToolsPart& Tools() { return *tools_; }
  ColorsPart& Colors() { return *colors_; }
  EditPart& Edit() { return *edit_; }
  FilePart& File() { return *file_; }
  LangPart& Lang() { return *lang_; }

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // A file dropped from elsewhere opens as File > Open would (FileCommands::OpenDropped).
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  void BuildMenus();
  void BuildClientArea();
  MainLayout CurrentLayout() const;
  // The canvas's view fitted to its room for the canvas's present size.
  void FitCanvasView(const MainLayout& layout);
  // The outer minimum for the frame the window got, and the first place:
  // centred on its screen. (runs at the first show)
  void ApplyMinimumSize();
  void CentreOnScreen();

  // Defined in the concern files.
  void SetupTools();
  void SetupColors();
  void SetupEdit();
  void SetupFile();
  void SetupLanguage();
  void SetupEffects();  // frmMain_Effects.cpp
  void SetupImport();   // frmMain_Import.cpp
  void SetupExtract();  // frmMain_Extract.cpp
  void SetupCursor();   // shell/frmMain_Cursor.cpp
  // Close question; false keeps the window open. (frmMain_File.cpp)
  bool QueryClose();
  // Shutdown steps of each concern. (frmMain_File.cpp saves the recent files)
  void ShutdownFile();

  Environment& env_;
  bool templateAfterFirstFrame_ = false;
  IconDocument doc_;
  UndoBuffer undo_;

  QWidget* client_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  QWidget* picLeft_ = nullptr;
  IconCanvas* picIcon_ = nullptr;
  QScrollArea* picIconView_ = nullptr;
  QWidget* picColors_ = nullptr;
  IconPreview* picSmallIcon_ = nullptr;
  QWidget* picStatus_ = nullptr;
  QLabel* lblStatus_ = nullptr;
  QWidget* imgMaximize_ = nullptr;

  std::unique_ptr<ToolsPart> tools_;
  std::unique_ptr<ColorsPart> colors_;
  std::unique_ptr<EditPart> edit_;
  std::unique_ptr<FilePart> file_;
  std::unique_ptr<LangPart> lang_;
  bool shutDown_ = false;
  bool placed_ = false;
  QSize startSize_;
  int wheelPending_ = 0;  // part of a Ctrl+wheel notch not yet zoomed
  // MenuAction's index of the named actions, in the order of the object tree.
  mutable QHash<QString, QList<QPointer<QAction>>> actionsByName_;
};

}  // namespace gs
