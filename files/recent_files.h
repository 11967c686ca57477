#pragma once
// The four most recently used files shown at the foot of the File menu, and
// where they are kept between runs.
//
//   RecentFiles recent = LoadRecentFiles(env.Settings());
//   AddRecentFile(recent, "/home/ann/star.ico");   // slot 1 from now on
//   for (const RecentMenuEntry& e : RecentMenuEntries(recent)) ...
//   SaveRecentFiles(env.Settings(), recent);       // at shutdown
#include <array>
#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace gs {

inline constexpr int kRecentSlots = 4;

struct RecentFiles {
  // paths[0] is the most recent; an empty text is an empty slot.
  std::array<std::string, kRecentSlots> paths;
  friend bool operator==(const RecentFiles&, const RecentFiles&) = default;
};

// Puts path at the head. A path already in the list (compared without regard
// to letter case) moves up instead of appearing twice; the stored spelling of
// a path equal to slot 1 is kept.
void AddRecentFile(RecentFiles& recent, const std::string& path);

// Drops slot n (1 to 4): the later slots move up and slot 4 becomes empty.
// Other values of n change nothing.
void RemoveRecentFile(RecentFiles& recent, int n);

// The menu entries 12 to 15: "1. " and the path, enabled when the slot holds one.
struct RecentMenuEntry {
  std::string caption;
  bool enabled = false;
};
std::array<RecentMenuEntry, kRecentSlots> RecentMenuEntries(const RecentFiles& recent);

// From and to the settings store: "File1" to "File4" under
// "Software\Varnel Glyphsmith\Recent Files". Missing values read as empty.
RecentFiles LoadRecentFiles(const SettingsStore& store);
// Empty slots are written as empty values. False when the store could not be written.
bool SaveRecentFiles(const SettingsStore& store, const RecentFiles& recent);

// Equality of two UTF-8 paths without regard to letter case (ASCII, Latin-1,
// Latin Extended-A, Greek and Cyrillic letters); other bytes compare exactly.
bool PathsEqualIgnoreCase(std::string_view a, std::string_view b);

}  // namespace gs
