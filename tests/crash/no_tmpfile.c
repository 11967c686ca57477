// Preloaded into glyphsmith-tool by the killed-batch test: a file system
// without unnamed files, which refuses O_TMPFILE as such file systems do
// (EOPNOTSUPP). Every other open goes through.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>

typedef int (*OpenFunction)(const char*, int, ...);

static int Open(const char* symbol, const char* path, int flags, va_list args) {
  mode_t mode = (flags & (O_CREAT | __O_TMPFILE)) ? va_arg(args, mode_t) : 0;
  if ((flags & __O_TMPFILE) == __O_TMPFILE) {
    errno = EOPNOTSUPP;
    return -1;
  }
  OpenFunction real = (OpenFunction)dlsym(RTLD_NEXT, symbol);
  return real(path, flags, mode);
}

int open(const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const int fd = Open("open", path, flags, args);
  va_end(args);
  return fd;
}

int open64(const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const int fd = Open("open64", path, flags, args);
  va_end(args);
  return fd;
}
