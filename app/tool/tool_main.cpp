// glyphsmith-tool: the editor's file work without a window.
#include <cstdio>
#include <cstring>
#include <string>

namespace {

void PrintUsage(std::FILE* to) {
  std::fputs(
      "Usage: glyphsmith-tool COMMAND [ARGS]\n"
      "  --help       show this text\n"
      "  --version    show the version\n",
      to);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(stderr);
    return 2;
  }
  const std::string cmd = argv[1];
  if (cmd == "--help" || cmd == "-h") {
    PrintUsage(stdout);
    return 0;
  }
  if (cmd == "--version") {
    std::printf("glyphsmith-tool %s\n", GLYPHSMITH_VERSION);
    return 0;
  }
  std::fprintf(stderr, "glyphsmith-tool: unknown command '%s' (see --help)\n", cmd.c_str());
  return 2;
}
