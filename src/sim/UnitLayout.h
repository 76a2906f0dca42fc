#pragma once

// Where the stand-in unit keeps each of its values: its eleven pages of 145 slots, the EQ bands
// on them, the two music settings, the DEQ channels and the system page. Written from the unit's
// memory map and on purpose apart from the console's own layout code, so that a layout fault on
// either side shows as a disagreement in the link and end-to-end tests instead of cancelling out.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace velantro::unit {

constexpr int kPageCount = 11;       // pages 0 … 10
constexpr int kSlotsPerPage = 145;   // a page's room in the unit's memory
constexpr int kAudioPageCount = 10;  // pages 0 … 9 make up a stored mode
constexpr int kSystemPage = 10;

constexpr int kMusicPage = 0;
constexpr int kMicGroupAPage = 1;
constexpr int kDeqPage = 2;
constexpr int kMicGroupBPage = 3;
constexpr int kEchoPage = 4;
constexpr int kReverbPage = 5;
constexpr int kMainOutputPage = 6;
constexpr int kAux1Page = 7;
constexpr int kAux2Page = 8;
constexpr int kSurOutputPage = 9;

constexpr int kModeCount = 9;    // stored modes 0 … 8
constexpr int kNameLength = 20;  // characters of a mode name
constexpr int kSystemPasswordDigits = 6;
constexpr int kKeyLockPasswordDigits = 4;
constexpr int kManagementCodeBytes = 4;

// The unit's memory: Image[page][slot].
using Image = std::array<std::array<int32_t, kSlotsPerPage>, kPageCount>;

// ---------------------------------------------------------------------------------------------
// EQ bands: five consecutive slots, type, frequency, gain, Q while PEQ, Q while a shelf.
// ---------------------------------------------------------------------------------------------

constexpr int kBandFields = 5;
constexpr int kBandTypeField = 0;
constexpr int kBandFrequencyField = 1;
constexpr int kBandGainField = 2;
constexpr int kBandPeqQField = 3;
constexpr int kBandShelfQField = 4;

// What a page holds: how many values it answers and takes, its EQ bands, and the index band
// frames for it carry (two below its first band slot; the DEQ page takes them at index 0).
struct PageMap {
  int valueCount;
  int bandCount;
  int firstBandSlot;   // -1: no bands at a fixed place (DEQ channels, system page)
  int bandFrameIndex;  // -1: the page takes no band frames
};

constexpr std::array<PageMap, kPageCount> kPageMaps{{
    {54, 10, 4, 2},    // music
    {83, 15, 6, 4},    // MIC group A
    {37, 3, -1, 0},    // DEQ: one band per channel, see below
    {83, 9, 6, 4},     // MIC group B
    {41, 5, 16, 14},   // echo
    {41, 5, 16, 14},   // reverb
    {116, 7, 34, 32},  // main output
    {71, 7, 31, 29},   // AUX1
    {71, 7, 31, 29},   // AUX2
    {116, 7, 34, 32},  // SUR output
    {35, 0, -1, -1},   // system
}};

constexpr bool IsPage(int page) { return page >= 0 && page < kPageCount; }
constexpr bool InImage(int page, int slot) {
  return IsPage(page) && slot >= 0 && slot < kSlotsPerPage;
}

// ---------------------------------------------------------------------------------------------
// Music settings ("Sing" 0, "Disco" 1, chosen at 0x0001): the unit keeps a music EQ and an
// output mix for each, and a write lands in the set of the setting in force.
// ---------------------------------------------------------------------------------------------

constexpr int kMusicSettingSlot = 1;
// Music page: slots 0 and 1 serve both settings; the second setting's copy of everything above
// them lies this far above the first's.
constexpr int kMusicSharedSlots = 2;
constexpr int kMusicSecondSetOffset = 52;
// A page request for the music page is answered with both settings.
constexpr int kMusicAnswerValues = 54 + kMusicSecondSetOffset;
// Output pages: the mix (level and phase of music, MIC, echo, reverb) takes indexes 0 to 15 in
// steps of two; the first setting keeps them in the even slots, the second in the odd slot above.
constexpr int kOutputMixIndexes = 16;
constexpr bool IsOutputPage(int page) { return page >= kMainOutputPage && page <= kSurOutputPage; }

// ---------------------------------------------------------------------------------------------
// DEQ page: index 0 is page-wide; channel g (0 … 2) keeps parameters 1 … 12 at 12g + 1 …
// 12g + 12, its band's five fields at parameters 2 … 6.
// ---------------------------------------------------------------------------------------------

constexpr int kDeqChannels = 3;
constexpr int kDeqChannelSize = 12;
constexpr int kDeqPass = 1;
constexpr int kDeqBandParameter = 2;
constexpr int kDeqWorkMode = 7;
constexpr int kDeqAttack = 8;
constexpr int kDeqRelease = 9;
constexpr int kDeqLevel = 10;
constexpr int kDeqRatio = 11;
constexpr int kDeqSpeed = 12;
constexpr int DeqSlot(int channel, int parameter) { return kDeqChannelSize * channel + parameter; }
// A DEQ value write names a channel and an index within it; they add up to the slot.
constexpr int DeqWriteSlot(int wireIndex, int channel) { return DeqSlot(channel, wireIndex); }

// ---------------------------------------------------------------------------------------------
// Named slots of the other pages (first music setting; SlotOf gives the second's).
// ---------------------------------------------------------------------------------------------

namespace music {
constexpr int AutoManual = 0;
constexpr int EqPass = 3;
}  // namespace music

// Both MIC groups; indexes 1 to 3 are one set of values the two groups share.
namespace mic {
constexpr int HighPass = 0;
constexpr int SharedLevel = 1;
constexpr int FrequencyShift = 2;
constexpr int NoiseGate = 3;
constexpr int EqPass = 5;
}  // namespace mic

namespace echo {
constexpr int EchoPhase = 0;
constexpr int EchoLevel = 1;
constexpr int DirectPhase = 2;
constexpr int DirectLevel = 3;
constexpr int HighPass = 4;
constexpr int LowPass = 5;
constexpr int PreDelay = 6;
constexpr int DelayTime = 7;
constexpr int Repeat = 8;
constexpr int RightDelayTime = 9;
constexpr int RightPreDelay = 10;
constexpr int Mode = 11;
}  // namespace echo

namespace reverb {
constexpr int ReverbPhase = 0;
constexpr int ReverbLevel = 1;
constexpr int DirectPhase = 2;
constexpr int DirectLevel = 3;
constexpr int Time = 4;
constexpr int PreDelay = 5;
constexpr int MicHighPass = 6;
constexpr int MicLowPass = 7;
constexpr int MusicPhase = 8;
constexpr int MusicLevel = 9;
constexpr int MusicHighPass = 10;
constexpr int MusicLowPass = 11;
constexpr int TrebleDamp = 12;
constexpr int BassDamp = 13;
}  // namespace reverb

// Echo and reverb alike.
constexpr int kEffectEqPass = 15;

// Output pages 6 to 9.
namespace out {
constexpr int kMixSources = 4;  // music, MIC, echo, reverb
constexpr int MixLevel(int source) { return 4 * source; }
constexpr int MixPhase(int source) { return 4 * source + 2; }
constexpr int HighPassMode = 16;
constexpr int HighPass = 17;
constexpr int HighPassQ = 18;
constexpr int LowPassMode = 19;
constexpr int LowPass = 20;
constexpr int LowPassQ = 21;
constexpr int Attack = 22;
constexpr int Release = 23;
constexpr int LimitLevel = 24;
constexpr int Ratio = 25;
constexpr int LimitMode = 26;
// Main and SUR output.
constexpr int LeftDelay = 27;
constexpr int RightDelay = 28;
constexpr int LeftMute = 29;
constexpr int RightMute = 30;
constexpr int Tone = 31;
constexpr int MainEqPass = 33;
// AUX1 and AUX2.
constexpr int AuxDelay = 27;
constexpr int AuxMute = 28;
constexpr int AuxEqPass = 30;
}  // namespace out

// ---------------------------------------------------------------------------------------------
// System page indexes (page 10).
// ---------------------------------------------------------------------------------------------

namespace sys {
constexpr int ModeName = 0x00;
constexpr int ModeSave = 0x01;
constexpr int CurrentMode = 0x02;
constexpr int MusicInputLevel = 0x03;
constexpr int SystemPassword = 0x04;
constexpr int KeyLockPassword = 0x05;
constexpr int MusicStartVolume = 0x06;  // then music limit, MIC start, MIC limit, effect start,
                                        // effect limit
constexpr int UserOrAdmin = 0x0C;
constexpr int AutoKeyLock = 0x0D;
constexpr int MusicInputSelect = 0x0E;
constexpr int PageUpload = 0x0F;
constexpr int PageRequest = 0x10;
constexpr int Remote = 0x11;
constexpr int MusicNormalVolume = 0x20;
constexpr int MicNormalVolume = 0x21;
constexpr int EffectNormalVolume = 0x22;
constexpr int LinkControl = 0x30;
constexpr int ManagementCode = 0x40;
// Plain values the unit answers a single request for: every index up to here.
constexpr int LastValueIndex = 0x3F;
}  // namespace sys

// ---------------------------------------------------------------------------------------------
// Where values land.
// ---------------------------------------------------------------------------------------------

// The slot a value written to page:index lands in while `setting` (0 or 1) is the music setting
// in force, or -1 when it would lie outside the page's room.
constexpr int SlotOf(int page, int index, int setting) {
  int slot = index;
  if (setting != 0 && page == kMusicPage && index >= kMusicSharedSlots) {
    slot = index + kMusicSecondSetOffset;
  } else if (setting != 0 && IsOutputPage(page) && index < kOutputMixIndexes) {
    slot = index + 1;
  }
  return InImage(page, slot) ? slot : -1;
}

// The slot of one field of band `band` of a page, or -1 when the band does not fit the page.
// Output pages keep one band group more than they show; any band that fits the page is taken.
constexpr int BandSlot(int page, int band, int field, int setting) {
  if (page == kDeqPage) {
    return band >= 0 && band < kDeqChannels ? DeqSlot(band, kDeqBandParameter + field) : -1;
  }
  if (!IsPage(page) || kPageMaps[page].firstBandSlot < 0 || band < 0) return -1;
  const int first = kPageMaps[page].firstBandSlot + kBandFields * band;
  if (first + kBandFields > kPageMaps[page].valueCount) return -1;
  return SlotOf(page, first + field, setting);
}

// How many values, from slot 0 on, answer a page request.
constexpr int PageAnswerValues(int page) {
  if (page == kMusicPage) return kMusicAnswerValues;
  return IsPage(page) ? kPageMaps[page].valueCount : 0;
}

// ---------------------------------------------------------------------------------------------
// Everything the unit keeps across a restart, and what its texts may hold.
// ---------------------------------------------------------------------------------------------

struct UnitState {
  Image image{};
  std::array<Image, kModeCount> modes{};
  std::array<std::string, kModeCount> modeNames{};
  std::string systemPassword;
  std::string keyLockPassword;
  std::array<uint8_t, kManagementCodeBytes> managementCode{};
};

// Characters a mode name may hold: printable ASCII.
constexpr bool ValidNameChar(char c) { return c >= 32 && c < 127; }

inline bool ValidDigits(const std::string& text, size_t length) {
  return text.size() == length &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace velantro::unit
