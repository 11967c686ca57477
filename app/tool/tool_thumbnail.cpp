// thumbnail: the picture of an icon, cursor or animated cursor as a PNG of
// SIZE x SIZE, for file managers (see glyphsmith.thumbnailer).
#include <memory>

#include "app/tool/tool_command.h"
#include "app/tool/tool_common.h"
#include "files/png_codec.h"
#include "files/thumbnail.h"
#include "import/byte_source.h"
#include "import/program_thumbnail.h"

namespace gs::tool {

namespace {

int RunThumbnail(const Invocation& call) {
  const auto& ops = call.operands();
  if (ops.size() != 3) return Usage("thumbnail takes IN OUT.png SIZE");
  unsigned long long size = 0;
  if (!ParseWholeNumber(ops[2], 1, kMaxThumbnailSize, size))
    return Usage("SIZE is a whole number from 1 to " + std::to_string(kMaxThumbnailSize));
  const std::string in(ops[0]), out(ops[1]);
  if (int rc = CheckOutputExtension("thumbnail", out, "png", "a PNG picture (.png)"); rc >= 0)
    return rc;
  std::string error;
  RgbaImage picture;
  // Programs can be large: they are read by seeking to their icon, never whole.
  std::unique_ptr<FileSource> file;
  if (in != "-" && (file = FileSource::Open(in, error)) && LooksLikeProgram(*file)) {
    if (!MakeProgramThumbnail(*file, static_cast<int>(size), picture, error))
      return Fail(in + ": " + error);
  } else {
    file.reset();
    std::vector<std::uint8_t> bytes;
    if (!ReadInput(in, bytes, error)) return Fail(error);
    MemorySource memory(bytes);
    const bool ok = LooksLikeProgram(memory)
                        ? MakeProgramThumbnail(memory, static_cast<int>(size), picture, error)
                        : MakeThumbnail(bytes, static_cast<int>(size), picture, error);
    if (!ok) return Fail(in + ": " + error);
  }
  const std::vector<std::uint8_t> png = EncodeRgbaPng(picture, PngEffort::Fast);
  if (png.empty()) return Fail(out + ": " + PngEncodeFailure());
  if (!WriteOutput(out, png, error)) return Fail(error);
  return kExitOk;
}

}  // namespace

extern const CommandSpec kThumbnailCommand{
    .name = "thumbnail",
    .synopsis = "IN OUT.png SIZE",
    .summary = "a PNG thumbnail of an icon, cursor, animated cursor or program",
    .description =
        "Writes OUT.png (- for standard output), SIZE x SIZE pixels (1 to 1024), of\n"
        "IN (- for standard input): an .ico or .cur, the first frame an .ani plays,\n"
        "or the first icon of a program or library (.exe, .dll; read by seeking). Of\n"
        "several stored images the one that suits SIZE best is drawn, with its\n"
        "transparency. Growing keeps the pixels square and sharp; shrinking averages\n"
        "them. File managers call it through the installed glyphsmith.thumbnailer.",
    .options = {},
    .run = RunThumbnail,
};

}  // namespace gs::tool
