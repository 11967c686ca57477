// libFuzzer target: any bytes through the icon reader, the RIFF walker and
// the PCX encoder. Beyond "no crash" it checks that what the reader gives is
// always a 32 x 32 picture, that writing it and reading it back at 24 bits
// gives the same picture, and at 1, 4 or 8 bits the picture reduced to the
// standard table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "files/ani_format.h"
#include "files/cursor_frames.h"
#include "files/depth.h"
#include "files/icon_reader.h"
#include "files/icon_writer.h"
#include "files/pcx_format.h"
#include "files/thumbnail.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const gs::IconDecodeResult r = gs::DecodeIconFile(bytes);
  if (r.pixels.Width() != 32 || r.pixels.Height() != 32) std::abort();

  const gs::IconDecodeResult again =
      gs::DecodeIconFile(gs::BuildIconBytes(r.pixels, 24, gs::PaletteMethod::None));
  if (!again.problem.empty() || again.pixels.Pixels() != r.pixels.Pixels()) std::abort();

  // At a lower depth, reading back gives the picture reduced to the standard
  // table, white (transparent) included.
  if (size > 0) {
    static constexpr int kDepths[] = {1, 4, 8};
    const int bits = kDepths[data[0] % 3];
    gs::Surface reduced = r.pixels;
    gs::ConvertDocumentToDepth(reduced, bits);
    const gs::IconDecodeResult low =
        gs::DecodeIconFile(gs::BuildIconBytes(r.pixels, bits, gs::PaletteMethod::None));
    if (low.pixels.Pixels() != reduced.Pixels()) std::abort();
  }

  std::vector<gs::RiffChunk> chunks;
  std::string problem;
  gs::ReadRiffChunks(bytes, chunks, problem);

  // Animated-cursor frames and thumbnails read the same hostile bytes.
  std::vector<gs::CursorFrame> frames;
  gs::LoadCursorFrames(bytes, frames, problem, 64);
  gs::RgbaImage thumb;
  if (gs::MakeThumbnail(bytes, 48, thumb, problem) && thumb.rgba.size() != 48u * 48 * 4)
    std::abort();

  std::vector<std::uint8_t> encoded;
  gs::EncodePcxLine(bytes.first(std::min<std::size_t>(size, 4096)), encoded);
  return 0;
}
