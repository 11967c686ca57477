#include "platform/settings_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/file_access.h"
#include "platform/home_folder.h"
#include "platform/safe_file.h"
#include "platform/text_util.h"

namespace gs {
namespace {

std::mutex g_mutex;

struct Entry {
  std::string key;
  std::string value;
};
struct Section {
  std::string name;
  std::vector<Entry> entries;
};
using Store = std::vector<Section>;

// Percent-escapes what would break the line layout: '%', control bytes, and
// in names also the characters that delimit sections and keys.
std::string Escape(const std::string& text, bool isName) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    bool escape = c < 0x20 || c == 0x7F || c == '%' ||
                  (isName && (c == '=' || c == '[' || c == ']' || c == ';'));
    if (escape) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      int hi = HexValue(text[i + 1]), lo = HexValue(text[i + 2]);
      if (hi >= 0 && lo >= 0) {
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

// `damaged` tells of lines this store never writes (a damaged header, text
// that is no entry, control bytes): such a file is kept aside before it is replaced.
Store Parse(const std::string& bytes, bool& damaged) {
  Store store;
  Section* current = nullptr;
  damaged = bytes.find('\0') != std::string::npos;
  for (std::string_view line : SplitLines(bytes)) {
    if (line.empty()) continue;
    if (line.front() == '[') {
      std::size_t close = line.find(']');
      if (close == std::string_view::npos) {
        current = nullptr;  // a damaged header: its entries cannot be trusted
        damaged = true;
        continue;
      }
      store.push_back({Unescape(line.substr(1, close - 1)), {}});
      current = &store.back();
      continue;
    }
    if (line.front() == ';') continue;
    std::size_t eq = line.find('=');
    if (!current || eq == std::string_view::npos) {
      damaged = true;
      continue;
    }
    current->entries.push_back({Unescape(line.substr(0, eq)), Unescape(line.substr(eq + 1))});
  }
  return store;
}

// No blank lines: a store written again is byte for byte the same.
std::string Serialize(const Store& store) {
  std::string out;
  for (const Section& s : store) {
    out += '[' + Escape(s.name, true) + "]\n";
    for (const Entry& e : s.entries)
      out += Escape(e.key, true) + '=' + Escape(e.value, false) + '\n';
  }
  return out;
}

const std::string* Find(const Store& store, const std::string& section, const std::string& key) {
  for (const Section& s : store) {
    if (!EqualsIgnoreCase(s.name, section)) continue;
    for (const Entry& e : s.entries)
      if (EqualsIgnoreCase(e.key, key)) return &e.value;
    return nullptr;  // the first section of that name is the one that counts
  }
  return nullptr;
}

// False when the store already held that value.
bool Set(Store& store, const std::string& section, const std::string& key,
         const std::string& value) {
  for (Section& s : store) {
    if (!EqualsIgnoreCase(s.name, section)) continue;
    for (Entry& e : s.entries) {
      if (EqualsIgnoreCase(e.key, key)) {
        if (e.value == value) return false;
        e.value = value;
        return true;
      }
    }
    s.entries.push_back({key, value});
    return true;
  }
  store.push_back({section, {{key, value}}});
  return true;
}

// A change to the store, made again on what the file holds when it is written
// (under the lock), so that what another copy of the editor saved in between
// stays. True when it changed something.
struct Change {
  std::string folder;
  std::function<bool(Store&)> apply;
};

Change SetChange(const std::string& folder, const std::string& section, const std::string& key,
                 const std::string& value) {
  return {folder, [=](Store& store) { return Set(store, section, key, value); }};
}

std::vector<Change> g_pending;  // a write group's saves, made again at its end
// Saves that found the lock held by another program: nothing is lost, they
// go with the next write to their folder and reads see them until then.
std::vector<Change> g_unsaved;

bool HasUnsaved(const std::string& folder) {
  for (const Change& c : g_unsaved)
    if (c.folder == folder) return true;
  return false;
}

std::string ChosenFolder() {
  if (const char* dir = std::getenv("GLYPHSMITH_CONFIG_DIR"); dir && *dir) return dir;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg && xdg[0] == '/')
    return std::string(xdg) + "/" + kSettingsAppName;
  std::string base = HomeFolder();
  // No home at all: nowhere that is the user's own, so nothing is saved (the
  // first save tells why) rather than a shared folder such as /tmp.
  if (base.empty()) return "";
  return base + "/.config/" + kSettingsAppName;
}

// A few KiB in use; anything near this is not ours and is set aside whole.
constexpr std::size_t kMaxStoreBytes = std::size_t{1} << 20;

// The store as read, kept for the rest of the run. It is read again only when
// the file changes under it (another copy of the editor saved).
struct Loaded {
  bool valid = false;
  std::string folder;
  std::string file;
  struct stat id {};
  bool present = false;
  bool unreadable = false;  // there but not readable: never replaced
  bool damaged = false;     // replaced only after a copy is kept aside
  Store store;
};
Loaded g_loaded;
int g_groupDepth = 0;
bool g_groupDirty = false;
bool g_failureTold = false;
std::function<void(SettingsFailure, const std::string&)> g_failureHandler;

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

Loaded& LoadLocked(const std::string& folder) {
  const std::string file = folder.empty() ? std::string() : folder + "/settings.ini";
  struct stat st {};
  const bool present = ::stat(file.c_str(), &st) == 0;
  const int statError = present ? 0 : errno;
  if (g_loaded.valid && g_loaded.file == file) {
    // Changes held back by a write group are newer than the file.
    if (g_groupDirty) return g_loaded;
    if (present == g_loaded.present && (!present || SameFile(st, g_loaded.id))) return g_loaded;
  }
  g_loaded = Loaded{};
  g_loaded.valid = true;
  g_loaded.folder = folder;
  g_loaded.file = file;
  g_loaded.present = present;
  if (present) g_loaded.id = st;
  if (!present) {
    g_loaded.unreadable = statError != ENOENT && statError != ENOTDIR;
  } else if (S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) > kMaxStoreBytes) {
    g_loaded.damaged = true;
  } else if (std::string bytes; ReadFileLimited(file, kMaxStoreBytes, bytes) != ReadResult::kOk) {
    g_loaded.unreadable = true;
  } else {
    g_loaded.store = Parse(bytes, g_loaded.damaged);
  }
  if (!g_loaded.unreadable)
    for (const Change& c : g_unsaved)
      if (c.folder == folder) c.apply(g_loaded.store);
  return g_loaded;
}

// Writes the store in memory to the file. Returns "" or the reason it failed.
std::string WriteLocked() {
  Loaded& l = g_loaded;
  // An existing store that cannot be read must not be replaced by a nearly empty one.
  if (l.unreadable) return l.file + ": the settings file cannot be read";
  if (!MakeFolders(l.folder)) return l.folder + ": " + std::strerror(errno);
  if (l.damaged && l.present) {
    // What could not be understood is kept aside, never silently dropped.
    if (::rename(l.file.c_str(), (l.file + ".damaged").c_str()) != 0)
      return l.file + ": " + std::strerror(errno);
    l.damaged = false;
    l.present = false;
  }
  const std::string bytes = Serialize(l.store);
  const WriteStatus st = WriteFileSafely(
      l.file, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  if (!st) return st.error;
  l.present = ::stat(l.file.c_str(), &l.id) == 0;
  return "";
}

// What was not saved is not kept either: the next read sees the file again.
std::string WriteOrForget() {
  std::string failure = WriteLocked();
  if (!failure.empty()) g_loaded.valid = false;
  return failure;
}

void PauseTenMilliseconds() {
  const timespec tenMs{0, 10'000'000};
  ::nanosleep(&tenMs, nullptr);
}

SettingsLockWait g_lockWait{kSettingsLockAttempts, PauseTenMilliseconds};

// Another copy of the editor may save between our read and our rename: the
// read-modify-write of the file runs under an exclusive lock on a file beside
// it, and always starts from what the file holds then. The lock is tried
// without blocking, a bounded number of times: a program that holds it for
// long must not freeze the editor's window.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder)
      : fd_(::open((folder + "/settings.ini.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    // Without a lock file (a read-only folder) the write itself will fail and
    // say so; a file system without locks is written unlocked, as before.
    if (fd_ < 0) return;
    for (int attempt = 1;; ++attempt) {
      if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return;
      if (errno == EINTR) continue;
      if (errno != EWOULDBLOCK) return;
      if (attempt >= g_lockWait.attempts) break;
      g_lockWait.pause();
    }
    busy_ = true;
  }
  ~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  bool Busy() const { return busy_; }

 private:
  int fd_;
  bool busy_ = false;
};

struct Failure {
  SettingsFailure kind = SettingsFailure::NotWritten;
  std::string reason;  // empty: no failure
};

Failure NotWritten(std::string reason) { return {SettingsFailure::NotWritten, std::move(reason)}; }

// True when the file already holds what `changes` would make of it, so that
// nothing need be written nor waited for.
bool AlreadyStored(const std::string& folder, const std::vector<Change>& changes) {
  if (HasUnsaved(folder)) return false;
  g_loaded.valid = false;  // a group's changes are in memory already: the file itself
  const Loaded& l = LoadLocked(folder);
  if (l.unreadable || (l.damaged && l.present)) return false;
  Store copy = l.store;
  for (const Change& c : changes)
    if (c.apply(copy)) return false;
  return true;
}

Failure WriteChanges(const std::string& folder, std::vector<Change> changes) {
  // Every start saves the language and every quit the recent files: a lock
  // held elsewhere must not hold them up when they change nothing.
  if (AlreadyStored(folder, changes)) return {};
  if (!MakeFolders(folder)) return NotWritten(folder + ": " + std::strerror(errno));
  FolderLock lock(folder);
  if (lock.Busy()) {
    for (Change& c : changes) g_unsaved.push_back(std::move(c));
    g_loaded.valid = false;  // read again with them applied
    return {SettingsFailure::Busy, folder + "/settings.ini: locked by another program"};
  }
  g_loaded.valid = false;
  Loaded& l = LoadLocked(folder);  // with the saves kept from a busy lock
  if (l.unreadable) return NotWritten(l.file + ": the settings file cannot be read");
  bool changed = HasUnsaved(folder);
  for (const Change& c : changes) changed = c.apply(l.store) || changed;
  // Saving what is already stored costs a flush and a rename for nothing (every
  // start saves the language and the recent files); a damaged store is still
  // set aside and rewritten.
  if (!changed && !(l.damaged && l.present)) return {};
  Failure failure = NotWritten(WriteOrForget());
  if (failure.reason.empty())
    std::erase_if(g_unsaved, [&](const Change& c) { return c.folder == folder; });
  return failure;
}

// A group only notes the change for its end.
Failure SaveLocked(const std::string& folder, Change change) {
  if (folder.empty())
    return NotWritten("there is no home folder (HOME is unset and the user has no entry)");
  if (g_groupDepth == 0) return WriteChanges(folder, {std::move(change)});
  Loaded& l = LoadLocked(folder);
  if (l.unreadable) return NotWritten(l.file + ": the settings file cannot be read");
  change.apply(l.store);
  g_groupDirty = true;
  g_pending.push_back(std::move(change));
  return {};
}

// Tells the user (once per run that the store cannot be written; each time
// another program's lock kept a save out); called without the lock held, as
// the handler may show a window.
bool Report(const Failure& failure) {
  if (failure.reason.empty()) return true;
  std::function<void(SettingsFailure, const std::string&)> handler;
  {
    std::lock_guard lock(g_mutex);
    if (failure.kind == SettingsFailure::NotWritten) {
      if (g_failureTold) return false;
      g_failureTold = true;
    }
    handler = g_failureHandler;
  }
  if (handler) handler(failure.kind, failure.reason);
  return false;
}

std::string AppSection(const std::string& appName, const std::string& section) {
  return "App\\" + appName + "\\" + section;
}

std::string RegistrySection(RegistryRoot, const std::string& keyPath) {
  return "HKEY_CURRENT_USER\\" + keyPath;
}

}  // namespace

std::string SettingsFolder() { return ChosenFolder(); }

std::string SettingsStore::Get(const std::string& appName, const std::string& section,
                               const std::string& key, const std::string& defaultValue) const {
  std::lock_guard lock(g_mutex);
  const std::string* value = Find(LoadLocked(folder_).store, AppSection(appName, section), key);
  return value ? *value : defaultValue;
}

bool SettingsStore::Save(const std::string& appName, const std::string& section,
                         const std::string& key, const std::string& value) const {
  Failure failure;
  {
    std::lock_guard lock(g_mutex);
    failure = SaveLocked(folder_, SetChange(folder_, AppSection(appName, section), key, value));
  }
  return Report(failure);
}

std::string SettingsStore::ReadRegistry(RegistryRoot root, const std::string& keyPath,
                                        const std::string& valueName) const {
  std::lock_guard lock(g_mutex);
  const std::string* value =
      Find(LoadLocked(folder_).store, RegistrySection(root, keyPath), valueName);
  if (!value) return {};
  return value->substr(0, value->find('\0'));
}

bool SettingsStore::WriteRegistry(RegistryRoot root, const std::string& keyPath,
                                  const std::string& valueName, const std::string& text) const {
  Failure failure;
  {
    std::lock_guard lock(g_mutex);
    failure =
        SaveLocked(folder_, SetChange(folder_, RegistrySection(root, keyPath), valueName, text));
  }
  return Report(failure);
}

bool SettingsStore::UpdateRegistry(
    RegistryRoot root, const std::string& keyPath, const std::vector<std::string>& valueNames,
    std::function<void(std::vector<std::string>& values)> change) const {
  const std::string section = RegistrySection(root, keyPath);
  auto apply = [section, valueNames, change = std::move(change)](Store& store) {
    std::vector<std::string> values;
    for (const std::string& name : valueNames) {
      const std::string* v = Find(store, section, name);
      values.push_back(v ? v->substr(0, v->find('\0')) : std::string());
    }
    change(values);
    values.resize(valueNames.size());
    bool changed = false;
    for (std::size_t i = 0; i < valueNames.size(); ++i)
      changed = Set(store, section, valueNames[i], values[i]) || changed;
    return changed;
  };
  Failure failure;
  {
    std::lock_guard lock(g_mutex);
    failure = SaveLocked(folder_, {folder_, std::move(apply)});
  }
  return Report(failure);
}

void SetSettingsSaveFailureHandler(
    std::function<void(SettingsFailure kind, const std::string& reason)> handler) {
  std::lock_guard lock(g_mutex);
  g_failureHandler = std::move(handler);
  g_failureTold = false;
}

void SetSettingsLockWait(SettingsLockWait wait) {
  std::lock_guard lock(g_mutex);
  if (!wait.pause) wait.pause = PauseTenMilliseconds;
  g_lockWait = std::move(wait);
}

SettingsWriteGroup::SettingsWriteGroup() {
  std::lock_guard lock(g_mutex);
  ++g_groupDepth;
}

SettingsWriteGroup::~SettingsWriteGroup() { Finish(); }

bool SettingsWriteGroup::Finish() {
  if (finished_) return ok_;
  finished_ = true;
  Failure failure;
  {
    std::lock_guard lock(g_mutex);
    if (--g_groupDepth == 0 && g_groupDirty) {
      g_groupDirty = false;
      std::vector<Change> pending = std::move(g_pending);
      g_pending.clear();
      // One write per folder, in the order the folders were first saved to;
      // the first failure is the one told.
      while (!pending.empty()) {
        const std::string folder = pending.front().folder;
        std::vector<Change> here, rest;
        for (Change& c : pending) (c.folder == folder ? here : rest).push_back(std::move(c));
        Failure f = WriteChanges(folder, std::move(here));
        if (failure.reason.empty()) failure = std::move(f);
        pending = std::move(rest);
      }
    }
  }
  ok_ = Report(failure);
  return ok_;
}

}  // namespace gs
