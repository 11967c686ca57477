#pragma once
// PCX export (version 5, run-length encoded), top row first.
//
//   WriteStatus st = WritePcxFile(path, doc.surface, 8);
//
// Runs never exceed 63 bytes nor cross the end of a row's plane.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/surface.h"
#include "files/depth.h"
#include "platform/safe_file.h"

namespace gs {

// Run-length encodes one plane of one row and appends it to out.
void EncodePcxLine(std::span<const std::uint8_t> line, std::vector<std::uint8_t>& out);

// A whole PCX file from a top-row-first colour block (as ConvertToDepth gives
// it) of width x height at bitCount with its table. Empty when the block is
// too short for those sizes or the depth is unknown.
std::vector<std::uint8_t> BuildPcxBytes(std::span<const std::uint8_t> block, int width, int height,
                                        int bitCount, std::span<const PaletteEntry> table);

// The document through ConvertToDepth (top row first), then BuildPcxBytes.
std::vector<std::uint8_t> BuildPcxBytes(const Surface& document, int bitCount);

WriteStatus WritePcxFile(const std::string& path, const Surface& document, int bitCount);
// The same from a colour block already reduced (top row first).
WriteStatus WritePcxFile(const std::string& path, std::span<const std::uint8_t> block, int width,
                         int height, int bitCount, std::span<const PaletteEntry> table);

}  // namespace gs
