// English.lng must hold every key that the windows export to Francais.lng,
// and no key that no window exports any more. Each translated window is loaded
// offscreen here; add a window to Windows() when it is built.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QWidget>
#include <cctype>
#include <functional>
#include <memory>
#include <set>

#include "lang/language_files.h"
#include "lang/qt_translation.h"
#include "platform/profile_file.h"
#include "platform/settings_store.h"
#include "tests/support/qt_fake_dialogs.h"
#include "tests/support/test_support.h"

#if __has_include("shell/frmMain.h")
#include "shell/frmMain.h"
#endif
#if __has_include("files/frmSave.h")
#include "files/frmSave.h"
#endif
#if __has_include("effects/frmText.h")
#include "effects/frmDuoTone.h"
#include "effects/frmEarthQuake.h"
#include "effects/frmResample.h"
#include "effects/frmText.h"
#endif
#if __has_include("import/frmImport.h")
#include "import/frmImport.h"
#endif
#if __has_include("import/frmExtract.h")
#include "files/frmAni.h"
#include "import/frmExtract.h"
#endif
#if __has_include("shell/frmPrint.h")
#include "shell/FrmSplash.h"
#include "shell/frmAbout.h"
#include "shell/frmPrint.h"
#include "shell/qt_french_template.h"
#endif

namespace gs {
namespace {

std::string EnglishPath() { return std::string(GS_APP_DATA_DIR) + "/Lang/English.lng"; }

IconDocument& SharedDocument() {
  static IconDocument doc;
  return doc;
}

#if __has_include("effects/frmText.h")
struct SharedEffectHost : EffectHost {
  IconDocument& Document() override { return SharedDocument(); }
  void CreateBackup() override {}
  void RePaint() override {}
};
EffectHost& EffectsHost() {
  static SharedEffectHost host;
  return host;
}
#endif

struct WindowCase {
  const char* section;
  // Builds the window in `env`, as its opener does.
  std::function<std::unique_ptr<QWidget>(Environment& env)> load;
};

const std::vector<WindowCase>& Windows() {
  static const std::vector<WindowCase> windows = {
#if __has_include("shell/frmMain.h")
    {"frmMain",
     [](Environment& env) {
       auto w = std::make_unique<frmMain>(env);
       w->Start(QString());
       return std::unique_ptr<QWidget>(std::move(w));
     }},
#endif
#if __has_include("files/frmSave.h")
    {"frmSave",
     [](Environment& env) {
       return std::unique_ptr<QWidget>(new frmSave(SharedDocument(), QSize(36, 36), env));
     }},
#endif
#if __has_include("effects/frmText.h")
    {"frmDuoTone",
     [](Environment& env) {
       return std::unique_ptr<QWidget>(new frmDuoTone(EffectsHost(), QSize(36, 36), env));
     }},
    {"frmEarthQuake",
     [](Environment& env) {
       return std::unique_ptr<QWidget>(new frmEarthQuake(EffectsHost(), QSize(36, 36), env));
     }},
    {"frmResample",
     [](Environment& env) {
       return std::unique_ptr<QWidget>(new frmResample(EffectsHost(), QSize(36, 36), env));
     }},
    {"frmText",
     [](Environment& env) {
       return std::unique_ptr<QWidget>(
           new frmText(EffectsHost(), QSize(36, 36), 0, 0, kBlack, env));
     }},
#endif
#if __has_include("import/frmImport.h")
    {"frmImport",
     [](Environment& env) {
       return std::unique_ptr<QWidget>(
           new frmImport({SharedDocument(), {}, {}}, QSize(36, 36), env));
     }},
#endif
#if __has_include("import/frmExtract.h")
    {"frmExtract",
     [](Environment& env) {
       return std::unique_ptr<QWidget>(new frmExtract({SharedDocument(), {}, {}}, env));
     }},
    {"frmAni",
     [](Environment& env) { return std::unique_ptr<QWidget>(new frmAni(QSize(36, 36), env)); }},
#endif
#if __has_include("shell/frmPrint.h")
    {"frmPrint",
     [](Environment& env) {
       return std::unique_ptr<QWidget>(new frmPrint(SharedDocument(), env));
     }},
    {"frmAbout", [](Environment& env) { return std::unique_ptr<QWidget>(new frmAbout(env)); }},
    {"FrmSplash", [](Environment& env) { return std::unique_ptr<QWidget>(new FrmSplash(env)); }},
#endif
  };
  return windows;
}

class EnglishFile : public ::testing::TestWithParam<WindowCase> {
 protected:
  void SetUp() override { ASSERT_EQ(mkdir(dir_.file("Lang").c_str(), 0700), 0); }
  test::TempDir dir_;
  test::FakeDialogs dialogs_;
  Environment env_{dir_.path(), dir_.file("config"), "", &dialogs_, dir_.path()};
};

TEST_P(EnglishFile, HasExactlyTheKeysTheWindowExports) {
  const WindowCase& c = GetParam();
  const std::string french = dir_.file("Lang/Francais.lng");
  std::unique_ptr<QWidget> window = c.load(env_);
  ASSERT_EQ(window->objectName().toStdString(), c.section);
  // Controls a window creates after its load count too: the menu switch
  // translates them.
  ASSERT_TRUE(ExportWindowTexts(window.get(), french));

  ProfileFile fr(french), en(EnglishPath());
  ASSERT_TRUE(en.existed()) << EnglishPath();
  std::vector<std::string> frKeys = fr.Keys(c.section);
  std::set<std::string> enKeys;
  for (const std::string& k : en.Keys(c.section)) enKeys.insert(k);

  std::string missing;
  for (const std::string& k : frKeys)
    if (!enKeys.erase(k)) missing += k + "=" + fr.Find(c.section, k).value_or("") + "\n";
  std::string stale;
  for (const std::string& k : enKeys) stale += k + "\n";
  EXPECT_TRUE(missing.empty()) << "English.lng lacks, in [" << c.section << "]:\n" << missing;
  EXPECT_TRUE(stale.empty()) << "English.lng has keys no control exports, in [" << c.section
                             << "]:\n"
                             << stale;
}

TEST_P(EnglishFile, TranslatesTheWholeWindow) {
  // Every text that has an English value must change or already be equal to it.
  const WindowCase& c = GetParam();
  std::unique_ptr<QWidget> window = c.load(env_);
  TranslateWindow(window.get(), EnglishPath());
  // The window's texts now, as the export writes them (the title and every
  // non-empty text; an empty one equals its English value or has none).
  const std::string now = dir_.file("Lang/Now.lng");
  ASSERT_TRUE(ExportWindowTexts(window.get(), now));
  ProfileFile shown(now), en(EnglishPath());
  for (const std::string& key : shown.Keys(c.section)) {
    const std::string text = shown.Read(c.section, key, "");
    EXPECT_EQ(text, en.Read(c.section, key, text)) << key;
  }
}

// Words of four letters or more, lower case; accented letters count as letters.
std::set<std::string> Words(const std::string& text) {
  std::set<std::string> words;
  std::string word;
  const auto flush = [&] {
    if (word.size() >= 4) words.insert(word);
    word.clear();
  };
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (std::isalpha(c) || c >= 0x80)
      word += static_cast<char>(std::tolower(c));
    else if (ch != '&')  // a mnemonic mark is inside a word
      flush();
  }
  flush();
  return words;
}

// Words the French texts share with English ones: names, and the English
// titles the built-in texts already had.
const std::set<std::string> kSharedWords = {
    "angle",    "bitmap",     "bitmaps",  "cursor", "degrees", "document", "example",  "file",
    "files",    "glyphsmith", "hotspot",  "https",  "icon",    "icons",    "interval", "jpeg",
    "maker",    "menu",       "msecs",    "office", "open",    "options",  "original", "portrait",
    "position", "rectangle",  "rotation", "save",   "simple",  "software", "studio",   "symantac",
    "type",     "varnel",     "version",  "visual", "windows", "zigzag",   "zoom"};

// Every word of the built-in French texts (the whole template) that English
// does not share.
const std::set<std::string>& FrenchWords() {
  static const std::set<std::string> words = [] {
    test::TempDir scratch;
    const std::string file = scratch.file("Francais.lng");
    EXPECT_TRUE(WriteFrenchTemplate(file, scratch.path()));
    const ProfileFile fr(file);
    std::set<std::string> out;
    for (const std::string& section : fr.Sections())
      for (const std::string& key : fr.Keys(section))
        for (const std::string& w : Words(fr.Read(section, key, "")))
          if (!kSharedWords.count(w)) out.insert(w);
    return out;
  }();
  return words;
}

std::string FrenchWordsIn(const std::string& text) {
  std::string found;
  for (const std::string& w : Words(text))
    if (FrenchWords().count(w)) found += " " + w;
  return found;
}

TEST_P(EnglishFile, ShowsNoFrenchWordInEnglish) {
  // What the window shows, messages included, once it is in English.
  const WindowCase& c = GetParam();
  ASSERT_GT(FrenchWords().size(), 150u);
  ASSERT_TRUE(StoreLanguageChoice(env_.Settings(), EnglishPath()));
  std::unique_ptr<QWidget> window = c.load(env_);
  TranslateWindow(window.get(), EnglishPath());
  const std::string now = dir_.file("Lang/Now.lng");
  ASSERT_TRUE(ExportWindowTexts(window.get(), now));
  const ProfileFile shown(now);
  for (const std::string& key : shown.Keys(c.section)) {
    const std::string text = shown.Read(c.section, key, "");
    EXPECT_EQ(FrenchWordsIn(text), "") << c.section << "/" << key << "=" << text;
  }
}

TEST(EnglishFileSections, NoValueHasAFrenchWordAndTheTemplateHasEveryWindow) {
  const ProfileFile en(EnglishPath());
  for (const std::string& section : en.Sections())
    for (const std::string& key : en.Keys(section)) {
      const std::string text = en.Read(section, key, "");
      EXPECT_EQ(FrenchWordsIn(text), "") << section << "/" << key << "=" << text;
    }
  // The French template a translator copies holds every section English has.
  test::TempDir scratch;
  const std::string file = scratch.file("Francais.lng");
  ASSERT_TRUE(WriteFrenchTemplate(file, scratch.path()));
  const std::vector<std::string> frSections = ProfileFile(file).Sections(),
                                 enSections = en.Sections();
  EXPECT_EQ(std::set<std::string>(frSections.begin(), frSections.end()),
            std::set<std::string>(enSections.begin(), enSections.end()));
}

std::string CaseName(const ::testing::TestParamInfo<WindowCase>& info) {
  return info.param.section;
}

INSTANTIATE_TEST_SUITE_P(Windows, EnglishFile, ::testing::ValuesIn(Windows()), CaseName);

// Windows whose English section was written from their built-in texts before
// the window itself existed here. Move a window from this list to Windows()
// when it is built: the test above then checks its keys exactly.
const std::set<std::string> kNotYetLoaded = {};

// Sections that are not windows: the help box's lines.
const std::set<std::string> kOtherSections = {"HLP"};

TEST(EnglishFileSections, EverySectionBelongsToAWindow) {
  std::set<std::string> known = kNotYetLoaded;
  known.insert(kOtherSections.begin(), kOtherSections.end());
  for (const WindowCase& c : Windows()) {
    EXPECT_FALSE(kNotYetLoaded.count(c.section)) << c.section << " is loaded now";
    known.insert(c.section);
  }
  std::set<std::string> present;
  for (const std::string& s : ProfileFile(EnglishPath()).Sections()) {
    EXPECT_TRUE(known.count(s)) << "section [" << s << "] belongs to no window";
    present.insert(s);
  }
  for (const std::string& s : known) EXPECT_TRUE(present.count(s)) << "no section [" << s << "]";
}

}  // namespace
}  // namespace gs
