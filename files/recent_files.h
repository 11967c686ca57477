#pragma once
// The four most recently used files shown at the foot of the File menu, and
// where they are kept between runs.
//
//   RecentFiles recent = LoadRecentFiles(env.Settings());
//   AddRecentFile(recent, "/home/ann/star.ico");   // slot 1 from now on
//   for (const RecentMenuEntry& e : RecentMenuEntries(recent)) ...
//   SaveRecentFiles(env.Settings(), recent);       // at shutdown
//
// Two editors may share one settings folder: each remembers what it did to the
// list (the files it added and removed, in order), and saving does that again
// on the list the store holds at that moment, so the editor that quits last
// keeps what the first one saved.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"

namespace gs {

inline constexpr int kRecentSlots = 4;

struct RecentChange {
  bool added = false;  // else removed
  std::string path;
};

struct RecentFiles {
  // paths[0] is the most recent; an empty text is an empty slot.
  std::array<std::string, kRecentSlots> paths;
  // What this editor did since the list was loaded, oldest first: one entry
  // per path, its last change (a bounded number of paths).
  std::vector<RecentChange> changes = {};
  // The same list shown; how each came to it does not count.
  friend bool operator==(const RecentFiles& a, const RecentFiles& b) { return a.paths == b.paths; }
};

// Puts path at the head. A path already in the list (compared without regard
// to letter case) moves up instead of appearing twice; the stored spelling of
// a path equal to slot 1 is kept.
void AddRecentFile(RecentFiles& recent, const std::string& path);

// Drops slot n (1 to 4): the later slots move up and slot 4 becomes empty.
// Other values of n change nothing.
void RemoveRecentFile(RecentFiles& recent, int n);

// `changes` done again on `list`, in order: what SaveRecentFiles writes.
void ApplyRecentChanges(std::array<std::string, kRecentSlots>& list,
                        const std::vector<RecentChange>& changes);

// The menu entries 12 to 15: "1. " and the path, enabled when the slot holds
// one. A tab, a line break or ESC in the path shows as a mark (PrintableText),
// so that the menu shows the name and nothing else.
struct RecentMenuEntry {
  std::string caption;
  bool enabled = false;
};
std::array<RecentMenuEntry, kRecentSlots> RecentMenuEntries(const RecentFiles& recent);

// From and to the settings store: "File1" to "File4" under
// "Software\Varnel Glyphsmith\Recent Files". Missing values read as empty.
RecentFiles LoadRecentFiles(const SettingsStore& store);
// The list the store holds when it is written, with `recent`'s changes done on
// it (under the store's lock), newest first; empty slots are written as empty
// values. False when the store could not be written.
bool SaveRecentFiles(const SettingsStore& store, const RecentFiles& recent);

// Equality of two UTF-8 paths without regard to letter case (ASCII, Latin-1,
// Latin Extended-A, Greek and Cyrillic letters); other bytes compare exactly.
bool PathsEqualIgnoreCase(std::string_view a, std::string_view b);

}  // namespace gs
