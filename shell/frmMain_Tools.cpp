#include "shell/frmMain_Tools.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "document/qt_canvas.h"
#include "lang/qt_translation.h"
#include "shell/frmMain_Colors.h"
#include "tools/qt_tool_art.h"
#include "tools/qt_tool_panels.h"

namespace gs {

namespace {

constexpr int kButtonSide = 28;
constexpr int kButtonLeft = 3;
constexpr int kButtonTop = 4;
constexpr int kButtonStep = 29;
constexpr QRect kPanelPlace{3, 184, 56, 104};
constexpr int kPanelMinHeight = 60;

constexpr OptionPanel kPanels[] = {OptionPanel::Tool1, OptionPanel::Tool5, OptionPanel::Tool6,
                                   OptionPanel::Tool8, OptionPanel::Tool9};

// The left panel's separator, two black lines along its right edge; and the
// option panels kept inside the panel when the window is short.
class LeftPanelPainter : public QObject {
 public:
  LeftPanelPainter(QWidget* panel, ToolsPart& tools) : QObject(panel), tools_(tools) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize) {
      auto* panel = static_cast<QWidget*>(watched);
      const int room = panel->height() - kPanelPlace.top() - 4;
      const int h = std::clamp(room, kPanelMinHeight, kPanelPlace.height());
      for (OptionPanelWidget* p : tools_.panels)
        if (p && p->height() != h)
          p->setGeometry(kPanelPlace.adjusted(0, 0, 0, h - kPanelPlace.height()));
    } else if (event->type() == QEvent::Paint) {
      auto* panel = static_cast<QWidget*>(watched);
      QPainter p(panel);
      p.setPen(Qt::black);
      p.drawLine(panel->width() - 2, 0, panel->width() - 2, panel->height() - 1);
      p.drawLine(panel->width() - 1, 0, panel->width() - 1, panel->height() - 1);
    }
    return false;
  }

 private:
  ToolsPart& tools_;
};

int EngineKey(int qtKey) {
  if (qtKey == Qt::Key_Delete) return kKeyDelete;
  if (qtKey == Qt::Key_Escape) return kKeyEscape;
  return 0;
}

}  // namespace

OptionPanelWidget* ToolsPart::Panel(OptionPanel p) const {
  for (OptionPanelWidget* w : panels)
    if (w && w->Panel() == p) return w;
  return nullptr;
}

const QCursor& ToolsPart::Pointer(int image) {
  std::optional<QCursor>& p = pointers[static_cast<std::size_t>(image)];
  if (!p) p = ToolPointer(image);
  return *p;
}

// --- host ----------------------------------------------------------------

void MainToolHost::RePaint() {
  window_.picIcon()->SetMoving(window_.Tools().engine->Moving());
  window_.RePaint();
}

void MainToolHost::StartSprayTimer() { window_.Tools().tmrPoints->start(); }
void MainToolHost::StopSprayTimer() { window_.Tools().tmrPoints->stop(); }

void MainToolHost::SetCanvasPointer(int image) {
  if (image == pointer_) return;
  pointer_ = image;
  window_.picIcon()->setCursor(window_.Tools().Pointer(image));
}

void MainToolHost::ShowStatus(const std::string& text) {
  window_.lblStatus()->setText(QString::fromStdString(text));
}

Color MainToolHost::CanvasPixel(int x, int y) {
  const IconCanvas* c = window_.picIcon();
  // The picture's own pixel, not a grid line drawn over it.
  if (c->rect().contains(x, y)) return FromArgb32(c->Render(QRect(x, y, 1, 1), false).pixel(0, 0));
  // Off the canvas (a drag held beyond it): the cell the position names.
  const Point cell = c->CellAt(QPointF(x, y));
  return window_.Document().surface.GetPixel(cell.x, cell.y);
}

void MainToolHost::OpenTextTool(int x, int y, Color c) {
  if (window_.Tools().openText) window_.Tools().openText(x, y, c);
}

void MainToolHost::ColorsChanged() { RefreshColorButtons(window_); }

void MainToolHost::UndoChanged(bool available) {
  if (QAction* undo = window_.MenuAction("mnuEdit", 0)) undo->setEnabled(available);
}

void MainToolHost::RedoChanged(bool available) {
  if (QAction* redo = window_.MenuAction("mnuEdit", 5)) redo->setEnabled(available);
}

// --- tool buttons and menu -------------------------------------------------

void optTool_Click(frmMain& w, ToolIndex tool) {
  ToolsPart& part = w.Tools();
  if (!ToolFromIndex(IndexOf(tool))) return;
  for (ToolIndex t : kAllTools)
    if (QAction* a = w.MenuAction("MnuTool", IndexOf(t))) a->setChecked(t == tool);
  for (OptionPanelWidget* p : part.panels) p->hide();
  const OptionPanel panel = part.engine->SelectTool(tool);
  part.Button(tool)->setChecked(true);
  if (OptionPanelWidget* shown = part.Panel(panel)) {
    shown->show();
    shown->update();  // the fill panel shows this tool's own style
  }
  // The canvas keys work at once, without another click.
  w.picIcon()->setFocus(Qt::OtherFocusReason);
}

void MnuTool_Click(frmMain& w, ToolIndex tool) { optTool_Click(w, tool); }

void tmrPoints_Timer(frmMain& w) { w.Tools().engine->SprayTick(); }

void frmMain::SetupTools() {
  ToolsPart& part = Tools();
  part.options = ToolOptions();
  part.host = std::make_unique<MainToolHost>(*this);
  part.engine = std::make_unique<DrawingEngine>(
      EditorContext{Document(), undo_, Colors().colors, part.options, *part.host});

  part.tmrPoints = new QTimer(this);
  part.tmrPoints->setObjectName("tmrPoints");
  part.tmrPoints->setInterval(kSprayTimerMs);
  connect(part.tmrPoints, &QTimer::timeout, this, [this] { tmrPoints_Timer(*this); });

  QWidget* left = picLeft();
  left->installEventFilter(new LeftPanelPainter(left, part));
  for (ToolIndex tool : kAllTools) {
    const int i = IndexOf(tool);
    auto* b = new QToolButton(left);
    b->setObjectName("optTool");
    b->setProperty(kControlIndexProperty, i);
    b->setCheckable(true);
    b->setAutoExclusive(true);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIcon(QIcon(ToolButtonGlyph(tool)));
    b->setIconSize(QSize(22, 22));
    const std::string_view caption = GetToolInfo(tool).caption;
    b->setToolTip(
        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())).remove('&'));
    // Two columns of six: the left column holds the even tools.
    b->setGeometry(kButtonLeft + (i % 2) * kButtonSide, kButtonTop + (i / 2) * kButtonStep,
                   kButtonSide, kButtonSide);
    connect(b, &QToolButton::clicked, this, [this, tool] { optTool_Click(*this, tool); });
    part.optTool[static_cast<std::size_t>(i)] = b;
    if (QAction* a = MenuAction("MnuTool", i))
      connect(a, &QAction::triggered, this, [this, tool] { MnuTool_Click(*this, tool); });
  }

  for (std::size_t k = 0; k < part.panels.size(); ++k) {
    auto* panel = new OptionPanelWidget(kPanels[k], part.options, left);
    panel->setGeometry(kPanelPlace);
    part.panels[k] = panel;
  }
  // Every option starts at its first choice, as a press at (0, 0) gives.
  for (OptionPanelWidget* p : part.panels) p->Click(0, 0, Qt::LeftButton);

  part.Button(ToolIndex::kSelect)->setChecked(true);
  if (QAction* a = MenuAction("MnuTool", IndexOf(ToolIndex::kSelect))) a->setChecked(true);

  IconCanvas* canvas = picIcon();
  DrawingEngine* engine = part.engine.get();
  canvas->setCursor(part.Pointer(0));
  connect(canvas, &IconCanvas::pressed, this,
          [canvas, engine](Qt::MouseButton b, QPointF pos, Qt::KeyboardModifiers) {
            engine->Press(ToEngineButton(b), pos.x(), pos.y(), canvas->ScaleWidth(),
                          canvas->ScaleHeight());
          });
  connect(canvas, &IconCanvas::moved, this,
          [canvas, engine](Qt::MouseButtons b, QPointF pos, Qt::KeyboardModifiers) {
            engine->Move(ToEngineButtons(b), pos.x(), pos.y(), canvas->ScaleWidth(),
                         canvas->ScaleHeight());
          });
  connect(canvas, &IconCanvas::released, this,
          [canvas, engine](Qt::MouseButton b, QPointF pos, Qt::KeyboardModifiers) {
            engine->Release(ToEngineButton(b), pos.x(), pos.y(), canvas->ScaleWidth(),
                            canvas->ScaleHeight());
          });
  connect(canvas, &IconCanvas::keyPressed, this, [engine](int key, Qt::KeyboardModifiers) {
    if (const int k = EngineKey(key)) engine->KeyDown(k);
  });
}

}  // namespace gs
