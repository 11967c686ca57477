#include "lang/qt_translation.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaProperty>
#include <QPicture>
#include <QPointer>
#include <QSet>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <cstdlib>
#include <vector>

#include "lang/language_files.h"
#include "lang/qt_standard_buttons.h"
#include "platform/app_identity.h"
#include "platform/file_access.h"
#include "platform/file_read.h"
#include "platform/qt_dialog_seam.h"
#include "platform/qt_first_frame.h"

namespace gs {
namespace {

enum class CaptionKind {
  kNone,
  kAction,
  kButton,
  kLabel,
  kGroupBox,
  kTabPage,
  kProperty,
  kMessage
};

constexpr char kMessageProperty[] = "gsMessage";
constexpr char kLiveProperty[] = "gsLive";
constexpr char kBuiltInProperty[] = "gsBuiltIn";

bool IsMessage(const QObject* o) { return o->property(kMessageProperty).isValid(); }

struct Binding {
  QPointer<QObject> object;
  CaptionKind caption = CaptionKind::kNone;
  bool toolTip = false;
  bool autoToolTip = false;  // a QAction showing Qt's tooltip made from its text
};

struct Description {
  WindowTexts texts;
  std::vector<Binding> bindings;  // one per control, same order
};

std::string Utf8(const QString& s) { return s.toStdString(); }
QString FromUtf8(const std::string& s) { return QString::fromStdString(s); }

// Qt's tooltip for an action without one: the text without "...", mnemonics and blanks.
QString StrippedText(QString s) {
  s.remove(QStringLiteral("..."));
  for (int i = 0; i < s.size(); ++i)
    if (s.at(i) == QLatin1Char('&')) s.remove(i, 1);
  return s.trimmed();
}

QTabWidget* TabWidgetOf(QWidget* page) {
  auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
  return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

bool HasCaptionProperty(const QObject* o) {
  int i = o->metaObject()->indexOfProperty("caption");
  return i >= 0 && o->metaObject()->property(i).isWritable();
}

CaptionKind CaptionKindOf(QObject* o) {
  if (IsMessage(o)) return CaptionKind::kMessage;
  if (qobject_cast<QAction*>(o)) return CaptionKind::kAction;
  if (HasCaptionProperty(o)) return CaptionKind::kProperty;
  if (qobject_cast<QAbstractButton*>(o)) return CaptionKind::kButton;
  if (auto* label = qobject_cast<QLabel*>(o)) {
    if (!label->pixmap().isNull() || label->movie() || !label->picture().isNull())
      return CaptionKind::kNone;
    return CaptionKind::kLabel;
  }
  if (qobject_cast<QGroupBox*>(o)) return CaptionKind::kGroupBox;
  if (auto* w = qobject_cast<QWidget*>(o); w && TabWidgetOf(w)) return CaptionKind::kTabPage;
  return CaptionKind::kNone;
}

QString ReadCaption(QObject* o, CaptionKind kind) {
  switch (kind) {
    case CaptionKind::kAction: {
      // A separator's caption is "-" in the language files; it never shows.
      auto* a = static_cast<QAction*>(o);
      return a->isSeparator() ? QStringLiteral("-") : a->text();
    }
    case CaptionKind::kButton:
      return static_cast<QAbstractButton*>(o)->text();
    case CaptionKind::kLabel:
      return static_cast<QLabel*>(o)->text();
    case CaptionKind::kGroupBox:
      return static_cast<QGroupBox*>(o)->title();
    case CaptionKind::kTabPage: {
      auto* page = static_cast<QWidget*>(o);
      QTabWidget* tabs = TabWidgetOf(page);
      return tabs ? tabs->tabText(tabs->indexOf(page)) : QString();
    }
    case CaptionKind::kProperty:
      return o->property("caption").toString();
    case CaptionKind::kMessage:
      return o->property(kMessageProperty).toString();
    case CaptionKind::kNone:
      break;
  }
  return {};
}

void WriteCaption(QObject* o, CaptionKind kind, const QString& text) {
  if (ReadCaption(o, kind) == text) return;
  switch (kind) {
    case CaptionKind::kAction:
      if (!static_cast<QAction*>(o)->isSeparator()) static_cast<QAction*>(o)->setText(text);
      break;
    case CaptionKind::kButton:
      static_cast<QAbstractButton*>(o)->setText(text);
      break;
    case CaptionKind::kLabel:
      static_cast<QLabel*>(o)->setText(text);
      break;
    case CaptionKind::kGroupBox:
      static_cast<QGroupBox*>(o)->setTitle(text);
      break;
    case CaptionKind::kTabPage: {
      auto* page = static_cast<QWidget*>(o);
      if (QTabWidget* tabs = TabWidgetOf(page)) tabs->setTabText(tabs->indexOf(page), text);
      break;
    }
    case CaptionKind::kProperty:
      o->setProperty("caption", text);
      break;
    case CaptionKind::kMessage:
      o->setProperty(kMessageProperty, text);
      break;
    case CaptionKind::kNone:
      break;
  }
}

std::optional<int> IndexOf(QObject* o) {
  QVariant v = o->property(kControlIndexProperty);
  if (!v.isValid()) {
    // A submenu may carry its index on the menu rather than on its action.
    if (auto* a = qobject_cast<QAction*>(o); a && a->menu())
      v = a->menu()->property(kControlIndexProperty);
  }
  if (!v.isValid()) return std::nullopt;
  bool ok = false;
  int index = v.toInt(&ok);
  return ok ? std::optional<int>(index) : std::nullopt;
}

QString NameOf(QObject* o) {
  QString name = o->objectName();
  if (name.isEmpty()) {
    if (auto* a = qobject_cast<QAction*>(o); a && a->menu()) name = a->menu()->objectName();
  }
  return name;
}

class Describer {
 public:
  explicit Describer(QWidget* window) : window_(window) {}

  Description Run() {
    d_.texts.name = Utf8(window_->objectName().isEmpty()
                             ? QString::fromLatin1(window_->metaObject()->className())
                             : window_->objectName());
    d_.texts.title = Utf8(window_->windowTitle());
    seen_.insert(window_);
    VisitChildren(window_);
    return std::move(d_);
  }

 private:
  void VisitChildren(QObject* parent) {
    for (QObject* child : parent->children()) Visit(child);
  }

  void Visit(QObject* o) {
    if (seen_.contains(o)) return;
    if (auto* menu = qobject_cast<QMenu*>(o)) {
      VisitAction(menu->menuAction());
      seen_.insert(menu);
      VisitChildren(menu);  // entries that are not in the menu
      return;
    }
    if (auto* action = qobject_cast<QAction*>(o)) {
      VisitAction(action);
      return;
    }
    seen_.insert(o);
    auto* widget = qobject_cast<QWidget*>(o);
    if (widget && widget->isWindow()) return;  // a window of its own
    if (widget || IsMessage(o)) Report(o);
    if (auto* bar = qobject_cast<QMenuBar*>(o)) {
      for (QAction* a : bar->actions()) VisitAction(a);
    }
    // Qt's composite controls name some of their inner parts; those are not ours.
    if (qobject_cast<QTabBar*>(o) || qobject_cast<QAbstractButton*>(o) ||
        qobject_cast<QComboBox*>(o) || qobject_cast<QAbstractSpinBox*>(o) ||
        qobject_cast<QLineEdit*>(o) || qobject_cast<QAbstractSlider*>(o))
      return;
    VisitChildren(o);
  }

  void VisitAction(QAction* action) {
    if (!action || seen_.contains(action)) return;
    seen_.insert(action);
    Report(action);
    if (QMenu* menu = action->menu()) {
      seen_.insert(menu);
      for (QAction* a : menu->actions()) VisitAction(a);
      VisitChildren(menu);
    }
  }

  void Report(QObject* o) {
    QString name = NameOf(o);
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) return;
    if (o->property(kLiveProperty).toBool()) return;
    ControlTexts c;
    c.name = Utf8(name);
    c.index = IndexOf(o);
    Binding b;
    b.object = o;
    b.caption = CaptionKindOf(o);
    if (b.caption != CaptionKind::kNone) c.caption = Utf8(ReadCaption(o, b.caption));
    c.message = b.caption == CaptionKind::kMessage;
    if (auto* action = qobject_cast<QAction*>(o)) {
      b.toolTip = true;
      b.autoToolTip = action->toolTip() == StrippedText(action->text());
      c.toolTip = b.autoToolTip ? std::string() : Utf8(action->toolTip());
    } else if (auto* widget = qobject_cast<QWidget*>(o)) {
      b.toolTip = true;
      c.toolTip = Utf8(widget->toolTip());
    }
    d_.texts.controls.push_back(std::move(c));
    d_.bindings.push_back(b);
  }

  QWidget* window_;
  Description d_;
  QSet<QObject*> seen_;
};

void Apply(QWidget* window, const Description& d) {
  QString title = FromUtf8(d.texts.title);
  if (window->windowTitle() != title) window->setWindowTitle(title);
  for (std::size_t i = 0; i < d.bindings.size(); ++i) {
    const Binding& b = d.bindings[i];
    const ControlTexts& c = d.texts.controls[i];
    if (!b.object) continue;
    if (b.caption != CaptionKind::kNone && c.caption)
      WriteCaption(b.object, b.caption, FromUtf8(*c.caption));
    if (b.toolTip && c.toolTip) {
      QString tip = FromUtf8(*c.toolTip);
      // An empty text over Qt's automatic tooltip changes nothing.
      if (b.autoToolTip && tip.isEmpty()) continue;
      if (auto* action = qobject_cast<QAction*>(b.object)) {
        if (action->toolTip() != tip || b.autoToolTip) action->setToolTip(tip);
      } else if (auto* widget = qobject_cast<QWidget*>(b.object)) {
        if (widget->toolTip() != tip) widget->setToolTip(tip);
      }
    }
  }
}

constexpr char kLanguageEntryName[] = "MNlangueChoice";
constexpr char kConnectedProperty[] = "gsLanguageEntryConnected";
constexpr char kPathProperty[] = "gsLanguagePath";

std::vector<QAction*> LanguageEntries(QMenu* mnuLng) {
  std::vector<QAction*> entries;
  for (QAction* a : mnuLng->actions()) {
    if (a->objectName() != QLatin1String(kLanguageEntryName)) continue;
    int index = IndexOf(a).value_or(0);
    if (index < 0) continue;
    if (static_cast<std::size_t>(index) >= entries.size()) entries.resize(index + 1, nullptr);
    if (!entries[index]) entries[index] = a;
  }
  return entries;
}

std::string LanguageFileName(const std::string& path) {
  return path.substr(path.find_last_of('/') + 1);
}

// A file name shown as a caption: "&" would become a mnemonic.
QString MenuText(const std::string& caption) {
  return FromUtf8(caption).replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace

void SetControlIndex(QObject* control, int index) {
  control->setProperty(kControlIndexProperty, index);
}

void MarkLiveControl(QObject* control) { control->setProperty(kLiveProperty, true); }

bool ExportWindowTexts(QWidget* window, const std::string& file) {
  return ExportWindowTexts(Describer(window).Run().texts, file);
}

void TranslateWindow(QWidget* window, const std::string& file) {
  Description d = Describer(window).Run();
  TranslateWindow(d.texts, file);
  Apply(window, d);
}

void AddWindowMessages(QWidget* window, std::initializer_list<WindowMessageText> messages) {
  for (const WindowMessageText& m : messages) {
    auto* holder = new QObject(window);
    holder->setObjectName(QString::fromLatin1(m.key));
    holder->setProperty(kMessageProperty, QString::fromUtf8(m.builtIn));
    holder->setProperty(kBuiltInProperty, QString::fromUtf8(m.builtIn));
  }
}

namespace {

// The message holder `key` of `window` or of the windows that own it.
const QObject* FindMessage(const QWidget* window, const char* key) {
  for (const QWidget* w = window; w; w = w->parentWidget())
    for (const QObject* child : w->children())
      if (IsMessage(child) && child->objectName() == QLatin1String(key)) return child;
  return nullptr;
}

}  // namespace

QString WindowMessage(const QWidget* window, const char* key, const char* builtIn) {
  const QObject* holder = FindMessage(window, key);
  return holder ? holder->property(kMessageProperty).toString() : QString::fromUtf8(builtIn);
}

QString InWindowLanguage(const QWidget* window, const QString& text) {
  const QObject* best = nullptr;
  qsizetype bestLength = 0;
  for (const QWidget* w = window; w; w = w->parentWidget())
    for (const QObject* child : w->children()) {
      if (!IsMessage(child)) continue;
      const QString builtIn = child->property(kBuiltInProperty).toString();
      if (builtIn.size() > bestLength && text.startsWith(builtIn)) {
        best = child;
        bestLength = builtIn.size();
      }
    }
  if (!best) return text;
  return best->property(kMessageProperty).toString() + text.mid(bestLength);
}

namespace {

// A failed export is told once per run, in the language in use.
void TellLanguageNotSaved(QWidget* window, Environment& env, const std::string& folder) {
  static bool told = false;
  if (told || !env.dialogs) return;
  told = true;
  env.Dialogs().Message(window, QMessageBox::Warning, QString::fromUtf8(kAppTitle),
                        WindowMessage(window, kLanguageNotSavedKey, kLanguageNotSaved) +
                            QStringLiteral("\n") + QString::fromStdString(folder),
                        QMessageBox::Ok, QMessageBox::Ok);
}

bool ExportTemplate(const WindowTexts& texts, const std::string& french, const std::string& folder,
                    bool exportMessages) {
  bool exported = MakeFolders(folder) && ExportWindowTexts(texts, french);
  if (exportMessages) exported = ExportMessageTexts(french) && exported;
  return exported;
}

}  // namespace

void LoadWindowLanguage(QWidget* window, Environment& env, bool exportMessages,
                        TemplateExport when) {
  const std::string french = ExportedFrenchFile(env.userDataFolder);
  const std::string folder = LanguageFolder(env.userDataFolder);
  // One walk of the window's controls serves the export and the translation.
  Description d = Describer(window).Run();
  const bool later =
      !french.empty() && when == TemplateExport::AfterFirstFrame && RegularFileExists(french);
  bool exported = true;
  if (later) {
    QPointer<QWidget> w(window);
    AfterFirstFrame(window, [w, &env, texts = d.texts, french, folder, exportMessages] {
      if (!ExportTemplate(texts, french, folder, exportMessages) && w)
        TellLanguageNotSaved(w, env, folder);
    });
  } else if (!french.empty()) {
    exported = ExportTemplate(d.texts, french, folder, exportMessages);
  }
  const std::vector<std::string> folders = LanguageFolders(env.userDataFolder, env.programFolder);
  env.languageFile =
      StartLanguageChoice(env.Settings(), folders,
                          LocaleLanguageFileName(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                                 std::getenv("LANG")));
  UseStandardTextsOf(env.languageFile);
  // The French file (just written, or soon) holds the window's own texts:
  // translating into it would read the whole file back only to change nothing.
  if (!(exported && !french.empty() && env.languageFile == french)) {
    TranslateWindow(d.texts, env.languageFile);
    Apply(window, d);
  }
  if (!exported) TellLanguageNotSaved(window, env, folder);
}

void RebuildLanguageMenu(QWidget* mainWindow, QMenu* mnuLng, Environment& env) {
  if (!mnuLng) return;
  std::vector<QAction*> entries = LanguageEntries(mnuLng);
  std::vector<std::string> captions;
  for (QAction* a : entries) {
    // A caption shown with "&&" stands for a file name with "&".
    captions.push_back(a ? Utf8(a->text().replace(QLatin1String("&&"), QLatin1String("&"))) : "#");
  }
  const std::vector<std::string> folders = LanguageFolders(env.userDataFolder, env.programFolder);
  captions = LanguageMenuCaptions(std::move(captions), folders);
  entries.resize(captions.size(), nullptr);

  QPointer<QWidget> window(mainWindow);
  QPointer<QMenu> menu(mnuLng);
  for (std::size_t i = 0; i < captions.size(); ++i) {
    QAction*& a = entries[i];
    if (!a) {
      a = new QAction(mnuLng);
      a->setObjectName(kLanguageEntryName);
      SetControlIndex(a, static_cast<int>(i));
      mnuLng->addAction(a);
    }
    a->setText(MenuText(captions[i]));
    const std::string path = LanguageChoicePath(folders, captions[i]);
    a->setProperty(kPathProperty, FromUtf8(path));
    // The language in use is marked, whichever folder its file came from.
    a->setCheckable(true);
    a->setChecked(!env.languageFile.empty() &&
                  LanguageFileName(env.languageFile) == LanguageFileName(path));
    if (!a->property(kConnectedProperty).toBool()) {
      a->setProperty(kConnectedProperty, true);
      const int index = static_cast<int>(i);
      Environment* e = &env;
      QObject::connect(a, &QAction::triggered, mnuLng, [window, menu, index, e] {
        if (window && menu) ChooseLanguage(window, menu, index, *e);
      });
    }
  }
}

void ChooseLanguage(QWidget* mainWindow, QMenu* mnuLng, int index, Environment& env) {
  std::vector<QAction*> entries = LanguageEntries(mnuLng);
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size() || !entries[index]) return;
  QAction* entry = entries[index];
  QString path = entry->property(kPathProperty).toString();
  if (path.isEmpty()) {
    QString caption = entry->text().replace(QLatin1String("&&"), QLatin1String("&"));
    path = FromUtf8(
        LanguageChoicePath(LanguageFolders(env.userDataFolder, env.programFolder), Utf8(caption)));
  }
  env.languageFile = Utf8(path);
  StoreLanguageChoice(env.Settings(), env.languageFile);
  UseStandardTextsOf(env.languageFile);
  const QString documentTitle = mainWindow->property(kDocumentTitleProperty).toString();
  TranslateWindow(mainWindow, env.languageFile);
  if (!documentTitle.isEmpty()) mainWindow->setWindowTitle(documentTitle);
  RebuildLanguageMenu(mainWindow, mnuLng, env);
}

}  // namespace gs
