#include "link/ChangeQueue.h"

#include <gtest/gtest.h>

#include "binding/Scales.h"
#include "link/DeviceLink.h"
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
  EXPECT_EQ(h.link.queue().bandEntry(1), (BandEntry{0x0002, 1}));
  h.Advance(900);
  const std::vector<Bytes> frames = h.SentWithoutKeepAlives(from);
  ASSERT_EQ(frames.size(), 4u);
  EXPECT_EQ(frames[0], BuildValue(kCmdWrite, 0x0105, 0));
  EXPECT_EQ(frames[1], BuildValue(kCmdWrite, 0x0106, 5));
  EXPECT_EQ(frames[2], BuildValue(kCmdWrite, 0x0106, 5));
  EXPECT_EQ(frames[3], BuildBandFrame(h.store, 0x0002, 1));
  EXPECT_EQ(h.unit.Image()[0][9], 200);
}

TEST_F(OnlineLink, FullQueuesReplaceTheirNewestEntry) {
  h.HoldAnswers(60000);
  h.store.SetParam(0x0A06, 1);  // in flight, never answered while the test looks
  for (int i = 0; i < 61; ++i) h.store.SetParam(MakeAddress(0, 2 + (i % 2)), i);
  ASSERT_EQ(h.link.queue().valueCount(), 61);
  h.store.SetParam(0x0105, 999);
  EXPECT_EQ(h.link.queue().valueCount(), 60);
  EXPECT_EQ(h.link.queue().valueEntry(60), (ValueEntry{0x0105, 999}));
  EXPECT_EQ(h.link.queue().valueEntry(59), (ValueEntry{0x0002, 58}));

  // Band changes never merge; the band queue holds 49.
  for (int i = 0; i < 49; ++i) h.store.SetBand(MakeAddress(0, 4 + 5 * (i % 10)), i);
  ASSERT_EQ(h.link.queue().bandCount(), 49);
  h.store.SetBand(0x010A, 1);  // MIC group A, band 0
  EXPECT_EQ(h.link.queue().bandCount(), 48);
  EXPECT_EQ(h.link.queue().bandEntry(48), (BandEntry{0x0104, 0}));
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
  ASSERT_EQ(h.events.back(), kEventUnitLost);
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
  h.RunUntil([&] { return h.events.back() == kEventReload; }, 2000);
  ASSERT_EQ(h.events.back(), kEventReload);
  ASSERT_TRUE(h.RunUntil([&] { return h.link.LinkOnline(); }, 20000));
  EXPECT_EQ(h.unit.CurrentMode(), 4);
  // The recall itself went out once.
  int recalls = 0;
  for (const SentFrame& f : h.sent) recalls += f.bytes == BuildValue(kCmdWrite, 0x0A02, 4) ? 1 : 0;
  EXPECT_EQ(recalls, 1);
}

}  // namespace
}  // namespace velantro::test
