#include "lang/qt_standard_buttons.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "lang/language_locale.h"

namespace gs {

namespace {

struct Installed {
  std::string code;
  std::unique_ptr<QTranslator> translator;
};

Installed& Current() {
  static Installed installed;
  return installed;
}

}  // namespace

void UseStandardTextsOf(const std::string& languagePath) {
  std::string code = LanguageCodeOfFile(languagePath);
  if (code == "en") code.clear();
  Installed& now = Current();
  if (code == now.code) return;
  if (now.translator) QCoreApplication::removeTranslator(now.translator.get());
  now.translator.reset();
  now.code.clear();
  if (code.empty()) return;
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QString::fromStdString("qtbase_" + code),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return;  // the toolkit lacks the language: its English stays
  QCoreApplication::installTranslator(translator.get());
  now.translator = std::move(translator);
  now.code = code;
}

}  // namespace gs
