#include "model/Scales.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "model/ParamStore.h"
#include "model/Rounding.h"
#include "model/TextMark.h"

namespace velantro {

namespace {

// What a pane shows for a filter or an effect that is switched off.
constexpr const char* kOffText = VELANTRO_TEXT("Off");

template <std::size_t N>
std::string_view ClampedText(const std::array<std::string_view, N>& table, int index) {
  return table[static_cast<std::size_t>(ClampIndex(index, static_cast<int>(N)))];
}

template <std::size_t N>
constexpr std::array<double, N> ValuesOf(const std::array<std::string_view, N>& table) {
  std::array<double, N> values{};
  for (std::size_t i = 0; i < N; ++i) values[i] = DecimalValue(table[i]);
  return values;
}

constexpr auto kFrequencyValues = ValuesOf(FrequencyTable);
constexpr auto kQValues = ValuesOf(QTable);
constexpr auto kRatioValues = ValuesOf(RatioTable);
constexpr auto kReleaseValues = ValuesOf(ReleaseTable);
constexpr auto kAttackValues = ValuesOf(AttackTable);

template <std::size_t N>
double ClampedValue(const std::array<double, N>& values, int index) {
  return values[static_cast<std::size_t>(ClampIndex(index, static_cast<int>(N)))];
}

std::string FrequencyHzText(int index) {
  std::string text(FrequencyText(index));
  text += "Hz";
  return text;
}

}  // namespace

int TableIndex(double x, int count) { return ClampIndex(TruncateToInt(x), count); }

std::string_view FrequencyText(int index) { return ClampedText(FrequencyTable, index); }
std::string_view QText(int index) { return ClampedText(QTable, index); }
std::string_view RatioText(int index) { return ClampedText(RatioTable, index); }
std::string_view ReleaseText(int index) { return ClampedText(ReleaseTable, index); }
std::string_view AttackText(int index) { return ClampedText(AttackTable, index); }
std::string_view BandTypeText(int index) { return ClampedText(kBandTypeNames, index); }

double FrequencyHz(int index) { return ClampedValue(kFrequencyValues, index); }
double QValue(int index) { return ClampedValue(kQValues, index); }
double RatioValue(int index) { return ClampedValue(kRatioValues, index); }
double ReleaseValue(int index) { return ClampedValue(kReleaseValues, index); }
double AttackValue(int index) { return ClampedValue(kAttackValues, index); }

// ---------------------------------------------------------------------------------------------

std::string FormatNumber(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  if (!std::isfinite(value)) value = 0.0;
  const bool negative = value < 0;
  const double magnitude = std::fabs(value);

  // Fifteen significant digits first, so that 0.25 stays 0.25 and 24.2 - 24 reads as 0.2; then
  // decimal rounding with halves away from zero.
  std::string digits;  // integer and fraction digits without the point
  int integerDigits = 1;
  if (magnitude == 0.0) {
    digits.assign(static_cast<std::size_t>(1 + decimals), '0');
  } else {
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
    std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));  // d.ddddddddddddde±XX
    const std::size_t ePos = sci.find('e');
    std::string mantissa;
    for (std::size_t i = 0; i < ePos; ++i) {
      if (sci[i] != '.') mantissa += sci[i];
    }
    int exponent = 0;
    std::string_view expText = sci.substr(ePos + 1);
    if (!expText.empty() && expText.front() == '+') expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), exponent);

    // The number is 0.mantissa × 10^(exponent + 1). Build it as a digit string with
    // `lead` integer digits (at least one) and exactly `decimals` fraction digits after rounding.
    const int pointPos = exponent + 1;  // digits of the mantissa before the point
    std::string all;                    // digits with the point at position `lead`
    int lead = pointPos;
    if (pointPos <= 0) {
      all.assign(static_cast<std::size_t>(-pointPos), '0');
      all += mantissa;
      lead = 0;
    } else {
      all = mantissa;
      if (static_cast<int>(all.size()) < pointPos) {
        all.append(static_cast<std::size_t>(pointPos) - all.size(), '0');
      }
    }
    const int keep = lead + decimals;
    bool roundUp = false;
    if (keep < static_cast<int>(all.size())) {
      roundUp = all[static_cast<std::size_t>(keep)] >= '5';
      all.resize(static_cast<std::size_t>(keep));
    } else {
      all.append(static_cast<std::size_t>(keep) - all.size(), '0');
    }
    if (roundUp) {
      int i = keep - 1;
      while (i >= 0 && all[static_cast<std::size_t>(i)] == '9') {
        all[static_cast<std::size_t>(i)] = '0';
        --i;
      }
      if (i >= 0) {
        ++all[static_cast<std::size_t>(i)];
      } else {
        all.insert(all.begin(), '1');
        ++lead;
      }
    }
    if (lead == 0) {
      all.insert(all.begin(), '0');
      lead = 1;
    }
    // Drop leading zeros of the integer part, keeping one.
    std::size_t strip = 0;
    while (strip + 1 < static_cast<std::size_t>(lead) && all[strip] == '0') ++strip;
    digits = all.substr(strip);
    integerDigits = lead - static_cast<int>(strip);
  }

  const bool allZero = digits.find_first_not_of('0') == std::string::npos;
  std::string out;
  if (negative && !allZero) out += '-';
  out.append(digits, 0, static_cast<std::size_t>(integerDigits));
  if (decimals > 0) {
    out += '.';
    out.append(digits, static_cast<std::size_t>(integerDigits), std::string::npos);
  }
  return out;
}

double LimitToScale(ValueScale scale, double x) {
  if (std::isnan(x)) return 0.0;
  if (!HasScaleText(scale)) return x;
  const ScaleBounds& bounds = kScaleBounds[static_cast<std::size_t>(ScaleNumber(scale))];
  if (x > bounds.upper) x = bounds.upper;
  if (bounds.hasLower && x < bounds.lower) x = bounds.lower;
  return x;
}

std::string ScaleText(ValueScale scale, double x) {
  if (std::isnan(x)) x = 0.0;
  const int t = TruncateToInt(x);
  switch (scale) {
    case Scale::BandType:
      return t < 0 ? std::string() : std::string(BandTypeText(t));
    case Scale::BandFrequency:
      return std::string(FrequencyText(t));
    case Scale::BandGain:
      return FormatNumber(x / 5.0 - 24.0, 1);
    case Scale::BandQ:
    case Scale::CrossoverQ:
      return std::string(QText(t));
    case Scale::LowPassFrequency:
      return x == 362 ? std::string(kOffText) : FrequencyHzText(t);
    case Scale::HighPassFrequency:
    case Scale::EffectHighPass:
      return x == 0 ? std::string(kOffText) : FrequencyHzText(TruncateToInt(x - 1));
    case Scale::EffectLowPass:
      return x == 64 ? std::string(kOffText) : FrequencyHzText(ClampIndex(t, 65) + 297);
    case Scale::EffectLevel:
      return FormatNumber(x, 0);
    case Scale::MixLevel:
    case Scale::DelayTime:
      return FormatNumber(2.0 * x, 0);
    case Scale::EchoRightDelay:
      return FormatNumber(x - 50.0, 0);
    case Scale::ReverbTime:
      return FormatNumber(62.5 * x, 0);
    case Scale::OffsetTwenty:
      return FormatNumber(x - 20.0, 0);
    case Scale::CompressorRatio:
      return std::string(RatioText(t));
    case Scale::CompressorRelease:
      return std::string(ReleaseText(t));
    case Scale::CompressorAttack:
      return std::string(AttackText(t));
    case Scale::OutputDelay:
      return FormatNumber(x / 10.0, 1);
    case Scale::CompressorLevel:
      return FormatNumber(x - 36.0, 0);
    case Scale::FeedbackShift:
      return x == 0 ? std::string(kOffText) : FormatNumber(x + 1.0, 0) + "Hz";
    case Scale::GateOrDamping:
      return x == 0 ? std::string(kOffText) : FormatNumber(x, 0);
    default:
      return std::string();
  }
}

ScaledValue ApplyScale(ValueScale scale, double x) {
  const double limited = LimitToScale(scale, x);
  return ScaledValue{limited, ScaleText(scale, limited)};
}

double ParseDisplayValue(ValueScale scale, double v) {
  switch (scale) {
    case Scale::BandFrequency: {
      if (std::isnan(v)) return 0.0;
      int i = 0;
      while (i < kFrequencyCount && !(v <= kFrequencyValues[static_cast<std::size_t>(i)])) ++i;
      if (i == 0) return 0.0;
      if (i >= kMaxFrequencyIndex) return kMaxFrequencyIndex;
      const double below = kFrequencyValues[static_cast<std::size_t>(i - 1)];
      const double above = kFrequencyValues[static_cast<std::size_t>(i)];
      return v - below > above - v ? i : i - 1;
    }
    case Scale::BandGain:
      return RoundHalfEvenTolerant((v + 24.0) * 5.0);
    case Scale::BandQ: {
      if (std::isnan(v)) return 0.0;
      int i = 0;
      while (i < kQCount && !(v <= kQValues[static_cast<std::size_t>(i)])) ++i;
      return i;  // kQCount (101) when above the table
    }
    default:
      return v;
  }
}

}  // namespace velantro
