#pragma once
// giflib, loaded the first time a GIF picture needs it
// (platform/system_library.h). Included by the decoder, inside namespace gs.
#include <gif_lib.h>

#include <string>

#include "platform/system_library.h"

namespace gs {

#define GS_GIF_FUNCTIONS(X, arg) \
  X(arg, DGifCloseFile)          \
  X(arg, DGifGetExtension)       \
  X(arg, DGifGetExtensionNext)   \
  X(arg, DGifGetImageDesc)       \
  X(arg, DGifGetLine)            \
  X(arg, DGifGetRecordType)      \
  X(arg, DGifOpen)               \
  X(arg, GifErrorString)

struct GifFunctions {
  GS_GIF_FUNCTIONS(GS_LIBRARY_MEMBER, _)
  std::string problem;  // "" when every function is there
  explicit GifFunctions(SystemLibrary lib);
};

// Loaded once; the functions below may be called once its problem is empty.
const GifFunctions& GifLibrary();
GS_GIF_FUNCTIONS(GS_LIBRARY_CALL, GifLibrary)

}  // namespace gs
