#pragma once
// libjpeg, loaded the first time a JPEG picture needs it
// (platform/system_library.h). Included by the decoder, inside namespace gs.
#include <cstddef>
#include <cstdio>
// jpeglib.h uses FILE and size_t without including their headers.
#include <jpeglib.h>

#include <string>

#include "platform/system_library.h"

namespace gs {

#define GS_JPEG_FUNCTIONS(X, arg)     \
  X(arg, jpeg_calc_output_dimensions) \
  X(arg, jpeg_CreateDecompress)       \
  X(arg, jpeg_destroy_decompress)     \
  X(arg, jpeg_mem_src)                \
  X(arg, jpeg_read_header)            \
  X(arg, jpeg_read_scanlines)         \
  X(arg, jpeg_start_decompress)       \
  X(arg, jpeg_std_error)

struct JpegFunctions {
  GS_JPEG_FUNCTIONS(GS_LIBRARY_MEMBER, _)
  std::string problem;  // "" when every function is there
  explicit JpegFunctions(SystemLibrary lib);
};

// Loaded once; the functions below may be called once its problem is empty.
const JpegFunctions& JpegLibrary();
GS_JPEG_FUNCTIONS(GS_LIBRARY_CALL, JpegLibrary)

}  // namespace gs
