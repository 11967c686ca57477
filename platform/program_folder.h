#pragma once
// The program's own folder: the folder that holds the running executable, where
// the "Lang", "icon" and "curseur" folders live. Windows take it from their
// Environment (platform/environment.h), so tests give them another.
#include <string>

namespace gs {

// Without a trailing "/" (except for the root itself).
std::string ProgramFolder();

// `folder` + "/" + `name`, with no doubled "/" when `folder` is the root.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace gs
