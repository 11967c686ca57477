// info: what an .ico/.cur or .ani holds, field by field.
#include <cstdio>

#include "app/tool/tool_common.h"
#include "document/numeric.h"
#include "files/ani_format.h"
#include "files/icon_reader.h"
#include "platform/safe_file.h"

namespace gs::tool {

namespace {

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

int InfoIcon(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const IconDirectory dir = ReadIconDirectory(bytes);
  const bool cursor = dir.header.type == 2;
  std::printf("%s: %s, %zu bytes\n", path.c_str(),
              cursor                 ? "cursor"
              : dir.header.type == 1 ? "icon"
                                     : "unknown type",
              bytes.size());
  std::printf("header: reserved %u, type %u, count %d\n", dir.header.reserved, dir.header.type,
              dir.header.count);
  for (std::size_t i = 0; i < dir.entries.size(); ++i) {
    const IconDirectoryEntry& e = dir.entries[i];
    std::printf(
        "entry %zu: width %u, height %u, colour count %u, reserved %u, %s %u, %s %u, "
        "bytes in resource %u, image offset %u\n",
        i, e.width, e.height, e.colorCount, e.reserved, cursor ? "hotspot X" : "planes", e.planes,
        cursor ? "hotspot Y" : "bit count", e.bitCount, e.bytesInResource, e.imageOffset);
    ImageInfoHeader h;
    if (IsPngImage(bytes, e.imageOffset)) {
      std::printf("  image: PNG\n");
    } else if (ReadImageInfoHeader(bytes, e.imageOffset, h)) {
      std::printf(
          "  image: header size %u, width %d, height %d, planes %u, bit count %u, compression %u, "
          "image size %u, colours used %u, important colours %u\n",
          h.headerSize, h.width, h.height, h.planes, h.bitCount, h.compression, h.imageSize,
          h.colorsUsed, h.colorsImportant);
    } else {
      std::printf("  image: header beyond the end of the file\n");
    }
  }
  const IconDecodeResult r = DecodeIconFile(bytes);
  if (r.entryIndex >= 0) std::printf("read: entry %d (%s)\n", r.entryIndex, KindName(r.kind));
  if (!r.problem.empty()) return Fail(path + ": " + r.problem);
  return kExitOk;
}

int InfoAni(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::vector<RiffChunk> chunks;
  std::string problem;
  ReadRiffChunks(bytes, chunks, problem);
  std::printf("%s: RIFF, %zu bytes\n", path.c_str(), bytes.size());
  for (const RiffChunk& c : chunks) {
    std::printf("%*s%s size %u at %zu", 2 * c.depth, "", c.id.c_str(), c.size, c.offset - 4);
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
  if (!problem.empty()) return Fail(path + ": " + problem);
  return kExitOk;
}

}  // namespace

int RunInfo(const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage("info takes one FILE");
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(args[0], bytes, &error)) return Fail(error);
  if (bytes.size() >= 4 && bytes[0] == 'R' && bytes[1] == 'I' && bytes[2] == 'F' && bytes[3] == 'F')
    return InfoAni(args[0], bytes);
  return InfoIcon(args[0], bytes);
}

int RunPixels(const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage("pixels takes one FILE");
  Surface pixels;
  std::string error;
  if (!LoadInput(args[0], pixels, error)) return Fail(error);
  std::string out;
  out.reserve(32 * 32 * 7);
  char cell[8];
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const Color c = pixels.GetPixel(x, y);
      std::snprintf(cell, sizeof cell, "%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
      out += cell;
      out += x == 31 ? '\n' : ' ';
    }
  }
  std::fputs(out.c_str(), stdout);
  return kExitOk;
}

int RunAni(const std::vector<std::string>& args) {
  std::string out;
  std::string interval;
  std::vector<std::string> frames;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--interval") {
      if (i + 1 >= args.size()) return Usage("--interval takes milliseconds");
      interval = args[++i];
    } else if (out.empty()) {
      out = args[i];
    } else {
      frames.push_back(args[i]);
    }
  }
  if (out.empty() || frames.empty()) return Usage("ani takes OUT --interval MS FRAME...");
  std::int32_t rate = 0;
  if (!DisplayRateFromInterval(ParseLeadingNumber(interval), rate))
    return Usage("--interval must be a number of milliseconds from 1");
  if (WriteStatus st = WriteAnimatedCursor(out, frames, rate); !st) return Fail(st.error);
  return kExitOk;
}

}  // namespace gs::tool
