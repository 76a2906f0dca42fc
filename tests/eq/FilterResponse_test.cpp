#include "eq/FilterResponse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace velantro::test {
namespace {

BandResponse Compute(FilterCode code, int frequency, double q, double gainDb) {
  BandResponse r;
  r.fill(0.0f);
  ComputeBandResponse(code, frequency, q, gainDb, r);
  return r;
}

bool BitIdentical(const BandResponse& a, const BandResponse& b) {
  return std::memcmp(a.data(), b.data(), sizeof(a)) == 0;
}

int ArgMax(const BandResponse& r) {
  return static_cast<int>(std::max_element(r.begin(), r.end()) - r.begin());
}

TEST(ResponseGridTest, EndsAndKnownPoints) {
  EXPECT_NEAR(FrequencyOfGridIndex(0), 10.0, 1e-9);
  EXPECT_NEAR(FrequencyOfGridIndex(462), 24000.0, 1e-6);
  EXPECT_NEAR(GridIndexOfFrequency(1000.0), 273.3557, 1e-3);
  EXPECT_DOUBLE_EQ(GridIndexOfFrequency(0.25), GridIndexOfFrequency(1.0));  // below 1 Hz is 1 Hz
  EXPECT_NEAR(GridIndexOfFrequency(FrequencyOfGridIndex(123.4)), 123.4, 1e-9);
}

TEST(FilterResponseTest, NeutralSettingsAreFlatEverywhere) {
  struct Case {
    FilterCode code;
    double q;
    double gain;
  };
  const Case cases[] = {
      {kCodePeaking, 1.0, 0.0},
      {kCodePeaking, 128.0, 0.0},
      {kCodeLowShelf, 0.4, 0.0},
      {kCodeHighShelf, 2.0, 0.0},
      {5, 1.0, 12.0},
      {99, 1.0, -24.0},
      {100, 1.0, 0.0},
      {200, 3.0, 0.0},
      {110, 1.0, 0.0},
      {290, 1.0, 0.0},
  };
  for (const Case& c : cases) {
    BandResponse r;
    r.fill(7.0f);
    ComputeBandResponse(c.code, 1000, c.q, c.gain, r);
    for (int p = 0; p < kGridPoints; ++p) {
      ASSERT_NEAR(r[p], 0.0f, 1e-6f) << "code " << c.code << " point " << p;
    }
  }
}

TEST(FilterResponseTest, PeakSitsOnItsGridPointWithItsGainAndIsSymmetric) {
  struct Case {
    int frequency;
    double gain;
    int centre;
  };
  const Case cases[] = {{1000, 12.0, 273}, {100, 12.0, 137}, {5000, -9.0, 369}};
  for (const Case& c : cases) {
    const BandResponse r = Compute(kCodePeaking, c.frequency, 1.0, c.gain);
    const int extreme =
        c.gain > 0 ? ArgMax(r) : static_cast<int>(std::min_element(r.begin(), r.end()) - r.begin());
    EXPECT_EQ(extreme, c.centre) << c.frequency;
    EXPECT_NEAR(r[c.centre], c.gain, 1e-3) << c.frequency;
    const int reach = std::min(c.centre, kGridSteps - 1 - c.centre);
    for (int d = 1; d <= reach; ++d) {
      ASSERT_NEAR(r[c.centre - d], r[c.centre + d], 1e-4) << c.frequency << " d " << d;
    }
  }
}

TEST(FilterResponseTest, WiderQGivesWiderPeak) {
  const BandResponse narrow = Compute(kCodePeaking, 1000, 4.0, 12.0);
  const BandResponse wide = Compute(kCodePeaking, 1000, 0.5, 12.0);
  EXPECT_LT(narrow[273 + 20], wide[273 + 20]);
  EXPECT_NEAR(narrow[273], wide[273], 1e-3);
}

TEST(FilterResponseTest, ShelvesReachTheirGainAtTheFarEnd) {
  struct Case {
    FilterCode code;
    double gain;
    double left;
    double right;
  };
  const Case cases[] = {
      {kCodeLowShelf, 6.0, 6.0, 0.0},
      {kCodeLowShelf, -12.0, -12.0, 0.0},
      {kCodeHighShelf, 6.0, 0.0, 6.0},
      {kCodeHighShelf, -12.0, 0.0, -12.0},
  };
  for (const Case& c : cases) {
    const BandResponse r = Compute(c.code, 1000, 1.0, c.gain);
    EXPECT_NEAR(r[0], c.left, 0.01) << c.code << " " << c.gain;
    EXPECT_NEAR(r[kGridSteps], c.right, 0.01) << c.code << " " << c.gain;
    EXPECT_NEAR(r[273], c.gain / 2.0, 0.01) << "half the gain at the corner";
  }
}

// Value at the corner point (1 kHz: grid point 273) of each crossover variant, for a band Q of 1.
TEST(FilterResponseTest, CrossoverVariantsAtTheirCorner) {
  struct Case {
    int variant;
    double cornerDb;
  };
  const Case cases[] = {
      {0, 0.0},      // off
      {1, -4.7712},  // Bessel: 20 log10(1/sqrt(3))
      {2, -3.0103},  // Butterworth
      {3, -6.0206},  // two first-order sections
      {4, -9.5424},  // two Bessel sections
      {5, -3.0103},  // fourth-order Butterworth
      {6, -6.0206},  // two Butterworth sections
      {7, 0.0087},   // band Q 1 (+0.001)
      {8, 0.0174},   // twice that
      {9, -6.0206},  // 2 x (Q 1 stage + first order)
  };
  for (const Case& c : cases) {
    const BandResponse high = Compute(kCodeHighPassFamily + c.variant, 1000, 1.0, 0.0);
    const BandResponse low = Compute(kCodeLowPassFamily + c.variant, 1000, 1.0, 0.0);
    EXPECT_NEAR(high[273], c.cornerDb, 2e-3) << "high-pass variant " << c.variant;
    EXPECT_NEAR(low[273], c.cornerDb, 2e-3) << "low-pass variant " << c.variant;
    // Pass bands are flat at 0 dB, stop bands fall away; low-pass mirrors high-pass.
    EXPECT_NEAR(high[kGridSteps], 0.0, 1e-3) << c.variant;
    EXPECT_NEAR(low[0], 0.0, 1e-3) << c.variant;
    if (c.variant != 0) {
      EXPECT_LT(high[0], -90.0) << c.variant;
      EXPECT_LT(low[kGridSteps], -90.0) << c.variant;
    }
    for (int d = 0; d <= 100; ++d) {
      ASSERT_NEAR(high[273 + d], low[273 - d], 1e-3) << "variant " << c.variant << " d " << d;
    }
  }
}

TEST(FilterResponseTest, TwoSectionVariantsAreSumsOfTheirSections) {
  // Variant 6 is exactly twice variant 2, variant 4 twice variant 1, 8 twice 7.
  const std::pair<int, int> doubled[] = {{6, 2}, {4, 1}, {8, 7}};
  for (const FilterCode family : {kCodeHighPassFamily, kCodeLowPassFamily}) {
    for (const auto& [twice, once] : doubled) {
      const BandResponse a = Compute(family + twice, 2000, 2.5, 0.0);
      const BandResponse b = Compute(family + once, 2000, 2.5, 0.0);
      for (int p = 0; p < kGridPoints; ++p) ASSERT_EQ(a[p], 2.0f * b[p]) << family + twice;
    }
  }
  // Variant 5 is the two stages of a fourth-order Butterworth (Q 1.30656 and 0.541196).
  BandResponse stage0, stage1;
  LowPassSectionResponse(994, {SectionKind::ButterworthStage, 4, 0}, 0.0, stage0);
  LowPassSectionResponse(994, {SectionKind::ButterworthStage, 4, 1}, 0.0, stage1);
  const BandResponse variant5 = Compute(205, 1000, 0.0, 0.0);
  for (int p = 0; p < kGridPoints; ++p) ASSERT_EQ(variant5[p], stage0[p] + stage1[p]) << p;
  EXPECT_NEAR(stage0[273], 20.0 * std::log10(1.30656), 2e-3);
  EXPECT_NEAR(stage1[273], 20.0 * std::log10(0.541196), 2e-3);
}

TEST(FilterResponseTest, OnlyTheLastDigitOfACrossoverCodeCounts) {
  EXPECT_TRUE(BitIdentical(Compute(105, 700, 1.0, 0.0), Compute(115, 700, 1.0, 0.0)));
  EXPECT_TRUE(BitIdentical(Compute(203, 700, 1.0, 0.0), Compute(293, 700, 1.0, 0.0)));
  // Codes 3 and 4 are single sections with the band's Q, like variant 7.
  EXPECT_TRUE(BitIdentical(Compute(3, 700, 2.0, 0.0), Compute(107, 700, 2.0, 0.0)));
  EXPECT_TRUE(BitIdentical(Compute(4, 700, 2.0, 0.0), Compute(207, 700, 2.0, 0.0)));
}

TEST(FilterResponseTest, CodesFrom300LeaveTheResponseAlone) {
  BandResponse r;
  r.fill(1.5f);
  ComputeBandResponse(300, 1000, 1.0, 12.0, r);
  ComputeBandResponse(65535, 1000, 1.0, 12.0, r);
  for (float v : r) ASSERT_EQ(v, 1.5f);
}

TEST(FilterResponseTest, FrequencySnapsToTheGrid) {
  struct Case {
    int frequency;
    int snapped;
  };
  const Case cases[] = {{1000, 994}, {994, 994}, {10, 10}, {20600, 20624}, {11, 11}};
  for (const Case& c : cases) EXPECT_EQ(SnapFrequency(c.frequency), c.snapped) << c.frequency;
  // Frequencies that snap to the same grid point draw the same curve.
  EXPECT_TRUE(
      BitIdentical(Compute(kCodePeaking, 1000, 1.0, 6.0), Compute(kCodePeaking, 994, 1.0, 6.0)));
  EXPECT_TRUE(
      BitIdentical(Compute(kCodePeaking, 996, 1.0, 6.0), Compute(kCodePeaking, 990, 1.0, 6.0)));
  EXPECT_FALSE(
      BitIdentical(Compute(kCodePeaking, 1000, 1.0, 6.0), Compute(kCodePeaking, 1020, 1.0, 6.0)));
}

TEST(FilterResponseTest, TopOfTheQRangeIsCompressed) {
  const std::pair<double, double> cases[] = {{102, 98},  {108, 100}, {114, 101}, {121, 102},
                                             {128, 103}, {96, 96},   {1.0, 1.0}, {103, 103}};
  for (const auto& [q, drawn] : cases) {
    EXPECT_EQ(CompressQ(q), drawn) << q;
    BandResponse direct;
    PeakingResponse(994, drawn, 12.0, direct);
    EXPECT_TRUE(BitIdentical(Compute(kCodePeaking, 1000, q, 12.0), direct)) << q;
  }
}

TEST(FilterResponseTest, ShapeIsShiftedWithClampedEnds) {
  BandShape shape;
  PeakingShape(2.0, 9.0, shape);
  struct Case {
    int frequency;
    int centre;
  };
  // At 10 Hz or below the band is centred on point 0 and its left half is cut off.
  const Case cases[] = {{1000, 273}, {10, 0}, {3, 0}, {20000, 451}, {50, 96}};
  for (const Case& c : cases) {
    BandResponse r;
    PeakingResponse(c.frequency, 2.0, 9.0, r);
    for (int p = 0; p < kGridPoints; ++p) {
      const int index = std::clamp(p - c.centre + kGridCentre, 0, kGridSteps - 1);
      ASSERT_EQ(r[p], shape[index]) << c.frequency << " point " << p;
    }
  }
}

TEST(FilterResponseTest, LowPassEndsWithoutHoles) {
  // The stretched scale reaches w = pi, where a low-pass numerator vanishes: that point repeats
  // its neighbour instead of falling to minus infinity.
  for (int variant = 1; variant <= 9; ++variant) {
    BandShape shape, scratch;
    ASSERT_TRUE(FilterShape(kCodeLowPassFamily + variant, 1.0, 0.0, shape, scratch));
    EXPECT_EQ(shape[336], shape[335]) << variant;
  }
}

TEST(FilterResponseTest, EveryCodeGivesFiniteValuesOverTheParameterRanges) {
  std::vector<FilterCode> codes;
  for (FilterCode c = 0; c <= 5; ++c) codes.push_back(c);
  for (FilterCode c = 100; c <= 109; ++c) codes.push_back(c);
  for (FilterCode c = 200; c <= 209; ++c) codes.push_back(c);
  for (const FilterCode code : codes) {
    for (const double q : {0.4, 1.0, 4.0, 96.0, 128.0}) {
      for (const double gain : {-24.0, 0.0, 12.0}) {
        for (const int frequency : {0, 20, 1000, 20600}) {
          const BandResponse r = Compute(code, frequency, q, gain);
          for (int p = 0; p < kGridPoints; ++p) {
            ASSERT_TRUE(std::isfinite(r[p]))
                << "code " << code << " q " << q << " gain " << gain << " f " << frequency;
          }
        }
      }
    }
  }
}

TEST(BandShapeCacheTest, MatchesAFreshComputationAfterEveryKindOfChange) {
  struct Step {
    FilterCode code;
    int frequency;
    double q;
    double gain;
  };
  const Step steps[] = {
      {kCodePeaking, 1000, 1.0, 6.0},    // first design
      {kCodePeaking, 250, 1.0, 6.0},     // frequency only: shift of the kept shape
      {kCodePeaking, 250, 1.0, -3.0},    // gain
      {kCodePeaking, 250, 4.5, -3.0},    // Q
      {kCodePeaking, 8000, 4.5, -3.0},   // frequency again
      {kCodeLowShelf, 8000, 4.5, -3.0},  // type
      {205, 120, 1.0, 0.0},              // two-section crossover
      {205, 15000, 1.0, 0.0},
      {109, 40, 2.0, 0.0},
      {301, 40, 2.0, 0.0},  // no shape: the response keeps the previous one
      {109, 60, 2.0, 0.0},
      {kCodePeaking, 1000, 1.0, 6.0},  // back to the start
  };
  BandShapeCache cache;
  BandResponse cached;
  BandResponse fresh;
  cached.fill(0.0f);
  fresh.fill(0.0f);
  for (const Step& s : steps) {
    cache.Compute(s.code, s.frequency, s.q, s.gain, cached);
    ComputeBandResponse(s.code, s.frequency, s.q, s.gain, fresh);
    ASSERT_TRUE(BitIdentical(cached, fresh))
        << "code " << s.code << " f " << s.frequency << " q " << s.q << " gain " << s.gain;
  }
}

TEST(SumResponsesTest, AddsTheGivenEntriesPointByPoint) {
  std::vector<BandResponse> entries(3);
  ComputeBandResponse(kCodePeaking, 200, 1.0, 6.0, entries[0]);
  ComputeBandResponse(kCodeHighShelf, 5000, 1.0, -4.0, entries[1]);
  ComputeBandResponse(205, 80, 1.0, 0.0, entries[2]);
  EqResponse total;
  total.fill(99.0f);
  SumResponses(std::span<const BandResponse>(entries.data(), 2), total);
  for (int p = 0; p < kGridPoints; ++p) ASSERT_EQ(total[p], entries[0][p] + entries[1][p]);
  SumResponses(entries, total);
  for (int p = 0; p < kGridPoints; ++p) {
    ASSERT_EQ(total[p], (entries[0][p] + entries[1][p]) + entries[2][p]);
  }
  SumResponses({}, total);
  for (float v : total) ASSERT_EQ(v, 0.0f);
}

}  // namespace
}  // namespace velantro::test
