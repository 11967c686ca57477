#pragma once
// The pictures of the menu entries and the toolbar buttons, drawn by us at
// start-up: one vector drawing per command in a 16-unit box, scaled to 16 x 16
// for the menus and 24 x 24 for the toolbar, so both sets match.
#include <QPixmap>

#include "shell/menu_tree.h"

namespace gs {

// A square picture of `side` pixels (16 for menus, 24 for the toolbar), transparent around.
QPixmap CommandPicture(CommandArt art, int side);

// A tool's picture at 16 x 16 (the tool buttons' glyph, reduced).
QPixmap ToolMenuPicture(ToolIndex tool);

}  // namespace gs
