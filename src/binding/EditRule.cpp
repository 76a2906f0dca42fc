#include "binding/EditRule.h"

#include <algorithm>
#include <utility>

#include "model/ParamStore.h"
#include "model/Rounding.h"

namespace velantro {

namespace {

bool IsBandScale(ValueScale scale) {
  return scale >= Scale::BandFrequency && scale <= Scale::BandQ;
}

// Band fields (and scale None) are stored in both tables and sent as a band frame; everything else
// goes out as a single value.
bool IsStoredAsBand(ValueScale scale) { return scale <= Scale::BandQ; }

// Changes the EQ graph draws: band fields, crossover and effect filter frequencies and Qs.
bool IsGraphScale(ValueScale scale) {
  return scale <= Scale::EffectLowPass || scale == Scale::EffectHighPass ||
         scale == Scale::CrossoverQ;
}

}  // namespace

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
    editor_.KeepShown(address, v);
  }
  return v;
}

EditOutcome EditRule::Apply(ParamAddress address, ValueScale scale, int step, bool fromStore,
                            double x, bool refreshing, EditOrigin origin) {
  EditOutcome out = Limit(address, scale, step, fromStore, x);
  Commit(out, fromStore, refreshing, origin);
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
    case Scale::BandType:
      if (x > 2) x = 2;
      break;
    case Scale::BandFrequency:
      if (!fromStore) x = std::clamp(x, 0.0, static_cast<double>(kMaxFrequencyIndex));
      if (x > kMaxFrequencyIndex) x = kMaxFrequencyIndex;
      out.text = FrequencyText(TruncateToInt(x));
      break;
    case Scale::BandGain:
      if (!fromStore) x = std::clamp(x, 0.0, static_cast<double>(kGainRawMax));
      if (x > kGainRawMax) x = kGainRawMax;
      out.text = FormatNumber(GainDb(x), 1);
      break;
    case Scale::BandQ:
      x = LimitBandQ(a, fromStore, x);
      out.text = QText(TruncateToInt(x));
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
  out.stored = TruncateToInt(x);
  return out;
}

void EditRule::Commit(const EditOutcome& out, bool fromStore, bool refreshing, EditOrigin origin) {
  const ParamAddress a = out.address;
  const ValueScale s = out.scale;
  const int u = out.stored;
  // A step at a limit, a drag that stays on the same raw value, a text that reads as the value
  // already there: the unit holds it already, and a write would only repeat it (or put it back
  // over a change the unit made itself since).
  const bool changes = origin == EditOrigin::Typed || !Holds(a, u);
  // What a refresh shows is the store's already: no edit of the operator's.
  const EditOrigin by = refreshing ? EditOrigin::System : origin;
  if (!fromStore && changes) {
    if (IsStoredAsBand(s)) {
      editor_.SetBandField(a, u, by);
    } else {
      editor_.SetValue(a, u, by);
    }
  } else if (IsStoredAsBand(s)) {
    editor_.StoreBoth(a, u, by);
  }
  if (IsGraphScale(s) && !refreshing) editor_.NoteGraphChange(GraphChange{a, u});
}

bool EditRule::Holds(ParamAddress address, int value) const {
  const auto [page, slot] = editor_.DeviceSlot(address);
  return store_.View(address) == value && store_.Device(page, slot) == value;
}

}  // namespace velantro
