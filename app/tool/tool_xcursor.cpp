// xcursor: a cursor or animated cursor (frames and delays) as an X11 cursor
// file, with its hotspot, ready for a cursor theme's "cursors" folder.
#include "app/tool/tool_command.h"
#include "app/tool/tool_common.h"
#include "files/ani_frames.h"
#include "files/cursor_frames.h"
#include "files/xcursor_format.h"

namespace gs::tool {

namespace {

int RunXcursor(const Invocation& call) {
  const auto& ops = call.operands();
  if (ops.size() != 2) return Usage("xcursor takes IN OUT");
  const std::string in(ops[0]), out(ops[1]);
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadInput(in, bytes, error)) return Fail(error);
  std::vector<CursorFrame> frames;
  if (!LoadCursorFrames(bytes, frames, error, kMaxAniSteps)) return Fail(in + ": " + error);
  const std::vector<std::uint8_t> x11 = BuildXcursorBytes(frames);
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
        "Writes OUT (- for standard output) as an X11 cursor (the Xcursor format of\n"
        "cursor themes) through libXcursor: one 32 x 32 image for an .ico or .cur,\n"
        "one per step for an .ani, in the order it plays, each with its hotspot and\n"
        "its delay in milliseconds (the display rate of 1/60 s, rounded). White is\n"
        "fully transparent, every other pixel opaque.",
    .options = {},
    .run = RunXcursor,
};

}  // namespace gs::tool
