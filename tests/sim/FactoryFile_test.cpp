// The stand-in unit reads the built-in factory preset file with its own reader: it must take
// from any preset file exactly what the console's writer put there, and start from the values
// the console shows before it meets a unit.
#include "sim/FactoryFile.h"

#include <gtest/gtest.h>

#include "model/ParamStore.h"
#include "presets/FactoryPreset.h"
#include "presets/PresetFile.h"
#include "sim/FactoryImage.h"

namespace velantro {
namespace {

constexpr int kVolumeCopyFirst = 110;  // page 0 slots that repeat the System page's limits

bool IsVolumeCopy(int page, int slot) {
  return page == 0 && slot >= kVolumeCopyFirst && slot < kVolumeCopyFirst + 6;
}

TEST(FactoryFile, TheUnitsReaderTakesWhatTheConsolesWriterWrote) {
  ParamStore store;
  for (int page = 0; page < kPageCount; ++page) {
    for (int slot = 0; slot < kDeviceRowSize; ++slot) {
      store.DeviceImage[page][slot] = (page * 37 + slot * 11) % 400 - 20;  // negatives too
    }
  }
  const unit::Image read = unit::ReadPresetImage(FormatPresetFile(store));
  for (int page = 0; page < kPageCount; ++page) {
    for (int slot = 0; slot < kDeviceRowSize; ++slot) {
      const bool written = slot <= kPresetLastIndex[page] && !IsVolumeCopy(page, slot);
      EXPECT_EQ(read[page][slot], written ? store.DeviceImage[page][slot] : 0)
          << "page " << page << " slot " << slot;
    }
  }
}

TEST(FactoryFile, TheUnitStartsFromWhatTheConsoleShowsWithoutAUnit) {
  DeviceTable console{};
  ASSERT_EQ(ParsePresetText(FactoryPresetText(), console).error, PresetError::None);
  const unit::Image unit = unit::FactoryImage();
  for (int page = 0; page < kPageCount; ++page) {
    for (int slot = 0; slot < kDeviceRowSize; ++slot) {
      // The console reads a preset's normal volumes as its start volumes; the unit keeps its own.
      const bool normalVolume =
          page == 10 && slot >= kSystemNormalVolumeIndex && slot < kSystemNormalVolumeIndex + 3;
      if (IsVolumeCopy(page, slot) || normalVolume) continue;
      EXPECT_EQ(unit[page][slot], console[page][slot]) << "page " << page << " slot " << slot;
    }
  }
  // Something sane, not zeros: music band 1 of the "Sing" setting sits 2 dB up.
  EXPECT_NE(unit[0][6], 0);
}

}  // namespace
}  // namespace velantro
