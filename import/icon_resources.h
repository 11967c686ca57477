#pragma once
// The icons held by Windows programs and libraries (PE32 and PE32+ of any
// machine, 16-bit NE) and by icon files, read from hostile bytes:
//
//   std::string error;
//   auto file = FileSource::Open(path, error);        // nothing read yet
//   IconResourceReader icons(*file);                  // headers and resource directory only
//   for (int k = 0; k < icons.Count(); ++k) {
//     IconPicture pic;
//     if (ExtractIconPicture(icons, k, pic)) draw(pic.overWhite);
//   }
//
// One icon per icon group, in the order the desktop lists them: named groups
// first (as stored), then numeric identifiers ascending. An icon file is one
// group. Every offset, size and count is checked before use: nothing outside
// the file is read, the directory walk has fixed depth and visits each entry
// once, and no buffer is larger than the bytes the file holds for it.
#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "document/surface.h"
#include "files/icon_directory.h"
#include "import/byte_source.h"
#include "import/pe_resources.h"
#include "import/resource_index.h"

namespace gs {

// An entry of a group's directory, and where its image's bytes lie. A
// program's entries give the image's resource id where an icon file's give
// its offset (files/icon_directory.h).
struct IconGroupEntry : IconEntryFields {
  std::uint16_t id = 0;  // programs
  // Filled by the reader: the image's bytes in the file (present false when
  // the resource is missing or lies outside the file).
  bool present = false;
  std::uint64_t offset = 0;
  std::uint32_t size = 0;
};

// Size and depth that an image's own header gives (DIB or PNG).
struct IconImageInfo {
  bool readable = false;
  bool png = false;
  int width = 0;
  int height = 0;
  int bitCount = 0;
};

// A program offers at most this many icon groups (the first, in the order
// above); names are cut at this many UTF-16 units.
inline constexpr int kMaxIconGroups = 4096;
inline constexpr std::uint32_t kMaxGroupNameUnits = 256;
// Of a group's images, the first this many are read.
inline constexpr std::uint32_t kMaxGroupImages = 256;

// Largest image the reader will load; larger resources are skipped as damaged.
inline constexpr std::uint32_t kMaxIconImageBytes = 8u << 20;

class IconResourceReader {
 public:
  // Reads the headers and the group directory; the source must outlive the reader.
  explicit IconResourceReader(ByteSource& src);

  IconContainer Container() const { return index_.container; }
  // The first bytes name a program or an icon file, whatever else could be read.
  bool Recognised() const { return recognised_; }
  // Why the file holds no icons, or what was damaged; empty when clean.
  const std::string& Problem() const { return index_.problem; }
  int Count() const { return static_cast<int>(index_.groups.size()); }
  // The file holds more groups than kMaxIconGroups; Count() gives the first.
  bool GroupsCut() const { return index_.groupsCut; }
  const IconGroupName& GroupName(int k) const { return index_.groups[k].name; }

  // The directory of group k, each entry located in the file.
  bool ReadGroup(int k, std::vector<IconGroupEntry>& entries);
  bool ReadImageInfo(const IconGroupEntry& entry, IconImageInfo& info);
  // The image's stored bytes; false when missing or beyond kMaxIconImageBytes.
  bool ReadImage(const IconGroupEntry& entry, std::vector<std::uint8_t>& bytes);

 private:
  void ReadIconFile();
  // The file's own directory, of `size` bytes at its start.
  bool ReadIconFileGroup(std::uint32_t size, std::vector<IconGroupEntry>& entries);
  bool LocateIcon(IconGroupEntry& e);

  ByteSource& src_;
  bool recognised_ = false;
  ResourceIndex index_;
  PeResources pe_;
  // Image headers already read, by offset and bytes read: a hostile file's
  // groups may list one image a million times.
  std::map<std::pair<std::uint64_t, std::size_t>, IconImageInfo> infos_;
};

// Parses a group directory (GRPICONDIR) as stored in a program.
bool ParseGroupDirectory(std::span<const std::uint8_t> bytes, std::vector<IconGroupEntry>& entries);
// Size and depth from the header at the start of an image's bytes; readable
// when the icon decoder can decode such an image.
IconImageInfo ImageInfoOf(std::span<const std::uint8_t> head);

// The image a 32 x 32 icon is drawn from: the 32 x 32 image of the highest
// depth (the first of equals); else the nearest size, larger before smaller,
// then the highest depth. -1 when no image is readable.
int PickExtractImage(std::span<const IconImageInfo> images);

// Icon k at 32 x 32, as the icon decoder brings any image there (files/icon_image.h):
// white where see-through, `alpha` 0 or 255 per pixel.
struct IconPicture {
  Surface overWhite;
  std::array<std::uint8_t, 1024> alpha{};
  int imageIndex = -1;  // within the group
  IconImageInfo source;
  bool scaled = false;
};
bool ExtractIconPicture(IconResourceReader& reader, int k, IconPicture& out,
                        std::string* problem = nullptr);

// What the user is told, after the file's name ("<path>: <reason>" from the
// tool, the name and the reason in the extraction window's message):
// why the file holds no icons, "holds no icons (<what the reader found>)";
std::string NoIconsReason(const IconResourceReader& reader);
// and why icon k cannot be drawn, "no icon k (n icons)" or "icon k: <problem>".
bool ExtractIcon(IconResourceReader& reader, int k, IconPicture& out, std::string& reason);

}  // namespace gs
