#pragma once
// The two menu looks and the six toolbar colour themes, as Qt style sheets.
#include <QPalette>
#include <QString>

namespace gs {

// Look 0: flat and light, a framed blue highlight. Look 1: a blue-toned bar,
// menus with a tinted picture column and a warm highlight.
QString MenuBarStyleSheet(int look);
QString MenuStyleSheet(int look);

// Themes 0 blue, 1 grey, 2 green, 3 a flat light scheme, 4 gold with black
// edges, 5 taken from the desktop's palette.
QString ToolbarStyleSheet(int theme, const QPalette& desktop);
// The darkest colour of that toolbar's background, which its pictures must read on.
QColor ToolbarBackground(int theme, const QPalette& desktop);

}  // namespace gs
