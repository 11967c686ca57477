#include "lang/language_files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/file_read.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "platform/text_util.h"

namespace gs {

std::string LanguageFolder(const std::string& programFolder) {
  return JoinPath(programFolder, kLanguageFolderName);
}

std::string FrenchLanguageFile(const std::string& programFolder) {
  return JoinPath(LanguageFolder(programFolder), kFrenchFileName);
}

std::string LanguageChoicePath(const std::string& programFolder, const std::string& caption) {
  return JoinPath(LanguageFolder(programFolder), caption);
}

std::vector<std::string> LanguageFolders(const std::string& userDataFolder,
                                         const std::string& programFolder) {
  std::vector<std::string> folders;
  if (!userDataFolder.empty()) folders.push_back(LanguageFolder(userDataFolder));
  folders.push_back(LanguageFolder(programFolder));
  return folders;
}

std::string ExportedFrenchFile(const std::string& userDataFolder) {
  return userDataFolder.empty() ? std::string() : FrenchLanguageFile(userDataFolder);
}

std::string LanguageChoicePath(const std::vector<std::string>& folders,
                               const std::string& caption) {
  for (const std::string& folder : folders) {
    const std::string path = JoinPath(folder, caption);
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return path;
  }
  return folders.empty() ? caption : JoinPath(folders.back(), caption);
}

std::string LocaleLanguageFileName(const char* lcAll, const char* lcMessages, const char* lang) {
  std::string locale;
  for (const char* v : {lcAll, lcMessages, lang})
    if (v && *v) {
      locale = v;
      break;
    }
  if (locale.empty() || locale == "C" || locale.starts_with("C.") || locale == "POSIX" ||
      locale.starts_with("fr"))
    return kFrenchFileName;
  return kEnglishFileName;
}

std::string StartLanguageChoice(const SettingsStore& store, const std::vector<std::string>& folders,
                                const std::string& localeFileName) {
  std::string chosen = store.Get(kSettingsAppName, "FILES", "LNG", "");
  if (!chosen.empty()) return chosen;
  chosen = LanguageChoicePath(folders, localeFileName);
  if (!RegularFileExists(chosen)) chosen = LanguageChoicePath(folders, kFrenchFileName);
  StoreLanguageChoice(store, chosen);
  return chosen;
}

std::string ReadLanguageChoice(const SettingsStore& store, const std::string& programFolder) {
  return store.Get(kSettingsAppName, "FILES", "LNG", FrenchLanguageFile(programFolder));
}

bool StoreLanguageChoice(const SettingsStore& store, const std::string& path) {
  return store.Save(kSettingsAppName, "FILES", "LNG", path);
}

std::vector<std::string> ListLanguageFiles(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name.size() <= 4 || name.front() == '.') continue;
    if (!EqualsIgnoreCase(std::string_view(name).substr(name.size() - 4), ".lng")) continue;
    struct stat st {};
    if (::stat(JoinPath(folder, name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    names.push_back(std::move(name));
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return LessIgnoreCase(a, b); });
  return names;
}

std::vector<std::string> LanguageMenuCaptions(std::vector<std::string> current,
                                              const std::string& folder) {
  if (current.empty()) current.push_back("#");
  std::vector<std::string> files = ListLanguageFiles(folder);
  if (current.size() < files.size()) current.resize(files.size());
  std::copy(files.begin(), files.end(), current.begin());
  return current;
}

std::vector<std::string> LanguageMenuCaptions(std::vector<std::string> current,
                                              const std::vector<std::string>& folders) {
  if (current.empty()) current.push_back("#");
  std::vector<std::string> files;
  for (const std::string& folder : folders)
    for (std::string& name : ListLanguageFiles(folder))
      if (std::find(files.begin(), files.end(), name) == files.end()) files.push_back(name);
  std::sort(files.begin(), files.end(),
            [](const std::string& a, const std::string& b) { return LessIgnoreCase(a, b); });
  if (current.size() < files.size()) current.resize(files.size());
  std::copy(files.begin(), files.end(), current.begin());
  return current;
}

}  // namespace gs
