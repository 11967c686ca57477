// The special menu's "Extraire d'un fichier" (after the save-changes question)
// and "Créer curseur animé" (without it).
#include <QAction>

#include "document/qt_canvas.h"
#include "files/frmAni.h"
#include "import/frmExtract.h"
#include "platform/qt_dialog_seam.h"
#include "shell/frmMain.h"
#include "shell/frmMain_File.h"

namespace gs {

void frmMain::SetupExtract() {
  if (QAction* a = MenuAction("mnuspecial", 5))
    connect(a, &QAction::triggered, this, [this] {
      if (file_->commands && file_->commands->AskSaveChanges() != AskResult::GoOn) return;
      frmExtract w({doc_, [this] { CreateBackup(); }, [this] { RePaint(); }}, env_, this);
      env_.Dialogs().RunModal(&w);
    });
  if (QAction* a = MenuAction("mnuspecial", 8))
    connect(a, &QAction::triggered, this, [this] {
      frmAni w(picSmallIcon_->size(), env_, this);
      env_.Dialogs().RunModal(&w);
    });
}

}  // namespace gs
