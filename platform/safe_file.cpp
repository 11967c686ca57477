#include "platform/safe_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
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
#include <optional>
#include <system_error>
#include <thread>

#include "platform/safe_write_batch.h"
#include "platform/temporaries.h"

namespace gs {

namespace {

std::string Reason(int err) { return std::strerror(err); }

// The files being written right now (temporaries, and new files under their
// own name until they are whole), where a signal handler can find them
// without allocating: C strings in lock-free slots, enough for a whole group
// of the largest batch. Beyond the slots a file is simply not cleaned up on a
// signal.
constexpr unsigned kLiveSlots = 8192;
// Placed after every other variable (an x86-64 section for large data): the
// first slots then share a page with the small ones, and the table does not
// push the runtime's variables onto pages of their own, which each call
// would fault in.
#if defined(__x86_64__)
#define GS_AFTER_OTHER_VARIABLES __attribute__((section(".lbss")))
#else
#define GS_AFTER_OTHER_VARIABLES
#endif
GS_AFTER_OTHER_VARIABLES std::atomic<char*> g_live[kLiveSlots];
std::atomic<unsigned> g_liveCursor{0};

// While a new file is being created the handler only notes the signal: the
// file may exist before its slot is filled, and it must not outlive the run.
std::atomic<bool> g_creating{false};
std::atomic<int> g_deferredSignal{0};

// The slot, or -1 when none was free.
int Track(const std::string& path) {
  char* copy = ::strdup(path.c_str());
  if (!copy) return -1;
  const unsigned start = g_liveCursor.fetch_add(1, std::memory_order_relaxed);
  for (unsigned i = 0; i < kLiveSlots; ++i) {
    const unsigned slot = (start + i) % kLiveSlots;
    char* expected = nullptr;
    if (g_live[slot].compare_exchange_strong(expected, copy)) return static_cast<int>(slot);
  }
  std::free(copy);
  return -1;
}

// Also from the threads that rename; the handler may have emptied the slot.
void Untrack(int& slot) {
  if (slot < 0) return;
  if (char* p = g_live[slot].exchange(nullptr)) std::free(p);
  slot = -1;
}

void RemoveTemporary(const std::string& temp, int& slot) {
  ::unlink(temp.c_str());
  Untrack(slot);
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
  timespec clock{};
  ::clock_gettime(CLOCK_REALTIME, &clock);
  const time_t now = clock.tv_sec;
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
  if (g_creating.load(std::memory_order_relaxed)) {
    g_deferredSignal.store(sig, std::memory_order_relaxed);
    return;
  }
  for (std::atomic<char*>& slot : g_live)
    if (char* p = slot.exchange(nullptr)) ::unlink(p);
  // The default action gives the usual status, 128 + the signal.
  ::signal(sig, SIG_DFL);
  ::raise(sig);
}

// Asked for by RemoveTemporariesOnSignals, put in place before the first
// file is created: a call that writes nothing spends no system calls on it.
std::atomic<bool> g_cleanupWanted{false};
pthread_once_t g_cleanupOnce = PTHREAD_ONCE_INIT;

void InstallCleanupHandlers() {
  struct sigaction sa {};
  sa.sa_handler = RemoveTemporariesAndDie;
  // A signal noted while a new file is created lets the open go on.
  sa.sa_flags = SA_RESTART;
  sigemptyset(&sa.sa_mask);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
    sigaddset(&sa.sa_mask, sig);
  }
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(sig, &sa, nullptr);
}

void BeforeCreatingAFile() {
  if (g_cleanupWanted.load(std::memory_order_relaxed))
    ::pthread_once(&g_cleanupOnce, InstallCleanupHandlers);
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

WriteStatus ResolveTarget(const std::string& requested, Target& t) {
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
  if (::access(t.path.c_str(), W_OK) != 0) return WriteStatus::Failure(requested, Reason(errno));
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

// Writes bytes into a fresh temporary in `folder`; on success `temp` names it
// and `slot` tracks it. A replacing file gets the old one's mode (the umask
// may have cut it).
WriteStatus WriteTemporary(const std::string& requested, const std::string& folder, const Target& t,
                           std::span<const std::uint8_t> bytes, bool flush, std::string& temp,
                           int& slot) {
  BeforeCreatingAFile();
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = TemporaryName(folder);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, t.mode);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return WriteStatus::Failure(requested, Reason(errno));
  slot = Track(temp);
  int err = 0;
  bool ok = WriteAllTo(fd, bytes, err);
  if (ok && t.existed && ::fchmod(fd, t.mode) != 0) ok = false, err = errno;
  if (ok && flush && ::fdatasync(fd) != 0) ok = false, err = errno;
  if (::close(fd) != 0 && ok) ok = false, err = errno;
  if (!ok) {
    RemoveTemporary(temp, slot);
    return WriteStatus::Failure(requested, Reason(err));
  }
  return WriteStatus::Success();
}

enum class Created { Written, Exists, Failed };

// Creates `path` only if nothing has that name, and writes it. Until it is
// whole a signal removes it, and a failed write leaves nothing behind.
Created CreateNewFile(const std::string& path, std::span<const std::uint8_t> bytes, int& err) {
  BeforeCreatingAFile();
  g_creating.store(true, std::memory_order_relaxed);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  err = fd < 0 ? errno : 0;
  int slot = fd >= 0 ? Track(path) : -1;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  g_creating.store(false, std::memory_order_relaxed);
  if (const int sig = g_deferredSignal.exchange(0)) RemoveTemporariesAndDie(sig);
  if (fd < 0) return err == EEXIST ? Created::Exists : Created::Failed;
  bool ok = WriteAllTo(fd, bytes, err);
  // Whole: a signal from here on leaves it.
  if (ok) Untrack(slot);
  if (::close(fd) != 0 && ok) ok = false, err = errno;
  if (!ok) {
    ::unlink(path.c_str());
    Untrack(slot);
    return Created::Failed;
  }
  return Created::Written;
}

// Most outputs are new files: created under their own name only if it is
// free, they need no temporary, no rename and no look at the target first,
// which keeps a one-shot conversion as cheap as a plain write. A name that
// exists (a file, or a link to follow) resolves `t` for the careful way and
// gives nothing; otherwise the outcome.
std::optional<WriteStatus> CreateOrResolve(const std::string& path,
                                           std::span<const std::uint8_t> bytes, Target& t) {
  if (path.empty()) return WriteStatus::Failure(path, "empty file name");
  int err = 0;
  switch (CreateNewFile(path, bytes, err)) {
    case Created::Written:
      return WriteStatus::Success();
    case Created::Failed:
      return WriteStatus::Failure(path, Reason(err));
    case Created::Exists:
      break;
  }
  if (WriteStatus st = ResolveTarget(path, t); !st) return st;
  return std::nullopt;
}

}  // namespace

WriteStatus WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes) {
  Target t;
  if (std::optional<WriteStatus> done = CreateOrResolve(path, bytes, t)) return *done;
  std::string temp;
  int slot = -1;
  // The flush protects the old file: it must not be replaced by bytes that
  // are not on disk yet.
  if (WriteStatus st = WriteTemporary(path, FolderOf(t.path), t, bytes, t.existed, temp, slot); !st)
    return st;
  if (::rename(temp.c_str(), t.path.c_str()) != 0) {
    const int err = errno;
    RemoveTemporary(temp, slot);
    return WriteStatus::Failure(path, Reason(err));
  }
  Untrack(slot);
  // The folder itself is not flushed: until the rename reaches the disk a
  // crash leaves the old file, which is what this is about.
  return WriteStatus::Success();
}

SafeWriteBatch::~SafeWriteBatch() { Commit(); }

WriteStatus SafeWriteBatch::Add(const std::string& path, std::span<const std::uint8_t> bytes,
                                std::vector<std::string>* committedErrors) {
  if (path.empty()) return WriteStatus::Failure(path, "empty file name");
  if (std::string folder = FolderOf(path); !swept_.contains(folder)) {
    SweepStaleTemporaries(folder);
    swept_.insert(std::move(folder));
  }
  Target t;
  if (std::optional<WriteStatus> done = CreateOrResolve(path, bytes, t)) return *done;
  Pending p{{}, t.path, t.existed, -1};
  if (WriteStatus st = WriteTemporary(path, FolderOf(t.path), t, bytes, false, p.temp, p.slot); !st)
    return st;
  pending_.push_back(std::move(p));
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
  // of them is renamed: one syncfs per folder the group touches instead of
  // one flush per file.
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
      RemoveTemporary(q.temp, q.slot);
      q.temp.clear();
    }
  }
  // The data is durable now, so the renames may go in any order, and they
  // overlap: a disk that discards freed blocks makes the end of each old file
  // wait for its blocks, a wait of latency, not of throughput. That end comes
  // at the rename, under the folder's lock, which would line the waits up
  // again; a handle held on the old file moves it to the handle's close.
  constexpr unsigned kRenamers = 8;
  std::vector<int> failures(pending_.size(), 0);
  std::atomic<std::size_t> next{0};
  auto renameSome = [&] {
    for (std::size_t i; (i = next.fetch_add(1, std::memory_order_relaxed)) < pending_.size();) {
      Pending& p = pending_[i];
      if (p.temp.empty()) continue;
      const int old = p.replaces ? ::open(p.target.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC) : -1;
      if (::rename(p.temp.c_str(), p.target.c_str()) != 0) {
        failures[i] = errno;
        RemoveTemporary(p.temp, p.slot);
      } else {
        Untrack(p.slot);
      }
      if (old >= 0) ::close(old);
    }
  };
  std::vector<std::thread> helpers;
  helpers.reserve(kRenamers);
  if (pending_.size() >= 2 * kRenamers) {
    // Signals stay with this thread, so that their handler never runs beside
    // the code that writes and tracks files.
    sigset_t block, old;
    sigemptyset(&block);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&block, sig);
    ::pthread_sigmask(SIG_BLOCK, &block, &old);
    try {
      for (unsigned k = 1; k < kRenamers; ++k) helpers.emplace_back(renameSome);
    } catch (const std::system_error&) {
      // Fewer helpers: this thread renames the rest.
    }
    ::pthread_sigmask(SIG_SETMASK, &old, nullptr);
  }
  renameSome();
  for (std::thread& h : helpers) h.join();
  for (std::size_t i = 0; i < pending_.size(); ++i)
    if (failures[i]) errors.push_back(pending_[i].target + ": " + Reason(failures[i]));
  pending_.clear();
  return errors;
}

void RemoveTemporariesOnSignals() { g_cleanupWanted.store(true, std::memory_order_relaxed); }

}  // namespace gs
