#include "import/icon_image_decode.h"

#include "files/byte_io.h"
#include "files/icon_reader.h"

namespace gs {

bool DecodeIconImage(std::span<const std::uint8_t> image, RgbaPicture& out) {
  const IconImageInfo info = ImageInfoOf(image.first(std::min<std::size_t>(image.size(), 40)));
  if (!info.readable) return false;
  // The reader takes whole icon files: give it a one-image file around the image.
  bytes::Writer w(22 + image.size());
  w.U16(0);
  w.U16(1);
  w.U16(1);
  w.U8(info.width & 0xFF);
  w.U8(info.height & 0xFF);
  w.U8(0);
  w.U8(0);
  w.U16(1);
  w.U16(info.bitCount);
  w.U32(static_cast<std::uint32_t>(image.size()));
  w.U32(22);
  w.Bytes(image);
  const IconDecodeResult r = DecodeIconFile(w.Take());
  if (r.kind == IconImageKind::None) return false;
  out.width = r.pixels.Width();
  out.height = r.pixels.Height();
  out.rgba.resize(std::size_t{4} * out.width * out.height);
  std::size_t i = 0;
  for (Color c : r.pixels.Pixels()) {
    out.rgba[i++] = static_cast<std::uint8_t>(RedOf(c));
    out.rgba[i++] = static_cast<std::uint8_t>(GreenOf(c));
    out.rgba[i++] = static_cast<std::uint8_t>(BlueOf(c));
    out.rgba[i++] = 255;
  }
  return true;
}

}  // namespace gs
