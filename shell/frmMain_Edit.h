#pragma once
// State of the main window's edit concern: cut, copy and paste through the
// system clipboard; undo and redo go through the drawing engine (EditUndo, EditRedo).
#include "shell/frmMain.h"
#include "tools/qt_clipboard.h"

namespace gs {

struct EditPart {
  SystemClipboard clipboard;
};

// mnuEdit entries 0 (undo), 2 to 4 and 5 (redo).
void mnuEdit_Click(frmMain& window, int index);

}  // namespace gs
