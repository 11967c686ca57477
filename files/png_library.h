#pragma once
// libpng, loaded on first use (platform/system_library.h). Included after
// <png.h> by the files that call libpng, from inside namespace gs.
#include <png.h>

#include <string>

#include "platform/system_library.h"

namespace gs {

#define GS_PNG_FUNCTIONS(X, arg)         \
  X(arg, png_create_info_struct)         \
  X(arg, png_create_read_struct)         \
  X(arg, png_create_write_struct)        \
  X(arg, png_destroy_read_struct)        \
  X(arg, png_destroy_write_struct)       \
  X(arg, png_get_bit_depth)              \
  X(arg, png_get_color_type)             \
  X(arg, png_get_error_ptr)              \
  X(arg, png_get_image_height)           \
  X(arg, png_get_image_width)            \
  X(arg, png_get_io_ptr)                 \
  X(arg, png_get_rowbytes)               \
  X(arg, png_get_valid)                  \
  X(arg, png_read_image)                 \
  X(arg, png_read_info)                  \
  X(arg, png_read_update_info)           \
  X(arg, png_set_chunk_cache_max)        \
  X(arg, png_set_chunk_malloc_max)       \
  X(arg, png_set_compression_level)      \
  X(arg, png_set_compression_strategy)   \
  X(arg, png_set_crc_action)             \
  X(arg, png_set_expand_gray_1_2_4_to_8) \
  X(arg, png_set_filler)                 \
  X(arg, png_set_filter)                 \
  X(arg, png_set_gray_to_rgb)            \
  X(arg, png_set_IHDR)                   \
  X(arg, png_set_interlace_handling)     \
  X(arg, png_set_keep_unknown_chunks)    \
  X(arg, png_set_longjmp_fn)             \
  X(arg, png_set_palette_to_rgb)         \
  X(arg, png_set_read_fn)                \
  X(arg, png_set_strip_16)               \
  X(arg, png_set_tRNS_to_alpha)          \
  X(arg, png_set_user_limits)            \
  X(arg, png_set_write_fn)               \
  X(arg, png_write_end)                  \
  X(arg, png_write_image)                \
  X(arg, png_write_info)
// The two that never return, which the callers' [[noreturn]] handlers end with.
#define GS_PNG_NORETURN_FUNCTIONS(X, arg) X(arg, png_error) X(arg, png_longjmp)

struct PngFunctions {
  GS_PNG_FUNCTIONS(GS_LIBRARY_MEMBER, _)
  GS_PNG_NORETURN_FUNCTIONS(GS_LIBRARY_MEMBER, _)
  // "libpng16.so.16 (the libpng16-16 package), which cannot be loaded: ...";
  // empty when every function is there.
  std::string problem;

  explicit PngFunctions(SystemLibrary lib);
};

// Loaded once, by the first caller. The functions below may be called only
// once its problem was found empty.
const PngFunctions& PngLibrary();

GS_PNG_FUNCTIONS(GS_LIBRARY_CALL, PngLibrary)
#define GS_PNG_NORETURN_CALL(unused, name)       \
  inline constexpr struct {                      \
    template <class... A>                        \
    [[noreturn]] void operator()(A... a) const { \
      PngLibrary().name(a...);                   \
      __builtin_unreachable();                   \
    }                                            \
  } name;
GS_PNG_NORETURN_FUNCTIONS(GS_PNG_NORETURN_CALL, _)
#undef GS_PNG_NORETURN_CALL

}  // namespace gs
