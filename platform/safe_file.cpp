#include "platform/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace gs {

namespace {

std::string Reason(int err) { return std::strerror(err); }

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

unsigned CurrentUmask() {
  // The only way to read the mask is to set it; put it straight back.
  const mode_t m = ::umask(0);
  ::umask(m);
  return m;
}

bool WriteAllTo(int fd, std::span<const std::uint8_t> bytes, int& err) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// What the new file is called and what mode it gets. A link is followed so the
// file it points at is replaced, not the link. An existing file that may not be
// written is refused, as deleting it would be.
struct Target {
  std::string path;
  unsigned mode = 0;
  bool existed = false;
};

WriteStatus CheckTarget(const std::string& requested, Target& t) {
  if (requested.empty()) return WriteStatus::Failure(requested, "empty file name");
  t.path = requested;
  struct stat st {};
  if (::lstat(requested.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(requested.c_str(), resolved)) t.path = resolved;
  }
  if (::stat(t.path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return WriteStatus::Failure(requested, Reason(EISDIR));
    if (!S_ISREG(st.st_mode)) return WriteStatus::Failure(requested, "not a regular file");
    // Root may write anything, so the mode bits are checked as well.
    if (::access(t.path.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0)
      return WriteStatus::Failure(requested, Reason(EACCES));
    t.mode = st.st_mode & 07777;
    t.existed = true;
  } else if (errno != ENOENT) {
    return WriteStatus::Failure(requested, Reason(errno));
  } else {
    t.mode = 0666 & ~CurrentUmask();
  }
  return WriteStatus::Success();
}

enum class Flush { None, Now, Start };

// Writes bytes into a fresh temporary beside target; on success `temp` names
// it. Flush::Start only sets the writing to disk going, for a later flush of
// many files to find it done.
WriteStatus WriteTemporary(const std::string& requested, const Target& t,
                           std::span<const std::uint8_t> bytes, Flush flush, std::string& temp) {
  std::string pattern = FolderOf(t.path) + "/." + NameOf(t.path) + ".XXXXXX";
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return WriteStatus::Failure(requested, Reason(errno));
  int err = 0;
  bool ok = WriteAllTo(fd, bytes, err);
  if (ok && ::fchmod(fd, t.mode) != 0) ok = false, err = errno;
  if (ok && flush == Flush::Now && ::fsync(fd) != 0) ok = false, err = errno;
  if (ok && flush == Flush::Start) ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
  if (::close(fd) != 0 && ok) ok = false, err = errno;
  if (!ok) {
    ::unlink(pattern.c_str());
    return WriteStatus::Failure(requested, Reason(err));
  }
  temp = pattern;
  return WriteStatus::Success();
}

}  // namespace

WriteStatus WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes) {
  Target t;
  if (WriteStatus st = CheckTarget(path, t); !st) return st;
  std::string temp;
  // The flushes protect an old file: it must not be replaced by bytes that
  // are not on disk yet. A new name has nothing to lose, and skipping them
  // keeps one-shot conversions as cheap as a plain write.
  if (WriteStatus st = WriteTemporary(path, t, bytes, t.existed ? Flush::Now : Flush::None, temp);
      !st)
    return st;
  if (::rename(temp.c_str(), t.path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return WriteStatus::Failure(path, Reason(err));
  }
  // The folder itself is not flushed: until the rename reaches the disk a
  // crash leaves the old file, which is what this is about.
  return WriteStatus::Success();
}

bool RegularFileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out, std::string* error,
                   std::size_t maxBytes) {
  out.clear();
  auto fail = [&](const std::string& reason) {
    if (error) *error = path + ": " + reason;
    out.clear();
    return false;
  };
  // Non-blocking so that a pipe in place of a file cannot hang the open; it
  // is refused just below as not a regular file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return fail(Reason(errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    return fail(Reason(err));
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return fail(S_ISDIR(st.st_mode) ? Reason(EISDIR) : "not a regular file");
  }
  if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
    ::close(fd);
    return fail("file too large");
  }
  out.resize(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  // The size may change while reading; read what is there, up to the limit.
  for (;;) {
    if (done == out.size()) {
      if (out.size() >= maxBytes) break;
      out.resize(std::min(maxBytes, out.size() + 4096));
    }
    const ssize_t n = ::read(fd, out.data() + done, out.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      return fail(Reason(err));
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  out.resize(done);
  return true;
}

SafeWriteBatch::~SafeWriteBatch() { Commit(); }

WriteStatus SafeWriteBatch::Add(const std::string& path, std::span<const std::uint8_t> bytes,
                                std::vector<std::string>* committedErrors) {
  Target t;
  if (WriteStatus st = CheckTarget(path, t); !st) return st;
  std::string temp;
  if (WriteStatus st = WriteTemporary(path, t, bytes, t.existed ? Flush::Start : Flush::None, temp);
      !st)
    return st;
  pending_.push_back({temp, t.path, t.existed});
  if (pending_.size() >= groupSize_) {
    auto errors = Commit();
    if (committedErrors)
      committedErrors->insert(committedErrors->end(), errors.begin(), errors.end());
  }
  return WriteStatus::Success();
}

std::vector<std::string> SafeWriteBatch::Commit() {
  std::vector<std::string> errors;
  if (pending_.empty()) return errors;
  // Each replacing file is flushed before any rename. Their writing was
  // started when they were written, and the first flush commits the others'
  // bookkeeping with it, so the rest are quick.
  for (Pending& p : pending_) {
    if (!p.replaces) continue;
    const int fd = ::open(p.temp.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fdatasync(fd) != 0) {
      errors.push_back(p.target + ": " + Reason(errno));
      ::unlink(p.temp.c_str());
      p.temp.clear();
    }
    if (fd >= 0) ::close(fd);
  }
  for (const Pending& p : pending_) {
    if (p.temp.empty()) continue;
    if (::rename(p.temp.c_str(), p.target.c_str()) != 0) {
      errors.push_back(p.target + ": " + Reason(errno));
      ::unlink(p.temp.c_str());
    }
  }
  pending_.clear();
  return errors;
}

}  // namespace gs
