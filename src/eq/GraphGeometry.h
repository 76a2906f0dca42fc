#pragma once

// Pixel geometry of the EQ graph: a logarithmic frequency axis from 10 Hz to 24 kHz across the
// drawing area's width and a linear gain axis from +12 dB (top row) to -24 dB (bottom row).
// Pure functions, no Qt: the graph widget, the command-line renderer and the tests share them.

#include "eq/FilterResponse.h"
#include "eq/PageBandModel.h"
#include "model/ParamAddress.h"
#include "model/Rounding.h"
#include "model/Sections.h"

namespace velantro {

constexpr double kGainAxisBottomDb = -24.0;
constexpr double kGainAxisTopDb = 12.0;
constexpr double kGainAxisSpanDb = kGainAxisTopDb - kGainAxisBottomDb;  // 36

// Horizontal scale k = W / N for a drawing area W pixels wide.
constexpr double HorizontalScale(double width) { return width / kGridSteps; }

// x of a frequency: (log10 f - 1) / D * N * k. 10 Hz is 0, 24 kHz is N * k (= W).
double FrequencyToX(double hz, double k);
// Frequency under x: 10 ^ (x * D / (N * k) + 1).
double XToFrequency(double x, double k);
// y of a gain for a drawing area `height` pixels high: +12 dB is 0, -24 dB is height - 1.
double GainToY(double db, int height);
// Gain under y: 12 - y / (height - 1) * 36.
double YToGain(double y, int height);

// A graph coordinate as a whole pixel, halves to the even neighbour: how anything on the graph is
// placed. Anything off the int range (a curve point of a filter's -inf dB) is pinned at
// +-kPixelLimit, far outside any drawing area, instead of overflowing; NaN gives 0.
inline constexpr int kPixelLimit = 100'000'000;
inline int ToPixel(double x) { return RoundHalfEvenToInt(x, kPixelLimit); }

// The graph's scale as the window holds it: k is fixed when the background is built, the height
// is read from the drawing area at every call.
struct GraphScale {
  double k = HorizontalScale(1080);
  int height = 309;

  double FrequencyToX(double hz) const { return velantro::FrequencyToX(hz, k); }
  double XToFrequency(double x) const { return velantro::XToFrequency(x, k); }
  double GainToY(double db) const { return velantro::GainToY(db, height); }
  double YToGain(double y) const { return velantro::YToGain(y, height); }
};

// Kinds of the 37 whole-dB horizontal grid lines.
enum class GridLineKind { Major, Middle, Minor };
// -24, 0 and +12 dB are major, other multiples of 3 middle, the rest minor.
GridLineKind HorizontalLineKind(int db);

// Frequencies of the vertical grid lines: the major decade lines (100 Hz, 1 kHz, 10 kHz) and the
// middle lines (20 .. 90 Hz, 200 .. 900 Hz, 2 .. 9 kHz, 20 kHz).
inline constexpr double kMajorVerticalHz[] = {100, 1000, 10000};
inline constexpr double kMiddleVerticalHz[] = {20,   30,   40,   50,   60,   70,   80,   90,   200,
                                               300,  400,  500,  600,  700,  800,  900,  2000, 3000,
                                               4000, 5000, 6000, 7000, 8000, 9000, 20000};

// Axis labels: EQLabelY0 .. EQLabelY6 at -24 + 6i dB, EQLabelX11 .. EQLabelX20 at these.
constexpr int kGainLabelCount = 7;
constexpr int kFirstFrequencyLabel = 11;
inline constexpr double kFrequencyLabelHz[] = {20,   50,   100,  200,   500,
                                               1000, 2000, 5000, 10000, 20000};
inline constexpr const char* kFrequencyLabelText[] = {"20Hz", "50Hz", "100Hz", "200Hz", "500Hz",
                                                      "1KHz", "2KHz", "5KHz",  "10KHz", "20KHz"};
constexpr int kFrequencyLabelCount = 10;

// ---------------------------------------------------------------------------------------------
// Point handles and dragging arithmetic.
// ---------------------------------------------------------------------------------------------

// Handle numbers: 0 .. 14 are EP1 .. EP15, kHighPassHandle HPF, kLowPassHandle LPF.
constexpr int kHandleCount = kBandModelEntryCount;  // 17
constexpr int kBandHandleSize = 14;
constexpr int kCrossoverHandleSize = 24;

constexpr int HandleSize(int handle) {
  return handle >= kHighPassHandle ? kCrossoverHandleSize : kBandHandleSize;
}

// Pointer limits of a drag.
constexpr double kDragLowestHz = 19.5;
constexpr double kDragHighestHz = 20600;

// Frequency control values sent for a crossover handle at target frequency index t, by the value
// pane the handle edits (its address): the effect low-pass panes count from index 298 and 194
// (limited to "Off") ends them; the output low-pass panes use 362 for "Off"; every high-pass
// pane counts from 1 with 0 for "Off". Band frequency edits take t itself.
double CrossoverControlValue(ParamAddress paneAddress, double t);

}  // namespace velantro
