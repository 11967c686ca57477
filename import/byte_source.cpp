#include "import/byte_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace gs {

bool ByteSource::ReadAt(std::uint64_t offset, std::size_t n, std::uint8_t* out) {
  const std::uint64_t size = Size();
  if (offset > size || n > size - offset) return false;
  if (n == 0) return true;
  if (n > budget_ - std::min(budget_, bytesRead_)) return false;
  if (!DoRead(offset, n, out)) return false;
  bytesRead_ += n;
  ++reads_;
  return true;
}

bool MemorySource::DoRead(std::uint64_t offset, std::size_t n, std::uint8_t* out) {
  std::memcpy(out, bytes_.data() + offset, n);
  return true;
}

std::unique_ptr<FileSource> FileSource::Open(const std::string& path, std::string& error) {
  // Non-blocking, so that a FIFO in place of a program cannot hang the open:
  // it is refused below as not a regular file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    error = path + ": " + std::strerror(errno);
    return nullptr;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    error = path + ": " + std::strerror(errno);
    ::close(fd);
    return nullptr;
  }
  if (S_ISDIR(st.st_mode)) {
    error = path + ": " + std::strerror(EISDIR);
    ::close(fd);
    return nullptr;
  }
  if (!S_ISREG(st.st_mode)) {
    error = path + ": not a regular file";
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<FileSource>(new FileSource(fd, static_cast<std::uint64_t>(st.st_size)));
}

FileSource::~FileSource() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileSource::DoRead(std::uint64_t offset, std::size_t n, std::uint8_t* out) {
  std::size_t done = 0;
  while (done < n) {
    const ssize_t got = ::pread(fd_, out + done, n - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;  // error, or the file shrank under us
    done += static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace gs
