// The point label reads each value as its field does, with the unit after a space.

#include "eq/PointLabelText.h"

#include <gtest/gtest.h>

#include "eq/FilterResponse.h"
#include "model/Scales.h"

namespace velantro {
namespace {

TEST(PointLabelText, EveryFrequencyReadsAsTheBandFieldShowsIt) {
  for (int i = 0; i < kFrequencyCount; ++i) {
    // The graph holds the frequency as the single-precision number of the table's text.
    const float hz = static_cast<float>(FrequencyHz(i));
    EXPECT_EQ(FrequencyLabelText(hz), ScaleText(Scale::BandFrequency, i) + " Hz") << i;
  }
}

TEST(PointLabelText, BandsShowGainQAndFrequencyCrossoversTheirFrequencyOrOff) {
  struct Case {
    FilterCode code;
    float frequency;
    float gain;
    float q;
    const char* expected;
  };
  const Case cases[] = {
      {0, static_cast<float>(FrequencyHz(25)), 3.4f, 1.0f, "3.4 dB\rQ:1.00\r31.9 Hz"},
      {0, 1000.0f, -6.0f, 0.7f, "-6.0 dB\rQ:0.70\r1000.0 Hz"},
      {kCodeHighPassFamily, 19.0f, 0.0f, 0.0f, "OFF"},
      {kCodeLowPassFamily, 20600.0f, 0.0f, 0.0f, "OFF"},
      {kCodeHighPassFamily + 1, static_cast<float>(FrequencyHz(25)), 0.0f, 0.0f, "31.9 Hz"},
      {kCodeLowPassFamily + 2, 6350.0f, 0.0f, 0.0f, "6350.0 Hz"},
  };
  for (const Case& c : cases) {
    BandModelEntry e;
    e.code = c.code;
    e.frequency = c.frequency;
    e.gain = c.gain;
    e.q = c.q;
    EXPECT_EQ(PointLabelText(e), c.expected);
  }
}

}  // namespace
}  // namespace velantro
