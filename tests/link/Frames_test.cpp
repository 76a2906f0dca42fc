#include "link/Frames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace velantro::test {
namespace {

Bytes Frame(std::initializer_list<int> bytes) {
  Bytes out;
  for (int b : bytes) out.push_back(static_cast<uint8_t>(b));
  return out;
}

// A received frame: header and payload given, checksum computed.
Bytes Received(int page, int index, const Bytes& payload, uint8_t command = kCmdWrite) {
  return BuildBlock(command, MakeAddress(page, index), payload);
}

// ---------------------------------------------------------------------------------------------
// Builders: the exact bytes on the wire.

struct WireCase {
  const char* what;
  Bytes built;
  Bytes expected;
};

ParamStore BandStore() {
  ParamStore store;
  // Music band 0 as the console shows it: PEQ, 1000 Hz, 0 dB, Q 1.00, shelf Q 0.71.
  store.ViewValues[0][4] = 0;
  store.ViewValues[0][5] = 204;
  store.ViewValues[0][6] = 120;
  store.ViewValues[0][7] = 16;
  store.ViewValues[0][8] = 10;
  // DEQ channel 1 band values live at 14 … 18.
  for (int k = 0; k < 5; ++k) store.ViewValues[2][14 + k] = 300 + k;
  store.ViewValues[10][17] = 1;
  return store;
}

TEST(FrameBuilders, ProduceTheExactWireBytes) {
  const ParamStore store = BandStore();
  const std::vector<WireCase> cases = {
      {"page request 0", BuildPageRequest(0),
       Frame({0xFC, 0xBA, 0x06, 0xA0, 0x0A, 0x10, 0x00, 0x00, 0x0C})},
      {"page request 3", BuildPageRequest(3),
       Frame({0xFC, 0xBA, 0x06, 0xA0, 0x0A, 0x10, 0x03, 0x00, 0x03})},
      {"link request", BuildLinkControl(kLinkConnect),
       Frame({0xFC, 0xBA, 0x06, 0xA7, 0x0A, 0x30, 0x11, 0x00, 0x54})},
      {"keep-alive", BuildLinkControl(kLinkKeepAlive),
       Frame({0xFC, 0xBA, 0x06, 0xA7, 0x0A, 0x30, 0x66, 0x00, 0xF9})},
      {"disconnect", BuildLinkControl(kLinkDisconnect),
       Frame({0xFC, 0xBA, 0x06, 0xA7, 0x0A, 0x30, 0xAA, 0x00, 0x3D})},
      {"item request 0x0A07", BuildItemRequest(0x0A07),
       Frame({0xFC, 0xBA, 0x04, 0xA0, 0x0A, 0x07, 0x17})},
      {"name request 2", BuildNameRequest(2),
       Frame({0xFC, 0xBA, 0x06, 0xA0, 0x0A, 0x00, 0x02, 0x00, 0x12})},
      {"write 300 to 0x0105", BuildValue(kCmdWrite, 0x0105, 300),
       Frame({0xFC, 0xBA, 0x06, 0xA7, 0x01, 0x05, 0x2C, 0x01, 0x6C})},
      {"DEQ write 5 to 0x020E", BuildValue(kCmdWrite, 0x020E, 5),
       Frame({0xFC, 0xBA, 0x08, 0xA7, 0x02, 0x02, 0x01, 0x00, 0x05, 0x00, 0x17})},
      {"DEQ write 7 to 0x020C stays in group 0", BuildValue(kCmdWrite, 0x020C, 7),
       Frame({0xFC, 0xBA, 0x08, 0xA7, 0x02, 0x0C, 0x00, 0x00, 0x07, 0x00, 0x02})},
      {"DEQ write 1 to 0x0225 (index 37) is group 3", BuildValue(kCmdWrite, 0x0225, 1),
       Frame({0xFC, 0xBA, 0x08, 0xA7, 0x02, 0x01, 0x03, 0x00, 0x01, 0x00, 0x10})},
      {"music band 0", BuildBandFrame(store, 0x0002, 0),
       Frame({0xFC, 0xBA, 0x10, 0xA7, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0xCC, 0x00, 0x78, 0x00,
              0x10, 0x00, 0x0A, 0x00, 0xB9})},
      {"DEQ band 1", BuildBandFrame(store, 0x0200, 1),
       Frame({0xFC, 0xBA, 0x10, 0xA7, 0x02, 0x00, 0x01, 0x00, 0x2C, 0x01, 0x2D, 0x01, 0x2E, 0x01,
              0x2F, 0x01, 0x30, 0x01, 0x2B})},
      {"upload closing", BuildUploadClosing(store),
       Frame({0xFC, 0xBA, 0x06, 0xA0, 0x0A, 0x11, 0x01, 0x00, 0x02})},
      {"system password", BuildText(sysaddr::SystemPassword, "123456"),
       Frame({0xFC, 0xBA, 0x0A, 0xA7, 0x0A, 0x04, 1, 2, 3, 4, 5, 6, 0x7C})},
      {"key lock password", BuildText(sysaddr::KeyLockPassword, "9081"),
       Frame({0xFC, 0xBA, 0x08, 0xA7, 0x0A, 0x05, 9, 0, 8, 1, 0x7E})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.built, c.expected) << c.what;
    EXPECT_EQ(c.built.back(), FrameChecksum(std::span(c.built).first(c.built.size() - 1)))
        << c.what;
  }
}

TEST(FrameBuilders, ModeSaveCarriesIndexAndPaddedName) {
  const Bytes frame = BuildModeSave(2, "Party");
  ASSERT_EQ(frame.size(), 29u);
  EXPECT_EQ(frame[2], 26);
  const Bytes head(frame.begin() + 3, frame.begin() + 13);
  EXPECT_EQ(head, Frame({0xA7, 0x0A, 0x01, 0x02, 0x00, 0x30, 0x41, 0x52, 0x54, 0x59}));
  EXPECT_TRUE(std::all_of(frame.begin() + 13, frame.end() - 1, [](uint8_t b) { return b == 0; }));

  // Characters past the twentieth of the name are not sent.
  const Bytes longName = BuildModeSave(8, std::string(30, 'A'));
  ASSERT_EQ(longName.size(), 29u);
  EXPECT_EQ(longName[6], 8);
  EXPECT_TRUE(
      std::all_of(longName.begin() + 8, longName.end() - 1, [](uint8_t b) { return b == 33; }));
}

TEST(FrameBuilders, PageUploadSendsTheWholeDeviceRow) {
  ParamStore store;
  for (int k = 0; k < kDeviceRowSize; ++k) store.DeviceImage[0][k] = 1000 + k;
  for (int k = 0; k < kDeviceRowSize; ++k) store.DeviceImage[6][k] = 70000 + k;  // wraps to 16 bits
  const Bytes music = BuildPageUpload(store, 0);
  ASSERT_EQ(music.size(), 2u * 106 + 9);
  EXPECT_EQ(music[2], 2 * 106 + 6);
  EXPECT_EQ(music[6], 0);
  EXPECT_EQ(music[8] + 256 * music[9], 1000);
  EXPECT_EQ(music[8 + 2 * 105] + 256 * music[9 + 2 * 105], 1105);

  const Bytes main = BuildPageUpload(store, 6);
  ASSERT_EQ(main.size(), 2u * 116 + 9);
  EXPECT_EQ(main[6], 6);
  EXPECT_EQ(main[8] + 256 * main[9], 70000 - 65536);
}

TEST(FrameBuilders, BlockPayloadIsCappedAt251Bytes) {
  const Bytes payload(300, 0x11);
  const Bytes frame = BuildBlock(kCmdWrite, 0x0A0F, payload);
  EXPECT_EQ(frame.size(), 251u + 7);
  EXPECT_EQ(frame[2], 255);
}

TEST(NameChars, EncodeAndDecode) {
  EXPECT_EQ(EncodeNameChar(' '), 0);
  EXPECT_EQ(EncodeNameChar('A'), 33);
  EXPECT_EQ(DecodeNameChar(33), 'A');
  EXPECT_EQ(DecodeNameChar(95), '\x7f');
  EXPECT_EQ(DecodeNameChar(96), '?');
  EXPECT_EQ(DecodeNameChar(255), '?');
}

// ---------------------------------------------------------------------------------------------
// Decoder

struct DecodeFixture : ::testing::Test {
  ParamStore store;
  DecodeOutcome Decode(const Bytes& bytes, LinkKind kind = LinkKind::Serial,
                       int requestedName = -1) {
    return DecodeFrame(kind, bytes, store, requestedName);
  }
};

TEST_F(DecodeFixture, PageDataLandsFromTheStartIndex) {
  const Bytes frame = Frame({0xFC, 0xBA, 0x08, 0xA7, 0x03, 0x10, 0x01, 0x00, 0x02, 0x00, 0x03});
  EXPECT_EQ(Decode(frame).result, DecodeResult::Applied);
  EXPECT_EQ(store.DeviceImage[3][16], 1);
  EXPECT_EQ(store.DeviceImage[3][17], 2);
  EXPECT_EQ(store.DeviceImage[3][15], 0);
  EXPECT_EQ(store.DeviceImage[3][18], 0);
}

TEST_F(DecodeFixture, ValuesPastTheRowAreDropped) {
  store.DeviceImage[2][0] = -1;
  const Bytes frame = Received(1, 143, Frame({1, 0, 2, 0, 3, 0, 4, 0}));
  EXPECT_EQ(Decode(frame).result, DecodeResult::Applied);
  EXPECT_EQ(store.DeviceImage[1][143], 1);
  EXPECT_EQ(store.DeviceImage[1][144], 2);
  EXPECT_EQ(store.DeviceImage[2][0], -1);
  EXPECT_EQ(store.DeviceImage[2][1], 0);
}

TEST_F(DecodeFixture, LengthByteIsNotTrustedOverTheBytesPresent) {
  // The length byte claims 32 bytes; only two values arrived.
  Bytes frame = Frame({0xFC, 0xBA, 0x20, 0xA7, 0x03, 0x10, 0x05, 0x00, 0x06, 0x00});
  frame.push_back(FrameChecksum(frame));
  EXPECT_EQ(Decode(frame).result, DecodeResult::Applied);
  EXPECT_EQ(store.DeviceImage[3][16], 5);
  EXPECT_EQ(store.DeviceImage[3][17], 6);
  EXPECT_EQ(store.DeviceImage[3][18], 0);
}

TEST_F(DecodeFixture, BadChecksumChangesNothing) {
  Bytes frame = Frame({0xFC, 0xBA, 0x08, 0xA7, 0x03, 0x10, 0x01, 0x00, 0x02, 0x00, 0x04});
  const ParamStore before = store;
  EXPECT_EQ(Decode(frame).result, DecodeResult::Dropped);
  const auto networkOutcome = Decode(frame, LinkKind::Network);
  EXPECT_EQ(networkOutcome.result, DecodeResult::Dropped);
  EXPECT_TRUE(networkOutcome.frameReceived);
  EXPECT_EQ(store.DeviceImage, before.DeviceImage);
}

struct NetworkCase {
  const char* what;
  Bytes bytes;
  DecodeResult result;
  bool frameReceived;
};

TEST_F(DecodeFixture, NetworkMessagesByFirstBytes) {
  Bytes ackThenFrame = Frame({0xFE, 0xBB});
  const Bytes value = Received(1, 5, Frame({0x2C, 0x01}));
  ackThenFrame.insert(ackThenFrame.end(), value.begin(), value.end());
  const std::vector<NetworkCase> cases = {
      {"FE BB", Frame({0xFE, 0xBB}), DecodeResult::Acknowledged, false},
      {"FE AA", Frame({0xFE, 0xAA}), DecodeResult::Acknowledged, false},
      {"FE 00", Frame({0xFE, 0x00}), DecodeResult::Dropped, false},
      {"lone FE", Frame({0xFE}), DecodeResult::Dropped, false},
      {"ack and frame in one chunk", ackThenFrame, DecodeResult::Acknowledged, false},
      {"unknown start", Frame({0x13, 0xFE, 0xBB}), DecodeResult::Dropped, false},
      {"empty", Bytes{}, DecodeResult::Dropped, false},
      {"lone FC", Frame({0xFC}), DecodeResult::Dropped, true},
      {"truncated frame", Frame({0xFC, 0xBA, 0x06, 0xA7, 0x01}), DecodeResult::Dropped, true},
      {"good frame", value, DecodeResult::Applied, true},
  };
  for (const auto& c : cases) {
    const auto outcome = Decode(c.bytes, LinkKind::Network);
    EXPECT_EQ(outcome.result, c.result) << c.what;
    EXPECT_EQ(outcome.frameReceived, c.frameReceived) << c.what;
  }
  EXPECT_EQ(store.DeviceImage[1][5], 300);
  // The serial receiver handles acknowledgements itself: an FE message is not a frame there.
  EXPECT_EQ(Decode(Frame({0xFE, 0xBB}), LinkKind::Serial).result, DecodeResult::Dropped);
}

TEST_F(DecodeFixture, ModeNamesGoToTheRequestedSlot) {
  Bytes longName;
  for (int k = 0; k < 21; ++k) longName.push_back(static_cast<uint8_t>(33 + k));  // A, B, …
  EXPECT_EQ(Decode(Received(10, 0, longName), LinkKind::Serial, 3).result, DecodeResult::Applied);
  EXPECT_EQ(store.ModeNames[3], "ABCDEFGHIJKLMNOPQRST");

  EXPECT_EQ(Decode(Received(10, 0, Frame({0x30, 0x60, 0x00, 0xFF})), LinkKind::Network, 0).result,
            DecodeResult::Applied);
  EXPECT_EQ(store.ModeNames[0], "P? ?");

  // Nobody asked for a name: dropped, nothing stored.
  EXPECT_EQ(Decode(Received(10, 0, Frame({33, 34})), LinkKind::Serial, -1).result,
            DecodeResult::Dropped);
  EXPECT_EQ(Decode(Received(10, 0, Frame({33, 34})), LinkKind::Serial, 9).result,
            DecodeResult::Dropped);
  EXPECT_EQ(store.ModeNames[3], "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(store.ModeNames[0], "P? ?");
}

struct TextCase {
  const char* what;
  int index;
  Bytes payload;
  std::string ParamStore::*item;
  std::string expected;
};

TEST_F(DecodeFixture, TextItems) {
  const std::vector<TextCase> cases = {
      {"system password", 4, Frame({1, 2, 3, 4, 5, 6}), &ParamStore::SystemPassword, "123456"},
      {"system password, decimal numbers", 4, Frame({12, 0, 255}), &ParamStore::SystemPassword,
       "120255"},
      {"key lock password", 5, Frame({9, 0, 8, 1}), &ParamStore::KeyLockPassword, "9081"},
      {"key lock password, non-digits", 5, Frame({1, 10, 200, 4}), &ParamStore::KeyLockPassword,
       "1004"},
      {"management code", 64, Frame({0x12, 0xAB, 0x00, 0xFF}), &ParamStore::DeviceCode, "12AB00FF"},
      {"management code, extra bytes", 64, Frame({0x0A, 0x0B, 0x0C, 0x0D, 0x0E}),
       &ParamStore::DeviceCode, "0A0B0C0D"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Decode(Received(10, c.index, c.payload)).result, DecodeResult::Applied) << c.what;
    EXPECT_EQ(store.*c.item, c.expected) << c.what;
  }
  // A management code needs four bytes; a short one keeps the old caption.
  EXPECT_EQ(Decode(Received(10, 64, Frame({1, 2}))).result, DecodeResult::Dropped);
  EXPECT_EQ(store.DeviceCode, "0A0B0C0D");
}

struct SystemCase {
  int page;
  int index;
  Bytes payload;
  DecodeResult result;
  int slotValue;  // DeviceImage[10][index] afterwards (when index < 145)
};

TEST_F(DecodeFixture, SystemPageValuesAndIgnoredAddresses) {
  const std::vector<SystemCase> cases = {
      {10, 7, Frame({0x34, 0x12}), DecodeResult::Applied, 0x1234},
      {10, 47, Frame({5, 0}), DecodeResult::Applied, 5},
      {10, 15, Frame({5, 0}), DecodeResult::Applied, 0},  // upload: ignored
      {10, 16, Frame({5, 0}), DecodeResult::Applied, 0},  // page request: ignored
      {10, 48, Frame({5, 0}), DecodeResult::Applied, 0},  // link control: ignored
      {10, 50, Frame({5, 0}), DecodeResult::Dropped, 0},
      {10, 8, Frame({5}), DecodeResult::Dropped, 0},     // one byte is no value
      {11, 7, Frame({5, 0}), DecodeResult::Dropped, 0},  // values exist on page 10 only
      {255, 200, Frame({5, 0}), DecodeResult::Dropped, 0},
  };
  for (const auto& c : cases) {
    store = ParamStore{};
    EXPECT_EQ(Decode(Received(c.page, c.index, c.payload)).result, c.result)
        << c.page << ":" << c.index;
    if (c.index < kDeviceRowSize) {
      EXPECT_EQ(store.DeviceImage[10][c.index], c.slotValue) << c.index;
    }
    ParamStore untouched;
    untouched.DeviceImage[10][c.index < kDeviceRowSize ? c.index : 0] =
        store.DeviceImage[10][c.index < kDeviceRowSize ? c.index : 0];
    EXPECT_EQ(store.DeviceImage, untouched.DeviceImage) << c.page << ":" << c.index;
  }
}

// Built frames decode into the slots they came from.
TEST_F(DecodeFixture, PageUploadFrameRoundTripsThroughADataFrame) {
  ParamStore source;
  for (int k = 0; k < 116; ++k) source.DeviceImage[9][k] = 3 * k + 1;
  const Bytes upload = BuildPageUpload(source, 9);
  // The unit answers a page request with the same values as a data frame at 9:0.
  const Bytes data =
      BuildBlock(kCmdWrite, MakeAddress(9, 0), std::span(upload).subspan(8, upload.size() - 9));
  EXPECT_EQ(Decode(data).result, DecodeResult::Applied);
  EXPECT_EQ(store.DeviceImage[9], source.DeviceImage[9]);
}

// ---------------------------------------------------------------------------------------------
// Robustness: random and mutated messages never write outside the slots a frame may touch.

constexpr int32_t kSentinel = -7;  // no decoded 16-bit value can be negative

ParamStore SentinelStore() {
  ParamStore store;
  for (auto& row : store.DeviceImage) row.fill(kSentinel);
  for (auto& row : store.ViewValues) row.fill(kSentinel);
  return store;
}

// The slots a message may legally change: a data row from its index on, or one system slot.
bool MayChange(const Bytes& m, int page, int slot) {
  if (m.size() < 7 || m[0] != kFrameStart) return false;
  const int p = m[4];
  const int i = m[5];
  if (p < kSystemPage) return page == p && slot >= i;
  return page == kSystemPage && p == kSystemPage && slot == i && i < 48;
}

Bytes Mutate(Bytes m, std::mt19937& rng) {
  std::uniform_int_distribution<int> byte(0, 255);
  switch (rng() % 6) {
    case 0:  // flip a byte
      if (!m.empty()) m[rng() % m.size()] = static_cast<uint8_t>(byte(rng));
      break;
    case 1:  // cut it short
      m.resize(rng() % (m.size() + 1));
      break;
    case 2:  // append garbage
      for (int k = rng() % 40; k > 0; --k) m.push_back(static_cast<uint8_t>(byte(rng)));
      break;
    case 3:  // wrong length byte
      if (m.size() > 2) m[2] = static_cast<uint8_t>(byte(rng));
      break;
    case 4:  // move the index near the end of the row
      if (m.size() > 5) m[5] = static_cast<uint8_t>(130 + rng() % 126);
      break;
    default:  // random page
      if (m.size() > 4) m[4] = static_cast<uint8_t>(rng() % 16);
      break;
  }
  // Half of the mutants get a valid checksum again so they reach the store.
  if (m.size() >= 7 && rng() % 2 == 0) m.back() = FrameChecksum(std::span(m).first(m.size() - 1));
  return m;
}

TEST(DecodeRobustness, RandomAndMutatedMessagesStayInsideTheirSlots) {
  std::mt19937 rng(20261209);
  std::uniform_int_distribution<int> byte(0, 255);
  ParamStore seed;
  for (int k = 0; k < kDeviceRowSize; ++k) seed.DeviceImage[6][k] = k;
  const Bytes upload = BuildPageUpload(seed, 6);
  const std::vector<Bytes> valid = {
      upload,
      BuildBlock(kCmdWrite, MakeAddress(6, 0), std::span(upload).subspan(8, 232)),
      BuildValue(kCmdWrite, 0x0105, 300),
      BuildValue(kCmdWrite, 0x0A07, 9),
      BuildBlock(kCmdWrite, 0x0A00, Frame({33, 34, 35})),
      BuildBlock(kCmdWrite, 0x0A40, Frame({1, 2, 3, 4})),
      BuildText(sysaddr::SystemPassword, "123456"),
      BuildModeSave(3, "Rock"),
      Frame({0xFE, 0xBB}),
  };
  int applied = 0;
  for (int round = 0; round < 10000; ++round) {
    Bytes m;
    if (round % 4 == 0) {
      m.resize(rng() % 300);
      for (auto& b : m) b = static_cast<uint8_t>(byte(rng));
      if (!m.empty() && rng() % 2 == 0) m[0] = kFrameStart;
    } else {
      m = Mutate(valid[rng() % valid.size()], rng);
    }
    const auto kind = rng() % 2 == 0 ? LinkKind::Serial : LinkKind::Network;
    const int requested = static_cast<int>(rng() % 11) - 1;
    ParamStore store = SentinelStore();
    const auto outcome = DecodeFrame(kind, m, store, requested);
    if (outcome.result == DecodeResult::Applied) ++applied;
    EXPECT_EQ(outcome.frameReceived,
              kind == LinkKind::Network && !m.empty() && m[0] == kFrameStart);
    for (int p = 0; p < kPageCount; ++p) {
      for (int s = 0; s < kDeviceRowSize; ++s) {
        if (store.DeviceImage[p][s] == kSentinel) continue;
        ASSERT_TRUE(MayChange(m, p, s)) << "round " << round << " wrote " << p << ":" << s;
        ASSERT_GE(store.DeviceImage[p][s], 0);
        ASSERT_LE(store.DeviceImage[p][s], 65535);
      }
      for (int s = 0; s < kViewRowSize; ++s) ASSERT_EQ(store.ViewValues[p][s], kSentinel);
    }
    for (const auto& name : store.ModeNames) ASSERT_LE(name.size(), 20u);
    if (outcome.result == DecodeResult::Dropped) {
      ParamStore fresh = SentinelStore();
      ASSERT_EQ(store.DeviceImage, fresh.DeviceImage) << "a dropped message changed the store";
    }
  }
  // The mutants must reach the store often enough for the check to mean something.
  EXPECT_GT(applied, 1000);
}

}  // namespace
}  // namespace velantro::test
