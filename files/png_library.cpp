#include "files/png_library.h"

namespace gs {

// The file the headers were written for: libpng 1.6 is libpng16.so.16.
static_assert(PNG_LIBPNG_VER_DLLNUM == 16);

PngFunctions::PngFunctions(SystemLibrary lib) {
  GS_PNG_FUNCTIONS(GS_LIBRARY_FIND, lib)
  GS_PNG_NORETURN_FUNCTIONS(GS_LIBRARY_FIND, lib)
  problem = lib.problem();
}

const PngFunctions& PngLibrary() {
  static const PngFunctions functions(SystemLibrary("libpng16.so.16", "libpng16-16"));
  return functions;
}

}  // namespace gs
