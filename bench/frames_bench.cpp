#include <benchmark/benchmark.h>

#include "link/Frames.h"

namespace velantro {
namespace {

// The largest data frame a download brings: page 6 (main output), 116 values from index 0.
Bytes MainOutputDataFrame() {
  Bytes payload;
  for (int k = 0; k < PageValueCount(6); ++k) {
    payload.push_back(static_cast<uint8_t>(k * 7));
    payload.push_back(static_cast<uint8_t>(k % 3));
  }
  return BuildBlock(kCmdWrite, MakeAddress(6, 0), payload);
}

void BM_DecodeMainOutputPage(benchmark::State& state) {
  const Bytes frame = MainOutputDataFrame();
  ParamStore store;
  for (auto _ : state) {
    auto outcome = DecodeFrame(LinkKind::Network, frame, store, -1);
    benchmark::DoNotOptimize(outcome);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * frame.size()));
}
BENCHMARK(BM_DecodeMainOutputPage);

void BM_BuildPageUploadMusic(benchmark::State& state) {
  ParamStore store;
  for (int k = 0; k < kDeviceRowSize; ++k) store.DeviceImage[0][k] = k;
  for (auto _ : state) {
    Bytes frame = BuildPageUpload(store, 0);
    benchmark::DoNotOptimize(frame.data());
  }
}
BENCHMARK(BM_BuildPageUploadMusic);

}  // namespace
}  // namespace velantro
