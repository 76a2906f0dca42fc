#include "sim/FactoryImage.h"

#include <span>

namespace velantro::unit {

namespace {

// Band defaults (raw): 120 is 0 dB; Q indexes 16 (1.00) for a peak, 10 (0.71) for a shelf.
constexpr int kGainFlat = 120;
constexpr int kPeqQ = 16;
constexpr int kShelfQ = 10;
constexpr int kPeqType = 0;

// Band frequencies (FrequencyTable indexes), page by page; output pages fill their eighth band
// group too.
constexpr std::array<int, 10> kMusicFrequencies{25, 60, 95, 130, 170, 205, 245, 290, 333, 360};
constexpr std::array<int, 15> kMicAFrequencies{2,   25,  49,  73,  96,  120, 144, 167,
                                               187, 215, 238, 262, 287, 309, 333};
constexpr std::array<int, 9> kMicBFrequencies{25, 60, 95, 130, 170, 205, 245, 290, 333};
constexpr std::array<int, kDeqChannels> kDeqFrequencies{72, 203, 332};
constexpr std::array<int, 5> kEffectFrequencies{26, 103, 181, 260, 335};
constexpr std::array<int, 8> kOutputFrequencies{60, 95, 130, 170, 205, 245, 290, 333};

constexpr std::array<int, 10> kMusicGain{130, 125, 120, 115, 118, 120, 122, 125, 128, 125};
constexpr std::array<int, 10> kMusicGainSecond{135, 130, 122, 110, 115, 120, 125, 130, 132, 130};
constexpr std::array<int, 8> kOutputGain{125, 122, 118, 120, 120, 121, 124, 120};
constexpr int kMicTilt = 5;     // MIC bands alternate 1 dB above and below flat
constexpr int kEffectTilt = 3;  // effect bands 0.6 dB

constexpr std::array<const char*, kModeCount> kNames{
    "Pop", "Rock", "Live", "Jazz", "Classic", "Karaoke", "Party", "Speech", "User"};
constexpr const char* kSystemPassword = "123456";
constexpr const char* kKeyLockPassword = "1234";
constexpr std::array<uint8_t, kManagementCodeBytes> kManagementCode{0x5A, 0x3C, 0x00, 0x7E};

// Filter settings (raw values): high-pass panes show FrequencyTable[raw - 1] with 0 = off,
// low-pass panes FrequencyTable[raw] with 362 = off, effect low-pass FrequencyTable[raw + 297]
// with 64 = off.
constexpr int kMicHighPass101Hz = 86;     // 101.0 Hz
constexpr int kEffectHighPass101Hz = 86;  // 101.0 Hz
constexpr int kEffectLowPass8kHz = 15;    // 8000.0 Hz
constexpr int kEffectHighPassOff = 0;
constexpr int kEffectLowPassOff = 64;
constexpr int kOutHighPassOff = 0;
constexpr int kOutHighPass80Hz = 74;  // 80.3 Hz
constexpr int kOutLowPassOff = 362;
constexpr int kOutLowPass120Hz = 94;    // 120.0 Hz
constexpr int kCrossoverLinkRiley = 2;  // "Linkwitz-Riley 24dB"
constexpr int kCrossoverQ071 = 10;      // 0.71

void WriteBand(Image& image, int page, int band, int setting, int freq, int gain) {
  const std::array<int, kBandFields> values{kPeqType, freq, gain, kPeqQ, kShelfQ};
  for (int field = 0; field < kBandFields; ++field) {
    image[page][BandSlot(page, band, field, setting)] = values[field];
  }
}

// Bands alternately `tilt` above and below flat.
void WriteTiltedBands(Image& image, int page, std::span<const int> freq, int tilt) {
  for (size_t b = 0; b < freq.size(); ++b) {
    const int gain = kGainFlat + (b % 2 == 0 ? tilt : -tilt);
    WriteBand(image, page, static_cast<int>(b), 0, freq[b], gain);
  }
}

// Manual mode, "Sing" setting, EQ pass off for both settings; each setting has its own gentle
// curve.
void WriteMusic(Image& image) {
  auto& music = image[kMusicPage];
  music[music::AutoManual] = 1;
  music[kMusicSettingSlot] = 0;
  for (int setting : {0, 1}) music[SlotOf(kMusicPage, music::EqPass, setting)] = 0;
  for (int b = 0; b < kPageMaps[kMusicPage].bandCount; ++b) {
    WriteBand(image, kMusicPage, b, 0, kMusicFrequencies[b], kMusicGain[b]);
    WriteBand(image, kMusicPage, b, 1, kMusicFrequencies[b], kMusicGainSecond[b]);
  }
}

// High-pass at 100 Hz, frequency shift off, a light noise gate, EQ pass off.
void WriteMic(Image& image) {
  for (int page : {kMicGroupAPage, kMicGroupBPage}) {
    auto& group = image[page];
    group[mic::HighPass] = kMicHighPass101Hz;
    group[mic::SharedLevel] = 64;
    group[mic::FrequencyShift] = 0;
    group[mic::NoiseGate] = 2;
    group[mic::EqPass] = 0;
  }
  WriteTiltedBands(image, kMicGroupAPage, kMicAFrequencies, kMicTilt);
  WriteTiltedBands(image, kMicGroupBPage, kMicBFrequencies, kMicTilt);
}

// Three channels, pass off, flat bands; work modes below, below, above with the dynamics of the
// 1 V sensitivity, mid speed.
void WriteDeq(Image& image) {
  constexpr int kBelow = 1;
  constexpr int kAbove = 2;
  auto& deq = image[kDeqPage];
  for (int g = 0; g < kDeqChannels; ++g) {
    const bool above = g == kDeqChannels - 1;
    deq[DeqSlot(g, kDeqPass)] = 0;
    WriteBand(image, kDeqPage, g, 0, kDeqFrequencies[g], kGainFlat);
    deq[DeqSlot(g, kDeqWorkMode)] = above ? kAbove : kBelow;
    deq[DeqSlot(g, kDeqAttack)] = 9;               // 11 ms
    deq[DeqSlot(g, kDeqRelease)] = 4;              // Atk x12
    deq[DeqSlot(g, kDeqLevel)] = above ? 10 : 12;  // -26 / -24 dBu
    deq[DeqSlot(g, kDeqRatio)] = 5;                // 2.0
    deq[DeqSlot(g, kDeqSpeed)] = 1;                // mid
  }
}

// Echo: levels with normal phase, 101 Hz to 8 kHz, 40 ms pre-delay, 200 ms delay, 45 % repeat,
// right channel in step with the left. Reverb: levels with normal phase, 2 s reverb with 20 ms
// pre-delay, MIC band-limited, music to reverb low and unfiltered, light damping.
void WriteEffects(Image& image) {
  auto& e = image[kEchoPage];
  e[echo::EchoPhase] = 1;
  e[echo::EchoLevel] = 40;
  e[echo::DirectPhase] = 1;
  e[echo::DirectLevel] = 80;
  e[echo::HighPass] = kEffectHighPass101Hz;
  e[echo::LowPass] = kEffectLowPass8kHz;
  e[echo::PreDelay] = 20;
  e[echo::DelayTime] = 100;
  e[echo::Repeat] = 45;
  e[echo::RightDelayTime] = 50;  // offset 0
  e[echo::RightPreDelay] = 10;
  e[echo::Mode] = 0;
  e[kEffectEqPass] = 0;
  auto& r = image[kReverbPage];
  r[reverb::ReverbPhase] = 1;
  r[reverb::ReverbLevel] = 35;
  r[reverb::DirectPhase] = 1;
  r[reverb::DirectLevel] = 80;
  r[reverb::Time] = 32;
  r[reverb::PreDelay] = 10;
  r[reverb::MicHighPass] = kEffectHighPass101Hz;
  r[reverb::MicLowPass] = kEffectLowPass8kHz;
  r[reverb::MusicPhase] = 1;
  r[reverb::MusicLevel] = 10;
  r[reverb::MusicHighPass] = kEffectHighPassOff;
  r[reverb::MusicLowPass] = kEffectLowPassOff;
  r[reverb::TrebleDamp] = 3;
  r[reverb::BassDamp] = 2;
  r[kEffectEqPass] = 0;
  for (int page : {kEchoPage, kReverbPage}) {
    WriteTiltedBands(image, page, kEffectFrequencies, kEffectTilt);
  }
}

// Mix: level and phase of music, MIC, echo and reverb in both settings; "Sing" louder on the
// effects than "Disco".
void WriteOutputMix(Image& image, int page) {
  constexpr std::array<int, out::kMixSources> kSingLevels{50, 50, 45, 45};
  constexpr std::array<int, out::kMixSources> kDiscoLevels{50, 40, 30, 30};
  constexpr int kPhasePlus = 1;
  for (int source = 0; source < out::kMixSources; ++source) {
    for (int setting : {0, 1}) {
      const auto& levels = setting == 0 ? kSingLevels : kDiscoLevels;
      image[page][SlotOf(page, out::MixLevel(source), setting)] = levels[source];
      image[page][SlotOf(page, out::MixPhase(source), setting)] = kPhasePlus;
    }
  }
}

// Crossover Linkwitz-Riley 24 dB: AUX1 feeds a subwoofer below 120 Hz, the surround outputs
// leave out the deep bass, everything else runs full range. Limiter: 11 ms attack, release
// Atk x12, +4 dBu, 10.2:1, mid.
void WriteOutput(Image& image, int page) {
  WriteOutputMix(image, page);
  auto& o = image[page];
  o[out::HighPassMode] = kCrossoverLinkRiley;
  o[out::HighPass] = page == kSurOutputPage ? kOutHighPass80Hz : kOutHighPassOff;
  o[out::HighPassQ] = kCrossoverQ071;
  o[out::LowPassMode] = kCrossoverLinkRiley;
  o[out::LowPass] = page == kAux1Page ? kOutLowPass120Hz : kOutLowPassOff;
  o[out::LowPassQ] = kCrossoverQ071;
  o[out::Attack] = 9;
  o[out::Release] = 4;
  o[out::LimitLevel] = 40;
  o[out::Ratio] = 24;
  o[out::LimitMode] = 1;
  if (page == kAux1Page || page == kAux2Page) {
    o[out::AuxDelay] = page == kAux1Page ? 20 : 0;  // 2.0 ms for the subwoofer
    o[out::AuxMute] = 0;
    o[out::AuxEqPass] = 0;
  } else {
    const int delay = page == kSurOutputPage ? 150 : 0;  // 15.0 ms behind the front
    o[out::LeftDelay] = delay;
    o[out::RightDelay] = delay;
    o[out::LeftMute] = 0;
    o[out::RightMute] = 0;
    o[out::Tone] = 0;  // "Gentle"
    o[out::MainEqPass] = 0;
  }
  for (size_t b = 0; b < kOutputFrequencies.size(); ++b) {
    WriteBand(image, page, static_cast<int>(b), 0, kOutputFrequencies[b], kOutputGain[b]);
  }
}

// Mode 1, 3 dB music input on port 1, administrator, key lock off, remote on; start and normal
// volumes below their limits.
void WriteSystem(Image& image) {
  auto& s = image[kSystemPage];
  s[sys::CurrentMode] = 0;
  s[sys::MusicInputLevel] = 1;
  constexpr std::array<int, 6> kVolumeManagement{40, 82, 40, 82, 35, 70};  // start, limit × 3
  for (size_t k = 0; k < kVolumeManagement.size(); ++k) {
    s[sys::MusicStartVolume + static_cast<int>(k)] = kVolumeManagement[k];
  }
  s[sys::UserOrAdmin] = 1;
  s[sys::AutoKeyLock] = 0;
  s[sys::MusicInputSelect] = 0;
  s[sys::Remote] = 1;
  s[sys::MusicNormalVolume] = 60;
  s[sys::MicNormalVolume] = 60;
  s[sys::EffectNormalVolume] = 50;
}

}  // namespace

Image FactoryImage() {
  Image image{};
  WriteMusic(image);
  WriteMic(image);
  WriteDeq(image);
  WriteEffects(image);
  for (int page = kMainOutputPage; page <= kSurOutputPage; ++page) WriteOutput(image, page);
  WriteSystem(image);
  return image;
}

UnitState FactoryState() {
  UnitState state;
  state.image = FactoryImage();
  for (int m = 0; m < kModeCount; ++m) {
    state.modes[m] = state.image;
    // Each mode leans the music EQ of both settings a little differently; the gains stay well
    // inside the band's range.
    for (int b = 0; b < kPageMaps[kMusicPage].bandCount; ++b) {
      const int tilt = (m * 3 + b) % 7 - 3;
      auto& music = state.modes[m][kMusicPage];
      music[BandSlot(kMusicPage, b, kBandGainField, 0)] = kMusicGain[b] + 2 * tilt;
      music[BandSlot(kMusicPage, b, kBandGainField, 1)] = kMusicGainSecond[b] - 2 * tilt;
    }
    state.modeNames[m] = kNames[m];
  }
  state.systemPassword = kSystemPassword;
  state.keyLockPassword = kKeyLockPassword;
  state.managementCode = kManagementCode;
  return state;
}

}  // namespace velantro::unit
