#pragma once
// X11 cursor files read back through libXcursor, kept apart so that Xlib's
// macros (None, Bool, Status) never meet the editor's names.
#include <cstdint>
#include <string>
#include <vector>

namespace gs::test {

struct XcursorFrame {
  unsigned size = 0, width = 0, height = 0, xhot = 0, yhot = 0, delay = 0;
  std::vector<std::uint32_t> pixels;  // ARGB, premultiplied
};

// False when libXcursor cannot read the file.
bool LoadXcursorFile(const std::string& path, std::vector<XcursorFrame>& frames);

}  // namespace gs::test
