// thumbnail: the picture of an icon, cursor or animated cursor as a PNG of
// SIZE x SIZE, for file managers (see glyphsmith.thumbnailer).
#include "app/tool/tool_command.h"
#include "app/tool/tool_common.h"
#include "files/png_codec.h"
#include "files/thumbnail.h"

namespace gs::tool {

namespace {

int RunThumbnail(const Invocation& call) {
  const auto& ops = call.operands();
  if (ops.size() != 3) return Usage("thumbnail takes IN OUT.png SIZE");
  unsigned long long size = 0;
  if (!ParseWholeNumber(ops[2], 1, kMaxThumbnailSize, size))
    return Usage("SIZE is a whole number from 1 to " + std::to_string(kMaxThumbnailSize));
  const std::string in(ops[0]), out(ops[1]);
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadInput(in, bytes, error)) return Fail(error);
  RgbaImage picture;
  if (!MakeThumbnail(bytes, static_cast<int>(size), picture, error)) return Fail(in + ": " + error);
  const std::vector<std::uint8_t> png = EncodeRgbaPng(picture, PngEffort::Fast);
  if (png.empty()) return Fail(out + ": could not encode the PNG picture");
  if (!WriteOutput(out, png, error)) return Fail(error);
  return kExitOk;
}

}  // namespace

extern const CommandSpec kThumbnailCommand{
    .name = "thumbnail",
    .synopsis = "IN OUT.png SIZE",
    .summary = "an icon, cursor or animated cursor as a PNG thumbnail",
    .description =
        "Writes OUT.png (- for standard output), SIZE x SIZE pixels (1 to 1024), of\n"
        "the picture the editor shows for IN (- for standard input): an .ico, a\n"
        ".cur, or the first frame an .ani plays. White is transparent. Growing keeps\n"
        "the pixels square and sharp; shrinking averages them. File managers call it\n"
        "through the installed glyphsmith.thumbnailer.",
    .options = {},
    .run = RunThumbnail,
};

}  // namespace gs::tool
