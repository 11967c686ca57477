#pragma once
// Where the language files are, which one the user chose, and the captions of
// the language submenu.
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace gs {

inline constexpr char kLanguageFolderName[] = "Lang";
inline constexpr char kFrenchFileName[] = "Francais.lng";

// <program folder>/Lang
std::string LanguageFolder(const std::string& programFolder);
// <program folder>/Lang/Francais.lng: the file every window exports to, and the
// default choice.
std::string FrenchLanguageFile(const std::string& programFolder);
// <program folder>/Lang/<caption>: the path a language menu entry stands for.
std::string LanguageChoicePath(const std::string& programFolder, const std::string& caption);

// The chosen language file from the settings store ("Varnel Glyphsmith",
// "FILES", "LNG"), the French file when nothing was chosen.
std::string ReadLanguageChoice(const SettingsStore& store, const std::string& programFolder);
bool StoreLanguageChoice(const SettingsStore& store, const std::string& path);

// Names of the plain files "*.lng" in `folder` (extension in any letter case),
// in ascending order without regard to letter case; hidden files are left out.
// Empty when the folder is missing or unreadable.
std::vector<std::string> ListLanguageFiles(const std::string& folder);

// The captions of the language submenu after a rebuild: entry i shows the i-th
// file name. Entries are never removed, so entries beyond the files keep their
// old captions; entry 0 always exists and is "#" until a file is found.
std::vector<std::string> LanguageMenuCaptions(std::vector<std::string> current,
                                              const std::string& folder);

}  // namespace gs
