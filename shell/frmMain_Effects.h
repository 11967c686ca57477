#pragma once
// The main window's effects concern: the "E&ffets" menu (mnuEffects, with
// the submenus mnuFlip, mnuRotate and mnuConvert), its two prompts, the three
// effect windows and the text window of the text tool.
#include <QObject>
#include <QString>
#include <functional>

#include "effects/effect_host.h"
#include "shell/frmMain.h"

class QWidget;

namespace gs {

inline constexpr const char* kPixelatePrompt = "Entrez SVP l'intensité :";
inline constexpr const char* kPixelateReply = "2";
inline constexpr const char* kAnglePrompt = "Entrez un angle pour tourner avec (degrees) :";
inline constexpr const char* kAngleReply = "0";

// The effect windows' view of the main window.
class MainEffectHost : public EffectHost {
 public:
  explicit MainEffectHost(frmMain& window) : window_(window) {}
  IconDocument& Document() override { return window_.Document(); }
  void CreateBackup() override { window_.CreateBackup(); }
  void RePaint() override { window_.RePaint(); }

 private:
  frmMain& window_;
};

// Lives as a child of the main window (found by EffectsOf).
class EffectsPart : public QObject {
  Q_OBJECT
 public:
  explicit EffectsPart(frmMain& window);
  MainEffectHost host;
  // The modal prompt: the typed reply, or empty text for Cancel. Tests put
  // their own answers here.
  std::function<QString(QWidget* owner, const QString& prompt, const QString& title,
                        const QString& reply)>
      prompt;
  // The colour with which the desktop marks selected items (zigzag).
  std::function<Color()> highlight;
};

EffectsPart& EffectsOf(frmMain& window);

void mnuEffects_Click(frmMain& window, int index);
void mnuFlip_Click(frmMain& window, int index);
void mnuRotate_Click(frmMain& window, int index);
void mnuConvert_Click(frmMain& window, int index);
// The text tool's press: the text window over the pressed pixel.
void OpenTextWindow(frmMain& window, int x, int y, Color color);

}  // namespace gs
