#pragma once
// Saving that never destroys the old file and never shows a part-written
// one. The new bytes go to a file with no name yet in the target's folder
// (O_TMPFILE; a tracked temporary, ".gs-...", on file systems without it).
// A new name is then given to it in one step that never replaces a file
// appearing meanwhile, and is not flushed. An existing file is replaced by
// a rename, after the new bytes are flushed to disk and given the old file's
// mode. On any failure the target is as it was, nothing else is left, and
// the status names the path and the system's reason ("Read-only file
// system", "Permission denied"...). An existing target that may not be
// written (read-only) is refused, as deleting it would be. A symbolic link is
// written through, to the file it points at (created when it does not exist
// yet); the link itself stays.
//
//   WriteStatus st = WriteFileSafely(path, bytes);
//   if (!st) ShowError(st.error);        // "/dir/a.ico: Permission denied"
//
// Many files at once: SafeWriteBatch (platform/safe_write_batch.h). Reading
// files: platform/file_read.h. Temporaries and signals: platform/temporaries.h.
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
