#include "model/Scales.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "model/ParamStore.h"

namespace velantro::test {
namespace {

TEST(TextTables, HaveTheirSizesAndKeyEntries) {
  EXPECT_EQ(FrequencyTable.size(), 362u);
  EXPECT_EQ(QTable.size(), 101u);
  EXPECT_EQ(RatioTable.size(), 41u);
  EXPECT_EQ(ReleaseTable.size(), 8u);
  EXPECT_EQ(AttackTable.size(), 16u);
  EXPECT_EQ(FrequencyTable[0], "19.7");
  EXPECT_EQ(FrequencyTable[204], "1000.0");
  EXPECT_EQ(FrequencyTable[297], "5990.0");
  EXPECT_EQ(FrequencyTable[361], "20600.0");
  EXPECT_EQ(QTable[16], "1.00");
  EXPECT_EQ(QTable[100], "128.00");
  EXPECT_EQ(RatioTable[40], "100");
  EXPECT_EQ(AttackTable[9], "11");
}

TEST(TextTables, NumericTablesIncreaseStrictlyAndMatchTheirTexts) {
  for (int i = 1; i < kFrequencyCount; ++i) EXPECT_LT(FrequencyHz(i - 1), FrequencyHz(i)) << i;
  for (int i = 1; i < kQCount; ++i) EXPECT_LT(QValue(i - 1), QValue(i)) << i;
  for (int i = 1; i < kRatioCount; ++i) EXPECT_LT(RatioValue(i - 1), RatioValue(i)) << i;
  for (int i = 1; i < kReleaseCount; ++i) EXPECT_LT(ReleaseValue(i - 1), ReleaseValue(i)) << i;
  for (int i = 1; i < kAttackCount; ++i) EXPECT_LT(AttackValue(i - 1), AttackValue(i)) << i;
  for (int i = 0; i < kFrequencyCount; ++i) {
    EXPECT_EQ(FormatNumber(FrequencyHz(i), 1), FrequencyTable[static_cast<std::size_t>(i)]);
  }
  for (int i = 0; i < kQCount; ++i) {
    EXPECT_EQ(FormatNumber(QValue(i), 2), QTable[static_cast<std::size_t>(i)]);
  }
  EXPECT_DOUBLE_EQ(FrequencyHz(204), 1000.0);
  EXPECT_DOUBLE_EQ(QValue(16), 1.0);
}

TEST(TextTables, AccessorsClampEveryIndex) {
  EXPECT_EQ(FrequencyText(-1), "19.7");
  EXPECT_EQ(FrequencyText(362), "20600.0");
  EXPECT_EQ(FrequencyText(std::numeric_limits<int>::min()), "19.7");
  EXPECT_EQ(QText(65535), "128.00");
  EXPECT_EQ(RatioText(-7), "1.0");
  EXPECT_EQ(ReleaseText(8), "32");
  EXPECT_EQ(AttackText(100), "90");
  EXPECT_EQ(BandTypeText(3), "HSEQ");
  EXPECT_DOUBLE_EQ(FrequencyHz(1000), 20600.0);
  EXPECT_DOUBLE_EQ(QValue(-5), 0.40);
  EXPECT_EQ(TableIndex(-0.9, kQCount), 0);
  EXPECT_EQ(TableIndex(1e300, kQCount), 100);
  EXPECT_EQ(TableIndex(std::nan(""), kQCount), 0);
  EXPECT_EQ(TableIndex(16.99, kQCount), 16);
}

TEST(FormatNumber, RoundsHalvesAwayFromZeroWithAPoint) {
  struct Case {
    double value;
    int decimals;
    const char* text;
  };
  const Case cases[] = {
      {0.25, 1, "0.3"},  {-0.25, 1, "-0.3"},  {0.35, 1, "0.4"},
      {2.5, 0, "3"},     {-2.5, 0, "-3"},     {62.5, 0, "63"},
      {0.04, 1, "0.0"},  {-0.04, 1, "0.0"},   {-0.4, 0, "0"},
      {9.96, 1, "10.0"}, {99.5, 0, "100"},    {1.005, 2, "1.01"},
      {0.0, 0, "0"},     {0.0, 2, "0.00"},    {123456.0, 1, "123456.0"},
      {0.001, 1, "0.0"}, {-24.0, 1, "-24.0"}, {1e20, 0, "100000000000000000000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.decimals), c.text) << c.value << " / " << c.decimals;
  }
  // Raw gain steps land on exact tenths although x / 5 - 24 is inexact in binary.
  for (int raw = 0; raw <= 180; ++raw) {
    const int tenths = raw * 2 - 240;
    std::string expected = (tenths < 0 ? "-" : "") + std::to_string(std::abs(tenths) / 10) + "." +
                           std::to_string(std::abs(tenths) % 10);
    EXPECT_EQ(ScaleText(Scale::BandGain, raw), expected) << raw;
  }
}

TEST(FormatNumber, IgnoresTheLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
    std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
  }
  EXPECT_EQ(FormatNumber(0.25, 1), "0.3");
  EXPECT_EQ(ScaleText(Scale::OutputDelay, 15), "1.5");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

struct ScaleCase {
  int scale;
  double x;
  double limited;
  const char* text;
};

TEST(ValueScales, LimitAndShowEachScale) {
  const ScaleCase cases[] = {
      {1, 0, 0, "PEQ"},
      {1, 2, 2, "HSEQ"},
      {1, 5, 2, "HSEQ"},
      {1, -1, -1, ""},  // no lower limit: the combo box shows no item
      {2, 204, 204, "1000.0"},
      {2, 361, 361, "20600.0"},
      {2, 400, 361, "20600.0"},
      {2, -3, 0, "19.7"},
      {2, 204.9, 204.9, "1000.0"},
      {3, 120, 120, "0.0"},
      {3, 0, 0, "-24.0"},
      {3, 180, 180, "12.0"},
      {3, 220, 180, "12.0"},
      {3, 122, 122, "0.4"},
      {3, 128, 128, "1.6"},
      {3, 121.25, 121.25, "0.3"},
      {3, 118.75, 118.75, "-0.3"},
      {3, -4, 0, "-24.0"},
      {4, 16, 16, "1.00"},
      {4, 17, 17, "1.06"},
      {4, 101, 100, "128.00"},
      {5, 362, 362, "Off"},
      {5, 0, 0, "19.7Hz"},
      {5, 204, 204, "1000.0Hz"},
      {5, 500, 362, "Off"},
      {6, 0, 0, "Off"},
      {6, 1, 1, "19.7Hz"},
      {6, 362, 362, "20600.0Hz"},
      {6, 0.5, 0.5, "19.7Hz"},
      {7, 0, 0, "5990.0Hz"},
      {7, 63, 63, "20200.0Hz"},
      {7, 64, 64, "Off"},
      {7, 194, 64, "Off"},
      {8, 100, 100, "100"},
      {8, 101, 100, "100"},
      {8, -1, 0, "0"},
      {9, 100, 100, "200"},
      {9, 300, 200, "400"},
      {10, 0, 0, "-50"},
      {10, 100, 100, "50"},
      {11, 250, 250, "500"},
      {12, 80, 80, "5000"},
      {12, 1, 1, "63"},
      {13, 0, 0, "Off"},
      {13, 205, 205, "1000.0Hz"},
      {13, 300, 205, "1000.0Hz"},
      {14, 0, 0, "-20"},
      {14, 34, 34, "14"},
      {15, 0, 0, "1.0"},
      {15, 40, 40, "100"},
      {16, 7, 7, "32"},
      {17, 0, 0, "0.5"},
      {17, 15, 15, "90"},
      {18, 500, 500, "50.0"},
      {18, 15, 15, "1.5"},
      {19, 23, 23, "1.50"},
      {19, 50, 23, "1.50"},
      {20, 0, 0, "-36"},
      {20, 50, 50, "14"},
      {21, 0, 0, "Off"},
      {21, 1, 1, "2Hz"},
      {21, 7, 7, "8Hz"},
      {21, 9, 7, "8Hz"},
      {22, 0, 0, "Off"},
      {22, 10, 10, "10"},
      {0, 999, 999, ""},
      {23, -5, -5, ""},
  };
  for (const ScaleCase& c : cases) {
    const ScaledValue got = ApplyScale(ScaleOfNumber(c.scale), c.x);
    EXPECT_DOUBLE_EQ(got.value, c.limited) << "scale " << c.scale << " x " << c.x;
    EXPECT_EQ(got.text, c.text) << "scale " << c.scale << " x " << c.x;
  }
}

TEST(ValueScales, NonFiniteInputNeverIndexesOutsideATable) {
  const double odd[] = {std::nan(""), std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity(), -1e300, 1e300};
  for (int scale = 0; scale <= 23; ++scale) {
    for (double x : odd) {
      const ScaledValue got = ApplyScale(ScaleOfNumber(scale), x);
      EXPECT_FALSE(std::isnan(got.value)) << scale;
    }
  }
  EXPECT_EQ(ScaleText(Scale::BandFrequency, 1e12),
            "20600.0");  // unlimited store value straight to the text
  EXPECT_EQ(ScaleText(Scale::EffectLowPass, -5), "5990.0Hz");
  EXPECT_EQ(ScaleText(Scale::CompressorRatio, 65535), "100");
}

TEST(ParseDisplayValue, ConvertsTypedNumbers) {
  struct Case {
    int scale;
    double typed;
    double raw;
  };
  const Case cases[] = {
      {2, 1005, 204},  {2, 1010, 204}, {2, 1011, 205}, {2, 20300, 361}, {2, 20200, 360},
      {2, 99999, 361}, {2, 5, 0},      {2, 19.7, 0},   {2, 19.9, 0},    {2, 19.91, 1},
      {2, 1000, 204},  {2, -3, 0},     {3, 0.5, 122},  {3, 1.5, 128},   {3, 20, 220},
      {3, 0, 120},     {3, -24, 0},    {3, -0.1, 120}, {4, 1.0, 16},    {4, 1.01, 17},
      {4, 200, 101},   {4, 0, 0},      {4, 128, 100},  {1, 3.7, 3.7},   {18, 12.5, 12.5},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(ParseDisplayValue(ScaleOfNumber(c.scale), c.typed), c.raw)
        << "scale " << c.scale << " typed " << c.typed;
  }
  // Halves go to the even step: 24.1 * 5 = 120.5 -> 120, 24.3 * 5 = 121.5 -> 122.
  EXPECT_DOUBLE_EQ(ParseDisplayValue(Scale::BandGain, 0.1), 120);
  EXPECT_DOUBLE_EQ(ParseDisplayValue(Scale::BandGain, 0.3), 122);
  // A typed number beyond the band type's Q limit is the caller's to limit.
  EXPECT_DOUBLE_EQ(LimitToScale(Scale::BandQ, ParseDisplayValue(Scale::BandQ, 200)), 100);
}

TEST(LocateBand, FollowsThePageRules) {
  struct Case {
    ParamAddress address;
    int micGroup;
    BandLocation expected;
  };
  const BandLocation none{0, kNoBandField};
  // MIC B has nine bands, whether reached on its own page or through the MIC page while
  // MicGroup is 1; the output pages have seven, their eighth group is no band.
  const Case cases[] = {
      {0x0009, 0, {1, 0}},  {0x0003, 0, none},    {0x0004, 0, {0, 0}}, {0x0035, 0, {9, 4}},
      {0x0036, 0, none},    {0x0100, 0, {15, 0}}, {0x0100, 1, {9, 0}}, {0x0106, 1, {0, 0}},
      {0x0150, 0, {14, 4}}, {0x0151, 0, none},    {0x0105, 0, none},   {0x0300, 0, {15, 0}},
      {0x0300, 1, {15, 0}}, {0x0332, 0, {8, 4}},  {0x0333, 0, none},   {0x0333, 1, none},
      {0x0350, 0, none},    {0x0351, 0, none},    {0x0132, 1, {8, 4}}, {0x0133, 1, none},
      {0x014E, 1, none},    {0x0133, 0, {9, 0}},  {0x0210, 0, {1, 2}}, {0x0202, 0, {0, 0}},
      {0x021E, 0, {2, 4}},  {0x0207, 0, none},    {0x0200, 0, none},   {0x021F, 0, none},
      {0x0513, 0, {0, 3}},  {0x0506, 0, {5, 0}},  {0x0507, 0, {6, 0}}, {0x0404, 0, {5, 0}},
      {0x0405, 0, {6, 0}},  {0x0406, 0, none},    {0x0410, 0, {0, 0}}, {0x0504, 0, none},
      {0x0611, 0, {7, 0}},  {0x0614, 0, {8, 0}},  {0x0610, 0, {7, 0}}, {0x0615, 0, {8, 0}},
      {0x0622, 0, {0, 0}},  {0x0644, 0, {6, 4}},  {0x0645, 0, none},   {0x0649, 0, none},
      {0x064A, 0, none},    {0x071F, 0, {0, 0}},  {0x0741, 0, {6, 4}}, {0x0742, 0, none},
      {0x0746, 0, none},    {0x0944, 0, {6, 4}},  {0x0945, 0, none},   {0x0912, 0, {7, 0}},
      {0x0A02, 0, none},    {0x0B00, 0, none},    {-1, 0, none},       {0x10004, 0, none},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LocateBand(c.address, c.micGroup), c.expected)
        << std::hex << c.address << " mic group " << c.micGroup;
  }
}

TEST(IsRealBandField, OnlyTheBandsThePageHas) {
  struct Case {
    ParamAddress address;
    int micGroup;
    bool real;
  };
  const Case cases[] = {
      {0x0035, 0, true},  {0x0100, 0, false}, {0x0100, 1, false}, {0x0150, 0, true},
      {0x0132, 1, true},  {0x0133, 1, false}, {0x0332, 0, true},  {0x0300, 0, false},
      {0x021E, 0, true},  {0x0404, 0, false}, {0x0405, 0, false}, {0x0611, 0, false},
      {0x0614, 0, false}, {0x0644, 0, true},  {0x0645, 0, false}, {0x0A02, 0, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsRealBandField(c.address, c.micGroup), c.real)
        << std::hex << c.address << " mic group " << c.micGroup;
  }
}

TEST(ResolveQAddress, PicksTheFieldOfTheBandType) {
  ParamStore store;
  const ParamAddress type = 0x0009;  // music band 1
  for (int bandType : {0, 1, 2}) {
    store.ViewValues[0][9] = bandType;
    const ParamAddress expected = bandType == 0 ? type + 3 : type + 4;
    EXPECT_EQ(ResolveQAddress(type + 3, store), expected) << bandType;
    EXPECT_EQ(ResolveQAddress(type + 4, store), expected) << bandType;
  }
  EXPECT_EQ(ResolveQAddress(type + 1, store), type + 1);
  EXPECT_EQ(ResolveQAddress(0x0003, store), 0x0003);
  // DEQ channel 1: fields at 14..18.
  store.ViewValues[2][14] = 0;
  EXPECT_EQ(ResolveQAddress(0x0212, store), 0x0211);
  // Past the output pages' band groups nothing is redirected.
  store.ViewValues[6][74] = 1;
  EXPECT_EQ(ResolveQAddress(0x064D, store), 0x064D);
}

TEST(GraphIndex, MapsPagesToGraphs) {
  const int expected[] = {0, 1, 8, 9, 2, 2, 3, 5, 5, 3, 0};
  for (int page = 0; page <= 10; ++page) {
    EXPECT_EQ(GraphIndex(MakeAddress(page, 7)), expected[page]) << page;
  }
  EXPECT_EQ(GraphIndex(-5), 0);
}

}  // namespace
}  // namespace velantro::test
