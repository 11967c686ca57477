#pragma once
// State of the main window's edit concern: cut, copy and paste through the
// system clipboard (undo is the main window's RestoreBackup).
#include "shell/frmMain.h"
#include "tools/qt_clipboard.h"

namespace gs {

struct EditPart {
  SystemClipboard clipboard;
};

// mnuEdit entries 2 to 4.
void mnuEdit_Click(frmMain& window, int index);

}  // namespace gs
