#pragma once
// Reading an icon or cursor file into the document.
//
//   IconLoadResult r = LoadIconFile(path, doc);
//   if (!r.started) return;            // empty path or no such file: nothing changed
//   setWindowTitle(r.title);           // doc.fileName and doc.modified are already set
//   if (r.repaint) RePaint();
//   if (r.addToRecent) AddRecentFile(path);
//
// A damaged file still loads (to whatever its bytes give, black where they are
// missing), untitled; r.problem says what was wrong, for a message.
// The hotspot of a one-image cursor is kept for Save (fileHotspotX/Y), not put
// into the export's hotspot.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/icon_document.h"
#include "document/surface.h"
#include "files/depth.h"
#include "files/icon_directory.h"
#include "files/icon_image.h"

namespace gs {

// The header and the entries that the bytes hold. `complete` is false when the
// file ends before the header or before `count` entries.
struct IconDirectory {
  IconFileHeader header;
  std::vector<IconDirectoryEntry> entries;
  bool complete = false;
};
IconDirectory ReadIconDirectory(std::span<const std::uint8_t> bytes);

// True when the stored image at offset starts with the PNG signature.
bool IsPngImage(std::span<const std::uint8_t> bytes, std::uint32_t offset);

// Index of the entry to read in a file of several entries: the first 32 x 32
// entry whose stored bit count is 24, else 8, else 4, else 1; -1 when none.
int PickIconImage(std::span<const IconDirectoryEntry> entries);

// When no entry qualifies by the directory (modern icons store 32 or 0 there,
// cursors their hotspot): the first entry whose own image is 32 x 32 at 32
// bits (or PNG), else 24, 8, 4, 1 bits; -1 when none.
int PickIconImageByHeaders(std::span<const std::uint8_t> bytes,
                           std::span<const IconDirectoryEntry> entries);

// The entry a file of several images opens on, the same for the editor and
// every command: PickIconImage (icons only: a cursor's directory holds its
// hotspot there), else PickIconImageByHeaders. -1 when no image is 32 x 32.
int ChooseIconEntry(std::span<const std::uint8_t> bytes, const IconDirectory& dir);

// 1024 pixels (blue, green, red) into out (3072 bytes), in the block's stored
// order, for bit count 1, 4 or 8; the block must hold 128, 512 or 1024 bytes.
// Any other bit count writes nothing. An index beyond the table gives black.
void ExpandIndexedPixels(std::span<const std::uint8_t> block, int bitCount,
                         std::span<const PaletteEntry> table, std::span<std::uint8_t> out);

struct IconDecodeResult {
  Surface pixels;       // 32 x 32
  int entryIndex = -1;  // the entry read; -1 when none
  int entryCount = 0;   // the directory's entries that the bytes hold
  IconImageKind kind = IconImageKind::None;
  bool fallback = false;
  std::string problem;  // empty when the file read cleanly
  // The file's type and the chosen entry's hotspot (cursors only; 0 for icons).
  bool cursor = false;
  int hotspotX = 0;
  int hotspotY = 0;
};

// Bytes of an .ico/.cur -> the picture the editor shows. Never fails.
// When no entry qualifies, the best image (the smallest at least 32 pixels,
// else the largest; then the deepest) is drawn over white: its transparent
// pixels are white like any other. Each stored image is tried once, and the
// whole search is bounded, whatever the directory holds.
IconDecodeResult DecodeIconFile(std::span<const std::uint8_t> bytes);

// True when the bytes start as an icon or cursor file: reserved 0, type 1 or
// 2, a count of at least 1 and the whole directory inside the bytes.
bool HasIconHeader(std::span<const std::uint8_t> bytes);

struct IconLoadResult {
  bool started = false;      // the path named an existing file: document replaced
  bool repaint = false;      // true whenever started
  bool addToRecent = false;  // the file read whole and Save may write it back
  std::string title;         // "<path> - Varnel Glyphsmith", untitled after a problem
  bool readFailed = false;   // the file could not be read at all (problem says why)
  std::string problem;       // empty when the file read cleanly
  IconDecodeResult decoded;  // entry and kind, for `info`-like callers (pixels moved out)
};

// Reads the file into doc: new surface, fileName := path, modified := false.
// With an empty path or no such file, doc is untouched and started is false.
// A file that is damaged or cannot be read loads to its defined picture but
// leaves fileName empty, so that Save asks for a name instead of overwriting it.
IconLoadResult LoadIconFile(const std::string& path, IconDocument& doc);
// The same from bytes already read (path gives the title and the file name).
IconLoadResult LoadIconBytes(const std::string& path, std::span<const std::uint8_t> bytes,
                             IconDocument& doc);

// Icon files beyond this are not icons; reading stops there.
inline constexpr std::size_t kMaxIconFileBytes = std::size_t{16} << 20;

// The window title after a load.
std::string LoadedTitle(const std::string& path);

}  // namespace gs
