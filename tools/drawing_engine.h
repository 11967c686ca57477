#pragma once
// The pointer drawing engine: what a press, move or release on the canvas,
// a canvas key, or a spray timer tick does to the document.
//
// Call order, as the canvas window drives it (X, Y in canvas pixels, scale =
// the canvas' inner size; buttons are MouseButton values):
//
//   mouse down   -> Press(button, X, Y, scaleW, scaleH)
//                     modified := true, cancel := false, CreateBackup, the
//                     tool's press, RePaint
//   mouse move   -> Move(buttonsHeld, X, Y, scaleW, scaleH)
//                     nothing after Escape; pointer shape; with no button
//                     held the status line, else the tool's move and RePaint
//   mouse up     -> Release(button, X, Y, scaleW, scaleH)
//                     stops the spray, commits the drag unless cancelled,
//                     drops the working copy, RePaint
//   key down     -> KeyDown(key)          Delete and Escape only
//   tmrPoints    -> SprayTick()           between StartSprayTimer and StopSprayTimer
//   tool chosen  -> SelectTool(tool)      returns the option panel to show
//   edit menu    -> EditUndo / EditRedo / EditCut / EditCopy / EditPaste
//   effects      -> CreateBackup before changing the image
//   new picture  -> ForgetUndo        (New, Open: nothing of the old one to go back to)
//
// The engine never sees a window: it reads and writes the document, the undo
// copy, the two colours and the tool options it is given, and asks the host
// for everything on screen.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "document/icon_document.h"
#include "document/undo.h"
#include "tools/clipboard.h"
#include "tools/color_state.h"
#include "tools/spray.h"
#include "tools/tool_options.h"

namespace gs {

// What the engine asks of the editor window.
class ToolHost {
 public:
  virtual ~ToolHost() = default;
  virtual void RePaint() = 0;
  virtual void StartSprayTimer() = 0;
  virtual void StopSprayTimer() = 0;
  virtual void SetCanvasPointer(int image) = 0;
  virtual void ShowStatus(const std::string& text) = 0;
  // The screen pixel of the magnified canvas at (x, y), selection outline and all.
  virtual Color CanvasPixel(int x, int y) = 0;
  // The text tool: the text window takes over at this cell with this colour.
  virtual void OpenTextTool(int x, int y, Color c) = 0;
  virtual void ColorsChanged() {}
  virtual void UndoChanged(bool /*available*/) {}
  virtual void RedoChanged(bool /*available*/) {}
};

// What the editor owns and lends to the engine for the whole run.
struct EditorContext {
  IconDocument& document;
  UndoBuffer& undo;
  ColorState& colors;
  ToolOptions& options;
  ToolHost& host;
};

inline constexpr int kKeyDelete = 46;
inline constexpr int kKeyEscape = 27;

// "RGB:" and the three channels, each with its leading blank.
std::string StatusText(Color c);
// The same, then "x, y" of the cell under the pointer when it is one of the image's.
std::string StatusText(Color c, Point cell);

// End of a box on one axis: past the pointer's cell when at or beyond the
// reference, else the pointer's cell itself (the reference's cell left out).
inline int EndCell(int c, int reference) { return c >= reference ? c + 1 : c; }

// The state a stroke keeps between events.
struct DragState {
  Point anchor;            // drag start, or the grab offset of a selection move
  bool cancel = false;     // Escape since the last press
  bool moving = false;     // a selection move is running
  bool selecting = false;  // a new selection is being dragged out
  bool stroke = false;     // a drawing button is held since a press on the canvas
  int sprayButton = kNoButton;
  bool spraying = false;
  std::optional<Surface> workingCopy;  // the image at the press, for drag tools
};

// The pen and brush of one colour that every tool action starts with, for
// the duration of that action.
class SolidObjects {
 public:
  SolidObjects(Surface& s, Color c)
      : s_(s), pen_(s.SelectPen(Pen::Solid(1, c))), brush_(s.SelectBrush(Brush::Solid(c))) {}
  ~SolidObjects() {
    s_.SelectPen(pen_);
    s_.SelectBrush(brush_);
  }
  SolidObjects(const SolidObjects&) = delete;
  SolidObjects& operator=(const SolidObjects&) = delete;

 private:
  Surface& s_;
  Pen pen_;
  Brush brush_;
};

struct PointerEvent {
  int button = kNoButton;  // the one button that paints this event
  Color color = kBlack;
  Point cell;           // document pixel under the pointer
  double x = 0, y = 0;  // canvas position
};

class Tool;

class DrawingEngine {
 public:
  explicit DrawingEngine(EditorContext context);
  ~DrawingEngine();
  DrawingEngine(const DrawingEngine&) = delete;
  DrawingEngine& operator=(const DrawingEngine&) = delete;

  void Press(int button, double x, double y, double scaleWidth, double scaleHeight);
  void Move(int buttons, double x, double y, double scaleWidth, double scaleHeight);
  void Release(int button, double x, double y, double scaleWidth, double scaleHeight);
  void KeyDown(int key);
  void SprayTick();

  // The tool buttons and the tool menu. Any tool but the selection removes
  // the selection. Returns the option panel the tool shows.
  OptionPanel SelectTool(ToolIndex tool);

  // The one undo path: strokes, effects, imports, Cut, Paste and the Delete
  // key take a step with CreateBackup; the Edit menu and the toolbar step back
  // through EditUndo and forward through EditRedo; a document replaced by New
  // or Open drops both lists with ForgetUndo. All keep the host's undo and
  // redo entries current.
  void CreateBackup();
  void ForgetUndo();
  // Edit menu. Undo, Redo and Paste return whether anything changed; Cut and
  // a Paste that pastes take an undo step first. Undo and Redo do nothing
  // while a stroke is under way: its press took the step it would undo.
  bool EditUndo();
  bool EditRedo();
  void EditCut(ImageClipboard& clipboard);
  bool EditCopy(ImageClipboard& clipboard);
  bool EditPaste(ImageClipboard& clipboard);

  // The pointer image for a canvas position (selection move pointer over a
  // selection unless one is being dragged out).
  int PointerImageAt(double x, double y) const;

  const DragState& State() const { return drag_; }
  bool Moving() const { return drag_.moving; }

  // Spray randomness and clock; the editor keeps the defaults.
  void SetRandomSource(RandomSource* random) { random_ = random ? random : &defaultRandom_; }
  void SetClock(std::function<double()> clock) { clock_ = std::move(clock); }

 private:
  friend class Tool;
  struct ToolSet;
  Tool& Current();
  void RePaint();
  void ReportUndo();
  void Burst(Point at, Color c);
  void StopSpray();
  bool InsideSelection(double x, double y) const;

  EditorContext ctx_;
  DragState drag_;
  std::unique_ptr<ToolSet> tools_;
  ClockSeededRandom defaultRandom_;
  RandomSource* random_ = &defaultRandom_;
  std::function<double()> clock_ = SecondsSinceMidnight;
  double lastScaleWidth_ = kIconSize * 8;
};

// One tool's actions. Shape tools share a base; see tool_kinds.h.
class Tool {
 public:
  virtual ~Tool() = default;
  virtual void Press(DrawingEngine& /*e*/, const PointerEvent& /*p*/) {}
  // False when the event ends without a repaint.
  virtual bool Move(DrawingEngine& /*e*/, const PointerEvent& /*p*/) { return true; }
  // The commit at a release that was not cancelled.
  virtual void Release(DrawingEngine& /*e*/, const PointerEvent& /*p*/) {}
  virtual void Escape(DrawingEngine& /*e*/) {}

 protected:
  static IconDocument& Doc(DrawingEngine& e) { return e.ctx_.document; }
  static ColorState& Colors(DrawingEngine& e) { return e.ctx_.colors; }
  static ToolOptions& Options(DrawingEngine& e) { return e.ctx_.options; }
  static ToolHost& Host(DrawingEngine& e) { return e.ctx_.host; }
  static DragState& Drag(DrawingEngine& e) { return e.drag_; }
  static void Burst(DrawingEngine& e, Point at, Color c) { e.Burst(at, c); }
  static void StopSpray(DrawingEngine& e) { e.StopSpray(); }
  static bool InSelection(DrawingEngine& e, double x, double y) { return e.InsideSelection(x, y); }
  // The image as it is now, kept for the rest of the drag.
  static void TakeWorkingCopy(DrawingEngine& e);
  // Puts the image of the press back; false when no drag is running.
  static bool RestoreWorkingCopy(DrawingEngine& e);
};

}  // namespace gs
