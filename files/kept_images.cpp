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
// The count is a 16-bit field: one more entry must still fit.
constexpr std::size_t kMaxEntries = 0xFFFE;

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

// Where each entry's image lies. Some writers leave the length of an image 0:
// it then runs to the next image or the end of the file, so that the bytes a
// reader could still use are not dropped on the next save.
std::vector<Span> ImageSpans(std::span<const std::uint8_t> file, const IconDirectory& dir) {
  std::vector<std::uint64_t> starts;
  starts.reserve(dir.entries.size());
  for (const IconDirectoryEntry& e : dir.entries) starts.push_back(e.imageOffset);
  std::sort(starts.begin(), starts.end());
  std::vector<Span> spans;
  spans.reserve(dir.entries.size());
  for (const IconDirectoryEntry& e : dir.entries) {
    Span s{e.imageOffset, std::uint64_t{e.imageOffset} + e.bytesInResource};
    if (e.bytesInResource == 0 && s.begin < file.size()) {
      const auto next = std::upper_bound(starts.begin(), starts.end(), s.begin);
      s.end = next == starts.end() ? file.size() : std::min<std::uint64_t>(*next, file.size());
    }
    spans.push_back(s);
  }
  return spans;
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

std::vector<std::uint8_t> Assemble(std::uint16_t type, std::vector<IconDirectoryEntry> entries,
                                   std::span<const std::span<const std::uint8_t>> images) {
  std::size_t total = kHeaderBytes + kEntryBytes * entries.size();
  for (const auto& image : images) total += image.size();
  bytes::Writer w(total);
  w.U16(0);
  w.U16(type);
  w.U16(static_cast<unsigned>(entries.size()));
  std::uint64_t at = kHeaderBytes + kEntryBytes * entries.size();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    entries[i].bytesInResource = static_cast<std::uint32_t>(images[i].size());
    PutEntry(w, entries[i], static_cast<std::uint32_t>(at));
    at += images[i].size();
  }
  for (const auto& image : images) w.Bytes(image);
  return w.Take();
}

bool OpensOn(std::span<const std::uint8_t> file, int entry) {
  return ChooseIconEntry(file, ReadIconDirectory(file)) == entry;
}

}  // namespace

bool OtherImagesKeepable(std::span<const std::uint8_t> file, std::string* why) {
  const IconDirectory dir = ReadIconDirectory(file);
  if (dir.header.reserved != 0 || (dir.header.type != 1 && dir.header.type != 2))
    return Refuse(why, "not an icon or cursor header");
  if (!dir.complete) return Refuse(why, "directory cut short");
  if (dir.entries.empty()) return Refuse(why, "no images");
  // A lone image of another size stays beside the 32 x 32 one that Save adds.
  if (dir.entries.size() == 1 && IsIconSized(file, dir.entries[0]))
    return Refuse(why, "a single image");
  if (dir.entries.size() > kMaxEntries) return Refuse(why, "too many images");
  const std::uint64_t directoryEnd = kHeaderBytes + kEntryBytes * dir.entries.size();
  std::vector<Span> spans = ImageSpans(file, dir);
  for (const Span& s : spans) {
    if (s.begin < directoryEnd) return Refuse(why, "an image inside the directory");
    if (s.end > file.size()) return Refuse(why, "an image past the end of the file");
  }
  std::sort(spans.begin(), spans.end(), [](Span a, Span b) { return a.begin < b.begin; });
  for (std::size_t i = 1; i < spans.size(); ++i)
    if (spans[i].begin < spans[i - 1].end) return Refuse(why, "images sharing bytes");
  return true;
}

bool HoldsOtherImages(std::span<const std::uint8_t> file) {
  const IconDirectory dir = ReadIconDirectory(file);
  return dir.entries.size() > 1 || (dir.entries.size() == 1 && !IsIconSized(file, dir.entries[0]));
}

bool MergeEditedImage(std::span<const std::uint8_t> source, int entry,
                      std::span<const std::uint8_t> single, std::optional<CursorHotspot> hotspot,
                      MergedFile& out) {
  if (!OtherImagesKeepable(source)) return false;
  const IconDirectory dir = ReadIconDirectory(source);
  const IconDirectory one = ReadIconDirectory(single);
  if (entry < 0 || static_cast<std::size_t>(entry) >= dir.entries.size() || one.entries.size() != 1)
    return false;
  const IconDirectoryEntry& made = one.entries[0];
  if (std::uint64_t{made.imageOffset} + made.bytesInResource > single.size()) return false;
  const auto madeImage = single.subspan(made.imageOffset, made.bytesInResource);
  IconImageHeader madeHeader;
  if (!PeekIconImage(madeImage, madeHeader)) return false;

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
  } else {
    // Among other images the entry must say what it holds: the reader picks
    // a file's 32 x 32 image by the depth stated here.
    const int bits = madeHeader.bitCount;
    edited.colorCount = static_cast<std::uint8_t>(bits == 1 ? 2 : bits == 4 ? 16 : 0);
    edited.planes = 1;
    edited.bitCount = static_cast<std::uint16_t>(bits);
  }

  std::vector<IconDirectoryEntry> entries = dir.entries;
  std::vector<std::span<const std::uint8_t>> images;
  images.reserve(entries.size() + 1);
  for (const Span& s : ImageSpans(source, dir))
    images.push_back(source.subspan(s.begin, s.end - s.begin));
  int at = entry;
  if (replace) {
    entries[entry] = edited;
    images[entry] = madeImage;
  } else {
    at = static_cast<int>(entries.size());
    entries.push_back(edited);
    images.push_back(madeImage);
  }

  MergedFile merged;
  merged.bytes = Assemble(dir.header.type, entries, images);
  merged.editedEntry = at;
  merged.shownOnOpen = OpensOn(merged.bytes, at);
  if (!merged.shownOnOpen && at > 0) {
    // An earlier image of the same depth would open first: put the edited
    // one ahead of it. One of a greater depth still wins; the caller asks.
    std::rotate(entries.begin(), entries.begin() + at, entries.begin() + at + 1);
    std::rotate(images.begin(), images.begin() + at, images.begin() + at + 1);
    std::vector<std::uint8_t> front = Assemble(dir.header.type, entries, images);
    if (OpensOn(front, 0)) {
      merged.bytes = std::move(front);
      merged.editedEntry = 0;
      merged.shownOnOpen = true;
    }
  }
  out = std::move(merged);
  return true;
}

int DepthOfImageRead(const IconDocument& doc) {
  if (!doc.sourceFile) return 0;
  const std::span<const std::uint8_t> file = *doc.sourceFile;
  const IconDirectory dir = ReadIconDirectory(file);
  if (doc.sourceEntry < 0 || static_cast<std::size_t>(doc.sourceEntry) >= dir.entries.size())
    return 0;
  const std::uint32_t at = dir.entries[doc.sourceEntry].imageOffset;
  IconImageHeader h;
  if (at >= file.size() || !PeekIconImage(file.subspan(at), h)) return 0;
  if (h.png || h.bitCount > 24) return 24;
  for (int bits : {1, 4, 8})
    if (h.bitCount <= bits) return bits;
  return 24;
}

bool KeptFileIsCursor(const IconDocument& doc) {
  return doc.sourceFile && ReadIconDirectory(*doc.sourceFile).header.type == 2;
}

bool BuildKeepingOtherImages(const IconDocument& doc, int bitCount, PaletteMethod method,
                             std::optional<CursorHotspot> hotspot, MergedFile& out,
                             std::string& error) {
  if (hotspot && (hotspot->x < 0 || hotspot->x > 31 || hotspot->y < 0 || hotspot->y > 31)) {
    error = "hotspot outside 0..31";
    return false;
  }
  const std::vector<std::uint8_t> single = BuildIconBytes(doc.surface, bitCount, method);
  if (single.empty()) {
    error = "unsupported colour depth " + std::to_string(bitCount);
    return false;
  }
  if (!doc.sourceFile ||
      !MergeEditedImage(*doc.sourceFile, doc.sourceEntry, single, hotspot, out)) {
    error = "the other images of the file could not be kept";
    return false;
  }
  return true;
}

WriteStatus WriteKeepingOtherImages(const std::string& path, const IconDocument& doc, int bitCount,
                                    PaletteMethod method, std::optional<CursorHotspot> hotspot) {
  MergedFile merged;
  std::string error;
  if (!BuildKeepingOtherImages(doc, bitCount, method, hotspot, merged, error))
    return WriteStatus::Failure(path, error);
  return WriteFileSafely(path, merged.bytes);
}

}  // namespace gs
