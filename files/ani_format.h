#pragma once
// Animated cursor files (RIFF "ACON"): frames are cursor files copied whole.
//
//   std::uint32_t rate = 0;
//   if (!DisplayRateFromInterval(ParseLeadingNumber(txt), rate)) -> "Intervale invalide"
//   WriteStatus st = WriteAnimatedCursor(outPath, framePaths, rate);
//
// Every frame file is read before anything is written, so a frame that
// changes or vanishes midway cannot make the sizes disagree.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/safe_file.h"

namespace gs {

// The INAM and IART texts written by the editor (65 and 17 characters, so
// that every chunk is even-sized in the fixed layout).
std::string_view AniCreatorNote();
std::string_view AniAuthorName();

// Display rate in 1/60 s ticks from the typed interval in milliseconds:
// interval / 10 cut to a whole number, at least 1. False when interval < 1
// or the rate does not fit the file's 32-bit field (beyond 42949672959 ms).
// The builder window and `glyphsmith-tool ani --interval` both use it.
bool DisplayRateFromInterval(double intervalMs, std::uint32_t& rate);

// The size of the file BuildAnimatedCursorBytes makes of frames of these
// sizes, with the default texts; past UINT32_MAX + 8 the RIFF fields cannot
// hold it. Known before any frame is read.
std::uint64_t AnimatedCursorFileSize(std::span<const std::uint64_t> frameSizes);

// The whole file. Empty when the sizes would not fit the 32-bit RIFF fields.
// Odd-sized chunks (other texts, a frame file of odd length) get the RIFF pad
// byte, counted in the sizes of the lists that hold them.
std::vector<std::uint8_t> BuildAnimatedCursorBytes(
    std::span<const std::vector<std::uint8_t>> frames, std::uint32_t rate,
    std::string_view creatorNote = AniCreatorNote(), std::string_view authorName = AniAuthorName());

WriteStatus WriteAnimatedCursor(const std::string& path, std::span<const std::string> framePaths,
                                std::uint32_t rate);

// The chunks of a RIFF file, for `info`: id, size, offset of the size field.
struct RiffChunk {
  std::string id;  // for LIST/RIFF: "LIST INFO", "RIFF ACON"
  std::uint32_t size = 0;
  std::size_t offset = 0;
  int depth = 0;
};
// False when the bytes are not RIFF; chunks read before damage are kept and
// `problem` says what was wrong. Reading stops after maxChunks chunks.
bool ReadRiffChunks(std::span<const std::uint8_t> bytes, std::vector<RiffChunk>& chunks,
                    std::string& problem, std::size_t maxChunks = SIZE_MAX);

}  // namespace gs
