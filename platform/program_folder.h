#pragma once
// The program's own folder: the folder that holds the running executable, where
// the "Lang", "icon" and "curseur" folders live. Tests point it elsewhere.
#include <string>

namespace gs {

// Without a trailing "/" (except for the root itself).
std::string ProgramFolder();
// Overrides the folder for the rest of the run; an empty text restores the
// executable's own folder.
void SetProgramFolder(const std::string& folder);

// `folder` + "/" + `name`, with no doubled "/" when `folder` is the root.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace gs
