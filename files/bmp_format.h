#pragma once
// Windows bitmap export: the document's pixels at 1, 4, 8 or 24 bits through
// the standard tables; white is written as white (bitmaps have no mask).
//
//   WriteStatus st = WriteBitmapFile(path, doc.surface, 24);
#include <cstdint>
#include <string>
#include <vector>

#include "document/surface.h"
#include "platform/safe_file.h"

namespace gs {

// 190, 630, 2102 or 3126 bytes; empty for an unknown depth.
std::vector<std::uint8_t> BuildBitmapBytes(const Surface& document, int bitCount);

WriteStatus WriteBitmapFile(const std::string& path, const Surface& document, int bitCount);

}  // namespace gs
