#include "platform/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace gs {

namespace {

std::string Reason(int err) { return std::strerror(err); }

}  // namespace

bool RegularFileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out, std::string* error,
                   std::size_t maxBytes) {
  out.clear();
  auto fail = [&](const std::string& reason) {
    if (error) *error = path + ": " + reason;
    out.clear();
    return false;
  };
  // Non-blocking so that a pipe in place of a file cannot hang the open; it
  // is refused just below as not a regular file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return fail(Reason(errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    return fail(Reason(err));
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return fail(S_ISDIR(st.st_mode) ? Reason(EISDIR) : "not a regular file");
  }
  if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
    ::close(fd);
    return fail("file too large");
  }
  out.resize(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  // The size may change while reading; read what is there, up to the limit.
  // Past the expected end, reads go to a buffer on the stack, so that the
  // usual last read, which finds the end, costs no reallocation.
  for (;;) {
    std::uint8_t spill[4096];
    const bool inPlace = done < out.size();
    const std::size_t want = inPlace ? out.size() - done : std::min(sizeof spill, maxBytes - done);
    if (want == 0) break;
    const ssize_t n = ::read(fd, inPlace ? out.data() + done : spill, want);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      return fail(Reason(err));
    }
    if (n == 0) break;
    if (!inPlace) out.insert(out.end(), spill, spill + n);
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  out.resize(done);
  return true;
}

}  // namespace gs
