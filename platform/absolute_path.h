#pragma once
// Paths given on the command line, made absolute once so that what is opened,
// shown in the title and remembered in the recent list is the same file
// whichever folder the program is started from next.
//
//   const std::string path = AbsolutePath(commandLine, CurrentFolder());
//
// Names are bytes: nothing here assumes UTF-8.
#include <string>
#include <string_view>

namespace gs {

// The current folder as the user's shell names it: $PWD when it is absolute
// and names the same folder as ".", else the kernel's own path of it; empty
// when neither can be had.
std::string CurrentFolder();

// `path` against `currentFolder` (an absolute folder), lexically normalised:
// empty and "." components dropped, ".." taking away the component before it.
// Only where ".." follows a symbolic link is that link resolved first, since
// the link's ".." is its target's parent; no other link is followed. A trailing
// "/" is kept. An empty path, or a relative one with no current folder, comes
// back as it was.
std::string AbsolutePath(std::string_view path, std::string_view currentFolder);

}  // namespace gs
