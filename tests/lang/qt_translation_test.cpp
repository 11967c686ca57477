// Window translation on real widgets, offscreen: the generic adaptor on a
// window built here, then the main window with a temporary program folder and
// settings store.
#include "lang/qt_translation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "lang/language_files.h"
#include "platform/profile_file.h"
#include "platform/settings_store.h"
#include "shell/frmMain.h"
#include "tests/support/qt_fake_dialogs.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

// A temporary program folder with its "Lang" folder, and a temporary store.
class LanguageFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mkdir(dir_.file("prog").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(dir_.file("prog/Lang").c_str(), 0700), 0);
  }
  std::string LangFile(const std::string& name) const { return dir_.file("prog/Lang/" + name); }
  void WriteLang(const std::string& name, const std::string& body) {
    test::WriteAll(LangFile(name), {body.begin(), body.end()});
  }
  test::TempDir dir_;
  test::FakeDialogs dialogs_;
  // The user data folder is the program folder here: what is exported is read back.
  Environment env_{dir_.file("prog"), dir_.file("config"), "", &dialogs_, dir_.file("prog")};
};

// Every kind of control the adaptor knows, and a few it must leave out.
struct SampleWindow {
  QMainWindow window;
  QLabel* label;
  QLabel* picture;
  QPushButton* button;
  QLineEdit* field;
  QTabWidget* tabs;
  QAction* open;
  QAction* quit;
  QMenu* mirror;

  SampleWindow() {
    window.setObjectName("frmSample");
    window.setWindowTitle("Exemple");
    QMenu* file = window.menuBar()->addMenu("&Fichier");
    file->setObjectName("mnuFilePop");
    file->menuAction()->setObjectName("mnuFilePop");
    open = file->addAction("&Ouvrir");
    open->setObjectName("mnuFile");
    SetControlIndex(open, 1);
    QAction* sep = file->addAction("-");
    sep->setSeparator(true);
    sep->setObjectName("mnuFile");
    SetControlIndex(sep, 9);
    mirror = new QMenu("Miroire", &window);
    mirror->setObjectName("mnuEffects");
    mirror->menuAction()->setObjectName("mnuEffects");
    SetControlIndex(mirror->menuAction(), 11);
    file->addMenu(mirror);
    QAction* flip = mirror->addAction("Horizontale");
    flip->setObjectName("mnuFlip");
    SetControlIndex(flip, 0);
    quit = file->addAction("&Quitter");
    quit->setObjectName("mnuFile");
    SetControlIndex(quit, 17);
    quit->setToolTip("Fermer la fen\xC3\xAAtre");
    file->addAction("sans nom");  // no name: not a control

    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    label = new QLabel("Nom :", central);
    label->setObjectName("Label1");
    picture = new QLabel(central);
    picture->setObjectName("picPrev");
    picture->setPixmap(QPixmap(8, 8));
    button = new QPushButton("&Annuler", central);
    button->setObjectName("cmdCancel");
    button->setToolTip("Abandonner");
    auto* option = new QCheckBox("Bord", central);
    option->setObjectName("optStyle");
    SetControlIndex(option, 2);
    field = new QLineEdit("32", central);
    field->setObjectName("txtOffX");
    auto* frame = new QGroupBox("Options", central);
    frame->setObjectName("Frame1");
    tabs = new QTabWidget(central);
    auto* page = new QWidget;
    page->setObjectName("Page");
    SetControlIndex(page, 0);
    tabs->addTab(page, "Fichier");
    auto* empty = new QLabel(central);
    empty->setObjectName("lblStatus");
    auto* child = new QDialog(&window);  // a window of its own
    child->setObjectName("frmChild");
    auto* inner = new QPushButton("Interne", child);
    inner->setObjectName("cmdInner");
  }
};

TEST_F(LanguageFixture, ReachesEveryControlInLayoutOrder) {
  SampleWindow s;
  const std::vector<std::string> keys = {"mnuFilePop.Caption",      "mnuFilePop.ToolTipText",
                                         "mnuFile(1).Caption",      "mnuFile(1).ToolTipText",
                                         "mnuFile(9).Caption",      "mnuFile(9).ToolTipText",
                                         "mnuEffects(11).Caption",  "mnuEffects(11).ToolTipText",
                                         "mnuFlip(0).Caption",      "mnuFlip(0).ToolTipText",
                                         "mnuFile(17).Caption",     "mnuFile(17).ToolTipText",
                                         "Label1.Caption",          "Label1.ToolTipText",
                                         "picPrev.ToolTipText",     "cmdCancel.Caption",
                                         "cmdCancel.ToolTipText",   "optStyle(2).Caption",
                                         "optStyle(2).ToolTipText", "txtOffX.ToolTipText",
                                         "Frame1.Caption",          "Frame1.ToolTipText",
                                         "Page(0).Caption",         "Page(0).ToolTipText",
                                         "lblStatus.Caption",       "lblStatus.ToolTipText"};
  // Once every text the routines reach holds something (those that were empty
  // too), the export lists them all, in the order the routines see them.
  std::string body = "[frmSample]\nForm.Caption=T\n";
  for (const std::string& key : keys) body += key + "=" + key + "\n";
  WriteLang("English.lng", body);
  TranslateWindow(&s.window, LangFile("English.lng"));
  const std::string exported = LangFile("Export.lng");
  ASSERT_TRUE(ExportWindowTexts(&s.window, exported));
  std::vector<std::string> expected = {"Form.Caption"};
  expected.insert(expected.end(), keys.begin(), keys.end());
  const ProfileFile profile(exported);
  EXPECT_EQ(profile.Sections(), std::vector<std::string>{"frmSample"});
  EXPECT_EQ(profile.Keys("frmSample"), expected);
}

TEST_F(LanguageFixture, ExportWritesOnlyNonEmptyTexts) {
  SampleWindow s;
  std::string fr = LangFile("Francais.lng");
  ASSERT_TRUE(ExportWindowTexts(&s.window, fr));
  ProfileFile profile(fr);
  EXPECT_EQ(
      profile.Keys("frmSample"),
      (std::vector<std::string>{
          "Form.Caption", "mnuFilePop.Caption", "mnuFile(1).Caption", "mnuFile(9).Caption",
          "mnuEffects(11).Caption", "mnuFlip(0).Caption", "mnuFile(17).Caption",
          "mnuFile(17).ToolTipText", "Label1.Caption", "cmdCancel.Caption", "cmdCancel.ToolTipText",
          "optStyle(2).Caption", "Frame1.Caption", "Page(0).Caption"}));
  EXPECT_EQ(profile.Find("frmSample", "mnuFile(17).ToolTipText"), "Fermer la fen\xC3\xAAtre");
  EXPECT_EQ(profile.Find("frmSample", "mnuFile(9).Caption"), "-");
  EXPECT_EQ(profile.Sections(), std::vector<std::string>{"frmSample"});
}

TEST_F(LanguageFixture, TranslationReachesEveryKindOfControl) {
  SampleWindow s;
  WriteLang("English.lng",
            "[frmSample]\nForm.Caption=Sample\nmnuFilePop.Caption=&File\nmnuFile(1).Caption=&Open\n"
            "mnuFile(1).ToolTipText=Open a file\nmnuEffects(11).Caption=Mirror\n"
            "mnuFile(17).Caption=&Quit\nLabel1.Caption=Name:\npicPrev.Caption=broken\n"
            "cmdCancel.Caption=&Cancel\ncmdCancel.ToolTipText=\ntxtOffX.Caption=99\n"
            "Page(0).Caption=File\nlblStatus.Caption=Ready\n"
            "[frmChild]\nForm.Caption=wrong\n");
  TranslateWindow(&s.window, LangFile("English.lng"));
  EXPECT_EQ(s.window.windowTitle(), "Sample");
  EXPECT_EQ(s.window.menuBar()->actions().at(0)->text(), "&File");
  EXPECT_EQ(s.open->text(), "&Open");
  EXPECT_EQ(s.open->toolTip(), "Open a file");
  EXPECT_EQ(s.mirror->title(), "Mirror");
  EXPECT_EQ(s.quit->text(), "&Quit");
  EXPECT_EQ(s.quit->toolTip(), "Fermer la fen\xC3\xAAtre");  // no key: unchanged
  EXPECT_EQ(s.label->text(), "Name:");
  EXPECT_TRUE(s.picture->text().isEmpty()) << "a picture has no caption";
  EXPECT_FALSE(s.picture->pixmap().isNull());
  EXPECT_EQ(s.button->text(), "&Cancel");
  EXPECT_EQ(s.button->toolTip(), "") << "a present empty value wins";
  EXPECT_EQ(s.field->text(), "32") << "a field has no caption";
  EXPECT_EQ(s.tabs->tabText(0), "File");
  EXPECT_EQ(s.window.findChild<QLabel*>("lblStatus")->text(), "Ready");
  EXPECT_EQ(s.window.findChild<QDialog*>("frmChild")->windowTitle(), "");
}

TEST_F(LanguageFixture, LoadExportsThenTranslatesFromTheChoice) {
  WriteLang("English.lng", "[frmSample]\nForm.Caption=Sample\nmnuFile(1).Caption=&Open\n");
  ASSERT_TRUE(env_.Settings().Save("Varnel Glyphsmith", "FILES", "LNG", LangFile("English.lng")));
  SampleWindow s;
  LoadWindowLanguage(&s.window, env_);
  // The French file holds the built-in texts, not the translated ones.
  EXPECT_EQ(ReadProfileString(LangFile("Francais.lng"), "frmSample", "mnuFile(1).Caption", ""),
            "&Ouvrir");
  EXPECT_EQ(s.open->text(), "&Open");
  EXPECT_EQ(s.window.windowTitle(), "Sample");
  EXPECT_EQ(env_.languageFile, LangFile("English.lng"));
}

TEST_F(LanguageFixture, ATemplateAlreadyThereIsUpdatedOnlyAfterTheFirstFrame) {
  WriteLang("English.lng", "[frmSample]\nmnuFile(1).Caption=&Open\n");
  ASSERT_TRUE(env_.Settings().Save("Varnel Glyphsmith", "FILES", "LNG", LangFile("English.lng")));
  {
    SampleWindow missing;
    LoadWindowLanguage(&missing.window, env_, false, TemplateExport::AfterFirstFrame);
    EXPECT_EQ(ReadProfileString(LangFile("Francais.lng"), "frmSample", "mnuFile(1).Caption", ""),
              "&Ouvrir")
        << "a missing template is written at once";
  }
  WriteLang("Francais.lng", "[frmSample]\nmnuFile(1).Caption=Old\n");
  SampleWindow s;
  LoadWindowLanguage(&s.window, env_, false, TemplateExport::AfterFirstFrame);
  EXPECT_EQ(s.open->text(), "&Open") << "translated before the first frame";
  EXPECT_EQ(ReadProfileString(LangFile("Francais.lng"), "frmSample", "mnuFile(1).Caption", ""),
            "Old");
  s.window.resize(200, 100);
  s.window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&s.window));
  for (int i = 0; i < 10; ++i) QApplication::processEvents();
  EXPECT_EQ(ReadProfileString(LangFile("Francais.lng"), "frmSample", "mnuFile(1).Caption", ""),
            "&Ouvrir")
      << "the built-in texts, not the translated ones";
}

TEST_F(LanguageFixture, SplashLoadAlsoExportsTheMessages) {
  SampleWindow s;
  LoadWindowLanguage(&s.window, env_, true);
  EXPECT_TRUE(ProfileFile(LangFile("Francais.lng")).Keys("MSG").empty()) << "the list is empty";
  MessageTexts() = {"Fichier non trouv\xC3\xA9!"};
  LoadWindowLanguage(&s.window, env_, true);
  MessageTexts().clear();
  EXPECT_EQ(ReadProfileString(LangFile("Francais.lng"), "MSG", "msg1", ""),
            "Fichier non trouv\xC3\xA9!");
}

// The main window, started as the editor starts it.
class MainWindowLanguage : public LanguageFixture {
 protected:
  void StartMain() {
    main_ = std::make_unique<frmMain>(env_);
    main_->Start(QString());
  }
  QStringList LanguageEntries() {
    QStringList texts;
    for (QAction* a : main_->Menu("mnuLng")->actions())
      if (a->objectName() == "MNlangueChoice") texts << a->text();
    return texts;
  }
  void Choose(int index) {
    for (QAction* a : main_->Menu("mnuLng")->actions())
      if (a->objectName() == "MNlangueChoice" && a->property("gsIndex").toInt() == index)
        a->trigger();
  }
  std::unique_ptr<frmMain> main_;
};

TEST_F(MainWindowLanguage, StartWritesTheFrenchFileAndFillsTheMenu) {
  StartMain();
  ProfileFile fr(LangFile("Francais.lng"));
  ASSERT_TRUE(fr.existed());
  EXPECT_EQ(fr.Find("frmMain", "Form.Caption"), main_->windowTitle().toStdString());
  EXPECT_EQ(fr.Find("frmMain", "mnuFile(0).Caption"), "&Nouveau");
  EXPECT_EQ(fr.Find("frmMain", "mnuFile(9).Caption"), "-");
  EXPECT_EQ(fr.Find("frmMain", "mnuFile(17).Caption"), "&Quitter");
  EXPECT_EQ(fr.Find("frmMain", "mnuspecial(5).Caption"), "Extraire d'un fichier");
  EXPECT_EQ(fr.Find("frmMain", "MNlangueChoice(0).Caption"), "#");
  EXPECT_FALSE(fr.Find("frmMain", "mnuFile(4).Caption"));
  // The built-in texts in the file are Windows-1252.
  auto bytes = test::ReadAll(LangFile("Francais.lng"));
  std::string text(bytes.begin(), bytes.end());
  EXPECT_NE(text.find("Zoom Arri\xE8re (-)"), std::string::npos);
  EXPECT_EQ(LanguageEntries(), QStringList{"Francais.lng"});
}

TEST_F(MainWindowLanguage, ChoosingALanguageSwitchesTheWindowAtOnce) {
  WriteLang("Test.lng",
            "[frmMain]\r\nForm.Caption=Glyphsmith test\r\nmnuFilePop.Caption=&File\r\n"
            "mnuFile(0).Caption=&New\r\nmnuFile(17).Caption=E&xit\r\n"
            "mnuEffects(1).Caption=Mirror\r\nMNlangueChoice(0).Caption=overwritten\r\n");
  StartMain();
  ASSERT_EQ(LanguageEntries(), (QStringList{"Francais.lng", "Test.lng"}));
  Choose(1);
  EXPECT_EQ(main_->windowTitle(), "Glyphsmith test");
  EXPECT_EQ(main_->Menu("mnuFilePop")->title(), "&File");
  EXPECT_EQ(main_->MenuAction("mnuFile", 0)->text(), "&New");
  EXPECT_EQ(main_->MenuAction("mnuFile", 17)->text(), "E&xit");
  EXPECT_EQ(main_->MenuAction("mnuFile", 1)->text(), "&Ouvrir") << "no key: unchanged";
  EXPECT_EQ(main_->Menu("mnuEffects")->title(), "Mirror");
  EXPECT_EQ(LanguageEntries(), (QStringList{"Francais.lng", "Test.lng"}))
      << "the menu shows file names whatever the file says";
  EXPECT_EQ(env_.Settings().Get("Varnel Glyphsmith", "FILES", "LNG", ""), LangFile("Test.lng"));

  // The next start exports French again and then translates from the choice.
  main_.reset();
  StartMain();
  EXPECT_EQ(main_->MenuAction("mnuFile", 0)->text(), "&New");
  EXPECT_EQ(ReadProfileString(LangFile("Francais.lng"), "frmMain", "mnuFile(0).Caption", ""),
            "&Nouveau");

  Choose(0);
  EXPECT_EQ(main_->MenuAction("mnuFile", 0)->text(), "&Nouveau");
  EXPECT_EQ(main_->Menu("mnuEffects")->title(), "Miroire");
}

TEST_F(MainWindowLanguage, WithoutLanguageFilesTheMenuKeepsTheHashEntry) {
  ASSERT_EQ(rmdir(LangFile("").c_str()), 0);
  env_.userDataFolder.clear();  // nothing exported, so no file at all
  StartMain();
  ASSERT_EQ(LanguageEntries(), QStringList{"#"});
  const QString before = main_->MenuAction("mnuFile", 0)->text();
  Choose(0);
  EXPECT_EQ(env_.Settings().Get("Varnel Glyphsmith", "FILES", "LNG", ""), LangFile("#"));
  EXPECT_EQ(main_->MenuAction("mnuFile", 0)->text(), before);
  EXPECT_EQ(LanguageEntries(), QStringList{"#"});
}

TEST_F(MainWindowLanguage, FileNameWithAmpersandIsShownAndChosenIntact) {
  WriteLang("R&D.lng", "[frmMain]\nmnuFile(0).Caption=&Neu\n");
  StartMain();
  ASSERT_EQ(LanguageEntries(), (QStringList{"Francais.lng", "R&&D.lng"}));
  Choose(1);
  EXPECT_EQ(env_.Settings().Get("Varnel Glyphsmith", "FILES", "LNG", ""), LangFile("R&D.lng"));
  EXPECT_EQ(main_->MenuAction("mnuFile", 0)->text(), "&Neu");
}

}  // namespace
}  // namespace gs

namespace gs {
namespace {

// The locale variables for one test, put back afterwards.
class LocaleVariables {
 public:
  LocaleVariables() {
    for (const char* name : kNames)
      if (const char* v = std::getenv(name)) saved_.emplace_back(name, v);
  }
  ~LocaleVariables() {
    for (const char* name : kNames) unsetenv(name);
    for (const auto& [name, value] : saved_) setenv(name.c_str(), value.c_str(), 1);
  }
  void Use(const char* lang) {
    for (const char* name : kNames) unsetenv(name);
    if (lang) setenv("LANG", lang, 1);
  }

 private:
  static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::vector<std::pair<std::string, std::string>> saved_;
};

std::string EnglishPath() { return std::string(GS_APP_DATA_DIR) + "/Lang/English.lng"; }

TEST_F(MainWindowLanguage, TheFirstStartSpeaksTheLocalesLanguage) {
  const std::vector<std::uint8_t> english = test::ReadAll(EnglishPath());
  test::WriteAll(LangFile("English.lng"), english);
  LocaleVariables locale;
  struct Case {
    const char* lang;
    const char* file;
    const char* newEntry;
  };
  int n = 0;
  for (const Case& c :
       {Case{"en_US.UTF-8", "English.lng", "&New"}, Case{"fr_FR.UTF-8", "Francais.lng", "&Nouveau"},
        Case{"C", "Francais.lng", "&Nouveau"}, Case{nullptr, "Francais.lng", "&Nouveau"}}) {
    locale.Use(c.lang);
    env_.settingsFolder = dir_.file("config" + std::to_string(++n));  // no settings yet
    StartMain();
    EXPECT_EQ(env_.languageFile, LangFile(c.file)) << (c.lang ? c.lang : "no locale");
    EXPECT_EQ(main_->MenuAction("mnuFile", 0)->text(), c.newEntry);
    EXPECT_EQ(env_.Settings().Get("Varnel Glyphsmith", "FILES", "LNG", ""), LangFile(c.file))
        << "chosen once, and kept";
  }
  // The user's choice wins over the locale.
  locale.Use("en_US.UTF-8");
  env_.settingsFolder = dir_.file("config" + std::to_string(n));  // the last: no locale, French
  StartMain();
  EXPECT_EQ(main_->MenuAction("mnuFile", 0)->text(), "&Nouveau");
}

TEST_F(MainWindowLanguage, ASwitchKeepsTheFileNameAndTheMessagesFollow) {
  test::WriteAll(LangFile("English.lng"), test::ReadAll(EnglishPath()));
  const std::string icon = std::string(GS_APP_DATA_DIR) + "/icon/smiley.ico";
  main_ = std::make_unique<frmMain>(env_);
  main_->Start(QString::fromStdString(icon));
  const QString loadedTitle = main_->windowTitle();
  ASSERT_TRUE(loadedTitle.contains("smiley.ico")) << loadedTitle.toStdString();
  const QStringList entries = LanguageEntries();
  ASSERT_EQ(entries, (QStringList{"English.lng", "Francais.lng"}));
  auto marked = [&] {
    QStringList out;
    for (QAction* a : main_->Menu("mnuLng")->actions())
      if (a->objectName() == "MNlangueChoice" && a->isChecked()) out << a->text();
    return out;
  };
  EXPECT_EQ(marked(), QStringList{"Francais.lng"});
  Choose(0);
  EXPECT_EQ(main_->windowTitle(), loadedTitle);
  EXPECT_EQ(marked(), QStringList{"English.lng"});
  EXPECT_EQ(main_->MenuAction("mnuFile", 0)->text(), "&New");
  // A message of the main window is in the new language at once.
  main_->Document().modified = true;
  dialogs_.buttons.push_back(QMessageBox::Cancel);
  main_->MenuAction("mnuFile", 0)->trigger();
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0], "Do you want to save the changes made to this file?");
  // And so are the dialogs' titles ("Sauvez Icon ..." in French).
  main_->MenuAction("mnuFile", 3)->trigger();
  ASSERT_FALSE(dialogs_.dialogs.empty());
  EXPECT_EQ(dialogs_.dialogs.back().title, "Save Icon ...");
  // New: the untitled title in the language in use.
  Choose(1);
  main_->Document().modified = false;
  main_->MenuAction("mnuFile", 0)->trigger();
  EXPECT_EQ(main_->windowTitle().toStdString(),
            ProfileFile(LangFile("Francais.lng")).Read("frmMain", "Form.Caption", "?"));
}

TEST_F(MainWindowLanguage, AnUnwritableUserFolderIsToldOnceAndNothingIsWrittenElsewhere) {
  test::WriteAll(dir_.file("plain"), {'x'});
  env_.userDataFolder = dir_.file("plain/glyphsmith");  // under a file: never a folder
  StartMain();
  main_.reset();
  StartMain();
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_TRUE(dialogs_.messages[0].contains(QString::fromStdString(dir_.file("plain"))))
      << dialogs_.messages[0].toStdString();
  EXPECT_FALSE(ProfileFile(LangFile("Francais.lng")).existed()) << "nor into the program folder";
}

}  // namespace
}  // namespace gs
