#include "platform/command_line.h"

#include <string_view>

namespace gs {

std::optional<std::string> CommandLineAnswer(int argc, const char* const* argv,
                                             const std::string& version) {
  if (argc != 2 || !argv[1]) return std::nullopt;
  const std::string_view arg = argv[1];
  if (arg == "--version") return "glyphsmith " + version + "\n";
  if (arg == "--help" || arg == "-h")
    return "Usage: glyphsmith [FILE]\n"
           "Paints Windows icons and mouse cursors of 32 x 32 pixels.\n"
           "\n"
           "  FILE         an icon (.ico), cursor (.cur), animated cursor (.ani) or\n"
           "               picture to open; the whole command line is one path\n"
           "  --help, -h   print this help and exit\n"
           "  --version    print the version and exit\n"
           "\n"
           "glyphsmith-tool converts and inspects the same files without a window.\n";
  return std::nullopt;
}

}  // namespace gs
