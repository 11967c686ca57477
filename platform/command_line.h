#pragma once
// The editor's command line: one file path, spaces and all, except for the
// two questions every program answers without opening a window.
#include <optional>
#include <string>

namespace gs {

// The text to print for a lone "--help" (or "-h") or "--version" argument;
// nothing when the command line names a file (or nothing) to open.
std::optional<std::string> CommandLineAnswer(int argc, const char* const* argv,
                                             const std::string& version);

}  // namespace gs
