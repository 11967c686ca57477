// xcursor: a cursor or animated cursor (frames and delays) as an X11 cursor
// file, with its hotspot, ready for a cursor theme's "cursors" folder.
#include "app/tool/tool_command.h"
#include "app/tool/tool_common.h"
#include "files/xcursor_format.h"

namespace gs::tool {

namespace {

int RunXcursor(const Invocation& call) {
  const auto& ops = call.operands();
  if (ops.size() != 2) return Usage("xcursor takes IN OUT");
  const std::string in(ops[0]), out(ops[1]);
  if (int rc = CheckOutputExtension("xcursor", out, "", "an X11 cursor (no extension)"); rc >= 0)
    return rc;
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadInput(in, bytes, error)) return Fail(error);
  std::vector<XcursorFrameImage> images;
  if (!CursorFileImages(bytes, images, error)) return Fail(in + ": " + error);
  if (const std::string why = XcursorUnavailable(); !why.empty()) return Fail(out + ": " + why);
  const std::vector<std::uint8_t> x11 = BuildXcursorBytes(images);
  if (x11.empty()) return Fail(out + ": could not encode the X11 cursor");
  if (!WriteOutput(out, x11, error)) return Fail(error);
  return kExitOk;
}

}  // namespace

extern const CommandSpec kXcursorCommand{
    .name = "xcursor",
    .synopsis = "IN OUT",
    .summary = "a cursor or animated cursor as an X11 cursor file",
    .description =
        "Writes OUT (- for standard output; theme cursors have no extension, and\n"
        "one of another format is refused) as an X11 cursor (the Xcursor format of\n"
        "cursor themes) through libXcursor: every size an .ico or .cur stores, with\n"
        "its hotspot and transparency as stored (an opaque white fill stays white);\n"
        "for an .ani, each step in the order it plays with its delay in milliseconds\n"
        "(the display rate of 1/60 s, rounded), in the sizes all its frames have.",
    .options = {},
    .run = RunXcursor,
};

}  // namespace gs::tool
