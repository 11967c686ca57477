#pragma once
// The twelve tools. Point tools act at the pointer cell; drag tools keep a
// working copy of the image and redraw their figure over it on every move.
#include <memory>
#include <vector>

#include "tools/drawing_engine.h"

namespace gs {

// Tools that work from the image as it was at the press.
class DragTool : public Tool {
 public:
  void Press(DrawingEngine& e, const PointerEvent& p) override;
  void Escape(DrawingEngine& e) override;
};

class LineTool : public DragTool {
 public:
  bool Move(DrawingEngine& e, const PointerEvent& p) override;
  void Release(DrawingEngine& e, const PointerEvent& p) override;

 private:
  static void Draw(DrawingEngine& e, const PointerEvent& p);
};

// Rectangle, ellipse and rounded rectangle: a figure in the box from the
// anchor to the end cell, outlined and filled by the tool's fill style.
class BoxShapeTool : public DragTool {
 public:
  explicit BoxShapeTool(ToolIndex tool) : tool_(tool) {}
  bool Move(DrawingEngine& e, const PointerEvent& p) override;
  void Release(DrawingEngine& e, const PointerEvent& p) override;

 protected:
  virtual void DrawFigure(Surface& s, const Rect& box) = 0;

 private:
  void Draw(DrawingEngine& e, const PointerEvent& p);
  ToolIndex tool_;
};

class RectangleTool : public BoxShapeTool {
 public:
  RectangleTool() : BoxShapeTool(ToolIndex::kRectangle) {}

 protected:
  void DrawFigure(Surface& s, const Rect& b) override;
};

class EllipseTool : public BoxShapeTool {
 public:
  EllipseTool() : BoxShapeTool(ToolIndex::kEllipse) {}

 protected:
  void DrawFigure(Surface& s, const Rect& b) override;
};

class RoundRectTool : public BoxShapeTool {
 public:
  RoundRectTool() : BoxShapeTool(ToolIndex::kRoundRect) {}

 protected:
  void DrawFigure(Surface& s, const Rect& b) override;
};

// Drags out a new selection, or moves the selected pixels when pressed inside it.
class SelectionTool : public Tool {
 public:
  void Press(DrawingEngine& e, const PointerEvent& p) override;
  bool Move(DrawingEngine& e, const PointerEvent& p) override;
  void Release(DrawingEngine& e, const PointerEvent& p) override;
  void Escape(DrawingEngine& e) override;

 private:
  // The block as it was at the press, at the pointer's place; its old place
  // turns white. False when there is no working copy to take it from.
  bool PlaceMovedBlock(DrawingEngine& e, const PointerEvent& p);
};

class EraserTool : public Tool {
 public:
  void Press(DrawingEngine& e, const PointerEvent& p) override { Stamp(e, p); }
  bool Move(DrawingEngine& e, const PointerEvent& p) override {
    Stamp(e, p);
    return true;
  }

 private:
  static void Stamp(DrawingEngine& e, const PointerEvent& p);
};

class FillTool : public Tool {
 public:
  void Press(DrawingEngine& e, const PointerEvent& p) override;
};

class PickerTool : public Tool {
 public:
  void Press(DrawingEngine& e, const PointerEvent& p) override { Pick(e, p); }
  bool Move(DrawingEngine& e, const PointerEvent& p) override { return Pick(e, p); }

 private:
  static bool Pick(DrawingEngine& e, const PointerEvent& p);
};

class PencilTool : public Tool {
 public:
  void Press(DrawingEngine& e, const PointerEvent& p) override;
  bool Move(DrawingEngine& e, const PointerEvent& p) override {
    Press(e, p);
    return true;
  }
};

class BrushTool : public Tool {
 public:
  void Press(DrawingEngine& e, const PointerEvent& p) override;
  bool Move(DrawingEngine& e, const PointerEvent& p) override {
    Press(e, p);
    return true;
  }
};

class SprayTool : public Tool {
 public:
  void Press(DrawingEngine& e, const PointerEvent& p) override;
  bool Move(DrawingEngine& e, const PointerEvent& p) override;
  void Escape(DrawingEngine& e) override;
};

class TextTool : public Tool {
 public:
  void Press(DrawingEngine& e, const PointerEvent& p) override;
};

// Stamps brush shape 0..11 at (x, y) with the pen and brush selected into s.
void StampBrush(Surface& s, int shape, int x, int y, Color c);

// The cells brush shape 0..11 covers when the brush tool stamps it, as
// offsets from the pointer's cell, row by row; nothing for another shape.
// The option panel's picture is drawn from these.
std::vector<Point> BrushShapePixels(int shape);
// The smallest box holding every cell (right and bottom exclusive); empty for none.
Rect BoundsOf(const std::vector<Point>& cells);

std::unique_ptr<Tool> MakeTool(ToolIndex tool);

}  // namespace gs
