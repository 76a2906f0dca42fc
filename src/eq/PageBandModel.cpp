#include "eq/PageBandModel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>

#include "model/ParamStore.h"
#include "model/Rounding.h"
#include "model/Scales.h"

namespace velantro {

namespace {

constexpr int kMusicPage = 0;
constexpr int kMicPage = 1;
constexpr int kEchoPage = 4;
constexpr int kReverbPage = 5;
constexpr int kMainPage = 6;
constexpr int kAuxPage = 7;

constexpr int kMicGroupB = 1;
constexpr int kMicHighPassIndex = 0;
// Effect pages: the high-pass value sits at 4 (echo) or 6 (reverb), the low-pass value after it.
constexpr int kEchoHighPassIndex = 4;
constexpr int kReverbHighPassIndex = 6;
constexpr int kEffectLowPassOff = 64;
constexpr int kEffectLowPassFirstFrequency = 297;
// Output pages: high-pass type, frequency, Q at 16 .. 18; low-pass at 19 .. 21.
constexpr int kOutputHighPassType = 16;
constexpr int kOutputLowPassType = 19;
constexpr int kOutputLowPassOff = 362;
// A crossover type list index i is drawn as variant i + 4.
constexpr int kTypeListVariantOffset = 4;
constexpr int kFixedCrossoverVariant = 2;  // Butterworth 12 dB
// DEQ page: a channel's EQ pass value sits just before its band.
constexpr int kDeqPassOffset = 1;
constexpr int kDeqPassOn = 1;

struct PageLayout {
  int page = -1;  // the page whose EQ entries are read; -1: no curve
  int lastEq = 0;
  int crossovers = 0;
};

PageLayout LayoutOf(const ParamStore& store, int page) {
  const int shown = GraphPageOf(page);
  switch (shown) {
    case kMusicPage:
      return {shown, kBandCount[kMusicPage] - 1, 0};
    case kMicPage:
      return {shown, kBandCount[store.MicGroup == kMicGroupB ? 3 : kMicPage] - 1, 1};
    case kDeqPage:
      return {shown, kBandCount[kDeqPage] - 1, 0};
    case kEchoPage:
      return {shown, kBandCount[kEchoPage] - 1, 2};
    case kMainPage:
    case kAuxPage:
      return {shown, kBandCount[shown] - 1, 2};
    default:
      return {};
  }
}

float FrequencyAt(int32_t index) { return static_cast<float>(FrequencyHz(index)); }
float QAt(int32_t index) { return static_cast<float>(QValue(index)); }

// Table lookups a step below or above a raw value, without overflowing on a wild raw value.
int32_t Offset(int32_t raw, int delta) {
  const int64_t v = static_cast<int64_t>(raw) + delta;
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Code of a crossover whose type comes from a list value; a wild value ends up at 300 or above
// (nothing computed) or below 100 (flat), never overflowing.
FilterCode CrossoverCode(FilterCode family, int32_t type) {
  const int64_t code = static_cast<int64_t>(family) + kTypeListVariantOffset + type;
  return static_cast<FilterCode>(std::clamp<int64_t>(code, -1, kCodeNotComputed));
}

void LoadEqEntry(BandModelEntry& e, const ParamStore& store, int page, int firstIndex) {
  const auto& v = store.ViewValues[page];
  const auto field = [&](int f) { return v[firstIndex + f]; };
  e.code = field(kBandFieldType);
  e.frequency = FrequencyAt(field(kBandFieldFrequency));
  const int32_t gainRaw = std::clamp<int32_t>(field(kBandFieldGain), 0, kGainRawMax);
  e.gain = static_cast<float>(gainRaw / 5.0 - 24.0);
  e.q = QAt(field(e.code == kBandTypePeq ? kBandFieldPeqQ : kBandFieldShelfQ));
  e.frequencyAddress = MakeAddress(page, firstIndex + kBandFieldFrequency);
  e.gainAddress = MakeAddress(page, firstIndex + kBandFieldGain);
  e.qAddress = MakeAddress(page, firstIndex + kBandFieldPeqQ);
}

int EqFirstIndex(int page, int entry) {
  if (page == kDeqPage) return kDeqChannelSize * entry + kDeqFirstBandIndex;
  return kFirstBandIndex[page] + kBandValueCount * entry;
}

// A crossover entry's Q is only loaded on the output pages; elsewhere it keeps its Q.
void SetCrossover(BandModelEntry& e, FilterCode code, float frequency, ParamAddress control) {
  e.code = code;
  e.frequency = frequency;
  e.gain = 0.0f;
  e.frequencyAddress = control;
  e.gainAddress = kNoControlAddress;
  e.qAddress = kNoControlAddress;
}

void LoadMicHighPass(std::span<BandModelEntry> entries, const ParamStore& store, int lastEq) {
  const int32_t raw = store.ViewValues[kMicPage][kMicHighPassIndex];
  const bool off = raw == 0;
  SetCrossover(entries[lastEq + 1],
               off ? kCodeHighPassFamily : kCodeHighPassFamily + kFixedCrossoverVariant,
               off ? kHighPassOffHz : FrequencyAt(Offset(raw, -1)),
               MakeAddress(kMicPage, kMicHighPassIndex));
}

void LoadEffectCrossovers(std::span<BandModelEntry> entries, const ParamStore& store, int lastEq) {
  const int e = store.EffectEqPage == kReverbPage ? kReverbPage : kEchoPage;
  const auto& w = store.ViewValues[e];
  const int h = e == kReverbPage ? kReverbHighPassIndex : kEchoHighPassIndex;
  const bool highOff = w[h] == 0;
  SetCrossover(entries[lastEq + 1],
               highOff ? kCodeHighPassFamily : kCodeHighPassFamily + kFixedCrossoverVariant,
               highOff ? kHighPassOffHz : FrequencyAt(Offset(w[h], -1)), MakeAddress(e, h));
  const bool lowOff = w[h + 1] == kEffectLowPassOff;
  SetCrossover(entries[lastEq + 2],
               lowOff ? kCodeLowPassFamily : kCodeLowPassFamily + kFixedCrossoverVariant,
               lowOff ? FrequencyAt(kMaxFrequencyIndex)
                      : FrequencyAt(Offset(w[h + 1], kEffectLowPassFirstFrequency)),
               MakeAddress(e, h + 1));
}

void LoadOutputCrossovers(std::span<BandModelEntry> entries, const ParamStore& store, int page,
                          int lastEq) {
  const auto& v = store.ViewValues[page];
  const int hp = kOutputHighPassType;
  const bool highOff = v[hp + 1] == 0;
  BandModelEntry& high = entries[lastEq + 1];
  SetCrossover(high, highOff ? kCodeHighPassFamily : CrossoverCode(kCodeHighPassFamily, v[hp]),
               highOff ? kHighPassOffHz : FrequencyAt(Offset(v[hp + 1], -1)),
               MakeAddress(page, hp + 1));
  high.q = QAt(v[hp + 2]);
  const int lp = kOutputLowPassType;
  const bool lowOff = v[lp + 1] == kOutputLowPassOff;
  BandModelEntry& low = entries[lastEq + 2];
  SetCrossover(low, lowOff ? kCodeLowPassFamily : CrossoverCode(kCodeLowPassFamily, v[lp]),
               FrequencyAt(lowOff ? kMaxFrequencyIndex : v[lp + 1]), MakeAddress(page, lp + 1));
  low.q = QAt(v[lp + 2]);
}

}  // namespace

int HandleOfEntry(int entry, FilterCode code) {
  if (code < kCodeHighPassFamily) return entry >= 0 && entry < kBandHandleCount ? entry : kNoHandle;
  if (code < kCodeLowPassFamily) return kHighPassHandle;
  if (code < kCodeNotComputed) return kLowPassHandle;
  return kNoHandle;
}

int GraphPageOf(int page) {
  switch (page) {
    case kMusicPage:
    case kMicPage:
    case kDeqPage:
    case kEchoPage:
    case kMainPage:
    case kAuxPage:
      return page;
    case kReverbPage:
      return kEchoPage;
    default:
      return -1;
  }
}

int LoadPageBandModel(PageBandModel& model, const ParamStore& store, int point, int page) {
  const PageLayout layout = LayoutOf(store, page);
  model.page_ = layout.page;
  model.lastEq_ = layout.lastEq;
  model.crossovers_ = layout.crossovers;
  if (layout.page < 0) return 0;

  std::span<BandModelEntry> entries(model.entries_);
  const int first = point == kFullRedrawPoint ? 0 : point;
  const int last = point == kFullRedrawPoint ? layout.lastEq : point;
  for (int i = std::max(first, 0); i <= std::min(last, layout.lastEq); ++i) {
    LoadEqEntry(entries[i], store, layout.page, EqFirstIndex(layout.page, i));
    // A DEQ channel in EQ pass contributes nothing to the curve.
    if (layout.page == kDeqPage &&
        store.ViewValues[kDeqPage][kDeqChannelSize * i + kDeqPassOffset] == kDeqPassOn) {
      entries[i].gain = 0.0f;
    }
  }

  switch (layout.page) {
    case kMicPage:
      LoadMicHighPass(entries, store, layout.lastEq);
      break;
    case kEchoPage:
      LoadEffectCrossovers(entries, store, layout.lastEq);
      break;
    case kMainPage:
    case kAuxPage:
      LoadOutputCrossovers(entries, store, layout.page, layout.lastEq);
      break;
    default:
      break;
  }
  return layout.lastEq + 100 * layout.crossovers;
}

int PageBandModel::Load(const ParamStore& store, int page) {
  const int result = LoadPageBandModel(*this, store, kFullRedrawPoint, page);
  RecomputeAll();
  return result;
}

int PageBandModel::Update(const ParamStore& store, int page, int point) {
  const PageLayout layout = LayoutOf(store, page);
  if (point == kFullRedrawPoint || layout.page != page_ || layout.lastEq != lastEq_ ||
      layout.crossovers != crossovers_) {
    return Load(store, page);
  }
  const int result = LoadPageBandModel(*this, store, point, page);
  Recompute(point);
  Resum();
  return result;
}

void PageBandModel::SetLastEntry(int last) {
  if (last < 0) {
    page_ = -1;
    lastEq_ = 0;
    crossovers_ = 0;
    return;
  }
  if (page_ < 0) page_ = 0;
  lastEq_ = std::min(last, kBandModelEntryCount - 1);
  crossovers_ = 0;
}

void PageBandModel::Recompute(int i) {
  if (i < 0 || i > lastEntry()) return;
  const BandModelEntry& e = entries_[i];
  // Entries set by hand may hold anything; the grid ends at 24 kHz anyway.
  const float hz = std::isfinite(e.frequency) ? std::clamp(e.frequency, 0.0f, 1.0e6f) : 0.0f;
  const int frequency = RoundHalfEvenToInt(hz);
  shapes_[i].Compute(e.code, frequency, e.q, e.gain, responses_[i]);
}

void PageBandModel::RecomputeAll() {
  for (int i = 0; i <= lastEntry(); ++i) Recompute(i);
  Resum();
}

void PageBandModel::InvalidateShapes() {
  for (BandShapeCache& shape : shapes_) shape.Invalidate();
}

void PageBandModel::Resum() {
  const int count = lastEntry() + 1;
  SumResponses(std::span<const BandResponse>(responses_.data(), static_cast<size_t>(count)),
               total_);
}

}  // namespace velantro
