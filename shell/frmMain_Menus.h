#pragma once
// The shell's side of the main window's menus: the pictures beside entries,
// the extra undo shortcut, the two menu looks and the toolbar themes, the
// help box, the web page, the About and print windows.
class QAction;

namespace gs {

class frmMain;

// Called once from the main window's constructor, after the menus are built.
void SetupShellMenus(frmMain& w);

// The menu look now in use (not stored between runs).
int MenuLook(const frmMain& w);

// The handlers.
void mnuxp_Click(frmMain& w);
void mnu2003_Click(frmMain& w);
void MnuTb_Click(frmMain& w, int theme);
void hlp_Click(frmMain& w);
void mnuHelp_Click(frmMain& w, int index);
void mnuFilePrint_Click(frmMain& w);

}  // namespace gs
