#include "platform/file_stamp.h"

#include <sys/stat.h>

#include <vector>

#include "platform/file_read.h"
#include "platform/hash.h"

namespace gs {

namespace {

bool StatOf(const std::string& path, std::uint64_t& size, std::int64_t& modifiedNs) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  size = static_cast<std::uint64_t>(st.st_size);
  modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return true;
}

}  // namespace

FileStamp StampFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  FileStamp s;
  s.path = path;
  s.size = bytes.size();
  s.digest = Fnv1a64(bytes);
  std::uint64_t size = 0;
  if (StatOf(path, size, s.modifiedNs) && size != s.size) s.modifiedNs = -1;
  return s;
}

bool ChangedSince(const FileStamp& stamp) {
  if (stamp.path.empty()) return false;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;
  if (!StatOf(stamp.path, size, modifiedNs)) return false;
  if (size != stamp.size || modifiedNs != stamp.modifiedNs) return true;
  // Same size and time: a quick rewrite within the clock's step still shows
  // in the bytes.
  std::vector<std::uint8_t> now;
  if (!ReadWholeFile(stamp.path, now, nullptr, stamp.size)) return true;
  return Fnv1a64(now) != stamp.digest;
}

}  // namespace gs
