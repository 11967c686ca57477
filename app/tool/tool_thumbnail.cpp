// thumbnail: the picture of an icon, cursor or animated cursor as a PNG of
// SIZE x SIZE, for file managers (see glyphsmith.thumbnailer).
#include "app/tool/tool_common.h"
#include "files/png_codec.h"
#include "files/thumbnail.h"
#include "platform/safe_file.h"

namespace gs::tool {

namespace {

constexpr std::size_t kMaxThumbnailInput = std::size_t{16} << 20;

bool ParseSize(const std::string& s, int& size) {
  if (s.empty() || s.size() > 4) return false;
  size = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    size = size * 10 + (c - '0');
  }
  return size >= 1 && size <= kMaxThumbnailSize;
}

}  // namespace

int RunThumbnail(const std::vector<std::string>& args) {
  if (args.size() != 3) return Usage("thumbnail takes IN OUT.png SIZE");
  int size = 0;
  if (!ParseSize(args[2], size))
    return Usage("SIZE is a whole number from 1 to " + std::to_string(kMaxThumbnailSize));
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(args[0], bytes, &error, kMaxThumbnailInput)) return Fail(error);
  RgbaImage picture;
  if (!MakeThumbnail(bytes, size, picture, error)) return Fail(args[0] + ": " + error);
  const std::vector<std::uint8_t> png = EncodeRgbaPng(picture, PngEffort::Fast);
  if (png.empty()) return Fail(args[1] + ": could not encode the PNG picture");
  const WriteStatus st = WriteFileSafely(args[1], png);
  return st ? kExitOk : Fail(st.error);
}

}  // namespace gs::tool
