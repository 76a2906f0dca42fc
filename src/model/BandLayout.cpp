#include "model/BandLayout.h"

#include "model/ParamStore.h"
#include "model/Sections.h"

namespace velantro {

// ---------------------------------------------------------------------------------------------

namespace {

// band = (i - F) div 5, field = (i - F) mod 5, for indexes within the page's `bands` bands.
BandLocation GeneralRule(int page, int index, int bands) {
  const int first = kFirstBandIndex[static_cast<std::size_t>(page)];
  if (first < 0 || index < first || index >= first + kBandValueCount * bands) return {};
  return {(index - first) / kBandValueCount, (index - first) % kBandValueCount};
}

}  // namespace

int ShownBandCount(int page, int micGroup) {
  if (page < 0 || page >= kEqPageCount) return 0;
  if (page == 1 && micGroup == 1) return kBandCount[3];
  return kBandCount[static_cast<std::size_t>(page)];
}

BandLocation LocateBand(ParamAddress address, int micGroup) {
  if (address < 0 || address > 0xFFFF) return {};
  const int page = PageOf(address);
  const int index = IndexOf(address);
  const int bands = ShownBandCount(page, micGroup);
  switch (page) {
    case 0:
      return GeneralRule(page, index, bands);
    case 1:
    case 3:
      if (index == 0) return {(page == 1 && micGroup == 1) ? 9 : 15, kBandFieldType};
      return GeneralRule(page, index, bands);
    case 2:
      for (int g = 0; g < kBandCount[2]; ++g) {
        const int first = kDeqChannelSize * g + kDeqFirstBandIndex;
        if (index >= first && index < first + kBandValueCount) return {g, index - first};
      }
      return {};
    case 4:
    case 5: {
      const int highPass = page == 4 ? 4 : 6;
      if (index == highPass) return {5, kBandFieldType};
      if (index == highPass + 1) return {6, kBandFieldType};
      return GeneralRule(page, index, bands);
    }
    case 6:
    case 7:
    case 8:
    case 9:
      if (index >= 16 && index <= 18) return {bands, kBandFieldType};
      if (index >= 19 && index <= 21) return {bands + 1, kBandFieldType};
      return GeneralRule(page, index, bands);
    default:
      return {};
  }
}

bool IsRealBandField(ParamAddress address, int micGroup) {
  const BandLocation where = LocateBand(address, micGroup);
  return where.isBandField() && where.band < ShownBandCount(PageOf(address), micGroup);
}

ParamAddress ResolveQAddress(ParamAddress address, const ParamStore& store) {
  const BandLocation where = LocateBand(address, store.MicGroup);
  if (where.field != kBandFieldPeqQ && where.field != kBandFieldShelfQ) return address;
  const ParamAddress typeAddress = address - where.field;
  return store.View(typeAddress) == kBandTypePeq ? typeAddress + kBandFieldPeqQ
                                                 : typeAddress + kBandFieldShelfQ;
}

namespace {
constexpr std::array<int, 10> kMusicDefaultFrequencies{25,  60,  95,  130, 170,
                                                       205, 245, 290, 333, 360};
constexpr std::array<int, 15> kMicADefaultFrequencies{2,   25,  49,  73,  96,  120, 144, 167,
                                                      187, 215, 238, 262, 287, 309, 333};
constexpr std::array<int, 9> kMicBDefaultFrequencies{25, 60, 95, 130, 170, 205, 245, 290, 333};
constexpr std::array<int, 3> kDeqDefaultFrequencies{72, 203, 332};
constexpr std::array<int, 5> kEffectDefaultFrequencies{26, 103, 181, 260, 335};
constexpr std::array<int, 8> kOutputDefaultFrequencies{60, 95, 130, 170, 205, 245, 290, 333};
}  // namespace

std::span<const int> DefaultBandFrequencies(int page) {
  switch (page) {
    case 0:
      return kMusicDefaultFrequencies;
    case 1:
      return kMicADefaultFrequencies;
    case 2:
      return kDeqDefaultFrequencies;
    case 3:
      return kMicBDefaultFrequencies;
    case 4:
    case 5:
      return kEffectDefaultFrequencies;
    case 6:
    case 7:
    case 8:
    case 9:
      return kOutputDefaultFrequencies;
    default:
      return {};
  }
}

int GraphIndex(ParamAddress address) {
  if (address < 0 || address > 0xFFFF || PageOf(address) >= kPageCount) return 0;
  return kGraphOfPage[static_cast<size_t>(PageOf(address))];
}

}  // namespace velantro
