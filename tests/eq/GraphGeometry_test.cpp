#include "eq/GraphGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velantro::test {
namespace {

constexpr double kDesignK = 1080.0 / 462.0;

TEST(GraphGeometry, GainAxisEndsAreTheTopAndBottomRows) {
  for (int height : {309, 100, 2}) {
    EXPECT_DOUBLE_EQ(GainToY(12, height), 0.0) << height;
    EXPECT_DOUBLE_EQ(GainToY(-24, height), height - 1.0) << height;
  }
  EXPECT_DOUBLE_EQ(GainToY(0, 309), 308.0 / 3.0);  // a third of the way down
}

TEST(GraphGeometry, FrequencyToXAtTheDesignWidth) {
  struct Case {
    double hz, x;
  };
  for (const Case& c : {Case{10, 0.0}, Case{20, 96.2}, Case{1000, 639.0}, Case{20000, 1054.7},
                        Case{24000, 1080.0}}) {
    EXPECT_NEAR(FrequencyToX(c.hz, kDesignK), c.x, 0.05) << c.hz;
  }
  // The horizontal mapping spans the whole width: k * N is W.
  EXPECT_NEAR(FrequencyToX(24000, HorizontalScale(500)), 500.0, 1e-9);
}

TEST(GraphGeometry, InversesRoundTrip) {
  for (double hz : {10.0, 19.5, 20.0, 309.0, 1000.0, 5990.0, 20600.0, 24000.0}) {
    EXPECT_NEAR(XToFrequency(FrequencyToX(hz, kDesignK), kDesignK), hz, hz * 1e-12) << hz;
  }
  for (double db : {-24.0, -3.0, 0.0, 0.2, 12.0}) {
    EXPECT_NEAR(YToGain(GainToY(db, 309), 309), db, 1e-12) << db;
  }
  EXPECT_DOUBLE_EQ(YToGain(0, 309), 12.0);
  EXPECT_DOUBLE_EQ(YToGain(308, 309), -24.0);
}

TEST(GraphGeometry, RoundHalfEvenAndOutOfRangeValues) {
  EXPECT_EQ(ToPixel(0.5), 0);
  EXPECT_EQ(ToPixel(1.5), 2);
  EXPECT_EQ(ToPixel(2.5), 2);
  EXPECT_EQ(ToPixel(-0.5), 0);
  EXPECT_EQ(ToPixel(-1.5), -2);
  EXPECT_EQ(ToPixel(92.6667), 93);
  // A filter's -inf dB must not overflow when it becomes a curve point.
  EXPECT_LT(ToPixel(-INFINITY), -1000000);
  EXPECT_GT(ToPixel(INFINITY), 1000000);
  EXPECT_EQ(ToPixel(NAN), 0);
}

TEST(GraphGeometry, HorizontalLineKinds) {
  int major = 0, middle = 0, minor = 0;
  for (int db = -24; db <= 12; ++db) {
    switch (HorizontalLineKind(db)) {
      case GridLineKind::Major:
        ++major;
        break;
      case GridLineKind::Middle:
        ++middle;
        break;
      case GridLineKind::Minor:
        ++minor;
        break;
    }
  }
  EXPECT_EQ(major, 3);
  EXPECT_EQ(middle, 10);  // -21, -18, ..., +9 without 0
  EXPECT_EQ(minor, 24);
  EXPECT_EQ(HorizontalLineKind(0), GridLineKind::Major);
  EXPECT_EQ(HorizontalLineKind(-3), GridLineKind::Middle);
  EXPECT_EQ(HorizontalLineKind(-1), GridLineKind::Minor);
}

TEST(GraphGeometry, CrossoverValuesByPane) {
  struct Case {
    ParamAddress pane;
    double t, sent;
  };
  for (const Case& c : {
           Case{0x0405, 361, 194},                      // echo low-pass at the right end: off
           Case{0x0507, 300, 2},                        // reverb low-pass counts from 298
           Case{0x0405, 250, -48},                      // below the scale: the scale limits it to 0
           Case{0x0614, 361, 362},                      // main low-pass off
           Case{0x0714, 200, 200}, Case{0x0100, 1, 0},  // MIC high-pass at the left end: off
           Case{0x0404, 0, 0}, Case{0x0611, 2, 2}, Case{0x0711, 143, 143},
           Case{0x0005, 361, 361},  // a band frequency edit takes the index itself
       }) {
    EXPECT_EQ(CrossoverControlValue(c.pane, c.t), c.sent) << std::hex << c.pane << " " << c.t;
  }
}

}  // namespace
}  // namespace velantro::test
