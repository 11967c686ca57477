#include "platform/settings_store.h"

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/file_access.h"
#include "platform/text_util.h"

namespace gs {
namespace {

std::mutex g_mutex;
std::string g_folderOverride;

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

Store Parse(const std::string& bytes) {
  Store store;
  Section* current = nullptr;
  for (std::string_view line : SplitLines(bytes)) {
    if (line.empty()) continue;
    if (line.front() == '[') {
      std::size_t close = line.find(']');
      if (close == std::string_view::npos) {
        current = nullptr;  // a damaged header: its entries cannot be trusted
        continue;
      }
      store.push_back({Unescape(line.substr(1, close - 1)), {}});
      current = &store.back();
      continue;
    }
    if (!current || line.front() == ';') continue;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    current->entries.push_back({Unescape(line.substr(0, eq)), Unescape(line.substr(eq + 1))});
  }
  return store;
}

std::string Serialize(const Store& store) {
  std::string out;
  for (const Section& s : store) {
    if (!out.empty()) out += '\n';
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

void Set(Store& store, const std::string& section, const std::string& key,
         const std::string& value) {
  for (Section& s : store) {
    if (!EqualsIgnoreCase(s.name, section)) continue;
    for (Entry& e : s.entries) {
      if (EqualsIgnoreCase(e.key, key)) {
        e.value = value;
        return;
      }
    }
    s.entries.push_back({key, value});
    return;
  }
  store.push_back({section, {{key, value}}});
}

std::string FolderLocked() {
  if (!g_folderOverride.empty()) return g_folderOverride;
  if (const char* dir = std::getenv("GLYPHSMITH_CONFIG_DIR"); dir && *dir) return dir;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg && xdg[0] == '/')
    return std::string(xdg) + "/" + kSettingsAppName;
  const char* home = std::getenv("HOME");
  std::string base = (home && *home) ? home : "/tmp";
  return base + "/.config/" + kSettingsAppName;
}

std::string FileIn(const std::string& folder) { return folder + "/settings.ini"; }

constexpr std::size_t kMaxStoreBytes = std::size_t{16} << 20;

Store LoadLocked(const std::string& folder) {
  std::string bytes;
  return ReadFileLimited(FileIn(folder), kMaxStoreBytes, bytes) == ReadResult::kOk ? Parse(bytes)
                                                                                   : Store{};
}

bool SaveLocked(const std::string& folder, const std::string& section, const std::string& key,
                const std::string& value) {
  std::string file = FileIn(folder);
  std::string bytes;
  ReadResult read = ReadFileLimited(file, kMaxStoreBytes, bytes);
  // An existing store that cannot be read must not be replaced by a nearly empty one.
  if (read == ReadResult::kFailed) return false;
  Store store = read == ReadResult::kOk ? Parse(bytes) : Store{};
  Set(store, section, key, value);
  if (!MakeFolders(folder)) return false;
  return WriteFileReplacing(file, Serialize(store));
}

std::string AppSection(const std::string& appName, const std::string& section) {
  return "App\\" + appName + "\\" + section;
}

std::string RegistrySection(RegistryRoot, const std::string& keyPath) {
  return "HKEY_CURRENT_USER\\" + keyPath;
}

}  // namespace

std::string SettingsFolder() {
  std::lock_guard lock(g_mutex);
  return FolderLocked();
}

void SetSettingsFolder(const std::string& folder) {
  std::lock_guard lock(g_mutex);
  g_folderOverride = folder;
}

std::string SettingsFilePath() { return FileIn(SettingsFolder()); }

std::string SettingsStore::Get(const std::string& appName, const std::string& section,
                               const std::string& key, const std::string& defaultValue) const {
  std::lock_guard lock(g_mutex);
  Store store = LoadLocked(folder_);
  const std::string* value = Find(store, AppSection(appName, section), key);
  return value ? *value : defaultValue;
}

bool SettingsStore::Save(const std::string& appName, const std::string& section,
                         const std::string& key, const std::string& value) const {
  std::lock_guard lock(g_mutex);
  return SaveLocked(folder_, AppSection(appName, section), key, value);
}

std::string SettingsStore::ReadRegistry(RegistryRoot root, const std::string& keyPath,
                                        const std::string& valueName) const {
  std::lock_guard lock(g_mutex);
  Store store = LoadLocked(folder_);
  const std::string* value = Find(store, RegistrySection(root, keyPath), valueName);
  if (!value) return {};
  return value->substr(0, value->find('\0'));
}

bool SettingsStore::WriteRegistry(RegistryRoot root, const std::string& keyPath,
                                  const std::string& valueName, const std::string& text) const {
  std::lock_guard lock(g_mutex);
  return SaveLocked(folder_, RegistrySection(root, keyPath), valueName, text);
}

std::string GetSetting(const std::string& appName, const std::string& section,
                       const std::string& key, const std::string& defaultValue) {
  return SettingsStore(SettingsFolder()).Get(appName, section, key, defaultValue);
}

bool SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                 const std::string& value) {
  return SettingsStore(SettingsFolder()).Save(appName, section, key, value);
}

std::string ReadRegistryString(RegistryRoot root, const std::string& keyPath,
                               const std::string& valueName) {
  return SettingsStore(SettingsFolder()).ReadRegistry(root, keyPath, valueName);
}

bool WriteRegistryString(RegistryRoot root, const std::string& keyPath,
                         const std::string& valueName, const std::string& text) {
  return SettingsStore(SettingsFolder()).WriteRegistry(root, keyPath, valueName, text);
}

}  // namespace gs
