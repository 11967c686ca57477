#pragma once
// The toolkit's own texts (standard buttons "Oui/Non/Annuler", file dialogs)
// follow the language of the chosen language file, where the toolkit has that
// language, rather than the desktop's locale.
#include <string>

namespace gs {

// Installs the toolkit's translation for the language of `languagePath`
// (none for English or an unknown language); does nothing when that
// language is already in place.
void UseStandardTextsOf(const std::string& languagePath);

}  // namespace gs
