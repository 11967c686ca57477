// GIF pictures through giflib: the logical screen with the first frame on it.
// Records are read one at a time (never the whole file's frames), so a file
// of many frames costs no more than its first.
#include <cstring>

#include "import/gif_library.h"
#include "import/picture_decoder.h"

namespace gs {

namespace {

struct Source {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos;
};

int ReadSource(GifFileType* gif, GifByteType* out, int n) {
  auto* s = static_cast<Source*>(gif->UserData);
  if (n <= 0) return 0;
  const std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(n), s->size - s->pos);
  std::memcpy(out, s->data + s->pos, take);
  s->pos += take;
  return static_cast<int>(take);
}

std::string GifReason(int code) {
  const char* text = GifErrorString(code);
  return std::string("damaged GIF picture: ") + (text ? text : "unknown error");
}

// Extension blocks are walked without keeping them.
constexpr int kMaxRecords = 1 << 16;

}  // namespace

bool DecodeGifPicture(std::span<const std::uint8_t> bytes, Picture& out, std::string& error,
                      const PictureLimits& limits) {
  out = {};
  if (const std::string& missing = GifLibrary().problem; !missing.empty())
    return error = "GIF pictures need " + missing, false;
  Source source{bytes.data(), bytes.size(), 0};
  int code = 0;
  GifFileType* gif = DGifOpen(&source, ReadSource, &code);
  if (!gif) return error = GifReason(code), false;
  struct Closer {
    GifFileType* g;
    ~Closer() {
      int ignored = 0;
      DGifCloseFile(g, &ignored);
    }
  } closer{gif};

  int transparent = -1;
  for (int records = 0; records < kMaxRecords; ++records) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) return error = GifReason(gif->Error), false;
    if (type == TERMINATE_RECORD_TYPE) break;
    if (type == EXTENSION_RECORD_TYPE) {
      int ext = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif, &ext, &block) == GIF_ERROR)
        return error = GifReason(gif->Error), false;
      // Graphic control: packed flags, delay, transparent index.
      if (ext == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
        transparent = (block[1] & 1) ? block[4] : -1;
      while (block) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
          return error = GifReason(gif->Error), false;
      }
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;
    if (DGifGetImageDesc(gif) == GIF_ERROR) return error = GifReason(gif->Error), false;
    const GifImageDesc& d = gif->Image;
    // The logical screen; a writer that left it 0 meant the frame's own size.
    std::int64_t sw = gif->SWidth, sh = gif->SHeight;
    if (sw <= 0 || sh <= 0)
      sw = static_cast<std::int64_t>(d.Left) + d.Width,
      sh = static_cast<std::int64_t>(d.Top) + d.Height;
    if (std::string why = CheckPictureSize(sw, sh, limits); !why.empty()) return error = why, false;
    if (std::string why = CheckPictureSize(d.Width, d.Height, limits); !why.empty())
      return error = why, false;
    // An LZW code is at least 3 bits and stands for at most 4,096 pixels: a
    // frame larger than the file's bytes can describe is refused before its
    // picture's memory is taken.
    if (static_cast<std::uint64_t>(d.Width) * static_cast<std::uint64_t>(d.Height) >
        static_cast<std::uint64_t>(bytes.size()) * 8 / 3 * 4096)
      return error = "damaged GIF picture: data cut short", false;
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    const int mapCount = map && map->Colors ? map->ColorCount : 0;
    out.width = static_cast<int>(sw);
    out.height = static_cast<int>(sh);
    out.pixels.assign(static_cast<std::size_t>(sw) * static_cast<std::size_t>(sh), kWhite);
    std::vector<GifPixelType> line(static_cast<std::size_t>(d.Width));
    // Interlaced rows arrive in four passes.
    static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(d.Height));
    if (d.Interlace) {
      for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < d.Height; y += kStep[pass]) order.push_back(y);
    } else {
      for (int y = 0; y < d.Height; ++y) order.push_back(y);
    }
    for (int y : order) {
      // A frame cut short keeps the rows it has.
      if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR) break;
      const std::int64_t py = static_cast<std::int64_t>(d.Top) + y;
      if (py >= sh) continue;
      Color* dst = out.pixels.data() + static_cast<std::size_t>(py) * static_cast<std::size_t>(sw);
      for (int x = 0; x < d.Width; ++x) {
        const std::int64_t px = static_cast<std::int64_t>(d.Left) + x;
        if (px >= sw) break;
        const int index = line[static_cast<std::size_t>(x)];
        if (index == transparent) continue;
        if (index < mapCount) {
          const GifColorType& c = map->Colors[index];
          dst[px] = RGB(c.Red, c.Green, c.Blue);
        } else {
          dst[px] = kBlack;
        }
      }
    }
    return true;
  }
  return error = "the GIF holds no picture", false;
}

}  // namespace gs
