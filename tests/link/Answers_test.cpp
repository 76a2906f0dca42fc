// Frames that look like the answer but are not: strays, a unit's own value reports, cut and
// duplicated answers, answers in slow pieces. The console takes only what fits the request, and
// shows what the unit reports of its own accord.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "link/DeviceLink.h"
#include "support/LinkHarness.h"

namespace velantro::test {
namespace {

// Gives the unit's modes names of their own, so a name taken for another mode shows.
void NameEveryMode(UnitSim& unit) {
  for (int mode = 0; mode < kUnitModeCount; ++mode) {
    unit.SetModeName(mode, "Mode " + std::string(1, static_cast<char>('A' + mode)));
  }
}

void ExpectTheUnitsImageAndNames(const LinkHarness& h) {
  EXPECT_EQ(h.store.DeviceImage, h.unit.Image());
  for (int mode = 0; mode < kUnitModeCount; ++mode) {
    EXPECT_EQ(h.store.ModeNames[static_cast<size_t>(mode)], h.unit.ModeName(mode)) << mode;
  }
}

TEST(Answers, OnlyAFrameThatFitsTheRequestIsTaken) {
  struct Case {
    const char* name;
    SimOptions options;
  };
  SimOptions stray;
  stray.strayFrames = true;
  SimOptions shortPage5;
  shortPage5.shortAnswerPage = 5;
  SimOptions shortPage0;
  shortPage0.shortAnswerPage = 0;
  SimOptions twice;
  twice.duplicateAnswers = true;
  SimOptions everything = stray;
  everything.duplicateAnswers = true;
  everything.shortAnswerPage = 3;
  const Case cases[] = {{"a one-value frame of the page before each page answer", stray},
                        {"the page 5 answer cut to 10 values", shortPage5},
                        {"the page 0 answer cut to 10 values", shortPage0},
                        {"every answer twice", twice},
                        {"all of them", everything}};
  for (const Case& c : cases) {
    for (const bool serial : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (serial ? " (serial)" : " (network)"));
      LinkHarness h(c.options);
      NameEveryMode(h.unit);
      if (serial) {
        ASSERT_TRUE(h.ConnectOverSerial());
      } else {
        ASSERT_TRUE(h.ConnectOverNetwork());
      }
      ExpectTheUnitsImageAndNames(h);
      // A wrong answer costs a re-ask of its step, not the connection.
      EXPECT_FALSE(h.link.paced());
      EXPECT_EQ(std::count(h.events.begin(), h.events.end(), LinkEvent::LinkStart), 1);
      EXPECT_LT(h.now, 2000);
    }
  }
}

TEST(Answers, AnswerOfTheSamePageAndAnotherLengthIsAskedForAgain) {
  // Frames a unit sends on page 3 that are not the page 3 answer: a value it reports, the first
  // ten values, the whole page from index 1.
  const Bytes report = BuildValue(kCmdWrite, MakeAddress(3, 20), 77);
  const Bytes tenValues = BuildBlock(kCmdWrite, MakeAddress(3, 0), Bytes(20, 0x11));
  const Bytes fromIndex1 =
      BuildBlock(kCmdWrite, MakeAddress(3, 1), Bytes(2 * PageUploadValueCount(3), 0x11));
  for (const Bytes& wrong : {report, tenValues, fromIndex1}) {
    SCOPED_TRACE(Hex(wrong));
    LinkHarness h;
    h.link.Connect();
    ASSERT_TRUE(h.RunUntil([&] { return h.link.step() == 3; }, 30000));
    h.HoldAnswers(1);
    h.link.OnNetworkChunk(wrong);
    EXPECT_EQ(h.link.step(), 3);
    ASSERT_TRUE(h.RunUntil([&] { return h.link.LinkOnline(); }, 30000));
    EXPECT_EQ(h.store.DeviceImage, h.unit.Image());
  }
}

TEST(Answers, WrongAnswerWithNoAnswerBehindItIsAskedForAgainAtOnce) {
  LinkHarness h;
  h.link.Connect();
  ASSERT_TRUE(h.RunUntil([&] { return h.link.step() == 5; }, 30000));
  // The page 5 request was lost; only a value report came.
  h.unit.TakeAnswers(h.now + 100000);
  const size_t before = h.SentCount();
  const int64_t start = h.now;
  h.link.OnNetworkChunk(BuildValue(kCmdWrite, MakeAddress(5, 2), 3));
  ASSERT_TRUE(h.RunUntil([&] { return h.SentCount() > before; }, 5000));
  EXPECT_EQ(h.SentSince(before).front(), BuildPageRequest(5));
  EXPECT_LE(h.now - start, 2 * kNetworkDownloadIntervalMs);
  ASSERT_TRUE(h.RunUntil([&] { return h.link.LinkOnline(); }, 30000));
  EXPECT_FALSE(h.link.paced());
  EXPECT_EQ(h.store.DeviceImage, h.unit.Image());
}

TEST(Answers, ValuesTheUnitReportsAreShownWhileOnlineAndNothingIsSent) {
  LinkHarness h;
  ASSERT_TRUE(h.ConnectOverNetwork());
  const int refreshes = h.view().refreshCount;
  const size_t sentBefore = h.SentCount();
  for (int k = 0; k < 5; ++k) {
    h.unit.ReportOwnChange(h.now);
    h.Advance(200);
  }
  EXPECT_EQ(h.store.DeviceImage, h.unit.Image());
  // Shown: the view refreshed and ViewValues follow the unit.
  EXPECT_GT(h.view().refreshCount, refreshes);
  for (int j = 0; j < PageValueCount(1); ++j) {
    EXPECT_EQ(h.store.View(1, j), h.unit.Value(1, j)) << j;
  }
  EXPECT_TRUE(h.SentWithoutKeepAlives(sentBefore).empty());
}

TEST(Answers, TheOperatorsEditOnItsWayWinsOverAReportOfTheSameValue) {
  LinkHarness h;
  ASSERT_TRUE(h.ConnectOverNetwork());
  const ParamAddress volume = sysaddr::MusicStartVolume + 1;  // a plain value on the system page
  h.HoldAnswers(300);
  h.store.SetParam(volume, 5);
  // The unit reports its old value while the edit waits for its acknowledgement.
  h.link.OnNetworkChunk(BuildValue(kCmdWrite, volume, 9));
  EXPECT_EQ(h.store.Device(kSystemPage, IndexOf(volume)), 5);
  ASSERT_TRUE(h.RunUntil([&] { return h.link.queue().Settled(); }, 5000));
  EXPECT_EQ(h.unit.ValueAt(volume), 5);
  EXPECT_EQ(h.store.Device(kSystemPage, IndexOf(volume)), 5);
}

TEST(Answers, AFrameInSlowPiecesIsTakenWhileOnline) {
  SimOptions options;
  options.trickleMs = 60;
  for (const bool serial : {false, true}) {
    SCOPED_TRACE(serial ? "serial" : "network");
    LinkHarness h(options);
    ASSERT_TRUE(serial ? h.ConnectOverSerial() : h.ConnectOverNetwork());
    h.unit.ReportOwnChange(h.now);
    h.Advance(kTricklePieces * options.trickleMs + 200);
    EXPECT_EQ(h.store.DeviceImage, h.unit.Image());
  }
}

TEST(Answers, PartialFrameIsGivenUpHalfASecondAfterItsLastByte) {
  LinkHarness h;
  ASSERT_TRUE(h.ConnectOverNetwork());
  const Bytes report = BuildValue(kCmdWrite, MakeAddress(1, 20), 150);
  h.link.OnNetworkChunk(Bytes(report.begin(), report.begin() + 4));
  h.Advance(FrameScanner::kPartialMessageGiveUpMs + 2 * kHoldIntervalMs);
  EXPECT_EQ(h.link.networkReceiver().pendingBytes(), 0u);
  // The acknowledgements behind it are not swallowed: the link is still online.
  h.Advance(15000);
  EXPECT_TRUE(h.link.LinkOnline());
}

TEST(Answers, SerialPortGivenByNameWaitsForALateAnswer) {
  for (const bool given : {true, false}) {
    SCOPED_TRACE(given ? "given with --serial" : "found in the machine's list");
    LinkHarness h;
    h.PutUnitOnSerial();
    if (given) h.link.SetGivenPorts({"/dev/ttyUSB0"});
    h.network.unitReachable = false;
    h.link.Connect();
    // The unit answers the link request after 1.2 s.
    h.HoldAnswers(1200);
    h.RunUntil([&] { return h.link.downloading() || !h.timers.IsActive(LinkTimer::Search); },
               30000);
    EXPECT_EQ(h.link.downloading(), given);
    EXPECT_EQ(h.serial.opened.size(), 1u);
  }
}

TEST(Answers, UnitThatPausesSixSecondsMidDownloadIsWaitedFor) {
  for (const bool serial : {false, true}) {
    SCOPED_TRACE(serial ? "serial" : "network");
    LinkHarness h;
    if (serial) h.PutUnitOnSerial();
    h.link.Connect();
    ASSERT_TRUE(h.RunUntil([&] { return h.link.step() == 5; }, 30000));
    h.SetUnitSilent(true);
    h.Advance(6000);
    h.SetUnitSilent(false);
    ASSERT_TRUE(h.RunUntil([&] { return h.link.LinkOnline(); }, 60000));
    EXPECT_EQ(std::count(h.events.begin(), h.events.end(), LinkEvent::LinkFailed), 0);
    EXPECT_EQ(h.store.DeviceImage, h.unit.Image());
  }
}

TEST(Answers, UnitSilentForElevenSecondsMidDownloadIsGivenUp) {
  LinkHarness h;
  h.link.Connect();
  ASSERT_TRUE(h.RunUntil([&] { return h.link.step() == 5; }, 30000));
  h.SetUnitSilent(true);
  const int64_t silentFrom = h.now;
  ASSERT_TRUE(h.RunUntil(
      [&] { return !h.events.empty() && h.events.back() == LinkEvent::LinkFailed; }, 60000));
  EXPECT_GE(h.now - silentFrom, 11000);
  EXPECT_LE(h.now - silentFrom, 13000);
}

}  // namespace
}  // namespace velantro::test
