// Thousands of random edits through the real link code against the stand-in unit's engine, with
// acknowledgements dropped, writes lost, answers damaged and the TCP stream cut and joined at
// random, while the window switches the MIC group, AUX1/AUX2, main/SUR and echo/reverb under
// waiting frames. In the end the unit holds exactly what the console shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "link/DeviceLink.h"
#include "model/Scales.h"
#include "support/LinkHarness.h"

namespace velantro::test {
namespace {

constexpr int kEdits = 10000;

struct SoakFigures {
  int edits = 0;
  int bandEdits = 0;
  int switches = 0;
  int saves = 0;
  int recalls = 0;
  int losses = 0;  // the unit declared lost, the operator told, the link found again
};

// Faults beyond the dropped, lost and damaged ones: frames that look like answers but are not.
struct Lookalikes {
  bool strays = false;      // a one-value frame of the page before each page answer
  bool duplicates = false;  // every data frame twice
  int shortPage = -1;       // the first answer to this page cut short
};

class Soak {
 public:
  explicit Soak(uint32_t seed, Lookalikes lookalikes = {})
      : rng_(seed), h_(Options(seed, lookalikes)) {
    h_.SplitAndJoinChunks(seed);
  }

  static SimOptions Options(uint32_t seed, Lookalikes lookalikes) {
    SimOptions options;
    options.seed = seed;
    options.strayFrames = lookalikes.strays;
    options.duplicateAnswers = lookalikes.duplicates;
    options.shortAnswerPage = lookalikes.shortPage;
    options.dropAckShare = 0.10;
    options.loseWriteShare = 0.05;
    options.corruptShare = 0.05;
    return options;
  }

  bool Connect() {
    h_.link.Connect();
    return h_.RunUntil([&] { return h_.link.LinkOnline(); }, 120000);
  }

  void Run() {
    while (figures.edits < kEdits) {
      Recover();
      const unsigned r = rng_() % 1000;
      if (r < 10) {
        SwitchView();
      } else if (r < 12) {
        SaveMode();
      } else if (r < 13) {
        Recall();
      } else if (r < 15) {
        Burst();
      } else {
        Edit();
      }
      h_.Advance(rng_() % 60);
    }
    Settle();
  }

  void Settle() {
    ASSERT_TRUE(h_.RunUntil(
        [&] {
          Recover();
          return h_.link.LinkOnline() && h_.link.queue().Settled();
        },
        600000));
  }

  LinkHarness& harness() { return h_; }
  SoakFigures figures;

 private:
  // A random view address of a plain parameter on the parameter pages (not the music setting,
  // which moves the layout, and not the system page's commands).
  ParamAddress RandomAddress() {
    static constexpr int kViewPages[] = {0, 1, 2, 4, 6, 7};
    const int page = kViewPages[rng_() % std::size(kViewPages)];
    int index = static_cast<int>(rng_() % static_cast<unsigned>(PageValueCount(page)));
    if (page == 0 && index == 1) index = 2;
    return MakeAddress(page, index);
  }

  void Edit() {
    ++figures.edits;
    if (rng_() % 5 == 0) {
      // A band field of a band the page on view shows.
      static constexpr int kEqPages[] = {0, 1, 2, 4, 6, 7};
      const int page = kEqPages[rng_() % std::size(kEqPages)];
      const int bands = ShownBandCount(page, h_.store.MicGroup);
      const int band = static_cast<int>(rng_() % static_cast<unsigned>(bands));
      const int field = static_cast<int>(rng_() % kBandValueCount);
      const int index = page == kDeqPage ? 12 * band + 2 + field
                                         : kPages[static_cast<size_t>(page)].firstBand +
                                               kBandValueCount * band + field;
      h_.store.SetBand(MakeAddress(page, index), static_cast<int>(rng_() % 181));
      ++figures.bandEdits;
      return;
    }
    h_.store.SetParam(RandomAddress(), static_cast<int>(rng_() % 200));
  }

  void Burst() {
    for (int i = 0; i < 120; ++i) Edit();
  }

  void SwitchView() {
    ++figures.switches;
    ParamStore& s = h_.store;
    switch (rng_() % 4) {
      case 0:
        s.MicGroup = 1 - s.MicGroup;
        break;
      case 1:
        s.AuxOutputPage = s.AuxOutputPage == 7 ? 8 : 7;
        break;
      case 2:
        s.MainOutputPage = s.MainOutputPage == 6 ? 9 : 6;
        break;
      default:
        s.EffectEqPage = s.EffectEqPage == 4 ? 5 : 4;
        break;
    }
    // What the window does on a switch: the shared rows show the other page.
    s.RebuildViewValues(s.LayoutFlag);
  }

  // The operator saves and recalls while the console is online; edits go on while it saves.
  void SaveMode() {
    if (!h_.link.LinkOnline()) return;
    ++figures.saves;
    const int mode = static_cast<int>(rng_() % 9);
    h_.link.SaveMode(mode, "Soak " + std::to_string(figures.saves % 100));
  }

  void Recall() {
    if (!h_.link.LinkOnline()) return;
    ++figures.recalls;
    const size_t from = h_.events.size();
    h_.store.SetParam(sysaddr::CurrentMode, static_cast<int>(rng_() % 9));
    // The reload replaces the console's image with the recalled mode.
    h_.RunUntil(
        [&] {
          return h_.link.LinkOnline() &&
                 std::find(h_.events.begin() + static_cast<std::ptrdiff_t>(from), h_.events.end(),
                           LinkEvent::DownloadComplete) != h_.events.end();
        },
        120000);
  }

  // The unit was declared lost or the link failed: the operator has been told, and connects
  // again.
  void Recover() {
    const size_t lossCount =
        static_cast<size_t>(std::count(h_.events.begin(), h_.events.end(), LinkEvent::UnitLost) +
                            std::count(h_.events.begin(), h_.events.end(), LinkEvent::LinkFailed));
    if (lossCount == recovered_) return;
    recovered_ = lossCount;
    ++figures.losses;
    ASSERT_FALSE(h_.messages().boxes.empty());
    EXPECT_EQ(h_.messages().boxes.back().text.rfind("Off Line!", 0), 0u);
    ASSERT_TRUE(Connect());
  }

  std::mt19937 rng_;
  LinkHarness h_;
  size_t recovered_ = 0;
};

TEST(FaultSoak, EveryEditReachesTheUnitThroughDroppedLostAndDamagedAnswers) {
  struct Case {
    uint32_t seed;
    Lookalikes lookalikes;
  };
  const Case cases[] = {{1, {}},
                        {2, {}},
                        {3, {}},
                        {4, {true, false, -1}},
                        {5, {false, true, -1}},
                        {6, {true, true, 6}}};
  for (const Case& c : cases) {
    const uint32_t seed = c.seed;
    SCOPED_TRACE(seed);
    Soak soak(seed, c.lookalikes);
    ASSERT_TRUE(soak.Connect());
    soak.Run();
    LinkHarness& h = soak.harness();
    for (int page = 0; page < kSystemPage; ++page) {
      EXPECT_EQ(h.unit.Image()[page], h.store.DeviceImage[page]) << "page " << page;
    }
    for (int mode = 0; mode < 9; ++mode) {
      EXPECT_EQ(h.unit.ModeName(mode), h.store.ModeNames[static_cast<size_t>(mode)]);
    }
    // No band frame named a band its page lacks.
    int bandFrames = 0;
    for (const SentFrame& f : h.sent) {
      const Bytes& b = f.bytes;
      if (b.size() != 19 || b[3] != kCmdWrite || b[4] >= kSystemPage) continue;
      const int page = b[4];
      if (kPages[static_cast<size_t>(page)].bandFrameAddress != MakeAddress(page, b[5])) continue;
      ++bandFrames;
      EXPECT_LT(b[6] + 256 * b[7], ShownBandCount(page, page == 3 ? 1 : 0)) << Hex(b);
    }
    EXPECT_GT(bandFrames, 0);
    const SimStats& stats = h.unit.stats();
    std::printf(
        "seed %u: %d edits (%d band), %d view switches, %d saves, %d recalls; unit dropped %d "
        "acks, lost %d writes, damaged %d answers (strays %d, duplicates %d, short page %d); %d "
        "losses told; %lld s simulated\n",
        seed, soak.figures.edits, soak.figures.bandEdits, soak.figures.switches, soak.figures.saves,
        soak.figures.recalls, stats.acksDropped, stats.writesLost, stats.framesCorrupted,
        c.lookalikes.strays, c.lookalikes.duplicates, c.lookalikes.shortPage, soak.figures.losses,
        static_cast<long long>(h.now / 1000));
  }
}

}  // namespace
}  // namespace velantro::test
