#pragma once
// Whether a drawing stays readable on the colour behind it: the contrast
// ratio of the two colours' relative luminances (sRGB), 1 to 21.
#include "document/colors.h"

namespace gs {

// (lighter + 0.05) / (darker + 0.05); symmetric.
double ContrastRatio(Color a, Color b);

// The least contrast a picture's lines keep against their background.
inline constexpr double kReadableContrast = 3.0;

// `preferred` when it keeps kReadableContrast against `background`, else
// black or white, whichever contrasts more (a light ink on dark palettes).
Color ReadableInk(Color preferred, Color background);

}  // namespace gs
