#include "lang/language_locale.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

TEST(LanguageCodeOfFile, NamesAndLocales) {
  struct Case {
    const char* path;
    const char* code;
  } cases[] = {
      {"/opt/gs/Lang/Francais.lng", "fr"},
      {"/opt/gs/Lang/English.lng", "en"},
      {"/opt/gs/Lang/FRANCAIS.LNG", "fr"},
      {"/opt/gs/Lang/Fran\xC3\xA7"
       "ais.lng",
       "fr"},  // UTF-8 name
      {"/opt/gs/Lang/Fran\xE7"
       "ais.lng",
       "fr"},  // Windows-1252 name
      {"C:\\gs\\Lang\\Deutsch.lng", "de"},
      {"/opt/gs/Lang/Espa\xC3\xB1ol.lng", "es"},
      {"/opt/gs/Lang/de_DE.lng", "de"},
      {"/opt/gs/Lang/pt-BR.lng", "pt"},
      {"/opt/gs/Lang/it.lng", "it"},
      {"/opt/gs/Lang/Klingon.lng", ""},
      {"/opt/gs/Lang/#", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LanguageCodeOfFile(c.path), c.code) << c.path;
}

}  // namespace
}  // namespace gs
