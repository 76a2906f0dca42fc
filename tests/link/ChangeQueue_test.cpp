#include "link/ChangeQueue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "link/DeviceLink.h"
#include "model/Scales.h"
#include "support/LinkHarness.h"

namespace velantro::test {
namespace {

// Online over the network, idle, the last keep-alive acknowledged.
class OnlineLink : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.ConnectOverNetwork());
    // Past the first keep-alive and its acknowledgement.
    h.Advance(1100);
    ASSERT_EQ(h.link.queue().ReadyToSend, 1);
  }

  // Values of the value frames (short form) sent since `from`, keep-alives left out.
  std::vector<std::pair<ParamAddress, int>> ValueWrites(size_t from) const {
    std::vector<std::pair<ParamAddress, int>> out;
    for (const Bytes& f : h.SentWithoutKeepAlives(from)) {
      if (f.size() == 9 && f[3] == kCmdWrite)
        out.emplace_back(f[4] * 256 + f[5], f[6] + 256 * f[7]);
    }
    return out;
  }

  LinkHarness h;
};

TEST_F(OnlineLink, ReadyAndEmptyQueueSendsAtOnceAndOnlyOnce) {
  const size_t from = h.SentCount();
  h.store.SetParam(0x0105, 300);
  ASSERT_EQ(h.SentCount(), from + 1);
  EXPECT_EQ(Hex(h.sent.back().bytes), "FC BA 06 A7 01 05 2C 01 6C");
  h.Advance(900);
  EXPECT_EQ(h.SentWithoutKeepAlives(from).size(), 1u);
}

TEST_F(OnlineLink, WaitingChangesMergeAndTheLastOfABurstIsSentTwice) {
  struct Case {
    std::vector<std::pair<ParamAddress, int>> edits;  // after a first write that is in flight
    std::vector<std::pair<ParamAddress, int>> sent;
  };
  const std::vector<Case> cases{
      {{{0x0105, 1}, {0x0105, 2}, {0x0105, 3}},
       {{0x0105, 0}, {0x0105, 1}, {0x0105, 3}, {0x0105, 3}}},
      {{{0x0105, 1}, {0x0106, 2}}, {{0x0105, 0}, {0x0105, 1}, {0x0106, 2}, {0x0106, 2}}},
  };
  for (const Case& c : cases) {
    const size_t from = h.SentCount();
    h.store.SetParam(0x0105, 0);  // sent at once, not acknowledged yet
    for (const auto& [address, value] : c.edits) h.store.SetParam(address, value);
    if (c.edits.size() == 3) {
      EXPECT_EQ(h.link.queue().valueCount(), 2);
      EXPECT_EQ(h.link.queue().valueEntry(1), (ValueEntry{0x0105, 1}));
      EXPECT_EQ(h.link.queue().valueEntry(2), (ValueEntry{0x0105, 3}));
    }
    h.Advance(900);
    EXPECT_EQ(ValueWrites(from), c.sent);
  }
}

TEST_F(OnlineLink, ValuesGoBeforeBandsAndBandsAreNotRepeated) {
  const size_t from = h.SentCount();
  h.store.SetParam(0x0105, 0);   // in flight
  h.store.SetBand(0x0009, 200);  // music band 1 waits
  h.store.SetParam(0x0106, 5);   // a value waits too
  ASSERT_EQ(h.link.queue().bandCount(), 1);
  EXPECT_EQ(h.link.queue().bandEntry(1).frameAddress, 0x0002);
  EXPECT_EQ(h.link.queue().bandEntry(1).band, 1);
  h.Advance(900);
  const std::vector<Bytes> frames = h.SentWithoutKeepAlives(from);
  ASSERT_EQ(frames.size(), 4u);
  EXPECT_EQ(frames[0], BuildValue(kCmdWrite, 0x0105, 0));
  EXPECT_EQ(frames[1], BuildValue(kCmdWrite, 0x0106, 5));
  EXPECT_EQ(frames[2], BuildValue(kCmdWrite, 0x0106, 5));
  EXPECT_EQ(frames[3], BuildBandFrame(h.store, 0x0002, 1));
  EXPECT_EQ(h.unit.Image()[0][9], 200);
}

TEST_F(OnlineLink, FullQueuesNeverDropAChange) {
  h.HoldAnswers(5000);
  h.store.SetParam(0x0A06, 1);  // in flight, answered only after the bursts
  // Echo 8 … 37 three times over (70 changes), twice: later changes merge in place.
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 70; ++i) h.store.SetParam(MakeAddress(4, 8 + i % 30), 100 * round + i);
  }
  for (int i = 0; i < 52; ++i) h.store.SetParam(MakeAddress(8, i), 1000 + i);
  // The first waiting change keeps its value (the start of a burst reaches the unit), so echo 8
  // waits twice; every other address once, in the order of first appearance.
  EXPECT_EQ(h.link.queue().valueCount(), 30 + 1 + 52);
  EXPECT_EQ(h.link.queue().valueEntry(1), (ValueEntry{0x0408, 0}));
  EXPECT_EQ(h.link.queue().valueEntry(2), (ValueEntry{0x0409, 161}));
  EXPECT_EQ(h.link.queue().valueEntry(31), (ValueEntry{0x0408, 160}));
  EXPECT_EQ(h.link.queue().valueEntry(32), (ValueEntry{0x0800, 1000}));

  // 60 band changes over 10 bands: each band waits once, the last values win.
  for (int i = 0; i < 60; ++i) h.store.SetBand(MakeAddress(0, 4 + 5 * (i % 10)), 100 + i);
  EXPECT_EQ(h.link.queue().bandCount(), 10);

  ASSERT_TRUE(h.RunUntil([&] { return h.link.queue().Settled(); }, 60000));
  EXPECT_TRUE(h.link.LinkOnline());
  for (int k = 0; k < 30; ++k) {
    EXPECT_EQ(h.unit.ValueAt(MakeAddress(4, 8 + k)), 100 + (k < 10 ? k + 60 : k + 30)) << k;
  }
  for (int i = 0; i < 52; ++i) EXPECT_EQ(h.unit.ValueAt(MakeAddress(8, i)), 1000 + i) << i;
  for (int band = 0; band < 10; ++band) {
    EXPECT_EQ(h.unit.ValueAt(MakeAddress(0, 4 + 5 * band)), 150 + band) << band;
  }
}

TEST_F(OnlineLink, ABurstOnOneWaitingBandLeavesOneFrame) {
  const ParamAddress gain = MakeAddress(0, 4 + 5 * 1 + 2);  // music band 2 gain
  h.HoldAnswers(2000);  // the first change is in flight, unanswered, while the rest are made
  const size_t from = h.SentCount();
  for (int i = 0; i < 10; ++i) h.store.SetBand(gain, 100 + i);
  EXPECT_EQ(h.link.queue().bandCount(), 1);
  ASSERT_TRUE(h.RunUntil([&] { return h.link.queue().Settled(); }, 10000));
  const std::vector<Bytes> frames = h.SentWithoutKeepAlives(from);
  ASSERT_EQ(frames.size(), 2u);  // the first change, then the band with its latest values
  EXPECT_EQ(frames[1], BuildBandFrame(h.store, 0x0002, 1));
  EXPECT_EQ(h.unit.ValueAt(gain), 109);
}

TEST_F(OnlineLink, OneKeepAlivePerSecondWhenIdle) {
  const size_t from = h.SentCount();
  const int64_t start = h.now;
  h.Advance(5000);
  std::vector<int64_t> times;
  for (size_t i = from; i < h.sent.size(); ++i) {
    ASSERT_TRUE(IsKeepAlive(h.sent[i].bytes));
    times.push_back(h.sent[i].ms - start);
  }
  ASSERT_EQ(times.size(), 5u);
  for (size_t i = 1; i < times.size(); ++i) EXPECT_EQ(times[i] - times[i - 1], 1000);
  EXPECT_TRUE(h.link.LinkOnline());
}

TEST_F(OnlineLink, SilentUnitGetsRepeatsInThe3rd6th9thSecondAndIsLostInThe11th) {
  h.SetUnitSilent(true);
  const size_t from = h.SentCount();
  h.RunUntil([&] { return !h.link.LinkOnline(); }, 20000);
  ASSERT_EQ(h.events.back(), LinkEvent::UnitLost);
  std::vector<int64_t> times;
  for (size_t i = from; i < h.sent.size(); ++i) {
    ASSERT_TRUE(IsKeepAlive(h.sent[i].bytes));
    times.push_back(h.sent[i].ms);
  }
  // The first one goes unanswered; it is repeated three times.
  ASSERT_EQ(times.size(), 4u);
  EXPECT_EQ(times[1] - times[0], 3000);
  EXPECT_EQ(times[2] - times[0], 6000);
  EXPECT_EQ(times[3] - times[0], 9000);
  EXPECT_EQ(h.now - times[0], 11000);
  EXPECT_FALSE(h.timers.IsActive(LinkTimer::Hold));
  EXPECT_EQ(h.view().caption, "Off Line");
  ASSERT_EQ(h.messages().boxes.size(), 1u);
  EXPECT_EQ(h.messages().boxes[0].text, "Off Line!");
}

TEST_F(OnlineLink, UnansweredWriteIsRepeatedEveryThirdSecondWhileOthersWait) {
  h.SetUnitSilent(true);
  const size_t from = h.SentCount();
  h.store.SetParam(0x0105, 1);
  h.store.SetParam(0x0106, 2);  // waits behind it
  h.RunUntil([&] { return !h.link.LinkOnline(); }, 20000);
  const std::vector<Bytes> frames = h.SentSince(from);
  EXPECT_EQ(frames, (std::vector<Bytes>(4, BuildValue(kCmdWrite, 0x0105, 1))));
}

TEST_F(OnlineLink, RecallThatHadToWaitStillStartsTheReload) {
  h.store.SetParam(0x0105, 1);                // in flight
  h.store.SetParam(sysaddr::CurrentMode, 4);  // waits
  EXPECT_TRUE(h.link.LinkOnline());
  h.RunUntil([&] { return h.events.back() == LinkEvent::Reload; }, 2000);
  ASSERT_EQ(h.events.back(), LinkEvent::Reload);
  ASSERT_TRUE(h.RunUntil([&] { return h.link.LinkOnline(); }, 20000));
  EXPECT_EQ(h.unit.CurrentMode(), 4);
  // The recall itself went out once.
  int recalls = 0;
  for (const SentFrame& f : h.sent) recalls += f.bytes == BuildValue(kCmdWrite, 0x0A02, 4) ? 1 : 0;
  EXPECT_EQ(recalls, 1);
}

// Frames of a kind sent since `from`.
int CountSent(const LinkHarness& h, size_t from, const Bytes& frame) {
  int n = 0;
  for (const Bytes& f : h.SentSince(from)) n += f == frame ? 1 : 0;
  return n;
}

TEST_F(OnlineLink, AWriteLostOnTheLineIsRepeatedUntilTheUnitHasIt) {
  struct Case {
    const char* name;
    std::function<void(LinkHarness&)> edit;
    std::function<Bytes(LinkHarness&)> frame;
    std::function<bool(LinkHarness&)> arrived;
  };
  const std::vector<Case> cases{
      {"value", [](LinkHarness& x) { x.store.SetParam(0x0105, 300); },
       [](LinkHarness&) { return BuildValue(kCmdWrite, 0x0105, 300); },
       [](LinkHarness& x) { return x.unit.ValueAt(0x0105) == 300; }},
      {"band", [](LinkHarness& x) { x.store.SetBand(0x0009, 200); },
       [](LinkHarness& x) { return BuildBandFrame(x.store, 0x0002, 1); },
       [](LinkHarness& x) { return x.unit.ValueAt(0x0009) == 200; }},
      {"mode recall", [](LinkHarness& x) { x.store.SetParam(sysaddr::CurrentMode, 4); },
       [](LinkHarness&) { return BuildValue(kCmdWrite, sysaddr::CurrentMode, 4); },
       [](LinkHarness& x) { return x.unit.CurrentMode() == 4; }},
      {"mode save", [](LinkHarness& x) { x.link.SaveMode(2, "Party"); },
       [](LinkHarness&) { return BuildModeSave(2, "Party"); },
       [](LinkHarness& x) { return x.unit.ModeName(2) == "Party"; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LinkHarness x;
    ASSERT_TRUE(x.ConnectOverNetwork());
    x.Advance(1100);
    const size_t from = x.SentCount();
    x.LoseNextFrames(1);
    c.edit(x);
    const Bytes frame = c.frame(x);
    ASSERT_TRUE(x.RunUntil([&] { return x.link.LinkOnline() && x.link.queue().Settled(); }, 30000));
    EXPECT_TRUE(c.arrived(x));
    EXPECT_EQ(CountSent(x, from, frame), 2);
    EXPECT_EQ(std::count(x.events.begin(), x.events.end(), LinkEvent::UnitLost), 0);
  }
}

TEST_F(OnlineLink, ModeSaveWaitsForTheWriteInFlightAndSuccessForItsOwnAcknowledgement) {
  h.HoldAnswers(2000);
  const size_t from = h.SentCount();
  h.store.SetParam(0x0105, 7);  // unanswered for two seconds
  h.link.SaveMode(3, "Live");
  h.Advance(1900);
  EXPECT_EQ(CountSent(h, from, BuildModeSave(3, "Live")), 0);
  EXPECT_TRUE(h.messages().notices.empty());
  ASSERT_TRUE(h.RunUntil([&] { return !h.messages().notices.empty(); }, 5000));
  EXPECT_EQ(h.messages().notices[0].text, "Save Success!");
  EXPECT_EQ(h.unit.ModeName(3), "Live");
  EXPECT_EQ(h.SentWithoutKeepAlives(from),
            (std::vector<Bytes>{BuildValue(kCmdWrite, 0x0105, 7), BuildModeSave(3, "Live")}));

  // A unit that never answers the save gets it repeated, and no success is shown.
  h.SetUnitSilent(true);
  h.messages().boxes.clear();
  h.link.SaveMode(4, "Gone");
  h.RunUntil([&] { return !h.messages().boxes.empty(); }, 70000);
  ASSERT_EQ(h.messages().boxes.size(), 1u);
  EXPECT_EQ(h.messages().boxes[0].text, "Off Line!");
}

TEST_F(OnlineLink, QueuedBandFramesCarryTheirOwnPagesValuesAfterTheViewSwitches) {
  struct Case {
    const char* name;
    ParamAddress edited;  // a band field on the page on view
    std::function<void(ParamStore&)> switchView;
    int page;  // where the edit belongs
  };
  const std::vector<Case> cases{
      {"MIC A, then group B", MakeAddress(1, 6 + 5 * 2 + 2), [](ParamStore& s) { s.MicGroup = 1; },
       1},
      {"AUX1, then AUX2", MakeAddress(7, 31 + 5 * 6 + 2),
       [](ParamStore& s) { s.AuxOutputPage = 8; }, 7},
      {"Main, then SUR", MakeAddress(6, 34 + 5 * 3 + 2),
       [](ParamStore& s) { s.MainOutputPage = 9; }, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LinkHarness x;
    ASSERT_TRUE(x.ConnectOverNetwork());
    x.Advance(1100);
    x.HoldAnswers(500);
    x.store.SetParam(0x0A06, 1);  // in flight
    x.store.SetBand(c.edited, 321);
    const BandValues edited =
        ReadBandValues(x.store, c.page, LocateBand(c.edited, x.store.MicGroup).band);
    c.switchView(x.store);
    x.store.RebuildViewValues(x.store.LayoutFlag);  // what the window does on a switch
    ASSERT_TRUE(x.RunUntil([&] { return x.link.queue().Settled(); }, 10000));
    EXPECT_EQ(x.unit.Value(c.page, IndexOf(c.edited)), 321);
    const int band = LocateBand(c.edited, 0).band;
    const Bytes sentFrame =
        BuildBandFrame(kPages[static_cast<size_t>(c.page)].bandFrameAddress, band, edited);
    EXPECT_EQ(CountSent(x, 0, sentFrame), 1);
    // The shared view row now shows the other page: a frame built from it would carry that
    // page's values.
    EXPECT_NE(ReadBandValues(x.store, c.page, band), edited);
  }
}

TEST_F(OnlineLink, NoBandFrameForABandTheGroupDoesNotHave) {
  h.store.MicGroup = 1;  // MIC B: bands 0 to 8
  const size_t from = h.SentCount();
  h.store.SetBand(MakeAddress(1, 6 + 5 * 14 + 2), 5);  // band 14 exists only in group A
  h.store.SetBand(MakeAddress(1, 6 + 5 * 9), 5);       // band 9 neither
  EXPECT_TRUE(h.SentWithoutKeepAlives(from).empty());
  h.store.SetBand(MakeAddress(1, 6 + 5 * 8 + 2), 5);  // band 8 is MIC B's last
  ASSERT_EQ(h.SentWithoutKeepAlives(from).size(), 1u);
  EXPECT_EQ(h.SentWithoutKeepAlives(from)[0][4], 0x03);
  EXPECT_EQ(h.SentWithoutKeepAlives(from)[0][6], 8);
}

}  // namespace
}  // namespace velantro::test
