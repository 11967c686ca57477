#pragma once
// A drawing engine on a 256 x 256 canvas (8 screen pixels per cell) with a
// host that records what the engine asked of the window.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "tools/drawing_engine.h"

namespace gs::test {

struct RecordingHost : ToolHost {
  int repaints = 0;
  bool timerOn = false;
  int timerStarts = 0;
  int pointer = -1;
  std::string status;
  std::vector<Point> canvasReads;
  Color canvasColor = RGB(255, 128, 0);
  std::vector<Point> textAt;
  Color textColor = 0;
  bool undoEnabled = false;

  void RePaint() override { ++repaints; }
  void StartSprayTimer() override {
    timerOn = true;
    ++timerStarts;
  }
  void StopSprayTimer() override { timerOn = false; }
  void SetCanvasPointer(int image) override { pointer = image; }
  void ShowStatus(const std::string& text) override { status = text; }
  Color CanvasPixel(int x, int y) override {
    canvasReads.push_back({x, y});
    return canvasColor;
  }
  void OpenTextTool(int x, int y, Color c) override {
    textAt.push_back({x, y});
    textColor = c;
  }
  void UndoChanged(bool available) override { undoEnabled = available; }
};

// Hands out scripted numbers, then repeats the last; counts re-seeds.
struct ScriptedRandom : RandomSource {
  std::deque<double> values;
  double last = 0;
  int reseeds = 0;
  std::vector<double> seeds;
  int draws = 0;
  void Reseed(double seed) override {
    ++reseeds;
    seeds.push_back(seed);
  }
  double Next() override {
    ++draws;
    if (!values.empty()) {
      last = values.front();
      values.pop_front();
    }
    return last;
  }
};

// The first non-white pixel outside `box`, if any.
inline std::optional<Point> PaintOutside(const Surface& s, const Rect& box) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.GetPixel(x, y) != kWhite && !box.Contains(x, y)) return Point{x, y};
  return std::nullopt;
}

inline Selection MakeSelection(int x1, int y1, int x2, int y2) {
  Selection s;
  s.active = true;
  s.X1 = x1, s.Y1 = y1, s.X2 = x2, s.Y2 = y2;
  return s;
}

inline constexpr Color kLeftTest = RGB(200, 0, 0);   // 'L'
inline constexpr Color kRightTest = RGB(0, 0, 200);  // 'R'

class EngineTest : public ::testing::Test {
 protected:
  static constexpr double kScale = 256;  // 8 pixels per cell

  EngineTest() : engine({doc, undo, colors, options, host}) {
    colors.left = kLeftTest;
    colors.right = kRightTest;
    engine.SetRandomSource(&random);
    engine.SetClock([this] { return clockSeconds; });
  }

  // Canvas position of the middle of a cell.
  static double At(int cell) { return cell * 8 + 4; }

  void Tool(ToolIndex t) { engine.SelectTool(t); }
  void Press(int x, int y, int button = kLeftButton) {
    engine.Press(button, At(x), At(y), kScale, kScale);
  }
  void MoveTo(int x, int y, int buttons = kLeftButton) {
    engine.Move(buttons, At(x), At(y), kScale, kScale);
  }
  void Release(int x, int y, int button = kLeftButton) {
    engine.Release(button, At(x), At(y), kScale, kScale);
  }
  void Drag(Point from, Point to, int button = kLeftButton) {
    Press(from.x, from.y, button);
    MoveTo(to.x, to.y, button);
    Release(to.x, to.y, button);
  }
  void Click(int x, int y, int button = kLeftButton) {
    Press(x, y, button);
    Release(x, y, button);
  }

  // The w x h block at (x, y) as text: '.' white, 'L' and 'R' the two test
  // colours, 'K' black, '#' anything else; rows joined with '\n'.
  std::string Picture(int x, int y, int w, int h) const {
    std::string out;
    for (int j = 0; j < h; ++j) {
      if (j) out += '\n';
      for (int i = 0; i < w; ++i) {
        const Color c = doc.surface.GetPixel(x + i, y + j);
        out += c == kWhite       ? '.'
               : c == kLeftTest  ? 'L'
               : c == kRightTest ? 'R'
               : c == kBlack     ? 'K'
                                 : '#';
      }
    }
    return out;
  }
  int CountNonWhite() const {
    int n = 0;
    for (Color c : doc.surface.Pixels()) n += c != kWhite;
    return n;
  }

  IconDocument doc;
  UndoBuffer undo;
  ColorState colors;
  ToolOptions options;
  RecordingHost host;
  ScriptedRandom random;
  double clockSeconds = 3600;
  DrawingEngine engine;
};

}  // namespace gs::test
