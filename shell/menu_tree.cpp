#include "shell/menu_tree.h"

#include <array>

#include "tools/tool_table.h"

namespace gs {

namespace {

constexpr MenuRow E(int level, const char* name, int index, const char* caption,
                    const char* shortcut = nullptr) {
  return {level, name, index, caption, shortcut};
}
constexpr MenuRow Sub(int level, const char* name, int index, const char* caption) {
  MenuRow r{level, name, index, caption};
  r.submenu = true;
  return r;
}
constexpr MenuRow Disabled(MenuRow r) {
  r.enabled = false;
  return r;
}
constexpr MenuRow Also(MenuRow r, const char* shortcut) {
  r.altShortcut = shortcut;
  return r;
}
constexpr MenuRow Check(MenuRow r, bool on) {
  r.checkable = true;
  r.checked = on;
  return r;
}

// A tool's entry, captioned from the tool table; the selection is current at start.
constexpr MenuRow ToolEntry(ToolIndex tool) {
  const int index = IndexOf(tool);
  return Check(E(2, "MnuTool", index, kToolTable[static_cast<std::size_t>(index)].caption.data()),
               tool == ToolIndex::kSelect);
}

constexpr auto kTree = std::to_array<MenuRow>({
    Sub(1, "mnuFilePop", kNoIndex, "&Fichier"),
    E(2, "mnuFile", 0, "&Nouveau", "Ctrl+N"),
    E(2, "mnuFile", 1, "&Ouvrir", "Ctrl+O"),
    E(2, "mnuFile", 2, "&Enregistrer", "Ctrl+S"),
    E(2, "mnuFile", 3, "Enregistrer sous.."),
    E(2, "mnuFile", 9, "-"),
    E(2, "mnuFile", 10, "&Imprimer", "Ctrl+P"),
    E(2, "mnuFile", 11, "-"),
    Disabled(E(2, "mnuFile", 12, "1. ")),
    Disabled(E(2, "mnuFile", 13, "2. ")),
    Disabled(E(2, "mnuFile", 14, "3. ")),
    Disabled(E(2, "mnuFile", 15, "4. ")),
    E(2, "mnuFile", 16, "-"),
    E(2, "mnuFile", 17, "&Quitter", "Ctrl+Q"),
    Sub(1, "mnuEditPop", kNoIndex, "&Edition"),
    // Ctrl+Z is what every editor undoes with.
    Disabled(E(2, "mnuEdit", 0, "&Annuler", "Ctrl+Z")),
    Disabled(Also(E(2, "mnuEdit", 5, "&Rétablir", "Ctrl+Y"), "Ctrl+Shift+Z")),
    E(2, "mnuEdit", 1, "-"),
    E(2, "mnuEdit", 2, "Couper", "Ctrl+X"),
    E(2, "mnuEdit", 3, "Copier", "Ctrl+C"),
    E(2, "mnuEdit", 4, "Coller", "Ctrl+V"),
    Sub(1, "Affi", kNoIndex, "&Affichage"),
    Sub(2, "Mnutype", kNoIndex, "Type du menu"),
    Check(E(3, "mnuxp", kNoIndex, "&Menu Office Xp"), false),
    Check(E(3, "mnu2003", kNoIndex, "&Menu Office 2003"), true),
    Sub(2, "ToolBar", kNoIndex, "&Type de la barre d'outils"),
    Check(E(3, "MnuTb", 0, "&Bleu"), true),
    Check(E(3, "MnuTb", 1, "Gris"), false),
    Check(E(3, "MnuTb", 2, "&Vert"), false),
    Check(E(3, "MnuTb", 3, "Visual Studio.net"), false),
    Check(E(3, "MnuTb", 4, "&Symantac"), false),
    Check(E(3, "MnuTb", 5, "&Détection automatique"), false),
    E(2, "sepxp", kNoIndex, "-"),
    Sub(2, "zoom", kNoIndex, "Zoom"),
    E(3, "zooAv", kNoIndex, "Zoom Avant (+)"),
    E(3, "ZooAr", kNoIndex, "Zoom Arrière (-)"),
    Check(E(2, "mnuGrid", kNoIndex, "&Grille"), false),
    E(2, "sepzoom", kNoIndex, "-"),
    Sub(2, "mnuLng", kNoIndex, "&Langue"),
    E(3, "MNlangueChoice", 0, "#"),
    Sub(1, "mnuTools", kNoIndex, "&Outils"),
    // The current tool's entry is checked, the selection at start.
    ToolEntry(ToolIndex::kSelect),
    ToolEntry(ToolIndex::kEraser),
    ToolEntry(ToolIndex::kFill),
    ToolEntry(ToolIndex::kPicker),
    ToolEntry(ToolIndex::kPencil),
    ToolEntry(ToolIndex::kBrush),
    ToolEntry(ToolIndex::kSpray),
    ToolEntry(ToolIndex::kText),
    ToolEntry(ToolIndex::kLine),
    ToolEntry(ToolIndex::kRectangle),
    ToolEntry(ToolIndex::kEllipse),
    ToolEntry(ToolIndex::kRoundRect),
    Sub(1, "mnuEffectsPop", kNoIndex, "E&ffets"),
    E(2, "mnuEffects", 0, "Taille"),
    Sub(2, "mnuEffects", 1, "Miroire"),
    E(3, "mnuFlip", 0, "Horizontale"),
    E(3, "mnuFlip", 1, "Verticale"),
    Sub(2, "mnuEffects", 2, "Rotation"),
    E(3, "mnuRotate", 0, "90° horloge"),
    E(3, "mnuRotate", 1, "90° Contre horloge"),
    E(3, "mnuRotate", 2, "180°"),
    E(3, "mnuRotate", 3, "Personnaliser..."),
    E(2, "mnuEffects", 3, "Inverser"),
    E(2, "mnuEffects", 4, "Tirage"),
    E(2, "mnuEffects", 5, "Nocturne"),
    E(2, "mnuEffects", 6, "Remplacer couleur"),
    Sub(2, "mnuEffects", 7, "Convertir en"),
    E(3, "mnuConvert", 0, "Noir/Blanc (1bit)"),
    E(3, "mnuConvert", 1, "16 Couleurs (4bit)"),
    E(3, "mnuConvert", 2, "256 Couleurs (8bit)"),
    E(2, "mnuEffects", 8, "Pixelage"),
    E(2, "mnuEffects", 9, "Zigzag"),
    Sub(1, "mnuspecials", kNoIndex, "&Spéciale"),
    E(2, "mnuspecial", 5, "Extraire d'un fichier"),
    E(2, "mnuspecial", 6, "Importer image"),
    Sub(2, "mnuspecial", 7, "Exporter image"),
    E(3, "mnuExport", 0, "Curseur"),
    E(3, "mnuExport", 1, "Windows Bitmap"),
    E(3, "mnuExport", 2, "Fichier PCX"),
    E(3, "mnuExport", 3, "Curseur X11"),
    E(2, "mnuspecial", 8, "Créer curseur animé"),
    Sub(1, "mnuHelpPop", kNoIndex, "&Aide"),
    E(2, "hlp", kNoIndex, "&Aide"),
    E(2, "mnuHandbook", kNoIndex, "&Manuel d'utilisation", "F1"),
    E(2, "zzs", kNoIndex, "-"),
    Sub(2, "ex", kNoIndex, "&Exemples"),
    E(3, "exico", kNoIndex, "Icons"),
    E(3, "excur", kNoIndex, "Curseurs"),
    E(2, "aa", kNoIndex, "-"),
    E(2, "mnuHelp", 0, "Varnel sur le Net"),
    E(2, "mnuHelp", 1, "A propos"),
});

constexpr MenuPicture Art(const char* key, CommandArt art) { return {key, art, std::nullopt}; }
constexpr MenuPicture Tool(const char* key, ToolIndex tool) { return {key, std::nullopt, tool}; }

using enum ToolIndex;

constexpr auto kPictures = std::to_array<MenuPicture>({
    Art("#mnuFile:0", CommandArt::New),
    Art("#mnuFile:1", CommandArt::Open),
    Art("#mnuFile:2", CommandArt::Save),
    Art("#mnuFile:3", CommandArt::SaveAs),
    Art("#mnuFile:10", CommandArt::Print),
    Art("#mnuEdit:0", CommandArt::Undo),
    Art("#mnuEdit:2", CommandArt::Cut),
    Art("#mnuEdit:3", CommandArt::Copy),
    Art("#mnuEdit:4", CommandArt::Paste),
    Art("#zooAv", CommandArt::ZoomIn),
    Art("#ZooAr", CommandArt::ZoomOut),
    Tool("#MnuTool:0", kSelect),
    Tool("#MnuTool:1", kEraser),
    Tool("#MnuTool:2", kFill),
    Tool("#MnuTool:3", kPicker),
    Tool("#MnuTool:4", kPencil),
    Tool("#MnuTool:5", kBrush),
    Tool("#MnuTool:6", kSpray),
    Tool("#MnuTool:7", kText),
    Tool("#MnuTool:8", kLine),
    Tool("#MnuTool:9", kRectangle),
    Tool("#MnuTool:10", kEllipse),
    Tool("#MnuTool:11", kRoundRect),
});

constexpr ToolbarSlot Button(int n, int x, const char* name, int index, CommandArt art) {
  return {n, x, false, name, index, art};
}
constexpr ToolbarSlot Separator(int n, int x) {
  return {n, x, true, nullptr, kNoIndex, std::nullopt};
}

constexpr auto kSlots = std::to_array<ToolbarSlot>({
    Button(1, 2, "mnuFile", 0, CommandArt::New),
    Button(2, 28, "mnuFile", 1, CommandArt::Open),
    Button(3, 54, "mnuFile", 2, CommandArt::Save),
    Separator(4, 80),
    Button(5, 84, "mnuEdit", 3, CommandArt::Copy),  // copy before cut, unlike the menu
    Button(6, 110, "mnuEdit", 2, CommandArt::Cut),
    Button(7, 136, "mnuEdit", 4, CommandArt::Paste),
    Button(8, 162, "mnuEdit", 0, CommandArt::Undo),
    Separator(9, 188),
    Button(10, 192, "mnuspecial", 6, CommandArt::ImportPicture),
    Button(11, 218, "mnuspecial", 5, CommandArt::ExtractIcons),
    Separator(12, 244),
    Button(13, 248, "zooAv", kNoIndex, CommandArt::ZoomIn),
    Button(14, 274, "ZooAr", kNoIndex, CommandArt::ZoomOut),
    Separator(15, 300),
    Button(16, 304, "mnuFile", 10, CommandArt::Print),
    Separator(17, 330),
    Button(18, 334, "mnuHelp", 0, CommandArt::WebPage),
    Button(19, 360, "hlp", kNoIndex, CommandArt::Help),
});

}  // namespace

std::span<const MenuRow> MenuTree() { return kTree; }
std::span<const MenuPicture> MenuPictures() { return kPictures; }
std::span<const ToolbarSlot> ToolbarSlots() { return kSlots; }

const ToolbarSlot* FindToolbarSlot(int number) {
  if (number < 1 || number > static_cast<int>(kSlots.size())) return nullptr;
  return &kSlots[static_cast<std::size_t>(number - 1)];
}

std::string MenuPictureKey(const std::string& name, int index) {
  std::string key = "#" + name;
  if (index != kNoIndex) key += ":" + std::to_string(index);
  return key;
}

std::string SpokenCaption(const std::string& caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      // "&&" is a literal ampersand.
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  while (!out.empty() && (out.back() == '.' || out.back() == ' ')) out.pop_back();
  std::size_t start = 0;
  while (start < out.size() && out[start] == ' ') ++start;
  return out.substr(start);
}

}  // namespace gs
