// libFuzzer target for one picture decoder, chosen at build time by
// GS_PICTURE_FORMAT (0 BMP/DIB, 1 PNG, 2 JPEG, 3 GIF). Beyond "no crash" it
// checks that a decoded picture is as large as it says and that importing it
// whole gives a 32 x 32 icon. The limits are smaller than the editor's so that
// runs stay fast; the checks before allocation are the same code.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "import/picture_decoder.h"
#include "import/picture_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  gs::PictureLimits limits;
  limits.maxSide = 4096;
  limits.maxPixels = std::uint64_t{1} << 20;
  gs::Picture pic;
  std::string error;
  bool ok = false;
#if GS_PICTURE_FORMAT == 0
  ok = gs::DecodeBmpPicture(bytes, pic, error, limits);
#elif GS_PICTURE_FORMAT == 1
  ok = gs::DecodePngPicture(bytes, pic, error, limits);
#elif GS_PICTURE_FORMAT == 2
  ok = gs::DecodeJpegPicture(bytes, pic, error, limits);
#else
  ok = gs::DecodeGifPicture(bytes, pic, error, limits);
#endif
  if (!ok) {
    if (error.empty() || !pic.pixels.empty()) std::abort();
    return 0;
  }
  if (pic.width <= 0 || pic.height <= 0 || pic.width > limits.maxSide ||
      pic.height > limits.maxSide ||
      pic.pixels.size() !=
          static_cast<std::size_t>(pic.width) * static_cast<std::size_t>(pic.height))
    std::abort();
  for (gs::Color c : pic.pixels)
    if (c > 0xFFFFFF) std::abort();
  const gs::Surface icon = gs::ImportWholePicture(pic);
  if (icon.Width() != 32 || icon.Height() != 32) std::abort();
  return 0;
}
