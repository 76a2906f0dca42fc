// The serial receive state machine and the network reassembler on any byte stream, cut into
// receive events / socket chunks anywhere. Nothing crashes or waits forever, every message is
// a contiguous, well-formed piece of the stream, and with honest event counts and a prompt
// unit both receivers find the same acknowledgements and frames however the stream is cut.
//
// Input: byte 0 is the separator, byte 1 holds options, the rest is the stream; every
// separator byte in it ends a piece (and is not part of the stream).
//   bits 0-1  serial event count: 0 every waiting byte, 1 the piece's bytes only,
//             2 eight more than are waiting, 3 half of the waiting bytes
//   bits 2-5  requested mode name + 1 for decoding the frames found
//   bit 6     slow unit: a blocking read gets only the bytes that have arrived

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

// A serial port whose receive side is the fuzz stream. Bytes arrive piece by piece and leave
// in order; single bytes are read only once they have arrived (the receiver asks first), while
// the blocking body read waits for the rest of the stream as a prompt unit's bytes arrive
// within the read timeout; a slow unit's do not, and the read returns what has arrived.
class FakePort : public SerialPort {
 public:
  FakePort(const Bytes& stream, bool slowUnit) : stream(stream), slowUnit_(slowUnit) {}

  std::vector<std::string> PortNames() override { return {"fuzz"}; }
  void SetPortName(const std::string&) override {}
  bool Open() override {
    open_ = true;
    return true;
  }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  size_t BytesAvailable() override { return arrived - consumed; }
  Bytes Read(size_t count) override {
    const size_t limit = slowUnit_ ? arrived : stream.size();
    const size_t n = std::min(count, limit - consumed);
    Bytes out(stream.begin() + static_cast<std::ptrdiff_t>(consumed),
              stream.begin() + static_cast<std::ptrdiff_t>(consumed + n));
    consumed += n;
    arrived = std::max(arrived, consumed);
    return out;
  }
  bool Write(const Bytes&) override { return open_; }

  // The stream up to `end` has arrived; returns how many bytes are new.
  size_t ArriveUpTo(size_t end) {
    const size_t before = arrived;
    arrived = std::max(arrived, end);
    return arrived - before;
  }

  const Bytes& stream;
  size_t arrived = 0;
  size_t consumed = 0;

 private:
  bool slowUnit_;
  bool open_ = true;
};

struct Message {
  bool ack = false;
  Bytes frame;
  friend bool operator==(const Message&, const Message&) = default;
};

bool IsFrameHeader(std::span<const uint8_t> m) {
  return m.size() >= 4 && m[0] == kFrameStart && m[1] == kFrameKey && m[2] >= 4 &&
         (m[3] == kCmdWrite || m[3] == kCmdRequest);
}

class RecordingSink : public ReceiverSink {
 public:
  RecordingSink(LinkKind kind, int requestedName) : kind_(kind), requestedName_(requestedName) {}

  void OnAcknowledge() override { messages.push_back({true, {}}); }
  void OnFrame(std::span<const uint8_t> frame) override {
    FUZZ_CHECK(IsFrameHeader(frame));
    FUZZ_CHECK(frame.size() <= static_cast<size_t>(frame[2]) + 3);
    messages.push_back({false, Bytes(frame.begin(), frame.end())});
    DecodeFrame(kind_, frame, store_, requestedName_);
  }
  void OnBadFrameHeader() override { ++badHeaders; }
  void OnDiagnostic(const std::string& line) override {
    FUZZ_CHECK(line.rfind("缓存长度K:C:L=", 0) == 0);
  }

  std::vector<Message> messages;
  int badHeaders = 0;

 private:
  LinkKind kind_;
  int requestedName_;
  ParamStore store_;
};

// Serial messages are read from the port in order: each one is the bytes just consumed.
class SerialSink : public RecordingSink {
 public:
  SerialSink(const FakePort& port, int requestedName)
      : RecordingSink(LinkKind::Serial, requestedName), port_(port) {}

  void OnAcknowledge() override {
    const size_t c = port_.consumed;
    FUZZ_CHECK(c >= 2 && port_.stream[c - 2] == kAckStart &&
               (port_.stream[c - 1] == 0xBB || port_.stream[c - 1] == 0xAA));
    RecordingSink::OnAcknowledge();
  }
  void OnFrame(std::span<const uint8_t> frame) override {
    const size_t c = port_.consumed;
    FUZZ_CHECK(c >= frame.size());
    FUZZ_CHECK(std::equal(frame.begin(), frame.end(),
                          port_.stream.begin() + static_cast<std::ptrdiff_t>(c - frame.size())));
    RecordingSink::OnFrame(frame);
  }

 private:
  const FakePort& port_;
};

void CheckSerialState(const SerialReceiver& receiver) {
  FUZZ_CHECK(receiver.state() <= SerialReceiver::kBody);
  FUZZ_CHECK(receiver.buffer().size() <= kLongestMessage);
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
  const bool slowUnit = (data[1] & 0x40) != 0;

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

  // Serial: one receive event per piece, then events with every waiting byte until nothing
  // more moves.
  FakePort port(stream, slowUnit);
  SerialSink serialSink(port, requestedName);
  SerialReceiver serial;
  size_t end = 0;
  for (const Bytes& piece : pieces) {
    end += piece.size();
    const size_t arrived = port.ArriveUpTo(end);
    const size_t waiting = port.BytesAvailable();
    size_t count = waiting;
    if (countMode == 1) count = arrived;
    if (countMode == 2) count = waiting + 8;
    if (countMode == 3) count = waiting / 2;
    serial.OnReceive(port, count, serialSink);
    CheckSerialState(serial);
  }
  for (size_t round = 0; round <= stream.size() && port.BytesAvailable() > 0; ++round) {
    const size_t before = port.consumed;
    const size_t messages = serialSink.messages.size();
    serial.OnReceive(port, port.BytesAvailable(), serialSink);
    CheckSerialState(serial);
    if (port.consumed == before && serialSink.messages.size() == messages) break;
  }
  // With counts no larger than what is waiting and a prompt unit, every body read is whole,
  // except that of a frame the stream cuts off: the read gives up at the end of the stream.
  const bool wholeReads = countMode != 2 && !slowUnit;
  std::vector<Message> serialMessages = serialSink.messages;
  Bytes cutOff;
  if (wholeReads && !serialMessages.empty() && !serialMessages.back().ack) {
    const Bytes& last = serialMessages.back().frame;
    if (last.size() < static_cast<size_t>(last[2]) + 3) {
      FUZZ_CHECK(port.consumed == stream.size());
      cutOff = last;
      serialMessages.pop_back();
    }
  }
  if (wholeReads) {
    for (const Message& m : serialMessages) {
      if (!m.ack) FUZZ_CHECK(m.frame.size() == static_cast<size_t>(m.frame[2]) + 3);
    }
  }

  // Network: one chunk per piece, and the whole stream as one chunk.
  RecordingSink pieceSink(LinkKind::Network, requestedName);
  NetworkReceiver network;
  for (const Bytes& piece : pieces) {
    network.OnChunk(piece, pieceSink);
    FUZZ_CHECK(network.pendingBytes() < kLongestMessage);
  }
  for (const Message& m : pieceSink.messages) {
    if (!m.ack) FUZZ_CHECK(m.frame.size() == static_cast<size_t>(m.frame[2]) + 3);
  }
  RecordingSink wholeSink(LinkKind::Network, requestedName);
  NetworkReceiver whole;
  whole.OnChunk(stream, wholeSink);
  FUZZ_CHECK(wholeSink.messages == pieceSink.messages);
  FUZZ_CHECK(wholeSink.badHeaders == pieceSink.badHeaders);
  FUZZ_CHECK(whole.pendingBytes() == network.pendingBytes());

  // Both receivers parse start bytes and lengths alike (where the serial side gave up on a
  // cut-off frame, the network side still holds it).
  if (wholeReads) {
    FUZZ_CHECK(serialMessages == pieceSink.messages);
    if (!cutOff.empty()) FUZZ_CHECK(network.pendingBytes() == cutOff.size());
  }
  return 0;
}
