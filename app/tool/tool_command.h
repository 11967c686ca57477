#pragma once
// How a glyphsmith-tool command describes itself. Each command is one table
// (its name, synopsis, options and help text) and a run function; the parser,
// `COMMAND --help`, `help COMMAND` and the overview all come from the tables.
//
//   constexpr OptionSpec kFooOptions[] = {
//       {"--depth", "N", "bits per pixel: 1, 4, 8 or 24"},
//       {"--quiet", "", "no progress"},            // a flag: no value
//   };
//   int RunFoo(const Invocation& call);
//   extern const CommandSpec kFooCommand{
//       .name = "foo", .synopsis = "IN OUT [OPTIONS]", .summary = "one line",
//       .description = "paragraphs", .options = kFooOptions, .run = RunFoo};
//
// and one line `&kFooCommand,` in the table of tool_main.cpp. Options take
// `--name value` or `--name=value`; `--` ends the options; `-` is an operand
// (standard input or output). A command with `.batch = true` also takes
// --out-dir DIR, --files-from FILE and -0, and hands its work to RunBatch
// (tool_batch.h).
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gs::tool {

struct OptionSpec {
  std::string_view name;   // as typed: "--depth", "-0"
  std::string_view value;  // what the value is called ("N"); empty for a flag
  // May hold line breaks; "{choices}" stands for the choices ("1, 4, 8 or
  // 24"), "{format}" for the command's default output format.
  std::string_view help;
  // The only values it takes, if it has such a list: the parser checks them
  // and completion offers them.
  std::span<const std::string_view> choices = {};
};

// The values of the options shared by the commands that write an icon
// (tool_output.h), for their parser, help and completion alike.
inline constexpr std::string_view kFormatChoices[] = {"ico", "cur", "bmp", "pcx", "png"};
inline constexpr std::string_view kDepthChoices[] = {"1", "4", "8", "24"};
inline constexpr std::string_view kPaletteChoices[] = {"none", "high", "extreme"};

// "a, b or c".
std::string ChoiceList(std::span<const std::string_view> choices, std::string_view prefix = "");

class Invocation;

struct CommandSpec {
  std::string_view name;
  std::string_view synopsis;     // after "glyphsmith-tool NAME "; one usage per line
  std::string_view summary;      // one line for the overview
  std::string_view description;  // shown under the usage lines
  std::span<const OptionSpec> options;
  bool batch = false;  // adds the shared batch options
  // Writes an icon: adds the shared output options (tool_output.h), with
  // this format by default in batch mode.
  std::string_view defaultFormat = {};
  // Reads files of several images and keeps the others: adds --single-image.
  bool keepsOtherImages = false;
  // Words it takes among its operands (effect's operations), for completion.
  std::span<const std::string_view> words = {};
  int (*run)(const Invocation& call) = nullptr;
};

// A command line parsed against a command's table. Views point into argv.
class Invocation {
 public:
  explicit Invocation(const CommandSpec& command) : command_(&command) {}

  const CommandSpec& command() const { return *command_; }
  const std::vector<std::string_view>& operands() const { return operands_; }
  bool Has(std::string_view option) const;
  // The last value given for the option.
  std::optional<std::string_view> Value(std::string_view option) const;

  // Batch mode: --out-dir given.
  bool IsBatch() const { return Has("--out-dir"); }

  // Parses args (argv after the command name). Returns -1 when the command
  // should run; otherwise the exit code (help shown, or a usage message printed).
  int Parse(std::span<char* const> args);

 private:
  const CommandSpec* command_;
  std::vector<std::string_view> operands_;
  std::vector<std::pair<std::string_view, std::string_view>> given_;
};

// Finds a command in the table.
const CommandSpec* FindCommand(std::span<const CommandSpec* const> table, std::string_view name);

// `glyphsmith-tool NAME --help`.
void PrintCommandHelp(const CommandSpec& command, std::FILE* to);
// `glyphsmith-tool --help`: every command's usage and summary.
void PrintOverview(std::span<const CommandSpec* const> table, std::FILE* to);

// `glyphsmith-tool --completion bash|zsh`: a completion script for the shell,
// with every command and its options. False for a shell it does not know.
bool PrintCompletion(std::span<const CommandSpec* const> table, std::string_view shell,
                     std::FILE* to);

// "glyphsmith-tool: warning: message" on stderr; the run goes on.
void Warn(const std::string& message);

// 1234567 -> "1,234,567".
std::string GroupDigits(unsigned long long n);

}  // namespace gs::tool
