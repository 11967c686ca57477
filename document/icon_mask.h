#pragma once
// The icon transparency rules, one pixel at a time. They give exactly what the
// block operations give on whole surfaces (MakeColorMask with white as key,
// ReplaceColorInRect white -> black, MaskedCopy with a black key), so the file
// code can apply them in the same pass that reads or writes the pixels.
//
//   reading:  pixel = MaskedPixel(colour, maskBit)
//   writing:  maskBit = IsMaskedOut(pixel); colour = WorkingColor(pixel)
#include "document/colors.h"

namespace gs {

// A mask bit of 1 (transparent) exactly where the document pixel is pure white.
constexpr bool IsMaskedOut(Color c) { return c == kTransparent; }

// The colour stored under a mask bit: white goes to black, so that the
// transparent pixels leave the screen untouched where the mask is applied.
constexpr Color WorkingColor(Color c) { return c == kTransparent ? kBlack : c; }

// A stored pixel read back: a set mask bit shows as white whatever the colour.
constexpr Color MaskedPixel(Color stored, bool maskBit) { return maskBit ? kTransparent : stored; }

}  // namespace gs
