// Replays fuzz inputs without libFuzzer, in the normal build: every file
// named, and every file under a folder named, goes once through the target's
// LLVMFuzzerTestOneInput, in name order. The targets abort when an invariant
// breaks; the input being replayed is named before the process dies.
//   replay_<target> PATH...
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// The input in hand, for the signal handler: written with write(2) only.
char g_current[4096];

constexpr int kFatal[] = {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL};
struct sigaction g_before[std::size(kFatal)];

// Names the input, then gives the signal back to whoever had it before (the
// default, or a sanitizer's report): a fault recurs when the handler
// returns, and abort() raises again.
void NameCurrent(int sig) {
  static const char kHead[] = "replay: died on ";
  ssize_t ignored = write(STDERR_FILENO, kHead, sizeof kHead - 1);
  ignored = write(STDERR_FILENO, g_current, std::strlen(g_current));
  ignored = write(STDERR_FILENO, "\n", 1);
  (void)ignored;
  for (std::size_t i = 0; i < std::size(kFatal); ++i)
    if (kFatal[i] == sig) sigaction(sig, &g_before[i], nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE_OR_FOLDER...\n", argv[0]);
    return 2;
  }
  std::vector<fs::path> inputs;
  for (int a = 1; a < argc; ++a) {
    const fs::path p(argv[a]);
    std::error_code ec;
    if (fs::is_directory(p, ec)) {
      for (const fs::directory_entry& e : fs::recursive_directory_iterator(p, ec))
        if (e.is_regular_file()) inputs.push_back(e.path());
    } else if (fs::is_regular_file(p, ec)) {
      inputs.push_back(p);
    } else {
      // A folder moved or misspelt must not pass as "nothing to replay".
      std::fprintf(stderr, "replay: %s is neither a file nor a folder\n", argv[a]);
      return 1;
    }
    if (ec) {
      std::fprintf(stderr, "replay: %s: %s\n", argv[a], ec.message().c_str());
      return 1;
    }
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "replay: no inputs\n");
    return 1;
  }
  std::sort(inputs.begin(), inputs.end());
  struct sigaction named = {};
  named.sa_handler = NameCurrent;
  sigemptyset(&named.sa_mask);
  for (std::size_t i = 0; i < std::size(kFatal); ++i) sigaction(kFatal[i], &named, &g_before[i]);

  for (const fs::path& p : inputs) {
    std::snprintf(g_current, sizeof g_current, "%s", p.c_str());
    // A buffer of exactly the input's size, as libFuzzer passes it, so that a
    // sanitizer build sees a read one byte past the end.
    std::error_code ec;
    const std::size_t size = static_cast<std::size_t>(fs::file_size(p, ec));
    std::unique_ptr<std::uint8_t[]> data(new std::uint8_t[size == 0 ? 1 : size]);
    std::ifstream in(p, std::ios::binary);
    if (ec || !in.read(reinterpret_cast<char*>(data.get()), static_cast<std::streamsize>(size))) {
      std::fprintf(stderr, "replay: cannot read %s\n", p.c_str());
      return 1;
    }
    LLVMFuzzerTestOneInput(data.get(), size);
  }
  std::printf("%zu inputs replayed\n", inputs.size());
  return 0;
}
