#include "shell/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>
#include <vector>

#include "document/qt_canvas.h"
#include "lang/qt_translation.h"
#include "platform/absolute_path.h"
#include "shell/frmMain_Colors.h"
#include "shell/frmMain_Edit.h"
#include "shell/frmMain_File.h"
#include "shell/frmMain_Lang.h"
#include "shell/frmMain_Menus.h"
#include "shell/frmMain_Toolbar.h"
#include "shell/frmMain_Tools.h"
#include "shell/main_layout.h"
#include "shell/menu_tree.h"
#include "shell/qt_appearance.h"
#include "shell/view_settings.h"

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
  const char* altShortcut = nullptr;
};

QAction* AddEntry(QMenu* menu, const Entry& e) {
  const bool separator = QString::fromUtf8(e.caption) == "-";
  QAction* a = separator ? menu->addSeparator() : menu->addAction(QString::fromUtf8(e.caption));
  a->setObjectName(e.name);
  if (e.index >= 0) a->setProperty(kControlIndexProperty, e.index);
  if (e.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(e.shortcut)));
  if (e.shortcut && e.altShortcut)
    a->setShortcuts({QKeySequence(QString::fromLatin1(e.shortcut)),
                     QKeySequence(QString::fromLatin1(e.altShortcut))});
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
  // The toolbar's buttons first: the theme then paints their pictures once,
  // and the bar is polished once, in its theme, when it is shown.
  SetupShellToolbar(*this);
  SetupShellMenus(*this);
  toolbar_->setVisible(true);
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

frmMain::~frmMain() { TeardownShellToolbar(*this); }

void frmMain::BuildMenus() {
  // The tree comes whole from its table (shell/menu_tree.h): names, indexes,
  // captions, shortcuts and first states. Handlers are connected by each concern.
  QMenuBar* bar = menuBar();
  // The look before the entries: a later change of style lays every entry out again.
  bar->setStyleSheet(MenuBarStyleSheet(kInitialMenuLook));
  std::vector<QMenu*> open;  // open[level - 1]: where entries of `level` go
  for (const MenuRow& row : MenuTree()) {
    open.resize(static_cast<std::size_t>(row.level - 1));
    QMenu* into = open.empty() ? nullptr : open.back();
    if (row.submenu) {
      QMenu* m = AddMenu(this, into ? nullptr : bar, into, row.name, row.caption);
      if (row.index != kNoIndex) m->menuAction()->setProperty(kControlIndexProperty, row.index);
      open.push_back(m);
      continue;
    }
    if (!into) continue;
    QAction* a = AddEntry(into, {row.name, row.index, row.caption, row.shortcut, row.altShortcut});
    if (row.checkable) {
      a->setCheckable(true);
      a->setChecked(row.checked);
    }
    a->setEnabled(row.enabled);
  }
  connect(MenuAction("zooAv"), &QAction::triggered, this, [this] { ZoomIn(); });
  connect(MenuAction("ZooAr"), &QAction::triggered, this, [this] { ZoomOut(); });
  // The keys the captions name; the keypad's + and - reach them too.
  for (const auto& [key, entry] : {std::pair{"+", "zooAv"}, std::pair{"-", "ZooAr"}}) {
    auto* keys = new QShortcut(QKeySequence(QString::fromLatin1(key)), this);
    connect(keys, &QShortcut::activated, MenuAction(entry), &QAction::trigger);
  }
  connect(MenuAction("mnuGrid"), &QAction::triggered, this, [this](bool on) {
    SetGrid(on);
    SaveGridChoice(env_.Settings(), on);
  });
}

void frmMain::SetGrid(bool on) {
  if (QAction* a = MenuAction("mnuGrid")) a->setChecked(on);
  picIcon_->SetGrid(on);
}

void frmMain::BuildClientArea() {
  toolbar_ = new QToolBar(this);
  toolbar_->setObjectName("Toolbar1");
  toolbar_->setMovable(false);
  toolbar_->setIconSize(QSize(24, 24));
  // The theme before the buttons: a later change of style sheet polishes
  // every button of the strip again.
  toolbar_->setStyleSheet(ToolbarStyleSheet(kInitialToolbarTheme, QApplication::palette()));
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

  // The canvas lives in a view of its own, so that a zoomed canvas larger than
  // its room is scrolled rather than cut off by the colour bar.
  picIconView_ = new QScrollArea(client_);
  picIconView_->setObjectName("picIconView");
  picIconView_->setFrameShape(QFrame::NoFrame);
  picIconView_->setFocusPolicy(Qt::NoFocus);
  picIconView_->setWidgetResizable(false);
  picIconView_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picIconView_->setGeometry(kToolsPanelWidth, kCanvasTop, 256, 256);
  picIcon_ = new IconCanvas(doc_);
  picIcon_->SetScale(256, 256);
  picIconView_->setWidget(picIcon_);
  // Ctrl+wheel zooms, over the canvas and the bare view around it alike.
  picIconView_->viewport()->installEventFilter(this);
  picIcon_->installEventFilter(this);
  setAcceptDrops(true);

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

void frmMain::Start(const std::string& commandLine) {
  // The tools and colours build their controls first, so that translation
  // reaches every caption and tooltip, as if the window had them from the start.
  SetupColors();
  SetupTools();
  SetupEdit();
  SetupLanguage();
  doc_ = IconDocument();
  SetupFile();  // recent files, then the command-line file
  SetupExtract();
  SetGrid(LoadGridChoice(env_.Settings()));
  if (!commandLine.empty()) OpenIconFile(AbsolutePath(commandLine, CurrentFolder()));
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

void frmMain::ZoomIn() {
  const SizeF s = gs::ZoomIn({picIcon_->ScaleWidth(), picIcon_->ScaleHeight()});
  picIcon_->SetScale(s.width, s.height);
  FitCanvasView(CurrentLayout());
  DrawMask();
}

void frmMain::ZoomOut() {
  const SizeF s = gs::ZoomOut({picIcon_->ScaleWidth(), picIcon_->ScaleHeight()});
  picIcon_->SetScale(s.width, s.height);
  FitCanvasView(CurrentLayout());
  DrawMask();
}

namespace {

QAction* FirstOfIndex(const QList<QPointer<QAction>>& actions, int index) {
  for (QAction* a : actions) {
    if (!a) continue;
    const QVariant v = a->property(kControlIndexProperty);
    if (index < 0 ? !v.isValid() : (v.isValid() && v.toInt() == index)) return a;
  }
  return nullptr;
}

}  // namespace

QAction* frmMain::MenuAction(const QString& name, int index) const {
  // Every concern looks its entries up by name; one walk of the window's
  // objects serves them all, instead of one walk per lookup.
  if (actionsByName_.isEmpty())
    for (QAction* a : findChildren<QAction*>())
      if (!a->objectName().isEmpty()) actionsByName_[a->objectName()].append(a);
  if (QAction* a = FirstOfIndex(actionsByName_.value(name), index)) return a;
  // Made since the index was (the language entries): looked up afresh.
  QList<QPointer<QAction>>& known = actionsByName_[name];
  known.clear();
  for (QAction* a : findChildren<QAction*>(name)) known.append(a);
  return FirstOfIndex(known, index);
}

QMenu* frmMain::Menu(const QString& name) const { return findChild<QMenu*>(name); }

MainLayout frmMain::CurrentLayout() const {
  const QSize c = client_->size();
  MainLayoutInput in;
  in.clientWidth = c.width();
  in.clientHeight = c.height();
  // The grip and the preview follow the window's right edge; inside our own
  // client area that edge is the client width.
  in.outerWidth = c.width();
  in.minimized = isMinimized();
  in.maximized = isMaximized();
  return ComputeMainLayout(in);
}

void frmMain::FitCanvasView(const MainLayout& layout) {
  if (isMinimized()) return;  // the view keeps its place, as the canvas does
  const int bar =
      picIconView_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, picIconView_);
  const CanvasViewport v = FitCanvasViewport(picIcon_->width(), picIcon_->height(),
                                             layout.roomWidth, layout.roomHeight, bar);
  picIconView_->setHorizontalScrollBarPolicy(v.horizontalBar ? Qt::ScrollBarAlwaysOn
                                                             : Qt::ScrollBarAlwaysOff);
  picIconView_->setVerticalScrollBarPolicy(v.verticalBar ? Qt::ScrollBarAlwaysOn
                                                         : Qt::ScrollBarAlwaysOff);
  picIconView_->setGeometry(layout.canvasLeft, layout.canvasTop, v.width, v.height);
}

void frmMain::Layout() {
  const QSize c = client_->size();
  picLeft_->setGeometry(0, 0, kToolsPanelWidth,
                        std::max(0, c.height() - kColorBarHeight - kStatusBarHeight));
  picColors_->setGeometry(0, c.height() - kColorBarHeight - kStatusBarHeight, c.width(),
                          kColorBarHeight);
  picStatus_->setGeometry(0, c.height() - kStatusBarHeight, c.width(), kStatusBarHeight);

  const MainLayout out = CurrentLayout();
  imgMaximize_->move(out.gripLeft, 5);
  if (out.moveCanvas) picIcon_->SetScale(out.canvasSide, out.canvasSide);
  FitCanvasView(out);
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

namespace {

// The local files a drag carries; empty when it carries none. The names are
// the bytes the address encodes: one that is not UTF-8 would not survive a
// trip through QString.
std::vector<std::string> DroppedPaths(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile())
      paths.push_back(
          QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
  return paths;
}

}  // namespace

void frmMain::dragEnterEvent(QDragEnterEvent* e) {
  if (!QApplication::activeModalWidget() && !DroppedPaths(e->mimeData()).empty())
    e->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* e) {
  // A modal window owns the user's attention; the document is not to change under it.
  if (QApplication::activeModalWidget()) return;
  std::vector<std::string> paths = DroppedPaths(e->mimeData());
  if (paths.empty() || !file_->commands) return;
  e->acceptProposedAction();
  // After the drop has ended: the save-changes question must not hold the
  // other program's drag.
  QTimer::singleShot(0, this, [this, paths = std::move(paths)] {
    if (QApplication::activeModalWidget()) return;
    const std::string status = file_->commands->OpenDropped(paths);
    if (!status.empty()) lblStatus_->setText(QString::fromStdString(status));
  });
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel && picIconView_ &&
      (watched == picIcon_ || watched == picIconView_->viewport())) {
    auto* we = static_cast<QWheelEvent*>(event);
    if (!(we->modifiers() & Qt::ControlModifier)) return false;
    for (int n = WheelZoomSteps(wheelPending_, we->angleDelta().y()); n != 0; n += n > 0 ? -1 : 1)
      MenuAction(n > 0 ? "zooAv" : "ZooAr")->trigger();
    return true;
  }
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
