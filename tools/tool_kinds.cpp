#include "tools/tool_kinds.h"

#include <algorithm>

namespace gs {

void Tool::TakeWorkingCopy(DrawingEngine& e) {
  std::optional<Surface>& wc = Drag(e).workingCopy;
  wc.emplace(kIconSize, kIconSize);
  BitBlt(*wc, Area{0, 0, kIconSize, kIconSize}, Doc(e).surface, Point{0, 0});
}

bool Tool::RestoreWorkingCopy(DrawingEngine& e) {
  const std::optional<Surface>& wc = Drag(e).workingCopy;
  if (!wc) return false;
  BitBlt(Doc(e).surface, Area{0, 0, kIconSize, kIconSize}, *wc, Point{0, 0});
  return true;
}

// --- drag tools --------------------------------------------------------------

void DragTool::Press(DrawingEngine& e, const PointerEvent& p) {
  Drag(e).anchor = p.cell;
  TakeWorkingCopy(e);
}

void DragTool::Escape(DrawingEngine& e) { RestoreWorkingCopy(e); }

void LineTool::Draw(DrawingEngine& e, const PointerEvent& p) {
  if (!RestoreWorkingCopy(e)) return;
  Surface& s = Doc(e).surface;
  const Pen old = s.SelectPen(Pen::Solid(Options(e).LinePenWidth(), p.color));
  const Point a = Drag(e).anchor;
  s.MoveToEx(a.x, a.y);
  s.LineTo(p.cell.x, p.cell.y);
  // The line leaves its end point out; the pointer's pixel belongs to it.
  s.SetPixelV(p.cell.x, p.cell.y, p.color);
  s.SelectPen(old);
}

bool LineTool::Move(DrawingEngine& e, const PointerEvent& p) {
  Draw(e, p);
  return true;
}

void LineTool::Release(DrawingEngine& e, const PointerEvent& p) { Draw(e, p); }

void BoxShapeTool::Draw(DrawingEngine& e, const PointerEvent& p) {
  if (!RestoreWorkingCopy(e)) return;
  Surface& s = Doc(e).surface;
  const ColorState& colors = Colors(e);
  Pen pen = Pen::Solid(1, p.color);
  Brush brush = Brush::Hollow();
  switch (Options(e).FillStyleOf(tool_)) {
    case FillStyle::kOutlinedSolid:
      pen = Pen::Solid(1, colors.left);
      brush = Brush::Solid(colors.right);
      break;
    case FillStyle::kSolid:
      pen = Pen::None();
      brush = Brush::Solid(colors.right);
      break;
    default:
      break;
  }
  const Pen oldPen = s.SelectPen(pen);
  const Brush oldBrush = s.SelectBrush(brush);
  const Point a = Drag(e).anchor;
  DrawFigure(s, {a.x, a.y, EndCell(p.cell.x, a.x), EndCell(p.cell.y, a.y)});
  s.SelectPen(oldPen);
  s.SelectBrush(oldBrush);
}

bool BoxShapeTool::Move(DrawingEngine& e, const PointerEvent& p) {
  Draw(e, p);
  return true;
}

void BoxShapeTool::Release(DrawingEngine& e, const PointerEvent& p) { Draw(e, p); }

void RectangleTool::DrawFigure(Surface& s, const Rect& b) {
  s.Rectangle(b.left, b.top, b.right, b.bottom);
}

void EllipseTool::DrawFigure(Surface& s, const Rect& b) {
  s.Ellipse(b.left, b.top, b.right, b.bottom);
}

void RoundRectTool::DrawFigure(Surface& s, const Rect& b) {
  s.RoundRect(b.left, b.top, b.right, b.bottom, 10, 10);
}

// --- selection -------------------------------------------------------------

void SelectionTool::Press(DrawingEngine& e, const PointerEvent& p) {
  DragState& d = Drag(e);
  Selection& sel = Doc(e).selection;
  if (InSelection(e, p.x, p.y)) {
    d.moving = true;
    d.anchor = {p.cell.x - sel.X1, p.cell.y - sel.Y1};  // grab offset
    TakeWorkingCopy(e);
  } else {
    d.moving = false;
    sel.X1 = p.cell.x;
    sel.Y1 = p.cell.y;
    sel.active = false;
    d.selecting = true;
  }
}

bool SelectionTool::Move(DrawingEngine& e, const PointerEvent& p) {
  DragState& d = Drag(e);
  Selection& sel = Doc(e).selection;
  if (d.moving) {
    PlaceMovedBlock(e, p);
  } else if (d.selecting) {
    sel.X2 = EndCell(p.cell.x, sel.X1);
    sel.Y2 = EndCell(p.cell.y, sel.Y1);
    sel.active = true;
  }
  return true;
}

void SelectionTool::Release(DrawingEngine& e, const PointerEvent& p) {
  DragState& d = Drag(e);
  Selection& sel = Doc(e).selection;
  if (d.moving) {
    d.moving = false;
    if (!PlaceMovedBlock(e, p)) return;
    sel.DestroyMask();
  } else if (d.selecting) {
    sel.X2 = EndCell(p.cell.x, sel.X1);
    sel.Y2 = EndCell(p.cell.y, sel.Y1);
    sel.active = true;
    d.selecting = false;
    sel.ArrangeMask();
  }
}

bool SelectionTool::PlaceMovedBlock(DrawingEngine& e, const PointerEvent& p) {
  if (!RestoreWorkingCopy(e)) return false;
  const DragState& d = Drag(e);
  const Selection& sel = Doc(e).selection;
  Surface& s = Doc(e).surface;
  s.FillRect(sel.Pixels(), kWhite);
  BitBlt(s, Area{p.cell.x - d.anchor.x, p.cell.y - d.anchor.y, sel.X2 - sel.X1, sel.Y2 - sel.Y1},
         *d.workingCopy, Point{sel.X1, sel.Y1});
  return true;
}

void SelectionTool::Escape(DrawingEngine& e) { Doc(e).selection.DestroyMask(); }

// --- point tools -----------------------------------------------------------

void EraserTool::Stamp(DrawingEngine& e, const PointerEvent& p) {
  const int half = Options(e).EraserSide() / 2;
  Doc(e).surface.Rectangle(p.cell.x - half, p.cell.y - half, p.cell.x + half, p.cell.y + half);
}

void FillTool::Press(DrawingEngine& e, const PointerEvent& p) {
  Surface& s = Doc(e).surface;
  s.ExtFloodFill(p.cell.x, p.cell.y, s.GetPixel(p.cell.x, p.cell.y));
}

bool PickerTool::Pick(DrawingEngine& e, const PointerEvent& p) {
  const Point c = p.cell;
  if (c.x < 0 || c.y < 0 || c.x >= kIconSize || c.y >= kIconSize) return false;
  const Color picked = Doc(e).surface.GetPixel(c.x, c.y);
  Colors(e).PickColor(picked, p.button);
  Host(e).ColorsChanged();
  return true;
}

void PencilTool::Press(DrawingEngine& e, const PointerEvent& p) {
  Doc(e).surface.SetPixelV(p.cell.x, p.cell.y, p.color);
}

void StampBrush(Surface& s, int shape, int x, int y, Color c) {
  auto line = [&](int x0, int y0, int x1, int y1) {
    s.MoveToEx(x0, y0);
    s.LineTo(x1, y1);
  };
  switch (shape) {
    case 0:
      s.Ellipse(x - 4, y - 4, x + 3, y + 3);
      break;
    case 1:
      s.Ellipse(x - 2, y - 2, x + 2, y + 2);
      break;
    case 2:
      s.SetPixelV(x, y, c);
      break;
    case 3:
      s.Rectangle(x - 4, y - 4, x + 4, y + 4);
      break;
    case 4:
      s.Rectangle(x - 3, y - 3, x + 2, y + 2);
      break;
    case 5:
      s.Rectangle(x - 1, y - 1, x + 1, y + 1);
      break;
    case 6:
      line(x - 4, y + 4, x + 4, y - 4);
      break;
    case 7:
      line(x - 3, y + 3, x + 2, y - 2);
      break;
    case 8:
      line(x - 1, y + 1, x + 1, y - 1);
      break;
    case 9:
      line(x - 4, y - 4, x + 4, y + 4);
      break;
    case 10:
      line(x - 3, y - 3, x + 2, y + 2);
      break;
    case 11:
      line(x - 1, y - 1, x + 1, y + 1);
      break;
    default:
      break;
  }
}

std::vector<Point> BrushShapePixels(int shape) {
  // Room for the largest stamp, four cells each way of the middle one.
  constexpr int kRoom = 16, kMiddle = kRoom / 2;
  Surface s(kRoom, kRoom);
  s.FillRect({0, 0, kRoom, kRoom}, kWhite);
  {
    SolidObjects objects(s, kBlack);
    StampBrush(s, shape, kMiddle, kMiddle, kBlack);
  }
  std::vector<Point> cells;
  for (int y = 0; y < kRoom; ++y)
    for (int x = 0; x < kRoom; ++x)
      if (s.GetPixel(x, y) != kWhite) cells.push_back({x - kMiddle, y - kMiddle});
  return cells;
}

Rect BoundsOf(const std::vector<Point>& cells) {
  if (cells.empty()) return {};
  Rect box{cells.front().x, cells.front().y, cells.front().x + 1, cells.front().y + 1};
  for (const Point& c : cells) {
    box.left = std::min(box.left, c.x);
    box.top = std::min(box.top, c.y);
    box.right = std::max(box.right, c.x + 1);
    box.bottom = std::max(box.bottom, c.y + 1);
  }
  return box;
}

void BrushTool::Press(DrawingEngine& e, const PointerEvent& p) {
  StampBrush(Doc(e).surface, Options(e).brushShape, p.cell.x, p.cell.y, p.color);
}

void SprayTool::Press(DrawingEngine& e, const PointerEvent& p) {
  DragState& d = Drag(e);
  Burst(e, p.cell, p.color);
  d.anchor = p.cell;
  d.sprayButton = p.button;
  d.spraying = true;
  Host(e).StartSprayTimer();
}

bool SprayTool::Move(DrawingEngine& e, const PointerEvent& p) {
  Burst(e, p.cell, p.color);
  Drag(e).anchor = p.cell;
  return true;
}

void SprayTool::Escape(DrawingEngine& e) { StopSpray(e); }

void TextTool::Press(DrawingEngine& e, const PointerEvent& p) {
  Host(e).OpenTextTool(p.cell.x, p.cell.y, p.color);
}

std::unique_ptr<Tool> MakeTool(ToolIndex tool) {
  using enum ToolIndex;
  switch (tool) {
    case kEraser:
      return std::make_unique<EraserTool>();
    case kFill:
      return std::make_unique<FillTool>();
    case kPicker:
      return std::make_unique<PickerTool>();
    case kPencil:
      return std::make_unique<PencilTool>();
    case kBrush:
      return std::make_unique<BrushTool>();
    case kSpray:
      return std::make_unique<SprayTool>();
    case kText:
      return std::make_unique<TextTool>();
    case kLine:
      return std::make_unique<LineTool>();
    case kRectangle:
      return std::make_unique<RectangleTool>();
    case kEllipse:
      return std::make_unique<EllipseTool>();
    case kRoundRect:
      return std::make_unique<RoundRectTool>();
    default:
      return std::make_unique<SelectionTool>();
  }
}

}  // namespace gs
