#include "platform/safe_file.h"

#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/safe_file_steps.h"
#include "platform/temporaries.h"

namespace gs {

namespace safe_file_steps {

namespace {

std::string Reason(int err) { return std::strerror(err); }

// Set by tests, or once /proc turns out to be missing (an unnamed file is
// then given its name through nothing).
std::atomic<bool> g_namedDraftsOnly{false};

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

// Where the bytes really go and what mode they get. A link is followed, even
// a dangling one, so that the file it points at is written and the link
// stays. An existing file that may not be written is refused, as deleting it
// would be, with the system's own reason (read-only file system...).
struct Target {
  std::string path;
  unsigned mode = 0666;  // a new file: the umask applies when it is created
  bool existed = false;
};

WriteStatus ResolveTarget(const std::string& requested, Target& t) {
  t.path = requested;
  struct stat st {};
  for (int hops = 0;; ++hops) {
    if (::lstat(t.path.c_str(), &st) != 0) {
      if (errno != ENOENT) return WriteStatus::Failure(requested, Reason(errno));
      t.mode = 0666;
      t.existed = false;
      return WriteStatus::Success();
    }
    if (!S_ISLNK(st.st_mode)) break;
    if (hops == 40) return WriteStatus::Failure(requested, Reason(ELOOP));
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, '\0');
    const ssize_t n = ::readlink(t.path.c_str(), link.data(), link.size());
    if (n < 0) return WriteStatus::Failure(requested, Reason(errno));
    link.resize(static_cast<std::size_t>(n));
    if (link.empty()) return WriteStatus::Failure(requested, Reason(ENOENT));
    t.path = link.front() == '/' ? link : FolderOf(t.path) + "/" + link;
  }
  if (S_ISDIR(st.st_mode)) return WriteStatus::Failure(requested, Reason(EISDIR));
  if (!S_ISREG(st.st_mode)) return WriteStatus::Failure(requested, "not a regular file");
  // Root may write anything, so the mode bits are checked as well.
  if (::access(t.path.c_str(), W_OK) != 0) return WriteStatus::Failure(requested, Reason(errno));
  if ((st.st_mode & 0222) == 0) return WriteStatus::Failure(requested, Reason(EACCES));
  t.mode = st.st_mode & 07777;
  t.existed = true;
  return WriteStatus::Success();
}

// The bytes of an output before it has its name: open (fd) while unnamed,
// closed once under a temporary name.
struct Draft {
  int fd = -1;
  std::string folder;
  std::string temp;  // empty while it has no name
  int slot = -1;
};

void Drop(Draft& d) {
  if (d.fd >= 0) ::close(d.fd);
  d.fd = -1;
  if (!d.temp.empty()) RemoveTemporary(d.temp, d.slot);
  d.temp.clear();
}

// Links an unnamed file in under `path`; fails with EEXIST when the name is
// taken. Without the privilege for AT_EMPTY_PATH the file is named through
// /proc.
bool LinkUnnamed(int fd, const std::string& path, int& err) {
  static std::atomic<bool> emptyPathRefused{false};
  if (!emptyPathRefused.load(std::memory_order_relaxed)) {
    if (::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) return true;
    if (errno != ENOENT) return err = errno, false;
    emptyPathRefused.store(true, std::memory_order_relaxed);
  }
  char self[40];
  std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
  if (::linkat(AT_FDCWD, self, AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
  err = errno;
  if (err == ENOENT && ::access("/proc/self/fd", F_OK) != 0)
    g_namedDraftsOnly.store(true, std::memory_order_relaxed);
  return false;
}

// A tracked temporary, created empty; its name is tracked before the file exists.
bool CreateNamed(Draft& d, int& err) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    d.temp = TemporaryName(d.folder);
    d.slot = TrackTemporary(d.temp);
    d.fd = ::open(d.temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (d.fd >= 0) return true;
    err = errno;
    // Not ours: only forgotten.
    UntrackTemporary(d.slot);
    d.temp.clear();
    if (err != EEXIST) return false;
  }
  return false;
}

bool MakeDraft(const std::string& folder, std::span<const std::uint8_t> bytes, Draft& d, int& err) {
  d.folder = folder;
  if (!g_namedDraftsOnly.load(std::memory_order_relaxed)) {
    d.fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    // Unknown to the file system (or to an old kernel, which sees a folder).
    if (d.fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
      return err = errno, false;
  }
  if (d.fd < 0 && !CreateNamed(d, err)) return false;
  if (!WriteAllTo(d.fd, bytes, err)) return Drop(d), false;
  return true;
}

// Gives the draft the name `path` only if nothing has it (EEXIST otherwise).
// A named draft is closed first, so that a late write error is seen before
// the name is.
bool PublishNew(Draft& d, const std::string& path, int& err) {
  if (d.temp.empty()) {
    if (!LinkUnnamed(d.fd, path, err)) return false;
    const int fd = std::exchange(d.fd, -1);
    if (::close(fd) == 0) return true;
    err = errno;
    ::unlink(path.c_str());
    return false;
  }
  if (d.fd >= 0 && ::close(std::exchange(d.fd, -1)) != 0) return err = errno, false;
  if (::renameat2(AT_FDCWD, d.temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
    UntrackTemporary(d.slot);
    d.temp.clear();
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS) return err = errno, false;
  // A file system without that rename: a second name, then the first goes.
  if (::link(d.temp.c_str(), path.c_str()) != 0) return err = errno, false;
  RemoveTemporary(d.temp, d.slot);
  d.temp.clear();
  return true;
}

// Readies the draft to replace `t`: the old file's mode (the umask has cut
// the draft's), the bytes on disk when `flush`, a temporary name, closed.
bool ReadyToReplace(Draft& d, const Target& t, bool flush, int& err) {
  if (d.temp.empty()) {
    if (t.existed && ::fchmod(d.fd, t.mode) != 0) return err = errno, false;
    if (flush && ::fdatasync(d.fd) != 0) return err = errno, false;
    bool named = false;
    for (int attempt = 0; attempt < 10 && !named; ++attempt) {
      d.temp = TemporaryName(d.folder);
      d.slot = TrackTemporary(d.temp);
      named = LinkUnnamed(d.fd, d.temp, err);
      if (!named) UntrackTemporary(d.slot), d.temp.clear();
      if (!named && err != EEXIST) return false;
    }
    if (!named) return false;
  } else {
    if (t.existed && ::chmod(d.temp.c_str(), t.mode) != 0) return err = errno, false;
    if (flush && d.fd < 0) d.fd = ::open(d.temp.c_str(), O_WRONLY | O_CLOEXEC);
    if (flush && (d.fd < 0 || ::fdatasync(d.fd) != 0)) return err = errno, false;
  }
  if (d.fd >= 0 && ::close(std::exchange(d.fd, -1)) != 0) return err = errno, false;
  return true;
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void UseNamedDraftsOnly(bool on) { g_namedDraftsOnly.store(on); }

WriteStatus WriteOrPrepare(const std::string& path, std::span<const std::uint8_t> bytes, bool flush,
                           Replacement& pending) {
  pending = {};
  if (path.empty()) return WriteStatus::Failure(path, "empty file name");
  Draft d;
  int err = 0;
  if (!MakeDraft(FolderOf(path), bytes, d, err)) return WriteStatus::Failure(path, Reason(err));
  if (PublishNew(d, path, err)) return WriteStatus::Success();
  // No /proc to name an unnamed file through: once more as a temporary.
  if (err == ENOENT && d.temp.empty() && g_namedDraftsOnly.load()) {
    Drop(d);
    if (!MakeDraft(FolderOf(path), bytes, d, err)) return WriteStatus::Failure(path, Reason(err));
    if (PublishNew(d, path, err)) return WriteStatus::Success();
  }
  if (err != EEXIST) return Drop(d), WriteStatus::Failure(path, Reason(err));
  Target t;
  if (WriteStatus st = ResolveTarget(path, t); !st) return Drop(d), st;
  // The draft goes where its target is (a link may point elsewhere).
  if (const std::string folder = FolderOf(t.path); folder != d.folder) {
    Drop(d);
    if (!MakeDraft(folder, bytes, d, err)) return WriteStatus::Failure(path, Reason(err));
  }
  // The flush protects an old file: it must not be replaced by bytes that
  // are not on disk yet.
  if (!ReadyToReplace(d, t, flush && t.existed, err))
    return Drop(d), WriteStatus::Failure(path, Reason(err));
  pending = {std::move(d.temp), t.path, d.slot, t.existed};
  return WriteStatus::Success();
}

}  // namespace safe_file_steps

WriteStatus WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes) {
  using namespace safe_file_steps;
  Replacement r;
  if (WriteStatus st = WriteOrPrepare(path, bytes, true, r); !st || r.temp.empty()) return st;
  // What a run killed here leaves, the next writer into the folder removes.
  SweepStaleTemporaries(FolderOf(r.target));
  if (::rename(r.temp.c_str(), r.target.c_str()) != 0) {
    const int err = errno;
    RemoveTemporary(r.temp, r.slot);
    return WriteStatus::Failure(path, Reason(err));
  }
  UntrackTemporary(r.slot);
  // The folder itself is not flushed: until the rename reaches the disk a
  // crash leaves the old file, which is what this is about.
  return WriteStatus::Success();
}

}  // namespace gs
