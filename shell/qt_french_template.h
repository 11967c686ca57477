#pragma once
// The French language file as a translator needs it: every window's built-in
// texts and messages, the help lines and the "MSG" list, written at build
// time (app/lang/make_french_lng.cpp) and installed beside English.lng.
#include <string>

namespace gs {

// Loads every translated window offscreen (its settings and scratch files in
// `scratchFolder`) and exports its texts to `file`. False when `file` could
// not be written.
bool WriteFrenchTemplate(const std::string& file, const std::string& scratchFolder);

}  // namespace gs
