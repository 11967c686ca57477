#include "shell/view_settings.h"

namespace gs {

bool LoadGridChoice(const SettingsStore& store) {
  return store.Get(kSettingsAppName, kViewSection, kGridKey, "0") == "1";
}

bool SaveGridChoice(const SettingsStore& store, bool on) {
  return store.Save(kSettingsAppName, kViewSection, kGridKey, on ? "1" : "0");
}

}  // namespace gs
