// libFuzzer target: any bytes through the icon reader, the RIFF walker and
// the PCX encoder. Beyond "no crash" it checks that what the reader gives is
// always a 32 x 32 picture and that writing it and reading it back at 24 bits
// gives the same picture.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "files/ani_format.h"
#include "files/icon_reader.h"
#include "files/icon_writer.h"
#include "files/pcx_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const gs::IconDecodeResult r = gs::DecodeIconFile(bytes);
  if (r.pixels.Width() != 32 || r.pixels.Height() != 32) std::abort();

  const gs::IconDecodeResult again =
      gs::DecodeIconFile(gs::BuildIconBytes(r.pixels, 24, gs::PaletteMethod::None));
  if (!again.problem.empty() || again.pixels.Pixels() != r.pixels.Pixels()) std::abort();

  std::vector<gs::RiffChunk> chunks;
  std::string problem;
  gs::ReadRiffChunks(bytes, chunks, problem);

  std::vector<std::uint8_t> encoded;
  gs::EncodePcxLine(bytes.first(std::min<std::size_t>(size, 4096)), encoded);
  return 0;
}
