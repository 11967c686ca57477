// The whole menu tree against its table, the toolbar's slots against their
// entries, the appearance choices and the shell's own entries.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QToolBar>
#include <QUrl>
#include <QtTest/QTest>
#include <map>
#include <set>
#include <sstream>

#include "document/qt_canvas.h"
#include "lang/language_files.h"
#include "lang/qt_translation.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "shell/frmMain_Menus.h"
#include "shell/frmMain_Toolbar.h"
#include "shell/frmPrint.h"
#include "shell/help_text.h"
#include "shell/menu_tree.h"
#include "shell/product.h"
#include "shell/qt_web.h"
#include "tests/support/qt_fake_dialogs.h"
#include "tests/support/qt_test_environment.h"
#include "tests/support/test_support.h"

namespace gs {
namespace {

// Records which tool windows were shown, by class; with `noBrowser`, no
// address can be opened.
class RecordingDialogs : public test::FakeDialogs {
 public:
  std::vector<std::string> shown;
  bool noBrowser = false;
  void RunModal(QDialog* dialog) override {
    shown.push_back(dialog->metaObject()->className());
    FakeDialogs::RunModal(dialog);
  }
  bool OpenAddress(const QUrl& address) override {
    return !noBrowser && FakeDialogs::OpenAddress(address);
  }
};

class UrlSink : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened.push_back(url); }
};

class Shell : public ::testing::Test {
 protected:
  void SetUp() override {
    env_.programFolder = dir_.path();
    env_.settingsFolder = dir_.file("config");
    mkdir(dir_.file("Lang").c_str(), 0700);
    SetPrinterProbe([] { return false; });
    QDesktopServices::setUrlHandler("https", &urls_, "open");
    QDesktopServices::setUrlHandler("file", &urls_, "open");
    w_ = std::make_unique<frmMain>(env_);
    w_->Start(QString());
  }
  void TearDown() override {
    w_.reset();
    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("file");
    SetPrinterProbe(nullptr);
  }
  frmMain& w() { return *w_; }
  // A handbook in the build tree's place; its address.
  QUrl PutHandbook() {
    mkdir(dir_.file("handbook").c_str(), 0700);
    test::WriteAll(dir_.file("handbook/index.html"), {'<'});
    return QUrl::fromLocalFile(QString::fromStdString(dir_.file("handbook/index.html")));
  }
  // What the web entries open: the maker's page, or the handbook without one.
  QUrl ProductPage() {
    return kProductWebAddress[0] ? QUrl(QString::fromLatin1(kProductWebAddress)) : PutHandbook();
  }
  QAbstractButton* Button(int slot) {
    return qobject_cast<QAbstractButton*>(ToolbarSlotWidget(w(), slot));
  }
  // What each menu's first opening does, for every menu at once.
  void DecorateEveryMenu() {
    for (QMenu* m : w().findChildren<QMenu*>()) emit m->aboutToShow();
  }

  test::TempDir dir_;
  RecordingDialogs fakes_;
  test::TestEnvironment env_{&fakes_};
  UrlSink urls_;
  std::unique_ptr<frmMain> w_;
};

std::string Describe(const MenuRow& r) {
  std::ostringstream out;
  out << r.level << " " << r.name;
  if (r.index != kNoIndex) out << "(" << r.index << ")";
  out << " \"" << r.caption << "\"";
  if (r.shortcut && *r.shortcut) out << " [" << r.shortcut << "]";
  if (r.submenu) out << " submenu";
  if (!r.enabled) out << " disabled";
  if (r.checkable) out << (r.checked ? " checked" : " unchecked");
  return out.str();
}

// The window's tree as rows; strings live in `store`.
void Walk(const QList<QAction*>& actions, int level, std::vector<MenuRow>& rows,
          std::vector<std::unique_ptr<std::string>>& store) {
  const auto keep = [&store](const QString& s) {
    store.push_back(std::make_unique<std::string>(s.toStdString()));
    return store.back()->c_str();
  };
  for (QAction* a : actions) {
    MenuRow r{level, nullptr, kNoIndex, nullptr};
    QMenu* sub = a->menu();
    r.name = keep(sub ? sub->objectName() : a->objectName());
    QVariant index = a->property(kControlIndexProperty);
    if (!index.isValid() && sub) index = sub->property(kControlIndexProperty);
    if (index.isValid()) r.index = index.toInt();
    r.caption = keep(a->isSeparator() ? QStringLiteral("-") : a->text());
    const QString keys = a->shortcut().toString(QKeySequence::PortableText);
    r.shortcut = keys.isEmpty() ? nullptr : keep(keys);
    r.enabled = a->isEnabled();
    r.checkable = a->isCheckable();
    r.checked = a->isChecked();
    r.submenu = sub != nullptr;
    rows.push_back(r);
    if (sub) Walk(sub->actions(), level + 1, rows, store);
  }
}

TEST_F(Shell, TheMenuTreeIsTheTable) {
  std::vector<MenuRow> rows;
  std::vector<std::unique_ptr<std::string>> store;
  Walk(w().menuBar()->actions(), 1, rows, store);
  std::string expected, actual;
  for (MenuRow r : MenuTree()) {
    // The language entry lists the files: the French one, written at load.
    // It is marked as the language in use.
    if (std::string(r.name) == "MNlangueChoice") {
      r.caption = "Francais.lng";
      r.checkable = r.checked = true;
    }
    expected += Describe(r) + "\n";
  }
  for (const MenuRow& r : rows) actual += Describe(r) + "\n";
  EXPECT_EQ(actual, expected);
}

TEST_F(Shell, TheMenuPicturesStandBesideTheirEntries) {
  ASSERT_EQ(MenuPictures().size(), 23u);
  // A menu gets its pictures when it first opens.
  QMenu* edit = w().Menu("mnuEditPop");
  EXPECT_TRUE(w().MenuAction("mnuEdit", 3)->icon().isNull());
  edit->popup(QPoint(0, 0));
  EXPECT_FALSE(w().MenuAction("mnuEdit", 3)->icon().isNull());
  EXPECT_FALSE(edit->styleSheet().isEmpty());
  edit->hide();
  DecorateEveryMenu();
  int withPicture = 0;
  for (QAction* a : w().findChildren<QAction*>()) {
    if (a->icon().isNull()) continue;
    ++withPicture;
    const QVariant index = a->property(kControlIndexProperty);
    const std::string key =
        MenuPictureKey(a->objectName().toStdString(), index.isValid() ? index.toInt() : kNoIndex);
    bool listed = false;
    for (const MenuPicture& p : MenuPictures()) listed |= key == p.key;
    EXPECT_TRUE(listed) << key;
    EXPECT_EQ(a->icon().availableSizes().value(0), QSize(16, 16)) << key;
  }
  EXPECT_EQ(withPicture, 23);
  // Drawn, not blank: each has both see-through and painted pixels.
  for (const MenuPicture& p : MenuPictures()) {
    const QString key = QString::fromLatin1(p.key + 1);
    const int colon = key.indexOf(':');
    QAction* a = colon < 0 ? w().MenuAction(key)
                           : w().MenuAction(key.left(colon), key.mid(colon + 1).toInt());
    ASSERT_NE(a, nullptr) << p.key;
    const QImage img = a->icon().pixmap(16, 16).toImage();
    int painted = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) painted += qAlpha(img.pixel(x, y)) > 128;
    EXPECT_GT(painted, 8) << p.key;
    EXPECT_LT(painted, 250) << p.key;
  }
}

TEST_F(Shell, ToolbarSlotsStandWhereTheyShould) {
  w().show();
  EXPECT_TRUE(w().Toolbar1()->isVisible());
  EXPECT_EQ(w().Toolbar1()->objectName(), "Toolbar1");
  int buttons = 0;
  for (const ToolbarSlot& slot : ToolbarSlots()) {
    QWidget* widget = ToolbarSlotWidget(w(), slot.number);
    ASSERT_NE(widget, nullptr) << slot.number;
    EXPECT_TRUE(widget->isVisible()) << slot.number;
    if (slot.separator) {
      EXPECT_EQ(widget->geometry(), QRect(slot.x, 4, 2, 20)) << slot.number;
      EXPECT_EQ(Button(slot.number), nullptr);
      continue;
    }
    ++buttons;
    QAbstractButton* b = Button(slot.number);
    ASSERT_NE(b, nullptr) << slot.number;
    EXPECT_EQ(b->geometry(), QRect(slot.x, 2, 24, 24)) << slot.number;
    EXPECT_FALSE(b->icon().isNull()) << slot.number;
    EXPECT_TRUE(b->text().isEmpty()) << slot.number;
    QAction* entry = w().MenuAction(slot.menuName, slot.menuIndex);
    ASSERT_NE(entry, nullptr) << slot.number;
    EXPECT_EQ(b->accessibleName().toStdString(), SpokenCaption(entry->text().toStdString()))
        << slot.number;
    // The entry's text is the button's tooltip too, and follows the language.
    EXPECT_EQ(b->toolTip(), b->accessibleName()) << slot.number;
    EXPECT_FALSE(b->accessibleName().isEmpty()) << slot.number;
  }
  EXPECT_EQ(buttons, 14);
  // The strip starts at the toolbar's left edge.
  EXPECT_EQ(ToolbarSlotWidget(w(), 1)->mapTo(w().Toolbar1(), QPoint(0, 0)).x(), 2);
}

TEST_F(Shell, EverySlotRunsExactlyItsEntrysAction) {
  w().show();
  std::map<QAction*, int> fired;
  for (QAction* a : w().findChildren<QAction*>())
    QObject::connect(a, &QAction::triggered, &w(), [&fired, a] { ++fired[a]; });
  w().CreateBackup();  // undo is there, so its button is enabled
  const QUrl page = ProductPage();
  for (int number = 1; number <= 19; ++number) {
    const ToolbarSlot* slot = FindToolbarSlot(number);
    ASSERT_NE(slot, nullptr);
    fired.clear();
    if (slot->separator) {
      Toolbar1_ButtonClick(w(), number);
      EXPECT_TRUE(fired.empty()) << "separator " << number << " ran something";
      continue;
    }
    if (number == 8) w().CreateBackup();
    QAbstractButton* b = Button(number);
    ASSERT_TRUE(b->isEnabled()) << number;
    b->click();
    QAction* entry = w().MenuAction(slot->menuName, slot->menuIndex);
    ASSERT_EQ(fired.size(), 1u) << "slot " << number;
    EXPECT_EQ(fired.begin()->first, entry)
        << "slot " << number << " ran " << fired.begin()->first->objectName().toStdString();
    EXPECT_EQ(fired.begin()->second, 1) << number;
  }
  // Outside 1-19 nothing runs.
  fired.clear();
  Toolbar1_ButtonClick(w(), 0);
  Toolbar1_ButtonClick(w(), 20);
  EXPECT_TRUE(fired.empty());
  // What the slots reached: print and help boxes, the web page.
  EXPECT_NE(std::find(fakes_.shown.begin(), fakes_.shown.end(), "gs::frmPrint"),
            fakes_.shown.end());
  EXPECT_EQ(urls_.opened.value(0), page);
}

TEST_F(Shell, SlotFiveCopiesAndSixCuts) {
  w().show();
  Surface& s = w().Document().surface;
  s.SetPixelV(0, 0, RGB(200, 10, 10));
  Button(5)->click();  // copy: the icon stays
  EXPECT_EQ(s.GetPixel(0, 0), RGB(200, 10, 10));
  Button(6)->click();  // cut: the icon goes white
  EXPECT_EQ(s.GetPixel(0, 0), kWhite);
}

TEST_F(Shell, UndoButtonFollowsItsEntry) {
  w().show();
  QAbstractButton* undo = Button(8);
  EXPECT_FALSE(undo->isEnabled());
  w().Document().surface.SetPixelV(1, 1, kBlack);
  w().CreateBackup();
  w().Document().surface.SetPixelV(1, 1, RGB(0, 200, 0));
  EXPECT_TRUE(undo->isEnabled());
  undo->click();
  EXPECT_EQ(w().Document().surface.GetPixel(1, 1), kBlack);
  EXPECT_FALSE(undo->isEnabled());
}

TEST_F(Shell, CtrlZUndoes) {
  w().show();
  w().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
  EXPECT_EQ(w().MenuAction("mnuEdit", 0)->shortcut(), QKeySequence("Ctrl+Z"));
  w().CreateBackup();
  w().Document().surface.SetPixelV(2, 2, kBlack);
  QTest::keyClick(&w(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w().Document().surface.GetPixel(2, 2), kWhite);
  EXPECT_FALSE(w().MenuAction("mnuEdit", 0)->isEnabled());
}

TEST_F(Shell, CtrlCCopiesAndCtrlXCuts) {
  w().show();
  w().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
  Surface& s = w().Document().surface;
  s.SetPixelV(0, 0, RGB(200, 10, 10));
  QTest::keyClick(&w(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(s.GetPixel(0, 0), RGB(200, 10, 10)) << "Ctrl+C leaves the icon as it is";
  QTest::keyClick(&w(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(s.GetPixel(0, 0), kWhite) << "Ctrl+X cuts";
  s.FillRect({0, 0, 32, 32}, kBlack);
  QTest::keyClick(&w(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(s.GetPixel(0, 0), RGB(200, 10, 10)) << "what was cut comes back";
}

// A menu opens and closes in answer to the key events already sent: a few
// passes of the event loop settle it, however slow the machine (no deadline).
template <typename Done>
bool Settled(Done done) {
  for (int pass = 0; pass < 10 && !done(); ++pass) QApplication::processEvents();
  return done();
}

TEST_F(Shell, MenusOpenByKeyboard) {
  w().show();
  w().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
  const char* order[] = {"mnuFilePop",    "mnuEditPop",  "Affi",      "mnuTools",
                         "mnuEffectsPop", "mnuspecials", "mnuHelpPop"};
  // Alt and a menu's letter opens it (the first of the menus sharing a letter:
  // "&Fichier" and "E&ffets", "&Affichage" and "&Aide").
  for (const char* name : {"mnuFilePop", "mnuEditPop", "Affi", "mnuTools", "mnuspecials"}) {
    QMenu* m = w().Menu(name);
    const QString text = m->title();
    QTest::keyClick(&w(), text.at(text.indexOf('&') + 1).toLower().unicode(), Qt::AltModifier);
    EXPECT_TRUE(Settled([m] { return m->isVisible(); })) << name;
    // Escape closes the menu, a second one leaves the menu bar.
    QTest::keyClick(m, Qt::Key_Escape);
    QTest::keyClick(w().menuBar(), Qt::Key_Escape);
    EXPECT_TRUE(Settled([m] { return !m->isVisible(); })) << name;
  }
  // From an open menu the arrow keys reach every other, in order.
  QTest::keyClick(&w(), Qt::Key_F, Qt::AltModifier);
  QMenu* open = w().Menu(order[0]);
  ASSERT_TRUE(Settled([open] { return open->isVisible(); }));
  for (std::size_t i = 1; i < std::size(order); ++i) {
    QMenu* next = w().Menu(order[i]);
    // Right opens a highlighted submenu first; once more moves to the next menu.
    for (int press = 0; press < 3 && !next->isVisible(); ++press) {
      QWidget* popup = QApplication::activePopupWidget();
      QTest::keyClick(popup ? popup : open, Qt::Key_Right);
      QApplication::processEvents();
    }
    EXPECT_TRUE(Settled([next] { return next->isVisible(); })) << order[i];
    open = next;
  }
  QTest::keyClick(open, Qt::Key_Escape);
}

TEST_F(Shell, MenuLooksAndToolbarThemesWithTheirChecks) {
  QAction* xp = w().MenuAction("mnuxp");
  QAction* o2003 = w().MenuAction("mnu2003");
  EXPECT_EQ(MenuLook(w()), 1);
  EXPECT_TRUE(o2003->isChecked());
  DecorateEveryMenu();
  const QString sheet1 = w().Menu("mnuFilePop")->styleSheet();
  xp->trigger();
  xp->trigger();  // twice: still the first look
  EXPECT_EQ(MenuLook(w()), 0);
  EXPECT_TRUE(xp->isChecked());
  EXPECT_FALSE(o2003->isChecked());
  EXPECT_NE(w().Menu("mnuFilePop")->styleSheet(), sheet1);
  o2003->trigger();
  EXPECT_EQ(MenuLook(w()), 1);
  EXPECT_FALSE(xp->isChecked());
  EXPECT_EQ(w().Menu("mnuFilePop")->styleSheet(), sheet1);

  EXPECT_TRUE(w().MenuAction("MnuTb", 0)->isChecked());
  std::set<QString> sheets;
  for (int theme : {3, 0, 1, 2, 4, 5, 3, 3}) {
    w().MenuAction("MnuTb", theme)->trigger();
    int checked = 0;
    for (int i = 0; i < 6; ++i) checked += w().MenuAction("MnuTb", i)->isChecked();
    EXPECT_EQ(checked, 1) << theme;
    EXPECT_TRUE(w().MenuAction("MnuTb", theme)->isChecked()) << theme;
    sheets.insert(w().Toolbar1()->styleSheet());
  }
  EXPECT_EQ(sheets.size(), 6u);  // six distinct themes
  // A new window starts over: nothing is stored.
  frmMain again(env_);
  again.Start(QString());
  EXPECT_EQ(MenuLook(again), 1);
  EXPECT_TRUE(again.MenuAction("MnuTb", 0)->isChecked());
}

TEST_F(Shell, HelpBoxWebPageAboutAndPrint) {
  w().MenuAction("hlp")->trigger();
  ASSERT_EQ(fakes_.messages.size(), 1u);
  EXPECT_EQ(fakes_.icons[0], QMessageBox::Question);
  EXPECT_EQ(fakes_.lastTitle, QString::fromUtf8("  Varnel Glyphsmith 2.3 -  Aide"));
  const QStringList lines = fakes_.messages[0].split('\n');
  ASSERT_EQ(lines.size(), 26);  // the leading line break, then 25 lines
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[24], QString(15, ' ') + QString(40, '_'));

  const QUrl page = ProductPage();
  w().MenuAction("mnuHelp", 0)->trigger();
  ASSERT_EQ(urls_.opened.size(), 1);
  EXPECT_EQ(urls_.opened[0], page);

  w().MenuAction("mnuHelp", 1)->trigger();
  w().MenuAction("mnuFile", 10)->trigger();
  EXPECT_EQ(fakes_.shown, (std::vector<std::string>{"gs::frmAbout", "gs::frmPrint"}));
}

TEST_F(Shell, F1OpensTheHandbookOrSaysWhereItLooked) {
  w().show();
  w().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
  // None in the program folder: nothing opens, and the message names each place looked.
  QTest::keyClick(&w(), Qt::Key_F1);
  EXPECT_TRUE(urls_.opened.isEmpty());
  ASSERT_EQ(fakes_.messages.size(), 1u);
  const QStringList lines = fakes_.messages[0].split('\n');
  QStringList expected{QString::fromUtf8(kNoHandbook)};
  for (const std::string& place : HandbookPlaces(env_.programFolder))
    expected << QString::fromStdString(place);
  EXPECT_EQ(lines, expected);
  // In the chosen language.
  ASSERT_TRUE(
      StoreLanguageChoice(env_.Settings(), std::string(GS_APP_DATA_DIR) + "/Lang/English.lng"));
  {
    frmMain english(env_);
    english.Start(QString());
    english.MenuAction("mnuHandbook")->trigger();
    ASSERT_EQ(fakes_.messages.size(), 2u);
    EXPECT_TRUE(fakes_.messages[1].startsWith("The user guide cannot be found. Looked here:\n"))
        << fakes_.messages[1].toStdString();
  }
  // There: the desktop's browser gets its file address.
  const QUrl handbook = PutHandbook();
  QTest::keyClick(&w(), Qt::Key_F1);
  w().MenuAction("mnuHandbook")->trigger();
  EXPECT_EQ(urls_.opened, (QList<QUrl>{handbook, handbook}));
  EXPECT_EQ(fakes_.messages.size(), 2u);
  // No browser to take it: the message says where the handbook is, in the chosen language.
  fakes_.noBrowser = true;
  QTest::keyClick(&w(), Qt::Key_F1);
  ASSERT_EQ(fakes_.messages.size(), 3u);
  EXPECT_EQ(fakes_.messages[2],
            QString::fromUtf8(kHandbookNotOpened) + '\n' + handbook.toLocalFile());
  {
    frmMain english(env_);
    english.Start(QString());
    english.MenuAction("mnuHandbook")->trigger();
    ASSERT_EQ(fakes_.messages.size(), 4u);
    EXPECT_EQ(fakes_.messages[3],
              "The user guide could not be opened. It is here:\n" + handbook.toLocalFile());
  }
  EXPECT_EQ(urls_.opened.size(), 2);
}

TEST_F(Shell, HelpSpeaksTheChosenLanguage) {
  const std::string english = std::string(GS_APP_DATA_DIR) + "/Lang/English.lng";
  ASSERT_TRUE(StoreLanguageChoice(env_.Settings(), english));
  w().MenuAction("hlp")->trigger();
  ASSERT_EQ(fakes_.messages.size(), 1u);
  const QStringList lines = fakes_.messages[0].split('\n');
  ASSERT_EQ(lines.size(), 26);
  EXPECT_TRUE(lines[1].startsWith("Varnel Glyphsmith is")) << lines[1].toStdString();
  EXPECT_EQ(lines[24], QString(15, ' ') + QString(40, '_'));
  EXPECT_EQ(lines[5], "");
}

TEST_F(Shell, ColourBarAndStatusLineStayAboveALargeCanvas) {
  w().show();
  const QSize extra = w().size() - w().client()->size();
  w().resize(900 + extra.width(), 700 + extra.height());
  QApplication::processEvents();
  for (int i = 0; i < 4; ++i) w().ZoomIn();
  w().RePaint();
  QApplication::processEvents();
  const int canvasLeft = w().picIcon()->mapTo(w().client(), QPoint(0, 0)).x();
  ASSERT_GT(25 + w().picIcon()->height(), w().picColors()->y())
      << "the canvas must outgrow its room";
  EXPECT_LE(w().picIconView()->geometry().bottom() + 1, w().picColors()->y());
  const QImage client = w().client()->grab().toImage();
  const QRgb background = w().picColors()->palette().color(QPalette::Window).rgb();
  // Under the canvas's columns, inside the bars, where no swatch stands.
  const int x = canvasLeft + 330;
  ASSERT_LT(x, w().picSmallIcon()->x() + w().picColors()->x());
  EXPECT_EQ(client.pixel(x, w().picColors()->y() + 2), background);
  EXPECT_EQ(client.pixel(x, w().picStatus()->y() + 19), background);
}

TEST(SpokenCaption, WithoutMnemonicsAndDots) {
  EXPECT_EQ(SpokenCaption("&Nouveau"), "Nouveau");
  EXPECT_EQ(SpokenCaption("Enregistrer sous.."), "Enregistrer sous");
  EXPECT_EQ(SpokenCaption("Zoom Avant (+)"), "Zoom Avant (+)");
  EXPECT_EQ(SpokenCaption("Tom && Jerry"), "Tom & Jerry");
  EXPECT_EQ(SpokenCaption(" &Aide "), "Aide");
  EXPECT_EQ(SpokenCaption(""), "");
}

}  // namespace
}  // namespace gs

#include "qt_menus_toolbar_test.moc"
