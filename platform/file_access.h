#pragma once
// How the profile files and the settings store reach the disk (through the
// safe writer of safe_file.h).
#include <cstddef>
#include <string>

namespace gs {

enum class ReadResult { kOk, kMissing, kFailed };

// Reads the whole file into `out`. kMissing when there is no such file (or
// folder); kFailed when it exists but cannot be read, is not a regular file or
// is larger than maxBytes.
ReadResult ReadFileLimited(const std::string& path, std::size_t maxBytes, std::string& out);

// Replaces the file through a temporary file and a rename; the old file stays
// whole when this fails. The folder is not created.
bool WriteFileReplacing(const std::string& path, const std::string& bytes);

// Creates the folder and its parents (mode 0700 for new ones).
bool MakeFolders(const std::string& folder);

}  // namespace gs
