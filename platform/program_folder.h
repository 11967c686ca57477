#pragma once
// The program's own folder, where the "Lang", "icon" and "curseur" folders
// live: the executable's folder in the build tree, or <prefix>/share/glyphsmith
// once installed into <prefix>/bin. Windows take it from their Environment
// (platform/environment.h), so tests give them another.
#include <string>
#include <vector>

namespace gs {

// Without a trailing "/" (except for the root itself).
std::string ProgramFolder();

// The rule behind ProgramFolder(): the executable's folder when it holds
// "Lang", else the installed data folder beside it when that holds "Lang",
// else the executable's folder.
std::string ChooseProgramFolder(const std::string& executableFolder);
inline constexpr char kInstalledDataFolder[] = "../share/glyphsmith";

// `folder` + "/" + `name`, with no doubled "/" when `folder` is the root.
std::string JoinPath(const std::string& folder, const std::string& name);

// Where the handbook's first page may be, in the order looked: beside the
// program in the build tree, then in the package's documents once installed
// (<prefix>/share/doc/glyphsmith/handbook beside <prefix>/share/glyphsmith).
std::vector<std::string> HandbookPlaces(const std::string& programFolder);
// The first of them that is a file, or "".
std::string FindHandbook(const std::string& programFolder);

}  // namespace gs
