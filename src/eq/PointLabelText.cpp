#include "eq/PointLabelText.h"

#include "eq/FilterResponse.h"
#include "model/Scales.h"
#include "model/TextMark.h"

namespace velantro {

namespace {

constexpr int kGainDecimals = 1;
// The label of a high- or low-pass handle whose filter is off.
constexpr const char* kOffLabel = VELANTRO_TEXT("OFF");
constexpr int kQDecimals = 2;

}  // namespace

std::string FrequencyLabelText(double hz) {
  // The graph holds the table's frequency as a number; its table entry gives the field's text.
  const double index = ParseDisplayValue(Scale::BandFrequency, hz);
  return ScaleText(Scale::BandFrequency, index) + " Hz";
}

std::string PointLabelText(const BandModelEntry& entry) {
  if (entry.code < kCodeHighPassFamily) {
    return FormatNumber(entry.gain, kGainDecimals) + " dB\rQ:" + FormatNumber(entry.q, kQDecimals) +
           "\r" + FrequencyLabelText(entry.frequency);
  }
  const bool off = entry.code == kCodeHighPassFamily || entry.code == kCodeLowPassFamily;
  return off ? std::string(kOffLabel) : FrequencyLabelText(entry.frequency);
}

}  // namespace velantro
