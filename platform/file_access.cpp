#include "platform/file_access.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <vector>

#include "platform/file_read.h"
#include "platform/safe_file.h"

namespace gs {

ReadResult ReadFileLimited(const std::string& path, std::size_t maxBytes, std::string& out) {
  out.clear();
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0)
    return (errno == ENOENT || errno == ENOTDIR) ? ReadResult::kMissing : ReadResult::kFailed;
  // Opening a pipe or a device could block or never end.
  if (!S_ISREG(st.st_mode)) return ReadResult::kFailed;
  std::vector<std::uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, nullptr, maxBytes)) return ReadResult::kFailed;
  out.assign(bytes.begin(), bytes.end());
  return ReadResult::kOk;
}

bool WriteFileReplacing(const std::string& path, const std::string& bytes) {
  std::span<const std::uint8_t> view(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                     bytes.size());
  return static_cast<bool>(WriteFileSafely(path, view));
}

bool MakeFolders(const std::string& folder) {
  if (folder.empty()) return false;
  std::size_t pos = 0;
  while (pos != std::string::npos) {
    pos = folder.find('/', pos + 1);
    std::string partial = folder.substr(0, pos);
    if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  struct stat st {};
  return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace gs
