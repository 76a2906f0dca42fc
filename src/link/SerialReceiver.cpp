#include "link/SerialReceiver.h"

namespace velantro {

namespace {

constexpr uint8_t kAckKeyA = 0xBB;
constexpr uint8_t kAckKeyB = 0xAA;
constexpr uint16_t kFrameHeaderBytes = 3;  // key, length, command after the start byte
constexpr uint16_t kAckBytes = 1;          // the key after FE
// A frame counts command, page, index and checksum in its length byte. A shorter length cannot
// be a frame; taken at face value, a length of 0 would leave the receiver waiting for 65535
// body bytes forever.
constexpr uint8_t kMinFrameLength = 4;

bool IsAckKey(uint8_t b) { return b == kAckKeyA || b == kAckKeyB; }
bool IsCommand(uint8_t b) { return b == kCmdWrite || b == kCmdRequest; }

bool IsFrameHeader(uint8_t key, uint8_t length, uint8_t command) {
  return key == kFrameKey && IsCommand(command) && length >= kMinFrameLength;
}

}  // namespace

bool SerialReceiver::ReadByte(SerialPort& port, uint8_t& byte) {
  // Single bytes are read only while one is waiting: the count of the event can promise more
  // than there is, and a missing byte arrives with a later event.
  if (port.BytesAvailable() == 0) return false;
  const Bytes one = port.Read(1);
  if (one.empty()) return false;
  byte = one.front();
  return true;
}

void SerialReceiver::Reset() {
  buffer_.clear();
  state_ = kHunting;
  expected_ = 0;
  got_ = 0;
}

void SerialReceiver::OnReceive(SerialPort& port, size_t count, ReceiverSink& sink) {
  int extra = 0;
  if (state_ == kHunting) Hunt(port, count);
  if (state_ == kHeader) ReadHeader(port, count, extra, sink);
  if (state_ == kBody) ReadBody(port, count, extra, sink);
}

void SerialReceiver::Hunt(SerialPort& port, size_t count) {
  buffer_.clear();
  for (size_t read = 0; read < count;) {
    uint8_t b = 0;
    if (!ReadByte(port, b)) return;
    ++read;
    if (b == kFrameStart) {
      buffer_ = {b};
      state_ = kHeader;
      expected_ = kFrameHeaderBytes;
      got_ = 0;
      return;
    }
    if (b == kAckStart) {
      buffer_ = {b};
      state_ = kHeader;
      expected_ = kAckBytes;
      got_ = 0;
      return;
    }
  }
}

void SerialReceiver::ReadHeader(SerialPort& port, size_t count, int& extra, ReceiverSink& sink) {
  const uint16_t s = got_;
  while (got_ < expected_ && static_cast<size_t>(got_ - s) < count) {
    uint8_t b = 0;
    if (!ReadByte(port, b)) break;
    buffer_.push_back(b);
    ++got_;
  }
  if (got_ != expected_) return;

  if (buffer_.front() == kFrameStart) {
    if (IsFrameHeader(buffer_[1], buffer_[2], buffer_[3])) {
      state_ = kBody;
      expected_ = static_cast<uint16_t>(buffer_[2] - 1);
      got_ = 0;
      extra = 4;
    } else {
      state_ = kHunting;
    }
    return;
  }
  // FE and its key.
  const bool ack = IsAckKey(buffer_[1]);
  Reset();
  if (ack) sink.OnAcknowledge();
}

void SerialReceiver::ReadBody(SerialPort& port, size_t count, int extra, ReceiverSink& sink) {
  if (count < static_cast<size_t>(expected_) + static_cast<size_t>(extra)) return;
  sink.OnDiagnostic("缓存长度K:C:L=" + std::to_string(count) + " " + std::to_string(count) + " " +
                    std::to_string(expected_));
  const Bytes body = port.Read(expected_);
  buffer_.insert(buffer_.end(), body.begin(), body.end());
  got_ = expected_;
  // A body that arrived incomplete within the read timeout goes on to the decoder, which
  // rejects it.
  const Bytes frame = std::move(buffer_);
  Reset();
  sink.OnFrame(frame);
}

void NetworkReceiver::OnChunk(std::span<const uint8_t> chunk, ReceiverSink& sink) {
  pending_.insert(pending_.end(), chunk.begin(), chunk.end());
  size_t pos = 0;
  const size_t n = pending_.size();
  while (pos < n) {
    const uint8_t b = pending_[pos];
    if (b == kAckStart) {
      if (n - pos < 2) break;
      const bool ack = IsAckKey(pending_[pos + 1]);
      pos += 2;
      if (ack) sink.OnAcknowledge();
      continue;
    }
    if (b == kFrameStart) {
      if (n - pos < 4) break;
      if (!IsFrameHeader(pending_[pos + 1], pending_[pos + 2], pending_[pos + 3])) {
        // Like the serial side: the header bytes are lost, the next start byte resynchronises.
        pos += 4;
        sink.OnBadFrameHeader();
        continue;
      }
      const size_t total = static_cast<size_t>(pending_[pos + 2]) + 3;
      if (n - pos < total) break;
      const Bytes frame(pending_.begin() + static_cast<std::ptrdiff_t>(pos),
                        pending_.begin() + static_cast<std::ptrdiff_t>(pos + total));
      pos += total;
      sink.OnFrame(frame);
      continue;
    }
    ++pos;
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(pos));
}

}  // namespace velantro
