#include "app/tool/tool_command.h"

#include "app/tool/tool_common.h"
#include "platform/text_util.h"

namespace gs::tool {

namespace {

constexpr OptionSpec kBatchOptions[] = {
    {"--out-dir", "DIR",
     "batch mode: write each input to DIR under its own\n"
     "name with the new extension; one line per failure\n"
     "and a summary on standard error"},
    {"--files-from", "FILE",
     "batch mode: also take the inputs named in FILE, one\n"
     "per line (LF or CR LF; - for standard input); at\n"
     "most 1,000,000 lines of 4,096 bytes"},
    {"-0", "",
     "names in --files-from end with a NUL byte instead\n"
     "of a line end"},
};

// The options of every command that writes an icon, read by ReadOptions
// (tool_output.h).
constexpr OptionSpec kOutputOptions[] = {
    {"--depth", "N", "bits per pixel of the output: {choices}\n(default 24)", kDepthChoices},
    {"--palette", "METHOD",
     "colour table of 8-bit .ico and .cur files: none\n"
     "(the standard table, default), high (the picture's\n"
     "first 256 colours) or extreme (256 colours sampled\n"
     "from it); a warning when it does nothing",
     kPaletteChoices},
    {"--hotspot", "X,Y",
     "hotspot of a .cur, each from 0 to 31; without it,\n"
     "that of the cursor read (moved with the picture by\n"
     "effect's mirror, turn and rotate), else 0,0"},
    {"--to", "FORMAT",
     "{choices}: the format of OUT when it\n"
     "is -, and of every output in batch mode\n"
     "(default {format})",
     kFormatChoices},
};

constexpr OptionSpec kSingleImageOption{"--single-image", "",
                                        "write the image read alone: an .ico or .cur written\n"
                                        "from a file of several images otherwise keeps the\n"
                                        "others, as the editor's Save as does (a cursor's\n"
                                        "only with a .cur, an icon's only with an .ico)"};

constexpr OptionSpec kHelpOption{"--help", "", "show this text"};

// Every option a command takes, --help last, as its parser accepts them.
std::vector<const OptionSpec*> AllOptions(const CommandSpec& c) {
  std::vector<const OptionSpec*> all;
  for (const OptionSpec& o : c.options) all.push_back(&o);
  if (!c.defaultFormat.empty())
    for (const OptionSpec& o : kOutputOptions) all.push_back(&o);
  if (c.keepsOtherImages) all.push_back(&kSingleImageOption);
  if (c.batch)
    for (const OptionSpec& o : kBatchOptions) all.push_back(&o);
  all.push_back(&kHelpOption);
  return all;
}

const OptionSpec* FindOption(const CommandSpec& c, std::string_view name) {
  for (const OptionSpec* o : AllOptions(c))
    if (o->name == name && o != &kHelpOption) return o;
  return nullptr;
}

// An option's help with its placeholders filled in.
std::string HelpOf(const CommandSpec& c, const OptionSpec& o) {
  std::string text(o.help);
  for (std::size_t at; (at = text.find("{choices}")) != std::string::npos;)
    text.replace(at, 9, ChoiceList(o.choices));
  for (std::size_t at; (at = text.find("{format}")) != std::string::npos;)
    text.replace(at, 8, c.defaultFormat);
  return text;
}

// Prints text with every line after the first indented by `indent` spaces.
void PrintIndented(std::string_view text, int indent, std::FILE* to) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t nl = text.find('\n', start);
    const std::string_view line = text.substr(start, nl - start);
    if (start > 0 && !line.empty()) std::fprintf(to, "%*s", indent, "");
    std::fwrite(line.data(), 1, line.size(), to);
    std::fputc('\n', to);
    if (nl == std::string_view::npos) break;
    start = nl + 1;
  }
}

void PrintOption(const CommandSpec& c, const OptionSpec& o, std::FILE* to) {
  constexpr int kColumn = 24;
  std::string head = "  " + std::string(o.name);
  if (!o.value.empty()) head += " " + std::string(o.value);
  std::fputs(head.c_str(), to);
  if (static_cast<int>(head.size()) + 2 > kColumn) {
    std::fprintf(to, "\n%*s", kColumn, "");
  } else {
    std::fprintf(to, "%*s", kColumn - static_cast<int>(head.size()), "");
  }
  PrintIndented(HelpOf(c, o), kColumn, to);
}

void PrintUsageLines(const CommandSpec& c, std::FILE* to, const char* first) {
  std::string_view s = c.synopsis;
  bool firstLine = true;
  for (;;) {
    const std::size_t nl = s.find('\n');
    const std::string_view line = s.substr(0, nl);
    std::fprintf(to, "%s glyphsmith-tool %.*s %.*s\n", firstLine ? first : "      ",
                 static_cast<int>(c.name.size()), c.name.data(), static_cast<int>(line.size()),
                 line.data());
    firstLine = false;
    if (nl == std::string_view::npos) break;
    s.remove_prefix(nl + 1);
  }
}

}  // namespace

bool Invocation::Has(std::string_view option) const {
  for (const auto& [name, value] : given_)
    if (name == option) return true;
  return false;
}

std::optional<std::string_view> Invocation::Value(std::string_view option) const {
  std::optional<std::string_view> v;
  for (const auto& [name, value] : given_)
    if (name == option) v = value;
  return v;
}

namespace {

// What the editor's fields read as a number with a minus sign ("-45", "-2.5",
// "-.5", "-0x", "-1e400"): a digit, or a point and a digit, after the sign.
bool IsNegativeNumber(std::string_view a) {
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  return a.size() >= 2 && a[0] == '-' &&
         (digit(a[1]) || (a[1] == '.' && a.size() >= 3 && digit(a[2])));
}

// Batch mode is asked for anywhere before "--".
bool AsksForBatch(std::span<char* const> args) {
  for (std::string_view a : args) {
    if (a == "--") break;
    if (a == "--out-dir" || a.starts_with("--out-dir=")) return true;
  }
  return false;
}

}  // namespace

int Invocation::Parse(std::span<char* const> args) {
  const CommandSpec& c = *command_;
  const std::string who = std::string(c.name) + ": ";
  // -0 is the batch option in batch mode only; elsewhere it is minus zero.
  const bool batch = c.batch && AsksForBatch(args);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--") {
      for (++i; i < args.size(); ++i) operands_.emplace_back(args[i]);
      break;
    }
    if (batch && a.starts_with("-0=")) return Usage(who + "-0 takes no value");
    // "-" alone is standard input or output; a negative number is an operand
    // too, unless it is the batch option -0 of a batch.
    if (a.size() < 2 || a[0] != '-' || (IsNegativeNumber(a) && !(batch && FindOption(c, a)))) {
      operands_.push_back(a);
      continue;
    }
    if (a == "--help" || a == "-h") {
      PrintCommandHelp(c, stdout);
      return kExitOk;
    }
    std::string_view name = a;
    std::optional<std::string_view> inlineValue;
    if (a.starts_with("--")) {
      if (const std::size_t eq = a.find('='); eq != std::string_view::npos) {
        name = a.substr(0, eq);
        inlineValue = a.substr(eq + 1);
      }
    }
    const OptionSpec* option = FindOption(c, name);
    if (!option) return Usage(who + "unknown option '" + std::string(name) + "'");
    if (option->value.empty()) {
      if (inlineValue) return Usage(who + std::string(name) + " takes no value");
      given_.emplace_back(name, std::string_view{});
    } else if (inlineValue) {
      given_.emplace_back(name, *inlineValue);
    } else if (i + 1 < args.size()) {
      given_.emplace_back(name, std::string_view(args[++i]));
    } else {
      return Usage(who + std::string(name) + " needs a value (" + std::string(option->value) + ")");
    }
  }
  if (!c.batch) return -1;
  if (Has("--files-from") && !IsBatch()) return Usage(who + "--files-from needs --out-dir");
  if (Has("-0") && !Has("--files-from")) Warn("-0 does nothing without --files-from");
  return -1;
}

const CommandSpec* FindCommand(std::span<const CommandSpec* const> table, std::string_view name) {
  for (const CommandSpec* c : table)
    if (c->name == name) return c;
  return nullptr;
}

void PrintCommandHelp(const CommandSpec& c, std::FILE* to) {
  PrintUsageLines(c, to, "Usage:");
  if (!c.description.empty()) {
    std::fputc('\n', to);
    PrintIndented(c.description, 0, to);
  }
  std::fputs(
      "\nOptions (--name=value works as well as --name value; of an option given\n"
      "twice, the last value counts):\n",
      to);
  for (const OptionSpec* o : AllOptions(c)) PrintOption(c, *o, to);
  std::fputs("\nExit status: 0 done, 1 a file could not be read or written, 2 bad usage.\n", to);
}

void PrintOverview(std::span<const CommandSpec* const> table, std::FILE* to) {
  std::fputs("Usage: glyphsmith-tool COMMAND [ARGS]\n\nCommands:\n", to);
  for (const CommandSpec* c : table) {
    std::fprintf(to, "  %-10.*s%.*s\n", static_cast<int>(c->name.size()), c->name.data(),
                 static_cast<int>(c->summary.size()), c->summary.data());
  }
  std::fputs(
      "\n"
      "  glyphsmith-tool COMMAND --help   the options of one command\n"
      "  glyphsmith-tool help COMMAND     the same\n"
      "  glyphsmith-tool --version        the version\n"
      "\nExit status: 0 done, 1 a file could not be read or written, 2 bad usage.\n",
      to);
}

namespace {

// A help text on one line, made safe inside a zsh '...[...]' option description.
std::string ZshText(std::string_view help) {
  std::string out;
  for (const char ch : help) {
    if (ch == '\n') {
      out += ' ';
    } else if (ch == '\'') {
      out += "'\\''";
    } else if (ch == '[' || ch == ']' || ch == ':' || ch == '\\') {
      out += '\\';
      out += ch;
    } else {
      out += ch;
    }
  }
  return out;
}

// What a value is completed with: folders, files or nothing (numbers, colours).
std::string_view ZshValueAction(std::string_view value) {
  if (value == "DIR") return "_files -/";
  if (value == "FILE") return "_files";
  return " ";
}

std::string Joined(std::span<const std::string_view> words) {
  std::string out;
  for (std::string_view w : words) out.append(out.empty() ? "" : " ").append(w);
  return out;
}

void PrintBash(std::span<const CommandSpec* const> table, std::FILE* to) {
  std::fputs(
      "# bash completion for glyphsmith-tool (made by glyphsmith-tool --completion bash)\n"
      "_glyphsmith_tool() {\n"
      "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
      "  local opts='' dirs='' files='' valued='' values='' words=''\n"
      "  COMPREPLY=()\n"
      "  if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
      "    COMPREPLY=($(compgen -W 'help --help --version",
      to);
  for (const CommandSpec* c : table)
    std::fprintf(to, " %.*s", static_cast<int>(c->name.size()), c->name.data());
  std::fputs("' -- \"$cur\"))\n    return\n  fi\n  case ${COMP_WORDS[1]} in\n", to);
  std::fputs("    help)\n      [ \"$COMP_CWORD\" -eq 2 ] && COMPREPLY=($(compgen -W '", to);
  for (std::size_t i = 0; i < table.size(); ++i)
    std::fprintf(to, "%s%.*s", i ? " " : "", static_cast<int>(table[i]->name.size()),
                 table[i]->name.data());
  std::fputs("' -- \"$cur\"))\n      return ;;\n", to);
  for (const CommandSpec* c : table) {
    std::string opts, dirs, files, valued, values;
    for (const OptionSpec* o : AllOptions(*c)) {
      const std::string name(o->name);
      opts += (opts.empty() ? "" : " ") + name;
      if (o->value.empty()) continue;
      std::string& list = o->value == "DIR" ? dirs : o->value == "FILE" ? files : valued;
      list += (list.empty() ? "" : " ") + name;
      if (!o->choices.empty())
        values += "        " + name + ") values='" + Joined(o->choices) + "' ;;\n";
    }
    std::fprintf(to, "    %.*s)\n      opts='%s' dirs='%s' files='%s' valued='%s' words='%s'\n",
                 static_cast<int>(c->name.size()), c->name.data(), opts.c_str(), dirs.c_str(),
                 files.c_str(), valued.c_str(), Joined(c->words).c_str());
    if (!values.empty()) std::fprintf(to, "      case $prev in\n%s      esac\n", values.c_str());
    std::fputs("      ;;\n", to);
  }
  std::fputs(
      "    *) return ;;\n"
      "  esac\n"
      "  # The value of an option: one of its values, a folder, a file, or nothing to offer.\n"
      "  if [ -n \"$values\" ]; then COMPREPLY=($(compgen -W \"$values\" -- \"$cur\")); return; "
      "fi\n"
      "  case \" $dirs \" in *\" $prev \"*) COMPREPLY=($(compgen -d -- \"$cur\")); return ;; esac\n"
      "  case \" $files \" in *\" $prev \"*) COMPREPLY=($(compgen -f -- \"$cur\")); return ;; "
      "esac\n"
      "  case \" $valued \" in *\" $prev \"*) return ;; esac\n"
      "  if [[ $cur == -* ]]; then\n"
      "    COMPREPLY=($(compgen -W \"$opts\" -- \"$cur\"))\n"
      "  else\n"
      "    COMPREPLY=($(compgen -W \"$words\" -- \"$cur\") $(compgen -f -- \"$cur\"))\n"
      "  fi\n"
      "}\n"
      "complete -o filenames -F _glyphsmith_tool glyphsmith-tool\n",
      to);
}

void PrintZsh(std::span<const CommandSpec* const> table, std::FILE* to) {
  std::fputs(
      "#compdef glyphsmith-tool\n"
      "# zsh completion for glyphsmith-tool (made by glyphsmith-tool --completion zsh)\n"
      "local -a commands\n"
      "commands=(\n",
      to);
  for (const CommandSpec* c : table)
    std::fprintf(to, "  '%.*s:%s'\n", static_cast<int>(c->name.size()), c->name.data(),
                 ZshText(c->summary).c_str());
  std::fputs(
      "  'help:the options of one command'\n"
      ")\n",
      to);
  // The words a command takes among its files (effect's operations).
  for (const CommandSpec* c : table) {
    if (c->words.empty()) continue;
    std::fprintf(to,
                 "_glyphsmith_tool_%.*s_words() {\n"
                 "  _alternative 'words:word:(%s)' 'files:file:_files'\n"
                 "}\n",
                 static_cast<int>(c->name.size()), c->name.data(), Joined(c->words).c_str());
  }
  std::fputs(
      "if (( CURRENT == 2 )); then\n"
      "  _describe -t commands 'glyphsmith-tool command' commands\n"
      "  _arguments '--help[the commands]' '--version[the version]'\n"
      "  return\n"
      "fi\n"
      "local cmd=$words[2]\n"
      "shift words\n"
      "(( CURRENT-- ))\n"
      "case $cmd in\n"
      "  help) (( CURRENT == 2 )) && _describe -t commands 'command' commands ;;\n",
      to);
  for (const CommandSpec* c : table) {
    std::fprintf(to, "  %.*s) _arguments", static_cast<int>(c->name.size()), c->name.data());
    for (const OptionSpec* o : AllOptions(*c)) {
      const std::string name(o->name);
      const std::string help = ZshText(HelpOf(*c, *o));
      if (o->value.empty()) {
        std::fprintf(to, " \\\n      '%s[%s]'", name.c_str(), help.c_str());
      } else {
        const std::string action = o->choices.empty() ? std::string(ZshValueAction(o->value))
                                                      : "(" + Joined(o->choices) + ")";
        std::fprintf(to, " \\\n      '%s=[%s]:%.*s:%s'", name.c_str(), help.c_str(),
                     static_cast<int>(o->value.size()), o->value.data(), action.c_str());
      }
    }
    if (c->words.empty())
      std::fputs(" \\\n      '*:file:_files' ;;\n", to);
    else
      std::fprintf(to, " \\\n      '*:file:_glyphsmith_tool_%.*s_words' ;;\n",
                   static_cast<int>(c->name.size()), c->name.data());
  }
  std::fputs("esac\n", to);
}

}  // namespace

bool PrintCompletion(std::span<const CommandSpec* const> table, std::string_view shell,
                     std::FILE* to) {
  if (shell == "bash") {
    PrintBash(table, to);
  } else if (shell == "zsh") {
    PrintZsh(table, to);
  } else {
    return false;
  }
  return true;
}

std::string ChoiceList(std::span<const std::string_view> choices, std::string_view prefix) {
  std::string out;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (i > 0) out += i + 1 == choices.size() ? " or " : ", ";
    out.append(prefix).append(choices[i]);
  }
  return out;
}

void Warn(const std::string& message) {
  std::fprintf(stderr, "glyphsmith-tool: warning: %s\n", PrintableText(message).c_str());
}

std::string GroupDigits(unsigned long long n) {
  std::string digits = std::to_string(n);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

}  // namespace gs::tool
