#include "platform/program_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace gs {
namespace {
std::string ExecutableFolder() {
  std::vector<char> buffer(4096);
  for (;;) {
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return ".";
    if (static_cast<std::size_t>(n) < buffer.size()) {
      std::string exe(buffer.data(), static_cast<std::size_t>(n));
      std::size_t slash = exe.rfind('/');
      if (slash == std::string::npos) return ".";
      return slash == 0 ? "/" : exe.substr(0, slash);
    }
    buffer.resize(buffer.size() * 2);
  }
}
bool IsFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string ChooseProgramFolder(const std::string& executableFolder) {
  if (IsFolder(JoinPath(executableFolder, "Lang"))) return executableFolder;
  const std::string installed = JoinPath(executableFolder, kInstalledDataFolder);
  if (IsFolder(JoinPath(installed, "Lang"))) {
    // Shown in titles and dialogs: "/usr/share/glyphsmith", not "/usr/bin/../share/...".
    char* real = ::realpath(installed.c_str(), nullptr);
    if (!real) return installed;
    std::string resolved(real);
    std::free(real);
    return resolved;
  }
  return executableFolder;
}

std::string ProgramFolder() {
  static const std::string own = ChooseProgramFolder(ExecutableFolder());
  return own;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::vector<std::string> HandbookPlaces(const std::string& programFolder) {
  // The folder above by name, so that the message names a plain path.
  const std::size_t slash = programFolder.find_last_of('/');
  const std::string above = slash == std::string::npos ? std::string("..")
                            : slash == 0               ? std::string("/")
                                                       : programFolder.substr(0, slash);
  return {JoinPath(programFolder, "handbook/index.html"),
          JoinPath(above, "doc/glyphsmith/handbook/index.html")};
}

std::string FindHandbook(const std::string& programFolder) {
  for (const std::string& place : HandbookPlaces(programFolder))
    if (IsFile(place)) return place;
  return std::string();
}

}  // namespace gs
