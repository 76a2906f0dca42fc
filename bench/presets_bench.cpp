// Reading and writing a full preset: 825 lines, 821 parameters.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "presets/PresetFile.h"

namespace velantro {
namespace {

namespace fs = std::filesystem;

struct SilentMessages : Messages {
  int shown = 0;
  void Information(const std::string&, const std::string&) override { ++shown; }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  bool AskOkCancel(const std::string&, const std::string&) override { return false; }
};

ParamStore BelievableStore() {
  ParamStore store;
  int32_t v = 1;
  for (auto& row : store.DeviceImage) {
    for (int32_t& cell : row) {
      v = (v * 37 + 11) % 361;
      cell = v;
    }
  }
  return store;
}

fs::path BenchFile(const char* name) {
  return fs::temp_directory_path() /
         ("velantro-bench-" + std::to_string(::getpid()) + "-" + name + ".Nddt");
}

void BM_ReadPresetFile(benchmark::State& state) {
  const ParamStore source = BelievableStore();
  SilentMessages messages;
  const fs::path path = BenchFile("read");
  if (!WritePresetFile(path, source, messages)) {
    state.SkipWithError("cannot write the preset");
    return;
  }
  ParamStore store;
  for (auto _ : state) {
    const bool ok = ReadPresetFile(path, store, messages);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(store.DeviceImage);
  }
  fs::remove(path);
  if (messages.shown != 0) state.SkipWithError("the read failed");
  state.counters["lines"] = kPresetFileLines;
}
BENCHMARK(BM_ReadPresetFile)->Unit(benchmark::kMicrosecond);

void BM_ParsePresetText(benchmark::State& state) {
  const std::string text = FormatPresetFile(BelievableStore());
  DeviceTable image{};
  for (auto _ : state) {
    const PresetParseResult result = ParsePresetText(text, image);
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParsePresetText)->Unit(benchmark::kMicrosecond);

void BM_WritePresetFile(benchmark::State& state) {
  const ParamStore source = BelievableStore();
  SilentMessages messages;
  const fs::path path = BenchFile("write");
  for (auto _ : state) {
    const bool ok = WritePresetFile(path, source, messages);
    benchmark::DoNotOptimize(ok);
  }
  fs::remove(path);
}
BENCHMARK(BM_WritePresetFile)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velantro
