#include "import/gif_library.h"

namespace gs {

// giflib 5.x is libgif.so.7.
static_assert(GIFLIB_MAJOR == 5);

GifFunctions::GifFunctions(SystemLibrary lib) {
  GS_GIF_FUNCTIONS(GS_LIBRARY_FIND, lib)
  problem = lib.problem();
}

const GifFunctions& GifLibrary() {
  static const GifFunctions functions(SystemLibrary("libgif.so.7", "libgif7"));
  return functions;
}

}  // namespace gs
