// Pixel core costs: the operations a stroke or a repaint repeats.
#include <benchmark/benchmark.h>

#include <vector>

#include "document/canvas_view.h"
#include "document/icon_document.h"
#include "document/undo.h"

namespace {

void BM_FloodFillWholeSurface(benchmark::State& state) {
  gs::Surface s = gs::MakeIconSurface();
  bool red = false;
  for (auto _ : state) {
    // Alternate colours so every fill covers all 1024 pixels.
    s.SelectBrush(gs::Brush::Solid(red ? gs::kWhite : gs::RGB(255, 0, 0)));
    s.ExtFloodFill(0, 0, red ? gs::RGB(255, 0, 0) : gs::kWhite);
    red = !red;
    benchmark::DoNotOptimize(s.Pixels().data());
  }
}
BENCHMARK(BM_FloodFillWholeSurface);

void BM_EllipseFullBox(benchmark::State& state) {
  gs::Surface s = gs::MakeIconSurface();
  s.SelectPen(gs::Pen::Solid(1, gs::kBlack));
  s.SelectBrush(gs::Brush::Solid(gs::RGB(0, 0, 255)));
  for (auto _ : state) {
    s.Ellipse(0, 0, 32, 32);
    benchmark::DoNotOptimize(s.Pixels().data());
  }
}
BENCHMARK(BM_EllipseFullBox);

void BM_RepaintMagnified(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  gs::IconDocument doc;
  for (int i = 0; i < 32; ++i) doc.surface.SetPixelV(i, i, gs::RGB(i * 8, 0, 255 - i * 8));
  std::vector<std::uint32_t> out(static_cast<std::size_t>(side) * side);
  for (auto _ : state) {
    gs::StretchToArgb32(doc.surface, out.data(), side, side, side);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * side * side * 4);
}
BENCHMARK(BM_RepaintMagnified)->Arg(256)->Arg(1024);

// One undo and one redo step with a full history of 100 pictures; the
// history's memory is reported as a counter (bytes).
void BM_UndoRedoStep(benchmark::State& state) {
  gs::IconDocument doc;
  gs::UndoBuffer undo;
  for (int i = 0; i < 100; ++i) {
    undo.CreateBackup(doc.surface);
    doc.surface.SetPixelV(i % 32, i / 32, gs::kBlack);
  }
  bool back = true;
  for (auto _ : state) {
    // Walk the whole history back and forth so every step does its work.
    if (back ? !undo.RestoreBackup(doc.surface) : !undo.Redo(doc.surface)) back = !back;
    benchmark::DoNotOptimize(doc.surface.Pixels().data());
  }
  state.counters["history_bytes"] = static_cast<double>(undo.MemoryBytes());
}
BENCHMARK(BM_UndoRedoStep);

}  // namespace
