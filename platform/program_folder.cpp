#include "platform/program_folder.h"

#include <unistd.h>

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
}  // namespace

std::string ProgramFolder() {
  static const std::string own = ExecutableFolder();
  return own;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

}  // namespace gs
