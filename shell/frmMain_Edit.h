#pragma once
// State of the main window's edit concern: cut, copy and paste through the
// system clipboard; undo goes through the drawing engine (EditUndo).
#include "shell/frmMain.h"
#include "tools/qt_clipboard.h"

namespace gs {

struct EditPart {
  SystemClipboard clipboard;
};

// mnuEdit entries 0 (undo) and 2 to 4.
void mnuEdit_Click(frmMain& window, int index);

}  // namespace gs
