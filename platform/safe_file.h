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
// Many files at once (batch conversion): SafeWriteBatch. A new name is created
// under itself, refusing to replace anything (no temporary, no rename); files
// that replace others are renamed at the group's commit, after one syncfs of
// their file system, a few renames at a time. After a crash every replaced
// file holds either its old bytes or the whole new ones, never a mixture or
// nothing; files under new names may be missing, empty or cut short until
// the system has written them out (a signal that can be caught removes one
// that is not whole).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

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

// Reads a whole regular file. Fails (with "<path>: <reason>") on a missing or
// unreadable file, a folder, or a file longer than maxBytes.
inline constexpr std::size_t kDefaultReadLimit = std::size_t{64} << 20;
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out, std::string* error,
                   std::size_t maxBytes = kDefaultReadLimit);

// From here on, SIGINT, SIGTERM and SIGHUP remove the temporaries being
// written and a batch's new file not yet whole (finished files stay), then
// end the process as the signal would have. The handlers go in before the
// first file is created.
void RemoveTemporariesOnSignals();

// True when path names an existing regular file (or a link to one).
bool RegularFileExists(const std::string& path);

// Writes new files at once and the others through temporaries, first removing from each folder it
// writes the temporaries that killed runs left there over an hour ago; Commit (also run every
// groupSize files and by the destructor) makes the replacing ones durable and renames them over
// their targets. A file that could not be written is reported by Add (a new one leaves nothing
// under its name, a replacing one its old target); one that fails at the flush or the rename is
// reported by Commit. Memory stays at one group,
// whatever the number of files.
class SafeWriteBatch {
 public:
  explicit SafeWriteBatch(std::size_t groupSize = 256) : groupSize_(groupSize ? groupSize : 1) {}
  ~SafeWriteBatch();
  SafeWriteBatch(const SafeWriteBatch&) = delete;
  SafeWriteBatch& operator=(const SafeWriteBatch&) = delete;

  // Failures of files committed as a side effect are appended to `committedErrors`.
  WriteStatus Add(const std::string& path, std::span<const std::uint8_t> bytes,
                  std::vector<std::string>* committedErrors = nullptr);
  // Returns the errors of this group ("<path>: <reason>" each); empty when all went well.
  std::vector<std::string> Commit();

 private:
  struct Pending {
    std::string temp;
    std::string target;
    bool replaces = false;
    int slot = -1;  // where a signal finds the temporary
  };
  std::size_t groupSize_;
  std::vector<Pending> pending_;
  std::unordered_set<std::string> swept_;  // folders cleared of stale temporaries
};

}  // namespace gs
