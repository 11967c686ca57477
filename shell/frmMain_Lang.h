#pragma once
// State of the main window's lang concern.
#include "shell/frmMain.h"

namespace gs {

struct LangPart {};

// Told once when the settings cannot be saved (main() shows it).
inline constexpr char kSettingsNotSaved[] =
    "Les réglages ne peuvent pas être enregistrés : la langue, les dossiers et les fichiers "
    "récents choisis à partir de maintenant seront oubliés.";
// Told each time another program kept the settings locked.
inline constexpr char kSettingsBusy[] =
    "Les réglages n'ont pas été enregistrés : un autre programme (peut-être une autre fenêtre de "
    "Varnel Glyphsmith) les tient verrouillés.";

}  // namespace gs
