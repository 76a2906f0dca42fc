#include "link/DeviceLink.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/LinkHarness.h"

namespace velantro::test {
namespace {

std::vector<Bytes> ReadRequests(int stepCount) {
  std::vector<Bytes> requests;
  for (int page = 0; page <= 9; ++page) requests.push_back(BuildPageRequest(page));
  for (ParamAddress a = 0x0A07; a <= 0x0A0B; ++a) requests.push_back(BuildItemRequest(a));
  for (ParamAddress a = 0x0A20; a <= 0x0A22; ++a) requests.push_back(BuildItemRequest(a));
  for (int name = 0; name < 9; ++name) requests.push_back(BuildNameRequest(name));
  requests.push_back(BuildItemRequest(0x0A06));
  if (stepCount == kReloadStepCount) return requests;
  for (ParamAddress a = 0x0A02; a <= 0x0A05; ++a) requests.push_back(BuildItemRequest(a));
  for (ParamAddress a = 0x0A0C; a <= 0x0A0E; ++a) requests.push_back(BuildItemRequest(a));
  requests.push_back(BuildItemRequest(0x0A40));
  requests.push_back(BuildItemRequest(0x0A11));
  requests.push_back(BuildItemRequest(0x0A01));
  return requests;
}

bool IsLinkRequest(const Bytes& f) { return f == BuildLinkControl(kLinkConnect); }

std::vector<Bytes> Requests(const LinkHarness& h, size_t from = 0) {
  std::vector<Bytes> out;
  for (const Bytes& f : h.SentSince(from)) {
    if (!IsLinkRequest(f) && !IsKeepAlive(f)) out.push_back(f);
  }
  return out;
}

int CountOf(const std::vector<Bytes>& frames, const Bytes& frame) {
  return static_cast<int>(std::count(frames.begin(), frames.end(), frame));
}

// Runs the harness to online while watching the step, the progress and the online flag.
struct DownloadTrace {
  int firstStepAt100 = -1;
  int stepWhenOnline = -1;
};

DownloadTrace RunToOnline(LinkHarness& h) {
  DownloadTrace trace;
  h.RunUntil(
      [&] {
        if (trace.firstStepAt100 < 0 && h.link.downloading() && h.link.progressPercent() == 100) {
          trace.firstStepAt100 = h.link.step();
        }
        if (h.link.LinkOnline()) trace.stepWhenOnline = h.link.step();
        return h.link.LinkOnline();
      },
      30000);
  return trace;
}

TEST(DeviceLinkDownload, FullDownloadSends38RequestsInOrderAndGoesOnlineOnlyAfterStep29) {
  for (const bool serial : {false, true}) {
    SCOPED_TRACE(serial ? "serial" : "network");
    LinkHarness h;
    if (serial) {
      h.serial.names = {"/dev/ttyUSB0"};
      h.serial.unitPort = "/dev/ttyUSB0";
      h.network.unitReachable = false;
    }
    h.link.FillPortList();
    h.link.Connect();
    const DownloadTrace trace = RunToOnline(h);
    ASSERT_TRUE(h.link.LinkOnline());
    EXPECT_EQ(Requests(h), ReadRequests(kDownloadStepCount));
    EXPECT_EQ(trace.firstStepAt100, 29);
    EXPECT_EQ(trace.stepWhenOnline, 29);
    EXPECT_EQ(h.events,
              (std::vector<LinkEvent>{LinkEvent::LinkStart, LinkEvent::DownloadComplete}));
    EXPECT_EQ(h.link.FirstDownloadFlag, 1);
    EXPECT_EQ(h.view().caption, "Online");
    EXPECT_EQ(h.view().hint, "设备已连接");
    EXPECT_EQ(h.view().button, LinkButtonLook::Unlink);
    EXPECT_FALSE(h.view().dialogVisible);
    EXPECT_EQ(h.view().refreshCount, 1);
    EXPECT_TRUE(h.timers.IsActive(LinkTimer::Hold));
    EXPECT_EQ(h.link.kind(), serial ? LinkKind::Serial : LinkKind::Network);
    // The store holds the unit's image, text items included.
    for (int page = 0; page <= 9; ++page) {
      const int n = page == 0 ? kMusicUploadValueCount : PageValueCount(page);
      for (int i = 0; i < n; ++i) {
        ASSERT_EQ(h.store.DeviceImage[page][i], h.unit.Image()[page][i]) << page << ":" << i;
      }
    }
    for (int mode = 0; mode < 9; ++mode) {
      EXPECT_EQ(h.store.ModeNames[mode], h.unit.ModeName(mode));
    }
    EXPECT_EQ(h.store.SystemPassword, h.unit.SystemPassword());
    EXPECT_EQ(h.store.KeyLockPassword, h.unit.KeyLockPassword());
    EXPECT_EQ(h.store.LayoutFlag, h.unit.Image()[0][1]);
  }
}

TEST(DeviceLinkDownload, NameCounterStartsAtZeroAfterADownloadBrokenOffDuringTheNames) {
  LinkHarness h;
  h.link.Connect();
  ASSERT_TRUE(h.RunUntil(
      [&] { return h.link.step() == kModeNameStep && h.link.nameCounter() == 4; }, 30000));
  h.link.Connect();  // the link button while linking: the download is abandoned
  const size_t from = h.SentCount();
  RunToOnline(h);
  ASSERT_TRUE(h.link.LinkOnline());
  EXPECT_EQ(Requests(h, from), ReadRequests(kDownloadStepCount));
}

TEST(DeviceLinkReload, ModeRecallReloadsTwentyStepsWithoutPasswordsOrCode) {
  LinkHarness h;
  ASSERT_TRUE(h.ConnectOverNetwork());
  h.Advance(100);
  const size_t from = h.SentCount();
  h.store.SetParam(sysaddr::CurrentMode, 3);
  EXPECT_EQ(h.SentSince(from), std::vector<Bytes>{BuildValue(kCmdWrite, 0x0A02, 3)});
  // The recall's status speaks the console's language and keeps the other in its hint.
  EXPECT_EQ(h.view().caption, "Loading...");
  EXPECT_EQ(h.view().hint, "加载中...");
  EXPECT_FALSE(h.link.LinkOnline());
  h.store.SetParam(0x0105, 7);  // offline for edits now: stored, not sent
  EXPECT_EQ(h.SentCount(), from + 1);

  RunToOnline(h);
  ASSERT_TRUE(h.link.LinkOnline());
  std::vector<Bytes> expected{BuildValue(kCmdWrite, 0x0A02, 3)};
  for (const Bytes& r : ReadRequests(kReloadStepCount)) expected.push_back(r);
  EXPECT_EQ(Requests(h, from), expected);
  EXPECT_EQ(h.events.back(), LinkEvent::DownloadComplete);
  EXPECT_EQ(h.events[h.events.size() - 2], LinkEvent::Reload);
  EXPECT_EQ(h.unit.CurrentMode(), 3);
  // The recalled mode is what the console now shows.
  EXPECT_EQ(h.store.DeviceImage[4][20], h.unit.Image()[4][20]);
}

TEST(DeviceLinkUpload, UploadSendsTwentyStepsAndEndsOnline) {
  // Fast, and paced: the same frames in the same order.
  for (const bool paced : {false, true}) {
    SCOPED_TRACE(paced ? "paced" : "fast");
    LinkHarness h;
    h.config.paced = paced;
    ASSERT_TRUE(h.ConnectOverNetwork());
    h.Advance(100);
    // A loaded preset: different values in the store.
    for (int page = 0; page <= 9; ++page) h.store.DeviceImage[page][3] = 10 + page;
    h.store.DeviceImage[10][7] = 33;
    h.store.ViewValues[10][17] = 1;
    const size_t from = h.SentCount();
    EXPECT_TRUE(h.messages().notices.empty());  // the first download says nothing
    h.link.RaiseLinkEvent(LinkEvent::Upload);
    EXPECT_EQ(h.view().caption, "Download...");
    RunToOnline(h);
    ASSERT_TRUE(h.link.LinkOnline());
    // The end of the upload is said, once.
    ASSERT_EQ(h.messages().notices.size(), 1u);
    EXPECT_EQ(h.messages().notices[0].text, "Upload finished: the unit holds the new settings.");
    EXPECT_EQ(h.messages().notices[0].kind, NoticeKind::Brief);

    std::vector<Bytes> expected;
    for (int i = 0; i < 6; ++i) {
      expected.push_back(BuildValue(kCmdWrite, 0x0A06 + i, h.store.DeviceImage[10][6 + i]));
    }
    for (int page = 0; page <= 9; ++page) expected.push_back(BuildPageUpload(h.store, page));
    for (int i = 0; i < 4; ++i) expected.push_back(BuildUploadClosing(h.store));
    EXPECT_EQ(Requests(h, from), expected);
    EXPECT_EQ(h.events.back(), LinkEvent::DownloadComplete);
    for (int page = 0; page <= 9; ++page) EXPECT_EQ(h.unit.Image()[page][3], 10 + page);
    EXPECT_EQ(h.unit.Image()[10][7], 33);
  }
}

TEST(DeviceLinkUpload, AnUploadThatMeetsSilenceStartsOverPacedFromItsFirstStep) {
  LinkHarness h;
  ASSERT_TRUE(h.ConnectOverNetwork());
  h.Advance(100);
  for (int page = 0; page <= 9; ++page) h.store.DeviceImage[page][3] = 10 + page;
  const size_t from = h.SentCount();
  h.link.RaiseLinkEvent(LinkEvent::Upload);
  ASSERT_TRUE(h.RunUntil([&] { return h.link.step() == 8; }, 1000));
  h.LoseNextFrames(1);  // the next page upload never reaches the unit
  RunToOnline(h);
  ASSERT_TRUE(h.link.LinkOnline());
  EXPECT_TRUE(h.link.paced());
  const auto& captions = h.view().captions;
  EXPECT_NE(std::find(captions.begin(), captions.end(), "Download... (paced)"), captions.end());
  // Steps 0 to 8 went twice: once fast, once from the start at the ticks' pace.
  EXPECT_EQ(CountOf(h.SentSince(from), BuildValue(kCmdWrite, 0x0A06, h.store.DeviceImage[10][6])),
            2);
  EXPECT_EQ(CountOf(h.SentSince(from), BuildPageUpload(h.store, 2)), 2);
  for (int page = 0; page <= 9; ++page) EXPECT_EQ(h.unit.Image()[page][3], 10 + page);
}

// Paced, at the serial pace of 100 ms per download tick.
TEST(DeviceLinkDownload, LateAnswerAtStep5ContinuesButElevenSilentSecondsFail) {
  struct Case {
    int64_t holdMs;
    bool online;
  };
  for (const Case c : {Case{3000, true}, Case{11500, false}}) {
    SCOPED_TRACE(c.holdMs);
    LinkHarness h;
    h.config.paced = true;
    h.PutUnitOnSerial();
    h.link.Connect();
    ASSERT_TRUE(h.RunUntil([&] { return h.link.step() == 5; }, 30000));
    h.HoldAnswers(c.holdMs);
    RunToOnline(h);
    EXPECT_EQ(h.link.LinkOnline(), c.online);
    if (c.online) {
      EXPECT_EQ(h.events,
                (std::vector<LinkEvent>{LinkEvent::LinkStart, LinkEvent::DownloadComplete}));
      EXPECT_TRUE(h.messages().boxes.empty());
    } else {
      EXPECT_EQ(h.events, (std::vector<LinkEvent>{LinkEvent::LinkStart, LinkEvent::LinkFailed}));
      ASSERT_EQ(h.messages().boxes.size(), 1u);
      EXPECT_EQ(h.messages().boxes[0].text,
                "Off Line!\nCould not read page 5 from the unit (no answer).");
      EXPECT_EQ(h.view().caption, "Off Line");
      EXPECT_EQ(h.view().colour, kStatusRed);
      EXPECT_EQ(h.link.step(), 5);
    }
  }
}

TEST(DeviceLinkDownload, UnitThatStopsAnsweringAfterTheLinkRequestEndsWithEvent9) {
  for (const bool serial : {false, true}) {
    SCOPED_TRACE(serial ? "serial" : "network");
    LinkHarness h;
    h.config.paced = true;
    if (serial) h.PutUnitOnSerial();
    h.link.Connect();
    ASSERT_TRUE(h.RunUntil([&] { return h.link.LinkAnswer() == 1; }, 10000));
    h.SetUnitSilent(true);
    h.RunUntil([&] { return !h.events.empty() && h.events.back() == LinkEvent::LinkFailed; },
               60000);
    EXPECT_EQ(h.events, (std::vector<LinkEvent>{LinkEvent::LinkStart, LinkEvent::LinkFailed}));
    // Step 0 is asked once and repeated a few times before the wait turns late.
    EXPECT_EQ(CountOf(h.SentSince(0), BuildPageRequest(0)), 1 + kTimeoutRepeats);
  }
}

TEST(DeviceLinkSearch, NoUnitAnywhereFailsOnTheNetworkAfterItsLinkRequests) {
  struct Case {
    std::vector<std::string> ports;
    int networkRequests;
    std::vector<std::string> labels;
  };
  const std::vector<Case> cases{
      {{}, 3, {"Network"}},
      {{"/dev/ttyS0", "/dev/ttyS1"}, 4, {"/dev/ttyS0", "/dev/ttyS1", "", "Network", "Network"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ports.size());
    LinkHarness h;
    h.serial.names = c.ports;
    h.network.unitReachable = false;
    h.link.FillPortList();
    h.link.Connect();
    EXPECT_EQ(h.view().caption, "Equipment search...");
    EXPECT_EQ(h.view().button, LinkButtonLook::Unlink);
    h.RunUntil([&] { return !h.events.empty(); }, 20000);
    EXPECT_EQ(h.events, std::vector<LinkEvent>{LinkEvent::LinkFailed});
    int onNetwork = 0;
    int onSerial = 0;
    for (const SentFrame& f : h.sent) {
      ASSERT_TRUE(IsLinkRequest(f.bytes));
      (f.wire == Wire::Network ? onNetwork : onSerial) += 1;
    }
    EXPECT_EQ(onNetwork, c.networkRequests);
    EXPECT_EQ(onSerial, static_cast<int>(c.ports.size()));
    EXPECT_EQ(h.view().portLabels, c.labels);
    ASSERT_EQ(h.messages().boxes.size(), 1u);
    EXPECT_EQ(h.messages().boxes[0].text, "Off Line!");
    EXPECT_EQ(h.messages().boxes[0].caption, "Confirm");
    EXPECT_FALSE(h.network.connected);
    EXPECT_EQ(h.view().button, LinkButtonLook::Connect);
    EXPECT_FALSE(h.timers.IsActive(LinkTimer::Search));
  }
}

TEST(DeviceLinkSearch, UnitOnTheSecondOfThreePortsStartsLinkingAtTheThirdTick) {
  LinkHarness h;
  h.config.paced = true;
  h.serial.names = {"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"};
  h.serial.unitPort = "/dev/ttyUSB0";
  h.link.FillPortList();
  h.link.Connect();
  h.Advance(1000);
  EXPECT_EQ(h.serial.opened, std::vector<std::string>{"/dev/ttyS0"});
  h.Advance(1000);
  EXPECT_EQ(h.serial.opened, (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyUSB0"}));
  h.Advance(50);
  EXPECT_EQ(h.link.LinkAnswer(), 1);
  EXPECT_TRUE(h.events.empty());
  h.Advance(950);
  EXPECT_EQ(h.events, std::vector<LinkEvent>{LinkEvent::LinkStart});
  EXPECT_EQ(h.view().caption, "Linking...");
  EXPECT_EQ(h.view().colour, kStatusSilver);
  EXPECT_EQ(h.serial.portName, "/dev/ttyUSB0");
  EXPECT_TRUE(h.RunUntil([&] { return h.link.LinkOnline(); }, 20000));
}

TEST(DeviceLinkSearch, ConnectStartsAgainFromTheFirstPortAfterASearchThatEndedOnTheNetwork) {
  LinkHarness h;
  h.serial.names = {"/dev/ttyUSB0"};
  h.link.FillPortList();
  h.link.Connect();
  h.RunUntil([&] { return h.link.kind() == LinkKind::Network; }, 10000);
  ASSERT_TRUE(h.RunUntil([&] { return h.link.LinkOnline(); }, 20000));  // found on the network
  h.link.Disconnect();
  h.serial.unitPort = "/dev/ttyUSB0";
  h.link.Connect();
  EXPECT_EQ(h.link.kind(), LinkKind::Serial);
  ASSERT_TRUE(h.RunUntil([&] { return h.link.LinkOnline(); }, 20000));
  EXPECT_EQ(h.link.kind(), LinkKind::Serial);
}

TEST(DeviceLinkSearch, PortFieldThatIsNotAPortEndsTheSearchWithAMessage) {
  for (const std::string text : {"abc", "0", "65536", "", "88 89"}) {
    SCOPED_TRACE(text);
    LinkHarness h;
    h.config.portText = text;
    h.link.Connect();
    h.Advance(1500);
    EXPECT_EQ(h.network.connects, 0);
    EXPECT_FALSE(h.timers.IsActive(LinkTimer::Search));
    ASSERT_EQ(h.messages().boxes.size(), 1u);
    EXPECT_NE(h.messages().boxes[0].text.find("1 to 65535"), std::string::npos);
    EXPECT_EQ(h.view().caption, "Off Line");
  }
}

TEST(DeviceLinkDisconnect, LinkButtonWhileOnlineSendsTheDisconnectCodeAndStopsEdits) {
  LinkHarness h;
  ASSERT_TRUE(h.ConnectOverNetwork());
  h.Advance(100);
  const size_t from = h.SentCount();
  h.link.PressLinkButton();
  EXPECT_EQ(Hex(h.SentSince(from).at(0)), "FC BA 06 A7 0A 30 AA 00 3D");
  EXPECT_EQ(h.view().caption, "OffLine");
  EXPECT_EQ(h.view().button, LinkButtonLook::Connect);
  h.store.SetParam(0x0105, 300);
  h.Advance(3000);
  EXPECT_EQ(h.SentCount(), from + 1);
}

TEST(DeviceLinkEvents, ChineseLanguageShowsChineseTextsWithEnglishHints) {
  LinkHarness h;
  h.config.LanguageSetting = Language::Chinese;
  h.network.unitReachable = false;
  h.link.Connect();
  h.RunUntil([&] { return !h.events.empty(); }, 20000);
  EXPECT_EQ(h.view().caption, "设备未连接");
  EXPECT_EQ(h.view().hint, "Off Line");
  ASSERT_EQ(h.messages().boxes.size(), 1u);
  EXPECT_EQ(h.messages().boxes[0].text, "连接失败!");
  EXPECT_EQ(h.messages().boxes[0].caption, "提示");
}

TEST(DeviceLinkEvents, ModeSaveWaitsForTheAcknowledgementThenRebuildsTheModeList) {
  LinkHarness h;
  ASSERT_TRUE(h.ConnectOverNetwork());
  h.Advance(100);
  h.link.SaveMode(2, "Party");
  EXPECT_EQ(h.view().caption, "Saving...");
  EXPECT_FALSE(h.link.LinkOnline());
  h.RunUntil([&] { return h.link.LinkOnline(); }, 2000);
  EXPECT_EQ(h.events.back(), LinkEvent::ModeSaved);
  EXPECT_EQ(h.view().modeListRebuilds, 1);
  EXPECT_EQ(h.view().colour, kStatusSavedBlue);
  // The save is said in a notice that goes by itself; nothing waits for an OK.
  EXPECT_TRUE(h.messages().boxes.empty());
  ASSERT_EQ(h.messages().notices.size(), 1u);
  EXPECT_EQ(h.messages().notices[0].text, "Save Success!");
  EXPECT_EQ(h.messages().notices[0].kind, NoticeKind::Brief);
  EXPECT_EQ(h.unit.ModeName(2), "Party");
}

TEST(DeviceLinkDownload, DamagedAnswersAreAskedForAgainAndNeverTakenForTheData) {
  struct Case {
    int corruptAnswers;  // the unit's first data frames leave damaged
    bool online;
  };
  for (const Case c : {Case{3, true}, Case{4, false}}) {
    SCOPED_TRACE(c.corruptAnswers);
    SimOptions options;
    options.corruptAnswers = c.corruptAnswers;
    LinkHarness h(options);
    const DeviceTable truth = h.unit.Image();
    EXPECT_EQ(h.ConnectOverNetwork(), c.online);
    // Page 0 is asked for once and again for every damaged answer.
    EXPECT_EQ(CountOf(h.SentSince(0), BuildPageRequest(0)), 1 + std::min(c.corruptAnswers, 3));
    if (c.online) {
      EXPECT_EQ(h.store.DeviceImage[0], truth[0]);
      EXPECT_EQ(Requests(h).size(), 38u + 3u);
    } else {
      EXPECT_EQ(h.events, (std::vector<LinkEvent>{LinkEvent::LinkStart, LinkEvent::LinkFailed}));
      ASSERT_EQ(h.messages().boxes.size(), 1u);
      EXPECT_EQ(h.messages().boxes[0].text,
                "Off Line!\nCould not read page 0 from the unit (damaged answers).");
    }
  }
}

// The failure message names the request and the reason in the console's language: a Chinese
// operator reads no English in it. Paced, so a silent unit fails the transfer at the step it
// stopped at.
TEST(DeviceLinkEvents, ATransferFailureIsSaidWhollyInTheConsolesLanguage) {
  struct Case {
    bool upload;
    int silentFromStep;
    const char* english;
    const char* chinese;
  };
  const Case cases[] = {
      {false, 5, "Could not read page 5 from the unit (no answer).", "无法读取第 5 页（无应答）"},
      {false, 10, "Could not read item 0x0A07 from the unit (no answer).",
       "无法读取参数 0x0A07（无应答）"},
      {false, kModeNameStep, "Could not read mode name 1 from the unit (no answer).",
       "无法读取模式名 1（无应答）"},
      {true, 3, "Could not send volume limit 0x0A09 to the unit (no answer).",
       "无法发送音量上限 0x0A09（无应答）"},
      {true, 8, "Could not send page 2 to the unit (no answer).", "无法发送第 2 页（无应答）"},
      {true, 17, "Could not send the closing request 0x0A11 to the unit (no answer).",
       "无法发送结束请求 0x0A11（无应答）"},
  };
  for (const Case& c : cases) {
    for (const Language language : {Language::English, Language::Chinese}) {
      const bool chinese = language == Language::Chinese;
      SCOPED_TRACE(std::string(c.english) + (chinese ? " in Chinese" : ""));
      LinkHarness h;
      h.config.LanguageSetting = language;
      h.config.paced = true;
      if (c.upload) {
        ASSERT_TRUE(h.ConnectOverNetwork());
        h.Advance(100);
        h.link.RaiseLinkEvent(LinkEvent::Upload);
      } else {
        h.PutUnitOnSerial();
        h.link.Connect();
      }
      ASSERT_TRUE(h.RunUntil([&] { return h.link.step() == c.silentFromStep; }, 30000));
      h.HoldAnswers(11500);
      h.RunUntil([&] { return !h.events.empty() && h.events.back() == LinkEvent::LinkFailed; },
                 30000);
      ASSERT_EQ(h.messages().boxes.size(), 1u);
      EXPECT_EQ(h.messages().boxes[0].text, chinese ? std::string("连接失败!\n") + c.chinese
                                                    : std::string("Off Line!\n") + c.english);
    }
  }
  // Damaged answers, in Chinese.
  SimOptions options;
  options.corruptAnswers = 4;
  LinkHarness h(options);
  h.config.LanguageSetting = Language::Chinese;
  EXPECT_FALSE(h.ConnectOverNetwork());
  ASSERT_EQ(h.messages().boxes.size(), 1u);
  EXPECT_EQ(h.messages().boxes[0].text, "连接失败!\n无法读取第 0 页（应答损坏）");
}

TEST(DeviceLinkDownload, AFrameThatDoesNotAnswerTheRequestIsIgnored) {
  LinkHarness h;
  h.network.unitReachable = true;
  h.link.Connect();
  ASSERT_TRUE(h.RunUntil([&] { return h.link.step() == 5; }, 30000));
  h.HoldAnswers(400);
  const auto stray = h.store.DeviceImage[3];
  // A late answer for page 3 and a value for page 7 arrive while page 5 is awaited.
  h.link.OnNetworkChunk(BuildBlock(kCmdWrite, MakeAddress(3, 0), Bytes(20, 0x11)));
  h.link.OnNetworkChunk(BuildValue(kCmdWrite, MakeAddress(7, 3), 999));
  EXPECT_EQ(h.store.DeviceImage[3], stray);
  EXPECT_NE(h.store.DeviceImage[7][3], 999);
  EXPECT_EQ(h.link.replyState(), ReplyState::Waiting);
  RunToOnline(h);
  EXPECT_TRUE(h.link.LinkOnline());
  EXPECT_EQ(h.store.DeviceImage, h.unit.Image());
}

TEST(DeviceLinkDownload, AnAcknowledgementAnswersTheRemoteItemRequest) {
  SimOptions options;
  options.ackRemoteRequest = true;
  LinkHarness h(options);
  const int32_t before = h.store.DeviceImage[10][0x11];
  ASSERT_TRUE(h.ConnectOverNetwork());
  EXPECT_EQ(Requests(h), ReadRequests(kDownloadStepCount));
  EXPECT_EQ(h.store.DeviceImage[10][0x11], before);
}

TEST(DeviceLinkFast, SearchAtConnectAndEachRequestAsSoonAsTheLastIsAnswered) {
  for (const bool serial : {false, true}) {
    SCOPED_TRACE(serial ? "serial" : "network");
    LinkHarness h;
    if (serial) h.PutUnitOnSerial();
    h.link.Connect();
    // The first search step has gone with Connect.
    ASSERT_EQ(h.SentCount(), 1u);
    EXPECT_TRUE(IsLinkRequest(h.sent[0].bytes));
    ASSERT_TRUE(h.RunUntil([&] { return h.link.LinkOnline(); }, 30000));
    EXPECT_EQ(Requests(h), ReadRequests(kDownloadStepCount));
    EXPECT_EQ(h.store.DeviceImage, h.unit.Image());
    // The loopback answers within a millisecond: 38 requests take about as many milliseconds,
    // and the line falls quiet before each mode name after the first, where ticks would take 4 to
    // 8 seconds.
    EXPECT_LT(h.now, 100 + (kModeNameCount - 1) * (kQuietTicks + 1) * kQuietTickMs);
    EXPECT_FALSE(h.link.paced());
  }
}

TEST(DeviceLinkFast, SilenceStartsTheConnectionOverOncePacedAndSaysSo) {
  LinkHarness h;
  h.link.Connect();
  ASSERT_TRUE(h.RunUntil([&] { return h.link.step() == 5; }, 30000));
  h.HoldAnswers(3000);
  ASSERT_TRUE(h.RunUntil([&] { return h.link.LinkOnline(); }, 60000));
  EXPECT_TRUE(h.link.paced());
  const auto& captions = h.view().captions;
  EXPECT_NE(std::find(captions.begin(), captions.end(), "Linking... (paced)"), captions.end());
  EXPECT_EQ(h.view().caption, "Online");
  EXPECT_EQ(h.store.DeviceImage, h.unit.Image());
  // The download started over from the search, and a new Connect is fast again.
  EXPECT_EQ(std::count(h.events.begin(), h.events.end(), LinkEvent::LinkStart), 2);
  h.link.Disconnect();
  h.link.Connect();
  EXPECT_FALSE(h.link.paced());
}

TEST(DeviceLinkFast, PacedOptionKeepsTheTickPacing) {
  LinkHarness h;
  h.config.paced = true;
  h.link.Connect();
  EXPECT_EQ(h.SentCount(), 0u);  // the first search step waits for the first tick
  ASSERT_TRUE(h.RunUntil([&] { return h.link.LinkOnline(); }, 30000));
  EXPECT_EQ(Requests(h), ReadRequests(kDownloadStepCount));
  EXPECT_GT(h.now, 38 * kNetworkDownloadIntervalMs);
}

TEST(DeviceLinkLoss, AClosedConnectionIsALossAtOnce) {
  LinkHarness h;
  ASSERT_TRUE(h.ConnectOverNetwork());
  h.Advance(100);
  h.link.OnTransportLost();
  EXPECT_EQ(h.events.back(), LinkEvent::UnitLost);
  EXPECT_FALSE(h.link.LinkOnline());
  EXPECT_FALSE(h.timers.IsActive(LinkTimer::Hold));
  EXPECT_EQ(h.view().caption, "Off Line");
  // During a download the transfer fails at once, naming what it was reading.
  LinkHarness d;
  d.link.Connect();
  ASSERT_TRUE(d.RunUntil([&] { return d.link.step() == 3; }, 30000));
  d.HoldAnswers(1000);
  d.link.OnTransportLost();
  EXPECT_EQ(d.events.back(), LinkEvent::LinkFailed);
  ASSERT_EQ(d.messages().boxes.size(), 1u);
  EXPECT_NE(d.messages().boxes[0].text.find("page 3"), std::string::npos);
}

// The window's link: it keeps looking for a unit it has lost.
class Reconnecting : public ::testing::Test {
 protected:
  void SetUp() override {
    h.config.reconnect = true;
    ASSERT_TRUE(h.ConnectOverNetwork());
    h.Advance(1100);
  }
  void LoseTheUnit() {
    h.SetUnitSilent(true);
    ASSERT_TRUE(h.RunUntil([&] { return !h.link.LinkOnline(); }, 20000));
  }
  LinkHarness h;
};

TEST_F(Reconnecting, TheUnitBackGetsItsImageReadAgainAndEveryEditItMissed) {
  h.store.SetParam(0x0104, 11);  // in flight when the unit goes silent
  LoseTheUnit();
  EXPECT_EQ(h.events.back(), LinkEvent::UnitLost);
  EXPECT_TRUE(h.messages().boxes.empty());  // nothing waits for the operator
  ASSERT_EQ(h.messages().notices.size(), 1u);
  EXPECT_EQ(h.messages().notices[0].text, "Off Line!");
  EXPECT_EQ(h.messages().notices[0].kind, NoticeKind::Lasting);  // holds while the unit is away
  EXPECT_TRUE(h.messages().noticeOpen);
  EXPECT_EQ(h.view().button, LinkButtonLook::Unlink);
  // Made while the unit was away: a value, a band and a second value of the same parameter.
  h.store.SetParam(0x0106, 22);
  h.store.SetBand(MakeAddress(0, 4 + 5 * 2 + 1), 123);  // music band 2 frequency
  h.store.SetParam(0x0105, 12);
  h.Advance(5000);
  // Meanwhile the unit was switched off and on: its own settings changed.
  h.unit.SetValue(4, 9, 77);
  h.SetUnitSilent(false);
  ASSERT_TRUE(h.RunUntil([&] { return h.link.LinkOnline() && h.link.queue().Settled(); }, 10000));
  EXPECT_EQ(h.messages().noticesClosed, 1);  // "Off Line!" closed itself
  EXPECT_EQ(h.unit.ValueAt(0x0104), 11);
  EXPECT_EQ(h.unit.ValueAt(0x0105), 12);
  EXPECT_EQ(h.unit.ValueAt(0x0106), 22);
  EXPECT_EQ(h.unit.ValueAt(MakeAddress(0, 4 + 5 * 2 + 1)), 123);
  EXPECT_EQ(h.store.DeviceImage[4][9], 77);  // the unit is the truth for the rest
  EXPECT_EQ(h.store.DeviceImage, h.unit.Image());
  ASSERT_EQ(h.messages().notices.size(), 2u);
  EXPECT_EQ(h.messages().notices[1].text,
            "The unit is back: 4 edits it had not received were sent again.");
  EXPECT_EQ(h.messages().notices[1].kind, NoticeKind::Brief);  // goes by itself
  EXPECT_TRUE(h.messages().boxes.empty());
}

TEST_F(Reconnecting, AnEditDuringTheDownloadFromASlowUnitBackKeepsTheLinkGoing) {
  LoseTheUnit();
  h.unit.SetDelayMs(300);
  h.SetUnitSilent(false);
  ASSERT_TRUE(h.RunUntil([&] { return h.link.downloading() && h.link.step() >= 2; }, 20000));
  const ParamAddress gain = MakeAddress(0, 4 + 5 * 1 + 2);  // music band 2 gain
  h.store.SetBand(gain, 150);
  ASSERT_TRUE(h.RunUntil([&] { return h.link.LinkOnline() && h.link.queue().Settled(); }, 60000));
  EXPECT_EQ(h.unit.ValueAt(gain), 150);
  EXPECT_EQ(h.store.DeviceImage, h.unit.Image());
}

TEST(DeviceLinkDisconnect, EditsAfterUnlinkAreCountedAndLeftToTheConsolesChoiceAtConnect) {
  LinkHarness h;
  ASSERT_TRUE(h.ConnectOverNetwork());
  EXPECT_EQ(h.link.EditsNotOnUnit(), 0u);
  h.link.PressLinkButton();                                      // Unlink
  const ParamAddress frequency = MakeAddress(0, 4 + 5 * 4 + 1);  // music band 5 frequency
  const ParamAddress gain = MakeAddress(0, 4 + 5 * 4 + 2);       // the same band's gain
  const int unitVolume = h.unit.ValueAt(0x0105);
  const int unitFrequency = h.unit.ValueAt(frequency);
  h.store.SetParam(0x0105, 300);
  h.store.SetParam(0x0105, 301);  // the same parameter again
  h.store.SetBand(frequency, 123);
  h.store.SetBand(gain, 150);  // the same band
  h.Advance(3000);
  // A parameter counts once, a band once.
  EXPECT_EQ(h.link.EditsNotOnUnit(), 2u);

  // After a Connect the console weighs its edits against the unit's image: the link writes none
  // of them over it and sends none on its own.
  bool choiceDue = false;
  DeviceTable readImage{};
  h.link.onLinkEvent = [&](LinkEvent event) {
    if (event != LinkEvent::DownloadComplete) return;
    choiceDue = h.link.ConnectChoiceDue();
    readImage = h.store.DeviceImage;
  };
  h.link.Connect();
  ASSERT_TRUE(h.RunUntil([&] { return h.link.LinkOnline() && h.link.queue().Settled(); }, 30000));
  EXPECT_TRUE(choiceDue);
  EXPECT_FALSE(h.link.ConnectChoiceDue());
  EXPECT_EQ(readImage, h.unit.Image());
  EXPECT_EQ(h.unit.ValueAt(0x0105), unitVolume);
  EXPECT_EQ(h.unit.ValueAt(frequency), unitFrequency);
  EXPECT_EQ(h.link.EditsNotOnUnit(), 0u);
  EXPECT_TRUE(h.messages().notices.empty());
}

TEST_F(Reconnecting, TriesWhereTheUnitWasEveryTwoSecondsUntilUnlink) {
  LoseTheUnit();
  const int connects = h.network.connects;
  h.Advance(10000);
  EXPECT_EQ(h.network.connects - connects, 5);
  h.link.PressLinkButton();  // Unlink
  EXPECT_FALSE(h.link.reconnecting());
  EXPECT_FALSE(h.messages().noticeOpen);
  EXPECT_EQ(h.view().button, LinkButtonLook::Connect);
  h.SetUnitSilent(false);
  h.Advance(10000);
  EXPECT_EQ(h.network.connects - connects, 5);
  EXPECT_FALSE(h.link.LinkOnline());
  h.link.PressLinkButton();  // Connect
  EXPECT_TRUE(h.RunUntil([&] { return h.link.LinkOnline(); }, 5000));
}

TEST_F(Reconnecting, SearchesEveryPortOnceAMinute) {
  LoseTheUnit();
  // The unit comes back on a serial port instead of the network.
  h.network.unitReachable = false;
  h.PutUnitOnSerial();
  h.SetUnitSilent(false);
  h.Advance(50000);
  EXPECT_FALSE(h.link.LinkOnline());
  EXPECT_TRUE(h.serial.opened.empty());
  ASSERT_TRUE(h.RunUntil([&] { return h.link.LinkOnline(); }, 20000));
  EXPECT_EQ(h.link.kind(), LinkKind::Serial);
  EXPECT_EQ(h.serial.opened, std::vector<std::string>{"/dev/ttyUSB0"});
}

}  // namespace
}  // namespace velantro::test
