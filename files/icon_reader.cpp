#include "files/icon_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <utility>

#include "document/pixel_helpers.h"
#include "files/byte_io.h"
#include "files/kept_images.h"
#include "files/png_codec.h"
#include "files/png_guard.h"
#include "platform/app_identity.h"
#include "platform/file_read.h"

namespace gs {

namespace {

constexpr std::size_t kHeaderBytes = 6;
constexpr std::size_t kEntryBytes = 16;

void AddProblem(std::string& problem, const std::string& what) {
  if (problem.empty()) problem = what;
}

int EntrySide(std::uint8_t v) { return v == 0 ? 256 : v; }

// What the fallback ranks an entry by: the image's own header where it has
// one, else the directory's fields.
struct EntryShape {
  int side = 0;
  int bits = 0;
  std::int64_t pixels = 0;
};

EntryShape ShapeOf(std::span<const std::uint8_t> bytes, const IconDirectoryEntry& e) {
  IconImageHeader h;
  if (e.imageOffset < bytes.size() && PeekIconImage(bytes.subspan(e.imageOffset), h) &&
      h.width > 0 && h.height > 0)
    return {h.width, h.bitCount, std::int64_t{h.width} * h.height};
  const int side = EntrySide(e.width);
  return {side, e.bitCount, std::int64_t{side} * EntrySide(e.height)};
}

// The fallback's choice among all entries: the smallest at least 32 pixels
// wide, else the largest; then the deepest; then the earliest.
std::vector<int> FallbackOrder(std::span<const EntryShape> shapes) {
  std::vector<int> order(shapes.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  auto rank = [&](int i) {
    const int side = shapes[i].side;
    const int sizeRank = side >= 32 ? side - 32 : (1 << 30) - side;
    return std::pair(sizeRank, -shapes[i].bits);
  };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return rank(a) < rank(b); });
  return order;
}

// The fallback gives up after this many distinct images or this many pixels
// decoded in all, so a directory of thousands of entries pointing at large
// damaged images costs no more than a few real icons.
constexpr int kFallbackMaxTries = 16;
constexpr std::int64_t kFallbackPixelBudget = std::int64_t{4} * 256 * 256;

void TakeImage(IconImageResult& img, const IconDirectory& dir, int index, IconDecodeResult& r) {
  r.pixels = std::move(img.pixels);
  r.kind = img.kind;
  r.entryIndex = index;
  if (r.cursor) {
    r.hotspotX = dir.entries[index].planes;
    r.hotspotY = dir.entries[index].bitCount;
  }
}

}  // namespace

IconDirectory ReadIconDirectory(std::span<const std::uint8_t> b) {
  IconDirectory d;
  std::uint16_t count = 0;
  if (!bytes::GetU16(b, 0, d.header.reserved) || !bytes::GetU16(b, 2, d.header.type) ||
      !bytes::GetU16(b, 4, count))
    return d;
  d.header.count = count;
  const int wanted = d.header.count;
  d.complete = true;
  for (int i = 0; i < wanted; ++i) {
    IconDirectoryEntry e;
    if (!ReadIconDirectoryEntry(b, kHeaderBytes + kEntryBytes * i, e)) {
      d.complete = false;
      break;
    }
    d.entries.push_back(e);
  }
  return d;
}

bool IsPngImage(std::span<const std::uint8_t> b, std::uint32_t offset) {
  return offset <= b.size() && HasPngSignature(b.subspan(offset));
}

int PickIconImage(std::span<const IconDirectoryEntry> entries) {
  for (int wanted : {24, 8, 4, 1}) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const IconDirectoryEntry& e = entries[i];
      if (e.width == 32 && e.height == 32 && e.bitCount == wanted) return static_cast<int>(i);
    }
  }
  return -1;
}

int PickIconImageByHeaders(std::span<const std::uint8_t> bytes,
                           std::span<const IconDirectoryEntry> entries) {
  static constexpr int kWanted[] = {32, 24, 8, 4, 1};
  int best = -1, bestRank = 5;
  for (std::size_t i = 0; i < entries.size() && bestRank > 0; ++i) {
    IconImageHeader h;
    const std::uint32_t at = entries[i].imageOffset;
    if (at >= bytes.size() || !PeekIconImage(bytes.subspan(at), h)) continue;
    if (h.width != 32 || h.height != 32) continue;
    for (int k = 0; k < bestRank; ++k)
      if (h.bitCount == kWanted[k]) {
        best = static_cast<int>(i);
        bestRank = k;
      }
  }
  return best;
}

int ChooseIconEntry(std::span<const std::uint8_t> bytes, const IconDirectory& dir) {
  // A cursor's directory holds the hotspot where an icon's holds its depth,
  // so only the images' own headers can choose among a cursor's images.
  const int byDirectory = dir.header.type == 2 ? -1 : PickIconImage(dir.entries);
  return byDirectory >= 0 ? byDirectory : PickIconImageByHeaders(bytes, dir.entries);
}

void ExpandIndexedPixels(std::span<const std::uint8_t> block, int bitCount,
                         std::span<const PaletteEntry> table, std::span<std::uint8_t> out) {
  if (out.size() < 3072) return;
  const int rowBytes = bitCount == 1 ? 4 : bitCount == 4 ? 16 : bitCount == 8 ? 32 : 0;
  if (rowBytes == 0 || block.size() < static_cast<std::size_t>(rowBytes) * 32) return;
  std::array<Color, 256> colors{};  // indices beyond the table read black
  for (std::size_t i = 0; i < table.size() && i < colors.size(); ++i)
    colors[i] = table[i].ToColor();
  std::array<Color, 32> row{};
  for (int r = 0; r < 32; ++r) {
    const std::uint8_t* in = block.data() + static_cast<std::size_t>(r) * rowBytes;
    if (bitCount == 1) DecodeRow1(in, 32, colors.data(), row.data());
    if (bitCount == 4) DecodeRow4(in, 32, colors.data(), row.data());
    if (bitCount == 8) DecodeRow8(in, 32, colors.data(), row.data());
    std::uint8_t* o = out.data() + static_cast<std::size_t>(r) * 96;
    for (int x = 0; x < 32; ++x) {
      o[3 * x] = static_cast<std::uint8_t>(BlueOf(row[x]));
      o[3 * x + 1] = static_cast<std::uint8_t>(GreenOf(row[x]));
      o[3 * x + 2] = static_cast<std::uint8_t>(RedOf(row[x]));
    }
  }
}

bool HasIconHeader(std::span<const std::uint8_t> b) {
  std::uint16_t reserved = 1, type = 0, count = 0;
  if (!bytes::GetU16(b, 0, reserved) || !bytes::GetU16(b, 2, type) || !bytes::GetU16(b, 4, count))
    return false;
  return reserved == 0 && (type == 1 || type == 2) && count >= 1 &&
         bytes::Has(b, kHeaderBytes, kEntryBytes * std::size_t{count});
}

IconDecodeResult DecodeIconFile(std::span<const std::uint8_t> bytes) {
  IconDecodeResult r;
  r.pixels = Surface(32, 32);  // black until something is read
  const IconDirectory dir = ReadIconDirectory(bytes);
  if (bytes.size() < kHeaderBytes) {
    r.problem = "too short for an icon header";
    return r;
  }
  if (dir.header.reserved != 0 || (dir.header.type != 1 && dir.header.type != 2))
    AddProblem(r.problem, "not an icon or cursor header");
  r.cursor = dir.header.type == 2;
  r.entryCount = static_cast<int>(dir.entries.size());
  if (dir.header.count == 0) {
    AddProblem(r.problem, "no images (count " + std::to_string(dir.header.count) + ")");
    return r;
  }
  if (!dir.complete) AddProblem(r.problem, "directory cut short");
  if (dir.entries.empty()) return r;

  const int chosen = dir.header.count == 1 ? 0 : ChooseIconEntry(bytes, dir);
  IconImageResult img;
  img.pixels = std::move(r.pixels);
  if (chosen < 0) {
    r.fallback = true;
    std::vector<EntryShape> shapes;
    shapes.reserve(dir.entries.size());
    for (const IconDirectoryEntry& e : dir.entries) shapes.push_back(ShapeOf(bytes, e));
    std::vector<std::uint32_t> tried;
    std::int64_t budget = kFallbackPixelBudget;
    for (int i : FallbackOrder(shapes)) {
      const std::uint32_t off = dir.entries[i].imageOffset;
      if (off >= bytes.size() || std::find(tried.begin(), tried.end(), off) != tried.end())
        continue;
      if (static_cast<int>(tried.size()) >= kFallbackMaxTries) break;
      if (shapes[i].pixels > budget) continue;
      tried.push_back(off);
      budget -= shapes[i].pixels;
      // Drawn over white: what the image leaves see-through is the editor's transparent.
      if (DecodeIconImage(bytes.subspan(off), img)) {
        if (!img.problem.empty()) AddProblem(r.problem, img.problem);
        TakeImage(img, dir, i, r);
        r.kind = IconImageKind::Fallback;
        return r;
      }
    }
    r.pixels = Surface(32, 32);
    r.kind = IconImageKind::Fallback;
    AddProblem(r.problem, "no image could be read");
    return r;
  }

  const std::uint32_t offset = dir.entries[chosen].imageOffset;
  if (offset >= bytes.size()) AddProblem(r.problem, "image offset beyond the end of the file");
  const auto image =
      offset < bytes.size() ? bytes.subspan(offset) : std::span<const std::uint8_t>();
  DecodeIconImage(image, img);
  if (!img.problem.empty()) AddProblem(r.problem, img.problem);
  TakeImage(img, dir, chosen, r);
  return r;
}

std::string LoadedTitle(const std::string& path) { return path + " - " + kAppTitle; }

IconLoadResult LoadIconBytes(const std::string& path, std::span<const std::uint8_t> bytes,
                             IconDocument& doc) {
  IconLoadResult r;
  r.started = true;
  r.title = LoadedTitle(path);
  doc.modified = false;
  doc.Width = doc.Height = kIconSize;
  r.decoded = DecodeIconFile(bytes);
  doc.surface = std::move(r.decoded.pixels);
  r.decoded.pixels = Surface();
  r.problem = r.decoded.problem;
  // What a damaged file shows is kept, but a save must not write it back over
  // the file it came from: the document stays unnamed until Save as.
  doc.fileName = r.problem.empty() ? path : std::string();
  doc.ForgetOtherImages();
  const bool others = HoldsOtherImages(bytes);
  if (r.decoded.cursor && r.decoded.entryIndex >= 0 && !others) {
    doc.fromCursor = true;
    doc.fileHotspotX = static_cast<std::int16_t>(std::clamp(r.decoded.hotspotX, 0, 31));
    doc.fileHotspotY = static_cast<std::int16_t>(std::clamp(r.decoded.hotspotY, 0, 31));
  }
  if (r.decoded.entryIndex >= 0 && others) {
    std::string why;
    if (OtherImagesKeepable(bytes, &why)) {
      doc.sourceFile =
          std::make_shared<const std::vector<std::uint8_t>>(bytes.begin(), bytes.end());
      doc.sourceEntry = r.decoded.entryIndex;
    } else {
      // The other images cannot be copied out whole: writing this file would
      // lose them, so Save asks for a new name.
      doc.fileName.clear();
      AddProblem(r.problem, why);
    }
  }
  // Whatever was read is shown; a file that did not read whole is neither
  // named in the title nor offered again from the recent list.
  r.repaint = true;
  r.addToRecent = !doc.fileName.empty();
  if (doc.fileName.empty()) r.title = kMainTitle;
  return r;
}

IconLoadResult LoadIconFile(const std::string& path, IconDocument& doc) {
  if (!RegularFileExists(path)) return {};
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(path, bytes, &error, kMaxIconFileBytes)) {
    // Nothing could be read: the fresh black surface stays, unnamed.
    IconLoadResult r = LoadIconBytes(path, {}, doc);
    r.readFailed = true;
    r.problem = error;
    return r;
  }
  return LoadIconBytes(path, bytes, doc);
}

}  // namespace gs
