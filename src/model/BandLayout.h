#pragma once

// Where the EQ bands of each page sit among its values: the five fields of a band, the pages'
// band tables (read from the page table), the DEQ channels, and which band and field an address
// is. The link, the graph and the binding go by this; the stand-in unit keeps a map of its own.

#include <array>
#include <cstddef>
#include <span>

#include "model/ParamAddress.h"

namespace velantro {

class ParamStore;

// ---------------------------------------------------------------------------------------------
// EQ band fields.
// ---------------------------------------------------------------------------------------------

constexpr int kBandFieldType = 0;       // 0 PEQ, 1 LSEQ, 2 HSEQ (DEQ: off, below, above)
constexpr int kBandFieldFrequency = 1;  // FrequencyTable index
constexpr int kBandFieldGain = 2;       // dB = raw / 5 - 24; 120 is 0 dB
constexpr int kBandFieldPeqQ = 3;       // QTable index while the type is PEQ
constexpr int kBandFieldShelfQ = 4;     // QTable index while the type is a shelf
constexpr int kNoBandField = 255;       // LocateBand: the address is not a band field

constexpr int kBandTypePeq = 0;
constexpr int kBandTypeLowShelf = 1;
constexpr int kBandTypeHighShelf = 2;

constexpr int kMaxFrequencyIndex = 361;
constexpr int kGainRawMax = 180;
constexpr int kGainRawZeroDb = 120;
// Gain of a band in dB for a raw gain value (120 is 0 dB, 0.2 dB per step).
constexpr double GainDb(double raw) { return raw / 5.0 - 24.0; }
constexpr int kPeqQLimit = 100;   // highest Q index of a PEQ band
constexpr int kShelfQLimit = 24;  // highest Q index of a shelf band

// Pages that carry EQ bands (0 to 9): first band value index F (-1: the DEQ page's own layout)
// and band count N.
constexpr int kEqPageCount = 10;
// Both read from the page table, the one place the layout is written.
constexpr std::array<int, kEqPageCount> kFirstBandIndex = [] {
  std::array<int, kEqPageCount> first{};
  for (int p = 0; p < kEqPageCount; ++p) first[static_cast<size_t>(p)] = kPages[p].firstBand;
  return first;
}();
constexpr std::array<int, kEqPageCount> kBandCount = [] {
  std::array<int, kEqPageCount> count{};
  for (int p = 0; p < kEqPageCount; ++p) count[static_cast<size_t>(p)] = kPages[p].bandCount;
  return count;
}();

// DEQ page: channel g's band fields sit at kDeqChannelSize * g + kDeqFirstBandIndex + field.
constexpr int kDeqChannelSize = 12;
constexpr int kDeqFirstBandIndex = 2;
// A DEQ channel's work mode (off, below, above) sits after its band fields.
constexpr int kDeqWorkModeIndex = 7;
constexpr bool IsDeqWorkMode(ParamAddress address) {
  return PageOf(address) == kDeqPage && IndexOf(address) < kDeqChannelSize * 3 &&
         IndexOf(address) % kDeqChannelSize == kDeqWorkModeIndex;
}

// The Q limit of a band whose type field holds `type`.
constexpr int QLimitForType(int type) { return type == kBandTypePeq ? kPeqQLimit : kShelfQLimit; }

struct BandLocation {
  int band = 0;
  int field = kNoBandField;
  bool isBandField() const { return field != kNoBandField; }
  friend bool operator==(const BandLocation&, const BandLocation&) = default;
};

// Bands a page's controls stand for: the MIC page (1) shows group B's nine while micGroup is 1.
int ShownBandCount(int page, int micGroup);

// The band and field an address belongs to, page by page; micGroup decides what the MIC page's
// addresses are. Only the page's own bands (ShownBandCount) are bands: MIC B's slots past its
// nine bands, reached through the MIC page's columns 10 to 15 while MicGroup is 1, and the
// output pages' eighth band group (indexes 69-73 or 66-70), a column the window never shows, are
// not band fields. The crossover entries keep their numbers N and N + 1 (and the MIC high-pass
// its band 9 or 15) for the graph; no band frame exists for them. Not a band field:
// {0, kNoBandField}.
BandLocation LocateBand(ParamAddress address, int micGroup);

// A field of one of the bands the page has, as LocateBand finds it; crossover entries are not.
bool IsRealBandField(ParamAddress address, int micGroup);

// The Q field the band's current type uses: a field 3 or 4 address becomes field 3 while the
// band's type (ViewValues at the type field) is PEQ, field 4 otherwise. Other addresses unchanged.
ParamAddress ResolveQAddress(ParamAddress address, const ParamStore& store);

// EQ graph of the address's page: 0 music, 1 MIC, 2 effect, 3 main/SUR, 5 AUX, 8 DEQ, 9 MIC B.
int GraphIndex(ParamAddress address);

// Default frequency (FrequencyTable index) of each EQ band of a page 0 … 9, as an EQ reset writes
// it (output pages list an eighth entry for their eighth band group); empty for any other page.
std::span<const int> DefaultBandFrequencies(int page);

}  // namespace velantro
