#pragma once

#include <array>
#include <span>

namespace velantro {

// The EQ graph evaluates every filter on one logarithmic grid from 10 Hz to 24 kHz.
constexpr int kGridSteps = 462;                     // N
constexpr int kGridPoints = kGridSteps + 1;         // 463 points, p = 0 .. 462
constexpr int kGridCentre = 231;                    // C: where a shape's own centre lies
constexpr double kGridDecades = 3.380211241711606;  // log10(2400)
constexpr double kGridLowestHz = 10.0;
constexpr double kGridHighestHz = 24000.0;

// Frequency of grid point p: 10 ^ (1 + p * D / N).
double FrequencyOfGridIndex(double p);
// Grid position of a frequency (real); anything below 1 Hz counts as 1 Hz.
double GridIndexOfFrequency(double f);

struct ResponseGrid {
  static constexpr int kSteps = kGridSteps;
  static constexpr int kPoints = kGridPoints;
  static constexpr int kCentre = kGridCentre;
  static double Frequency(double p) { return FrequencyOfGridIndex(p); }
  static double Index(double f) { return GridIndexOfFrequency(f); }
};

// A band's gain in dB at every grid point.
using BandResponse = std::array<float, kGridPoints>;
// The total of a page: the point-by-point sum of its entries' responses.
using EqResponse = std::array<float, kGridPoints>;
// A filter evaluated around its own centre (index kGridCentre), before it is shifted into place.
// Index kGridSteps is computed but never shown.
using BandShape = std::array<float, kGridPoints>;

// Selects the filter of one band model entry:
//   0 PEQ, 1 low shelf, 2 high shelf, 3 high-pass and 4 low-pass with the band's Q,
//   5 .. 99 flat, 100 .. 199 high-pass crossover, 200 .. 299 low-pass crossover (variant is
//   code mod 10), 300 and above: nothing is computed, the response keeps its contents.
using FilterCode = int;

constexpr FilterCode kCodePeaking = 0;
constexpr FilterCode kCodeLowShelf = 1;
constexpr FilterCode kCodeHighShelf = 2;
constexpr FilterCode kCodeHighPass = 3;
constexpr FilterCode kCodeLowPass = 4;
constexpr FilterCode kCodeHighPassFamily = 100;
constexpr FilterCode kCodeLowPassFamily = 200;
constexpr FilterCode kCodeNotComputed = 300;

// Crossover variants (code mod 10) of both crossover families.
enum class CrossoverVariant {
  Off = 0,              // flat
  Bessel12 = 1,         // one section, Q 1/sqrt(3)
  Butterworth12 = 2,    // one section, Q 1/sqrt(2)
  LinkwitzRiley12 = 3,  // two first-order sections
  Bessel24 = 4,         // two Bessel sections
  Butterworth24 = 5,    // the two stages of a fourth-order Butterworth
  LinkwitzRiley24 = 6,  // two Butterworth sections
  User12 = 7,           // one section with the band's Q
  User24 = 8,           // two sections with the band's Q
  LinkwitzRiley36 = 9,  // twice (third-order Butterworth first stage + first-order section)
};

// Kind of one crossover section.
enum class SectionKind { Flat, Bessel2, Butterworth2, UserQ, FirstOrder, ButterworthStage };

// A crossover section: its kind and, for ButterworthStage, the order n and stage k.
struct Section {
  SectionKind kind = SectionKind::Flat;
  int order = 0;
  int stage = 0;
};

// Whole-hertz frequency that lies on the grid point nearest to `frequency`.
int SnapFrequency(int frequency);
// The top five Q table values (102 .. 128) are drawn as 98, 100, 101, 102 and 103.
double CompressQ(double q);
// Grid point M that a shape's centre is moved to (frequency raised to 10 Hz first).
int CentrePointOfFrequency(int frequency);

// Shapes, unshifted. Each section is designed at a quarter of the sampling rate.
void PeakingShape(double q, double gainDb, BandShape& out);
void ShelfShape(double slope, double gainDb, bool high, BandShape& out);
void LowPassSectionShape(Section section, double q, BandShape& out);
void HighPassSectionShape(Section section, double q, BandShape& out);
// The shape of a whole filter code (sums of sections included), after Q compression. Returns
// false for codes of 300 and above, which have no shape; `out` is then untouched. `scratch`
// holds the second section of a two-section variant.
bool FilterShape(FilterCode code, double q, double gainDb, BandShape& out, BandShape& scratch);
// Copies a shape into place so that its centre lands on the frequency's grid point.
void ShiftShape(const BandShape& shape, int frequency, BandResponse& out);

// Section functions: the shape of one section shifted to `frequency`.
void PeakingResponse(int frequency, double q, double gainDb, BandResponse& out);
void ShelfResponse(int frequency, double slope, double gainDb, bool high, BandResponse& out);
void LowPassSectionResponse(int frequency, Section section, double q, BandResponse& out);
void HighPassSectionResponse(int frequency, Section section, double q, BandResponse& out);

// Fills `out` for one band: snaps the frequency, compresses Q and dispatches on the code.
// Codes of 300 and above leave `out` as it was.
void ComputeBandResponse(FilterCode code, int frequency, double q, double gainDb,
                         BandResponse& out);

// Remembers the last shape of one band model entry. A band's shape does not depend on its
// frequency, so while code, Q and gain stay the same a new frequency costs only the shift.
// Results are bit-identical to ComputeBandResponse.
class BandShapeCache {
 public:
  void Compute(FilterCode code, int frequency, double q, double gainDb, BandResponse& out);
  void Invalidate() { valid_ = false; }
  bool Holds(FilterCode code, double q, double gainDb) const {
    return valid_ && code == code_ && q == q_ && gainDb == gain_;
  }

 private:
  bool valid_ = false;
  FilterCode code_ = 0;
  double q_ = 0.0;
  double gain_ = 0.0;
  BandShape shape_{};
  BandShape scratch_{};
};

// Point-by-point single-precision sum of the given responses (entries 0 .. L of a page).
void SumResponses(std::span<const BandResponse> responses, EqResponse& total);

}  // namespace velantro
