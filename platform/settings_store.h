#pragma once
// The per-user settings store: the application settings (GetSetting /
// SaveSetting) and the registry stand-in (ReadRegistryString /
// WriteRegistryString). Both live in one UTF-8 file, "settings.ini", in the
// settings folder:
//   $GLYPHSMITH_CONFIG_DIR                       when that variable is set,
//   else $XDG_CONFIG_HOME/Varnel Glyphsmith      when that variable is set,
//   else $HOME/.config/Varnel Glyphsmith.
// Windows and the file commands use the store of their environment's
// settings folder (SettingsStore, platform/environment.h); the free functions
// below use SettingsFolder(). Tests give a temporary folder so that they never
// touch the user's real settings.
//
// Names (application, section, key path, value name) compare without regard
// to ASCII letter case, as the platform's registry does. Any text may be
// stored, line breaks included. The file is read once and kept (read again
// only when it changes on disk); every write rewrites it compactly through a
// temporary file and a rename, creating the folder when needed. A damaged
// file (lines this store never writes, or over 1 MiB) reads as holding
// whatever entries can still be recognised, and is renamed to
// "settings.ini.damaged" before the first write replaces it. A file that
// exists but cannot be read is never replaced. The first failure to save in a
// run is passed to the handler of SetSettingsSaveFailureHandler, once.
//
// Example (recent files):
//   WriteRegistryString(RegistryRoot::CurrentUser,
//                       "Software\\Varnel Glyphsmith\\Recent Files", "File1", path);
//   std::string p = ReadRegistryString(RegistryRoot::CurrentUser,
//                       "Software\\Varnel Glyphsmith\\Recent Files", "File1");
#include <functional>
#include <string>
#include <utility>

namespace gs {

inline constexpr char kSettingsAppName[] = "Varnel Glyphsmith";
inline constexpr char kRegDirectoriesKey[] = "Software\\Varnel Glyphsmith\\Directories";
inline constexpr char kRegRecentFilesKey[] = "Software\\Varnel Glyphsmith\\Recent Files";

// The folder that holds the store. Never empty.
std::string SettingsFolder();
// Overrides the folder for the rest of the run; an empty text restores the
// environment's choice.
void SetSettingsFolder(const std::string& folder);
// Full path of the store file.
std::string SettingsFilePath();

// Application settings store: the value, or `defaultValue` when the entry is
// missing (an entry stored with an empty value yields the empty text).
std::string GetSetting(const std::string& appName, const std::string& section,
                       const std::string& key, const std::string& defaultValue);
// Returns false when the store could not be written (the old file then stays).
bool SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                 const std::string& value);

enum class RegistryRoot { CurrentUser };

// The store in one folder.
class SettingsStore {
 public:
  explicit SettingsStore(std::string folder) : folder_(std::move(folder)) {}
  const std::string& Folder() const { return folder_; }
  // As GetSetting, SaveSetting, ReadRegistryString and WriteRegistryString.
  std::string Get(const std::string& appName, const std::string& section, const std::string& key,
                  const std::string& defaultValue) const;
  bool Save(const std::string& appName, const std::string& section, const std::string& key,
            const std::string& value) const;
  std::string ReadRegistry(RegistryRoot root, const std::string& keyPath,
                           const std::string& valueName) const;
  bool WriteRegistry(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                     const std::string& text) const;

 private:
  std::string folder_;
};

// The text value, cut at its first NUL character; empty when the key or the
// value does not exist.
std::string ReadRegistryString(RegistryRoot root, const std::string& keyPath,
                               const std::string& valueName);
// Creates the key as needed and stores the text. Returns false on failure.
bool WriteRegistryString(RegistryRoot root, const std::string& keyPath,
                         const std::string& valueName, const std::string& text);

// Called (without any lock held) the first time in a run that the store
// cannot be saved, with "<path>: <reason>"; the editor tells the user.
void SetSettingsSaveFailureHandler(std::function<void(const std::string& reason)> handler);

// Saves made while a group lives change the store in memory only; the end of
// the outermost group writes the file once (closing the editor saves the
// recent files this way). Finish ends the group early and gives the result.
class SettingsWriteGroup {
 public:
  SettingsWriteGroup();
  ~SettingsWriteGroup();
  SettingsWriteGroup(const SettingsWriteGroup&) = delete;
  SettingsWriteGroup& operator=(const SettingsWriteGroup&) = delete;
  bool Finish();

 private:
  bool finished_ = false;
  bool ok_ = true;
};

}  // namespace gs
