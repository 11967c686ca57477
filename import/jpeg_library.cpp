#include "import/jpeg_library.h"

namespace gs {

// libjpeg-turbo built with the version 6b interface is libjpeg.so.62.
static_assert(JPEG_LIB_VERSION == 62);

JpegFunctions::JpegFunctions(SystemLibrary lib) {
  GS_JPEG_FUNCTIONS(GS_LIBRARY_FIND, lib)
  problem = lib.problem();
}

const JpegFunctions& JpegLibrary() {
  static const JpegFunctions functions(SystemLibrary("libjpeg.so.62", "libjpeg62-turbo"));
  return functions;
}

}  // namespace gs
