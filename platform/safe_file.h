#pragma once
// Whole-file reads and crash-safe whole-file writes.
#include <cstddef>
#include <optional>
#include <string>

namespace gs {

// Reads a whole file as bytes. Empty optional when the file cannot be opened,
// is not a regular file, or is larger than maxBytes (so that a hostile file
// cannot exhaust memory).
std::optional<std::string> ReadWholeFile(const std::string& path,
                                         std::size_t maxBytes = 64u << 20);

// Replaces the file with `bytes`: writes a temporary file beside it, flushes it
// to disk and renames it over the target, so that a reader never sees half a
// file and a failed write leaves the old file as it was. The folder is not
// created. Returns false on any failure.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace gs
