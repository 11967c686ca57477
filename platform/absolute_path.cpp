#include "platform/absolute_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace gs {

namespace {

bool IsSymbolicLink(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool SameFolder(const char* a, const char* b) {
  struct stat sa {
  }, sb{};
  return ::stat(a, &sa) == 0 && ::stat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

void AppendComponents(std::string_view path, std::vector<std::string>& parts) {
  std::size_t at = 0;
  while (at <= path.size()) {
    std::size_t slash = path.find('/', at);
    if (slash == std::string_view::npos) slash = path.size();
    const std::string_view part = path.substr(at, slash - at);
    if (!part.empty() && part != ".") parts.emplace_back(part);
    at = slash + 1;
  }
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& p : parts) out += "/" + p;
  return out.empty() ? "/" : out;
}

}  // namespace

std::string CurrentFolder() {
  const char* pwd = std::getenv("PWD");
  if (pwd && pwd[0] == '/' && SameFolder(pwd, ".")) return pwd;
  char* own = ::getcwd(nullptr, 0);
  if (!own) return {};
  std::string folder(own);
  std::free(own);
  return folder;
}

std::string AbsolutePath(std::string_view path, std::string_view currentFolder) {
  if (path.empty()) return {};
  const bool relative = path.front() != '/';
  if (relative && (currentFolder.empty() || currentFolder.front() != '/')) return std::string(path);
  std::vector<std::string> raw;
  if (relative) AppendComponents(currentFolder, raw);
  AppendComponents(path, raw);
  std::vector<std::string> parts;
  for (std::string& part : raw) {
    if (part != "..") {
      parts.push_back(std::move(part));
      continue;
    }
    if (parts.empty()) continue;  // "/.." is "/"
    const std::string here = Joined(parts);
    if (IsSymbolicLink(here)) {
      if (char* real = ::realpath(here.c_str(), nullptr)) {
        parts.clear();
        AppendComponents(real, parts);
        std::free(real);
        if (parts.empty()) continue;
      }
    }
    parts.pop_back();
  }
  std::string out = Joined(parts);
  if (path.back() == '/' && out.back() != '/') out += '/';
  return out;
}

}  // namespace gs
