#pragma once

#include <array>

#include "eq/FilterResponse.h"
#include "model/ParamAddress.h"

namespace velantro {

class ParamStore;

constexpr int kBandModelEntryCount = 17;  // entries 0 .. 16
constexpr int kFullRedrawPoint = 20;      // "point" that stands for the whole page
constexpr int kBandHandleCount = 15;      // EP1 .. EP15
constexpr int kHighPassHandle = 15;       // HPF
constexpr int kLowPassHandle = 16;        // LPF
constexpr int kNoHandle = -1;
constexpr ParamAddress kNoControlAddress = -1;

// Frequency a switched-off high-pass entry is drawn at; a switched-off low-pass entry sits at
// the top of the frequency table (20 600 Hz).
constexpr float kHighPassOffHz = 19.0f;

// One entry of a page's band model: an EQ band or a high-pass / low-pass filter.
struct BandModelEntry {
  FilterCode code = 0;
  float frequency = 0.0f;  // Hz
  float gain = 0.0f;       // dB; 0 for crossover entries
  float q = 0.0f;          // Q (PEQ), slope (shelves) or crossover Q
  // Addresses of the values whose controls edit this entry (the binding tables find the
  // controls); kNoControlAddress where the entry has none.
  ParamAddress frequencyAddress = kNoControlAddress;
  ParamAddress gainAddress = kNoControlAddress;
  ParamAddress qAddress = kNoControlAddress;
};

// Handle that shows an entry: band handles follow the entry number, crossover entries use the
// high-pass or low-pass handle whatever their number; codes of 300 and above have none.
int HandleOfEntry(int entry, FilterCode code);

// The page shown on the graph for a page number: page 5 is drawn as page 4; pages without a
// curve of their own (3, 8, 9 come through 1, 7, 6; 10 is the system page) give -1.
int GraphPageOf(int page);

// The band model of the page on the graph: up to 17 entries, their last computed responses and
// their sum. Entries 0 .. c are the EQ bands, then the high-pass entry (if any) and the
// low-pass entry (if any); L = c + X is the last entry that is summed.
//
// Nothing on the update path allocates; a single-entry update recomputes one response (a shift
// only when just the frequency changed) and re-sums the page.
class PageBandModel {
 public:
  // Loads every entry of the page from ViewValues, recomputes every response and the total.
  // Returns c + 100 * X like LoadPageBandModel.
  int Load(const ParamStore& store, int page);
  // After one value changed: reloads EQ entry `point` and the crossover entries, recomputes only
  // entry `point` and re-sums. Point 20, another page or another layout of entries (the MIC
  // group changed) loads the whole page instead.
  int Update(const ParamStore& store, int page, int point);

  // Page whose model is held (4 for the effect pages), -1 when there is no curve to draw.
  int page() const { return page_; }
  bool hasCurve() const { return page_ >= 0; }
  int lastEqEntry() const { return lastEq_; }                                // c
  int crossoverCount() const { return crossovers_; }                         // X
  int lastEntry() const { return hasCurve() ? lastEq_ + crossovers_ : -1; }  // L

  const BandModelEntry& entry(int i) const { return entries_[ClampEntry(i)]; }
  const BandResponse& response(int i) const { return responses_[ClampEntry(i)]; }
  const EqResponse& total() const { return total_; }

  // Lower level, for callers that set entries themselves.
  BandModelEntry& mutableEntry(int i) { return entries_[ClampEntry(i)]; }
  // Makes entries 0 .. last the summed ones (last < 0: none) without loading anything.
  void SetLastEntry(int last);
  // Recomputes the response of entry i from its fields; entries past L are left alone.
  void Recompute(int i);
  void RecomputeAll();
  // Forgets every remembered shape, so the next recompute designs each filter afresh.
  void InvalidateShapes();
  // Sums entries 0 .. L into total().
  void Resum();

 private:
  friend int LoadPageBandModel(PageBandModel& model, const ParamStore& store, int point, int page);
  static int ClampEntry(int i) {
    return i < 0 ? 0 : (i >= kBandModelEntryCount ? kBandModelEntryCount - 1 : i);
  }

  std::array<BandModelEntry, kBandModelEntryCount> entries_{};
  std::array<BandResponse, kBandModelEntryCount> responses_{};
  std::array<BandShapeCache, kBandModelEntryCount> shapes_{};
  EqResponse total_{};
  int page_ = -1;
  int lastEq_ = 0;
  int crossovers_ = 0;
};

// Fills the page's entries from ViewValues without computing responses: with point 20 every EQ
// entry, otherwise only EQ entry `point`; the crossover entries always. Raw values are limited to
// their tables and the gain to its 0 .. 180 range. Returns c + 100 * X (0 for pages without a
// curve).
int LoadPageBandModel(PageBandModel& model, const ParamStore& store, int point, int page);

}  // namespace velantro
