// xcursor: a cursor or animated cursor (frames and delays) as an X11 cursor
// file, with its hotspot, ready for a cursor theme's "cursors" folder.
#include "app/tool/tool_common.h"
#include "files/ani_frames.h"
#include "files/cursor_frames.h"
#include "files/xcursor_format.h"
#include "platform/safe_file.h"

namespace gs::tool {

namespace {

constexpr std::size_t kMaxCursorInput = std::size_t{16} << 20;

}  // namespace

int RunXcursor(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("xcursor takes IN OUT");
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(args[0], bytes, &error, kMaxCursorInput)) return Fail(error);
  std::vector<CursorFrame> frames;
  if (!LoadCursorFrames(bytes, frames, error, kMaxAniSteps)) return Fail(args[0] + ": " + error);
  const WriteStatus st = WriteXcursorFile(args[1], frames);
  return st ? kExitOk : Fail(st.error);
}

}  // namespace gs::tool
