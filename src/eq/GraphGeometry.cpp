#include "eq/GraphGeometry.h"

#include <cmath>
#include <limits>

#include "model/Scales.h"

namespace velantro {

namespace {

// Page and index of the value panes whose crossover values the graph maps.
constexpr ParamAddress kEchoLowPassPane = 0x0405;
constexpr ParamAddress kReverbLowPassPane = 0x0507;
constexpr ParamAddress kMainLowPassPane = 0x0614;
constexpr ParamAddress kAuxLowPassPane = 0x0714;
constexpr ParamAddress kMicHighPassPane = 0x0100;
constexpr ParamAddress kEchoHighPassPane = 0x0404;
constexpr ParamAddress kReverbHighPassPane = 0x0506;
constexpr ParamAddress kMainHighPassPane = 0x0611;
constexpr ParamAddress kAuxHighPassPane = 0x0711;

// The effect low-pass scale starts at frequency index 298 - 1; 194 is far above its "Off" (64).
constexpr double kEffectLowPassOffset = 298;
constexpr double kEffectLowPassOffValue = 194;
constexpr double kOutputLowPassOffValue = 362;

}  // namespace

double FrequencyToX(double hz, double k) {
  return (std::log10(hz) - 1.0) / kGridDecades * kGridSteps * k;
}

double XToFrequency(double x, double k) {
  return std::pow(10.0, x * kGridDecades / (kGridSteps * k) + 1.0);
}

double GainToY(double db, int height) {
  return (kGainAxisTopDb - db) / kGainAxisSpanDb * (height - 1);
}

double YToGain(double y, int height) { return kGainAxisTopDb - y / (height - 1) * kGainAxisSpanDb; }

GridLineKind HorizontalLineKind(int db) {
  if (db == -24 || db == 0 || db == 12) return GridLineKind::Major;
  if (db % 3 == 0) return GridLineKind::Middle;
  return GridLineKind::Minor;
}

double CrossoverControlValue(ParamAddress paneAddress, double t) {
  switch (paneAddress) {
    case kEchoLowPassPane:
    case kReverbLowPassPane:
      return t == kMaxFrequencyIndex ? kEffectLowPassOffValue : t - kEffectLowPassOffset;
    case kMainLowPassPane:
    case kAuxLowPassPane:
      return t == kMaxFrequencyIndex ? kOutputLowPassOffValue : t;
    case kMicHighPassPane:
    case kEchoHighPassPane:
    case kReverbHighPassPane:
    case kMainHighPassPane:
    case kAuxHighPassPane:
      return t <= 1 ? 0 : t;
    default:
      return t;
  }
}

}  // namespace velantro
