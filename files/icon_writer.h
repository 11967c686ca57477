#pragma once
// Writing the document as a single-image 32 x 32 icon or cursor.
//
//   WriteStatus st = WriteIconFile(path, doc.surface, 8, PaletteMethod::High);
//   WriteStatus st = WriteCursorFile(path, doc.surface, 1, PaletteMethod::None,
//                                    doc.hotspotX, doc.hotspotY);
//   if (!st) ShowError(st.error);   // the old file is untouched
//
// White pixels become mask bits (transparent) over black colour pixels.
// BuildIconBytes / MarkAsCursor give the bytes without touching the disk.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "document/surface.h"
#include "files/depth.h"
#include "files/palette_methods.h"
#include "platform/safe_file.h"

namespace gs {

// 128 bytes, bottom row first, most significant bit leftmost; 1 where the
// pixel is pure white.
std::array<std::uint8_t, 128> BuildIconMask(const Surface& document);

// The whole icon file (326, 766, 2238 or 3262 bytes); empty for an unknown depth.
// The palette method matters at 8 bits only.
std::vector<std::uint8_t> BuildIconBytes(const Surface& document, int bitCount,
                                         PaletteMethod method);

// Turns icon bytes into cursor bytes: type 2, hotspot X at offset 10 and Y at
// offset 12. False (bytes unchanged) when they are too short to be an icon.
bool MarkAsCursor(std::vector<std::uint8_t>& bytes, std::int16_t hotspotX, std::int16_t hotspotY);

WriteStatus WriteIconFile(const std::string& path, const Surface& document, int bitCount,
                          PaletteMethod method);
// Hotspot values outside 0..31 are refused without writing.
WriteStatus WriteCursorFile(const std::string& path, const Surface& document, int bitCount,
                            PaletteMethod method, std::int16_t hotspotX, std::int16_t hotspotY);

}  // namespace gs
