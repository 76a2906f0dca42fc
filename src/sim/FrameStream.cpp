#include "sim/FrameStream.h"

#include <algorithm>

namespace velantro::unit {

namespace {
constexpr size_t kHeaderBytes = 4;  // FC BA, length, command
constexpr uint8_t kShortestLength = 4;
constexpr size_t kBytesBeforeLength = 3;
}  // namespace

std::optional<Bytes> FrameStream::NextFrame() {
  while (!bytes_.empty()) {
    const auto start = std::find(bytes_.begin(), bytes_.end(), kFrameStart);
    if (start != bytes_.begin()) {
      skipped_.bytes += static_cast<int>(start - bytes_.begin());
      bytes_.erase(bytes_.begin(), start);
      continue;
    }
    if (bytes_.size() < kHeaderBytes) break;
    const uint8_t length = bytes_[2];
    const uint8_t command = bytes_[3];
    const bool headerOk = bytes_[1] == kFrameKey && length >= kShortestLength &&
                          (command == kCmdWrite || command == kCmdRequest);
    if (!headerOk) {
      DropStartByte();
      continue;
    }
    const size_t total = static_cast<size_t>(length) + kBytesBeforeLength;
    if (bytes_.size() < total) break;
    const std::span<const uint8_t> frame(bytes_.data(), total);
    if (FrameChecksum(frame.first(total - 1)) != frame[total - 1]) {
      DropStartByte();
      continue;
    }
    Bytes whole(frame.begin(), frame.end());
    bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<ptrdiff_t>(total));
    return whole;
  }
  return std::nullopt;
}

void FrameStream::DropStartByte() {
  ++skipped_.frames;
  ++skipped_.bytes;
  bytes_.erase(bytes_.begin());
}

FrameStream::Skipped FrameStream::TakeSkipped() {
  const Skipped taken = skipped_;
  skipped_ = {};
  return taken;
}

}  // namespace velantro::unit
