#pragma once
// One stored icon image (a DIB with its mask, or PNG) to a picture of its own
// size with coverage. The decoding itself is the icon reader's; this is the
// only place the extraction code calls it.
#include <cstdint>
#include <span>

#include "import/icon_resources.h"

namespace gs {

bool DecodeIconImage(std::span<const std::uint8_t> image, RgbaPicture& out);

}  // namespace gs
