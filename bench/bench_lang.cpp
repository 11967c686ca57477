// Cost of the language routines on a window the size of the main window
// (about 130 controls): the export every load does, the translation that
// follows, and one key looked up or written on its own.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "lang/translation.h"
#include "platform/profile_file.h"

namespace {

struct TempFolder {
  std::string path;
  TempFolder() {
    path = (std::filesystem::temp_directory_path() / "glyphsmith-bench-XXXXXX").string();
    if (!mkdtemp(path.data())) std::abort();
  }
  ~TempFolder() { std::filesystem::remove_all(path); }
};

gs::WindowTexts MainSizedWindow(int controls) {
  gs::WindowTexts w{"frmMain",
                    "Varnel Glyphsmith 2.3 - Cr\xC3\xA9"
                    "ation professionnelle",
                    {}};
  for (int i = 0; i < controls; ++i)
    w.controls.push_back({"mnuEntry", i,
                          "&Entr\xC3\xA9"
                          "e num\xC3\xA9ro " +
                              std::to_string(i),
                          i % 4 == 0 ? std::optional<std::string>("Bulle " + std::to_string(i))
                                     : std::optional<std::string>("")});
  return w;
}

// The first load: every key is new.
void BM_ExportWindowTextsNewFile(benchmark::State& state) {
  TempFolder dir;
  const std::string file = dir.path + "/Francais.lng";
  const gs::WindowTexts w = MainSizedWindow(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    std::remove(file.c_str());
    state.ResumeTiming();
    benchmark::DoNotOptimize(gs::ExportWindowTexts(w, file));
  }
}
BENCHMARK(BM_ExportWindowTextsNewFile)->Arg(130)->Arg(400)->Unit(benchmark::kMicrosecond);

// Every later load: the file already holds the same texts.
void BM_ExportWindowTextsSameTexts(benchmark::State& state) {
  TempFolder dir;
  const std::string file = dir.path + "/Francais.lng";
  const gs::WindowTexts w = MainSizedWindow(static_cast<int>(state.range(0)));
  gs::ExportWindowTexts(w, file);
  for (auto _ : state) benchmark::DoNotOptimize(gs::ExportWindowTexts(w, file));
}
BENCHMARK(BM_ExportWindowTextsSameTexts)->Arg(130)->Arg(400)->Unit(benchmark::kMicrosecond);

void BM_TranslateWindow(benchmark::State& state) {
  TempFolder dir;
  const std::string file = dir.path + "/English.lng";
  gs::WindowTexts w = MainSizedWindow(static_cast<int>(state.range(0)));
  gs::ExportWindowTexts(w, file);
  for (auto _ : state) {
    gs::TranslateWindow(w, file);
    benchmark::DoNotOptimize(w.title);
  }
}
BENCHMARK(BM_TranslateWindow)->Arg(130)->Arg(400)->Unit(benchmark::kMicrosecond);

void BM_ReadProfileString(benchmark::State& state) {
  TempFolder dir;
  const std::string file = dir.path + "/English.lng";
  gs::ExportWindowTexts(MainSizedWindow(130), file);
  for (auto _ : state)
    benchmark::DoNotOptimize(gs::ReadProfileString(file, "frmMain", "mnuEntry(129).Caption", ""));
}
BENCHMARK(BM_ReadProfileString)->Unit(benchmark::kMicrosecond);

void BM_WriteProfileString(benchmark::State& state) {
  TempFolder dir;
  const std::string file = dir.path + "/Francais.lng";
  gs::ExportWindowTexts(MainSizedWindow(130), file);
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    benchmark::DoNotOptimize(
        gs::WriteProfileString(file, "frmMain", "mnuEntry(64).Caption", flip ? "x" : "y"));
  }
}
BENCHMARK(BM_WriteProfileString)->Unit(benchmark::kMicrosecond);

}  // namespace
