#pragma once

// Frames as they come off the line: the bytes the stand-in unit hears, in any chunking, cut into
// whole frames with a good checksum; garbage is skipped up to the next FC.

#include <cstdint>
#include <optional>
#include <span>

#include "link/Frames.h"

namespace velantro::unit {

class FrameStream {
 public:
  void Append(std::span<const uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  }
  bool Empty() const { return bytes_.empty(); }
  void Clear() { bytes_.clear(); }

  // The next whole frame off the front, or nothing while the front frame is incomplete. A frame
  // whose claimed length has arrived but whose checksum fails loses only its start byte: the scan
  // goes on behind it, so good frames behind a bogus header are still found.
  std::optional<Bytes> NextFrame();
  // Gives up the frame at the front: its start byte goes, the scan goes on behind it.
  void DropStartByte();

  struct Skipped {
    int frames = 0;  // candidate frames given up
    int bytes = 0;   // bytes thrown away
  };
  // What was skipped since the last call.
  Skipped TakeSkipped();

 private:
  Bytes bytes_;
  Skipped skipped_;
};

}  // namespace velantro::unit
