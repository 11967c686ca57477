#include "platform/temporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/hash.h"

namespace gs {

namespace {

// ---------------------------------------------------------------------------
// Names and owners
// ---------------------------------------------------------------------------

constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr std::size_t kMarkerChars = 6;

std::string Base36(std::uint64_t v) {
  std::string s;
  do s.insert(s.begin(), kDigits[v % 36]), v /= 36;
  while (v);
  return s;
}

// A hash of some text in kMarkerChars letters.
std::string Marker(std::string_view text) {
  std::uint64_t h = Fnv1a64(text);
  std::string s(kMarkerChars, '0');
  for (char& c : s) c = kDigits[h % 36], h /= 36;
  return s;
}

// Up to size - 1 bytes of a small file of the kernel's, or "" when unreadable.
std::string ReadKernelFile(const char* path, char* buf, std::size_t size) {
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  const ssize_t n = ::read(fd, buf, size - 1);
  ::close(fd);
  return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

// When the process started, in clock ticks since boot; 0 when it is gone
// (or there is no /proc to ask).
std::uint64_t StartTimeOf(std::uint64_t pid) {
  char path[48], buf[1024];
  std::snprintf(path, sizeof path, "/proc/%llu/stat", static_cast<unsigned long long>(pid));
  const std::string stat = ReadKernelFile(path, buf, sizeof buf);
  // The command's name may hold anything, ')' too: the fields follow the last one.
  const auto close = stat.rfind(')');
  if (close == std::string::npos) return 0;
  const char* p = stat.c_str() + close + 1;
  // The start time is the 22nd field; the third is the first after the name.
  for (int field = 3; field < 22 && *p; ++field) {
    while (*p == ' ') ++p;
    while (*p && *p != ' ') ++p;
  }
  return std::strtoull(p, nullptr, 10);
}

// Whose a temporary is. The machine's marker also names the pid namespace,
// whose processes alone /proc shows.
struct Owner {
  std::string machine, boot;
  std::uint64_t pid = 0, start = 0;
};

// Worked out again in a forked child, which has a process of its own.
const Owner& Self() {
  static std::mutex guard;
  static Owner self;
  const std::lock_guard<std::mutex> lock(guard);
  const auto pid = static_cast<std::uint64_t>(::getpid());
  if (self.pid == pid) return self;
  if (self.machine.empty()) {
    char buf[128];
    utsname host{};
    std::string machine = ::uname(&host) == 0 ? host.nodename : "";
    struct stat ns {};
    if (::stat("/proc/self/ns/pid", &ns) == 0) machine += "/" + std::to_string(ns.st_ino);
    self.machine = Marker(machine);
    self.boot = Marker(ReadKernelFile("/proc/sys/kernel/random/boot_id", buf, sizeof buf));
  }
  self.pid = pid;
  self.start = StartTimeOf(pid);
  return self;
}

constexpr std::string_view kPrefix = ".gs-";

bool AllDigits36(std::string_view s) {
  if (s.empty() || s.size() > 13) return false;
  for (char c : s)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'))) return false;
  return true;
}

std::uint64_t FromBase36(std::string_view s) {
  std::uint64_t v = 0;
  for (char c : s) v = v * 36 + static_cast<std::uint64_t>(c <= '9' ? c - '0' : c - 'a' + 10);
  return v;
}

// The owner a name states; false for any other name.
bool ParseName(std::string_view name, Owner& o) {
  if (!name.starts_with(kPrefix)) return false;
  name.remove_prefix(kPrefix.size());
  std::string_view parts[4];
  for (int i = 0; i < 4; ++i) {
    const auto dash = name.find('-');
    if ((dash == std::string_view::npos) != (i == 3)) return false;
    parts[i] = name.substr(0, dash);
    if (!AllDigits36(parts[i])) return false;
    name.remove_prefix(i == 3 ? name.size() : dash + 1);
  }
  if (parts[0].size() != 2 * kMarkerChars) return false;
  o.machine = parts[0].substr(0, kMarkerChars);
  o.boot = parts[0].substr(kMarkerChars);
  o.pid = FromBase36(parts[1]);
  o.start = FromBase36(parts[2]);
  return true;
}

// The names of earlier versions: ".gs" and 8 letters or digits.
bool IsShortName(const char* name) {
  if (std::strncmp(name, ".gs", 3) != 0 || std::strlen(name) != 11) return false;
  for (const char* c = name + 3; *c; ++c)
    if (!((*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9'))) return false;
  return true;
}

// ---------------------------------------------------------------------------
// The table a signal handler cleans
// ---------------------------------------------------------------------------

// C strings in lock-free slots, so that the handler finds them without
// allocating; enough for a whole group of the largest batch.
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

// The handler's two ways: obey at once (remove, then end), or, while a
// StopSignalsNoted lives, note the first signal and let the batch end in order.
std::atomic<bool> g_noteFirst{false};
std::atomic<int> g_noted{0};

void OnStopSignal(int sig) {
  if (g_noteFirst.load(std::memory_order_relaxed)) {
    int none = 0;
    if (g_noted.compare_exchange_strong(none, sig)) return;
  }
  for (std::atomic<char*>& slot : g_live)
    if (char* p = slot.exchange(nullptr)) ::unlink(p);
  // The default action gives the usual status, 128 + the signal.
  ::signal(sig, SIG_DFL);
  ::raise(sig);
}

void InstallHandlers() {
  struct sigaction sa {};
  sa.sa_handler = OnStopSignal;
  // No SA_RESTART: a batch waiting for the next name of its list learns of
  // the signal at once.
  sa.sa_flags = 0;
  sigemptyset(&sa.sa_mask);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&sa.sa_mask, sig);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(sig, &sa, nullptr);
}

// Asked for by RemoveTemporariesOnSignals, put in place before the first
// temporary is named: a call that writes only new files spends no system
// calls on it.
std::atomic<bool> g_cleanupWanted{false};
pthread_once_t g_handlersOnce = PTHREAD_ONCE_INIT;

}  // namespace

void RemoveTemporariesOnSignals() { g_cleanupWanted.store(true, std::memory_order_relaxed); }

StopSignalsNoted::StopSignalsNoted() {
  g_noted.store(0);
  g_noteFirst.store(true);
  ::pthread_once(&g_handlersOnce, InstallHandlers);
}

StopSignalsNoted::~StopSignalsNoted() { g_noteFirst.store(false); }

int StopSignalsNoted::Noted() { return g_noted.load(); }

std::string TemporaryName(const std::string& folder) {
  static std::atomic<std::uint64_t> count{0};
  const Owner& me = Self();
  std::string name = folder;
  name.append("/").append(kPrefix).append(me.machine).append(me.boot);
  name.append("-").append(Base36(me.pid)).append("-").append(Base36(me.start));
  name.append("-").append(Base36(count.fetch_add(1, std::memory_order_relaxed)));
  return name;
}

int TrackTemporary(const std::string& path) {
  if (g_cleanupWanted.load(std::memory_order_relaxed))
    ::pthread_once(&g_handlersOnce, InstallHandlers);
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
void UntrackTemporary(int& slot) {
  if (slot < 0) return;
  if (char* p = g_live[slot].exchange(nullptr)) std::free(p);
  slot = -1;
}

void RemoveTemporary(const std::string& path, int& slot) {
  ::unlink(path.c_str());
  UntrackTemporary(slot);
}

void SweepStaleTemporaries(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const int dfd = ::dirfd(dir);
  const Owner& me = Self();
  timespec clock{};
  ::clock_gettime(CLOCK_REALTIME, &clock);
  std::vector<std::pair<std::uint64_t, std::uint64_t>> started;  // pid, start time
  auto over = [&](const Owner& o) {
    if (o.boot != me.boot) return true;
    if (o.pid == me.pid) return o.start != me.start;
    for (const auto& [pid, start] : started)
      if (pid == o.pid) return start != o.start;
    started.emplace_back(o.pid, StartTimeOf(o.pid));
    return started.back().second != o.start;
  };
  while (const dirent* e = ::readdir(dir)) {
    Owner o;
    const bool named = ParseName(e->d_name, o);
    if (!named && !IsShortName(e->d_name)) continue;
    struct stat st {};
    if (::fstatat(dfd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
        st.st_uid != ::geteuid())
      continue;
    // Where the owner cannot be asked (another machine, no /proc), an hour
    // without a change says the run is over.
    const bool askable = named && o.machine == me.machine && me.start != 0;
    if (askable ? !over(o) : clock.tv_sec - st.st_mtime < 3600) continue;
    ::unlinkat(dfd, e->d_name, 0);
  }
  ::closedir(dir);
}

}  // namespace gs
