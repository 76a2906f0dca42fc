#include "sim/UnitSim.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace velantro::test {
namespace {

const Bytes kAck{0xFE, 0xBB};
const std::vector<Bytes> kAcked{kAck};

std::vector<Bytes> Exchange(UnitSim& unit, const Bytes& frame, int64_t nowMs = 0) {
  unit.Receive(frame, nowMs);
  return unit.TakeAnswers(nowMs);
}

// Sends one request and decodes its single answer into the console's store.
void Download(UnitSim& unit, const Bytes& request, ParamStore& store, int requestedName = -1) {
  const auto answers = Exchange(unit, request);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(DecodeFrame(LinkKind::Network, answers[0], store, requestedName).result,
            DecodeResult::Applied);
}

// The request sequence of a full download.
void FullDownload(UnitSim& unit, ParamStore& store) {
  for (int page = 0; page < 10; ++page) Download(unit, BuildPageRequest(page), store);
  for (ParamAddress a : {0x0A07, 0x0A08, 0x0A09, 0x0A0A, 0x0A0B, 0x0A20, 0x0A21, 0x0A22}) {
    Download(unit, BuildItemRequest(a), store);
  }
  for (int mode = 0; mode < kUnitModeCount; ++mode) {
    Download(unit, BuildNameRequest(mode), store, mode);
  }
  for (ParamAddress a :
       {0x0A06, 0x0A02, 0x0A03, 0x0A04, 0x0A05, 0x0A0C, 0x0A0D, 0x0A0E, 0x0A40, 0x0A11, 0x0A01}) {
    Download(unit, BuildItemRequest(a), store);
  }
}

TEST(UnitSim, FullDownloadMirrorsTheUnitInTheConsoleStore) {
  UnitSim unit;
  unit.SetModeName(5, "Late Show");
  ParamStore store;
  FullDownload(unit, store);

  for (int page = 0; page < 10; ++page) {
    for (int k = 0; k < PageUploadValueCount(page); ++k) {
      ASSERT_EQ(store.DeviceImage[page][k], unit.Image()[page][k]) << page << ":" << k;
    }
  }
  for (int index : {1, 2, 3, 6, 7, 11, 12, 13, 14, 17, 32, 33, 34}) {
    EXPECT_EQ(store.DeviceImage[10][index], unit.Image()[10][index]) << index;
  }
  for (int mode = 0; mode < kUnitModeCount; ++mode) {
    EXPECT_EQ(store.ModeNames[mode], unit.ModeName(mode));
  }
  EXPECT_EQ(store.ModeNames[5], "Late Show");
  EXPECT_EQ(store.SystemPassword, "123456");
  EXPECT_EQ(store.KeyLockPassword, "1234");
  EXPECT_EQ(store.DeviceCode, "5A3C007E");
  // A factory unit looks real: music band 0 is a PEQ with plausible frequency, gain and Qs.
  EXPECT_EQ(store.DeviceImage[0][4], 0);
  EXPECT_GT(store.DeviceImage[0][5], 0);
  EXPECT_EQ(store.DeviceImage[0][7], 16);
  EXPECT_EQ(store.DeviceImage[0][8], 10);
}

// Every stored value of the factory image, in every stored mode, lies within the range of the
// control that shows it, and the switches a console shows prominently are off.
struct SlotRange {
  std::vector<int> pages;
  int index;
  int low;
  int high;
};

TEST(UnitSim, FactoryImageStaysWithinEveryControlsRange) {
  const std::vector<int> outputs{6, 7, 8, 9};
  const std::vector<SlotRange> ranges = {
      {{0}, 0, 0, 1},       {{0}, 1, 0, 1},        {{0}, 3, 0, 0},        {{0}, 55, 0, 0},
      {{1, 3}, 0, 0, 143},  {{1, 3}, 2, 0, 7},     {{1, 3}, 3, 0, 10},    {{1, 3}, 5, 0, 0},
      {{2}, 1, 0, 0},       {{2}, 7, 0, 2},        {{2}, 8, 0, 15},       {{2}, 9, 0, 7},
      {{2}, 10, 0, 50},     {{2}, 11, 0, 40},      {{2}, 12, 0, 2},       {{4, 5}, 0, 0, 1},
      {{4, 5}, 1, 0, 100},  {{4, 5}, 2, 0, 1},     {{4, 5}, 3, 0, 100},   {{4}, 4, 0, 205},
      {{4}, 5, 0, 64},      {{4}, 6, 0, 125},      {{4}, 7, 0, 250},      {{4}, 8, 0, 90},
      {{4}, 9, 0, 100},     {{4}, 10, 0, 50},      {{4}, 11, 0, 1},       {{5}, 4, 0, 80},
      {{5}, 5, 0, 100},     {{5}, 6, 0, 205},      {{5}, 7, 0, 64},       {{5}, 8, 0, 1},
      {{5}, 9, 0, 100},     {{5}, 10, 0, 205},     {{5}, 11, 0, 64},      {{5}, 12, 0, 10},
      {{5}, 13, 0, 10},     {{4, 5}, 15, 0, 0},    {outputs, 16, 0, 4},   {outputs, 17, 0, 362},
      {outputs, 18, 0, 23}, {outputs, 19, 0, 4},   {outputs, 20, 0, 362}, {outputs, 21, 0, 23},
      {outputs, 22, 0, 15}, {outputs, 23, 0, 7},   {outputs, 24, 0, 50},  {outputs, 25, 0, 40},
      {outputs, 26, 0, 2},  {outputs, 27, 0, 500}, {{6, 9}, 28, 0, 500},  {{6, 9}, 29, 0, 0},
      {{6, 9}, 30, 0, 0},   {{6, 9}, 31, 0, 1},    {{6, 9}, 33, 0, 0},    {{7, 8}, 28, 0, 0},
      {{7, 8}, 30, 0, 0},   {{10}, 3, 0, 2},       {{10}, 6, 0, 82},      {{10}, 7, 0, 82},
      {{10}, 8, 0, 82},     {{10}, 9, 0, 82},      {{10}, 10, 0, 70},     {{10}, 11, 0, 70},
      {{10}, 12, 0, 1},     {{10}, 13, 0, 1},      {{10}, 14, 0, 1},      {{10}, 17, 0, 1},
      {{10}, 32, 0, 82},    {{10}, 33, 0, 82},     {{10}, 34, 0, 70},
  };
  // Mix levels 0–100 and phases 0/1 of both music settings.
  std::vector<SlotRange> all = ranges;
  for (int k = 0; k < 16; ++k) all.push_back({outputs, k, k % 4 < 2 ? 20 : 1, k % 4 < 2 ? 100 : 1});

  UnitSim unit;
  std::vector<const DeviceTable*> images{&unit.Image()};
  for (int m = 0; m < kUnitModeCount; ++m) images.push_back(&unit.StoredMode(m));
  for (const DeviceTable* image : images) {
    for (const auto& r : all) {
      for (int page : r.pages) {
        const int v = (*image)[page][r.index];
        EXPECT_TRUE(v >= r.low && v <= r.high) << page << ":" << r.index << " = " << v;
      }
    }
    // EQ bands (the outputs' eighth group included, both music settings): type, frequency,
    // gain, PEQ Q and shelf Q.
    constexpr std::array<int, 5> kFieldMax{2, 361, 180, 100, 24};
    auto checkBand = [&](int page, int first) {
      for (int f = 0; f < 5; ++f) {
        const int v = (*image)[page][first + f];
        EXPECT_TRUE(v >= 0 && v <= kFieldMax[f]) << page << ":" << first + f << " = " << v;
      }
    };
    for (int page = 0; page < 10; ++page) {
      if (page == kDeqPage) {
        for (int g = 0; g < 3; ++g) checkBand(page, 12 * g + 2);
        continue;
      }
      const int bands = page >= 6 ? 8 : kPages[page].bandCount;
      for (int b = 0; b < bands; ++b) {
        checkBand(page, kPages[page].firstBand + 5 * b);
        if (page == 0) checkBand(page, kPages[page].firstBand + 5 * b + kMusicSecondSetOffset);
      }
    }
  }
  // Start and normal volumes sit at or below their limits.
  const auto& sys = unit.Image()[kSystemPage];
  for (int source = 0; source < 3; ++source) {
    EXPECT_LE(sys[6 + 2 * source], sys[7 + 2 * source]) << source;
    EXPECT_LE(sys[32 + source], sys[7 + 2 * source]) << source;
  }
}

TEST(UnitSim, LinkControlIsAcknowledgedExceptDisconnect) {
  UnitSim unit;
  EXPECT_EQ(Exchange(unit, BuildLinkControl(kLinkConnect)), kAcked);
  EXPECT_EQ(Exchange(unit, BuildLinkControl(kLinkKeepAlive)), kAcked);
  EXPECT_TRUE(Exchange(unit, BuildLinkControl(kLinkDisconnect)).empty());
}

// A value write from the console lands where the console's own layout puts it, for both music
// settings; the next page download brings it back to the same slot.
struct LayoutCase {
  int musicSetting;
  ParamAddress address;
  int deviceIndex;
};

TEST(UnitSim, WritesFollowTheUnitsMusicSetting) {
  const std::vector<LayoutCase> cases = {
      {0, 0x0003, 3}, {1, 0x0003, 55}, {0, 0x0030, 48}, {1, 0x0030, 100}, {0, 0x0604, 4},
      {1, 0x0604, 5}, {1, 0x0910, 16}, {0, 0x0105, 5},  {1, 0x0305, 5},   {1, 0x0A07, 7},
  };
  int value = 1000;
  for (const auto& c : cases) {
    UnitSim unit;
    ParamStore store;
    store.LayoutFlag = static_cast<uint8_t>(c.musicSetting);
    // The mode switch is an ordinary write to 0x0001.
    EXPECT_EQ(Exchange(unit, BuildValue(kCmdWrite, 0x0001, c.musicSetting)), kAcked);
    EXPECT_EQ(unit.MusicSetting(), c.musicSetting);
    ++value;
    store.SetParam(c.address, value);
    EXPECT_EQ(Exchange(unit, BuildValue(kCmdWrite, c.address, value)), kAcked);
    const int page = PageOf(c.address);
    EXPECT_EQ(unit.Value(page, c.deviceIndex), value) << std::hex << c.address;
    EXPECT_EQ(unit.ValueAt(c.address), value);

    ParamStore downloaded;
    if (page < 10) {
      Download(unit, BuildPageRequest(page), downloaded);
    } else {
      Download(unit, BuildItemRequest(c.address), downloaded);
    }
    EXPECT_EQ(downloaded.DeviceImage[page][c.deviceIndex], value);
    EXPECT_EQ(downloaded.DeviceImage[page][c.deviceIndex], store.DeviceImage[page][c.deviceIndex]);
  }
}

TEST(UnitSim, BandAndDeqWritesStoreTheWholeBand) {
  UnitSim unit;
  ParamStore store;
  for (int k = 0; k < 5; ++k) {
    store.ViewValues[0][4 + 5 * 2 + k] = 10 + k;   // music band 2
    store.ViewValues[2][14 + k] = 20 + k;          // DEQ channel 1
    store.ViewValues[6][34 + 5 * 7 + k] = 30 + k;  // the eighth output band group
  }
  EXPECT_EQ(Exchange(unit, BuildValue(kCmdWrite, 0x0001, 1)), kAcked);
  EXPECT_EQ(Exchange(unit, BuildBandFrame(store, 0x0002, 2)), kAcked);
  EXPECT_EQ(Exchange(unit, BuildBandFrame(store, 0x0200, 1)), kAcked);
  EXPECT_EQ(Exchange(unit, BuildBandFrame(store, 0x0620, 7)), kAcked);
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(unit.Value(0, 14 + 52 + k), 10 + k);  // second music setting
    EXPECT_EQ(unit.Value(2, 14 + k), 20 + k);
    EXPECT_EQ(unit.Value(6, 69 + k), 30 + k);
  }
  EXPECT_EQ(Exchange(unit, BuildValue(kCmdWrite, 0x021D, 77)), kAcked);  // 2:29
  EXPECT_EQ(unit.Value(2, 29), 77);

  // A band the page does not have is refused without an acknowledgement.
  const int before = unit.stats().framesRejected;
  EXPECT_TRUE(Exchange(unit, BuildBandFrame(store, 0x0200, 3)).empty());
  EXPECT_EQ(unit.stats().framesRejected, before + 1);
}

TEST(UnitSim, SaveAndRecallModes) {
  UnitSim unit;
  EXPECT_EQ(Exchange(unit, BuildValue(kCmdWrite, 0x0105, 42)), kAcked);
  EXPECT_EQ(Exchange(unit, BuildModeSave(4, "Party")), kAcked);
  EXPECT_EQ(unit.ModeName(4), "Party");
  EXPECT_EQ(unit.CurrentMode(), 4);
  EXPECT_EQ(Exchange(unit, BuildValue(kCmdWrite, 0x0105, 43)), kAcked);

  // Recall another mode, then the saved one: the saved value comes back.
  EXPECT_EQ(Exchange(unit, BuildValue(kCmdWrite, sysaddr::CurrentMode, 1)), kAcked);
  EXPECT_EQ(unit.CurrentMode(), 1);
  EXPECT_EQ(unit.Image()[1], unit.StoredMode(1)[1]);
  EXPECT_EQ(Exchange(unit, BuildValue(kCmdWrite, sysaddr::CurrentMode, 4)), kAcked);
  EXPECT_EQ(unit.Value(1, 5), 42);
  EXPECT_EQ(unit.CurrentMode(), 4);

  ParamStore store;
  Download(unit, BuildNameRequest(4), store, 4);
  EXPECT_EQ(store.ModeNames[4], "Party");
  Download(unit, BuildItemRequest(sysaddr::CurrentMode), store);
  EXPECT_EQ(store.DeviceImage[10][2], 4);

  // No tenth mode.
  EXPECT_TRUE(Exchange(unit, BuildValue(kCmdWrite, sysaddr::CurrentMode, 9)).empty());
  EXPECT_EQ(unit.CurrentMode(), 4);
}

TEST(UnitSim, PageUploadReplacesThePage) {
  UnitSim unit;
  ParamStore store;
  for (int k = 0; k < kDeviceRowSize; ++k) store.DeviceImage[0][k] = 500 + k;
  EXPECT_EQ(Exchange(unit, BuildPageUpload(store, 0)), kAcked);
  for (int k = 0; k < 106; ++k) ASSERT_EQ(unit.Value(0, k), 500 + k) << k;
  EXPECT_EQ(unit.Value(0, 106), UnitSim::DefaultImage()[0][106]);

  // The closing request carries the remote setting and is answered with a data frame.
  store.ViewValues[10][17] = 0;
  ParamStore answer;
  Download(unit, BuildUploadClosing(store), answer);
  EXPECT_EQ(unit.Value(10, 17), 0);
}

TEST(UnitSim, PasswordChanges) {
  UnitSim unit;
  EXPECT_EQ(Exchange(unit, BuildText(sysaddr::SystemPassword, "654321")), kAcked);
  EXPECT_EQ(Exchange(unit, BuildText(sysaddr::KeyLockPassword, "9876")), kAcked);
  // A malformed password is acknowledged but does not replace the stored one.
  EXPECT_EQ(Exchange(unit, BuildText(sysaddr::KeyLockPassword, "12")), kAcked);
  EXPECT_EQ(unit.SystemPassword(), "654321");
  EXPECT_EQ(unit.KeyLockPassword(), "9876");
  ParamStore store;
  Download(unit, BuildItemRequest(sysaddr::SystemPassword), store);
  Download(unit, BuildItemRequest(sysaddr::KeyLockPassword), store);
  EXPECT_EQ(store.SystemPassword, "654321");
  EXPECT_EQ(store.KeyLockPassword, "9876");
}

// The unit reads a byte stream: garbage before a frame, frames split anywhere, two frames in one
// chunk and a corrupt frame followed by a good one.
TEST(UnitSim, ReassemblesFramesFromAByteStream) {
  UnitSim unit;
  Bytes stream{0x00, 0x13, 0xFE, 0xBB, 0xFC, 0xBB, 0x06};
  const Bytes write = BuildValue(kCmdWrite, 0x0105, 300);
  Bytes corrupt = BuildValue(kCmdWrite, 0x0106, 301);
  corrupt.back() ^= 1;
  for (const Bytes& part :
       {write, corrupt, BuildPageRequest(3), BuildValue(kCmdWrite, 0x0107, 302)}) {
    stream.insert(stream.end(), part.begin(), part.end());
  }
  // One byte at a time, all within the stream gap.
  for (size_t k = 0; k < stream.size(); ++k) unit.Receive(std::span(stream).subspan(k, 1), 1);
  const auto answers = unit.TakeAnswers(1);
  ASSERT_EQ(answers.size(), 3u);
  EXPECT_EQ(answers[0], kAck);
  EXPECT_EQ(answers[1][4], 3);  // page 3 data
  EXPECT_EQ(answers[2], kAck);
  EXPECT_EQ(unit.Value(1, 5), 300);
  EXPECT_EQ(unit.Value(1, 6), UnitSim::DefaultImage()[1][6]);
  EXPECT_EQ(unit.Value(1, 7), 302);
  EXPECT_EQ(unit.TakeReceivedFrames().size(), 3u);

  // Everything in one chunk gives the same answers.
  UnitSim whole;
  whole.Receive(stream, 0);
  EXPECT_EQ(whole.TakeAnswers(0), answers);

  // Most of a frame, then after a long pause its last byte and a keep-alive: the stale part is
  // forgotten, so only the keep-alive is answered.
  UnitSim paused;
  paused.Receive(std::span(write).first(write.size() - 1), 0);
  Bytes rest{write.back()};
  const Bytes keepAlive = BuildLinkControl(kLinkKeepAlive);
  rest.insert(rest.end(), keepAlive.begin(), keepAlive.end());
  paused.Receive(rest, UnitSim::kStreamGapMs + 1);
  EXPECT_EQ(paused.TakeAnswers(UnitSim::kStreamGapMs + 1), kAcked);
  EXPECT_EQ(paused.Value(1, 5), UnitSim::DefaultImage()[1][5]);
}

TEST(UnitSim, FaultsDropCorruptDelayAndSilence) {
  UnitSim unit(SimOptions{.seed = 7, .dropAckShare = 1.0});
  EXPECT_TRUE(Exchange(unit, BuildValue(kCmdWrite, 0x0105, 11)).empty());
  EXPECT_EQ(unit.Value(1, 5), 11);  // the write landed, only its acknowledgement was lost
  EXPECT_EQ(unit.stats().acksDropped, 1);

  unit.SetDropAckShare(0);
  unit.SetCorruptShare(1.0);
  UnitSim clean;
  Exchange(clean, BuildValue(kCmdWrite, 0x0105, 11));
  const Bytes good = Exchange(clean, BuildPageRequest(1)).at(0);
  for (int k = 0; k < 20; ++k) {
    const auto answers = Exchange(unit, BuildPageRequest(1));
    ASSERT_EQ(answers.size(), 1u);
    ASSERT_EQ(answers[0].size(), good.size());
    std::vector<size_t> changed;
    for (size_t i = 0; i < good.size(); ++i) {
      if (answers[0][i] != good[i]) changed.push_back(i);
    }
    ASSERT_EQ(changed.size(), 1u);
    // The length byte is outside the checksum; any other flipped byte makes the frame invalid.
    ParamStore store;
    if (changed[0] != 2) {
      EXPECT_EQ(DecodeFrame(LinkKind::Network, answers[0], store, -1).result,
                DecodeResult::Dropped);
    }
  }
  EXPECT_EQ(unit.stats().framesCorrupted, 20);

  unit.SetCorruptShare(0);
  unit.SetDelayMs(50);
  unit.Receive(BuildLinkControl(kLinkKeepAlive), 1000);
  EXPECT_TRUE(unit.TakeAnswers(1049).empty());
  EXPECT_EQ(unit.NextAnswerDueMs(), 1050);
  EXPECT_EQ(unit.TakeAnswers(1050), kAcked);

  unit.Receive(BuildLinkControl(kLinkKeepAlive), 2000);
  unit.SetSilent(true);
  EXPECT_TRUE(Exchange(unit, BuildValue(kCmdWrite, 0x0105, 12), 3000).empty());
  EXPECT_EQ(unit.Value(1, 5), 11);
  unit.SetSilent(false);
  unit.SetDelayMs(0);
  EXPECT_EQ(Exchange(unit, BuildValue(kCmdWrite, 0x0105, 13), 4000), kAcked);
}

TEST(UnitSim, FaultsAreRepeatableForASeed) {
  auto pattern = [](uint32_t seed) {
    UnitSim unit(SimOptions{.seed = seed, .dropAckShare = 0.5});
    std::string acks;
    for (int k = 0; k < 64; ++k) {
      acks += Exchange(unit, BuildLinkControl(kLinkKeepAlive)).empty() ? '-' : 'A';
    }
    return acks;
  };
  EXPECT_EQ(pattern(3), pattern(3));
  EXPECT_NE(pattern(3), pattern(4));
  const std::string p = pattern(3);
  EXPECT_NE(p.find('-'), std::string::npos);
  EXPECT_NE(p.find('A'), std::string::npos);
}

// Every kind of write counts towards --lose-writes; link control and requests do not. A lost
// write changes nothing and gets no answer; the same frame sent again lands and is acknowledged.
struct LossCase {
  const char* kind;
  Bytes frame;
  std::function<bool(const UnitSim&)> landed;
};

TEST(UnitSim, LostWritesAreNeitherAppliedNorAnswered) {
  ParamStore store;
  for (int k = 0; k < 5; ++k) store.ViewValues[3][6 + 5 * 8 + k] = 40 + k;  // MIC B band 8
  for (int k = 0; k < kDeviceRowSize; ++k) store.DeviceImage[5][k] = 700 + k;
  const std::vector<LossCase> cases = {
      {"value", BuildValue(kCmdWrite, 0x0105, 300),
       [](const UnitSim& u) { return u.Value(1, 5) == 300; }},
      {"system value", BuildValue(kCmdWrite, 0x0A07, 33),
       [](const UnitSim& u) { return u.Value(10, 7) == 33; }},
      {"DEQ value", BuildValue(kCmdWrite, 0x021D, 9),
       [](const UnitSim& u) { return u.Value(2, 29) == 9; }},
      {"band", BuildBandFrame(store, 0x0304, 8),
       [](const UnitSim& u) { return u.Value(3, 46) == 40 && u.Value(3, 50) == 44; }},
      {"password", BuildText(sysaddr::SystemPassword, "654321"),
       [](const UnitSim& u) { return u.SystemPassword() == "654321"; }},
      {"mode save", BuildModeSave(3, "Lost"),
       [](const UnitSim& u) { return u.ModeName(3) == "Lost"; }},
      {"mode recall", BuildValue(kCmdWrite, sysaddr::CurrentMode, 6),
       [](const UnitSim& u) { return u.CurrentMode() == 6; }},
      {"page upload", BuildPageUpload(store, 5),
       [](const UnitSim& u) { return u.Value(5, 40) == 740; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    UnitSim unit(SimOptions{.loseWrites = 2});
    EXPECT_EQ(Exchange(unit, BuildLinkControl(kLinkConnect)), kAcked);
    EXPECT_EQ(Exchange(unit, BuildPageRequest(3)).size(), 1u);
    EXPECT_EQ(Exchange(unit, BuildItemRequest(0x0A07)).size(), 1u);
    for (int lost = 1; lost <= 2; ++lost) {
      EXPECT_TRUE(Exchange(unit, c.frame).empty());
      EXPECT_FALSE(c.landed(unit));
      EXPECT_EQ(unit.stats().writesLost, lost);
    }
    EXPECT_EQ(Exchange(unit, c.frame), kAcked);
    EXPECT_TRUE(c.landed(unit));
    EXPECT_EQ(unit.stats().writesApplied, 1);
    // What reached the unit is logged, lost writes included.
    EXPECT_EQ(unit.TakeReceivedFrames().size(), 6u);
  }
}

// With a share, each write is either applied and acknowledged or lost without a trace, and the
// pattern follows the seed.
TEST(UnitSim, LoseWriteShareLosesWholeWritesRepeatably) {
  auto run = [](uint32_t seed) {
    UnitSim unit(SimOptions{.seed = seed, .loseWriteShare = 0.3});
    std::string pattern;
    for (int value = 1; value <= 64; ++value) {
      const int before = unit.Value(1, 5);
      const bool acked = Exchange(unit, BuildValue(kCmdWrite, 0x0105, value)) == kAcked;
      EXPECT_EQ(unit.Value(1, 5), acked ? value : before) << value;
      // Link control is never lost.
      EXPECT_EQ(Exchange(unit, BuildLinkControl(kLinkKeepAlive)), kAcked);
      pattern += acked ? 'A' : '-';
    }
    EXPECT_EQ(unit.stats().writesLost + unit.stats().writesApplied, 64);
    return pattern;
  };
  const std::string p = run(3);
  EXPECT_EQ(p, run(3));
  EXPECT_NE(p, run(4));
  EXPECT_NE(p.find('-'), std::string::npos);
  EXPECT_NE(p.find('A'), std::string::npos);
}

// --corrupt-answers spoils exactly the first N data frames, one byte each, so the console's
// decoder drops them; acknowledgements are not touched and later answers are clean.
TEST(UnitSim, CorruptAnswersSpoilTheFirstDataFrames) {
  const std::vector<Bytes> requests = {
      BuildPageRequest(3),
      BuildItemRequest(0x0A07),
      BuildNameRequest(2),
      BuildItemRequest(sysaddr::DeviceCode),
  };
  for (const Bytes& request : requests) {
    UnitSim clean;
    UnitSim unit(SimOptions{.corruptAnswers = 2});
    const Bytes good = Exchange(clean, request).at(0);
    EXPECT_EQ(Exchange(unit, BuildLinkControl(kLinkKeepAlive)), kAcked);
    for (int k = 0; k < 2; ++k) {
      const Bytes bad = Exchange(unit, request).at(0);
      ASSERT_EQ(bad.size(), good.size());
      int differing = 0;
      for (size_t i = 0; i < good.size(); ++i) differing += bad[i] != good[i];
      EXPECT_EQ(differing, 1);
      ParamStore store;
      EXPECT_EQ(DecodeFrame(LinkKind::Network, bad, store, 2).result, DecodeResult::Dropped);
    }
    EXPECT_EQ(Exchange(unit, request).at(0), good);
    EXPECT_EQ(unit.stats().framesCorrupted, 2);
  }
}

// The bare item request to 0x0A11 (download) is acknowledged instead of answered when the unit
// is told to; the upload's closing request, which carries a value, still gets its data frame.
struct RemoteCase {
  bool ackRemoteRequest;
  bool closing;
  bool answeredWithAck;
};

TEST(UnitSim, RemoteRequestCanBeAcknowledged) {
  ParamStore store;
  store.ViewValues[10][17] = 1;
  const std::vector<RemoteCase> cases = {
      {false, false, false},
      {false, true, false},
      {true, false, true},
      {true, true, false},
  };
  for (const auto& c : cases) {
    UnitSim unit(SimOptions{.ackRemoteRequest = c.ackRemoteRequest});
    const auto answers =
        Exchange(unit, c.closing ? BuildUploadClosing(store) : BuildItemRequest(sysaddr::Remote));
    ASSERT_EQ(answers.size(), 1u);
    if (c.answeredWithAck) {
      EXPECT_EQ(answers[0], kAck);
    } else {
      ParamStore decoded;
      EXPECT_EQ(DecodeFrame(LinkKind::Network, answers[0], decoded, -1).result,
                DecodeResult::Applied);
      EXPECT_EQ(decoded.DeviceImage[10][17], 1);
    }
  }
}

TEST(UnitSim, FrameLogLineIsUpperCaseHex) {
  EXPECT_EQ(UnitSim::FrameLogLine(BuildLinkControl(kLinkDisconnect)),
            "rx: FC BA 06 A7 0A 30 AA 00 3D");
  EXPECT_EQ(UnitSim::FrameLogLine(BuildItemRequest(0x0A07)), "rx: FC BA 04 A0 0A 07 17");
}

// A bogus header must not hold the frames behind it for good. When its claimed length has come
// in, the checksum fails and the scan restarts at the byte after its start; when the length never
// comes, the stalled frame is given up after the stream gap and the frames behind it are found.
struct ResyncCase {
  const char* name;
  Bytes prefix;
  bool answeredAtOnce;
};

TEST(UnitSim, GoodFramesBehindABogusHeaderAreFound) {
  const Bytes write = BuildValue(kCmdWrite, 0x0105, 300);
  const Bytes keepAlive = BuildLinkControl(kLinkKeepAlive);
  const std::vector<ResyncCase> cases = {
      {"header claiming 243 bytes", {0xFC, 0xBA, 0xF0, 0xA7}, false},
      {"header claiming 10 bytes", {0xFC, 0xBA, 0x07, 0xA7}, true},
      {"cut frame", {0xFC, 0xBA, 0x06, 0xA7, 0x01, 0x05}, true},
      {"length below a frame", {0xFC, 0xBA, 0x02, 0xA7}, true},
      {"lone start bytes", {0xFC, 0xFC, 0xFC}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    UnitSim unit;
    Bytes stream = c.prefix;
    stream.insert(stream.end(), write.begin(), write.end());
    stream.insert(stream.end(), keepAlive.begin(), keepAlive.end());
    unit.Receive(stream, 0);
    const std::vector<Bytes> both{kAck, kAck};
    if (c.answeredAtOnce) {
      EXPECT_EQ(unit.TakeAnswers(0), both);
      EXPECT_FALSE(unit.StreamDeadlineMs().has_value());
    } else {
      EXPECT_TRUE(unit.TakeAnswers(0).empty());
      ASSERT_EQ(unit.StreamDeadlineMs(), UnitSim::kStreamGapMs + 1);
      unit.Poll(UnitSim::kStreamGapMs);
      EXPECT_TRUE(unit.TakeAnswers(UnitSim::kStreamGapMs).empty());
      unit.Poll(UnitSim::kStreamGapMs + 1);
      EXPECT_EQ(unit.TakeAnswers(UnitSim::kStreamGapMs + 1), both);
    }
    EXPECT_EQ(unit.Value(1, 5), 300);
    EXPECT_EQ(unit.TakeReceivedFrames(), (std::vector<Bytes>{write, keepAlive}));
    // Nothing is left over to spoil the next frame.
    EXPECT_EQ(Exchange(unit, keepAlive, 2000), kAcked);
  }
}

// Random and mutated traffic in random chunks: the unit never writes outside its rows, keeps
// 16-bit values, and finds the next good frame after a pause.
TEST(UnitSim, SurvivesRandomTraffic) {
  std::mt19937 rng(99);
  ParamStore store;
  const std::vector<Bytes> frames = {
      BuildValue(kCmdWrite, 0x0105, 300),
      BuildBandFrame(store, 0x0620, 2),
      BuildValue(kCmdWrite, 0x021D, 4),
      BuildPageUpload(store, 6),
      BuildModeSave(2, "X"),
      BuildPageRequest(0),
      BuildNameRequest(8),
      BuildItemRequest(0x0A40),
  };
  UnitSim unit(SimOptions{.seed = 5, .dropAckShare = 0.2, .corruptShare = 0.2});
  int64_t now = 0;
  for (int round = 0; round < 3000; ++round) {
    Bytes m = frames[rng() % frames.size()];
    const int mutation = static_cast<int>(rng() % 4);
    if (mutation == 0) m[rng() % m.size()] = static_cast<uint8_t>(rng());
    if (mutation == 1) m.resize(rng() % m.size());
    if (mutation == 2 && m.size() > 6) {
      m[3 + rng() % 3] = static_cast<uint8_t>(rng());
      m.back() = FrameChecksum(std::span(m).first(m.size() - 1));
    }
    for (size_t at = 0; at < m.size();) {
      const size_t n = std::min<size_t>(m.size() - at, 1 + rng() % 16);
      unit.Receive(std::span(m).subspan(at, n), now);
      at += n;
    }
    now += static_cast<int64_t>(rng() % 3);
    unit.TakeAnswers(now);
  }
  for (const auto& row : unit.Image()) {
    for (int32_t v : row) ASSERT_TRUE(v >= 0 && v <= 65535);
  }
  unit.SetDropAckShare(0);
  now += UnitSim::kStreamGapMs + 1;
  EXPECT_EQ(Exchange(unit, BuildLinkControl(kLinkConnect), now), kAcked);
}

struct StateFile : ::testing::Test {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("velantro-unit-state-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
       "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  void TearDown() override { std::filesystem::remove(path); }
};

TEST_F(StateFile, RoundTripsTheWholeUnit) {
  UnitSim unit;
  Exchange(unit, BuildValue(kCmdWrite, 0x0105, 4321));
  Exchange(unit, BuildModeSave(6, "Night"));
  Exchange(unit, BuildValue(kCmdWrite, 0x0105, 99));
  Exchange(unit, BuildText(sysaddr::SystemPassword, "000111"));
  unit.SetManagementCode({0x01, 0xFE, 0x10, 0xEF});
  ASSERT_TRUE(unit.SaveState(path.string()));

  UnitSim loaded;
  ASSERT_TRUE(loaded.LoadState(path.string()));
  EXPECT_EQ(loaded.Image(), unit.Image());
  for (int m = 0; m < kUnitModeCount; ++m) {
    EXPECT_EQ(loaded.StoredMode(m), unit.StoredMode(m));
    EXPECT_EQ(loaded.ModeName(m), unit.ModeName(m));
  }
  EXPECT_EQ(loaded.ModeName(6), "Night");
  EXPECT_EQ(loaded.SystemPassword(), "000111");
  EXPECT_EQ(loaded.KeyLockPassword(), "1234");
  EXPECT_EQ(loaded.ManagementCode(), (std::array<uint8_t, 4>{0x01, 0xFE, 0x10, 0xEF}));
}

TEST_F(StateFile, BadFilesLeaveTheUnitAsItWas) {
  UnitSim source;
  ASSERT_TRUE(source.SaveState(path.string()));
  std::ifstream in(path);
  const std::string good((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();

  const std::vector<std::string> bad = {
      "",
      "not a state file\n",
      good.substr(0, good.size() / 2),                 // cut short
      good.substr(0, good.find("image 3")) + "end\n",  // pages missing
      std::string(good).replace(good.find("image 2 ") + 8, 1, "x"),
      std::string(good).replace(good.find("image 2 ") + 8, 1, "70000 "),
      std::string(good).replace(good.find("system-password 123456"), 22, "system-password 12a456"),
      std::string(good).replace(good.find("name 3 "), 7, "name 12 "),
  };
  for (size_t k = 0; k < bad.size(); ++k) {
    std::ofstream(path, std::ios::trunc) << bad[k];
    UnitSim unit;
    Exchange(unit, BuildValue(kCmdWrite, 0x0105, 777));
    const DeviceTable before = unit.Image();
    EXPECT_FALSE(unit.LoadState(path.string())) << "case " << k;
    EXPECT_EQ(unit.Image(), before) << "case " << k;
    EXPECT_EQ(unit.SystemPassword(), "123456");
  }
  EXPECT_FALSE(UnitSim().LoadState((path.string() + ".missing")));
}

}  // namespace
}  // namespace velantro::test
