#include "shell/help_text.h"

#include "platform/profile_file.h"

namespace gs {

namespace {

std::string Key(int n) { return "line" + std::to_string(n); }

}  // namespace

const std::vector<std::string>& BuiltInHelpLines() {
  static const std::vector<std::string> lines = {
      "Varnel Glyphsmith est un éditeur d'icones et de curseurs très simple",
      "et facile à utiliser. Cette nouvelle version apporte de nombreuses",
      "options et de nombreux effets. Un logiciel signé Varnel.",
      "- De nombreux effets pour transformer vos icones.",
      "",
      "- Importer des images (BMP, GIF, JPEG) et les convertir",
      "  en icones, en sélectionnant avec précision la région",
      "  de l'image à garder.",
      "",
      "- Exporter en icones, en bitmaps, en curseurs et en PCX.",
      "",
      "- Créer des curseurs animés à partir de curseurs.",
      "",
      "- Choisir un fichier exe ou dll pour en extraire",
      "  les icones et les images.",
      "",
      "- Imprimer les icones à n'importe quelle taille.",
      "",
      "- Créer des icones grâce à une barre d'outils",
      "  très riche.",
      "",
      "- Un sélecteur de couleurs avancé.",
      "",
      std::string(15, ' ') + std::string(40, '_'),
      std::string(15, ' ') + "Varnel Software",
  };
  return lines;
}

std::vector<std::string> LoadHelpLines(const std::string& frenchFile,
                                       const std::string& languageFile) {
  const std::vector<std::string>& builtIn = BuiltInHelpLines();
  if (!frenchFile.empty()) {
    ProfileFile french(frenchFile);
    for (int n = 1; n <= kHelpLineCount; ++n) french.Write(kHelpSection, Key(n), builtIn[n - 1]);
    french.Save();  // a language file is never worth an error
  }
  std::vector<std::string> lines;
  const ProfileFile chosen(languageFile);
  for (int n = 1; n <= kHelpLineCount; ++n)
    lines.push_back(chosen.Read(kHelpSection, Key(n), builtIn[n - 1]));
  return lines;
}

std::string HelpText(const std::vector<std::string>& lines) {
  std::string text = "\r";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    text += lines[i];
    if (i + 1 < lines.size()) text += '\r';
  }
  return text;
}

}  // namespace gs
