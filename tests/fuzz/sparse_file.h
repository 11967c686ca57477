#pragma once
// Large sparse files for fuzz targets whose readers seek: the input gives a
// claimed size and chunks at offsets, and the file is made with ftruncate, so
// a reader sees gigabytes of zeros that take no disk and no memory.
//
//   input  := size:u64le chunk*
//   chunk  := offset:u64le length:u16le bytes[length]   (a last chunk cut short keeps its bytes)
//
// The file is the larger of the size and the chunks' ends, at most
// kMaxSparseSize; chunks beyond it are dropped. tests/fuzz/make_sparse_seed.py
// turns a real file into such an input.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

namespace gs::fuzz {

inline constexpr std::uint64_t kMaxSparseSize = std::uint64_t{1} << 36;  // 64 GiB

inline std::uint64_t SparseU64(std::span<const std::uint8_t> b, std::size_t at) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
  return v;
}

// Makes the file the input describes, always at the same path (one file per
// process, removed at exit); "" when the input is too short or the file
// cannot be made.
inline std::string SparseFile(std::span<const std::uint8_t> input) {
  static std::string path;
  static int fd = -1;
  if (fd < 0) {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/gs_fuzz_sparse_XXXXXX";
    fd = mkstemp(pattern.data());
    if (fd < 0) return {};
    path = pattern;
    std::atexit([] { unlink(path.c_str()); });
  }
  if (input.size() < 8) return {};
  std::uint64_t size = SparseU64(input, 0);
  if (size > kMaxSparseSize) size = kMaxSparseSize;
  if (ftruncate(fd, 0) != 0) return {};
  std::size_t at = 8;
  while (at + 10 <= input.size()) {
    const std::uint64_t offset = SparseU64(input, at);
    std::size_t length = input[at + 8] | (input[at + 9] << 8);
    at += 10;
    if (length > input.size() - at) length = input.size() - at;
    if (offset <= kMaxSparseSize && length <= kMaxSparseSize - offset) {
      if (pwrite(fd, input.data() + at, length, static_cast<off_t>(offset)) !=
          static_cast<ssize_t>(length))
        return {};
      if (offset + length > size) size = offset + length;
    }
    at += length;
  }
  if (ftruncate(fd, static_cast<off_t>(size)) != 0) return {};
  return path;
}

}  // namespace gs::fuzz
