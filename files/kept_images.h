#pragma once
// Saving a picture that was opened from a file of several images (other sizes
// and depths, PNG entries, other cursor images). The edited 32 x 32 image
// takes the place of the entry it was read from, or joins the file when that
// entry was of another size; every other entry's image is written back byte
// for byte, in the directory's order.
//
//   if (OtherImagesKeepable(bytes)) remember bytes and the entry read;
//   ...
//   std::vector<std::uint8_t> out;
//   MergeEditedImage(source, entry, BuildIconBytes(...), hotspot, out);
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "document/icon_document.h"
#include "files/palette_methods.h"
#include "platform/safe_file.h"

namespace gs {

// True when the file has more than one entry and each entry's image can be
// copied out whole: every image inside the file, after the directory, and no
// two sharing bytes. Otherwise `why` says what stands in the way.
bool OtherImagesKeepable(std::span<const std::uint8_t> file, std::string* why = nullptr);

struct CursorHotspot {
  int x = 0;
  int y = 0;
};

// Builds the file that Save writes: `source` with entry `entry` replaced by the
// one image of `single` (a one-image file from the writer). The result keeps
// the source's type. In a cursor, the new image's hotspot is `hotspot` when
// given, else that of the entry it replaces (scaled to 32 pixels when the new
// image joins the file beside it). False, out untouched, when the source is not
// keepable or `single` holds no image.
bool MergeEditedImage(std::span<const std::uint8_t> source, int entry,
                      std::span<const std::uint8_t> single, std::optional<CursorHotspot> hotspot,
                      std::vector<std::uint8_t>& out);

// True when the kept file is a cursor (its images carry hotspots).
bool KeptFileIsCursor(const IconDocument& doc);

// Save of a document that keeps other images: the picture at bitCount merged
// into the kept file and written to path. A cursor hotspot outside 0..31 is
// refused without writing.
WriteStatus WriteKeepingOtherImages(const std::string& path, const IconDocument& doc, int bitCount,
                                    PaletteMethod method, std::optional<CursorHotspot> hotspot);

}  // namespace gs
