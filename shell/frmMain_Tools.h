#pragma once
// State of the main window's tools concern: the tool buttons and menu, the
// option panels, the canvas pointers, the spray timer and the drawing engine
// that the canvas events drive.
#include <QCursor>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "shell/frmMain.h"
#include "tools/drawing_engine.h"

class QTimer;
class QToolButton;

namespace gs {

class OptionPanelWidget;

// What the engine asks of the main window.
class MainToolHost : public ToolHost {
 public:
  explicit MainToolHost(frmMain& window) : window_(window) {}
  void RePaint() override;
  void StartSprayTimer() override;
  void StopSprayTimer() override;
  void SetCanvasPointer(int image) override;
  void ShowStatus(const std::string& text) override;
  Color CanvasPixel(int x, int y) override;
  void OpenTextTool(int x, int y, Color c) override;
  void ColorsChanged() override;
  void UndoChanged(bool available) override;
  void RedoChanged(bool available) override;

 private:
  frmMain& window_;
  int pointer_ = -1;
};

struct ToolsPart {
  ToolOptions options;
  std::unique_ptr<MainToolHost> host;
  std::unique_ptr<DrawingEngine> engine;
  std::array<QToolButton*, kToolCount> optTool{};  // in menu order
  // picTool1, picTool5, picTool6, picTool8, picTool9.
  std::array<OptionPanelWidget*, 5> panels{};
  // Painted when first shown: the first frame needs only the select tool's.
  std::array<std::optional<QCursor>, kPointerImageCount> pointers;
  QTimer* tmrPoints = nullptr;
  // The text window takes over a press of the text tool (cell, colour); set by
  // whoever owns that window.
  std::function<void(int x, int y, Color c)> openText;

  OptionPanelWidget* Panel(OptionPanel p) const;
  const QCursor& Pointer(int image);
  QToolButton* Button(ToolIndex tool) const {
    return optTool[static_cast<std::size_t>(IndexOf(tool))];
  }
};

// A tool button pressed (its menu entry does the same).
void optTool_Click(frmMain& window, ToolIndex tool);
void MnuTool_Click(frmMain& window, ToolIndex tool);
// One tick of tmrPoints.
void tmrPoints_Timer(frmMain& window);

}  // namespace gs
