#include "files/png_codec.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "files/png_guard.h"
#include "files/png_library.h"

namespace gs {

namespace {

struct MemoryReader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t n) {
  auto* r = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (n > r->size - r->pos) png_error(png, "picture data cut short");
  std::memcpy(out, r->data + r->pos, n);
  r->pos += n;
}

// What stopped a read. libpng leaves by longjmp, so this lives where libpng
// points (never in a register) and holds its text in a plain buffer.
struct ReadState {
  PngReadFailure failure = PngReadFailure::None;
  char text[200] = {};
};

[[noreturn]] void KeepError(png_structp png, png_const_charp message) {
  if (auto* e = static_cast<ReadState*>(png_get_error_ptr(png)))
    std::snprintf(e->text, sizeof e->text, "%s", message ? message : "damaged PNG");
  png_longjmp(png, 1);
}

void WriteToVector(png_structp png, png_bytep data, png_size_t n) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}

void NoFlush(png_structp) {}

// libpng reports errors by longjmp; nothing is printed, callers say what failed.
void QuietWarning(png_structp, png_const_charp) {}
[[noreturn]] void QuietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

}  // namespace

const std::string& PngUnavailable() { return PngLibrary().problem; }

std::string PngEncodeFailure() {
  const std::string& missing = PngUnavailable();
  return missing.empty() ? "could not encode the PNG picture" : "PNG pictures need " + missing;
}

PngReadOutcome ReadPngRgba(
    std::span<const std::uint8_t> bytes, const PngReadOptions& options,
    const std::function<bool(std::uint32_t, std::uint32_t)>& sizeAccepted,
    const std::function<std::uint8_t*(std::uint32_t, std::uint32_t)>& rowsFor) {
  if (!HasPngSignature(bytes)) return {PngReadFailure::NotPng, {}};
  if (!PngChunksBeforePixelsFit(bytes)) return {PngReadFailure::ChunkPastEnd, {}};
  if (const std::string& missing = PngLibrary().problem; !missing.empty())
    return {PngReadFailure::Unavailable, "PNG images need " + missing};
  ReadState state;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, KeepError, QuietWarning);
  if (!png) return {PngReadFailure::NoMemory, {}};
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return {PngReadFailure::NoMemory, {}};
  }
  MemoryReader reader{bytes.data(), bytes.size(), 0};
  std::vector<png_bytep> rows;
  // Everything with a destructor is made before setjmp, so a longjmp skips none.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    if (state.failure != PngReadFailure::None) return {state.failure, {}};
    return {PngReadFailure::Damaged, state.text};
  }
  png_set_read_fn(png, &reader, ReadFromMemory);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
  // Mutated bytes would almost never get past the checksums otherwise.
  if (options.fuzzingIgnoresChecksums)
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#endif
  png_set_user_limits(png, options.maxSide, options.maxSide);
  png_set_chunk_malloc_max(png, options.chunkMallocMax);
  if (options.chunkCacheMax != 0) png_set_chunk_cache_max(png, options.chunkCacheMax);
  SkipUnusedPngChunks(png);
  png_read_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info);
  const png_uint_32 h = png_get_image_height(png, info);
  if (!sizeAccepted(w, h))
    state.failure = PngReadFailure::Refused;
  else if (!PngPixelDataCanHold(bytes, w, h))
    state.failure = PngReadFailure::PixelDataShort;
  else if (PngPixelDataTooLong(bytes, w, h))
    state.failure = PngReadFailure::PixelDataLong;
  if (state.failure != PngReadFailure::None) png_error(png, "size");
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
  std::uint8_t* pixels = rowsFor(w, h);
  rows.resize(h);
  for (png_uint_32 y = 0; y < h; ++y) rows[y] = pixels + static_cast<std::size_t>(y) * w * 4;
  png_read_image(png, rows.data());
  // What follows the pixels (text, the end marker) is not needed.
  png_destroy_read_struct(&png, &info, nullptr);
  return {};
}

bool DecodePng(std::span<const std::uint8_t> bytes, RgbaImage& out, int maxSide) {
  out = {};
  const auto side = static_cast<std::uint32_t>(maxSide);
  const PngReadOutcome r = ReadPngRgba(
      bytes, {.maxSide = side},
      [&](std::uint32_t w, std::uint32_t h) { return w != 0 && h != 0 && w <= side && h <= side; },
      [&](std::uint32_t w, std::uint32_t h) {
        out.width = static_cast<int>(w);
        out.height = static_cast<int>(h);
        out.rgba.assign(static_cast<std::size_t>(w) * h * 4, 0);
        return out.rgba.data();
      });
  if (r.failure == PngReadFailure::None) return true;
  out = {};
  return false;
}

std::vector<std::uint8_t> BuildPngBytes(const Surface& document) {
  RgbaImage image;
  image.width = image.height = 32;
  image.rgba.resize(32 * 32 * 4);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      Color c = document.GetPixel(x, y);
      if (c == kInvalidColor) c = kBlack;
      std::uint8_t* p = image.rgba.data() + (static_cast<std::size_t>(y) * 32 + x) * 4;
      p[0] = static_cast<std::uint8_t>(RedOf(c));
      p[1] = static_cast<std::uint8_t>(GreenOf(c));
      p[2] = static_cast<std::uint8_t>(BlueOf(c));
      p[3] = c == kWhite ? 0 : 255;
    }
  }
  return EncodeRgbaPng(image, PngEffort::Default);
}

std::vector<std::uint8_t> EncodeRgbaPng(const RgbaImage& image, PngEffort effort) {
  if (image.width <= 0 || image.height <= 0 ||
      image.rgba.size() != static_cast<std::size_t>(image.width) * image.height * 4)
    return {};
  if (!PngLibrary().problem.empty()) return {};
  std::vector<std::uint8_t> out;
  out.reserve(image.rgba.size() / 4 + 128);
  std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
  for (int y = 0; y < image.height; ++y)
    rows[y] =
        const_cast<png_bytep>(image.rgba.data()) + static_cast<std::size_t>(y) * image.width * 4;
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
  if (!png) return {};
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return {};
  }
  png_set_write_fn(png, &out, WriteToVector, NoFlush);
  if (effort == PngEffort::Fast) {
    // Sub turns flat colour into runs of zeros, which run-length coding takes
    // without the costly search for longer matches.
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_RLE);
    png_set_filter(png, 0, PNG_FILTER_SUB);
  } else if (effort == PngEffort::Small) {
    png_set_compression_level(png, 9);
  }
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace gs
