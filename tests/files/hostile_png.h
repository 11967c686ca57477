#pragma once
// PNG bytes laid out chunk by chunk, for tests of what hostile headers make
// the decoders allocate.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "files/byte_io.h"

namespace gs::test::png_bytes {

using Bytes = std::vector<std::uint8_t>;

inline void U32BE(bytes::Writer& w, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) w.U8((v >> shift) & 0xFF);
}

inline void Chunk(bytes::Writer& w, const char* type, const Bytes& data, std::uint32_t claimed) {
  Bytes typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  U32BE(w, claimed);
  w.Bytes(typed);
  U32BE(w, static_cast<std::uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}
inline void Chunk(bytes::Writer& w, const char* type, const Bytes& data) {
  Chunk(w, type, data, static_cast<std::uint32_t>(data.size()));
}

inline Bytes Deflated(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
  out.resize(size);
  return out;
}

// An RGBA PNG of side x side; `extra` adds chunks between the header and the pixels.
inline Bytes Png(int side, const std::function<void(bytes::Writer&)>& extra,
                 const Bytes* pixels = nullptr) {
  bytes::Writer w;
  w.Bytes(Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
  bytes::Writer h;
  U32BE(h, static_cast<std::uint32_t>(side));
  U32BE(h, static_cast<std::uint32_t>(side));
  h.Bytes(Bytes{8, 6, 0, 0, 0});
  Chunk(w, "IHDR", h.Take());
  if (extra) extra(w);
  if (pixels) {
    Chunk(w, "IDAT", *pixels);
  } else {
    Bytes raw;
    for (int y = 0; y < side; ++y) {
      raw.push_back(0);
      for (int x = 0; x < side; ++x) raw.insert(raw.end(), {200, 10, 20, 255});
    }
    Chunk(w, "IDAT", Deflated(raw));
  }
  Chunk(w, "IEND", {});
  return w.Take();
}

// Peak resident memory, in MB, of running `job` in a child process (so what
// the test process has already freed does not count); `ok` is what it returned.
inline long PeakMegabytesDoing(const std::function<bool()>& job, bool& ok) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    const char result = job() ? 'y' : 'n';
    (void)!write(fds[1], &result, 1);
    _exit(0);
  }
  close(fds[1]);
  char result = '?';
  (void)!read(fds[0], &result, 1);
  close(fds[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  ok = result == 'y';
  return usage.ru_maxrss / 1024;
}

}  // namespace gs::test::png_bytes
