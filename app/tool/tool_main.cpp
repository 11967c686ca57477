// glyphsmith-tool: the editor's file work without a window.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/tool/tool_common.h"

namespace {

void PrintUsage(std::FILE* to) {
  std::fputs(
      "Usage: glyphsmith-tool COMMAND [ARGS]\n"
      "  info FILE                 header and directory of an .ico/.cur, chunks of an .ani\n"
      "  convert IN OUT [--depth 1|4|8|24] [--palette none|high|extreme] [--hotspot X,Y]\n"
      "                            IN an .ico/.cur; OUT .ico, .cur, .bmp, .pcx or .png\n"
      "                            (default depth 24; the palette matters at 8 bits)\n"
      "  convert --out-dir DIR [--to ico|cur|bmp|pcx|png] [options] IN...\n"
      "                            many files in one call (default --to bmp)\n"
      "  pixels FILE               the loaded icon as 32 lines of 32 RRGGBB values\n"
      "  ani OUT --interval MS FRAME...\n"
      "                            an animated cursor from cursor files\n"
      "  thumbnail IN OUT.png SIZE an icon, cursor or first frame of an .ani as a SIZE x SIZE PNG\n"
      "  xcursor IN OUT            a .cur or .ani (frames, delays, hotspot) as an X11 cursor\n"
      "  --help       show this text\n"
      "  --version    show the version\n"
      "Exit status: 0 done, 1 a file could not be read or written, 2 bad usage.\n",
      to);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(stderr);
    return gs::tool::kExitUsage;
  }
  const std::string cmd = argv[1];
  if (cmd == "--help" || cmd == "-h") {
    PrintUsage(stdout);
    return gs::tool::kExitOk;
  }
  if (cmd == "--version") {
    std::printf("glyphsmith-tool %s\n", GLYPHSMITH_VERSION);
    return gs::tool::kExitOk;
  }
  const std::vector<std::string> args(argv + 2, argv + argc);
  int rc = gs::tool::kExitUsage;
  if (cmd == "info") {
    rc = gs::tool::RunInfo(args);
  } else if (cmd == "convert") {
    rc = gs::tool::RunConvert(args);
  } else if (cmd == "pixels") {
    rc = gs::tool::RunPixels(args);
  } else if (cmd == "ani") {
    rc = gs::tool::RunAni(args);
  } else if (cmd == "thumbnail") {
    rc = gs::tool::RunThumbnail(args);
  } else if (cmd == "xcursor") {
    rc = gs::tool::RunXcursor(args);
  } else {
    return gs::tool::Usage("unknown command '" + cmd + "'");
  }
  // Output that could not be written (a full disk behind a redirection) is a failure too.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "glyphsmith-tool: standard output: %s\n", std::strerror(errno));
    return gs::tool::kExitFailure;
  }
  return rc;
}
