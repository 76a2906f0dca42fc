// EQ response engine: the costs behind a graph redraw.
//   UpdateOneEntry*: one dragged entry recomputed and the 17-entry page re-summed (graph timer).
//   FullPage: every entry of a 17-entry page designed afresh, two of them two-section
//   crossovers, and summed (section switch, refresh).
#include <benchmark/benchmark.h>

#include <memory>

#include "eq/PageBandModel.h"
#include "model/ParamStore.h"

namespace velantro {
namespace {

// 15 EQ bands of mixed types plus a Butterworth 24 dB high-pass and a Linkwitz-Riley 36 dB
// low-pass: the largest page the graph draws, with both crossovers of two sections.
std::unique_ptr<PageBandModel> SeventeenEntryPage() {
  auto model = std::make_unique<PageBandModel>();
  for (int i = 0; i < 15; ++i) {
    BandModelEntry& e = model->mutableEntry(i);
    e.code = i % 3;
    e.frequency = 25.0f * static_cast<float>(1 << (i % 10)) + 7.0f * i;
    e.gain = static_cast<float>(i % 7) * 2.0f - 6.0f;
    e.q = 0.7f + 0.3f * static_cast<float>(i);
  }
  model->mutableEntry(15) = {105, 80.0f, 0.0f, 1.0f};
  model->mutableEntry(16) = {209, 12000.0f, 0.0f, 1.0f};
  model->SetLastEntry(16);
  model->RecomputeAll();
  return model;
}

// Drag sideways: only the frequency changes, so the entry's shape is reused and shifted.
void BM_UpdateOneEntryFrequency(benchmark::State& state) {
  auto model = SeventeenEntryPage();
  const float frequencies[2] = {900.0f, 1300.0f};
  int turn = 0;
  for (auto _ : state) {
    model->mutableEntry(4).frequency = frequencies[turn ^= 1];
    model->Recompute(4);
    model->Resum();
    benchmark::DoNotOptimize(model->total().data());
  }
}
BENCHMARK(BM_UpdateOneEntryFrequency)->Unit(benchmark::kMicrosecond);

// Drag up and down: the gain changes, so the entry's shape is designed again.
void BM_UpdateOneEntryGain(benchmark::State& state) {
  auto model = SeventeenEntryPage();
  const float gains[2] = {3.0f, 3.2f};
  int turn = 0;
  for (auto _ : state) {
    model->mutableEntry(4).gain = gains[turn ^= 1];
    model->Recompute(4);
    model->Resum();
    benchmark::DoNotOptimize(model->total().data());
  }
}
BENCHMARK(BM_UpdateOneEntryGain)->Unit(benchmark::kMicrosecond);

// The crossover entry redesigned: a two-section variant (the dearest single entry).
void BM_UpdateOneCrossoverEntry(benchmark::State& state) {
  auto model = SeventeenEntryPage();
  const FilterCode codes[2] = {105, 115};  // same variant, different key: always redesigned
  int turn = 0;
  for (auto _ : state) {
    model->mutableEntry(15).code = codes[turn ^= 1];
    model->Recompute(15);
    model->Resum();
    benchmark::DoNotOptimize(model->total().data());
  }
}
BENCHMARK(BM_UpdateOneCrossoverEntry)->Unit(benchmark::kMicrosecond);

// The whole path of an edit on the MIC page: reload the entry from the store, recompute, re-sum.
void BM_UpdateFromStore(benchmark::State& state) {
  auto store = std::make_unique<ParamStore>();
  for (int band = 0; band < 15; ++band) {
    const int s = 6 + 5 * band;
    store->ViewValues[1][s] = band % 3;
    store->ViewValues[1][s + 1] = 40 + 20 * band;
    store->ViewValues[1][s + 2] = 100 + 4 * band;
    store->ViewValues[1][s + 3] = 10 + band;
    store->ViewValues[1][s + 4] = 5 + band;
  }
  store->ViewValues[1][0] = 60;
  auto model = std::make_unique<PageBandModel>();
  model->Load(*store, 1);
  int frequency = 100;
  for (auto _ : state) {
    frequency = frequency == 100 ? 140 : 100;
    store->ViewValues[1][6 + 5 * 7 + 1] = frequency;
    model->Update(*store, 1, 7);
    benchmark::DoNotOptimize(model->total().data());
  }
}
BENCHMARK(BM_UpdateFromStore)->Unit(benchmark::kMicrosecond);

void BM_FullPage(benchmark::State& state) {
  auto model = SeventeenEntryPage();
  for (auto _ : state) {
    model->InvalidateShapes();
    model->RecomputeAll();
    benchmark::DoNotOptimize(model->total().data());
  }
}
BENCHMARK(BM_FullPage)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velantro
