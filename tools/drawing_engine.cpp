#include "tools/drawing_engine.h"

#include <array>

#include "document/canvas_view.h"
#include "document/numeric.h"
#include "tools/tool_kinds.h"

namespace gs {

std::string StatusText(Color c) {
  const ColorParts p = SplitColor(c);
  // Each number with the blank a non-negative number is written with.
  return "RGB: " + std::to_string(p.red) + " " + std::to_string(p.green) + " " +
         std::to_string(p.blue);
}

std::string StatusText(Color c, Point cell) {
  std::string text = StatusText(c);
  if (cell.x >= 0 && cell.x < kIconSize && cell.y >= 0 && cell.y < kIconSize)
    text += "   " + std::to_string(cell.x) + ", " + std::to_string(cell.y);
  return text;
}

struct DrawingEngine::ToolSet {
  std::array<std::unique_ptr<Tool>, kToolCount> tools;
};

DrawingEngine::DrawingEngine(EditorContext context)
    : ctx_(context), tools_(std::make_unique<ToolSet>()) {
  for (ToolIndex t : kAllTools) tools_->tools[static_cast<std::size_t>(IndexOf(t))] = MakeTool(t);
}

DrawingEngine::~DrawingEngine() = default;

Tool& DrawingEngine::Current() {
  const ToolIndex t = ToolFromIndex(IndexOf(ctx_.options.currentTool)).value_or(ToolIndex::kSelect);
  return *tools_->tools[static_cast<std::size_t>(IndexOf(t))];
}

void DrawingEngine::RePaint() {
  // The outline's place on screen is what later presses are hit-tested against.
  Selection& sel = ctx_.document.selection;
  if (!drag_.moving && sel.active) sel.viewRect = SelectionViewRect(sel, lastScaleWidth_);
  ctx_.host.RePaint();
}

void DrawingEngine::Burst(Point at, Color c) {
  SprayBurst(ctx_.document.surface, at.x, at.y, c, ctx_.options.spraySize, *random_, clock_);
}

void DrawingEngine::StopSpray() {
  drag_.spraying = false;
  ctx_.host.StopSprayTimer();
}

bool DrawingEngine::InsideSelection(double x, double y) const {
  const Selection& sel = ctx_.document.selection;
  return sel.active && sel.viewRect.Contains(Nearest(x), Nearest(y));
}

int DrawingEngine::PointerImageAt(double x, double y) const {
  if (!drag_.selecting && InsideSelection(x, y)) return kMovePointerImage;
  return GetToolInfo(ctx_.options.currentTool).pointerImage;
}

void DrawingEngine::Press(int button, double x, double y, double scaleWidth, double scaleHeight) {
  // Only the two drawing buttons paint; any other press is left alone.
  if (button != kLeftButton && button != kRightButton) return;
  lastScaleWidth_ = scaleWidth;
  IconDocument& doc = ctx_.document;
  doc.modified = true;
  const PointerEvent p{button, ctx_.colors.ForButton(button),
                       MapPointer(x, y, scaleWidth, scaleHeight), x, y};
  drag_.cancel = false;
  // The text tool hands the press to its window; no release of ours follows.
  drag_.stroke = ctx_.options.currentTool != ToolIndex::kText;
  CreateBackup();
  {
    SolidObjects objects(doc.surface, p.color);
    Current().Press(*this, p);
  }
  RePaint();
}

void DrawingEngine::Move(int buttons, double x, double y, double scaleWidth, double scaleHeight) {
  if (drag_.cancel) return;
  lastScaleWidth_ = scaleWidth;
  ctx_.host.SetCanvasPointer(PointerImageAt(x, y));
  if (!(buttons & (kLeftButton | kRightButton))) {
    ctx_.host.ShowStatus(StatusText(ctx_.host.CanvasPixel(Nearest(x), Nearest(y)),
                                    MapPointer(x, y, scaleWidth, scaleHeight)));
    return;
  }
  const int button = (buttons & kLeftButton) ? kLeftButton : kRightButton;
  const PointerEvent p{button, ctx_.colors.ForButton(button),
                       MapPointer(x, y, scaleWidth, scaleHeight), x, y};
  bool repaint;
  {
    SolidObjects objects(ctx_.document.surface, p.color);
    repaint = Current().Move(*this, p);
  }
  if (repaint) RePaint();
}

void DrawingEngine::Release(int button, double x, double y, double scaleWidth, double scaleHeight) {
  if (button != kLeftButton && button != kRightButton) return;
  lastScaleWidth_ = scaleWidth;
  drag_.stroke = false;
  // A right release over the selection is left alone, except that a selection
  // move under way is always finished: left pending, the moved pixels would
  // be taken from the half-moved image at the next press.
  if (button == kRightButton && !drag_.selecting && !drag_.moving && InsideSelection(x, y)) return;
  StopSpray();
  if (!drag_.cancel) {
    const PointerEvent p{button, ctx_.colors.ForButton(button),
                         MapPointer(x, y, scaleWidth, scaleHeight), x, y};
    SolidObjects objects(ctx_.document.surface, p.color);
    Current().Release(*this, p);
  }
  drag_.workingCopy.reset();
  RePaint();
}

void DrawingEngine::KeyDown(int key) {
  IconDocument& doc = ctx_.document;
  if (key == kKeyDelete) {
    if (!doc.selection.active) return;
    CreateBackup();
    doc.surface.FillRect(doc.selection.Pixels().Normalized(), kWhite);
    // The cleared pixels are a change like any other: closing must not lose it.
    doc.modified = true;
    RePaint();
  } else if (key == kKeyEscape) {
    drag_.cancel = true;
    Current().Escape(*this);
  }
}

void DrawingEngine::SprayTick() {
  if (!drag_.spraying) return;
  const Color c = drag_.sprayButton == kLeftButton ? ctx_.colors.left : ctx_.colors.right;
  Burst(drag_.anchor, c);
  RePaint();
}

OptionPanel DrawingEngine::SelectTool(ToolIndex tool) {
  tool = ToolFromIndex(IndexOf(tool)).value_or(ToolIndex::kSelect);
  ctx_.options.currentTool = tool;
  if (tool != ToolIndex::kSelect) {
    ctx_.document.selection.DestroyMask();
    RePaint();
  }
  return GetToolInfo(tool).panel;
}

void DrawingEngine::ReportUndo() {
  ctx_.host.UndoChanged(ctx_.undo.Available());
  ctx_.host.RedoChanged(ctx_.undo.CanRedo());
}

void DrawingEngine::CreateBackup() {
  ctx_.undo.CreateBackup(ctx_.document.surface);
  ReportUndo();
}

void DrawingEngine::ForgetUndo() {
  ctx_.undo.Clear();
  ReportUndo();
}

bool DrawingEngine::EditUndo() {
  if (drag_.stroke || !ctx_.undo.RestoreBackup(ctx_.document.surface)) return false;
  RePaint();
  ReportUndo();
  return true;
}

bool DrawingEngine::EditRedo() {
  if (drag_.stroke || !ctx_.undo.Redo(ctx_.document.surface)) return false;
  RePaint();
  ReportUndo();
  return true;
}

void DrawingEngine::EditCut(ImageClipboard& clipboard) {
  CreateBackup();
  ::gs::EditCut(ctx_.document, clipboard);
  RePaint();
}

bool DrawingEngine::EditCopy(ImageClipboard& clipboard) {
  return ::gs::EditCopy(ctx_.document, clipboard);
}

bool DrawingEngine::EditPaste(ImageClipboard& clipboard) {
  const std::optional<Surface> image = ImageToPaste(clipboard);
  if (!image) return false;
  CreateBackup();
  PasteImageAtOrigin(ctx_.document, *image);
  RePaint();
  return true;
}

}  // namespace gs
