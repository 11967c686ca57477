#include "platform/home_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/program_folder.h"

namespace gs {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir && *entry->pw_dir)
    return entry->pw_dir;
  return "";
}

std::string UserDataFolder() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/')
    return JoinPath(xdg, "glyphsmith");
  const std::string home = HomeFolder();
  return home.empty() ? "" : JoinPath(home, ".local/share/glyphsmith");
}

}  // namespace gs
