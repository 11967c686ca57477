#pragma once
// Saving that never destroys the old file: the new bytes go to a temporary
// file (a short name, ".gs" and 8 letters) in the target's folder, are flushed
// to disk, and only then renamed over the target. On any failure the target is
// as it was, the temporary is gone, and the status names the path and the
// system's reason ("Read-only file system", "Permission denied"...). A new
// name has no old file at stake: it is created under itself (never replacing
// one that appears meanwhile), not flushed, and removed if the write fails. An
// existing target that may not be written (read-only) is refused, as deleting
// it would be. A symbolic link is written through, to the file it points at
// (created when it does not exist yet); the link itself stays.
//
//   WriteStatus st = WriteFileSafely(path, bytes);
//   if (!st) ShowError(st.error);        // "/dir/a.ico: Permission denied"
//
// Many files at once: SafeWriteBatch (platform/safe_write_batch.h).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace gs {

struct WriteStatus {
  bool ok = true;
  std::string error;  // "<path>: <reason>" when !ok

  explicit operator bool() const { return ok; }
  static WriteStatus Success() { return {}; }
  static WriteStatus Failure(const std::string& path, const std::string& reason) {
    return {false, path + ": " + reason};
  }
};

WriteStatus WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace gs
