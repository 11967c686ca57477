#include "files/kept_images.h"

#include <algorithm>

#include "files/byte_io.h"
#include "files/icon_image.h"
#include "files/icon_reader.h"
#include "files/icon_writer.h"

namespace gs {

namespace {

constexpr std::size_t kHeaderBytes = 6;
constexpr std::size_t kEntryBytes = 16;
// The count is a signed 16-bit field: one more entry must still fit.
constexpr std::size_t kMaxEntries = 0x7FFE;

struct Span {
  std::uint64_t begin = 0;
  std::uint64_t end = 0;
};

bool Refuse(std::string* why, const char* text) {
  if (why) *why = text;
  return false;
}

// The image an entry points at is 32 x 32, by its own header where it has one.
bool IsIconSized(std::span<const std::uint8_t> file, const IconDirectoryEntry& e) {
  IconImageHeader h;
  if (e.imageOffset < file.size() && PeekIconImage(file.subspan(e.imageOffset), h) && h.width > 0 &&
      h.height > 0)
    return h.width == 32 && h.height == 32;
  return e.width == 32 && e.height == 32;
}

void PutEntry(bytes::Writer& w, const IconDirectoryEntry& e, std::uint32_t offset) {
  w.U8(e.width);
  w.U8(e.height);
  w.U8(e.colorCount);
  w.U8(e.reserved);
  w.U16(e.planes);
  w.U16(e.bitCount);
  w.U32(e.bytesInResource);
  w.U32(offset);
}

}  // namespace

bool OtherImagesKeepable(std::span<const std::uint8_t> file, std::string* why) {
  const IconDirectory dir = ReadIconDirectory(file);
  if (dir.header.reserved != 0 || (dir.header.type != 1 && dir.header.type != 2))
    return Refuse(why, "not an icon or cursor header");
  if (!dir.complete) return Refuse(why, "directory cut short");
  if (dir.entries.size() < 2) return Refuse(why, "a single image");
  if (dir.entries.size() > kMaxEntries) return Refuse(why, "too many images");
  const std::uint64_t directoryEnd = kHeaderBytes + kEntryBytes * dir.entries.size();
  std::vector<Span> spans;
  spans.reserve(dir.entries.size());
  for (const IconDirectoryEntry& e : dir.entries) {
    const Span s{e.imageOffset, std::uint64_t{e.imageOffset} + e.bytesInResource};
    if (s.begin < directoryEnd) return Refuse(why, "an image inside the directory");
    if (s.end > file.size()) return Refuse(why, "an image past the end of the file");
    spans.push_back(s);
  }
  std::sort(spans.begin(), spans.end(), [](Span a, Span b) { return a.begin < b.begin; });
  for (std::size_t i = 1; i < spans.size(); ++i)
    if (spans[i].begin < spans[i - 1].end) return Refuse(why, "images sharing bytes");
  return true;
}

bool MergeEditedImage(std::span<const std::uint8_t> source, int entry,
                      std::span<const std::uint8_t> single, std::optional<CursorHotspot> hotspot,
                      std::vector<std::uint8_t>& out) {
  if (!OtherImagesKeepable(source)) return false;
  const IconDirectory dir = ReadIconDirectory(source);
  const IconDirectory one = ReadIconDirectory(single);
  if (entry < 0 || static_cast<std::size_t>(entry) >= dir.entries.size() || one.entries.size() != 1)
    return false;
  const IconDirectoryEntry& made = one.entries[0];
  if (std::uint64_t{made.imageOffset} + made.bytesInResource > single.size()) return false;
  const auto madeImage = single.subspan(made.imageOffset, made.bytesInResource);

  const bool cursor = dir.header.type == 2;
  const IconDirectoryEntry& read = dir.entries[entry];
  const bool replace = IsIconSized(source, read);
  IconDirectoryEntry edited = made;
  if (cursor) {
    CursorHotspot h{read.planes, read.bitCount};
    if (hotspot) {
      h = *hotspot;
    } else if (!replace) {
      // The hotspot of the image shown, moved to the same place at 32 pixels.
      IconImageHeader ih;
      const int side = read.imageOffset < source.size() &&
                               PeekIconImage(source.subspan(read.imageOffset), ih) && ih.width > 0
                           ? ih.width
                           : (read.width == 0 ? 256 : read.width);
      h = {std::min(31, read.planes * 32 / side), std::min(31, read.bitCount * 32 / side)};
    }
    edited.planes = static_cast<std::uint16_t>(h.x);
    edited.bitCount = static_cast<std::uint16_t>(h.y);
  }

  std::vector<IconDirectoryEntry> entries = dir.entries;
  std::vector<std::span<const std::uint8_t>> images;
  images.reserve(entries.size() + 1);
  for (const IconDirectoryEntry& e : entries)
    images.push_back(source.subspan(e.imageOffset, e.bytesInResource));
  if (replace) {
    entries[entry] = edited;
    images[entry] = madeImage;
  } else {
    entries.push_back(edited);
    images.push_back(madeImage);
  }

  std::size_t total = kHeaderBytes + kEntryBytes * entries.size();
  for (const auto& image : images) total += image.size();
  bytes::Writer w(total);
  w.U16(0);
  w.U16(dir.header.type);
  w.U16(static_cast<unsigned>(entries.size()));
  std::uint64_t at = kHeaderBytes + kEntryBytes * entries.size();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    entries[i].bytesInResource = static_cast<std::uint32_t>(images[i].size());
    PutEntry(w, entries[i], static_cast<std::uint32_t>(at));
    at += images[i].size();
  }
  for (const auto& image : images) w.Bytes(image);
  out = w.Take();
  return true;
}

bool KeptFileIsCursor(const IconDocument& doc) {
  return doc.sourceFile && ReadIconDirectory(*doc.sourceFile).header.type == 2;
}

WriteStatus WriteKeepingOtherImages(const std::string& path, const IconDocument& doc, int bitCount,
                                    PaletteMethod method, std::optional<CursorHotspot> hotspot) {
  if (hotspot && (hotspot->x < 0 || hotspot->x > 31 || hotspot->y < 0 || hotspot->y > 31))
    return WriteStatus::Failure(path, "hotspot outside 0..31");
  const std::vector<std::uint8_t> single = BuildIconBytes(doc.surface, bitCount, method);
  if (single.empty())
    return WriteStatus::Failure(path, "unsupported colour depth " + std::to_string(bitCount));
  std::vector<std::uint8_t> merged;
  if (!doc.sourceFile ||
      !MergeEditedImage(*doc.sourceFile, doc.sourceEntry, single, hotspot, merged))
    return WriteStatus::Failure(path, "the other images of the file could not be kept");
  return WriteFileSafely(path, merged);
}

}  // namespace gs
