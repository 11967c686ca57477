#include "shell/frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolBar>
#include <QWindow>

#include "document/qt_canvas.h"
#include "lang/qt_translation.h"
#include "shell/frmMain_Colors.h"
#include "shell/frmMain_Edit.h"
#include "shell/frmMain_File.h"
#include "shell/frmMain_Lang.h"
#include "shell/frmMain_Menus.h"
#include "shell/frmMain_Toolbar.h"
#include "shell/frmMain_Tools.h"
#include "shell/main_layout.h"

namespace gs {

namespace {

// The built-in bar sizes are the layout's defaults.
constexpr MainLayoutInput kBars{};
constexpr int kToolsPanelWidth = kBars.toolsPanelWidth;
constexpr int kColorBarHeight = kBars.colorBarHeight;
constexpr int kStatusBarHeight = kBars.statusBarHeight;
constexpr int kInitialClientWidth = 487;
constexpr int kInitialClientHeight = 388;

// Entry of the menu tree: name, index (-1 when not in an indexed group),
// caption, shortcut. Captions are the built-in French texts.
struct Entry {
  const char* name;
  int index;
  const char* caption;
  const char* shortcut = nullptr;
};

QAction* AddEntry(QMenu* menu, const Entry& e) {
  const bool separator = QString::fromUtf8(e.caption) == "-";
  QAction* a = separator ? menu->addSeparator() : menu->addAction(QString::fromUtf8(e.caption));
  a->setObjectName(e.name);
  if (e.index >= 0) a->setProperty(kControlIndexProperty, e.index);
  if (e.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(e.shortcut)));
  return a;
}

QMenu* AddMenu(QWidget* parent, QMenuBar* bar, QMenu* into, const char* name, const char* caption) {
  QMenu* m = new QMenu(QString::fromUtf8(caption), parent);
  m->setObjectName(name);
  m->menuAction()->setObjectName(name);
  if (bar) bar->addMenu(m);
  if (into) into->addMenu(m);
  return m;
}

}  // namespace

frmMain::frmMain(Environment& env, QWidget* parent)
    : QMainWindow(parent),
      env_(env),
      tools_(std::make_unique<ToolsPart>()),
      colors_(std::make_unique<ColorsPart>()),
      edit_(std::make_unique<EditPart>()),
      file_(std::make_unique<FilePart>()),
      lang_(std::make_unique<LangPart>()) {
  setObjectName("frmMain");
  setWindowTitle(QString::fromUtf8(kMainTitle));
  BuildMenus();
  BuildClientArea();
  SetupEffects();
  SetupImport();
  SetupShellMenus(*this);
  SetupShellToolbar(*this);
  SetupCursor();
  const int toolbarHeight = toolbar_->isVisibleTo(this) ? toolbar_->sizeHint().height() : 0;
  startSize_ = QSize(kInitialClientWidth,
                     kInitialClientHeight + menuBar()->sizeHint().height() + toolbarHeight);
  resize(startSize_);
  ApplyMinimumSize();
}

void frmMain::ApplyMinimumSize() {
  const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
  const InnerSize min = MinimumInnerSize(frame.left() + frame.right(), frame.top() + frame.bottom(),
                                         {startSize_.width(), startSize_.height()});
  setMinimumSize(min.width, min.height);
}

void frmMain::CentreOnScreen() {
  const QScreen* s = screen();
  if (!s) return;
  const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
  const QSize outer = size().grownBy(frame);
  const QRect area = s->availableGeometry();
  move(area.left() + (area.width() - outer.width()) / 2,
       area.top() + (area.height() - outer.height()) / 2);
}

void frmMain::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (placed_) return;
  placed_ = true;
  ApplyMinimumSize();
  CentreOnScreen();
}

frmMain::~frmMain() = default;

void frmMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = AddMenu(this, bar, nullptr, "mnuFilePop", "&Fichier");
  for (const Entry& e : {Entry{"mnuFile", 0, "&Nouveau", "Ctrl+N"}, Entry{"mnuFile", 1, "&Ouvrir", "Ctrl+O"},
                         Entry{"mnuFile", 2, "&Enregistrer", "Ctrl+S"}, Entry{"mnuFile", 3, "Enregistrer sous.."},
                         Entry{"mnuFile", 9, "-"}, Entry{"mnuFile", 10, "&Imprimer", "Ctrl+P"},
                         Entry{"mnuFile", 11, "-"}, Entry{"mnuFile", 12, "1. "}, Entry{"mnuFile", 13, "2. "},
                         Entry{"mnuFile", 14, "3. "}, Entry{"mnuFile", 15, "4. "}, Entry{"mnuFile", 16, "-"},
                         Entry{"mnuFile", 17, "&Quitter", "Ctrl+Q"}})
    AddEntry(file, e);
  for (int i = 12; i <= 15; ++i) MenuAction("mnuFile", i)->setEnabled(false);

  QMenu* edit = AddMenu(this, bar, nullptr, "mnuEditPop", "&Edition");
  for (const Entry& e : {Entry{"mnuEdit", 0, "&Annuler"}, Entry{"mnuEdit", 1, "-"},
                         Entry{"mnuEdit", 2, "Couper", "Ctrl+X"}, Entry{"mnuEdit", 3, "Copier", "Ctrl+C"},
                         Entry{"mnuEdit", 4, "Coller", "Ctrl+V"}})
    AddEntry(edit, e);
  MenuAction("mnuEdit", 0)->setEnabled(false);

  QMenu* view = AddMenu(this, bar, nullptr, "Affi", "&Affichage");
  QMenu* look = AddMenu(this, nullptr, view, "Mnutype", "Type du menu");
  AddEntry(look, {"mnuxp", -1, "&Menu Office Xp"});
  AddEntry(look, {"mnu2003", -1, "&Menu Office 2003"});
  QMenu* theme = AddMenu(this, nullptr, view, "ToolBar", "&Type de la barre d'outils");
  const char* themes[] = {"&Bleu", "Gris", "&Vert", "Visual Studio.net", "&Symantac", "&Détection automatique"};
  for (int i = 0; i < 6; ++i) AddEntry(theme, {"MnuTb", i, themes[i]});
  AddEntry(view, {"sepxp", -1, "-"});
  QMenu* zoom = AddMenu(this, nullptr, view, "zoom", "Zoom");
  connect(AddEntry(zoom, {"zooAv", -1, "Zoom Avant (+)"}), &QAction::triggered, this, [this] { ZoomIn(); });
  connect(AddEntry(zoom, {"ZooAr", -1, "Zoom Arrière (-)"}), &QAction::triggered, this, [this] { ZoomOut(); });
  AddEntry(view, {"sepzoom", -1, "-"});
  QMenu* lng = AddMenu(this, nullptr, view, "mnuLng", "&Langue");
  AddEntry(lng, {"MNlangueChoice", 0, "#"});

  QMenu* tools = AddMenu(this, bar, nullptr, "mnuTools", "&Outils");
  const char* toolNames[] = {"&Sélection", "&Gomme", "&Pot de peinture", "&Capture", "&Cryon", "Pin&ceau",
                             "&Moucheté", "&Texte", "T&rait", "&Réctangle", "&Cercle", "&Rectangle arrondie"};
  for (int i = 0; i < 12; ++i) AddEntry(tools, {"MnuTool", i, toolNames[i]})->setCheckable(true);

  QMenu* effects = AddMenu(this, bar, nullptr, "mnuEffectsPop", "E&ffets");
  AddEntry(effects, {"mnuEffects", 0, "Taille"});
  QMenu* flip = AddMenu(this, nullptr, effects, "mnuEffects", "Miroire");
  flip->menuAction()->setProperty(kControlIndexProperty, 1);
  AddEntry(flip, {"mnuFlip", 0, "Horizontale"});
  AddEntry(flip, {"mnuFlip", 1, "Verticale"});
  QMenu* rotate = AddMenu(this, nullptr, effects, "mnuEffects", "Rotation");
  rotate->menuAction()->setProperty(kControlIndexProperty, 2);
  const char* rotations[] = {"90° horloge", "90° Contre horloge", "180°", "Personnaliser..."};
  for (int i = 0; i < 4; ++i) AddEntry(rotate, {"mnuRotate", i, rotations[i]});
  const char* fx[] = {"Inverser", "Tirage", "Nocturne", "Remplacer couleur"};
  for (int i = 0; i < 4; ++i) AddEntry(effects, {"mnuEffects", 3 + i, fx[i]});
  QMenu* convert = AddMenu(this, nullptr, effects, "mnuEffects", "Convertir en");
  convert->menuAction()->setProperty(kControlIndexProperty, 7);
  const char* depths[] = {"Noir/Blanc (1bit)", "16 Couleurs (4bit)", "256 Couleurs (8bit)"};
  for (int i = 0; i < 3; ++i) AddEntry(convert, {"mnuConvert", i, depths[i]});
  AddEntry(effects, {"mnuEffects", 8, "Pixelage"});
  AddEntry(effects, {"mnuEffects", 9, "Zigzag"});

  QMenu* special = AddMenu(this, bar, nullptr, "mnuspecials", "&Spéciale");
  AddEntry(special, {"mnuspecial", 5, "Extraire d'un fichier"});
  AddEntry(special, {"mnuspecial", 6, "Importer image"});
  QMenu* exportMenu = AddMenu(this, nullptr, special, "mnuspecial", "Exporter image");
  exportMenu->menuAction()->setProperty(kControlIndexProperty, 7);
  const char* exports[] = {"Curseur", "Windows Bitmap", "Fichier PCX"};
  for (int i = 0; i < 3; ++i) AddEntry(exportMenu, {"mnuExport", i, exports[i]});
  AddEntry(exportMenu, {"mnuExport", 3, "Curseur X11"});
  AddEntry(special, {"mnuspecial", 8, "Créer curseur animé"});

  QMenu* help = AddMenu(this, bar, nullptr, "mnuHelpPop", "&Aide");
  AddEntry(help, {"hlp", -1, "&Aide"});
  AddEntry(help, {"zzs", -1, "-"});
  QMenu* samples = AddMenu(this, nullptr, help, "ex", "&Exemples");
  AddEntry(samples, {"exico", -1, "Icons"});
  AddEntry(samples, {"excur", -1, "Curseurs"});
  AddEntry(help, {"aa", -1, "-"});
  AddEntry(help, {"mnuHelp", 0, "Varnel sur le Net"});
  AddEntry(help, {"mnuHelp", 1, "A propos"});
}

void frmMain::BuildClientArea() {
  toolbar_ = new QToolBar(this);
  toolbar_->setObjectName("Toolbar1");
  toolbar_->setMovable(false);
  toolbar_->setIconSize(QSize(24, 24));
  addToolBar(Qt::TopToolBarArea, toolbar_);
  // Shown once it carries its buttons; an empty strip only takes room.
  toolbar_->setVisible(!toolbar_->actions().isEmpty());

  client_ = new QWidget(this);
  client_->setObjectName("frmMainClient");
  client_->setMouseTracking(true);
  client_->installEventFilter(this);
  setCentralWidget(client_);

  picLeft_ = new QWidget(client_);
  picLeft_->setObjectName("picLeft");

  picIcon_ = new IconCanvas(doc_, client_);
  picIcon_->SetGeometryF(kToolsPanelWidth, kCanvasTop, 256, 256);

  picColors_ = new QWidget(client_);
  picColors_->setObjectName("picColors");
  picSmallIcon_ = new IconPreview(doc_, picColors_);
  picSmallIcon_->move(kInitialClientWidth - 36 - 15, 8);

  picStatus_ = new QWidget(client_);
  picStatus_->setObjectName("picStatus");
  lblStatus_ = new QLabel(picStatus_);
  lblStatus_->setObjectName("lblStatus");
  lblStatus_->setGeometry(2, 2, 433, 17);
  imgMaximize_ = new QWidget(picStatus_);
  imgMaximize_->setObjectName("imgMaximize");
  imgMaximize_->setFixedSize(12, 12);
  imgMaximize_->setCursor(Qt::SizeFDiagCursor);
  imgMaximize_->setMouseTracking(true);
  imgMaximize_->installEventFilter(this);
}

void frmMain::Start(const QString& commandLine) {
  // The tools and colours build their controls first, so that translation
  // reaches every caption and tooltip, as if the window had them from the start.
  SetupColors();
  SetupTools();
  SetupEdit();
  SetupLanguage();
  doc_ = IconDocument();
  SetupFile();  // recent files, then the command-line file
  SetupExtract();
  if (!commandLine.isEmpty()) OpenIconFile(commandLine);
  Layout();
  RePaint();
}

void frmMain::RePaint() {
  DrawMask();
  picIcon_->update();
  picSmallIcon_->update();
}

void frmMain::DrawMask() {
  // The outline itself is drawn by the canvas; the view rectangle is kept
  // current here so hit tests work even before the next paint.
  if (doc_.selection.active && !picIcon_->Moving())
    doc_.selection.viewRect = SelectionViewRect(doc_.selection, picIcon_->ScaleWidth());
}

void frmMain::CreateBackup() {
  if (tools_->engine) tools_->engine->CreateBackup();
}

void frmMain::RestoreBackup() {
  if (tools_->engine) tools_->engine->EditUndo();
}

void frmMain::ZoomIn() {
  const SizeF s = gs::ZoomIn({picIcon_->ScaleWidth(), picIcon_->ScaleHeight()});
  picIcon_->SetScale(s.width, s.height);
  DrawMask();
}

void frmMain::ZoomOut() {
  const SizeF s = gs::ZoomOut({picIcon_->ScaleWidth(), picIcon_->ScaleHeight()});
  picIcon_->SetScale(s.width, s.height);
  DrawMask();
}

QAction* frmMain::MenuAction(const QString& name, int index) const {
  for (QAction* a : findChildren<QAction*>(name)) {
    const QVariant v = a->property(kControlIndexProperty);
    if (index < 0 ? !v.isValid() : (v.isValid() && v.toInt() == index)) return a;
  }
  return nullptr;
}

QMenu* frmMain::Menu(const QString& name) const { return findChild<QMenu*>(name); }

void frmMain::Layout() {
  const QSize c = client_->size();
  picLeft_->setGeometry(0, 0, kToolsPanelWidth, std::max(0, c.height() - kColorBarHeight - kStatusBarHeight));
  picColors_->setGeometry(0, c.height() - kColorBarHeight - kStatusBarHeight, c.width(), kColorBarHeight);
  picStatus_->setGeometry(0, c.height() - kStatusBarHeight, c.width(), kStatusBarHeight);

  MainLayoutInput in;
  in.clientWidth = c.width();
  in.clientHeight = c.height();
  // The grip and the preview follow the window's right edge; inside our own
  // client area that edge is the client width.
  in.outerWidth = c.width();
  in.minimized = isMinimized();
  in.maximized = isMaximized();
  const MainLayout out = ComputeMainLayout(in);
  imgMaximize_->move(out.gripLeft, 5);
  if (out.moveCanvas) picIcon_->SetGeometryF(out.canvasLeft, out.canvasTop, out.canvasSide, out.canvasSide);
  if (out.movePreview) picSmallIcon_->move(out.previewLeft, 8);
  imgMaximize_->setVisible(out.gripVisible);
  DrawMask();
}

void frmMain::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  Layout();
}

void frmMain::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange) Layout();
}

void frmMain::closeEvent(QCloseEvent* e) {
  if (!QueryClose()) {
    e->ignore();
    return;
  }
  if (!shutDown_) {
    shutDown_ = true;
    ShutdownFile();
  }
  e->accept();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_) {
    if (event->type() == QEvent::Paint) {
      // The top rule: two black lines right of the tools panel.
      QPainter p(client_);
      p.setPen(Qt::black);
      p.drawLine(kToolsPanelWidth, 0, client_->width() - 1, 0);
      p.drawLine(kToolsPanelWidth, 1, client_->width() - 1, 1);
    } else if (event->type() == QEvent::MouseMove) {
      if (!lblStatus_->text().isEmpty()) lblStatus_->setText(QString());
    }
  } else if (watched == imgMaximize_ && event->type() == QEvent::MouseMove) {
    auto* me = static_cast<QMouseEvent*>(event);
    if (me->buttons() == Qt::LeftButton && windowHandle())
      windowHandle()->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
  } else if (watched == imgMaximize_ && event->type() == QEvent::Paint) {
    QPainter p(imgMaximize_);
    p.setPen(palette().color(QPalette::Dark));
    for (int i = 0; i < 3; ++i) p.drawLine(4 * i + 3, 11, 11, 4 * i + 3);
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace gs
