// Cost of the drawing engine's hot paths: a live shape drag redraws the whole
// working copy on every pointer move; the spray places a burst per move and per tick.
#include <benchmark/benchmark.h>

#include "tools/drawing_engine.h"

namespace {

struct NullHost : gs::ToolHost {
  void RePaint() override {}
  void StartSprayTimer() override {}
  void StopSprayTimer() override {}
  void SetCanvasPointer(int) override {}
  void ShowStatus(const std::string&) override {}
  gs::Color CanvasPixel(int, int) override { return gs::kWhite; }
  void OpenTextTool(int, int, gs::Color) override {}
};

struct Editor {
  gs::IconDocument doc;
  gs::UndoBuffer undo;
  gs::ColorState colors;
  gs::ToolOptions options;
  NullHost host;
  gs::DrawingEngine engine{{doc, undo, colors, options, host}};
};

void BM_ShapeDragMove(benchmark::State& state) {
  Editor e;
  e.engine.SelectTool(gs::ToolFromIndex(static_cast<int>(state.range(0))).value());
  e.options.fillStyle.fill(gs::FillStyle::kOutlinedSolid);
  e.engine.Press(gs::kLeftButton, 4, 4, 256, 256);
  int i = 0;
  for (auto _ : state) {
    const double p = 8.0 * (i++ % 32) + 4;
    e.engine.Move(gs::kLeftButton, p, 255 - p, 256, 256);
  }
  e.engine.Release(gs::kLeftButton, 100, 100, 256, 256);
}
BENCHMARK(BM_ShapeDragMove)
    ->Arg(gs::IndexOf(gs::ToolIndex::kLine))
    ->Arg(gs::IndexOf(gs::ToolIndex::kRectangle))
    ->Arg(gs::IndexOf(gs::ToolIndex::kEllipse))
    ->Arg(gs::IndexOf(gs::ToolIndex::kRoundRect));

void BM_SelectionMoveStep(benchmark::State& state) {
  Editor e;
  e.doc.selection.active = true;
  e.doc.selection.X1 = e.doc.selection.Y1 = 4;
  e.doc.selection.X2 = e.doc.selection.Y2 = 28;
  e.doc.selection.viewRect = {32, 32, 224, 224};
  e.engine.Press(gs::kLeftButton, 40, 40, 256, 256);
  int i = 0;
  for (auto _ : state) {
    const double p = 8.0 * (i++ % 32);
    e.engine.Move(gs::kLeftButton, p, p, 256, 256);
  }
}
BENCHMARK(BM_SelectionMoveStep);

void BM_SprayBurst(benchmark::State& state) {
  gs::Surface s = gs::MakeIconSurface();
  gs::ClockSeededRandom random;
  const auto clock = [] { return 1.0; };
  for (auto _ : state)
    gs::SprayBurst(s, 16, 16, gs::kBlack, static_cast<int>(state.range(0)), random, clock);
}
BENCHMARK(BM_SprayBurst)->Arg(0)->Arg(2);

void BM_FloodFillWhole(benchmark::State& state) {
  Editor e;
  e.engine.SelectTool(gs::ToolIndex::kFill);
  bool black = false;
  for (auto _ : state) {
    e.colors.left = black ? gs::kBlack : gs::RGB(1, 2, 3);
    black = !black;
    e.engine.Press(gs::kLeftButton, 128, 128, 256, 256);
  }
}
BENCHMARK(BM_FloodFillWhole);

}  // namespace
