#include "platform/system_library.h"

#include <dlfcn.h>

namespace gs {

SystemLibrary::SystemLibrary(const char* fileName, const char* package)
    : fileName_(std::string(fileName) + " (the " + package + " package)") {
  handle_ = ::dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    const char* why = ::dlerror();
    problem_ = fileName_ + ", which cannot be loaded" + (why ? std::string(": ") + why : "");
  }
}

void* SystemLibrary::Symbol(const char* name) {
  if (!handle_) return nullptr;
  void* symbol = ::dlsym(handle_, name);
  if (!symbol && problem_.empty()) problem_ = fileName_ + ", whose copy here has no " + name;
  return symbol;
}

}  // namespace gs
