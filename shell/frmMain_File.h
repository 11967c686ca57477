#pragma once
// State of the main window's file concern: the file commands with the recent
// list, the window side of their dialogs, and the save-options window while
// it is loaded.
#include <QMessageBox>
#include <QPointer>
#include <memory>

#include "files/file_commands.h"
#include "files/frmSave.h"
#include "shell/frmMain.h"

namespace gs {

// What the file commands ask of the main window: dialogs and messages through
// the dialog seam, the save-options window, title, repaint and hourglass.
class MainFileHost : public FileCommandHost {
 public:
  explicit MainFileHost(frmMain& window) : window_(window) {}
  std::string OpenFileDialog(const FileDialogRequest& request,
                             const std::string& startFolder) override;
  std::string SaveFileDialog(const FileDialogRequest& request) override;
  SaveChangesAnswer AskSaveChangesQuestion() override;
  void ShowMessage(MessageKind kind, const std::string& text) override;
  SaveOptionsChoice RunSaveOptions(SaveKind kind) override;
  void SetTitle(const std::string& title) override;
  void RePaint() override;
  void SetBusy(bool busy) override;
  // A picture opens as the untitled import of the whole picture. (frmMain_Import.cpp)
  bool OpenPicture(const std::string& path, std::span<const std::uint8_t> bytes) override;
  void DocumentReplaced() override { window_.ForgetUndo(); }
  SaveChangesAnswer AskFileChanged(const std::string& path) override;
  bool ConfirmHiddenSave() override;

  // The save-options window, loaded on first use.
  frmSave* SaveWindow();
  frmSave* LoadedSaveWindow() const { return saveWindow_; }

 private:
  // A question with Yes, No and Cancel, titled with the application's title.
  SaveChangesAnswer AskYesNoCancel(QMessageBox::Icon icon, const QString& text,
                                   QMessageBox::StandardButton preferred);

  frmMain& window_;
  QPointer<frmSave> saveWindow_;
};

struct FilePart {
  std::unique_ptr<MainFileHost> host;
  std::unique_ptr<FileCommands> commands;
};

}  // namespace gs
