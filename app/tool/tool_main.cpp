// glyphsmith-tool: the editor's file work without a window.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <span>
#include <stdexcept>
#include <string>

#include "app/tool/tool_command.h"
#include "app/tool/tool_common.h"
#include "platform/temporaries.h"

namespace gs::tool {
// Each command's table lives in its own tool_<command>.cpp.
extern const CommandSpec kInfoCommand;
extern const CommandSpec kConvertCommand;
extern const CommandSpec kPixelsCommand;
extern const CommandSpec kAniCommand;
extern const CommandSpec kEffectCommand;
extern const CommandSpec kImportCommand;
extern const CommandSpec kThumbnailCommand;
extern const CommandSpec kXcursorCommand;
extern const CommandSpec kExtractCommand;
}  // namespace gs::tool

namespace {

using namespace gs::tool;

// The commands in the order --help lists them.
const CommandSpec* const kCommands[] = {
    &kInfoCommand,   &kConvertCommand,   &kPixelsCommand,  &kAniCommand,     &kEffectCommand,
    &kImportCommand, &kThumbnailCommand, &kXcursorCommand, &kExtractCommand,
};

int Help(std::span<char* const> args) {
  if (args.empty()) {
    PrintOverview(kCommands, stdout);
    return kExitOk;
  }
  const CommandSpec* c = FindCommand(kCommands, args[0]);
  if (!c) return Usage("unknown command '" + std::string(args[0]) + "'");
  PrintCommandHelp(*c, stdout);
  return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
  gs::RemoveTemporariesOnSignals();
  if (argc < 2) {
    PrintOverview(kCommands, stderr);
    return kExitUsage;
  }
  const std::string cmd = argv[1];
  const std::span<char* const> args(argv + 2, static_cast<std::size_t>(argc - 2));
  int rc = kExitUsage;
  if (cmd == "--help" || cmd == "-h") {
    rc = Help({});
  } else if (cmd == "help") {
    rc = Help(args);
  } else if (cmd == "--completion") {
    // Not in the overview: the build writes the installed scripts with it.
    if (args.size() != 1 || !PrintCompletion(kCommands, args[0], stdout))
      return Usage("--completion takes bash or zsh");
    rc = kExitOk;
  } else if (cmd == "--version") {
    std::printf("glyphsmith-tool %s\n", GLYPHSMITH_VERSION);
    rc = kExitOk;
  } else if (const CommandSpec* c = FindCommand(kCommands, cmd)) {
    // Memory running out anywhere ends the command as a failure, said once:
    // never as the end of an input list or a summary of success.
    try {
      Invocation call(*c);
      rc = call.Parse(args);
      if (rc < 0) rc = c->run(call);
    } catch (const std::bad_alloc&) {
      rc = Fail(cmd + ": out of memory");
    } catch (const std::length_error&) {
      rc = Fail(cmd + ": out of memory");
    }
  } else {
    return Usage("unknown command '" + cmd + "'");
  }
  // Output that could not be written (a full disk behind a redirection) is a
  // failure too, said once: a command that failed has said why already.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    if (rc != kExitFailure)
      std::fprintf(stderr, "glyphsmith-tool: standard output: %s\n", std::strerror(errno));
    return kExitFailure;
  }
  // Everything is written and closed: the exit handlers and destructors
  // would only fault in pages to free what the process is about to drop.
  // Sanitizer builds keep them, for the leak check.
#if defined(__SANITIZE_ADDRESS__)
  return rc;
#else
  std::_Exit(rc);
#endif
}
