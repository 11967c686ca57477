#include "shell/frmMain_Effects.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QMenu>
#include <QPalette>

#include "document/qt_canvas.h"
#include "effects/effect_kernels.h"
#include "effects/frmDuoTone.h"
#include "effects/frmEarthQuake.h"
#include "effects/frmResample.h"
#include "effects/frmText.h"
#include "effects/qt_effect_widgets.h"
#include "files/depth.h"
#include "files/qt_file_dialogs.h"
#include "lang/qt_translation.h"
#include "shell/frmMain_Colors.h"
#include "shell/frmMain_Tools.h"

namespace gs {

EffectsPart::EffectsPart(frmMain& window) : QObject(&window), host(window) {
  setObjectName("EffectsPart");
  prompt = [](QWidget* owner, const QString& text, const QString& title, const QString& reply) {
    bool ok = false;
    const QString typed = QInputDialog::getText(owner, title, text, QLineEdit::Normal, reply, &ok);
    return ok ? typed : QString();
  };
  highlight = [] { return FromQColor(QApplication::palette().color(QPalette::Highlight)); };
}

EffectsPart& EffectsOf(frmMain& window) { return *window.findChild<EffectsPart*>("EffectsPart"); }

namespace {

QString Ask(frmMain& w, const char* text, const char* reply) {
  return EffectsOf(w).prompt(&w, InWindowLanguage(&w, QString::fromUtf8(text)),
                             QString::fromUtf8(kAppTitle), QString::fromUtf8(reply));
}

// An immediate effect, worked out on a copy: when it changes a pixel, the
// undo copy, the new picture, the modified flag (else closing would lose the
// change unasked) and the repaint; when it changes nothing, nothing at all,
// so the undo step of the last real change stays.
template <class Change>
void Immediate(frmMain& w, Change change) {
  IconDocument& doc = w.Document();
  Surface result = doc.surface;
  change(result);
  if (result.Pixels() == doc.surface.Pixels()) return;
  w.CreateBackup();
  doc.surface = std::move(result);
  doc.modified = true;
  w.RePaint();
}

template <class Window>
void RunEffectWindow(frmMain& w) {
  Window window(EffectsOf(w).host, w.picSmallIcon()->size(), w.Env(), &w);
  w.Env().Dialogs().RunModal(&window);
}

}  // namespace

void mnuEffects_Click(frmMain& w, int index) {
  IconDocument& doc = w.Document();
  switch (index) {
    case 0:
      RunEffectWindow<frmResample>(w);
      break;
    case 3:
      Immediate(w, [&](Surface& s) { InvertColors(s, doc.EffectRect()); });
      break;
    case 4:
      RunEffectWindow<frmEarthQuake>(w);
      break;
    case 5:
      RunEffectWindow<frmDuoTone>(w);
      break;
    case 6: {
      const ColorState& c = w.Colors().colors;
      Immediate(w, [&](Surface& s) { ReplaceColor(s, doc.EffectRect(), c.left, c.right); });
      break;
    }
    case 8: {
      const std::optional<int> n =
          PixelateBlockSize(Ask(w, kPixelatePrompt, kPixelateReply).toStdString());
      if (!n) return;  // nothing to do, and the previous undo copy stays
      Immediate(w, [&](Surface& s) { PixelateRect(s, Area{0, 0, kIconSize, kIconSize}, *n, s); });
      break;
    }
    case 9: {
      const Rect r = doc.EffectRect();
      const Color h = EffectsOf(w).highlight();
      Immediate(w, [&](Surface& s) { ZigzagRect(s, Area::Of(r), true, kWhite, h); });
      break;
    }
    default:
      break;
  }
}

void mnuFlip_Click(frmMain& w, int index) {
  if (index != 0 && index != 1) return;
  Immediate(w, [&](Surface& s) {
    Mirror(s, index == 0 ? MirrorAxis::Horizontal : MirrorAxis::Vertical);
  });
}

void mnuRotate_Click(frmMain& w, int index) {
  static constexpr int kQuarter[] = {90, 270, 180};
  if (index >= 0 && index <= 2) {
    Immediate(w, [&](Surface& s) { RotateQuarter(s, kQuarter[index]); });
    return;
  }
  if (index != 3) return;
  // Asked first: a cancelled or numberless reply leaves everything, the undo
  // step of the last change included, as it was.
  const Color fill = w.Colors().colors.right;
  const std::optional<double> angle =
      RotationAngle(Ask(w, kAnglePrompt, kAngleReply).toStdString());
  if (!angle) return;
  Immediate(w, [&](Surface& s) { RotateByAngle(s, *angle, fill); });
}

void mnuConvert_Click(frmMain& w, int index) {
  static constexpr int kBits[] = {1, 4, 8};
  if (index < 0 || index > 2) return;
  // Shows what a save at that depth will give, and is a change like any other:
  // unsaved, closing asks.
  Immediate(w, [&](Surface& s) { ConvertDocumentToDepth(s, kBits[index]); });
}

void OpenTextWindow(frmMain& w, int x, int y, Color color) {
  frmText window(EffectsOf(w).host, w.picSmallIcon()->size(), x, y, color, w.Env(), &w);
  w.Env().Dialogs().RunModal(&window);
}

void frmMain::SetupEffects() {
  new EffectsPart(*this);
  auto wire = [this](const char* name, int count, void (*handler)(frmMain&, int)) {
    for (int i = 0; i < count; ++i)
      if (QAction* a = MenuAction(name, i))
        if (!a->menu())
          connect(a, &QAction::triggered, this, [this, handler, i] { handler(*this, i); });
  };
  wire("mnuEffects", 10, &mnuEffects_Click);
  wire("mnuFlip", 2, &mnuFlip_Click);
  wire("mnuRotate", 4, &mnuRotate_Click);
  wire("mnuConvert", 3, &mnuConvert_Click);
  Tools().openText = [this](int x, int y, Color c) { OpenTextWindow(*this, x, y, c); };
}

}  // namespace gs
