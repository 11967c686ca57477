// Every effect kernel on a 32 x 32 icon, as the menu, the windows' live
// previews and the batch tool run them. Each must stay far below a millisecond;
// the free rotation below 50 microseconds.
#include <benchmark/benchmark.h>

#include "effects/effect_kernels.h"
#include "files/depth.h"

namespace {

gs::Surface Pattern() {
  gs::Surface s(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) s.SetPixelV(x, y, gs::RGB(x * 8, y * 8, (x * y) % 256));
  return s;
}

template <class F>
void Run(benchmark::State& state, F apply) {
  const gs::Surface src = Pattern();
  gs::Surface s = src;
  for (auto _ : state) {
    s = src;
    apply(s);
    benchmark::DoNotOptimize(s.Pixels().data());
  }
}

void BM_Invert(benchmark::State& st) {
  Run(st, [](gs::Surface& s) { gs::InvertColors(s, s.Bounds()); });
}
void BM_ReplaceColor(benchmark::State& st) {
  Run(st, [](gs::Surface& s) { gs::ReplaceColor(s, s.Bounds(), gs::RGB(8, 8, 1), gs::kBlack); });
}
void BM_Pixelate3(benchmark::State& st) {
  Run(st, [](gs::Surface& s) { gs::PixelateRect(s, gs::Area{0, 0, 32, 32}, 3, s); });
}
void BM_Zigzag(benchmark::State& st) {
  Run(st, [](gs::Surface& s) { gs::ZigzagRect(s, gs::Area{0, 0, 32, 32}, true, gs::kWhite); });
}
void BM_MirrorVertical(benchmark::State& st) {
  Run(st, [](gs::Surface& s) { gs::Mirror(s, gs::MirrorAxis::Vertical); });
}
void BM_RotateQuarter90(benchmark::State& st) {
  Run(st, [](gs::Surface& s) { gs::RotateQuarter(s, 90); });
}
void BM_RotateByAngle37(benchmark::State& st) {
  Run(st, [](gs::Surface& s) { gs::RotateByAngle(s, 37.5, gs::kWhite); });
}
void BM_DuoTonePreview(benchmark::State& st) {
  Run(st, [](gs::Surface& s) { s = gs::DuoTonePreview(s, gs::Selection{}); });
}
void BM_EarthQuakePreviewWrap(benchmark::State& st) {
  Run(st, [](gs::Surface& s) { s = gs::EarthQuakePreview(s, gs::Selection{}, 3, true); });
}
void BM_ResampleShrink(benchmark::State& st) {
  Run(st, [](gs::Surface& s) { s = gs::ResampleIcon(s, gs::Selection{}, {8, 8, 16, 16}); });
}
void BM_ResampleGrow(benchmark::State& st) {
  Run(st, [](gs::Surface& s) { s = gs::ResampleIcon(s, gs::Selection{}, {0, 0, 64, 64}); });
}
void BM_ResampleMirror(benchmark::State& st) {
  Run(st, [](gs::Surface& s) { s = gs::ResampleIcon(s, gs::Selection{}, {31, 0, -32, 32}); });
}
void BM_ConvertToDepth8(benchmark::State& st) {
  Run(st, [](gs::Surface& s) { gs::ConvertDocumentToDepth(s, 8); });
}

BENCHMARK(BM_Invert);
BENCHMARK(BM_ReplaceColor);
BENCHMARK(BM_Pixelate3);
BENCHMARK(BM_Zigzag);
BENCHMARK(BM_MirrorVertical);
BENCHMARK(BM_RotateQuarter90);
BENCHMARK(BM_RotateByAngle37);
BENCHMARK(BM_DuoTonePreview);
BENCHMARK(BM_EarthQuakePreviewWrap);
BENCHMARK(BM_ResampleShrink);
BENCHMARK(BM_ResampleGrow);
BENCHMARK(BM_ResampleMirror);
BENCHMARK(BM_ConvertToDepth8);

}  // namespace
