#pragma once
// Toolbar1: 19 slots at fixed places, 14 picture buttons and 5 separators.
// A button runs exactly its menu entry's action, so whatever handler the entry
// has (now or later) is reached the same way from both; a button follows its
// entry's enabled state. Buttons carry no caption and no tooltip; their
// accessible name is their entry's caption.
class QWidget;

namespace gs {

class frmMain;

// Called once from the main window's constructor, after the menus are built
// and before SetupShellMenus, whose toolbar theme paints the pictures.
void SetupShellToolbar(frmMain& w);

// Called from the main window's destructor: the strip goes before the toolbar.
void TeardownShellToolbar(frmMain& w);
// What a click on slot 1-19 does (nothing for separators and other numbers).
void Toolbar1_ButtonClick(frmMain& w, int slot);

// The widget standing in slot 1-19.
QWidget* ToolbarSlotWidget(const frmMain& w, int slot);

}  // namespace gs
