// The special menu's "Importer image": the save-changes question, then the
// import window, which replaces the icon after the undo copy.
#include <QAction>
#include <memory>

#include "document/qt_canvas.h"
#include "import/frmImport.h"
#include "import/picture_import.h"
#include "platform/qt_dialog_seam.h"
#include "shell/frmMain.h"
#include "shell/frmMain_File.h"

namespace gs {

bool MainFileHost::OpenPicture(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::string error;
  if (!OpenPictureAsDocument(bytes, window_.Document(), error)) {
    // A damaged picture is said with the decoder's reason rather than as "not
    // an icon"; the document stays as it was, and true says the user was told.
    ShowMessage(MessageKind::Error, OpenFailedMessage(path, error));
    return true;
  }
  DocumentReplaced();
  SetTitle(kMainTitle);
  RePaint();
  return true;
}

void frmMain::SetupImport() {
  QAction* entry = MenuAction("mnuspecial", 6);
  if (!entry) return;
  connect(entry, &QAction::triggered, this, [this] {
    if (File().commands && File().commands->AskSaveChanges() != AskResult::GoOn) return;
    // A new window each time, so every opening starts from the built-in fields.
    std::unique_ptr<frmImport> w(
        new frmImport({doc_, [this] { CreateBackup(); }, [this] { RePaint(); }},
                      picSmallIcon_->size(), env_, this));
    env_.Dialogs().RunModal(w.get());
  });
}

}  // namespace gs
