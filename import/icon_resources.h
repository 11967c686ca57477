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
#include "import/byte_source.h"

namespace gs {

enum class IconContainer { None, IconFile, Pe32, Pe32Plus, Ne };

// One image of a group as its directory describes it, and where its bytes lie.
// Group entries (programs) carry the image's resource id; icon-file entries
// carry the image's offset instead.
struct IconGroupEntry {
  std::uint8_t width = 0;  // 0 means 256
  std::uint8_t height = 0;
  std::uint8_t colorCount = 0;
  std::uint8_t reserved = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t bytesInRes = 0;
  std::uint16_t id = 0;
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

struct IconGroupName {
  bool named = false;
  std::string name;  // UTF-8, for named groups
  std::uint32_t id = 0;
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

  IconContainer Container() const { return container_; }
  // The first bytes name a program or an icon file, whatever else could be read.
  bool Recognised() const { return recognised_; }
  // Why the file holds no icons, or what was damaged; empty when clean.
  const std::string& Problem() const { return problem_; }
  int Count() const { return static_cast<int>(groups_.size()); }
  // The file holds more groups than kMaxIconGroups; Count() gives the first.
  bool GroupsCut() const { return groupsCut_; }
  const IconGroupName& GroupName(int k) const { return groups_[k].name; }

  // The directory of group k, each entry located in the file.
  bool ReadGroup(int k, std::vector<IconGroupEntry>& entries);
  bool ReadImageInfo(const IconGroupEntry& entry, IconImageInfo& info);
  // The image's stored bytes; false when missing or beyond kMaxIconImageBytes.
  bool ReadImage(const IconGroupEntry& entry, std::vector<std::uint8_t>& bytes);

 private:
  struct Group {
    IconGroupName name;
    std::uint64_t offset = 0;  // icon files: the directory; NE: the resource
    std::uint32_t size = 0;
    std::uint32_t peEntry = 0;  // PE: the name entry's OffsetToData
  };
  struct IconId {
    std::uint16_t id = 0;
    std::uint32_t peEntry = 0;  // PE
    std::uint64_t offset = 0;   // NE; PE once located
    std::uint32_t size = 0;
    // PE: 0 until located, then 1 found or 2 not; many entries may name one icon.
    std::uint8_t located = 0;
  };

  void ReadPe(std::uint32_t peOffset);
  void ReadNe(std::uint32_t neOffset);
  void ReadIconFile();
  bool PeDirectory(std::uint32_t rel, std::vector<std::uint8_t>& entries, int& named, int& ids);
  bool PeMap(std::uint32_t rva, std::uint32_t size, std::uint64_t& offset) const;
  bool PeResolve(std::uint32_t entry, std::uint64_t& offset, std::uint32_t& size);
  std::string PeName(std::uint32_t rel);
  bool LocateIcon(IconGroupEntry& e);
  void Fail(const std::string& why);

  ByteSource& src_;
  IconContainer container_ = IconContainer::None;
  bool recognised_ = false;
  bool groupsCut_ = false;
  std::string problem_;
  std::vector<Group> groups_;
  std::vector<IconId> iconIds_;  // sorted by id
  // Image headers already read, by offset and bytes read: a hostile file's
  // groups may list one image a million times.
  std::map<std::pair<std::uint64_t, std::size_t>, IconImageInfo> infos_;
  // PE sections: virtual address, virtual size, raw size, raw offset.
  struct Section {
    std::uint32_t va = 0, vsize = 0, rawSize = 0, rawOffset = 0;
  };
  std::vector<Section> sections_;
  std::uint32_t sizeOfHeaders_ = 0;
  std::uint32_t rsrcRva_ = 0;
  std::uint32_t rsrcSize_ = 0;
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
