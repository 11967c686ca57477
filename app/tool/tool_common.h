#pragma once
// Shared pieces of glyphsmith-tool's commands. Exit codes: 0 done, 1 a file
// could not be read or written (one line on stderr naming it), 2 bad usage.
#include <string>
#include <vector>

#include "document/surface.h"

namespace gs::tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

int Fail(const std::string& message);   // prints "glyphsmith-tool: message", returns 1
int Usage(const std::string& message);  // prints it and the --help hint, returns 2

// Reads an .ico/.cur as the editor reads it; a file that is not one, or is
// damaged, is refused with "<path>: <reason>".
bool LoadInput(const std::string& path, Surface& pixels, std::string& error);

// Lower-case extension without the dot ("ico"), or "".
std::string ExtensionOf(const std::string& path);

int RunInfo(const std::vector<std::string>& args);
int RunConvert(const std::vector<std::string>& args);
int RunPixels(const std::vector<std::string>& args);
int RunAni(const std::vector<std::string>& args);
int RunThumbnail(const std::vector<std::string>& args);
int RunXcursor(const std::vector<std::string>& args);

}  // namespace gs::tool
