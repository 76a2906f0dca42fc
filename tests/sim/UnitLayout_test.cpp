#include "sim/UnitLayout.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/Frames.h"
#include "model/ParamStore.h"
#include "sim/UnitSim.h"

namespace velantro::test {
namespace {

constexpr int kWritten = 777;

struct Golden {
  ParamAddress address;
  int setting;  // music setting in force: 0 Sing, 1 Disco
  int slot;     // where the unit keeps it; -1: beyond the page's room
  const char* derivation;
};

// Worked out by hand from the unit's memory map: pages of 145 slots; a band is five values
// (type, frequency, gain, Q peak, Q shelf) from the page's first band index on; Disco keeps the
// music page's values from index 2 on 52 slots higher and the output mix in the odd slot above;
// DEQ channel g holds its parameters 1 to 12 at 12g + 1 on, its band at parameters 2 to 6.
const std::vector<Golden> kGolden = {
    {0x0010, 0, 16, "music band 3 gain: first band 4, + 5 x 2 + 2"},
    {0x0010, 1, 68, "music band 3 gain with Disco: 16 + 52"},
    {0x0000, 1, 0, "auto/manual is one value for both settings"},
    {0x005C, 1, 144, "music index 92 with Disco: 92 + 52, the page's last slot"},
    {0x005D, 1, -1, "music index 93 with Disco: 145 lies beyond the page"},
    {0x0312, 1, 18, "MIC group B band 3 gain with Disco: 6 + 5 x 2 + 2, the setting leaves it"},
    {0x0604, 0, 4, "main output MIC level, Sing: even slot 4"},
    {0x0604, 1, 5, "main output MIC level, Disco: the odd slot beside it"},
    {0x090E, 1, 15, "SUR reverb phase with Disco: 14 + 1"},
    {0x0610, 1, 16, "main output HPF mode lies above the mix: unmoved"},
    {0x0740, 1, 64, "AUX1 band 7 Q (peak): 31 + 5 x 6 + 3"},
    {0x0210, 0, 16, "DEQ channel 2 gain: 12 x 1 + 2 + 2"},
    {0x0425, 1, 37, "echo band 5 frequency: 16 + 5 x 4 + 1"},
    {0x0A20, 1, 32, "music normal volume: system index 0x20"},
};

// The table and the unit agree: a write lands in the slot worked out by hand, and one beyond the
// page's room is refused without an acknowledgement.
TEST(UnitLayout, ValuesLandWhereTheMemoryMapPutsThem) {
  for (const auto& g : kGolden) {
    SCOPED_TRACE(g.derivation);
    const int page = PageOf(g.address);
    EXPECT_EQ(unit::SlotOf(page, IndexOf(g.address), g.setting), g.slot);

    UnitSim sim;
    sim.SetValue(unit::kMusicPage, unit::kMusicSettingSlot, g.setting);
    const unit::Image before = sim.Image();
    sim.Receive(BuildValue(kCmdWrite, g.address, kWritten), 0);
    const auto answers = sim.TakeAnswers(0);
    if (g.slot < 0) {
      EXPECT_TRUE(answers.empty());
      EXPECT_EQ(sim.Image(), before);
    } else {
      EXPECT_EQ(answers, std::vector<Bytes>{Bytes({kAckStart, 0xBB})});
      EXPECT_EQ(sim.Image()[page][g.slot], kWritten);
    }
  }
}

struct GoldenBand {
  ParamAddress frameAddress;
  int band;
  int setting;
  int firstSlot;  // -1: the page has no such band
  const char* derivation;
};

const std::vector<GoldenBand> kGoldenBands = {
    {0x0002, 2, 1, 66, "music band 3 with Disco: 4 + 5 x 2 + 52"},
    {0x0304, 2, 1, 16, "MIC group B band 3: 6 + 5 x 2"},
    {0x0200, 1, 0, 14, "DEQ channel 2: 12 x 1 + 2"},
    {0x0200, 3, 0, -1, "the DEQ page has three channels"},
    {0x0620, 7, 1, 69, "main output's eighth band group: 34 + 5 x 7"},
    {0x050E, 5, 0, -1, "reverb band 6 would end past its 41 values: 16 + 5 x 5 + 5 = 46"},
};

TEST(UnitLayout, BandFramesFillTheFiveSlotsOfTheirBand) {
  for (const auto& g : kGoldenBands) {
    SCOPED_TRACE(g.derivation);
    const int page = PageOf(g.frameAddress);
    EXPECT_EQ(unit::BandSlot(page, g.band, unit::kBandTypeField, g.setting), g.firstSlot);

    UnitSim sim;
    sim.SetValue(unit::kMusicPage, unit::kMusicSettingSlot, g.setting);
    const unit::Image before = sim.Image();
    const BandValues values{1, 200, 150, 30, 20};
    sim.Receive(BuildBandFrame(g.frameAddress, g.band, values), 0);
    const bool acked = !sim.TakeAnswers(0).empty();
    EXPECT_EQ(acked, g.firstSlot >= 0);
    if (g.firstSlot < 0) {
      EXPECT_EQ(sim.Image(), before);
      continue;
    }
    for (int field = 0; field < unit::kBandFields; ++field) {
      EXPECT_EQ(sim.Image()[page][g.firstSlot + field], values[field]) << "field " << field;
    }
  }
}

// The unit's memory map and the console's layout code were written apart; wherever they differ
// an edit would land in another slot than the console shows.
TEST(UnitLayout, AgreesWithTheConsolesLayoutEverywhere) {
  for (int page = 0; page < unit::kPageCount; ++page) {
    for (int index = 0; index < 256; ++index) {
      for (int setting : {0, 1}) {
        const int console = ParamStore::DeviceIndex(page, index, setting);
        const int expected = ParamStore::InDeviceRow(page, console) ? console : -1;
        EXPECT_EQ(unit::SlotOf(page, index, setting), expected)
            << "page " << page << " index " << index << " setting " << setting;
      }
    }
  }
  for (int page = 0; page < unit::kAudioPageCount; ++page) {
    SCOPED_TRACE(page);
    const auto& mine = unit::kPageMaps[page];
    EXPECT_EQ(mine.valueCount, PageValueCount(page));
    EXPECT_EQ(mine.bandCount, kPages[page].bandCount);
    EXPECT_EQ(mine.bandFrameIndex, IndexOf(kPages[page].bandFrameAddress));
    EXPECT_EQ(unit::PageAnswerValues(page), PageUploadValueCount(page));
    for (int band = 0; band < mine.bandCount; ++band) {
      for (int field = 0; field < unit::kBandFields; ++field) {
        for (int setting : {0, 1}) {
          const int console =
              ParamStore::DeviceIndex(page, BandFieldIndex(page, band, field), setting);
          EXPECT_EQ(unit::BandSlot(page, band, field, setting), console)
              << "band " << band << " field " << field << " setting " << setting;
        }
      }
    }
  }
  EXPECT_EQ(unit::kPageMaps[unit::kSystemPage].valueCount, PageValueCount(kSystemPage));
  const std::vector<std::pair<int, ParamAddress>> system = {
      {unit::sys::ModeName, sysaddr::ModeName},
      {unit::sys::ModeSave, sysaddr::ModeSave},
      {unit::sys::CurrentMode, sysaddr::CurrentMode},
      {unit::sys::MusicInputLevel, sysaddr::MusicInputLevel},
      {unit::sys::SystemPassword, sysaddr::SystemPassword},
      {unit::sys::KeyLockPassword, sysaddr::KeyLockPassword},
      {unit::sys::MusicStartVolume, sysaddr::MusicStartVolume},
      {unit::sys::UserOrAdmin, sysaddr::UserOrAdmin},
      {unit::sys::AutoKeyLock, sysaddr::AutoKeyLock},
      {unit::sys::MusicInputSelect, sysaddr::MusicInputSelect},
      {unit::sys::PageUpload, sysaddr::PageUpload},
      {unit::sys::PageRequest, sysaddr::PageRequest},
      {unit::sys::Remote, sysaddr::Remote},
      {unit::sys::MusicNormalVolume, sysaddr::MusicNormalVolume},
      {unit::sys::MicNormalVolume, sysaddr::MicNormalVolume},
      {unit::sys::EffectNormalVolume, sysaddr::EffectNormalVolume},
      {unit::sys::LinkControl, sysaddr::LinkControl},
      {unit::sys::ManagementCode, sysaddr::DeviceCode},
  };
  for (const auto& [mine, console] : system) {
    EXPECT_EQ(MakeAddress(unit::kSystemPage, mine), console);
  }
}

}  // namespace
}  // namespace velantro::test
