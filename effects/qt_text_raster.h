#pragma once
// The platform half of the text stamp: fonts come from Qt, glyphs are drawn
// without smoothing (so small text stays crisp on a 32 x 32 icon and brings
// no stray near-white colours), at 96 pixels per inch.
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

#include "effects/text_stamp.h"

namespace gs {

QFont TextFont(const TextStyle& style);

// Which pixels of a w x h grid the text covers when the top-left corner of
// its line is at (x, y): one byte per pixel, 0 or 255.
std::vector<std::uint8_t> TextCoverage(const TextStyle& style, const QString& text, int x, int y,
                                       int w, int h);

// The icon with the text stamped on it in `color`; only glyph pixels change.
Surface StampText(const Surface& icon, const TextStyle& style, const QString& text, int x, int y,
                  Color color);

// The sample "AaBbYyZz" centred on white in a picture of `size`.
QImage TextSampleImage(const TextStyle& style, Color color, QSize size);

// Every installed font family, sorted as the font database gives them.
QStringList InstalledFontFamilies();
// The family the desktop uses for its sans-serif text.
QString DesktopSansSerif();

}  // namespace gs
