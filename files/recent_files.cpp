#include "files/recent_files.h"

#include <cstdint>

#include "platform/settings_store.h"
#include "platform/text_util.h"

namespace gs {

namespace {

// One character at i; an invalid byte comes back as itself, marked by the
// high bit above the Unicode range, so it only ever equals the same byte.
std::uint32_t NextCodePoint(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<std::uint8_t>(s[i]);
  std::uint32_t cp = 0;
  return DecodeUtf8(s, i, cp) ? cp : (0x80000000u | b0);
}

std::uint32_t FoldCase(std::uint32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;    // Latin-1, not the multiplication sign
  if (c >= 0x100 && c <= 0x137 && c != 0x130) return c | 1;  // Latin Extended-A pairs
  if (c >= 0x139 && c <= 0x148) return (c & 1) ? c + 1 : c;
  if (c >= 0x14A && c <= 0x177) return c | 1;
  if (c == 0x178) return 0xFF;
  if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c + 1 : c;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;  // Greek
  if (c >= 0x410 && c <= 0x42F) return c + 32;                // Cyrillic
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  return c;
}

std::string SlotName(int n) { return "File" + std::to_string(n); }

}  // namespace

bool PathsEqualIgnoreCase(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (FoldCase(NextCodePoint(a, i)) != FoldCase(NextCodePoint(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}

namespace {

void MoveToHead(std::array<std::string, kRecentSlots>& s, const std::string& path) {
  // The slot the path already holds shifts out; a new path pushes slot 4 out.
  int from = kRecentSlots - 1;
  for (int k = 0; k < kRecentSlots - 1; ++k) {
    if (PathsEqualIgnoreCase(s[k], path)) {
      from = k;
      break;
    }
  }
  if (from == 0) return;
  for (int k = from; k > 0; --k) s[k] = s[k - 1];
  s[0] = path;
}

void DropSlot(std::array<std::string, kRecentSlots>& s, int k) {
  for (; k < kRecentSlots - 1; ++k) s[k] = s[k + 1];
  s[kRecentSlots - 1].clear();
}

// Far more than a session opens by hand; only the newest changes matter.
constexpr std::size_t kMaxRecentChanges = 64;

void Note(RecentFiles& recent, bool added, const std::string& path) {
  auto& c = recent.changes;
  std::erase_if(c, [&](const RecentChange& e) { return PathsEqualIgnoreCase(e.path, path); });
  if (c.size() >= kMaxRecentChanges) c.erase(c.begin());
  c.push_back({added, path});
}

}  // namespace

void AddRecentFile(RecentFiles& recent, const std::string& path) {
  MoveToHead(recent.paths, path);
  Note(recent, true, path);
}

void RemoveRecentFile(RecentFiles& recent, int n) {
  if (n < 1 || n > kRecentSlots) return;
  if (!recent.paths[n - 1].empty()) Note(recent, false, recent.paths[n - 1]);
  DropSlot(recent.paths, n - 1);
}

void ApplyRecentChanges(std::array<std::string, kRecentSlots>& list,
                        const std::vector<RecentChange>& changes) {
  for (const RecentChange& c : changes) {
    if (c.added) {
      MoveToHead(list, c.path);
      continue;
    }
    for (int k = 0; k < kRecentSlots; ++k)
      if (!list[k].empty() && PathsEqualIgnoreCase(list[k], c.path)) DropSlot(list, k--);
  }
}

std::array<RecentMenuEntry, kRecentSlots> RecentMenuEntries(const RecentFiles& recent) {
  std::array<RecentMenuEntry, kRecentSlots> out;
  for (int k = 0; k < kRecentSlots; ++k) {
    out[k].caption = std::to_string(k + 1) + ". " + PrintableText(recent.paths[k]);
    out[k].enabled = !recent.paths[k].empty();
  }
  return out;
}

RecentFiles LoadRecentFiles(const SettingsStore& store) {
  RecentFiles recent;
  for (int k = 0; k < kRecentSlots; ++k)
    recent.paths[k] =
        store.ReadRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, SlotName(k + 1));
  return recent;
}

bool SaveRecentFiles(const SettingsStore& store, const RecentFiles& recent) {
  std::vector<std::string> names;
  for (int k = 0; k < kRecentSlots; ++k) names.push_back(SlotName(k + 1));
  return store.UpdateRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, names,
                              [changes = recent.changes](std::vector<std::string>& values) {
                                std::array<std::string, kRecentSlots> list;
                                for (int k = 0; k < kRecentSlots; ++k)
                                  list[k] = std::move(values[k]);
                                ApplyRecentChanges(list, changes);
                                values.assign(list.begin(), list.end());
                              });
}

}  // namespace gs
