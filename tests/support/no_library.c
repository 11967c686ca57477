// Preloaded into glyphsmith-tool by tests: a machine without the library
// whose file name holds GS_MISSING_LIBRARY (libXcursor when unset). Every
// other library loads as usual.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdlib.h>
#include <string.h>

void* dlopen(const char* name, int flags) {
  const char* missing = getenv("GS_MISSING_LIBRARY");
  if (name && strstr(name, missing && *missing ? missing : "libXcursor")) return NULL;
  void* (*real)(const char*, int) = (void* (*)(const char*, int))dlsym(RTLD_NEXT, "dlopen");
  return real ? real(name, flags) : NULL;
}
