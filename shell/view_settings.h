#pragma once
// View choices the editor remembers between runs, in the settings store.
#include "platform/settings_store.h"

namespace gs {

inline constexpr char kViewSection[] = "VIEW";
inline constexpr char kGridKey[] = "Grid";

// The grid is off until the user turns it on.
bool LoadGridChoice(const SettingsStore& store);
bool SaveGridChoice(const SettingsStore& store, bool on);

}  // namespace gs
