#pragma once
// Which language a language file is written in, told by its name, so that
// the standard buttons of message boxes and dialogs (whose texts come with
// the toolkit) can speak it too.
#include <string>

namespace gs {

// A two-letter language code ("fr", "en", "de"...) for a language file path
// such as ".../Lang/Francais.lng", ".../Lang/English.lng" or ".../Lang/de_DE.lng";
// empty when the name tells no known language.
std::string LanguageCodeOfFile(const std::string& path);

}  // namespace gs
