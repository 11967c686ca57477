#pragma once
// The program's name and version as windows, files and the tool show them.
// The version comes from the build (the project version in CMakeLists.txt).

// The name as a literal, for titles joined with other literals at compile time.
#define GLYPHSMITH_APP_TITLE "Varnel Glyphsmith"

namespace gs {

#ifndef GLYPHSMITH_TITLE_VERSION
#error "GLYPHSMITH_TITLE_VERSION comes from the build (CMakeLists.txt)"
#endif

inline constexpr char kAppTitle[] = GLYPHSMITH_APP_TITLE;
// The main window's title while the document has no file.
inline constexpr char kMainTitle[] =
    GLYPHSMITH_APP_TITLE " " GLYPHSMITH_TITLE_VERSION " - Création professionnelle d'icones";

}  // namespace gs
