#pragma once
// The program's name and version as windows, files and the tool show them.
// The version comes from the build (the project version in CMakeLists.txt).

namespace gs {

#ifndef GLYPHSMITH_TITLE_VERSION
#error "GLYPHSMITH_TITLE_VERSION comes from the build (CMakeLists.txt)"
#endif

inline constexpr char kAppTitle[] = "Varnel Glyphsmith";
// The main window's title while the document has no file.
inline constexpr char kMainTitle[] =
    "Varnel Glyphsmith " GLYPHSMITH_TITLE_VERSION " - Création professionnelle d'icones";

}  // namespace gs
