#include "sim/FactoryImage.h"

#include "sim/FactoryFile.h"

namespace velantro::unit {

namespace {

constexpr std::array<const char*, kModeCount> kNames{
    "Pop", "Rock", "Live", "Jazz", "Classic", "Karaoke", "Party", "Speech", "User"};
constexpr const char* kSystemPassword = "123456";
constexpr const char* kKeyLockPassword = "1234";
constexpr std::array<uint8_t, kManagementCodeBytes> kManagementCode{0x5A, 0x3C, 0x00, 0x7E};

}  // namespace

// The factory settings are the console's factory preset file (edit it with the console: open
// data/Factory.Nddt, change, save), read with the unit's own reader.
Image FactoryImage() { return ReadPresetImage(FactoryFileText()); }

UnitState FactoryState() {
  UnitState state;
  state.image = FactoryImage();
  for (int m = 0; m < kModeCount; ++m) {
    state.modes[m] = state.image;
    // Each mode leans the music EQ of both settings a little differently; the gains stay well
    // inside the band's range.
    auto& music = state.modes[m][kMusicPage];
    for (int b = 0; b < kPageMaps[kMusicPage].bandCount; ++b) {
      const int tilt = (m * 3 + b) % 7 - 3;
      music[BandSlot(kMusicPage, b, kBandGainField, 0)] += 2 * tilt;
      music[BandSlot(kMusicPage, b, kBandGainField, 1)] -= 2 * tilt;
    }
    state.modeNames[m] = kNames[m];
  }
  state.systemPassword = kSystemPassword;
  state.keyLockPassword = kKeyLockPassword;
  state.managementCode = kManagementCode;
  return state;
}

}  // namespace velantro::unit
