// The receivers on any byte stream, cut into receive events / socket chunks anywhere, with link
// timer ticks in between or not. Nothing crashes or waits for the line; every message reported
// is a well-formed, checksum-correct, contiguous piece of the stream, in stream order; without
// ticks the result does not depend on how the stream is cut; serial and network find the same
// messages; and whatever the stream held, a few ticks later a good frame and an acknowledgement
// are found again.
//
// Input: byte 0 is the separator, byte 1 holds options, the rest is the stream; every
// separator byte in it ends a piece (and is not part of the stream).
//   bits 0-1  serial event count: 0 every waiting byte, 1 the piece's bytes only,
//             2 eight more than are waiting, 3 half of the waiting bytes
//   bits 2-5  requested mode name + 1 for decoding the frames found
//   bit 6     a link timer tick after every piece

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "link/Frames.h"
#include "link/LinkInterfaces.h"
#include "link/SerialReceiver.h"
#include "model/ParamStore.h"

namespace velantro::fuzz {
namespace {

// The longest message: FC BA L=255 cmd, then 254 bytes.
constexpr size_t kLongestMessage = 255 + 3;

// A serial port whose receive side is the fuzz stream, arriving piece by piece. A read that asks
// for more than has arrived would wait for the line on a real port: it is a failure here.
class FakePort : public SerialPort {
 public:
  explicit FakePort(const Bytes& stream) : stream(stream) {}

  std::vector<std::string> PortNames() override { return {"fuzz"}; }
  void SetPortName(const std::string&) override {}
  bool Open() override { return true; }
  void Close() override {}
  bool IsOpen() const override { return true; }
  size_t BytesAvailable() override { return arrived - consumed; }
  Bytes Read(size_t count) override {
    FUZZ_CHECK(count <= arrived - consumed);
    Bytes out(stream.begin() + static_cast<std::ptrdiff_t>(consumed),
              stream.begin() + static_cast<std::ptrdiff_t>(consumed + count));
    consumed += count;
    return out;
  }
  bool Write(const Bytes&) override { return true; }

  const Bytes& stream;
  size_t arrived = 0;
  size_t consumed = 0;
};

struct Message {
  bool ack = false;
  Bytes frame;
  friend bool operator==(const Message&, const Message&) = default;
};

class RecordingSink : public ReceiverSink {
 public:
  RecordingSink(LinkKind kind, int requestedName) : kind_(kind), requestedName_(requestedName) {}

  void OnAcknowledge(std::span<const uint8_t>) override { messages.push_back({true, {}}); }
  void OnFrame(std::span<const uint8_t> frame) override {
    FUZZ_CHECK(frame.size() >= 7 && frame[0] == kFrameStart && frame[1] == kFrameKey);
    FUZZ_CHECK(frame[3] == kCmdWrite || frame[3] == kCmdRequest);
    FUZZ_CHECK(frame.size() == static_cast<size_t>(frame[2]) + 3);
    FUZZ_CHECK(FrameChecksum(frame.first(frame.size() - 1)) == frame.back());
    messages.push_back({false, Bytes(frame.begin(), frame.end())});
    DecodeFrame(kind_, frame, store_, requestedName_);
  }
  void OnCorruptFrame(std::span<const uint8_t>) override { ++corrupt; }
  void OnDiagnostic(const std::string&) override {}

  std::vector<Message> messages;
  int corrupt = 0;

 private:
  LinkKind kind_;
  int requestedName_;
  ParamStore store_;
};

// Messages are pieces of the stream, in order, not overlapping.
void CheckInStreamOrder(const std::vector<Message>& messages, const Bytes& stream) {
  auto cursor = stream.begin();
  for (const Message& m : messages) {
    if (m.ack) {
      const auto it = std::adjacent_find(cursor, stream.end(), [](uint8_t a, uint8_t b) {
        return a == kAckStart && (b == 0xBB || b == 0xAA);
      });
      FUZZ_CHECK(it != stream.end());
      cursor = it + 2;
    } else {
      const auto it = std::search(cursor, stream.end(), m.frame.begin(), m.frame.end());
      FUZZ_CHECK(it != stream.end());
      cursor = it + static_cast<std::ptrdiff_t>(m.frame.size());
    }
  }
}

// Ticks until the scanner holds nothing; it must get there.
void Drain(FrameScanner& scanner, ReceiverSink& sink) {
  constexpr int kTickMs = kHoldIntervalMs;
  const size_t limit = (scanner.pendingBytes() + 1) *
                       static_cast<size_t>(FrameScanner::kPartialMessageGiveUpMs / kTickMs + 2);
  for (size_t i = 0; i < limit && scanner.pendingBytes() > 0; ++i) scanner.Tick(kTickMs, sink);
  FUZZ_CHECK(scanner.pendingBytes() == 0);
}

}  // namespace
}  // namespace velantro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velantro;
  using namespace velantro::fuzz;
  if (size < 2) return 0;
  const uint8_t separator = data[0];
  const int countMode = data[1] & 3;
  const int requestedName = ((data[1] >> 2) & 0x0F) - 1;
  const bool ticks = (data[1] & 0x40) != 0;

  std::vector<Bytes> pieces(1);
  Bytes stream;
  for (size_t k = 2; k < size; ++k) {
    if (data[k] == separator) {
      pieces.emplace_back();
    } else {
      pieces.back().push_back(data[k]);
      stream.push_back(data[k]);
    }
  }

  // Serial: one receive event per piece, whatever count the event claims.
  FakePort port(stream);
  RecordingSink serialSink(LinkKind::Serial, requestedName);
  SerialReceiver serial;
  // Network: one chunk per piece.
  RecordingSink pieceSink(LinkKind::Network, requestedName);
  NetworkReceiver network;
  for (const Bytes& piece : pieces) {
    port.arrived += piece.size();
    const size_t waiting = port.BytesAvailable();
    size_t count = waiting;
    if (countMode == 1) count = piece.size();
    if (countMode == 2) count = waiting + 8;
    if (countMode == 3) count = waiting / 2;
    serial.OnReceive(port, count, serialSink);
    network.OnChunk(piece, pieceSink);
    if (ticks) {
      serial.Tick(kHoldIntervalMs, serialSink);
      network.Tick(kHoldIntervalMs, pieceSink);
    }
    FUZZ_CHECK(network.pendingBytes() < kLongestMessage);
  }
  // A late event picks up whatever an event with a short count left waiting.
  serial.OnReceive(port, port.BytesAvailable(), serialSink);
  FUZZ_CHECK(port.consumed == stream.size());

  CheckInStreamOrder(pieceSink.messages, stream);
  FUZZ_CHECK(serialSink.messages == pieceSink.messages);
  FUZZ_CHECK(serialSink.corrupt == pieceSink.corrupt);
  FUZZ_CHECK(serial.pendingBytes() == network.pendingBytes());

  // Without ticks, how the stream was cut makes no difference.
  if (!ticks) {
    RecordingSink wholeSink(LinkKind::Network, requestedName);
    NetworkReceiver whole;
    whole.OnChunk(stream, wholeSink);
    FUZZ_CHECK(wholeSink.messages == pieceSink.messages);
    FUZZ_CHECK(wholeSink.corrupt == pieceSink.corrupt);
    FUZZ_CHECK(whole.pendingBytes() == network.pendingBytes());
  }

  // Whatever came before, a few ticks later the next good frame and acknowledgement are found.
  FrameScanner scanner;
  RecordingSink afterSink(LinkKind::Network, requestedName);
  scanner.Feed(stream, afterSink);
  Drain(scanner, afterSink);
  const size_t before = afterSink.messages.size();
  const Bytes good = BuildValue(kCmdWrite, 0x0105, 300);
  scanner.Feed(good, afterSink);
  scanner.Feed(Bytes{kAckStart, 0xBB}, afterSink);
  FUZZ_CHECK(afterSink.messages.size() == before + 2);
  FUZZ_CHECK(afterSink.messages[before].frame == good);
  FUZZ_CHECK(afterSink.messages[before + 1].ack);
  FUZZ_CHECK(scanner.pendingBytes() == 0);
  return 0;
}
