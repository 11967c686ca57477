// The text window's redraw (sample and result) on every keystroke, and the
// stamp alone, with the platform's fonts on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include "effects/frmText.h"
#include "effects/qt_text_raster.h"

namespace {

struct Host : gs::EffectHost {
  gs::IconDocument doc;
  gs::IconDocument& Document() override { return doc; }
  void CreateBackup() override {}
  void RePaint() override {}
};

void BM_TextRedrawMe(benchmark::State& state) {
  Host host;
  QTemporaryDir folder;
  gs::Environment env{folder.path().toStdString(), folder.path().toStdString(), "", nullptr, ""};
  gs::frmText w(host, QSize(36, 36), 2, 4, gs::RGB(255, 0, 0), env);
  for (auto _ : state) w.RedrawMe();
}
BENCHMARK(BM_TextRedrawMe);

void BM_StampText(benchmark::State& state) {
  const gs::Surface icon = gs::MakeIconSurface();
  gs::TextStyle style;
  style.family = gs::DesktopSansSerif().toStdString();
  for (auto _ : state) {
    gs::Surface s = gs::StampText(icon, style, QStringLiteral("Zud"), 2, 4, gs::RGB(255, 0, 0));
    benchmark::DoNotOptimize(s.Pixels().data());
  }
}
BENCHMARK(BM_StampText);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
