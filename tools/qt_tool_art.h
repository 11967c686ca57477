#pragma once
// Pictures we draw ourselves: the tool buttons' glyphs, the eight canvas
// pointers and the option panels' choices.
#include <QCursor>
#include <QImage>
#include <QPixmap>

#include "tools/tool_options.h"

namespace gs {

// A 22 x 22 glyph for a tool button.
QPixmap ToolButtonGlyph(ToolIndex tool);

// Pointer image 0..7 as a 32 x 32 cursor with its hotspot.
QCursor ToolPointer(int image);

// The choices of an option panel, unmarked, at w x h.
QImage PanelPicture(OptionPanel panel, int w, int h);

// Inverts the cell of `value` on a panel picture (the mark of the current choice).
void MarkPanelCell(QImage& image, OptionPanel panel, int value);

}  // namespace gs
