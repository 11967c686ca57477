#pragma once
// The two 8-bit colour-table methods of the icon writer, built from the
// image's own colours ("High" and "Extreme" in the save-options window).
// Both read the working copy (white already turned black) and return a
// 1024-byte index block, bottom row first, with a 256-entry table.
//
//   DepthImage img = BuildExactPalette(workingCopy);    // "High"
//   DepthImage img = BuildSampledPalette(workingCopy);  // "Extreme"
#include <cstdint>
#include <span>

#include "document/surface.h"
#include "files/depth.h"

namespace gs {

// Values in the order of the save-options list.
enum class PaletteMethod : std::uint8_t { None = 0, High = 1, Extreme = 2 };

// First come, first served: the first 256 distinct colours in screen order get
// indices 0..255; pixels of any later colour get index 0.
DepthImage BuildExactPalette(const Surface& workingCopy);

// Up to 256 distinct colours sampled in four interleaved passes over the
// pixels (pass k takes pixels k, k + 4, k + 8, ...), then every pixel mapped
// with NearestPaletteIndex. Unfilled entries stay black and take part.
DepthImage BuildSampledPalette(const Surface& workingCopy);

// The same from 32 x 32 pixels held in an array, top row first. Colours are
// looked up, not searched: the full nearest search runs once per colour the
// table does not hold.
DepthImage BuildExactPalette(std::span<const Color, 1024> pixels);
DepthImage BuildSampledPalette(std::span<const Color, 1024> pixels);

// Nearest entry by the sum of channel differences; a tie goes to the entry
// whose crossed-channel measure is strictly smaller, else the earlier one.
int NearestPaletteIndex(std::span<const PaletteEntry> table, int red, int green, int blue);

}  // namespace gs
