#pragma once

// The point label's text, the one place the window's graph and `velantroctl curve --png` take it
// from. A value reads as its field does (the same table text), followed by its unit, so the
// label and the band field never disagree ("31.9" in the field, "31.9 Hz" on the graph).

#include <string>

#include "eq/PageBandModel.h"

namespace velantro {

// The frequency as a band frequency field shows it, with its unit: "31.9 Hz", "1000 Hz".
std::string FrequencyLabelText(double hz);

// An EQ band: gain, Q and frequency on three lines separated by '\r' ("3.5 dB", "Q:1.00",
// "1000 Hz"); a crossover: its frequency, or "OFF" when it is off.
std::string PointLabelText(const BandModelEntry& entry);

}  // namespace velantro
