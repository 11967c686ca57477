#pragma once
// The user's own folders.
#include <string>

namespace gs {

// $HOME, else the home folder of the user's entry in the password database;
// empty when there is neither.
std::string HomeFolder();

// Where the editor writes files of its own beside the settings (the language
// files it exports): $XDG_DATA_HOME/glyphsmith, else ~/.local/share/glyphsmith;
// empty without a home folder. Never the program folder, which may be a
// system folder.
std::string UserDataFolder();

}  // namespace gs
