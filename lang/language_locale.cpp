#include "lang/language_locale.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace gs {

namespace {

// Names a translator is likely to give a file, in the language itself, in
// English and in French. Lower case, accents dropped.
constexpr std::pair<const char*, const char*> kNames[] = {
    {"francais", "fr"},   {"french", "fr"},    {"english", "en"},    {"anglais", "en"},
    {"deutsch", "de"},    {"german", "de"},    {"allemand", "de"},   {"espanol", "es"},
    {"spanish", "es"},    {"espagnol", "es"},  {"italiano", "it"},   {"italian", "it"},
    {"italien", "it"},    {"portugues", "pt"}, {"portuguese", "pt"}, {"nederlands", "nl"},
    {"dutch", "nl"},      {"polski", "pl"},    {"polish", "pl"},     {"cestina", "cs"},
    {"czech", "cs"},      {"dansk", "da"},     {"danish", "da"},     {"suomi", "fi"},
    {"finnish", "fi"},    {"magyar", "hu"},    {"hungarian", "hu"},  {"norsk", "nb"},
    {"norwegian", "nb"},  {"svenska", "sv"},   {"swedish", "sv"},    {"turkce", "tr"},
    {"turkish", "tr"},    {"russian", "ru"},   {"japanese", "ja"},   {"korean", "ko"},
    {"chinese", "zh_CN"}, {"arabic", "ar"},    {"catala", "ca"},     {"catalan", "ca"},
};

// Drops the two-byte UTF-8 and one-byte Windows-1252 accents of the usual
// Latin letters, leaving their base letter.
std::string Plain(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == 0xC3 && i + 1 < s.size())
      c = static_cast<unsigned char>(s[++i]) + 0x40;  // UTF-8 to Latin-1
    if (c >= 0xE0 && c <= 0xE5)
      c = 'a';
    else if (c == 0xE7)
      c = 'c';
    else if (c >= 0xE8 && c <= 0xEB)
      c = 'e';
    else if (c >= 0xEC && c <= 0xEF)
      c = 'i';
    else if (c == 0xF1)
      c = 'n';
    else if ((c >= 0xF2 && c <= 0xF6) || c == 0xF8)
      c = 'o';
    else if (c >= 0xF9 && c <= 0xFC)
      c = 'u';
    else if (c >= 0xC0 && c <= 0xDE)
      c = static_cast<unsigned char>(std::tolower(c + 0x20));
    out += static_cast<char>(std::tolower(c));
  }
  return out;
}

}  // namespace

std::string LanguageCodeOfFile(const std::string& path) {
  std::string name = path.substr(path.find_last_of("/\\") + 1);
  if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) name.resize(dot);
  name = Plain(name);
  for (const auto& [word, code] : kNames)
    if (name == word) return code;
  // A locale name: "fr", "fr_FR", "pt-BR".
  if (name.size() >= 2 && std::isalpha(static_cast<unsigned char>(name[0])) &&
      std::isalpha(static_cast<unsigned char>(name[1])) &&
      (name.size() == 2 || ((name[2] == '_' || name[2] == '-') && name.size() <= 6)))
    return name.substr(0, 2);
  return {};
}

}  // namespace gs
