#pragma once
// The per-user settings store: the application settings (Get / Save) and the
// registry stand-in (ReadRegistry / WriteRegistry). Both live in one UTF-8
// file, "settings.ini", in the settings folder:
//   $GLYPHSMITH_CONFIG_DIR                       when that variable is set,
//   else $XDG_CONFIG_HOME/Varnel Glyphsmith      when that variable is set,
//   else $HOME/.config/Varnel Glyphsmith.
// Windows and the file commands use the store of their environment's
// settings folder (SettingsStore, platform/environment.h). Tests give a
// temporary folder so that they never touch the user's real settings.
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
// Another copy of the editor may use the same folder: each write reads the
// file again under an exclusive lock on "settings.ini.lock" and makes its
// changes on what it holds then. The lock is tried for about 2 s at most; when
// another program keeps it, nothing is written, the changes are kept (reads
// see them) and go with the next write, and the handler is told each time.
//
// Example (recent files):
//   SettingsStore store(env.settingsFolder);
//   store.WriteRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File1", path);
//   std::string p = store.ReadRegistry(RegistryRoot::CurrentUser, kRegRecentFilesKey, "File1");
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace gs {

inline constexpr char kSettingsAppName[] = "Varnel Glyphsmith";
inline constexpr char kRegDirectoriesKey[] = "Software\\Varnel Glyphsmith\\Directories";
inline constexpr char kRegRecentFilesKey[] = "Software\\Varnel Glyphsmith\\Recent Files";

// The folder the environment chooses for the store (see above). Never empty.
std::string SettingsFolder();

enum class RegistryRoot { CurrentUser };

// The store in one folder.
class SettingsStore {
 public:
  explicit SettingsStore(std::string folder) : folder_(std::move(folder)) {}
  const std::string& Folder() const { return folder_; }
  std::string FilePath() const { return folder_ + "/settings.ini"; }

  // Application settings: the value, or `defaultValue` when the entry is
  // missing (an entry stored with an empty value yields the empty text).
  std::string Get(const std::string& appName, const std::string& section, const std::string& key,
                  const std::string& defaultValue) const;
  // False when the store could not be written (the old file then stays).
  bool Save(const std::string& appName, const std::string& section, const std::string& key,
            const std::string& value) const;

  // The registry stand-in. A read gives the text cut at its first NUL
  // character, empty when the key or the value does not exist; a write
  // creates the key as needed.
  std::string ReadRegistry(RegistryRoot root, const std::string& keyPath,
                           const std::string& valueName) const;
  bool WriteRegistry(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                     const std::string& text) const;
  // For values that other copies of the editor change too (the recent files):
  // `change` gets the values named (read as ReadRegistry reads them) as the
  // file holds them at the write, under the lock, and what it leaves there is
  // written. It may run more than once (a write group applies it at once in
  // memory and again at its end; a busy lock keeps it for the next write), so
  // it captures nothing that may go away.
  bool UpdateRegistry(RegistryRoot root, const std::string& keyPath,
                      const std::vector<std::string>& valueNames,
                      std::function<void(std::vector<std::string>& values)> change) const;

 private:
  std::string folder_;
};

enum class SettingsFailure {
  NotWritten,  // the folder or the file cannot be written (told once per run)
  Busy,        // another program held the lock: the changes wait for the next write
};

// Called (without any lock held) the first time after it is set that the
// store cannot be written, and each time another program's lock kept a write
// out, with "<path>: <reason>"; the editor tells the user.
void SetSettingsSaveFailureHandler(
    std::function<void(SettingsFailure kind, const std::string& reason)> handler);

// How a write waits for another program's lock: `attempts` tries that do not
// block, `pause` between two of them. The default waits 10 ms, 2 s in all; a
// test counts the tries instead of waiting.
inline constexpr int kSettingsLockAttempts = 200;
struct SettingsLockWait {
  int attempts = kSettingsLockAttempts;
  std::function<void()> pause;  // null: 10 ms
};
void SetSettingsLockWait(SettingsLockWait wait);

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
