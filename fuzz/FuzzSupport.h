#pragma once

// Small helpers shared by the fuzz targets: a property check that survives NDEBUG, and the
// store pattern that makes every cell's change visible.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/ParamStore.h"

#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)

namespace velantro::fuzz {

// A distinct, non-zero value in every cell of both tables and in every text item.
inline void FillPattern(ParamStore& store) {
  for (int p = 0; p < kPageCount; ++p) {
    for (int i = 0; i < kViewRowSize; ++i) store.ViewValues[p][i] = -1000 - (p * 256 + i);
    for (int i = 0; i < kDeviceRowSize; ++i) store.DeviceImage[p][i] = 70000 + p * 256 + i;
  }
  for (size_t k = 0; k < store.ModeNames.size(); ++k) {
    store.ModeNames[k] = "mode " + std::to_string(k);
  }
  store.SystemPassword = "system";
  store.KeyLockPassword = "keylock";
  store.DeviceCode = "code";
}

inline void FillPattern(DeviceTable& image) {
  for (int p = 0; p < kPageCount; ++p) {
    for (int i = 0; i < kDeviceRowSize; ++i) image[p][i] = 70000 + p * 256 + i;
  }
}

}  // namespace velantro::fuzz
