#pragma once
// What a file looked like when the editor last read or wrote it, so that Save
// can tell when another program has changed it meanwhile.
//
//   FileStamp s = StampFile(path, bytesJustRead);
//   ...
//   if (ChangedSince(s)) ask before writing over the other program's work;
#include <cstdint>
#include <span>
#include <string>

namespace gs {

struct FileStamp {
  std::string path;  // empty: nothing recorded
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;
  std::uint64_t digest = 0;
};

// The stamp of path whose whole content is `bytes` (just read or written).
FileStamp StampFile(const std::string& path, std::span<const std::uint8_t> bytes);

// True when the file at stamp.path now differs from the stamp in size,
// modification time or content. A file that is gone has nothing to lose:
// false, as for an empty stamp.
bool ChangedSince(const FileStamp& stamp);

}  // namespace gs
