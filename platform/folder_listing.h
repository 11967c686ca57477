#pragma once
// The drive, folder and file lists of the extraction and animated-cursor
// windows, on Linux: "drives" are the mounted volumes, root first.
#include <string>
#include <vector>

#include "platform/program_folder.h"  // JoinPath

namespace gs {

// Mount points of real file systems (no proc, sys, cgroup and the like), the
// root first, then the others in name order; read from a mounts table in the
// layout of /proc/self/mounts.
std::vector<std::string> MountedVolumes(const std::string& mountsTable = "/proc/self/mounts");
std::vector<std::string> VolumesFromMountsText(const std::string& text);

// The volume holding `path` (the longest mount point that starts it).
std::string VolumeOf(const std::string& path, const std::vector<std::string>& volumes);

struct FolderListing {
  std::vector<std::string> folders;  // sub-folder names, in name order
  std::vector<std::string> files;    // plain files matching the pattern, in name order
};

// Lists `folder`; hidden entries (starting with '.') are left out. Pattern "*"
// takes every file, "*.ext" those ending in .ext in any case. False with the
// system's description of the error when the folder cannot be read.
bool ListFolder(const std::string& folder, const std::string& pattern, FolderListing& out,
                std::string& error);

// The folders from the root down to `folder` ("/", "/home", "/home/ann").
std::vector<std::string> FolderChain(const std::string& folder);

}  // namespace gs
