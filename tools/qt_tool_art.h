#pragma once
// Pictures we draw ourselves: the tool buttons' glyphs, the eight canvas
// pointers and the option panels' choices.
#include <QColor>
#include <QCursor>
#include <QImage>
#include <QPixmap>

#include "tools/tool_options.h"

namespace gs {

// A 22 x 22 glyph for a tool button, its lines readable on `background`
// (by default the application palette's button colour).
QPixmap ToolButtonGlyph(ToolIndex tool, QColor background = QColor());

// Redraws the grey and black lines of a picture drawn for a light background
// in an ink that keeps ReadableInk's contrast against `background` (white on
// dark palettes); coloured fills stay. An invalid `background` stands for the
// application palette's button colour.
QPixmap ReadableOn(const QPixmap& picture, QColor background);

// Pointer image 0..7 as a 32 x 32 cursor with its hotspot.
QCursor ToolPointer(int image);

// The choices of an option panel, unmarked, at w x h.
QImage PanelPicture(OptionPanel panel, int w, int h);

// Inverts the cell of `value` on a panel picture (the mark of the current choice).
void MarkPanelCell(QImage& image, OptionPanel panel, int value);

}  // namespace gs
