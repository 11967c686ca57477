#pragma once
// Where the language files are, which one the user chose, and the captions of
// the language submenu.
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace gs {

inline constexpr char kLanguageFolderName[] = "Lang";
inline constexpr char kFrenchFileName[] = "Francais.lng";
inline constexpr char kEnglishFileName[] = "English.lng";

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

// The language folders, in the order they are read: the user's
// (<userDataFolder>/Lang, the only one the editor writes; left out when there
// is no user data folder) and the program's (installed, never written).
std::vector<std::string> LanguageFolders(const std::string& userDataFolder,
                                         const std::string& programFolder);
// <userDataFolder>/Lang/Francais.lng, where the windows export their built-in
// texts; empty without a user data folder (nothing is exported then).
std::string ExportedFrenchFile(const std::string& userDataFolder);
// The file a language menu caption stands for: in the first of `folders` that
// holds it, else in the last (the program's).
std::string LanguageChoicePath(const std::vector<std::string>& folders, const std::string& caption);

// The language file a first start picks from the locale (the first set of
// LC_ALL, LC_MESSAGES, LANG): French for "fr..." and for "C", "POSIX" or no
// locale at all, English for any other.
std::string LocaleLanguageFileName(const char* lcAll, const char* lcMessages, const char* lang);
// The language choice at a window's load: the stored one; when none is
// stored yet, the locale's file from `folders` (French when the English file
// is missing), stored at once so that it is chosen only once.
std::string StartLanguageChoice(const SettingsStore& store, const std::vector<std::string>& folders,
                                const std::string& localeFileName);

// Names of the plain files "*.lng" in `folder` (extension in any letter case),
// in ascending order without regard to letter case; hidden files are left out.
// Empty when the folder is missing or unreadable.
std::vector<std::string> ListLanguageFiles(const std::string& folder);

// The captions of the language submenu after a rebuild: entry i shows the i-th
// file name. Entries are never removed, so entries beyond the files keep their
// old captions; entry 0 always exists and is "#" until a file is found.
std::vector<std::string> LanguageMenuCaptions(std::vector<std::string> current,
                                              const std::string& folder);
// The same over several folders: each name once.
std::vector<std::string> LanguageMenuCaptions(std::vector<std::string> current,
                                              const std::vector<std::string>& folders);

}  // namespace gs
