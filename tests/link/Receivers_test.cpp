#include <gtest/gtest.h>

#include <random>

#include "link/DeviceLink.h"
#include "support/LinkHarness.h"

namespace velantro::test {
namespace {

Bytes B(std::initializer_list<int> values) {
  Bytes out;
  for (int v : values) out.push_back(static_cast<uint8_t>(v));
  return out;
}

const Bytes kWrite300 = B({0xFC, 0xBA, 0x06, 0xA7, 0x01, 0x05, 0x2C, 0x01, 0x6C});

// Feeds one receive event per piece: the piece's bytes join the port, then the event fires with
// the count of everything waiting.
void FeedSerial(LinkHarness& h, const std::vector<Bytes>& pieces) {
  for (const Bytes& piece : pieces) {
    h.serial.inbound.insert(h.serial.inbound.end(), piece.begin(), piece.end());
    h.link.OnSerialBytes(h.serial.inbound.size());
  }
}

TEST(SerialReceiver, EdgeCases) {
  struct Case {
    const char* name;
    std::vector<Bytes> events;
    bool acknowledged;
    bool decoded;  // 300 landed at 1:5
    uint16_t endState;
  };
  const Bytes badKey = B({0xFC, 0xBB, 0x06, 0xA7, 0x01, 0x05, 0x2C, 0x01, 0x6C});
  Bytes badKeyThenFrame = badKey;
  badKeyThenFrame.insert(badKeyThenFrame.end(), kWrite300.begin(), kWrite300.end());
  Bytes zeroLengthThenFrame = B({0xFC, 0xBA, 0x00, 0xA7});
  zeroLengthThenFrame.insert(zeroLengthThenFrame.end(), kWrite300.begin(), kWrite300.end());
  const std::vector<Case> cases{
      {"leading bytes then ack", {B({0x00, 0x13, 0xFE, 0xBB})}, true, false, 0},
      {"ack FE AA", {B({0xFE, 0xAA})}, true, false, 0},
      {"whole frame", {kWrite300}, false, true, 0},
      {"header, then body",
       {B({0xFC, 0xBA, 0x06, 0xA7}), B({0x01, 0x05, 0x2C, 0x01, 0x6C})},
       false,
       true,
       0},
      {"body short of the count waits",
       {B({0xFC, 0xBA, 0x06, 0xA7, 0x01, 0x05, 0x2C}), B({0x01, 0x6C})},
       false,
       true,
       0},
      {"bad key byte", {badKey}, false, false, 0},
      {"bad key, resynchronised by the next frame", {badKeyThenFrame, {}}, false, true, 0},
      {"FE 00", {B({0xFE, 0x00})}, false, false, 0},
      {"bad command", {B({0xFC, 0xBA, 0x06, 0x55, 0x01, 0x05, 0x2C, 0x01, 0x6C})}, false, false, 0},
      {"zero length does not wedge the receiver", {zeroLengthThenFrame, {}}, false, true, 0},
      {"header only", {B({0xFC, 0xBA, 0x06, 0xA7})}, false, false, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LinkHarness h;
    FeedSerial(h, c.events);
    EXPECT_EQ(h.link.LinkAnswer() == 1, c.acknowledged);
    EXPECT_EQ(h.link.queue().ReadyToSend == 1, c.acknowledged);
    EXPECT_EQ(h.store.DeviceImage[1][5] == 300, c.decoded);
    if (c.decoded) {
      EXPECT_EQ(h.link.replyState(), ReplyState::FrameReceived);
    }
    if (c.acknowledged) {
      EXPECT_EQ(h.link.replyState(), ReplyState::Acknowledged);
    }
    EXPECT_EQ(h.link.serialReceiver().state(), c.endState);
  }
}

TEST(SerialReceiver, BodyReadLeavesADiagnosticLine) {
  LinkHarness h;
  FeedSerial(h, {kWrite300});
  ASSERT_EQ(h.view().log.size(), 1u);
  EXPECT_EQ(h.view().log[0], "缓存长度K:C:L=9 9 5");
}

class NetworkReceiving : public ::testing::Test {
 protected:
  void SetUp() override {
    h.network.unitReachable = false;
    h.link.ConnectOnNetwork();
  }
  void Chunk(const Bytes& bytes) { h.link.OnNetworkChunk(bytes); }
  LinkHarness h;
};

TEST_F(NetworkReceiving, AckAndFrameInOneChunkAreBothHandled) {
  Bytes chunk = B({0xFE, 0xBB});
  chunk.insert(chunk.end(), kWrite300.begin(), kWrite300.end());
  Chunk(chunk);
  EXPECT_EQ(h.link.LinkAnswer(), 1);
  EXPECT_EQ(h.store.DeviceImage[1][5], 300);
  EXPECT_EQ(h.link.replyState(), ReplyState::FrameReceived);
}

TEST_F(NetworkReceiving, FrameSplitOverTwoChunksIsCompleted) {
  Chunk(Bytes(kWrite300.begin(), kWrite300.begin() + 5));
  EXPECT_EQ(h.store.DeviceImage[1][5], 0);
  EXPECT_EQ(h.link.replyState(), ReplyState::None);
  Chunk(Bytes(kWrite300.begin() + 5, kWrite300.end()));
  EXPECT_EQ(h.store.DeviceImage[1][5], 300);
  EXPECT_EQ(h.link.replyState(), ReplyState::FrameReceived);
  EXPECT_EQ(h.link.networkReceiver().pendingBytes(), 0u);
}

TEST_F(NetworkReceiving, SingleMessageChunksBehaveAsOneMessageEach) {
  Bytes corrupt = kWrite300;
  corrupt.back() ^= 1;
  Chunk(corrupt);  // a frame that fails validation still counts as an answer
  EXPECT_EQ(h.store.DeviceImage[1][5], 0);
  EXPECT_EQ(h.link.replyState(), ReplyState::FrameReceived);
  h.link.SetReplyState(ReplyState::None);
  Chunk(B({0xFC, 0xBB, 0x06, 0xA7, 0x01, 0x05, 0x2C, 0x01, 0x6C}));
  EXPECT_EQ(h.link.replyState(), ReplyState::FrameReceived);
  EXPECT_EQ(h.link.LinkAnswer(), 0);
  Chunk(B({0xFE, 0xBB}));
  EXPECT_EQ(h.link.LinkAnswer(), 1);
  EXPECT_EQ(h.link.networkReceiver().pendingBytes(), 0u);
}

TEST_F(NetworkReceiving, ChunksWhileTheLinkIsSerialAreDiscarded) {
  LinkHarness serial;
  serial.link.OnNetworkChunk(kWrite300);
  EXPECT_EQ(serial.store.DeviceImage[1][5], 0);
}

TEST(Receivers, RandomBytesNeverCrashNorWriteOutsideTheStore) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    LinkHarness h;
    if (round % 2 == 1) {
      h.network.unitReachable = false;
      h.link.ConnectOnNetwork();
    }
    const ViewTable viewBefore = h.store.ViewValues;
    for (int event = 0; event < 40; ++event) {
      Bytes piece(rng() % 40);
      for (uint8_t& b : piece) {
        // Plenty of start bytes and valid headers so that frames get far.
        const unsigned r = rng() % 8;
        b = r == 0   ? 0xFC
            : r == 1 ? 0xBA
            : r == 2 ? 0xFE
            : r == 3 ? 0xA7
                     : static_cast<uint8_t>(rng());
      }
      if (round % 2 == 1) {
        h.link.OnNetworkChunk(piece);
      } else {
        FeedSerial(h, {piece});
      }
    }
    EXPECT_EQ(h.store.ViewValues, viewBefore);
    for (const std::string& name : h.store.ModeNames) EXPECT_LE(name.size(), 20u);
    EXPECT_LE(h.link.networkReceiver().pendingBytes(), 254u);
  }
}

}  // namespace
}  // namespace velantro::test
