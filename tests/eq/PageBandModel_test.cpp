#include "eq/PageBandModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "model/ParamStore.h"

namespace velantro::test {
namespace {

constexpr int kFlatGain = 120;  // 0 dB
constexpr int kFreq1k = 204;    // FrequencyTable index of 1000 Hz
constexpr int kQ1 = 16;         // QTable index of 1.00

struct Band {
  int type = 0;
  int frequency = kFreq1k;
  int gain = kFlatGain;
  int peqQ = kQ1;
  int shelfQ = kQ1;
};

int BandIndex(int page, int band) {
  return page == kDeqPage ? 12 * band + 2 : kPages[page].firstBand + 5 * band;
}

void WriteBand(ParamStore& store, int page, int band, const Band& b) {
  const int s = BandIndex(page, band);
  auto& v = store.ViewValues[page];
  v[s] = b.type;
  v[s + 1] = b.frequency;
  v[s + 2] = b.gain;
  v[s + 3] = b.peqQ;
  v[s + 4] = b.shelfQ;
}

// Every band of every page flat at 1 kHz, every crossover off.
std::unique_ptr<ParamStore> FlatStore() {
  auto store = std::make_unique<ParamStore>();
  for (int page = 0; page < kSystemPage; ++page) {
    for (int band = 0; band < kPages[page].bandCount; ++band) WriteBand(*store, page, band, {});
  }
  store->ViewValues[1][0] = 0;
  store->ViewValues[3][0] = 0;
  store->ViewValues[4][5] = 64;
  store->ViewValues[5][7] = 64;
  for (int page : {6, 7, 8, 9}) store->ViewValues[page][20] = 362;
  return store;
}

bool SameTotal(const EqResponse& a, const EqResponse& b) {
  return std::memcmp(a.data(), b.data(), sizeof(a)) == 0;
}

void ExpectFlat(const EqResponse& total) {
  for (int p = 0; p < kGridPoints; ++p) ASSERT_NEAR(total[p], 0.0f, 1e-5f) << "point " << p;
}

class PageBandModelTest : public ::testing::Test {
 protected:
  std::unique_ptr<ParamStore> store = FlatStore();
  std::unique_ptr<PageBandModel> model = std::make_unique<PageBandModel>();
};

TEST_F(PageBandModelTest, EntryCountsPerPage) {
  struct Case {
    int page;
    int micGroup;
    int result;  // c + 100 X
    int shownPage;
  };
  const Case cases[] = {
      {0, 0, 9, 0},   {1, 0, 114, 1}, {1, 1, 108, 1}, {2, 0, 2, 2},   {4, 0, 204, 4},
      {5, 0, 204, 4}, {6, 0, 206, 6}, {7, 0, 206, 7}, {3, 0, 0, -1},  {8, 0, 0, -1},
      {9, 0, 0, -1},  {10, 0, 0, -1}, {-1, 0, 0, -1}, {11, 0, 0, -1},
  };
  for (const Case& c : cases) {
    store->MicGroup = c.micGroup;
    EXPECT_EQ(model->Load(*store, c.page), c.result) << "page " << c.page;
    EXPECT_EQ(model->page(), c.shownPage) << "page " << c.page;
    EXPECT_EQ(model->lastEntry(), c.shownPage < 0 ? -1 : c.result % 100 + c.result / 100);
    if (c.shownPage >= 0) ExpectFlat(model->total());
  }
}

TEST_F(PageBandModelTest, BandValuesMapThroughTheTables) {
  WriteBand(*store, 0, 3, {0, kFreq1k, 180, kQ1, 0});  // PEQ 1000 Hz +12 dB Q 1.00
  WriteBand(*store, 0, 5, {1, 0, 0, 100, 34});         // LSEQ 19.7 Hz -24 dB, slope Q 2.80
  model->Load(*store, 0);

  const BandModelEntry& peq = model->entry(3);
  EXPECT_EQ(peq.code, 0);
  EXPECT_FLOAT_EQ(peq.frequency, 1000.0f);
  EXPECT_FLOAT_EQ(peq.gain, 12.0f);
  EXPECT_FLOAT_EQ(peq.q, 1.0f);
  EXPECT_EQ(peq.frequencyAddress, MakeAddress(0, 20));
  EXPECT_EQ(peq.gainAddress, MakeAddress(0, 21));
  EXPECT_EQ(peq.qAddress, MakeAddress(0, 22));

  const BandModelEntry& shelf = model->entry(5);
  EXPECT_EQ(shelf.code, 1);
  EXPECT_FLOAT_EQ(shelf.frequency, 19.7f);
  EXPECT_FLOAT_EQ(shelf.gain, -24.0f);
  EXPECT_FLOAT_EQ(shelf.q, 2.8f);  // a shelf takes its Q from field 4

  // The total is the sum of the two bands; the peak stands on point 273.
  BandResponse peqAlone, shelfAlone;
  ComputeBandResponse(0, 1000, 1.0f, 12.0f, peqAlone);
  ComputeBandResponse(1, 20, 2.8f, -24.0f, shelfAlone);
  for (int p = 0; p < kGridPoints; ++p) {
    ASSERT_NEAR(model->total()[p], peqAlone[p] + shelfAlone[p], 1e-5f) << p;
  }
}

TEST_F(PageBandModelTest, MicGroupBHasNineBandsAndItsHighPassAsEntryNine) {
  store->MicGroup = 1;
  store->ViewValues[1][0] = kFreq1k + 1;  // one above the table index of 1000 Hz
  EXPECT_EQ(model->Load(*store, 1), 108);
  const BandModelEntry& hp = model->entry(9);
  EXPECT_EQ(hp.code, 102);
  EXPECT_FLOAT_EQ(hp.frequency, 1000.0f);
  EXPECT_FLOAT_EQ(hp.gain, 0.0f);
  EXPECT_EQ(hp.frequencyAddress, MakeAddress(1, 0));
  EXPECT_EQ(HandleOfEntry(9, hp.code), kHighPassHandle);
  EXPECT_LT(model->total()[0], -60.0f);

  store->ViewValues[1][0] = 0;  // off: flat at 19 Hz
  model->Update(*store, 1, 9);
  EXPECT_EQ(model->entry(9).code, 100);
  EXPECT_FLOAT_EQ(model->entry(9).frequency, 19.0f);
  ExpectFlat(model->total());

  // Back to group A: the layout changes, so even a single-point update loads the whole page.
  store->MicGroup = 0;
  store->ViewValues[1][0] = kFreq1k + 1;
  EXPECT_EQ(model->Update(*store, 1, 3), 114);
  EXPECT_EQ(model->entry(15).code, 102);
  EXPECT_LT(model->total()[0], -60.0f);
}

TEST_F(PageBandModelTest, DeqChannelInEqPassContributesNothing) {
  WriteBand(*store, kDeqPage, 1, {0, kFreq1k, 180, kQ1, 0});
  store->ViewValues[kDeqPage][13] = 1;  // channel 1 in EQ pass
  model->Load(*store, kDeqPage);
  EXPECT_FLOAT_EQ(model->entry(1).gain, 0.0f);
  EXPECT_EQ(model->entry(1).gainAddress, MakeAddress(kDeqPage, 16));
  ExpectFlat(model->total());

  store->ViewValues[kDeqPage][13] = 0;
  model->Update(*store, kDeqPage, 1);
  EXPECT_FLOAT_EQ(model->entry(1).gain, 12.0f);
  EXPECT_NEAR(model->total()[273], 12.0f, 1e-3f);
}

TEST_F(PageBandModelTest, EffectCrossoversComeFromTheSelectedEffect) {
  store->EffectEqPage = 5;
  store->ViewValues[5][6] = 10;  // reverb high-pass: FrequencyTable[9]
  store->ViewValues[5][7] = 0;   // reverb low-pass: FrequencyTable[297] = 5990 Hz
  store->ViewValues[4][4] = 0;   // echo values must not matter
  EXPECT_EQ(model->Load(*store, 5), 204);
  EXPECT_EQ(model->page(), 4);
  EXPECT_EQ(model->entry(5).code, 102);
  EXPECT_FLOAT_EQ(model->entry(5).frequency, 23.4f);
  EXPECT_EQ(model->entry(5).frequencyAddress, MakeAddress(5, 6));
  EXPECT_EQ(model->entry(6).code, 202);
  EXPECT_FLOAT_EQ(model->entry(6).frequency, 5990.0f);
  EXPECT_EQ(model->entry(6).frequencyAddress, MakeAddress(5, 7));

  store->EffectEqPage = 4;  // echo: both off
  model->Load(*store, 4);
  EXPECT_EQ(model->entry(5).code, 100);
  EXPECT_FLOAT_EQ(model->entry(5).frequency, 19.0f);
  EXPECT_EQ(model->entry(6).code, 200);
  EXPECT_FLOAT_EQ(model->entry(6).frequency, 20600.0f);
  ExpectFlat(model->total());
}

TEST_F(PageBandModelTest, OutputCrossoverTypesBecomeVariants) {
  struct Case {
    int highType, highFreq, lowType, lowFreq;
    FilterCode highCode, lowCode;
    float highHz, lowHz;
  };
  const Case cases[] = {
      {2, 100, 1, 250, 106, 205, 132.0f, 2420.0f},  // "Linkwitz-Riley 24dB", "Butterworth 24dB"
      {4, 1, 0, 0, 108, 204, 19.7f, 19.7f},
      {3, 0, 2, 362, 100, 200, 19.0f, 20600.0f},  // both off
  };
  for (const int page : {6, 7}) {
    for (const Case& c : cases) {
      auto& v = store->ViewValues[page];
      v[16] = c.highType;
      v[17] = c.highFreq;
      v[18] = 32;  // Q 2.50
      v[19] = c.lowType;
      v[20] = c.lowFreq;
      v[21] = 0;  // Q 0.40
      EXPECT_EQ(model->Load(*store, page), 206);
      EXPECT_EQ(model->entry(7).code, c.highCode) << page;
      EXPECT_FLOAT_EQ(model->entry(7).frequency, c.highHz) << page;
      EXPECT_FLOAT_EQ(model->entry(7).q, 2.5f);
      EXPECT_EQ(model->entry(7).frequencyAddress, MakeAddress(page, 17));
      EXPECT_EQ(model->entry(8).code, c.lowCode) << page;
      EXPECT_FLOAT_EQ(model->entry(8).frequency, c.lowHz) << page;
      EXPECT_FLOAT_EQ(model->entry(8).q, 0.4f);
      EXPECT_EQ(model->entry(8).frequencyAddress, MakeAddress(page, 20));
    }
  }
  // Code 106 is drawn as two Butterworth 12 dB sections.
  store->ViewValues[6][16] = 2;
  store->ViewValues[6][17] = 205;  // FrequencyTable[204] = 1000 Hz
  store->ViewValues[6][20] = 362;
  model->Load(*store, 6);
  EXPECT_NEAR(model->total()[273], -6.0206f, 2e-3f);
}

TEST_F(PageBandModelTest, SingleEntryUpdateMatchesAFullLoad) {
  model->Load(*store, 1);
  const Band edits[] = {
      {0, 150, 150, 40, 0},   // gain and Q
      {0, 260, 150, 40, 0},   // frequency only
      {2, 260, 100, 40, 12},  // type and gain
      {2, 30, 100, 40, 12},
  };
  auto fresh = std::make_unique<PageBandModel>();
  for (const Band& b : edits) {
    WriteBand(*store, 1, 4, b);
    model->Update(*store, 1, 4);
    fresh->Load(*store, 1);
    ASSERT_TRUE(SameTotal(model->total(), fresh->total())) << b.type << " " << b.frequency;
  }
  store->ViewValues[1][0] = 200;
  model->Update(*store, 1, 15);  // the high-pass entry
  fresh->Load(*store, 1);
  EXPECT_TRUE(SameTotal(model->total(), fresh->total()));
}

TEST_F(PageBandModelTest, SingleEntryUpdateLeavesTheOtherEntriesAlone) {
  model->Load(*store, 0);
  WriteBand(*store, 0, 2, {0, kFreq1k, 180, kQ1, 0});
  WriteBand(*store, 0, 7, {0, 300, 60, kQ1, 0});
  model->Update(*store, 0, 2);
  EXPECT_FLOAT_EQ(model->entry(2).gain, 12.0f);
  EXPECT_FLOAT_EQ(model->entry(7).gain, 0.0f);  // not reloaded until its own update
  EXPECT_NEAR(model->total()[273], 12.0f, 1e-3f);
  model->Update(*store, 0, 7);
  EXPECT_FLOAT_EQ(model->entry(7).gain, -12.0f);
  // A point past the page's last entry changes nothing.
  const EqResponse before = model->total();
  WriteBand(*store, 0, 1, {0, kFreq1k, 0, kQ1, 0});
  model->Update(*store, 0, 16);
  EXPECT_TRUE(SameTotal(before, model->total()));
}

TEST_F(PageBandModelTest, WildStoreValuesAreLimited) {
  WriteBand(*store, 0, 0, {0, -5, 100000, 9999, 0});
  WriteBand(*store, 0, 1, {2, 100000, -70000, 0, -3});
  auto& v = store->ViewValues[6];
  v[16] = 0x7FFFFFFF;  // a type far past the list
  v[17] = 0x7FFFFFFF;
  v[19] = -0x7FFFFFFF - 1;
  v[20] = -4;
  model->Load(*store, 0);
  EXPECT_FLOAT_EQ(model->entry(0).frequency, 19.7f);
  EXPECT_FLOAT_EQ(model->entry(0).gain, 12.0f);
  EXPECT_FLOAT_EQ(model->entry(0).q, 128.0f);
  EXPECT_FLOAT_EQ(model->entry(1).frequency, 20600.0f);
  EXPECT_FLOAT_EQ(model->entry(1).gain, -24.0f);
  for (float value : model->total()) ASSERT_TRUE(std::isfinite(value));

  model->Load(*store, 6);
  EXPECT_GE(model->entry(7).code, kCodeNotComputed);  // drawn as nothing new
  EXPECT_EQ(HandleOfEntry(7, model->entry(7).code), kNoHandle);
  EXPECT_LT(model->entry(8).code, kCodeHighPassFamily);  // flat
  EXPECT_FLOAT_EQ(model->entry(8).frequency, 19.7f);
  for (float value : model->total()) ASSERT_TRUE(std::isfinite(value));
}

TEST(HandleOfEntryTest, BandsCrossoversAndNone) {
  EXPECT_EQ(HandleOfEntry(3, 0), 3);
  EXPECT_EQ(HandleOfEntry(15, 102), kHighPassHandle);
  EXPECT_EQ(HandleOfEntry(6, 200), kLowPassHandle);
  EXPECT_EQ(HandleOfEntry(7, 106), kHighPassHandle);
  EXPECT_EQ(HandleOfEntry(2, 300), kNoHandle);
}

}  // namespace
}  // namespace velantro::test
