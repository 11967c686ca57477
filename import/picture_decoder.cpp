#include "import/picture_decoder.h"

#include "files/byte_io.h"
#include "platform/file_read.h"

namespace gs {

namespace {

bool StartsWith(std::span<const std::uint8_t> b, std::initializer_list<std::uint8_t> sig) {
  if (b.size() < sig.size()) return false;
  std::size_t i = 0;
  for (std::uint8_t s : sig)
    if (b[i++] != s) return false;
  return true;
}

// A bitmap information header of a known size with one plane.
bool LooksLikeDibHeader(std::span<const std::uint8_t> b) {
  std::uint32_t size = 0;
  std::uint16_t planes = 0;
  if (!bytes::GetU32(b, 0, size)) return false;
  switch (size) {
    case 12:
      return bytes::GetU16(b, 8, planes) && planes == 1;
    case 16:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
      return bytes::GetU16(b, 12, planes) && planes == 1;
    default:
      return false;
  }
}

}  // namespace

PictureFormat SniffPictureFormat(std::span<const std::uint8_t> b) {
  if (StartsWith(b, {'B', 'M'})) return PictureFormat::Bmp;
  if (StartsWith(b, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return PictureFormat::Png;
  if (StartsWith(b, {0xFF, 0xD8, 0xFF})) return PictureFormat::Jpeg;
  if (StartsWith(b, {'G', 'I', 'F', '8', '7', 'a'}) ||
      StartsWith(b, {'G', 'I', 'F', '8', '9', 'a'}))
    return PictureFormat::Gif;
  // Placeable metafile key, or the plain header (memory or disk type, 9 words).
  if (StartsWith(b, {0xD7, 0xCD, 0xC6, 0x9A})) return PictureFormat::Wmf;
  if ((StartsWith(b, {0x01, 0x00, 0x09, 0x00}) || StartsWith(b, {0x02, 0x00, 0x09, 0x00})) &&
      b.size() >= 6 && (b[5] == 0x01 || b[5] == 0x03) && b[4] == 0x00)
    return PictureFormat::Wmf;
  std::uint32_t type = 0, signature = 0;
  if (bytes::GetU32(b, 0, type) && type == 1 && bytes::GetU32(b, 40, signature) &&
      signature == 0x464D4520)
    return PictureFormat::Emf;
  if (LooksLikeDibHeader(b)) return PictureFormat::Dib;
  return PictureFormat::Unknown;
}

const char* PictureFormatName(PictureFormat format) {
  switch (format) {
    case PictureFormat::Bmp:
      return "BMP";
    case PictureFormat::Dib:
      return "DIB";
    case PictureFormat::Png:
      return "PNG";
    case PictureFormat::Jpeg:
      return "JPEG";
    case PictureFormat::Gif:
      return "GIF";
    case PictureFormat::Wmf:
      return "Windows Metafile (WMF)";
    case PictureFormat::Emf:
      return "Enhanced Metafile (EMF)";
    case PictureFormat::Unknown:
      break;
  }
  return "unknown";
}

std::string CheckPictureSize(std::int64_t width, std::int64_t height, const PictureLimits& limits) {
  if (width <= 0 || height <= 0) return "the picture has no pixels";
  const std::string size = std::to_string(width) + " x " + std::to_string(height);
  if (width > limits.maxSide || height > limits.maxSide ||
      static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > limits.maxPixels)
    return "picture too large (" + size + " pixels; at most " + std::to_string(limits.maxSide) +
           " a side and " + std::to_string(limits.maxPixels / (1 << 20)) + " million pixels)";
  return {};
}

bool DecodePicture(std::span<const std::uint8_t> bytes, Picture& out, std::string& error,
                   const PictureLimits& limits) {
  out = {};
  error.clear();
  const PictureFormat format = SniffPictureFormat(bytes);
  switch (format) {
    case PictureFormat::Bmp:
    case PictureFormat::Dib:
      return DecodeBmpPicture(bytes, out, error, limits);
    case PictureFormat::Png:
      return DecodePngPicture(bytes, out, error, limits);
    case PictureFormat::Jpeg:
      return DecodeJpegPicture(bytes, out, error, limits);
    case PictureFormat::Gif:
      return DecodeGifPicture(bytes, out, error, limits);
    case PictureFormat::Wmf:
    case PictureFormat::Emf:
      error = std::string(PictureFormatName(format)) +
              " pictures cannot be imported; save it as PNG, BMP, GIF or JPEG first";
      return false;
    case PictureFormat::Unknown:
      break;
  }
  error = bytes.empty() ? "the file is empty"
                        : "not a picture that can be imported (BMP, DIB, PNG, GIF or JPEG)";
  return false;
}

bool LoadPictureFile(const std::string& path, Picture& out, std::string& error,
                     const PictureLimits& limits) {
  out = {};
  std::vector<std::uint8_t> bytes;
  std::string why;
  if (!ReadWholeFile(path, bytes, &why, kMaxPictureFileBytes)) {
    error = why.empty() ? path + ": cannot be read" : why;
    return false;
  }
  if (!DecodePicture(bytes, out, why, limits)) {
    error = path + ": " + why;
    return false;
  }
  return true;
}

}  // namespace gs
