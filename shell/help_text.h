#pragma once
// The help box: its title and its 25 lines. The lines are exported to the
// French language file (section "HLP", keys "line1" ... "line25") each time
// the box opens, and read back from the chosen language file, so a translator
// finds them beside the windows' texts.
#include <string>
#include <vector>

#include "platform/app_identity.h"

namespace gs {

inline constexpr char kHelpTitle[] = "  Varnel Glyphsmith " GLYPHSMITH_TITLE_VERSION " -  Aide";
inline constexpr char kHelpSection[] = "HLP";
inline constexpr int kHelpLineCount = 25;

const std::vector<std::string>& BuiltInHelpLines();

// Exports the built-in lines to `frenchFile` (none when empty), then reads each line from
// `languageFile` with the built-in line as default.
std::vector<std::string> LoadHelpLines(const std::string& frenchFile,
                                       const std::string& languageFile);

// A carriage return, then the lines, each but the last ended by a carriage return.
std::string HelpText(const std::vector<std::string>& lines);

}  // namespace gs
