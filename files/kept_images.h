#pragma once
// Saving a picture that was opened from a file of several images (other sizes
// and depths, PNG entries, other cursor images). The edited 32 x 32 image
// takes the place of the entry it was read from, or joins the file when that
// entry was of another size; every other entry's image is written back byte
// for byte, in the directory's order.
//
//   if (OtherImagesKeepable(bytes)) remember bytes and the entry read;
//   ...
//   MergedFile out;
//   MergeEditedImage(source, entry, BuildIconBytes(...), hotspot, out);
//   if (!out.shownOnOpen) ask before writing: another image would open instead
//
// The edited entry states its true planes (1) and depth, so that the reader,
// which chooses among a file's 32 x 32 images by the depth the directory
// states, opens on it again.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "document/icon_document.h"
#include "files/palette_methods.h"
#include "platform/safe_file.h"

namespace gs {

// True when the file holds images besides the one the editor shows (more than
// one entry, or one image of another size than 32 x 32) and each entry's image
// can be copied out whole: every image inside the file, after the directory,
// and no two sharing bytes. An entry that declares no bytes is taken to run to
// the next image or the end of the file. Otherwise `why` says what stands in
// the way.
bool OtherImagesKeepable(std::span<const std::uint8_t> file, std::string* why = nullptr);

// True when a save of the file's 32 x 32 picture alone would drop an image:
// more than one entry, or one of another size.
bool HoldsOtherImages(std::span<const std::uint8_t> file);

struct CursorHotspot {
  int x = 0;
  int y = 0;
};

struct MergedFile {
  std::vector<std::uint8_t> bytes;
  int editedEntry = -1;      // the edited image's place in the directory
  bool shownOnOpen = false;  // the reader opens the file on the edited image
};

// Builds the file that Save writes: `source` with entry `entry` replaced by the
// one image of `single` (a one-image file from the writer). The result keeps
// the source's type. In a cursor, the new image's hotspot is `hotspot` when
// given, else that of the entry it replaces (scaled to 32 pixels when the new
// image joins the file beside it). When another entry of the edited image's
// depth would be opened before it, the edited entry moves to the front of the
// directory. False, out untouched, when the source is not keepable or `single`
// holds no image.
bool MergeEditedImage(std::span<const std::uint8_t> source, int entry,
                      std::span<const std::uint8_t> single, std::optional<CursorHotspot> hotspot,
                      MergedFile& out);

// The depth (1, 4, 8 or 24) at which Save puts the edited picture back where it
// was read, so that the file opens on it again: the depth of the image read,
// 24 for a deeper one. 0 when the document keeps no other images.
int DepthOfImageRead(const IconDocument& doc);

// True when the kept file is a cursor (its images carry hotspots).
bool KeptFileIsCursor(const IconDocument& doc);

// The bytes Save writes for a document that keeps other images: the picture at
// bitCount merged into the kept file. False with `error` when they cannot be
// made (a cursor hotspot outside 0..31, an unknown depth).
bool BuildKeepingOtherImages(const IconDocument& doc, int bitCount, PaletteMethod method,
                             std::optional<CursorHotspot> hotspot, MergedFile& out,
                             std::string& error);

// BuildKeepingOtherImages written to path.
WriteStatus WriteKeepingOtherImages(const std::string& path, const IconDocument& doc, int bitCount,
                                    PaletteMethod method, std::optional<CursorHotspot> hotspot);

}  // namespace gs
