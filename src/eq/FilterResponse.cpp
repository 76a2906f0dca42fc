#include "eq/FilterResponse.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>

#include "model/Rounding.h"

namespace velantro {

namespace {

constexpr double kStep = std::numbers::pi / kGridSteps;  // s
constexpr int kHalf = kGridSteps / 2;                    // C'
// Dead zones of the stretched sample scales: round(N * 120 / 512) for the shelves and
// round(N * 140 / 512) for the crossover sections.
constexpr int kShelfDeadZone = 108;
constexpr int kCrossoverDeadZone = 126;

// Every section is designed at a quarter of the sampling rate, held in single precision.
constexpr float kOmega0 = static_cast<float>(std::numbers::pi / 2);

// Peaking Q is widened for display: Q' = (q + 0.01) / (1 / 2.8).
constexpr double kPeakingQDivisor = 0.35714285714285714;
constexpr double kSectionQLimit = 4.0;
constexpr double kQOffset = 0.001;

enum class SampleScale { Even, Shelf, Crossover };

struct Biquad {
  float b0 = 1, b1 = 0, b2 = 0;
  float a0 = 1, a1 = 0, a2 = 0;
};

struct DesignAngle {
  float sinW0;
  float cosW0;
};

DesignAngle Angle() {
  const double w0 = kOmega0;
  return {static_cast<float>(std::sin(w0)), static_cast<float>(std::cos(w0))};
}

float F(double v) { return static_cast<float>(v); }

// Normalised frequency of sample j. The stretched scales map grid points H .. C' onto 0 .. pi/2
// and C' .. N - H onto pi/2 .. pi and stay flat outside.
constexpr double SampleOmega(SampleScale scale, int j) {
  if (scale == SampleScale::Even) return j * kStep;
  const int h = scale == SampleScale::Shelf ? kShelfDeadZone : kCrossoverDeadZone;
  const bool inLeftDeadZone = scale == SampleScale::Shelf ? j < h : j <= h;
  if (inLeftDeadZone) return kStep;
  const double span = kHalf - h;
  if (j <= kHalf) return ((j - h) / span) * kHalf * kStep;
  if (j <= kGridSteps - h) return (((j - kHalf) / span) * kHalf + kHalf) * kStep;
  return (kGridSteps - 1) * kStep;
}

// sin for 0 <= x <= pi/2 by its series, so the sample tables can be built by the compiler.
constexpr double SeriesSin(double x) {
  double term = x;
  double sum = x;
  for (int n = 1; n < 24; ++n) {
    term *= -x * x / ((2.0 * n) * (2.0 * n + 1.0));
    sum += term;
  }
  return sum;
}

// x_j = (2 sin(w_j / 2))^2 of every sample of a scale. Every section of a scale evaluates at the
// same samples, so these are computed once, at compile time.
using SampleTable = std::array<double, kGridPoints>;
constexpr SampleTable MakeSampleTable(SampleScale scale) {
  SampleTable x{};
  for (int j = 0; j < kGridPoints; ++j) {
    // The series overshoots 1 by an ulp at pi/2; w = pi must give x = 4 exactly.
    const double half = std::min(SeriesSin(SampleOmega(scale, j) / 2.0), 1.0);
    x[j] = 4.0 * half * half;
  }
  return x;
}
constexpr SampleTable kEvenSamples = MakeSampleTable(SampleScale::Even);
constexpr SampleTable kShelfSamples = MakeSampleTable(SampleScale::Shelf);
constexpr SampleTable kCrossoverSamples = MakeSampleTable(SampleScale::Crossover);

constexpr const SampleTable& Samples(SampleScale scale) {
  switch (scale) {
    case SampleScale::Even:
      return kEvenSamples;
    case SampleScale::Shelf:
      return kShelfSamples;
    case SampleScale::Crossover:
      break;
  }
  return kCrossoverSamples;
}

// |H|^2 of the biquad in dB at every sample, written in x = (2 sin(w/2))^2. The low-pass
// sections reach w = pi, where the numerator vanishes: such a point repeats its neighbour.
void Evaluate(const Biquad& c, SampleScale scale, bool holdOnZero, BandShape& out) {
  const double b0 = c.b0, b1 = c.b1, b2 = c.b2;
  const double a0 = c.a0, a1 = c.a1, a2 = c.a2;
  const double nQuad = b0 * b2;
  const double nLin = (b0 + b2) * b1 + 4.0 * b0 * b2;
  const double nConst = (b0 + b1 + b2) * (b0 + b1 + b2);
  const double dQuad = a0 * a2;
  const double dLin = (a0 + a2) * a1 + 4.0 * a0 * a2;
  const double dConst = (a0 + a1 + a2) * (a0 + a1 + a2);
  const SampleTable& samples = Samples(scale);
  for (int j = 0; j < kGridPoints; ++j) {
    const double x = samples[j];
    const double num = x * (nQuad * x - nLin) + nConst;
    const double den = x * (dQuad * x - dLin) + dConst;
    // Rounding can also leave a vanishing term slightly below zero; treat it like zero.
    if (holdOnZero && j > 0 && (num <= 0.0 || den <= 0.0)) {
      out[j] = out[j - 1];
      continue;
    }
    out[j] = static_cast<float>(10.0 * std::log10(num) - 10.0 * std::log10(den));
  }
}

// alpha of a second-order crossover section.
double SectionAlpha(Section section, double q, float sinW0) {
  switch (section.kind) {
    case SectionKind::Bessel2:
      return sinW0 / (2.0 * (1.0 / std::sqrt(3.0)));
    case SectionKind::Butterworth2:
      return sinW0 / (2.0 * (1.0 / std::sqrt(2.0)));
    case SectionKind::UserQ:
      return sinW0 / (2.0 * (std::min(q, kSectionQLimit) + kQOffset));
    case SectionKind::ButterworthStage: {
      const int n = std::max(section.order, 1);
      const double theta = (std::numbers::pi / n) * (section.stage + 0.5);
      return sinW0 * std::sin(theta);
    }
    case SectionKind::Flat:
    case SectionKind::FirstOrder:
      break;
  }
  return 0.0;
}

void Twice(BandShape& shape) {
  for (float& v : shape) v = v + v;
}

void Add(BandShape& shape, const BandShape& other) {
  for (int j = 0; j < kGridPoints; ++j) shape[j] = shape[j] + other[j];
}

void SectionShape(bool lowPass, Section section, double q, BandShape& out) {
  if (lowPass) {
    LowPassSectionShape(section, q, out);
  } else {
    HighPassSectionShape(section, q, out);
  }
}

// How a crossover variant is made: its first section, optionally a second, different section
// added to it, and whether the result is doubled. A two-section sum of identical sections is
// exactly twice one section, so those variants evaluate the section once.
struct CrossoverRecipe {
  Section first;
  std::optional<Section> added;
  bool twice = false;
};

// Indexed by CrossoverVariant.
constexpr std::array<CrossoverRecipe, 10> kCrossoverRecipes{{
    {{SectionKind::Flat}, std::nullopt, false},          // Off
    {{SectionKind::Bessel2}, std::nullopt, false},       // Bessel12
    {{SectionKind::Butterworth2}, std::nullopt, false},  // Butterworth12
    {{SectionKind::FirstOrder}, std::nullopt, true},     // LinkwitzRiley12
    {{SectionKind::Bessel2}, std::nullopt, true},        // Bessel24
    // Butterworth24
    {{SectionKind::ButterworthStage, 4, 0}, Section{SectionKind::ButterworthStage, 4, 1}, false},
    {{SectionKind::Butterworth2}, std::nullopt, true},  // LinkwitzRiley24
    {{SectionKind::UserQ}, std::nullopt, false},        // User12
    {{SectionKind::UserQ}, std::nullopt, true},         // User24
    // LinkwitzRiley36
    {{SectionKind::ButterworthStage, 3, 0}, Section{SectionKind::FirstOrder}, true},
}};

void CrossoverShape(bool lowPass, int variant, double q, BandShape& out, BandShape& scratch) {
  if (variant < 0 || variant >= static_cast<int>(kCrossoverRecipes.size())) return;
  const CrossoverRecipe& recipe = kCrossoverRecipes[static_cast<size_t>(variant)];
  SectionShape(lowPass, recipe.first, q, out);
  if (recipe.added) {
    SectionShape(lowPass, *recipe.added, q, scratch);
    Add(out, scratch);
  }
  if (recipe.twice) Twice(out);
}

}  // namespace

double FrequencyOfGridIndex(double p) {
  return std::pow(10.0, 1.0 + p * kGridDecades / kGridSteps);
}

double GridIndexOfFrequency(double f) {
  return (std::log10(std::max(f, 1.0)) - 1.0) * kGridSteps / kGridDecades;
}

int SnapFrequency(int frequency) {
  const int p = RoundHalfEvenToInt(GridIndexOfFrequency(frequency));
  // Saturated, so absurd inputs stay inside an int; real callers stay below 24 kHz.
  return RoundHalfEvenToInt(FrequencyOfGridIndex(p));
}

double CompressQ(double q) {
  if (q == 102.0) return 98.0;
  if (q == 108.0) return 100.0;
  if (q == 114.0) return 101.0;
  if (q == 121.0) return 102.0;
  if (q == 128.0) return 103.0;
  return q;
}

int CentrePointOfFrequency(int frequency) {
  const double f = std::max(frequency, static_cast<int>(kGridLowestHz));
  return RoundHalfEvenToInt(GridIndexOfFrequency(f));
}

void PeakingShape(double q, double gainDb, BandShape& out) {
  const auto [sinW0, cosW0] = Angle();
  const double a = std::pow(10.0, gainDb / 40.0);
  const double widenedQ = (q + 0.01) / kPeakingQDivisor;
  const double alpha = sinW0 / (2.0 * widenedQ);
  Biquad c;
  c.b0 = F(1.0 + alpha * a);
  c.b1 = F(-2.0 * cosW0);
  c.b2 = F(1.0 - alpha * a);
  c.a0 = F(1.0 + alpha / a);
  c.a1 = F(-2.0 * cosW0);
  c.a2 = F(1.0 - alpha / a);
  Evaluate(c, SampleScale::Even, false, out);
}

void ShelfShape(double slope, double gainDb, bool high, BandShape& out) {
  const auto [sinW0, cosW0] = Angle();
  const double a = std::pow(10.0, gainDb / 40.0);
  const double s = std::min(slope, kSectionQLimit) + kQOffset;
  const double alpha = (sinW0 / 2.0) * std::sqrt(std::fabs((a + 1.0 / a) * (1.0 / s - 1.0) + 2.0));
  const double twoRootAAlpha = 2.0 * std::sqrt(a) * alpha;
  const double cw = cosW0;
  Biquad c;
  if (high) {
    c.b0 = F(a * ((a + 1) + (a - 1) * cw + twoRootAAlpha));
    c.b1 = F(-2.0 * a * ((a - 1) + (a + 1) * cw));
    c.b2 = F(a * ((a + 1) + (a - 1) * cw - twoRootAAlpha));
    c.a0 = F((a + 1) - (a - 1) * cw + twoRootAAlpha);
    c.a1 = F(2.0 * ((a - 1) - (a + 1) * cw));
    c.a2 = F((a + 1) - (a - 1) * cw - twoRootAAlpha);
  } else {
    c.b0 = F(a * ((a + 1) - (a - 1) * cw + twoRootAAlpha));
    c.b1 = F(2.0 * a * ((a - 1) - (a + 1) * cw));
    c.b2 = F(a * ((a + 1) - (a - 1) * cw - twoRootAAlpha));
    c.a0 = F((a + 1) + (a - 1) * cw + twoRootAAlpha);
    c.a1 = F(-2.0 * ((a - 1) + (a + 1) * cw));
    c.a2 = F((a + 1) + (a - 1) * cw - twoRootAAlpha);
  }
  Evaluate(c, SampleScale::Shelf, false, out);
}

void LowPassSectionShape(Section section, double q, BandShape& out) {
  const auto [sinW0, cosW0] = Angle();
  Biquad c;
  switch (section.kind) {
    case SectionKind::Flat:
      out.fill(0.0f);
      return;
    case SectionKind::FirstOrder:
      c.b0 = sinW0;
      c.b1 = sinW0;
      c.b2 = 0.0f;
      c.a0 = F(1.0 + sinW0 + cosW0);
      c.a1 = F(static_cast<double>(sinW0) - cosW0 - 1.0);
      c.a2 = 0.0f;
      break;
    default: {
      const double alpha = SectionAlpha(section, q, sinW0);
      c.b0 = F((1.0 - cosW0) / 2.0);
      c.b1 = F(1.0 - cosW0);
      c.b2 = c.b0;
      c.a0 = F(1.0 + alpha);
      c.a1 = F(-2.0 * cosW0);
      c.a2 = F(1.0 - alpha);
      break;
    }
  }
  Evaluate(c, SampleScale::Crossover, true, out);
}

void HighPassSectionShape(Section section, double q, BandShape& out) {
  const auto [sinW0, cosW0] = Angle();
  Biquad c;
  switch (section.kind) {
    case SectionKind::Flat:
      out.fill(0.0f);
      return;
    case SectionKind::FirstOrder:
      c.b0 = F(1.0 + cosW0);
      c.b1 = F(-(1.0 + cosW0));
      c.b2 = 0.0f;
      c.a0 = F(1.0 + sinW0 + cosW0);
      c.a1 = F(static_cast<double>(sinW0) - cosW0 - 1.0);
      c.a2 = 0.0f;
      break;
    default: {
      const double alpha = SectionAlpha(section, q, sinW0);
      c.b0 = F((1.0 + cosW0) / 2.0);
      c.b1 = F(-(1.0 + cosW0));
      c.b2 = c.b0;
      c.a0 = F(1.0 + alpha);
      c.a1 = F(-2.0 * cosW0);
      c.a2 = F(1.0 - alpha);
      break;
    }
  }
  Evaluate(c, SampleScale::Crossover, false, out);
}

bool FilterShape(FilterCode code, double q, double gainDb, BandShape& out, BandShape& scratch) {
  if (code >= kCodeNotComputed) return false;
  q = CompressQ(q);
  if (code >= kCodeLowPassFamily) {
    CrossoverShape(true, code % 10, q, out, scratch);
  } else if (code >= kCodeHighPassFamily) {
    CrossoverShape(false, code % 10, q, out, scratch);
  } else if (code == kCodePeaking) {
    PeakingShape(q, gainDb, out);
  } else if (code == kCodeLowShelf || code == kCodeHighShelf) {
    ShelfShape(q, gainDb, code == kCodeHighShelf, out);
  } else if (code == kCodeHighPass) {
    HighPassSectionShape({SectionKind::UserQ}, q, out);
  } else if (code == kCodeLowPass) {
    LowPassSectionShape({SectionKind::UserQ}, q, out);
  } else {
    out.fill(0.0f);  // 5 .. 99, and anything below 0
  }
  return true;
}

void ShiftShape(const BandShape& shape, int frequency, BandResponse& out) {
  const int m = CentrePointOfFrequency(frequency);
  const int offset = kGridCentre - m;
  // out[p] = shape[clamp(p + offset, 0, N - 1)], done as three runs.
  const int firstInside = std::clamp(-offset, 0, kGridPoints);
  const int pastInside = std::clamp(kGridSteps - 1 - offset + 1, firstInside, kGridPoints);
  std::fill(out.begin(), out.begin() + firstInside, shape[0]);
  if (pastInside > firstInside) {
    std::copy(shape.begin() + (firstInside + offset), shape.begin() + (pastInside + offset),
              out.begin() + firstInside);
  }
  std::fill(out.begin() + pastInside, out.end(), shape[kGridSteps - 1]);
}

void PeakingResponse(int frequency, double q, double gainDb, BandResponse& out) {
  BandShape shape;
  PeakingShape(q, gainDb, shape);
  ShiftShape(shape, frequency, out);
}

void ShelfResponse(int frequency, double slope, double gainDb, bool high, BandResponse& out) {
  BandShape shape;
  ShelfShape(slope, gainDb, high, shape);
  ShiftShape(shape, frequency, out);
}

void LowPassSectionResponse(int frequency, Section section, double q, BandResponse& out) {
  BandShape shape;
  LowPassSectionShape(section, q, shape);
  ShiftShape(shape, frequency, out);
}

void HighPassSectionResponse(int frequency, Section section, double q, BandResponse& out) {
  BandShape shape;
  HighPassSectionShape(section, q, shape);
  ShiftShape(shape, frequency, out);
}

void ComputeBandResponse(FilterCode code, int frequency, double q, double gainDb,
                         BandResponse& out) {
  BandShape shape;
  BandShape scratch;
  if (!FilterShape(code, q, gainDb, shape, scratch)) return;
  ShiftShape(shape, SnapFrequency(frequency), out);
}

void BandShapeCache::Compute(FilterCode code, int frequency, double q, double gainDb,
                             BandResponse& out) {
  if (code >= kCodeNotComputed) return;
  if (!Holds(code, q, gainDb)) {
    FilterShape(code, q, gainDb, shape_, scratch_);
    valid_ = true;
    code_ = code;
    q_ = q;
    gain_ = gainDb;
  }
  ShiftShape(shape_, SnapFrequency(frequency), out);
}

void SumResponses(std::span<const BandResponse> responses, EqResponse& total) {
  total.fill(0.0f);
  for (const BandResponse& r : responses) {
    for (int p = 0; p < kGridPoints; ++p) total[p] += r[p];
  }
}

}  // namespace velantro
