#include "shell/frmMain_Edit.h"

#include <QAction>

#include "shell/frmMain_Tools.h"

namespace gs {

void mnuEdit_Click(frmMain& w, int index) {
  DrawingEngine& engine = *w.Tools().engine;
  ImageClipboard& clipboard = w.Edit().clipboard;
  switch (index) {
    case 0:
      engine.EditUndo();
      break;
    case 5:
      engine.EditRedo();
      break;
    case 2:
      engine.EditCut(clipboard);
      break;
    case 3:
      engine.EditCopy(clipboard);
      break;
    case 4:
      engine.EditPaste(clipboard);
      break;
    default:
      break;
  }
}

// Drops both the undo and the redo steps.
void frmMain::ForgetUndo() {
  if (tools_->engine) tools_->engine->ForgetUndo();
}

void frmMain::SetupEdit() {
  for (int i : {0, 2, 3, 4, 5})
    if (QAction* a = MenuAction("mnuEdit", i))
      connect(a, &QAction::triggered, this, [this, i] { mnuEdit_Click(*this, i); });
}

}  // namespace gs
