#pragma once
// Pictures to import, decoded without Qt so that the editor and the tool read
// them alike: BMP and DIB through our own reader, PNG through libpng, JPEG
// through libjpeg-turbo and GIF (its first frame) through giflib.
//
//   Picture pic;
//   std::string why;
//   if (!LoadPictureFile(path, pic, why)) ShowError(why);
//   AreaScaleCopy(doc.surface, Area{0, 0, 32, 32}, pic.View(), Area{x1, y1, x2 - x1, y2 - y1});
//
// Limits, checked on the sizes a header claims, before any pixel memory is
// taken: at most kMaxPictureSide pixels a side and kMaxPicturePixels pixels
// (64 MB decoded, 4 bytes a pixel); files of at most kMaxPictureFileBytes.
// Transparent and partly transparent pixels are composed over white, the
// editor's transparent colour. Windows metafiles are recognised and refused
// with a message naming the format.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/area_scale.h"
#include "document/colors.h"

namespace gs {

inline constexpr int kMaxPictureSide = 16384;
// 64 MB decoded: what an import costs stays well within 256 MB and a couple
// of seconds, even in an instrumented build.
inline constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{16} << 20;
inline constexpr std::size_t kMaxPictureFileBytes = std::size_t{256} << 20;
// A run-length bitmap may skip pixels (they stay white); one larger than
// kRleFreePixels (16 MB decoded) must write at least one pixel in
// kRleAreaPerPixel, so that a few bytes cannot claim a picture of nothing.
inline constexpr std::uint64_t kRleFreePixels = std::uint64_t{4} << 20;
inline constexpr std::uint64_t kRleAreaPerPixel = 64;

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Color> pixels;  // top row first, always the picture's full size
  PixelView View() const { return {pixels.data(), width, height, width}; }
  bool Empty() const { return width <= 0 || height <= 0; }
};

enum class PictureFormat { Unknown, Bmp, Dib, Png, Jpeg, Gif, Wmf, Emf };

// What the first bytes say the picture is.
PictureFormat SniffPictureFormat(std::span<const std::uint8_t> bytes);
// "BMP", "PNG", "JPEG", "GIF", "Windows Metafile (WMF)" ...
const char* PictureFormatName(PictureFormat format);

struct PictureLimits {
  int maxSide = kMaxPictureSide;
  std::uint64_t maxPixels = kMaxPicturePixels;
};

// The sizes a header claims, against the limits; empty when they pass, else
// the message to show.
std::string CheckPictureSize(std::int64_t width, std::int64_t height, const PictureLimits& limits);

// Any picture: false with the reason in `error` when it cannot be read.
bool DecodePicture(std::span<const std::uint8_t> bytes, Picture& out, std::string& error,
                   const PictureLimits& limits = {});

// Reads the file and decodes it; errors name the file ("<path>: <reason>").
bool LoadPictureFile(const std::string& path, Picture& out, std::string& error,
                     const PictureLimits& limits = {});

// One decoder per format, for the fuzz targets and the tests. `bytes` start at
// the format's own signature ("BM" or a bitmap information header for DIB).
bool DecodeBmpPicture(std::span<const std::uint8_t> bytes, Picture& out, std::string& error,
                      const PictureLimits& limits = {});
bool DecodePngPicture(std::span<const std::uint8_t> bytes, Picture& out, std::string& error,
                      const PictureLimits& limits = {});
bool DecodeJpegPicture(std::span<const std::uint8_t> bytes, Picture& out, std::string& error,
                       const PictureLimits& limits = {});
bool DecodeGifPicture(std::span<const std::uint8_t> bytes, Picture& out, std::string& error,
                      const PictureLimits& limits = {});

// A colour with alpha composed over white, rounded to nearest.
constexpr Color OverWhite(int r, int g, int b, int a) {
  const int inv = 255 - a;
  return RGB((r * a + 255 * inv + 127) / 255, (g * a + 255 * inv + 127) / 255,
             (b * a + 255 * inv + 127) / 255);
}

}  // namespace gs
