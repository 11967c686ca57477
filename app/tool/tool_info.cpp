// info and pixels: what an .ico/.cur or .ani holds, field by field, and the
// picture the editor shows.
#include <cstdio>

#include "app/tool/tool_command.h"
#include "app/tool/tool_common.h"
#include "files/ani_format.h"
#include "files/bitmap_info_header.h"
#include "files/icon_reader.h"
#include "platform/text_util.h"

namespace gs::tool {

namespace {

// More chunks than any animated cursor holds; a file of empty chunks stops here.
constexpr std::size_t kMaxChunksListed = 10000;

const char* KindName(IconImageKind k) {
  switch (k) {
    case IconImageKind::None:
      return "nothing readable";
    case IconImageKind::Indexed:
      return "indexed colours";
    case IconImageKind::Rgb24:
      return "24-bit colour";
    case IconImageKind::Rgba32:
      return "32-bit colour with alpha";
    case IconImageKind::Png:
      return "PNG";
    case IconImageKind::Fallback:
      return "no 32 x 32 image at 1, 4, 8 or 24 bits; best image scaled";
  }
  return "";
}

// The first field that no icon or cursor can have, or "".
std::string ImpossibleHeader(const IconDirectory& dir, std::span<const std::uint8_t> bytes) {
  const std::size_t size = bytes.size();
  if (size < 6) return "too short for an icon header (" + std::to_string(size) + " bytes)";
  if (dir.header.reserved != 0)
    return "not an icon or cursor: reserved field " + std::to_string(dir.header.reserved) +
           ", not 0";
  if (dir.header.type != 1 && dir.header.type != 2)
    return "not an icon or cursor: type " + std::to_string(dir.header.type) +
           ", neither 1 (icon) nor 2 (cursor)";
  // The reader's own words for an empty directory, as every command says them.
  if (dir.header.count <= 0) return DecodeIconFile(bytes).problem;
  if (6 + 16 * static_cast<std::size_t>(dir.header.count) > size)
    return "directory of " + std::to_string(dir.header.count) +
           " entries runs past the end of the file (" + std::to_string(size) + " bytes)";
  return "";
}

int InfoIcon(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const IconDirectory dir = ReadIconDirectory(bytes);
  if (std::string why = ImpossibleHeader(dir, bytes); !why.empty()) return Fail(path + ": " + why);
  const bool cursor = dir.header.type == 2;
  std::printf("%s: %s, %zu bytes\n", PrintableText(path).c_str(), cursor ? "cursor" : "icon",
              bytes.size());
  std::printf("header: reserved %u, type %u, count %d\n", dir.header.reserved, dir.header.type,
              dir.header.count);
  for (std::size_t i = 0; i < dir.entries.size(); ++i) {
    const IconDirectoryEntry& e = dir.entries[i];
    if (e.imageOffset >= bytes.size() || e.bytesInResource > bytes.size() - e.imageOffset)
      return Fail(path + ": entry " + std::to_string(i) + ": image of " +
                  std::to_string(e.bytesInResource) + " bytes at offset " +
                  std::to_string(e.imageOffset) + " runs past the end of the file");
    std::printf(
        "entry %zu: width %u, height %u, colour count %u, reserved %u, %s %u, %s %u, "
        "bytes in resource %u, image offset %u\n",
        i, e.width, e.height, e.colorCount, e.reserved, cursor ? "hotspot X" : "planes", e.planes,
        cursor ? "hotspot Y" : "bit count", e.bitCount, e.bytesInResource, e.imageOffset);
    BitmapInfoHeader h;
    if (IsPngImage(bytes, e.imageOffset)) {
      std::printf("  image: PNG\n");
    } else if (ReadBitmapInfoHeader(bytes, e.imageOffset, h)) {
      std::printf(
          "  image: header size %u, width %d, height %d, planes %u, bit count %u, compression %u, "
          "image size %u, colours used %u, important colours %u\n",
          h.headerSize, h.width, h.height, h.planes, h.bitCount, h.compression, h.imageSize,
          h.colorsUsed, h.colorsImportant);
    } else {
      return Fail(path + ": entry " + std::to_string(i) + ": image header cut short");
    }
  }
  LoadedIcon icon;
  std::string error;
  const IconDecodeResult r = DecodeIconFile(bytes);
  if (r.entryIndex >= 0) {
    std::printf("read: entry %d (%s)", r.entryIndex, KindName(r.kind));
    if (cursor && DecodeInput(path, bytes, icon, error))
      std::printf(", hotspot %d,%d", icon.hotspotX, icon.hotspotY);
    std::printf("\n");
  }
  if (!r.problem.empty()) return Fail(path + ": " + r.problem);
  return kExitOk;
}

int InfoAni(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::vector<RiffChunk> chunks;
  std::string problem;
  ReadRiffChunks(bytes, chunks, problem, kMaxChunksListed + 1);
  std::printf("%s: RIFF, %zu bytes\n", PrintableText(path).c_str(), bytes.size());
  for (std::size_t i = 0; i < chunks.size() && i < kMaxChunksListed; ++i) {
    const RiffChunk& c = chunks[i];
    std::printf("%*s%s size %u at %zu", 2 * c.depth, "", PrintableText(c.id).c_str(), c.size,
                c.offset - 4);
    if (c.id == "anih" && c.size >= 36 && c.offset + 4 + 36 <= bytes.size()) {
      auto u32 = [&](std::size_t k) {
        const std::size_t at = c.offset + 4 + 4 * k;
        return static_cast<unsigned>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                     static_cast<unsigned>(bytes[at + 3]) << 24);
      };
      std::printf(": frames %u, steps %u, rate %u, flags %u", u32(1), u32(2), u32(7), u32(8));
    }
    std::printf("\n");
  }
  if (chunks.size() > kMaxChunksListed) {
    std::printf("(more chunks follow; only the first %s are listed)\n",
                GroupDigits(kMaxChunksListed).c_str());
    return kExitOk;
  }
  if (!problem.empty()) return Fail(path + ": " + problem);
  return kExitOk;
}

int RunInfo(const Invocation& call) {
  if (call.operands().size() != 1) return Usage("info takes one FILE");
  const std::string path(call.operands()[0]);
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadInput(path, bytes, error)) return Fail(error);
  const std::string name = NameOf(path);
  // A picture is named as such, as convert names it, not taken apart as a
  // damaged icon.
  if (const std::string refusal = PictureRefusal(path, bytes); !refusal.empty())
    return Fail(refusal);
  if (bytes.size() >= 4 && bytes[0] == 'R' && bytes[1] == 'I' && bytes[2] == 'F' && bytes[3] == 'F')
    return InfoAni(name, bytes);
  return InfoIcon(name, bytes);
}

int RunPixels(const Invocation& call) {
  if (call.operands().size() != 1) return Usage("pixels takes one FILE");
  LoadedIcon icon;
  std::string error;
  if (!LoadInput(std::string(call.operands()[0]), icon, error)) return Fail(error);
  std::string out;
  out.reserve(32 * 32 * 7);
  char cell[8];
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const Color c = icon.pixels.GetPixel(x, y);
      std::snprintf(cell, sizeof cell, "%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
      out += cell;
      out += x == 31 ? '\n' : ' ';
    }
  }
  std::fputs(out.c_str(), stdout);
  return kExitOk;
}

}  // namespace

extern const CommandSpec kInfoCommand{
    .name = "info",
    .synopsis = "FILE",
    .summary = "header and directory of an .ico/.cur, chunks of an .ani",
    .description =
        "Prints every field of the icon header and directory, and the header of each\n"
        "image, then which entry the editor reads (and a cursor's hotspot). It stops\n"
        "with a message at the first field that no icon or cursor can have. A RIFF\n"
        "file (.ani) is listed chunk by chunk, at most 10,000 chunks; its display\n"
        "rate is in sixtieths of a second. FILE may be - for standard input.",
    .options = {},
    .run = RunInfo,
};

extern const CommandSpec kPixelsCommand{
    .name = "pixels",
    .synopsis = "FILE",
    .summary = "the loaded icon as 32 lines of 32 RRGGBB values",
    .description =
        "Prints the picture the editor shows for FILE (- for standard input), top\n"
        "row first; transparent pixels are white (FFFFFF).",
    .options = {},
    .run = RunPixels,
};

}  // namespace gs::tool
