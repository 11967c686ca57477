// PNG pictures through libpng, straight into the picture's own memory: the
// RGBA rows libpng writes are the same 4 bytes a pixel as our colours, turned
// in place afterwards.
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "files/png_guard.h"
#include "import/picture_decoder.h"

namespace gs {

namespace {

struct Source {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos;
};

void ReadSource(png_structp png, png_bytep out, png_size_t n) {
  auto* s = static_cast<Source*>(png_get_io_ptr(png));
  if (n > s->size - s->pos) png_error(png, "picture data cut short");
  std::memcpy(out, s->data + s->pos, n);
  s->pos += n;
}

struct ErrorText {
  char text[200] = {};
};

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  if (auto* e = static_cast<ErrorText*>(png_get_error_ptr(png)))
    std::snprintf(e->text, sizeof e->text, "%s", message ? message : "damaged PNG");
  png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

}  // namespace

bool DecodePngPicture(std::span<const std::uint8_t> bytes, Picture& out, std::string& error,
                      const PictureLimits& limits) {
  out = {};
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0)
    return error = "not a PNG picture", false;
  if (!PngChunksBeforePixelsFit(bytes))
    return error = "damaged PNG picture: a chunk runs past the end of the file", false;
  ErrorText why;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &why, OnError, OnWarning);
  if (!png) return error = "out of memory", false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return error = "out of memory", false;
  }
  Source source{bytes.data(), bytes.size(), 0};
  std::vector<png_bytep> rows;
  std::string sizeProblem;
  // Everything with a destructor exists before setjmp, so a longjmp skips none.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    out = {};
    error = !sizeProblem.empty() ? sizeProblem : std::string("damaged PNG picture: ") + why.text;
    return false;
  }
  png_set_read_fn(png, &source, ReadSource);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
  // Mutated bytes would almost never get past the checksums otherwise.
  png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#endif
  // Our own limit is checked below, with our message.
  png_set_user_limits(png, 0x7FFFFFFF, 0x7FFFFFFF);
  // Text and profile chunks inflate at most this far (zip bombs stop here).
  png_set_chunk_malloc_max(png, 4 << 20);
  png_set_chunk_cache_max(png, 256);
  SkipUnusedPngChunks(png);
  png_read_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info);
  const png_uint_32 h = png_get_image_height(png, info);
  sizeProblem = CheckPictureSize(w, h, limits);
  if (!sizeProblem.empty()) png_error(png, "size");
  if (!PngPixelDataCanHold(bytes, w, h)) {
    sizeProblem = "damaged PNG picture: pixel data cut short";
    png_error(png, "size");
  }
  if (PngPixelDataTooLong(bytes, w, h)) {
    sizeProblem = "damaged PNG picture: more pixel data than the picture holds";
    png_error(png, "size");
  }
  const int colorType = png_get_color_type(png, info);
  const int depth = png_get_bit_depth(png, info);
  if (depth == 16) png_set_strip_16(png);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<png_size_t>(w) * 4)
    png_error(png, "unexpected row layout");
  out.width = static_cast<int>(w);
  out.height = static_cast<int>(h);
  out.pixels.assign(static_cast<std::size_t>(w) * h, kWhite);
  rows.resize(h);
  for (png_uint_32 y = 0; y < h; ++y)
    rows[y] = reinterpret_cast<png_bytep>(out.pixels.data() + static_cast<std::size_t>(y) * w);
  png_read_image(png, rows.data());
  // What follows the pixels (text, the end marker) is not needed.
  png_destroy_read_struct(&png, &info, nullptr);
  auto* p = reinterpret_cast<const std::uint8_t*>(out.pixels.data());
  for (std::size_t k = 0; k < out.pixels.size(); ++k, p += 4) {
    const std::uint8_t r = p[0], g = p[1], b = p[2], a = p[3];
    out.pixels[k] = a == 255 ? RGB(r, g, b) : OverWhite(r, g, b, a);
  }
  return true;
}

}  // namespace gs
