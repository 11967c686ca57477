#include "platform/safe_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace gs {

namespace {

std::string Reason(int err) { return std::strerror(err); }

// The temporaries on disk right now, where a signal handler can find them
// without allocating: C strings in lock-free slots. Beyond the slots a
// temporary is simply not cleaned up on a signal.
constexpr unsigned kLiveSlots = 1024;
std::atomic<char*> g_live[kLiveSlots];
std::atomic<unsigned> g_liveCursor{0};

void Track(const std::string& temp) {
  char* copy = ::strdup(temp.c_str());
  if (!copy) return;
  const unsigned start = g_liveCursor.fetch_add(1, std::memory_order_relaxed);
  for (unsigned i = 0; i < kLiveSlots; ++i) {
    char* expected = nullptr;
    if (g_live[(start + i) % kLiveSlots].compare_exchange_strong(expected, copy)) return;
  }
  std::free(copy);
}

void Untrack(const std::string& temp) {
  for (std::atomic<char*>& slot : g_live) {
    char* p = slot.load(std::memory_order_acquire);
    if (p && temp == p && slot.compare_exchange_strong(p, nullptr)) {
      std::free(p);
      return;
    }
  }
}

void RemoveTemporary(const std::string& temp) {
  ::unlink(temp.c_str());
  Untrack(temp);
}

bool IsTemporaryName(const char* name) {
  if (std::strncmp(name, ".gs", 3) != 0 || std::strlen(name) != 11) return false;
  for (const char* c = name + 3; *c; ++c)
    if (!((*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9'))) return false;
  return true;
}

// A run killed outright (SIGKILL, a crash, a power cut) leaves its
// temporaries; ours, by their name, and an hour old are nobody's work now.
void SweepStaleTemporaries(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const int dfd = ::dirfd(dir);
  const time_t now = ::time(nullptr);
  while (const dirent* e = ::readdir(dir)) {
    if (!IsTemporaryName(e->d_name)) continue;
    struct stat st {};
    if (::fstatat(dfd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
        st.st_uid != ::geteuid() || now - st.st_mtime < 3600)
      continue;
    ::unlinkat(dfd, e->d_name, 0);
  }
  ::closedir(dir);
}

void RemoveTemporariesAndDie(int sig) {
  for (std::atomic<char*>& slot : g_live)
    if (char* p = slot.exchange(nullptr)) ::unlink(p);
  // The default action gives the usual status, 128 + the signal.
  ::signal(sig, SIG_DFL);
  ::raise(sig);
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
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

// Where the bytes really go and what mode they get. A link is followed, even
// a dangling one, so that the file it points at is written and the link
// stays. An existing file that may not be written is refused, as deleting it
// would be, with the system's own reason (read-only file system...).
struct Target {
  std::string path;
  unsigned mode = 0666;  // a new file: the umask applies when it is created
  bool existed = false;
};

// The process's file-creation mask and user, each read once.
mode_t ProcessUmask() {
  static const mode_t mask = [] {
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
  }();
  return mask;
}

uid_t ProcessUser() {
  static const uid_t uid = ::geteuid();
  return uid;
}

// `writableFs`: the caller has just created a file in the target's folder, so
// only the file's own permission is in question, which its owner can read
// from the mode; anyone else asks the system.
WriteStatus ResolveTarget(const std::string& requested, Target& t, bool writableFs = false) {
  if (requested.empty()) return WriteStatus::Failure(requested, "empty file name");
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
  const bool ownerKnows = writableFs && st.st_uid == ProcessUser() && ProcessUser() != 0;
  if (ownerKnows ? (st.st_mode & S_IWUSR) == 0 : ::access(t.path.c_str(), W_OK) != 0)
    return WriteStatus::Failure(requested, Reason(ownerKnows ? EACCES : errno));
  if ((st.st_mode & 0222) == 0) return WriteStatus::Failure(requested, Reason(EACCES));
  t.mode = st.st_mode & 07777;
  t.existed = true;
  return WriteStatus::Success();
}

// Temporary names stay short whatever the target's, so that a name at the
// file system's limit can still be saved.
std::string TemporaryName(const std::string& folder) {
  static std::uint64_t state = [] {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint64_t>(ts.tv_nsec) * 0x9E3779B97F4A7C15ull ^
           static_cast<std::uint64_t>(::getpid()) << 32 ^ static_cast<std::uint64_t>(ts.tv_sec);
  }();
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  state ^= state << 13, state ^= state >> 7, state ^= state << 17;
  std::string name = folder + "/.gs";
  std::uint64_t r = state;
  for (int i = 0; i < 8; ++i, r /= 36) name += kChars[r % 36];
  return name;
}

// Writes bytes into a fresh temporary in `folder`; on success `temp` names it.
// A replacing file gets the old one's mode (the umask may have cut it).
WriteStatus WriteTemporary(const std::string& requested, const std::string& folder, const Target& t,
                           std::span<const std::uint8_t> bytes, bool flush, std::string& temp) {
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = TemporaryName(folder);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, t.mode);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return WriteStatus::Failure(requested, Reason(errno));
  Track(temp);
  int err = 0;
  bool ok = WriteAllTo(fd, bytes, err);
  if (ok && t.existed && ::fchmod(fd, t.mode) != 0) ok = false, err = errno;
  if (ok && flush && ::fdatasync(fd) != 0) ok = false, err = errno;
  if (::close(fd) != 0 && ok) ok = false, err = errno;
  if (!ok) {
    RemoveTemporary(temp);
    return WriteStatus::Failure(requested, Reason(err));
  }
  return WriteStatus::Success();
}

}  // namespace

WriteStatus WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes) {
  Target t;
  if (WriteStatus st = ResolveTarget(path, t); !st) return st;
  std::string temp;
  // The flush protects an old file: it must not be replaced by bytes that
  // are not on disk yet. A new name has nothing to lose, and skipping it
  // keeps one-shot conversions as cheap as a plain write.
  if (WriteStatus st = WriteTemporary(path, FolderOf(t.path), t, bytes, t.existed, temp); !st)
    return st;
  if (::rename(temp.c_str(), t.path.c_str()) != 0) {
    const int err = errno;
    RemoveTemporary(temp);
    return WriteStatus::Failure(path, Reason(err));
  }
  Untrack(temp);
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
  if (path.empty()) return WriteStatus::Failure(path, "empty file name");
  if (std::string folder = FolderOf(path); !swept_.contains(folder)) {
    SweepStaleTemporaries(folder);
    swept_.insert(std::move(folder));
  }
  std::string temp;
  Target t;
  // Most batch outputs are new files: write the temporary beside the name and
  // move it there only if the name is still free, which needs no look at the
  // target first (open, write, close, rename). A name that exists, or a file
  // system that cannot tell, takes the careful way below.
  if (noReplaceWorks_) {
    t.path = path;
    if (WriteStatus st = WriteTemporary(path, FolderOf(path), t, bytes, false, temp); !st)
      return st;
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
      Untrack(temp);
      return WriteStatus::Success();
    }
    const int err = errno;
    if (err == EINVAL || err == ENOSYS) noReplaceWorks_ = false;
    if (err != EEXIST && noReplaceWorks_) {
      RemoveTemporary(temp);
      return WriteStatus::Failure(path, Reason(err));
    }
  }
  if (WriteStatus st = ResolveTarget(path, t, !temp.empty()); !st) {
    if (!temp.empty()) RemoveTemporary(temp);
    return st;
  }
  if (!temp.empty() && t.path == path) {
    // The temporary is already in the right folder; it only needs the old
    // mode, when the mask gave it another.
    if (t.existed && t.mode != (0666 & ~ProcessUmask()) && ::chmod(temp.c_str(), t.mode) != 0) {
      const int err = errno;
      RemoveTemporary(temp);
      return WriteStatus::Failure(path, Reason(err));
    }
  } else {
    // A link leads elsewhere, maybe to another file system: start again there.
    if (!temp.empty()) RemoveTemporary(temp);
    if (WriteStatus st = WriteTemporary(path, FolderOf(t.path), t, bytes, false, temp); !st)
      return st;
  }
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
  // The new contents of files that replace others reach the disk before any
  // of them is renamed: one syncfs per file system the group touches instead
  // of one flush per file.
  std::vector<std::string> synced;
  for (Pending& p : pending_) {
    if (!p.replaces) continue;
    const std::string folder = FolderOf(p.target);
    if (std::find(synced.begin(), synced.end(), folder) != synced.end()) continue;
    synced.push_back(folder);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0 && ::syncfs(fd) == 0) {
      ::close(fd);
      continue;
    }
    const int err = errno;
    if (fd >= 0) ::close(fd);
    // Without the flush the old files must stay: drop every replacement in that folder.
    for (Pending& q : pending_) {
      if (!q.replaces || q.temp.empty() || FolderOf(q.target) != folder) continue;
      errors.push_back(q.target + ": " + Reason(err));
      RemoveTemporary(q.temp);
      q.temp.clear();
    }
  }
  for (const Pending& p : pending_) {
    if (p.temp.empty()) continue;
    if (::rename(p.temp.c_str(), p.target.c_str()) != 0) {
      errors.push_back(p.target + ": " + Reason(errno));
      RemoveTemporary(p.temp);
    } else {
      Untrack(p.temp);
    }
  }
  pending_.clear();
  return errors;
}

void RemoveTemporariesOnSignals() {
  struct sigaction sa {};
  sa.sa_handler = RemoveTemporariesAndDie;
  sigemptyset(&sa.sa_mask);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
    sigaddset(&sa.sa_mask, sig);
  }
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(sig, &sa, nullptr);
}

}  // namespace gs
