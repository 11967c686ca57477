#include "platform/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

namespace gs {

namespace {

// Kernel and in-memory file systems that hold nothing a user browses.
const std::set<std::string>& PseudoFileSystems() {
  static const std::set<std::string> kinds = {
      "proc",    "sysfs",     "cgroup",     "cgroup2",     "devpts",      "mqueue",
      "debugfs", "tracefs",   "securityfs", "pstore",      "bpf",         "configfs",
      "fusectl", "hugetlbfs", "autofs",     "binfmt_misc", "devtmpfs",    "rpc_pipefs",
      "nsfs",    "efivarfs",  "selinuxfs",  "ramfs",       "overlay_meta"};
  return kinds;
}

// Mount points escape blanks as octal (\040).
std::string Unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    auto digit = [&](std::size_t j) { return s[j] >= '0' && s[j] <= '7'; };
    if (s[i] == '\\' && i + 3 < s.size() && digit(i + 1) && digit(i + 2) && digit(i + 3)) {
      const int v = (s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0');
      out += static_cast<char>(v);
      i += 3;
    } else {
      out += s[i];
    }
  }
  return out;
}

bool MatchesPattern(const std::string& name, const std::string& pattern) {
  if (pattern.empty() || pattern == "*" || pattern == "*.*") return true;
  if (pattern.size() < 2 || pattern[0] != '*') return name == pattern;
  const std::string tail = pattern.substr(1);
  if (name.size() < tail.size()) return false;
  return std::equal(tail.begin(), tail.end(), name.end() - static_cast<long>(tail.size()),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

}  // namespace

std::vector<std::string> VolumesFromMountsText(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  std::vector<std::string> others;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string device, point, kind;
    if (!(fields >> device >> point >> kind)) continue;
    if (PseudoFileSystems().count(kind)) continue;
    point = Unescape(point);
    const bool system = point.rfind("/proc", 0) == 0 || point == "/sys" ||
                        point.rfind("/sys/", 0) == 0 || point.rfind("/dev", 0) == 0;
    if (point != "/" && !point.empty() && point[0] == '/' && !system) {
      others.push_back(point);
    }
  }
  std::sort(others.begin(), others.end());
  others.erase(std::unique(others.begin(), others.end()), others.end());
  others.insert(others.begin(), "/");  // the root is always there, listed or not
  return others;
}

std::vector<std::string> MountedVolumes(const std::string& mountsTable) {
  std::ifstream in(mountsTable);
  std::stringstream text;
  text << in.rdbuf();
  return VolumesFromMountsText(text.str());
}

std::string VolumeOf(const std::string& path, const std::vector<std::string>& volumes) {
  std::string best = "/";
  for (const std::string& v : volumes) {
    const bool starts = path == v || (path.rfind(v, 0) == 0 && (v == "/" || path[v.size()] == '/'));
    if (starts && v.size() > best.size()) best = v;
  }
  return best;
}

bool ListFolder(const std::string& folder, const std::string& pattern, FolderListing& out,
                std::string& error) {
  out = FolderListing{};
  DIR* d = ::opendir(folder.c_str());
  if (!d) {
    error = folder + ": " + std::strerror(errno);
    return false;
  }
  while (dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name.empty() || name[0] == '.') continue;
    struct stat st {};
    if (::stat(JoinPath(folder, name).c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode))
      out.folders.push_back(name);
    else if (S_ISREG(st.st_mode) && MatchesPattern(name, pattern))
      out.files.push_back(name);
  }
  ::closedir(d);
  std::sort(out.folders.begin(), out.folders.end());
  std::sort(out.files.begin(), out.files.end());
  return true;
}

std::vector<std::string> FolderChain(const std::string& folder) {
  std::vector<std::string> chain = {"/"};
  std::size_t pos = 1;
  while (pos < folder.size()) {
    const std::size_t next = folder.find('/', pos);
    const std::size_t end = next == std::string::npos ? folder.size() : next;
    if (end > pos) chain.push_back(folder.substr(0, end));
    pos = end + 1;
  }
  return chain;
}

}  // namespace gs
