#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "model/BandLayout.h"
#include "model/ParamAddress.h"

namespace velantro {

class ParamStore;

// ---------------------------------------------------------------------------------------------
// Text tables. The raw value is the position in the table; texts are shown exactly as listed.
// Index them only through the clamping accessors below: a raw value from the unit or a preset
// file can be anything.
// ---------------------------------------------------------------------------------------------

inline constexpr std::array<std::string_view, 362> FrequencyTable{{
    "19.7",    "20.1",    "20.5",    "20.9",    "21.3",    "21.7",    "22.1",    "22.5",
    "23.0",    "23.4",    "23.9",    "24.3",    "24.8",    "25.3",    "25.8",    "26.3",
    "26.8",    "27.3",    "27.8",    "28.4",    "28.9",    "29.5",    "30.1",    "30.7",
    "31.3",    "31.9",    "32.5",    "33.1",    "33.8",    "34.4",    "35.1",    "35.8",
    "36.5",    "37.2",    "37.9",    "38.6",    "39.4",    "40.1",    "40.9",    "41.7",
    "42.5",    "43.4",    "44.2",    "45.1",    "45.9",    "46.8",    "47.7",    "48.7",
    "49.6",    "50.6",    "51.6",    "52.6",    "53.6",    "54.6",    "55.7",    "56.8",
    "57.9",    "59.0",    "60.1",    "61.3",    "62.5",    "63.7",    "65.0",    "66.2",
    "67.5",    "68.8",    "70.2",    "71.5",    "72.9",    "74.3",    "75.8",    "77.2",
    "78.7",    "80.3",    "81.8",    "83.4",    "85.0",    "86.7",    "88.4",    "90.1",
    "91.9",    "94.0",    "95.0",    "97.0",    "99.0",    "101.0",   "103.0",   "105.0",
    "107.0",   "109.0",   "111.0",   "114.0",   "116.0",   "118.0",   "120.0",   "123.0",
    "125.0",   "127.0",   "130.0",   "132.0",   "135.0",   "138.0",   "140.0",   "143.0",
    "146.0",   "149.0",   "152.0",   "154.0",   "157.0",   "161.0",   "164.0",   "167.0",
    "170.0",   "173.0",   "177.0",   "180.0",   "184.0",   "187.0",   "191.0",   "195.0",
    "198.0",   "202.0",   "206.0",   "210.0",   "214.0",   "218.0",   "223.0",   "227.0",
    "231.0",   "236.0",   "241.0",   "245.0",   "250.0",   "255.0",   "260.0",   "265.0",
    "270.0",   "275.0",   "281.0",   "286.0",   "292.0",   "297.0",   "303.0",   "309.0",
    "315.0",   "321.0",   "327.0",   "334.0",   "340.0",   "347.0",   "354.0",   "360.0",
    "367.0",   "375.0",   "382.0",   "389.0",   "397.0",   "405.0",   "412.0",   "420.0",
    "429.0",   "437.0",   "445.0",   "454.0",   "463.0",   "472.0",   "481.0",   "490.0",
    "500.0",   "510.0",   "520.0",   "530.0",   "540.0",   "551.0",   "561.0",   "572.0",
    "583.0",   "595.0",   "606.0",   "618.0",   "630.0",   "642.0",   "655.0",   "667.0",
    "680.0",   "694.0",   "707.0",   "721.0",   "735.0",   "749.0",   "764.0",   "779.0",
    "794.0",   "809.0",   "825.0",   "841.0",   "857.0",   "874.0",   "891.0",   "908.0",
    "926.0",   "944.0",   "962.0",   "981.0",   "1000.0",  "1020.0",  "1040.0",  "1060.0",
    "1080.0",  "1100.0",  "1120.0",  "1140.0",  "1170.0",  "1190.0",  "1210.0",  "1240.0",
    "1260.0",  "1280.0",  "1310.0",  "1330.0",  "1360.0",  "1390.0",  "1410.0",  "1440.0",
    "1470.0",  "1500.0",  "1530.0",  "1560.0",  "1590.0",  "1620.0",  "1650.0",  "1680.0",
    "1710.0",  "1750.0",  "1780.0",  "1820.0",  "1850.0",  "1890.0",  "1920.0",  "1960.0",
    "2000.0",  "2040.0",  "2080.0",  "2120.0",  "2160.0",  "2200.0",  "2240.0",  "2290.0",
    "2330.0",  "2380.0",  "2420.0",  "2470.0",  "2520.0",  "2570.0",  "2620.0",  "2670.0",
    "2720.0",  "2770.0",  "2830.0",  "2880.0",  "2940.0",  "3000.0",  "3050.0",  "3110.0",
    "3170.0",  "3240.0",  "3300.0",  "3360.0",  "3430.0",  "3500.0",  "3560.0",  "3630.0",
    "3700.0",  "3780.0",  "3850.0",  "3920.0",  "4000.0",  "4080.0",  "4160.0",  "4240.0",
    "4320.0",  "4400.0",  "4490.0",  "4580.0",  "4670.0",  "4760.0",  "4850.0",  "4940.0",
    "5040.0",  "5140.0",  "5240.0",  "5340.0",  "5440.0",  "5550.0",  "5660.0",  "5770.0",
    "5880.0",  "5990.0",  "6110.0",  "6230.0",  "6350.0",  "6470.0",  "6600.0",  "6730.0",
    "6860.0",  "6990.0",  "7130.0",  "7270.0",  "7410.0",  "7550.0",  "7700.0",  "7850.0",
    "8000.0",  "8160.0",  "8310.0",  "8480.0",  "8640.0",  "8810.0",  "8980.0",  "9150.0",
    "9330.0",  "9510.0",  "9700.0",  "9890.0",  "10100.0", "10300.0", "10500.0", "10700.0",
    "10900.0", "11100.0", "11300.0", "11500.0", "11800.0", "12000.0", "12200.0", "12500.0",
    "12700.0", "12900.0", "13200.0", "13500.0", "13700.0", "14000.0", "14300.0", "14500.0",
    "14800.0", "15100.0", "15400.0", "15700.0", "16000.0", "16300.0", "16600.0", "17000.0",
    "17300.0", "17600.0", "18000.0", "18300.0", "18700.0", "19000.0", "19400.0", "19800.0",
    "20200.0", "20600.0",
}};

inline constexpr std::array<std::string_view, 101> QTable{{
    "0.40",   "0.42",  "0.45",  "0.47",  "0.50",  "0.53",  "0.56",   "0.59",   "0.63",   "0.67",
    "0.71",   "0.75",  "0.79",  "0.84",  "0.89",  "0.94",  "1.00",   "1.06",   "1.12",   "1.19",
    "1.26",   "1.30",  "1.40",  "1.50",  "1.60",  "1.70",  "1.80",   "1.90",   "2.00",   "2.10",
    "2.20",   "2.40",  "2.50",  "2.70",  "2.80",  "3.00",  "3.20",   "3.40",   "3.60",   "3.80",
    "4.00",   "4.20",  "4.50",  "4.80",  "5.00",  "5.30",  "5.70",   "6.00",   "6.30",   "6.70",
    "7.10",   "7.60",  "8.00",  "8.50",  "9.00",  "9.50",  "10.10",  "10.70",  "11.30",  "12.00",
    "12.70",  "13.50", "14.00", "15.00", "16.00", "17.00", "18.00",  "19.00",  "20.00",  "21.00",
    "23.00",  "24.00", "25.00", "27.00", "29.00", "30.00", "32.00",  "34.00",  "36.00",  "38.00",
    "40.00",  "43.00", "45.00", "48.00", "51.00", "54.00", "57.00",  "60.00",  "64.00",  "68.00",
    "72.00",  "76.00", "81.00", "85.00", "91.00", "96.00", "102.00", "108.00", "114.00", "121.00",
    "128.00",
}};

inline constexpr std::array<std::string_view, 41> RatioTable{{
    "1.0", "1.2", "1.4",  "1.6",  "1.8",  "2.0", "2.4", "2.8", "3.2", "3.6", "4.0",
    "4.4", "4.8", "5.2",  "5.6",  "6.0",  "6.4", "6.8", "7.2", "7.6", "8.0", "8.4",
    "9.0", "9.6", "10.2", "10.8", "11.4", "12",  "13",  "14",  "15",  "16",  "17",
    "18",  "19",  "20",   "22",   "24",   "26",  "30",  "100",
}};

inline constexpr std::array<std::string_view, 8> ReleaseTable{{
    "2",
    "4",
    "6",
    "8",
    "12",
    "16",
    "24",
    "32",
}};

inline constexpr std::array<std::string_view, 16> AttackTable{{
    "0.5",
    "0.7",
    "1.0",
    "1.4",
    "2.0",
    "2.8",
    "4.0",
    "5.7",
    "8.0",
    "11",
    "16",
    "23",
    "32",
    "45",
    "64",
    "90",
}};

// Band type names of the band type combo boxes (Scale::BandType), and of the DEQ work mode boxes.
inline constexpr std::array<std::string_view, 3> kBandTypeNames{{"PEQ", "LSEQ", "HSEQ"}};
inline constexpr std::array<std::string_view, 3> kDeqTypeNames{{"Off", "Below", "Above"}};

constexpr int kFrequencyCount = static_cast<int>(FrequencyTable.size());  // 362
constexpr int kQCount = static_cast<int>(QTable.size());                  // 101
constexpr int kRatioCount = static_cast<int>(RatioTable.size());          // 41
constexpr int kReleaseCount = static_cast<int>(ReleaseTable.size());      // 8
constexpr int kAttackCount = static_cast<int>(AttackTable.size());        // 16

// Limits a table index to 0 .. count - 1.
constexpr int ClampIndex(int index, int count) {
  return index < 0 ? 0 : (index >= count ? count - 1 : index);
}
// A table text read as a decimal number ("19.7", "100"); table texts have no sign or exponent.
constexpr double DecimalValue(std::string_view text) {
  double whole = 0.0;
  double scale = 1.0;
  bool fraction = false;
  for (char c : text) {
    if (c == '.') {
      fraction = true;
    } else if (c >= '0' && c <= '9') {
      whole = whole * 10.0 + (c - '0');
      if (fraction) scale *= 10.0;
    }
  }
  return whole / scale;
}

// Table index of a real raw value: truncated toward zero, then limited to the table (NaN gives 0).
int TableIndex(double x, int count);

// Clamping text accessors: every index, negative or past the end, gives an entry of the table.
std::string_view FrequencyText(int index);
std::string_view QText(int index);
std::string_view RatioText(int index);
std::string_view ReleaseText(int index);
std::string_view AttackText(int index);
std::string_view BandTypeText(int index);

// Numeric values of the tables (each text read as a decimal number), clamped like the texts.
double FrequencyHz(int index);
double QValue(int index);
double RatioValue(int index);
double ReleaseValue(int index);
double AttackValue(int index);

// ---------------------------------------------------------------------------------------------
// Value scales.
// ---------------------------------------------------------------------------------------------

// What a raw value is shown as. The numbers are the ones the control table's scale column holds:
// convert those with ScaleOfNumber and ScaleNumber only.
enum class Scale : int {
  None = 0,                // no limit and no text
  BandType = 1,            // EQ band type: PEQ, LSEQ, HSEQ
  BandFrequency = 2,       // EQ band frequency: frequency table index
  BandGain = 3,            // EQ band gain: 0.2 dB steps from -24 dB
  BandQ = 4,               // EQ band Q: Q table index
  LowPassFrequency = 5,    // output low-pass frequency, 362 Off
  HighPassFrequency = 6,   // input and output high-pass frequency, 0 Off
  EffectLowPass = 7,       // echo and reverb low-pass frequency, 64 Off
  EffectLevel = 8,         // echo and reverb levels, %
  MixLevel = 9,            // output mix levels, 2 % steps
  EchoRightDelay = 10,     // echo R channel delay time, -50 .. 50 %
  DelayTime = 11,          // pre-delay and echo time, 2 ms steps
  ReverbTime = 12,         // reverb time, 62.5 ms steps
  EffectHighPass = 13,     // echo and reverb high-pass frequency, 0 Off
  OffsetTwenty = 14,       // x - 20; no control uses it
  CompressorRatio = 15,    // ratio table index
  CompressorRelease = 16,  // release table index
  CompressorAttack = 17,   // attack table index
  OutputDelay = 18,        // output delay, 0.1 ms steps
  CrossoverQ = 19,         // crossover Q: Q table index
  CompressorLevel = 20,    // limit and attack levels, dBu from -36
  FeedbackShift = 21,      // feedback eliminator frequency shift, 0 Off
  GateOrDamping = 22,      // noise gate and reverb damping, 0 Off
};
using ValueScale = Scale;
constexpr int kScaleCount = 22;  // scales 1 .. 22; 0 and above 22 have no text

// A scale number as data holds it; every number is kept (one with no scale shows no text).
constexpr Scale ScaleOfNumber(int number) { return static_cast<Scale>(number); }
constexpr int ScaleNumber(Scale scale) { return static_cast<int>(scale); }

struct ScaleBounds {
  double lower;  // ignored when hasLower is false
  double upper;
  bool hasLower;  // scale 1 has no lower limit
};

// Indexed by scale number; entry 0 is unused (scale 0 has no bounds and no text).
// Scale 4's upper bound is the PEQ limit; the shelf limit (24) is the caller's (QLimitForType).
constexpr std::array<ScaleBounds, kScaleCount + 1> kScaleBounds{{
    {0, 0, false},   // 0: none
    {0, 2, false},   // 1: band type
    {0, 361, true},  // 2: band frequency
    {0, 180, true},  // 3: band gain
    {0, 100, true},  // 4: band Q
    {0, 362, true},  // 5: low-pass frequency, 362 Off
    {0, 362, true},  // 6: high-pass frequency, 0 Off
    {0, 64, true},   // 7: effect low-pass, 64 Off
    {0, 100, true},  // 8: effect levels
    {0, 200, true},  // 9: output mix levels
    {0, 100, true},  // 10: echo reverse time
    {0, 250, true},  // 11: pre-delay, echo time
    {0, 80, true},   // 12: reverb time
    {0, 205, true},  // 13: effect high-pass, 0 Off
    {0, 34, true},   // 14
    {0, 40, true},   // 15: compressor ratio
    {0, 7, true},    // 16: compressor release
    {0, 15, true},   // 17: compressor attack
    {0, 500, true},  // 18: output delay
    {0, 23, true},   // 19: crossover Q
    {0, 50, true},   // 20: compressor level
    {0, 7, true},    // 21: feedback eliminator
    {0, 10, true},   // 22: noise gate, decays
}};

constexpr bool HasScaleText(ValueScale scale) {
  return ScaleNumber(scale) >= 1 && ScaleNumber(scale) <= kScaleCount;
}

struct ScaledValue {
  double value;      // x limited by the scale's bounds (unchanged for scales without text)
  std::string text;  // the text to show; empty for scale 0 and scales above 22
};

// Limits x by the scale's bounds (upper bound, then 0 as the lower bound except for scale 1);
// NaN becomes 0.
double LimitToScale(ValueScale scale, double x);
// Text of an already limited x. Scale 1 gives the band type name of item T (empty for T < 0,
// the combo box's "no item"); table scales clamp their index to the table.
std::string ScaleText(ValueScale scale, double limited);
// Both at once: the limited x and its text.
ScaledValue ApplyScale(ValueScale scale, double x);

// Number patterns, always with "." as the decimal point: decimals 0 is "#0", 1 "#0.0",
// 2 "#0.00"; halves round away from zero; a leading "-" for negative values.
std::string FormatNumber(double value, int decimals);

// A typed number as a raw value: nearest frequency index (BandFrequency), gain step (BandGain),
// next Q index at or above (BandQ, 101 when above the table); other scales return v.
double ParseDisplayValue(ValueScale scale, double v);

}  // namespace velantro
