#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <fstream>
#include <sstream>

#include "lang/language_files.h"
#include "lang/qt_standard_buttons.h"
#include "platform/profile_file.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "shell/FrmSplash.h"
#include "shell/about_memory.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "shell/product.h"
#include "shell/qt_web.h"
#include "tests/support/qt_test_environment.h"
#include "tests/support/test_support.h"
#include "widgets/qt_progress_bar.h"

namespace gs {
namespace {

// A program folder of our own, with its language folder.
class ProgramFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env_.programFolder = dir_.path();
    env_.settingsFolder = dir_.file("config");
    env_.userDataFolder = dir_.file("data");
    mkdir(dir_.file("Lang").c_str(), 0700);
  }
  void TearDown() override { UseStandardTextsOf(""); }
  std::string French() const { return dir_.file("data/Lang/Francais.lng"); }
  test::TempDir dir_;
  test::TestEnvironment env_;
};

class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened.push_back(url); }
};

using Splash = ProgramFolderTest;

TEST_F(Splash, LayoutAndTheBar) {
  FrmSplash splash(env_);
  EXPECT_EQ(splash.size(), QSize(481, 278));
  EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(splash.bar()->geometry(), QRect(248, 232, 217, 9));
  EXPECT_EQ(splash.bar()->color(), QColor(51, 94, 168));
  EXPECT_EQ(splash.bar()->scrolling(), 3);
  EXPECT_EQ(splash.bar()->brushStyle(), 0);
  EXPECT_EQ(splash.bar()->value(), 0);
  EXPECT_EQ(splash.Timer1()->interval(), 300);
  EXPECT_EQ(splash.Image1()->pixmap().size(), QSize(481, 278));
}

TEST_F(Splash, LoadsTheMainWindowHiddenAndShowsItOnTheSeventeenthTick) {
  FrmSplash splash(env_);
  splash.Load(QString());
  splash.Timer1()->stop();  // the test ticks by hand
  splash.show();
  ASSERT_NE(splash.MainWindow(), nullptr);
  EXPECT_FALSE(splash.MainWindow()->isVisible());
  // The splash exported its section, empty title included.
  EXPECT_EQ(ProfileFile(French()).Find("FrmSplash", "Form.Caption"), std::string());
  for (int tick = 1; tick <= 16; ++tick) {
    splash.Timer1_Timer();
    ASSERT_TRUE(splash.isVisible()) << "closed at tick " << tick;
    ASSERT_FALSE(splash.MainWindow()->isVisible()) << tick;
    EXPECT_EQ(splash.bar()->value(), 6 * tick);
  }
  splash.Timer1_Timer();
  EXPECT_FALSE(splash.isVisible());
  EXPECT_TRUE(splash.MainWindow()->isVisible());
  EXPECT_EQ(splash.bar()->value(), 100);
  splash.MainWindow()->hide();
}

TEST_F(Splash, ATickBeforeTheMainWindowExistsWaits) {
  FrmSplash splash(env_);
  for (int tick = 0; tick < 20; ++tick) splash.Timer1_Timer();
  EXPECT_EQ(splash.bar()->value(), 100);
  splash.show();
  splash.Load(QString());
  splash.Timer1()->stop();
  splash.Timer1_Timer();
  EXPECT_FALSE(splash.isVisible());
  EXPECT_TRUE(splash.MainWindow()->isVisible());
  splash.MainWindow()->hide();
}

using About = ProgramFolderTest;

TEST_F(About, FiguresAgreeWithProcMeminfo) {
  std::ifstream in("/proc/meminfo");
  std::stringstream text;
  text << in.rdbuf();
  const auto before = ParseMeminfo(text.str());
  ASSERT_TRUE(before);
  frmAbout about(env_);
  const auto after = ReadMemoryStatus();
  ASSERT_TRUE(after);
  EXPECT_EQ(about.lblTotMem()->text(), QString("%1 Mb").arg(before->totalBytes / (1024 * 1024)));
  // Free memory moves while we look; the share is one of the two readings' or between.
  const QString avail = about.lblAvail()->text();
  ASSERT_TRUE(avail.endsWith('%'));
  const int shown = avail.chopped(1).toInt();
  const int a = 100 - MemoryLoad(*before), b = 100 - MemoryLoad(*after);
  EXPECT_GE(shown, std::min(a, b) - 1);
  EXPECT_LE(shown, std::max(a, b) + 1);
  EXPECT_EQ(about.windowTitle(), QString::fromUtf8(" A propos de Varnel Glyphsmith 2.3"));
  EXPECT_EQ(about.size(), QSize(464, 350));
  EXPECT_EQ(about.Label6()->text(), kProductWebAddress[0]
                                        ? QString::fromLatin1(kProductWebAddress)
                                        : QString::fromUtf8(kHandbookLinkCaption));
}

TEST_F(About, MemoryFiguresAreNeitherExportedNorTranslated) {
  // They are this machine's, now: a template holding them would carry the
  // build machine's memory, and a language file could show any figure.
  {
    frmAbout about(env_);
    const ProfileFile fr(French());
    ASSERT_TRUE(fr.Find("frmAbout", "Label1.Caption"));
    EXPECT_FALSE(fr.Find("frmAbout", "lblTotMem.Caption"));
    EXPECT_FALSE(fr.Find("frmAbout", "lblAvail.Caption"));
  }
  const std::string other = dir_.file("Lang/Other.lng");
  ASSERT_TRUE(WriteProfileString(other, "frmAbout", "lblTotMem.Caption", "beaucoup"));
  // A share no machine has free, so that it cannot be the reading itself.
  ASSERT_TRUE(WriteProfileString(other, "frmAbout", "lblAvail.Caption", "142%"));
  ASSERT_TRUE(WriteProfileString(other, "frmAbout", "cmdOK.Caption", "&Fine"));
  ASSERT_TRUE(StoreLanguageChoice(env_.Settings(), other));
  const auto m = ReadMemoryStatus();
  ASSERT_TRUE(m);
  frmAbout about(env_);
  EXPECT_EQ(about.cmdOK()->text(), "&Fine");
  EXPECT_EQ(about.lblTotMem()->text().toStdString(), TotalMemoryText(m->totalBytes));
  const QString avail = about.lblAvail()->text();
  ASSERT_TRUE(avail.endsWith('%')) << avail.toStdString();
  EXPECT_LE(avail.chopped(1).toInt(), 100) << avail.toStdString();
}

TEST_F(About, OpeningWritesNothingIntoTheProgramFolder) {
  // The program folder may be a system folder: the French texts go to the
  // user's data folder, and the author line is translated like the rest.
  const std::string other = dir_.file("Lang/Other.lng");
  ASSERT_TRUE(WriteProfileString(other, "frmAbout", "msgAuthor", "by the makers"));
  ASSERT_TRUE(StoreLanguageChoice(env_.Settings(), other));
  const std::vector<std::uint8_t> before = test::ReadAll(other);
  {
    frmAbout about(env_);
    EXPECT_EQ(about.findChild<QLineEdit*>("Text1")->text(), "by the makers");
  }
  EXPECT_EQ(test::ReadAll(other), before);
  EXPECT_FALSE(ProfileFile(dir_.file("Lang/Francais.lng")).existed());
  EXPECT_TRUE(ProfileFile(French()).Find("frmAbout", "msgAuthor"));
}

TEST_F(About, TheLinkOpensTheAddressAndOkCloses) {
  UrlRecorder urls;
  QDesktopServices::setUrlHandler("https", &urls, "open");
  QDesktopServices::setUrlHandler("file", &urls, "open");
  // Without the maker's address the link leads to the handbook.
  mkdir(dir_.file("handbook").c_str(), 0700);
  test::WriteAll(dir_.file("handbook/index.html"), {'<'});
  const QUrl page =
      kProductWebAddress[0]
          ? QUrl(QString::fromLatin1(kProductWebAddress))
          : QUrl::fromLocalFile(QString::fromStdString(dir_.file("handbook/index.html")));
  frmAbout about(env_);
  about.show();
  QApplication::processEvents();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(about.Label6(), &press);
  QApplication::sendEvent(about.Label6(), &release);
  QDesktopServices::unsetUrlHandler("https");
  QDesktopServices::unsetUrlHandler("file");
  ASSERT_EQ(urls.opened.size(), 1);
  EXPECT_EQ(urls.opened[0], page);
  about.cmdOK()->click();
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.result(), QDialog::Accepted);
}

using StandardButtons = ProgramFolderTest;

TEST_F(StandardButtons, SpeakTheLanguageFilesLanguage) {
  auto buttonText = [] {
    QMessageBox box(QMessageBox::Question, "t", "q",
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return QStringList{box.button(QMessageBox::Yes)->text(), box.button(QMessageBox::No)->text(),
                       box.button(QMessageBox::Cancel)->text()};
  };
  // The French file is the default choice.
  frmAbout french(env_);
  EXPECT_EQ(buttonText(), (QStringList{"&Oui", "&Non", "Annuler"}));
  const std::string english = dir_.file("Lang/English.lng");
  ASSERT_TRUE(WriteProfileString(english, "frmAbout", "cmdOK.Caption", "&OK"));
  ASSERT_TRUE(StoreLanguageChoice(env_.Settings(), english));
  frmAbout translated(env_);
  EXPECT_EQ(buttonText(), (QStringList{"&Yes", "&No", "Cancel"}));
}

}  // namespace
}  // namespace gs

#include "qt_splash_about_test.moc"
