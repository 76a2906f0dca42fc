#include "link/SerialReceiver.h"

#include <algorithm>
#include <array>

namespace velantro {

namespace {

constexpr uint8_t kAckKeyA = 0xBB;
constexpr uint8_t kAckKeyB = 0xAA;
constexpr size_t kFrameHeaderBytes = 4;  // FC BA L cmd
constexpr size_t kAckBytes = 2;
// A frame counts command, page, index and checksum in its length byte. A shorter length cannot
// be a frame.
constexpr uint8_t kMinFrameLength = 4;

bool IsAckKey(uint8_t b) { return b == kAckKeyA || b == kAckKeyB; }
bool IsCommand(uint8_t b) { return b == kCmdWrite || b == kCmdRequest; }

bool IsFrameHeader(uint8_t key, uint8_t length, uint8_t command) {
  return key == kFrameKey && IsCommand(command) && length >= kMinFrameLength;
}

}  // namespace

void FrameScanner::Feed(std::span<const uint8_t> bytes, ReceiverSink& sink) {
  if (!bytes.empty()) quietMs_ = 0;
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  Scan(sink);
}

void FrameScanner::Tick(int elapsedMs, ReceiverSink& sink) {
  if (scanning_ || pending_.empty()) return;
  quietMs_ += elapsedMs;
  if (quietMs_ < kPartialMessageGiveUpMs) return;
  // The rest of this message is not coming: give up its start byte and look again at what
  // followed it.
  pending_.erase(pending_.begin());
  quietMs_ = 0;
  Scan(sink);
}

void FrameScanner::Reset() {
  pending_.clear();
  quietMs_ = 0;
  ++generation_;
}

void FrameScanner::Scan(ReceiverSink& sink) {
  // A sink may open a message box whose event loop delivers more bytes (they are appended and
  // picked up by this scan) or reopens the port (Reset: the scan stops).
  if (scanning_) return;
  scanning_ = true;
  const uint64_t generation = generation_;
  size_t pos = 0;
  while (pos < pending_.size()) {
    const size_t n = pending_.size();
    const uint8_t b = pending_[pos];
    if (b == kAckStart) {
      if (n - pos < kAckBytes) break;
      if (!IsAckKey(pending_[pos + 1])) {
        ++pos;
        continue;
      }
      const std::array<uint8_t, kAckBytes> ack{kAckStart, pending_[pos + 1]};
      pos += kAckBytes;
      sink.OnAcknowledge(ack);
    } else if (b != kFrameStart) {
      ++pos;
      continue;
    } else {
      if (n - pos < kFrameHeaderBytes) break;
      if (!IsFrameHeader(pending_[pos + 1], pending_[pos + 2], pending_[pos + 3])) {
        ++pos;
        continue;
      }
      const size_t total = static_cast<size_t>(pending_[pos + 2]) + 3;
      if (n - pos < total) break;
      const Bytes frame(pending_.begin() + static_cast<std::ptrdiff_t>(pos),
                        pending_.begin() + static_cast<std::ptrdiff_t>(pos + total));
      if (FrameChecksum(std::span<const uint8_t>(frame).first(total - 1)) != frame.back()) {
        ++pos;
        sink.OnCorruptFrame(frame);
      } else {
        pos += total;
        sink.OnFrame(frame);
      }
    }
    if (generation != generation_) {
      scanning_ = false;
      return;
    }
  }
  if (pos > 0) {
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(pos));
  }
  scanning_ = false;
}

size_t SerialReceiver::OnReceive(SerialPort& port, size_t count, ReceiverSink& sink) {
  // Only what is already waiting is read, so the window thread never waits for the line; a
  // message that is not complete yet stays with the scanner until the next event.
  const size_t waiting = std::max(count, port.BytesAvailable());
  if (waiting == 0) return 0;
  const Bytes bytes = port.Read(std::min(waiting, port.BytesAvailable()));
  if (bytes.empty()) return 0;
  scanner_.Feed(bytes, sink);
  return bytes.size();
}

}  // namespace velantro
