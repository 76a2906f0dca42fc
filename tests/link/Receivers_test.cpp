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

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

const Bytes kWrite300 = B({0xFC, 0xBA, 0x06, 0xA7, 0x01, 0x05, 0x2C, 0x01, 0x6C});
const Bytes kAck = B({0xFE, 0xBB});

// Feeds one receive event per piece: the piece's bytes join the port, then the event fires with
// the count of everything waiting.
void FeedSerial(LinkHarness& h, const std::vector<Bytes>& pieces) {
  for (const Bytes& piece : pieces) {
    h.serial.inbound.insert(h.serial.inbound.end(), piece.begin(), piece.end());
    h.link.OnSerialBytes(h.serial.inbound.size());
  }
}

// The same stream through both receivers: what the console takes from it must not depend on
// the transport.
struct Outcome {
  bool acknowledged = false;
  bool decoded = false;  // 300 landed at 1:5
  size_t pending = 0;
};

Outcome Receive(bool network, const std::vector<Bytes>& pieces, int ticksAfter) {
  LinkHarness h;
  if (network) {
    h.config.paced = true;  // no download may start from an acknowledgement in the stream
    h.network.unitReachable = false;
    h.link.ConnectOnNetwork();
    for (const Bytes& piece : pieces) h.link.OnNetworkChunk(piece);
  } else {
    FeedSerial(h, pieces);
  }
  for (int i = 0; i < ticksAfter; ++i) h.link.HoldTick();
  EXPECT_EQ(h.serial.readsBeyondWaiting, 0);
  return {
      h.link.LinkAnswer() == 1, h.store.DeviceImage[1][5] == 300,
      network ? h.link.networkReceiver().pendingBytes() : h.link.serialReceiver().pendingBytes()};
}

TEST(Receivers, FindMessagesAndResynchroniseOnBothTransports) {
  struct Case {
    const char* name;
    std::vector<Bytes> pieces;
    int ticksAfter;
    bool acknowledged;
    bool decoded;
  };
  Bytes corrupt = kWrite300;
  corrupt[6] ^= 0x40;
  Bytes junk(300, 0x55);
  const int giveUp = FrameScanner::kPartialMessageGiveUpMs / kHoldIntervalMs;
  const std::vector<Case> cases{
      {"leading bytes then ack", {B({0x00, 0x13, 0xFE, 0xBB})}, 0, true, false},
      {"ack FE AA", {B({0xFE, 0xAA})}, 0, true, false},
      {"whole frame", {kWrite300}, 0, false, true},
      {"header, then body",
       {B({0xFC, 0xBA, 0x06, 0xA7}), B({0x01, 0x05, 0x2C, 0x01, 0x6C})},
       0,
       false,
       true},
      {"frame split after its checksum-less body",
       {Bytes(kWrite300.begin(), kWrite300.end() - 1), B({0x6C})},
       0,
       false,
       true},
      {"bad key byte, then the frame",
       {Join({B({0xFC, 0xBB, 0x06, 0xA7}), kWrite300})},
       0,
       false,
       true},
      {"FE 00 does not hide the frame after it", {Join({B({0xFE}), kWrite300})}, 0, false, true},
      {"bad command", {B({0xFC, 0xBA, 0x06, 0x55, 0x01, 0x05, 0x2C, 0x01, 0x6C})}, 0, false, false},
      {"zero length, then the frame",
       {Join({B({0xFC, 0xBA, 0x00, 0xA7}), kWrite300})},
       0,
       false,
       true},
      {"damaged frame, then the frame", {Join({corrupt, kWrite300})}, 0, false, true},
      {"ack and frame in one piece", {Join({kAck, kWrite300})}, 0, true, true},
      // A bogus header claims 240 bytes: the acknowledgements behind it are found once the
      // partial frame has stayed incomplete for a few ticks.
      {"bogus header swallows no ack",
       {B({0xFC, 0xBA, 0xF0, 0xA7}), kAck, kAck},
       giveUp,
       true,
       false},
      {"truncated frame, then a frame",
       {Bytes(kWrite300.begin(), kWrite300.begin() + 6), kWrite300},
       giveUp,
       false,
       true},
      {"junk and a long header never wait for the line",
       {Join({junk, B({0xFC, 0xBA, 0xFF, 0xA7})}), kAck},
       giveUp,
       true,
       false},
  };
  for (const Case& c : cases) {
    for (const bool network : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (network ? " (network)" : " (serial)"));
      const Outcome outcome = Receive(network, c.pieces, c.ticksAfter);
      EXPECT_EQ(outcome.acknowledged, c.acknowledged);
      EXPECT_EQ(outcome.decoded, c.decoded);
      EXPECT_EQ(outcome.pending, 0u);
    }
  }
}

TEST(Receivers, APartialFrameWaitsHalfASecondForItsRest) {
  LinkHarness h;
  FeedSerial(h, {Bytes(kWrite300.begin(), kWrite300.begin() + 5)});
  for (int i = 1; i < FrameScanner::kPartialMessageGiveUpMs / kHoldIntervalMs; ++i)
    h.link.HoldTick();
  FeedSerial(h, {Bytes(kWrite300.begin() + 5, kWrite300.end())});
  EXPECT_EQ(h.store.DeviceImage[1][5], 300);
}

TEST(Receivers, OpeningThePortAgainForgetsAPartialFrame) {
  LinkHarness h;
  h.serial.names = {"/dev/ttyUSB0"};
  h.link.FillPortList();
  h.link.Connect();
  h.Advance(1000);  // the search opens the port
  FeedSerial(h, {B({0xFC, 0xBA, 0xF0, 0xA7})});
  ASSERT_EQ(h.link.serialReceiver().pendingBytes(), 4u);
  h.link.Connect();
  h.Advance(1000);  // opened again
  EXPECT_EQ(h.link.serialReceiver().pendingBytes(), 0u);
  FeedSerial(h, {kAck});
  EXPECT_EQ(h.link.LinkAnswer(), 1);
}

TEST(Receivers, ChunksWhileTheLinkIsSerialAreDiscarded) {
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
      if (rng() % 4 == 0) h.link.HoldTick();
    }
    EXPECT_EQ(h.store.ViewValues, viewBefore);
    EXPECT_EQ(h.serial.readsBeyondWaiting, 0);
    for (const std::string& name : h.store.ModeNames) EXPECT_LE(name.size(), 20u);
    EXPECT_LE(h.link.networkReceiver().pendingBytes(), 257u);
  }
}

}  // namespace
}  // namespace velantro::test
