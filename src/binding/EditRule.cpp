#include "binding/EditRule.h"

#include <algorithm>
#include <cmath>

#include "model/ParamStore.h"

namespace velantro {

namespace {

constexpr double kIntLimit = 1e9;

bool IsBandScale(ValueScale scale) { return scale >= 2 && scale <= 4; }

// Band fields (and scale 0) are stored in both tables and sent as a band frame; everything else
// goes out as a single value.
bool IsStoredAsBand(ValueScale scale) { return scale <= 4; }

// Changes the EQ graph draws: band fields, crossover and effect filter frequencies and Qs.
bool IsGraphScale(ValueScale scale) { return scale <= 7 || scale == 13 || scale == 19; }

}  // namespace

int TruncateRaw(double x) {
  if (std::isnan(x)) return 0;
  if (x >= kIntLimit) return static_cast<int>(kIntLimit);
  if (x <= -kIntLimit) return -static_cast<int>(kIntLimit);
  return static_cast<int>(x);
}

int BarPosition(double x) {
  if (std::isnan(x)) return 0;
  if (x >= kIntLimit) return static_cast<int>(kIntLimit);
  if (x <= -kIntLimit) return -static_cast<int>(kIntLimit);
  const double down = std::floor(x);
  const double diff = x - down;
  double result = down;
  if (diff > 0.5 || (diff == 0.5 && std::fmod(down, 2.0) != 0.0)) result = down + 1.0;
  return static_cast<int>(result);
}

// An operator's Q is limited by the band's type (a shelf takes fewer steps). A stored Q is taken
// from ViewValues itself, and one past the table is written back at the table's end.
double EditRule::LimitBandQ(ParamAddress address, bool fromStore, double x) {
  if (!fromStore) {
    const BandLocation where = LocateBand(address, store_.MicGroup);
    const int type = where.isBandField() ? store_.View(address - where.field) : kBandTypePeq;
    return std::clamp(x, 0.0, static_cast<double>(QLimitForType(type)));
  }
  int v = store_.View(address);
  if (v > kPeqQLimit) {
    v = kPeqQLimit;
    store_.SetView(PageOf(address), IndexOf(address), v);
  }
  return v;
}

EditOutcome EditRule::Apply(ParamAddress address, ValueScale scale, int step, bool fromStore,
                            double x, bool refreshing) {
  EditOutcome out = Limit(address, scale, step, fromStore, x);
  Commit(out, fromStore, refreshing);
  return out;
}

EditOutcome EditRule::Limit(ParamAddress own, ValueScale s, int step, bool fromStore, double x) {
  EditOutcome out;
  const ParamAddress a = ResolveQAddress(own, store_);
  out.address = a;
  out.scale = s;
  if (IsBandScale(s) && !fromStore) {
    if (step == kStepUp) x += 1;
    if (step == kStepDown) x -= 1;
  }
  switch (s) {
    case 1:
      if (x > 2) x = 2;
      break;
    case 2:
      if (!fromStore) x = std::clamp(x, 0.0, static_cast<double>(kMaxFrequencyIndex));
      if (x > kMaxFrequencyIndex) x = kMaxFrequencyIndex;
      out.text = FrequencyText(TruncateRaw(x));
      break;
    case 3:
      if (!fromStore) x = std::clamp(x, 0.0, static_cast<double>(kGainRawMax));
      if (x > kGainRawMax) x = kGainRawMax;
      out.text = FormatNumber(GainDb(x), 1);
      break;
    case 4:
      x = LimitBandQ(a, fromStore, x);
      out.text = QText(TruncateRaw(x));
      break;
    default:
      if (HasScaleText(s)) {
        ScaledValue scaled = ApplyScale(s, x);
        x = scaled.value;
        out.text = std::move(scaled.text);
      }
      break;
  }
  out.limited = x;
  out.stored = TruncateRaw(x);
  return out;
}

void EditRule::Commit(const EditOutcome& out, bool fromStore, bool refreshing) {
  const ParamAddress a = out.address;
  const ValueScale s = out.scale;
  const int u = out.stored;
  if (IsStoredAsBand(s)) StoreBoth(a, u);
  if (!fromStore) {
    if (IsStoredAsBand(s)) {
      store_.SetBand(a, u);
    } else {
      store_.SetParam(a, u);
    }
  }
  if (IsGraphScale(s) && !refreshing) lastChange_ = GraphChange{a, u};
}

void EditRule::StoreBoth(ParamAddress address, int value) {
  store_.SetView(PageOf(address), IndexOf(address), value);
  const ParamAddress e = store_.EffectiveAddress(address);
  const int ep = PageOf(e);
  store_.SetDevice(ep, ParamStore::DeviceIndex(ep, IndexOf(e), store_.LayoutFlag), value);
}

}  // namespace velantro
